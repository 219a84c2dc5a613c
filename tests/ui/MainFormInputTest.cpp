// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that ask for values: the 指定 items with the shared input
// dialogs, the palette file, the size, coordinate, Julia constant and option
// dialogs from their items, shortcuts and tool buttons; what the menus show
// when they open; sizes the machine cannot hold; running out of memory in a
// drawing.
#include "support/DialogDriver.h"
#include "support/MainWindowDriver.h"
#include "ui/AppTitle.h"
#include "ui/OptionDialog.h"
#include "ui/PositionInfoDialog.h"
#include "ui/RadioGroup.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <map>
#include <new>
#include <sys/resource.h>
#include <unistd.h>

namespace vistal::test {

namespace {

// What an answered dialog showed.
struct TSeen {
    QString Title, Information;
};

// Answers one dialog: each text goes into the edit field `edit` and OK is
// pressed; the dialog's result is what the last press left.
std::function<int(QDialog&)> Typing(QStringList texts, TSeen* seen = nullptr, const char* edit = "InputValue",
                                    const char* ok = "OKBtn") {
    return [=](QDialog& d) {
        if (seen) {
            seen->Title = d.windowTitle();
            if (auto* label = d.findChild<QLabel*>("Information")) seen->Information = label->text();
        }
        for (const QString& text : texts) {
            Type(d, edit, text);
            Press(d, ok);
        }
        return d.result();
    };
}

int Cancel(QDialog& d) {
    d.reject();
    return d.result();
}

// Presses a key on the active window, as a user types a shortcut.
bool Shortcut(TfrmMain& w, QKeyCombination key) {
    // The main window itself must have the keyboard: a window of its own, such
    // as the position window, counts as active for it but keeps its keys.
    w.activateWindow();
    if (!QTest::qWaitFor([&w] { return QApplication::activeWindow() == &w; })) return false;
    QTest::keyClick(&w, key.key(), key.keyboardModifiers());
    return true;
}

// Lowers this process's address-space limit to what it has mapped plus
// `room` bytes, for as long as it lives.
class TAddressSpaceLimit {
public:
    explicit TAddressSpaceLimit(std::uint64_t room) {
        getrlimit(RLIMIT_AS, &saved_);
        unsigned long long pages = 0;
        if (FILE* f = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(f, "%llu", &pages) != 1) pages = 0;
            std::fclose(f);
        }
        rlimit lower = saved_;
        lower.rlim_cur = pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)) + room;
        setrlimit(RLIMIT_AS, &lower);
    }
    ~TAddressSpaceLimit() { setrlimit(RLIMIT_AS, &saved_); }

private:
    rlimit saved_{};
};

} // namespace

TEST_F(MainWindow, IterationUserRefusesWhatItCannotTakeAndChecksTheItemOfTheValue) {
    TfrmMain& w = Start();
    const int drawings = w.Explorer().DrawingsStarted();
    TSeen seen;
    prompt.ExpectErrors(2);
    prompt.DialogAnswers.push_back(Typing({"0", "abc", "5000"}, &seen));
    w.mnuOptionIterationUser->trigger();
    EXPECT_EQ(seen.Title, QStringLiteral("びすたる"));
    EXPECT_EQ(seen.Information, QStringLiteral("繰り返し回数（現在値：256）"));
    EXPECT_EQ(prompt.Errors, (QStringList{QStringLiteral("値が小さすぎます\n1 以上の数値を入力して下さい"),
                                          QStringLiteral("整数値を入れてください")}));
    EXPECT_EQ(w.Vistal().Iteration(), 5000);
    EXPECT_TRUE(w.mnuOptionIterationUser->isChecked());
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings); // takes effect at the next drawing

    prompt.DialogAnswers.push_back(Typing({"4096"}, &seen));
    w.mnuOptionIterationUser->trigger();
    EXPECT_EQ(seen.Information, QStringLiteral("繰り返し回数（現在値：5000）"));
    EXPECT_TRUE(Action(w, "mnuOptionIteration4096")->isChecked());

    // Zoom and detail ask alike; a cancelled dialog changes nothing.
    prompt.DialogAnswers.push_back(Typing({"3"}, &seen));
    w.mnuOptionZoomUser->trigger();
    EXPECT_EQ(seen.Information, QStringLiteral("拡縮の度合い（現在値：2）"));
    EXPECT_EQ(w.Vistal().ZoomFactor(), 3);
    EXPECT_TRUE(w.mnuOptionZoomUser->isChecked());
    prompt.DialogAnswers.push_back(Cancel);
    w.mnuOptionDetailUser->trigger();
    EXPECT_TRUE(Action(w, "mnuOptionDetail1")->isChecked());
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings);
}

TEST_F(MainWindow, CorrectionUserHasLimitsOfItsOwn) {
    TfrmMain& w = Start();
    TSeen seen;
    prompt.ExpectErrors(2);
    prompt.DialogAnswers.push_back(Typing({"0.5", "3"}, &seen));
    w.mnuOptionModeEscapeUser->trigger();
    EXPECT_EQ(seen.Information, QStringLiteral("打切判定数（現在値：1024）"));
    EXPECT_EQ(prompt.Errors.last(), QStringLiteral("値が小さすぎます\n1 以上の数値を入力して下さい"));
    EXPECT_EQ(w.Vistal().Escape(), 3.0);
    EXPECT_TRUE(w.mnuOptionModeEscapeUser->isChecked());

    prompt.DialogAnswers.push_back(Typing({"150", "-2.5"}, &seen));
    w.mnuOptionModeCorrectionUser->trigger();
    EXPECT_EQ(seen.Information, QStringLiteral("補正係数（現在値：0）"));
    EXPECT_EQ(prompt.Errors.last(), QStringLiteral("値が大きすぎます\n100 以下の数値を入力して下さい"));
    EXPECT_EQ(w.Vistal().Correction(), -2.5);
    EXPECT_TRUE(w.mnuOptionModeCorrectionUser->isChecked());
    EXPECT_EQ(w.dlgFloat->Min(), 1.0);
    EXPECT_EQ(w.dlgFloat->Max(), 2147483647.0);

    prompt.DialogAnswers.push_back(Cancel);
    w.mnuOptionModeCorrectionUser->trigger();
    EXPECT_EQ(w.dlgFloat->Min(), 1.0);
    EXPECT_EQ(w.Vistal().Correction(), -2.5);
}

TEST_F(MainWindow, RefreshUserShowsTenthsOfASecondAndRefusesWhatAnIntCannotHold) {
    TfrmMain& w = Start();
    TSeen seen;
    prompt.ExpectErrors(1);
    prompt.DialogAnswers.push_back(Typing({"21474837", "0"}, &seen));
    w.mnuOptionRefreshUser->trigger();
    EXPECT_EQ(seen.Information, QStringLiteral("書換頻度（現在値：5）"));
    EXPECT_EQ(prompt.Errors,
              QStringList{QStringLiteral("値が大きすぎます\n21474836 以下の数値を入力して下さい")});
    EXPECT_EQ(w.Explorer().RefreshInterval(), 0);
    EXPECT_TRUE(w.mnuOptionRefreshUser->isChecked());
    EXPECT_EQ(w.dlgInteger->Max(), 2147483647);

    prompt.DialogAnswers.push_back(Typing({"21474836"}, &seen));
    w.mnuOptionRefreshUser->trigger();
    EXPECT_EQ(seen.Information, QStringLiteral("書換頻度（現在値：0）"));
    EXPECT_EQ(w.Explorer().RefreshInterval(), 2147483600);
}

TEST_F(MainWindow, PowerUserResetsAndRedrawsEvenWhenCancelled) {
    TfrmMain& w = Start();
    Click(w, {50, 60});
    const int drawings = w.Explorer().DrawingsStarted();
    prompt.DialogAnswers.push_back(Cancel);
    w.mnuOptionPowerUser->trigger();
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 1);
    EXPECT_EQ(w.Vistal().Pow(), 2);
    EXPECT_EQ(w.Vistal().DrawBitmap(), StartupPicture());
    EXPECT_TRUE(Action(w, "mnuOptionPowerNormal")->isChecked());

    TSeen seen;
    prompt.ExpectErrors(1);
    prompt.DialogAnswers.push_back(Typing({"1", "3"}, &seen));
    w.mnuOptionPowerUser->trigger();
    EXPECT_EQ(seen.Information, QStringLiteral("巾乗（現在値：2）"));
    EXPECT_EQ(prompt.Errors, QStringList{QStringLiteral("値が小さすぎます\n2 以上の数値を入力して下さい")});
    EXPECT_TRUE(Action(w, "mnuOptionPower3")->isChecked());
    EXPECT_EQ(w.Vistal().DrawBitmap(), StartupPicture([](TVistal& e) {
                  e.SetPow(3);
                  e.ResetView();
              }));
}

TEST_F(MainWindow, TheFormulaDecidesTheChangeCaptionAndTheJuliaConstantCommand) {
    TfrmMain& w = Start();
    w.CreateDialogs({});
    ui::TfrmPositionInfoDialog& position = *w.frmPositionInfoDialog();
    emit w.mnuOption->aboutToShow();
    EXPECT_EQ(w.mnuOptionChange->text(), QStringLiteral("じゅりあ(&C)"));
    EXPECT_FALSE(w.mnuOptionJuliaConst->isVisible());
    const int drawings = w.Explorer().DrawingsStarted();
    w.mnuOptionJuliaConst->trigger(); // Mandelbrot: no dialog, no drawing
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings);
    w.mnuOptionPosition->trigger();
    EXPECT_TRUE(position.edtJuliaConstReal->text().isEmpty());
    EXPECT_FALSE(position.edtJuliaConstReal->isEnabled());
    EXPECT_EQ(position.windowTitle(), QStringLiteral("びすたる座標"));

    w.mnuOptionChange->trigger();
    EXPECT_EQ(position.windowTitle(), QStringLiteral("じゅりあ座標"));
    const TComplex seed = w.Vistal().JuliaSeed();

    // Cancelled: the view goes home, nothing is drawn. The shortcut works
    // before the menu was opened again.
    const double home = w.Vistal().ImSpan();
    w.Explorer().SelectIteration(200000); // a drawing long enough to process events
    Click(w, {50, 60});
    ASSERT_NE(w.Vistal().ImSpan(), home);
    const int before = w.Explorer().DrawingsStarted();
    prompt.DialogAnswers.push_back(Cancel);
    ASSERT_TRUE(Shortcut(w, Qt::CTRL | Qt::Key_J));
    EXPECT_TRUE(prompt.DialogAnswers.empty());
    EXPECT_EQ(w.Vistal().ImSpan(), home);
    EXPECT_EQ(w.Vistal().JuliaSeed(), seed);
    EXPECT_EQ(w.Explorer().DrawingsStarted(), before);
    emit w.mnuOption->aboutToShow();
    EXPECT_EQ(w.mnuOptionChange->text(), QStringLiteral("びすたる(&C)"));
    EXPECT_TRUE(w.mnuOptionJuliaConst->isVisible());

    prompt.DialogAnswers.push_back(Typing({"0.25"}, nullptr, "edtReal", "bbnOk"));
    w.mnuOptionJuliaConst->trigger();
    EXPECT_EQ(w.Vistal().JuliaSeed(), (TComplex{0.25, seed.Im}));
    EXPECT_EQ(w.Explorer().DrawingsStarted(), before + 1);
    EXPECT_EQ(position.edtJuliaConstReal->text(), "0.25");
}

TEST_F(MainWindow, TheCoordinateDialogDrawsOnlyAfterOK) {
    TfrmMain& w = Start();
    const int drawings = w.Explorer().DrawingsStarted();
    prompt.DialogAnswers.push_back([](QDialog& d) {
        Type(d, "edtReal", "-0.5");
        Type(d, "edtWidth", "");
        Press(d, "bbnOk");
        return d.result();
    });
    ASSERT_TRUE(Shortcut(w, Qt::CTRL | Qt::Key_M));
    EXPECT_EQ(w.Vistal().Center(), (TComplex{-0.5, 0}));
    EXPECT_EQ(w.Vistal().ImSpan(), 3.0);
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 1);

    prompt.DialogAnswers.push_back(Typing({"-0.5"}, nullptr, "edtWidth", "bbnOk"));
    w.spbMove->click();
    EXPECT_EQ(w.Vistal().ImSpan(), 0.5);
    prompt.DialogAnswers.push_back(Typing({"0"}, nullptr, "edtWidth", "bbnOk"));
    w.mnuOptionManualMove->trigger();
    EXPECT_EQ(w.Vistal().ImSpan(), 0.5);
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 3);
    EXPECT_EQ(w.Vistal().DrawBitmap(), StartupPicture([](TVistal& e) {
                  e.SetCenter({-0.5, 0});
                  e.SetImSpan(0.5);
              }));

    prompt.DialogAnswers.push_back(Cancel);
    w.mnuOptionManualMove->trigger();
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 3);
}

TEST_F(MainWindow, TheFileMenuOpenedDuringADrawingOffersOnlyAbort) {
    TfrmMain& w = Start();
    w.Vistal().SetCenter({-0.5, 0.1});
    std::map<QString, bool> during;
    AtRow(w, 5, [&] {
        QTest::qSleep(2);
        w.Explorer().PumpEvents(); // the busy marks
        emit w.mnuFile->aboutToShow();
        for (QAction* a : {w.mnuFileAbort, w.mnuFileSave, w.mnuFileSetWP->menuAction()})
            during[a->objectName()] = a->isEnabled();
        for (QToolButton* b : w.pnlToolbar->findChildren<QToolButton*>())
            during[b->objectName()] = b->isEnabled();
    });
    w.mnuFileDraw->trigger();
    EXPECT_EQ(during, (std::map<QString, bool>{{"mnuFileAbort", true},
                                               {"mnuFileSave", false},
                                               {"mnuFileSetWP", false},
                                               {"spbDraw", true},
                                               {"spbAbort", true},
                                               {"spbBmpSave", false},
                                               {"spbVrpRead", true},
                                               {"spbVrpEntry", true},
                                               {"spbPaletteVcp", true},
                                               {"spbMove", true},
                                               {"spbBack", true}}));
    emit w.mnuFile->aboutToShow();
    EXPECT_FALSE(w.mnuFileAbort->isEnabled());
    EXPECT_TRUE(w.mnuFileSave->isEnabled());
    EXPECT_TRUE(w.mnuFileSetWP->isEnabled());
    EXPECT_TRUE(w.mnuFilePre->isEnabled());
    EXPECT_FALSE(w.spbAbort->isEnabled());
    EXPECT_TRUE(w.spbBmpSave->isEnabled());
}

TEST_F(MainWindow, AutomaticDetailFollowsTheIterationUntilAFixedDetailIsChosen) {
    TfrmMain& w = Start();
    const auto autoDetail = [](int iteration) {
        TVistal e;
        e.SetIteration(iteration);
        e.AutoDetail();
        return e.Detail();
    };
    w.mnuOptionDetailAuto->trigger();
    EXPECT_EQ(w.Vistal().Detail(), autoDetail(256)); // at once
    Action(w, "mnuOptionIteration4096")->trigger();
    w.mnuFileDraw->trigger();
    EXPECT_EQ(w.Vistal().Detail(), autoDetail(4096));
    EXPECT_EQ(Panel(1), QString::number(autoDetail(4096)));
    Action(w, "mnuOptionDetail2")->trigger();
    EXPECT_FALSE(w.Explorer().DetailAuto());
    EXPECT_FALSE(w.mnuOptionDetailAuto->isChecked());
    Action(w, "mnuOptionIteration1024")->trigger();
    w.mnuFileDraw->trigger();
    EXPECT_EQ(w.Vistal().Detail(), 2);
}

TEST_F(MainWindow, OptionsFromTheirItem) {
    {
        TfrmMain& w = Start();
        w.Global().RefreshRate = 12;
        int page = -1, shown = 0;
        prompt.DialogAnswers.push_back([&](QDialog& d) {
            d.show();
            page = Child<QTabWidget>(d, "pgcOption")->currentIndex();
            shown = Child<QScrollBar>(d, "srbRefresh")->value();
            // 浮き出し as the start-up method; a BMP folder that is not there
            // keeps the dialog open and applies nothing.
            prompt.ExpectErrors(1);
            Child<ui::TRadioGroup>(d, "rdgDraw")->SetItemIndex(3);
            Child<QAbstractButton>(d, "ckbBmpSet")->click();
            Type(d, "edtBmpSet", "/no/such/folder");
            Press(d, "bbnOk");
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(w.Global().StartDrawMode, 0);
            Child<QAbstractButton>(d, "ckbBmpSet")->click();
            Press(d, "bbnOk");
            return d.result();
        });
        w.mnuOptionOption->trigger();
        EXPECT_EQ(page, 0);
        EXPECT_EQ(shown, 9);
        EXPECT_EQ(w.Global().RefreshRate, 9);
        EXPECT_EQ(prompt.Errors, QStringList{QStringLiteral("/no/such/folderがありません")});
        EXPECT_EQ(w.Global().StartDrawMode, 3);
        EXPECT_EQ(w.Vistal().DrawMode, 0); // a start-up choice: the running program keeps its method
        window.reset();
    }
    QFile file(QString::fromStdString(SettingsFileName()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype draw = text.indexOf("[Draw]");
    ASSERT_GE(draw, 0);
    EXPECT_TRUE(text.mid(draw).section("\n[", 0, 0).contains(QRegularExpression("\nMode=4\r?\n")))
        << text.toStdString();
}

TEST_F(MainWindow, APaletteFileIsRememberedAndTheFoldersFollowTheOptions) {
    TfrmMain& w = Start();
    QTemporaryDir dir;
    const QString vcp = dir.filePath("sea.vcp");
    {
        QFile f(vcp);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("000080\n0000FF\n00FFFF\n");
    }
    // ﾊﾟﾚｯﾄ選択で再描画 off: the palette changes, nothing is drawn, the status
    // bar tells at the next drawing.
    w.mnuOptionPaletteRedraw->trigger();
    const int drawings = w.Explorer().DrawingsStarted();
    Action(w, "mnuOptionPaletteMono")->trigger();
    prompt.FileAnswers.push_back(ui::TFileChoice{vcp, 1});
    w.spbPaletteVcp->click();
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings);
    EXPECT_TRUE(w.mnuOptionPaletteReadVCP->isChecked());
    EXPECT_EQ(Panel(2), QStringLiteral("標準"));
    w.mnuFileDraw->trigger();
    EXPECT_EQ(Panel(2), "sea");
    ASSERT_EQ(prompt.FileRequests.size(), 1u);
    const ui::TFileRequest& first = prompt.FileRequests[0];
    EXPECT_EQ(first.Title, QStringLiteral("VCPﾌｧｲﾙを開く"));
    EXPECT_EQ(first.Filter, QStringLiteral("VCPﾌｧｲﾙ(*.VCP)|*.vcp|全てのﾌｧｲﾙ|*"));
    EXPECT_TRUE(first.MustExist);
    EXPECT_TRUE(first.InitialDir.isEmpty());

    // With a VCP folder in the options the dialog starts there, proposing the
    // last file when it lies there; cancelled, nothing changes.
    w.Global().VcpAlways = true;
    w.Global().SetVcpFiles(dir.path().toStdString());
    prompt.FileAnswers.push_back(std::nullopt);
    w.mnuOptionPaletteReadVCP->trigger();
    EXPECT_EQ(prompt.FileRequests[1].InitialDir, dir.path());
    EXPECT_EQ(prompt.FileRequests[1].FileName, "sea.vcp");
    w.dlgSave.InitialDir = dir.path();
    prompt.DialogAnswers.push_back([](QDialog& d) {
        d.show(); // filled from the settings
        Child<QAbstractButton>(d, "ckbVcpSet")->click();
        Press(d, "bbnOk");
        return d.result();
    });
    w.mnuOptionOption->trigger();
    EXPECT_FALSE(w.Global().VcpAlways);
    EXPECT_TRUE(w.dlgSave.InitialDir.isEmpty()); // the BMP folder was not checked either
    prompt.FileAnswers.push_back(std::nullopt);
    w.mnuOptionPaletteReadVCP->trigger();
    EXPECT_TRUE(prompt.FileRequests[2].InitialDir.isEmpty());
    EXPECT_EQ(prompt.FileRequests[2].FileName, vcp);
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 1);
    EXPECT_TRUE(prompt.Errors.isEmpty());
}

TEST_F(MainWindow, TheSizeDialogAndSizesTheMachineCannotHold) {
    TfrmMain& w = Start();
    prompt.ExpectErrors(5);
    prompt.DialogAnswers.push_back([](QDialog& d) {
        Type(d, "edtWidth", "0");
        Press(d, "bbnOk");
        Type(d, "edtWidth", "300");
        Type(d, "edtHeight", "150");
        Press(d, "bbnOk");
        return d.result();
    });
    w.mnuOptionSizeUser->trigger();
    EXPECT_EQ(prompt.Errors, QStringList{QStringLiteral("サイズは正の整数を指定してください")});
    EXPECT_EQ(w.ptbVistal->size(), QSize(300, 150));
    EXPECT_EQ(w.Vistal().DrawBitmap().Width(), 300);
    EXPECT_TRUE(w.mnuOptionSizeUser->isChecked());

    // Larger than a picture may be, or than this process may take: refused
    // before anything changes.
    const int drawings = w.Explorer().DrawingsStarted();
    prompt.DialogAnswers.push_back(Typing({"100001"}, nullptr, "edtWidth", "bbnOk"));
    w.mnuOptionSizeUser->trigger();
    EXPECT_EQ(
        prompt.Errors.last(),
        QStringLiteral("表示ｻｲｽﾞ 100001 x 150 の絵は描けません\n縦横とも 1 から 100000 までにしてください"));
    {
        TAddressSpaceLimit limit(32 << 20);
        prompt.DialogAnswers.push_back([](QDialog& d) {
            Type(d, "edtWidth", "20000");
            Type(d, "edtHeight", "20000");
            Press(d, "bbnOk");
            return d.result();
        });
        w.mnuOptionSizeUser->trigger();
        Action(w, "mnuOptionSize6")->trigger();
        w.ViewFullScreen->trigger();
    }
    ASSERT_EQ(prompt.Errors.size(), 5);
    EXPECT_TRUE(prompt.Errors[2].startsWith(
        QStringLiteral("表示ｻｲｽﾞ 20000 x 20000 の絵を描くにはメモリが足りません\n要る量 ")));
    EXPECT_TRUE(prompt.Errors[3].startsWith(QStringLiteral("表示ｻｲｽﾞ 1024 x 768 の絵を描くには")));
    EXPECT_TRUE(prompt.Errors[4].startsWith(QStringLiteral("表示ｻｲｽﾞ ") +
                                            QString::number(w.screen()->geometry().width())));
    EXPECT_EQ(w.ptbVistal->size(), QSize(300, 150));
    EXPECT_TRUE(w.mnuOptionSizeUser->isChecked());
    EXPECT_FALSE(w.ViewFullScreen->isChecked());
    EXPECT_FALSE(w.menuBar()->isHidden());
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings);
}

TEST_F(MainWindow, RunningOutOfMemoryInADrawingEndsOnlyThatCommand) {
    TfrmMain& w = Start();
    w.Vistal().SetCenter({-0.5, 0.1});
    AtRow(w, 5, [] { throw std::bad_alloc(); });
    prompt.ExpectErrors(1);
    w.mnuFileDraw->trigger();
    EXPECT_EQ(prompt.Errors, QStringList{QStringLiteral("メモリが足りません")});
    EXPECT_FALSE(w.Vistal().Drawing());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("びすたる"));
    w.mnuFileDraw->trigger();
    EXPECT_EQ(w.Vistal().DrawBitmap(), StartupPicture([](TVistal& e) { e.SetCenter({-0.5, 0.1}); }));
}

TEST_F(MainWindow, RepaintShowsThePictureAgainWithoutDrawing) {
    TfrmMain& w = Start();
    int paints = 0;
    struct TCounter : QObject {
        int& count;
        explicit TCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++count;
            return false;
        }
    } counter(paints);
    w.ptbVistal->installEventFilter(&counter);
    QCoreApplication::processEvents();
    paints = 0;
    const int drawings = w.Explorer().DrawingsStarted();
    ASSERT_TRUE(Shortcut(w, Qt::CTRL | Qt::Key_L));
    QCoreApplication::processEvents();
    EXPECT_GE(paints, 1);
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings);
    w.ptbVistal->removeEventFilter(&counter);
}

TEST_F(MainWindow, DialogsKeepTheirOwnCaptionsAndTheTitleShowsTheBusyMark) {
    TfrmMain& w = Start();
    EXPECT_TRUE(QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName());
    EXPECT_EQ(ui::ApplicationTitle(), QStringLiteral("びすたる"));
    QString busy;
    AtRow(w, 5, [&] {
        QTest::qSleep(2);
        w.Explorer().PumpEvents();
        busy = ui::ApplicationTitle();
    });
    w.Vistal().SetCenter({-0.5, 0.1});
    w.mnuFileDraw->trigger();
    EXPECT_EQ(busy, QStringLiteral("* びすたる"));
    EXPECT_EQ(ui::ApplicationTitle(), QStringLiteral("びすたる"));
    // An input dialog without a caption of its own takes the title.
    ui::TIntegerDialog plain(prompt);
    TSeen seen;
    prompt.DialogAnswers.push_back(Typing({}, &seen));
    plain.Execute();
    EXPECT_EQ(seen.Title, QStringLiteral("びすたる"));
}

} // namespace vistal::test
