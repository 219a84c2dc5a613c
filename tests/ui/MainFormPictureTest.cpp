// SPDX-License-Identifier: GPL-3.0-or-later
// The picture leaving the window: saved through the save dialog and read back
// with the real decoders, refused saves, the clipboard, and the wallpaper
// commands against the real gsettings.
#include "engine/StartupParameters.h"
#include "locations/PictureView.h"
#include "locations/ULocationTarget.h"
#include "support/DesktopSettings.h"
#include "support/ImageReaders.h"
#include "support/MainWindowDriver.h"
#include "ui/PictureImage.h"
#include "ui/Wallpaper.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <cstdlib>
#include <sys/stat.h>

namespace vistal::test {

namespace {

QImage Rgb32(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

std::string Local(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

// The mean difference of the colour components of two pictures of one size.
double MeanDifference(const TBitmap& a, const TBitmap& b) {
    double sum = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int shift = 0; shift < 24; shift += 8)
                sum += std::abs(int(a.Pixel(x, y) >> shift & 0xFF) - int(b.Pixel(x, y) >> shift & 0xFF));
    return sum / (3.0 * a.Width() * a.Height());
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

class PictureWindow : public MainWindow {
protected:
    TfrmMain& StartWithEffect() {
        TfrmMain& w = Start();
        w.Explorer().SelectShadeOff(true); // what is saved is the picture as shown, not the drawing
        EXPECT_NE(w.Vistal().GetImage(), w.Vistal().DrawBitmap());
        return w;
    }
    void Answer(const QString& name, int filter) {
        prompt.FileAnswers.push_back(ui::TFileChoice{name, filter});
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(PictureWindow, SavesByExtensionOrFilterAndTheFileHoldsThePicture) {
    TfrmMain& w = StartWithEffect();
    const TBitmap& shown = w.Vistal().GetImage();
    ASSERT_TRUE(QDir(dir.path()).mkdir("my.folder"));
    w.Global().BmpAlways = true;
    w.Global().SetBmpFiles(Local(dir.path()));

    Answer(dir.filePath("pic"), 2); // PNG filter, no extension
    w.mnuFileSave->trigger();
    EXPECT_EQ(ReadPng(Local(dir.filePath("pic.png"))), shown);
    const ui::TFileRequest& asked = prompt.FileRequests.at(0);
    EXPECT_EQ(asked.Title, QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟの保存"));
    EXPECT_EQ(asked.InitialDir, dir.path());
    EXPECT_EQ(ui::QtFilter(asked.Filter),
              QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp);;PNGﾌｧｲﾙ(*.png);;JPEGﾌｧｲﾙ(*.jpeg "
                             "*.jpg);;全てのﾌｧｲﾙ (*)"));

    Answer(dir.filePath("pic.JPG"), 1); // the extension wins over the BMP filter
    w.spbBmpSave->click();
    EXPECT_EQ(prompt.FileRequests.at(1).FilterIndex, 2); // the dialog keeps its last filter and name
    EXPECT_EQ(prompt.FileRequests.at(1).FileName, QStringLiteral("pic"));
    TJpegInfo info;
    const TBitmap jpeg = ReadJpeg(Local(dir.filePath("pic.JPG")), &info);
    EXPECT_EQ(info.components, 3);
    EXPECT_FALSE(info.progressive);
    ASSERT_EQ(jpeg.Width(), shown.Width());
    EXPECT_LT(MeanDifference(jpeg, shown), 4.0);

    Answer(dir.filePath("my.folder/pic"), 2); // a dot in the folder: no extension
    w.mnuFileSave->trigger();
    EXPECT_EQ(ReadPng(Local(dir.filePath("my.folder/pic"))), shown);

    Answer(dir.filePath("plain"), 1);
    w.mnuFileSave->trigger();
    EXPECT_EQ(Rgb32(QImage(dir.filePath("plain.bmp"), "BMP")), Rgb32(ui::ImageOf(shown)));

    Answer(dir.filePath("pic.gif"), 4); // all files, and no type to be told
    prompt.ExpectErrors(1);
    w.mnuFileSave->trigger();
    EXPECT_EQ(prompt.Errors, QStringList{QStringLiteral("Invalid index number(4) at GetFileType")});
    EXPECT_EQ(Entries(dir.path()), (QStringList{"my.folder", "pic.JPG", "pic.png", "plain.bmp"}));
}

TEST_F(PictureWindow, AFileTheExtensionWouldReplaceIsReplacedOnlyWhenConfirmed) {
    TfrmMain& w = StartWithEffect();
    QFile old(dir.filePath("pic.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep");
    old.close();
    Answer(dir.filePath("pic"), 2);
    prompt.ConfirmAnswers.push_back(false);
    w.mnuFileSave->trigger();
    ASSERT_EQ(prompt.Questions.size(), 1);
    EXPECT_TRUE(prompt.Questions[0].contains(dir.filePath("pic.png")));
    EXPECT_EQ(QFileInfo(old).size(), 4);

    Answer(dir.filePath("pic"), 2);
    prompt.ConfirmAnswers.push_back(true);
    w.mnuFileSave->trigger();
    EXPECT_EQ(ReadPng(Local(dir.filePath("pic.png"))), w.Vistal().GetImage());
}

TEST_F(PictureWindow, ASaveThatCannotBeWrittenIsReportedAndLeavesNothing) {
    TfrmMain& w = Start();
    ASSERT_EQ(::mkfifo(Local(dir.filePath("fifo.png")).c_str(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bmp"));
    for (const char* name : {"missing/pic.png", "fifo.png", "folder.bmp"}) {
        prompt.Errors.clear();
        prompt.ExpectErrors(1);
        Answer(dir.filePath(name), 1);
        w.mnuFileSave->trigger();
        ASSERT_EQ(prompt.Errors.size(), 1) << name;
        EXPECT_TRUE(prompt.Errors[0].startsWith(QStringLiteral("画像を保存できませんでした。\n")));
        EXPECT_TRUE(prompt.Errors[0].contains(dir.filePath(name))) << prompt.Errors[0].toStdString();
    }
    EXPECT_EQ(Entries(dir.path()), (QStringList{"fifo.png", "folder.bmp"}));
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.bmp")).isDir());
    EXPECT_TRUE(Entries(dir.filePath("folder.bmp")).isEmpty());
}

TEST_F(PictureWindow, NothingIsSavedWhileADrawingRuns) {
    TfrmMain& w = Start();
    bool drawing = false;
    AtRow(w, 20, [&] {
        drawing = w.Vistal().Drawing();
        // A shortcut or click that arrives before the busy marks are up asks
        // for no file and writes nothing.
        w.Command([&] { w.mnuFileSaveClick(); });
        w.Command([&] { w.mnuFileSetWPCenterClick(ui::wmTile); });
    });
    w.Vistal().SetCenter({-0.5, 0.1});
    w.mnuFileDraw->trigger();
    EXPECT_TRUE(drawing);
    EXPECT_TRUE(prompt.FileRequests.empty());
    EXPECT_TRUE(prompt.Errors.empty());
    EXPECT_TRUE(Panel(3).endsWith(QStringLiteral(" 秒"))); // the drawing went on to its end
}

TEST_F(PictureWindow, TheClipboardHoldsThePictureAsShown) {
    TfrmMain& w = StartWithEffect();
    QGuiApplication::clipboard()->clear();
    w.mnuFileClipBoard->trigger();
    EXPECT_EQ(w.mnuFileClipBoard->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    const QImage held = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(held.isNull());
    const QImage expected = Rgb32(ui::ImageOf(w.Vistal().GetImage()));
    w.Vistal().SetCenter({0.3, 0.2});
    w.mnuFileDraw->trigger(); // the clipboard keeps its own copy
    EXPECT_EQ(Rgb32(held), expected);
    EXPECT_EQ(Rgb32(QGuiApplication::clipboard()->image()), expected);
}

// Counts the paints a widget receives.
class TPaintCounter : public QObject {
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++Paints;
        return false;
    }
};

TEST_F(PictureWindow, TheShadeOffMenuShowsItsEffectWithoutADrawing) {
    TfrmMain& w = Start();
    TPaintCounter counter;
    w.ptbVistal->installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.Paints = 0;
    w.mnuOptionShadeOff->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.Vistal().ShadeOff);
    EXPECT_GE(counter.Paints, 1); // the picture on screen is blurred at once
    EXPECT_EQ(Rgb32(Shown(w)), Rgb32(ui::ImageOf(w.Vistal().GetImage())));
}

TEST_F(PictureWindow, TheFixedWallpaperFileLandsInTheDataFolder) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/Zelt/Vistal");
    QDir(folder).removeRecursively();
    TfrmMain& w = StartWithEffect();
    w.WallpaperEnvironment = GnomeEnvironment(dir.path());
    w.Global().KabegamiMode = true;
    w.Global().KabegamiFileName = "wall.bmp";
    w.mnuFileSetWPCenter->trigger();
    EXPECT_TRUE(prompt.Errors.empty()) << prompt.Errors.join('\n').toStdString();
    const QString file = folder + QStringLiteral("/wall.bmp");
    EXPECT_EQ(Rgb32(QImage(file, "BMP")), Rgb32(ui::ImageOf(w.Vistal().GetImage())));
    const QProcessEnvironment& env = w.WallpaperEnvironment;
    EXPECT_EQ(BackgroundKey(env, QStringLiteral("picture-uri")),
              "'" + QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded) + "'");
    EXPECT_EQ(BackgroundKey(env, QStringLiteral("picture-options")), QStringLiteral("'centered'"));
}

TEST_F(PictureWindow, AskedWallpaperIsTheFileSavedAndACancelSetsNothing) {
    TfrmMain& w = StartWithEffect();
    w.WallpaperEnvironment = GnomeEnvironment(dir.path());
    w.Global().KabegamiMode = false;
    const QProcessEnvironment& env = w.WallpaperEnvironment;
    const QString unset = BackgroundKey(env, QStringLiteral("picture-uri"));

    prompt.FileAnswers.push_back(std::nullopt);
    w.mnuFileSetWPSpread->trigger();
    EXPECT_EQ(BackgroundKey(env, QStringLiteral("picture-uri")), unset);

    Answer(dir.filePath("wp"), 3); // saved as wp.jpg
    w.mnuFileSetWPSpread->trigger();
    EXPECT_TRUE(prompt.Errors.empty()) << prompt.Errors.join('\n').toStdString();
    EXPECT_EQ(BackgroundKey(env, QStringLiteral("picture-uri")),
              "'" + QUrl::fromLocalFile(dir.filePath("wp.jpg")).toString(QUrl::FullyEncoded) + "'");
    EXPECT_EQ(BackgroundKey(env, QStringLiteral("picture-options")), QStringLiteral("'wallpaper'"));
    EXPECT_NO_THROW(ReadJpeg(Local(dir.filePath("wp.jpg"))));
}

TEST_F(PictureWindow, ADesktopWithoutWallpaperSupportIsToldAtOnce) {
    TfrmMain& w = Start();
    w.WallpaperEnvironment = GnomeEnvironment(dir.path());
    w.WallpaperEnvironment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("sway"));
    w.Global().KabegamiMode = false;
    prompt.ExpectErrors(1);
    w.mnuFileSetWPCenter->trigger();
    ASSERT_EQ(prompt.Errors.size(), 1);
    EXPECT_TRUE(prompt.Errors[0].startsWith(QStringLiteral("壁紙に設定できません。\n")));
    EXPECT_TRUE(prompt.Errors[0].contains(QStringLiteral("sway")));
    EXPECT_TRUE(prompt.FileRequests.empty()); // no file asked for, none written
}

} // namespace vistal::test

namespace vistal::test {

TEST_F(PictureWindow, APngRemembersItsViewSoTheRendererDrawsItAgain) {
    TfrmMain& w = Start();
    w.Explorer().SelectIteration(500);
    Click(w, {150, 60}); // a view of its own
    Answer(dir.filePath("view.png"), 2);
    w.mnuFileSave->trigger();

    const TPictureView view = ReadPictureView(Local(dir.filePath("view.png")));
    TVistal engine;
    TGlobal global;
    TEngineTarget target(engine, global);
    ApplyStartupParameters(engine);
    ApplyPictureView(view, target);
    engine.SetWidth(view.Width);
    engine.SetHeight(view.Height);
    engine.Draw();
    EXPECT_EQ(engine.Iteration(), 500);
    EXPECT_EQ(engine.DrawBitmap(), w.Vistal().DrawBitmap());
}

} // namespace vistal::test
