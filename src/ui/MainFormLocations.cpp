// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmMain, continued. Locations: the recommendation lists, the scenic-spot files and the files
// dropped on the window.
#include "ui/MainForm.h"

#include "locations/UFss.h"
#include "ui/DroppedFile.h"
#include "ui/EntryDialog.h"
#include "ui/Language.h"
#include "ui/VrpDialog.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QTimer>

namespace vistal::ui {

namespace {

QString ScenicSpotFilter() {
    return TfrmMain::tr("Fractal景勝地データ(*.fss)|*.fss");
}

TFileRequest ScenicSpotRequest(const QString& title, const QString& fileName) {
    TFileRequest request;
    request.Title = title;
    request.Filter = ScenicSpotFilter();
    request.DefaultSuffix = QStringLiteral("fss");
    request.FileName = fileName;
    return request;
}

} // namespace

void TfrmMain::mnuRecoRecommendationOpenClick() {
    if (!frmVrpDialog_) return;
    // No repaint of a drawing under way while the list is up.
    const int interval = explorer_.PauseRepaint();
    if (prompt_->Exec(*frmVrpDialog_) == QDialog::Accepted)
        explorer_.Draw(TDrawSource::Dialog);
    else
        explorer_.ResumeRepaint(interval);
}

void TfrmMain::mnuRecoEntryClick() {
    if (frmEntry_) prompt_->Exec(*frmEntry_);
}

void TfrmMain::mnuRecoLoadClick() {
    TFileRequest request = ScenicSpotRequest(tr("景勝地ﾌｧｲﾙを開く"), ScenicSpotFileName);
    request.MustExist = true;
    const std::optional<TFileChoice> choice = prompt_->OpenFile(request);
    if (!choice) return;
    ScenicSpotFileName = choice->FileName;
    explorer_.OpenLocationFile(choice->FileName.toStdString(), TDrawSource::Menu);
}

void TfrmMain::mnuRecoSaveClick() {
    const std::optional<TFileChoice> choice =
        prompt_->SaveFile(ScenicSpotRequest(tr("景勝地ﾌｧｲﾙの保存"), ScenicSpotFileName));
    if (!choice) return;
    ScenicSpotFileName = choice->FileName;
    const std::string error = vistal::SaveLocationFile(choice->FileName.toStdString(), Vistal(),
                                                       Global().PaletteName, InterfaceLanguage());
    if (!error.empty()) prompt_->ShowError(QString::fromStdString(error));
}

void TfrmMain::FormDropFile(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == QLatin1String("vcp")) {
        explorer_.ChooseVcpFile(fileName.toStdString());
    } else if (extension == QLatin1String("fss")) {
        explorer_.OpenLocationFile(fileName.toStdString(), TDrawSource::Dialog);
    } else {
        prompt_->ShowError(tr("%1\r\nは扱えません。").arg(fileName));
    }
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!FirstDroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
    const QString file = FirstDroppedFile(event->mimeData());
    if (file.isEmpty()) return;
    event->acceptProposedAction();
    // The drop is finished first: the file may take a drawing or an error box.
    QTimer::singleShot(0, this, [this, file] { Command([&] { FormDropFile(file); }); });
}

} // namespace vistal::ui
