// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmMain, continued. The picture leaves the window: saved as a file, put on
// the clipboard, set as the desktop wallpaper. What is saved is always the
// picture as shown, GetImage with its output effects; the writers build the
// file beside its target and rename it into place, so a failed save leaves no
// partial file and any old file as it was.
#include "colour/ImageFile.h"
#include "locations/PictureView.h"
#include "ui/MainForm.h"
#include "ui/PictureImage.h"
#include "ui/Wallpaper.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <new>
#include <optional>
#include <string>

namespace vistal::ui {

namespace {

// The fixed wallpaper file's name when the settings hold none.
const char kDefaultWallpaperName[] = "_vistal.bmp";

std::string LocalName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

QString ShownName(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

// The text a PNG or JPEG file keeps of the view, as vistal-render writes it,
// so that `vistal-render --view-from` draws the picture again at any size.
TPictureFileOptions PictureFileOptions(TfrmMain& w) {
    TPictureFileOptions options;
    const std::string palette =
        QFileInfo(QString::fromStdString(w.Global().PaletteName)).completeBaseName().toStdString();
    const TRecordLine text = ComposePictureText(w.Vistal(), "びすたる", palette);
    if (text.Ok()) options.Text = text.Line;
    return options;
}

// Writes the picture as shown. A file that cannot be written, or memory that
// runs out, is reported and ends the command; nothing is left behind.
void WritePicture(TfrmMain& w, const std::string& name, TImageFileType type) {
    try {
        WriteImageFile(w.Vistal().GetImage(), name, type, PictureFileOptions(w));
    } catch (const EImageFileError& error) {
        w.Prompt().ShowError(TfrmMain::tr("画像を保存できませんでした。\n") +
                             QString::fromUtf8(error.what()));
        throw EAbort();
    } catch (const std::bad_alloc&) {
        w.Prompt().ShowError(TfrmMain::tr("画像の保存中にメモリが足りなくなりました。%1 は保存されていません")
                                 .arg(ShownName(name)));
        throw EAbort();
    }
}

// Saving waits for the drawing: its menu item and button are disabled while
// one runs, and a shortcut or a click that arrives all the same does nothing.
void RefuseWhileDrawing(TfrmMain& w) {
    if (w.Vistal().Drawing()) throw EAbort();
}

// The save command's work: asks for name and type and writes the file. The
// name of the file written, or nothing when the user cancelled.
std::optional<QString> SavePicture(TfrmMain& w) {
    RefuseWhileDrawing(w);
    TFileRequest& dialog = w.dlgSave;
    if (w.Global().BmpAlways) dialog.InitialDir = QString::fromStdString(w.Global().BmpFiles());
    const std::optional<TFileChoice> choice = w.Prompt().SaveFile(dialog);
    if (!choice || choice->FileName.isEmpty()) return std::nullopt;
    // The dialog keeps its name, filter and folder for the next time.
    const QFileInfo chosenInfo(choice->FileName);
    dialog.FileName = chosenInfo.fileName();
    dialog.FilterIndex = choice->FilterIndex;
    dialog.InitialDir = chosenInfo.absolutePath();

    const std::string chosen = LocalName(choice->FileName);
    const TImageFileType type = FileTypeOfFilter(chosen, choice->FilterIndex);
    const std::string name = AddExtension(chosen, type);
    // The dialog asked about replacing the name it was given, not about the
    // one the extension made.
    if (name != chosen && QFileInfo::exists(ShownName(name)) &&
        !w.Prompt().Confirm(TfrmMain::tr("%1 は既にあります。\n置き換えますか？").arg(ShownName(name))))
        return std::nullopt;
    WritePicture(w, name, type);
    return ShownName(name);
}

// The fixed wallpaper file: a name without a folder lives in the program's
// data folder, $XDG_DATA_HOME/Zelt/Vistal, which is made when missing.
QString FixedWallpaperFile(TfrmMain& w) {
    QString name = QString::fromStdString(w.Global().KabegamiFileName);
    if (name.isEmpty()) name = QString::fromLatin1(kDefaultWallpaperName);
    if (name.contains('/')) return QFileInfo(name).absoluteFilePath();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/Zelt/Vistal");
    if (!QDir().mkpath(folder)) {
        w.Prompt().ShowError(TfrmMain::tr("ﾌｫﾙﾀﾞ %1 を作れません").arg(folder));
        throw EAbort();
    }
    return folder + '/' + name;
}

} // namespace

TFileRequest TfrmMain::PictureSaveRequest() {
    TFileRequest request;
    request.Title = tr("ﾋﾞｯﾄﾏｯﾌﾟの保存");
    request.Filter = tr("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png|JPEGﾌｧｲﾙ(*.jpeg;*.jpg)|"
                        "*.jpeg;*.jpg|全てのﾌｧｲﾙ|*");
    return request;
}

void TfrmMain::mnuFileSaveClick() {
    SavePicture(*this);
}

void TfrmMain::mnuFileSetWPCenterClick(int mode) {
    if (mode != wmTile && mode != wmCentre) {
        Prompt().ShowError(tr("あり得ないエラーです(mnuFlieSetWPCenterClick)"));
        throw EAbort();
    }
    RefuseWhileDrawing(*this);
    // On a desktop whose wallpaper cannot be set, say so before any file is asked for or written.
    QString why;
    if (!CanSetWallpaper(WallpaperEnvironment, &why)) {
        Prompt().ShowError(tr("壁紙に設定できません。\n") + why);
        throw EAbort();
    }
    QString file;
    if (Global().KabegamiMode) {
        file = FixedWallpaperFile(*this);
        const std::string name = LocalName(file);
        // The type its extension names; BMP for any other name.
        WritePicture(*this, name, FileTypeOfName(name).value_or(ftBmp));
    } else {
        // The file the user saves, with the extension saving gave it; a
        // cancelled dialog sets nothing.
        const std::optional<QString> saved = SavePicture(*this);
        if (!saved) return;
        file = QFileInfo(*saved).absoluteFilePath();
    }
    if (!SetWallpaper(file, mode, WallpaperEnvironment, &why)) {
        Prompt().ShowError(tr("画像は %1 に保存しましたが、壁紙に設定できませんでした。\n").arg(file) + why);
        throw EAbort();
    }
}

void TfrmMain::mnuFileClipBoardClick() {
    const TBitmap& picture = Vistal().GetImage();
    if (picture.Empty()) return;
    // A copy: the clipboard keeps its picture after the engine's is redrawn.
    QGuiApplication::clipboard()->setImage(ImageOf(picture).convertToFormat(QImage::Format_RGB32));
}

} // namespace vistal::ui
