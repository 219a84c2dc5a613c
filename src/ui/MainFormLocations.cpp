// TfrmMain, continued. Locations: the recommendation lists, the scenic-spot files and the files
// dropped on the window.
#include "ui/MainForm.h"

#include "locations/UFss.h"
#include "ui/DroppedFile.h"
#include "ui/EntryDialog.h"
#include "ui/MainFormTarget.h"
#include "ui/VrpDialog.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QTimer>

namespace vistal::ui {

namespace {

const QString kScenicSpotFilter = QStringLiteral("Fractal景勝地データ(*.fss)|*.fss");

TFileRequest ScenicSpotRequest(const QString& title, const QString& fileName) {
    TFileRequest request;
    request.Title = title;
    request.Filter = kScenicSpotFilter;
    request.DefaultSuffix = QStringLiteral("fss");
    request.FileName = fileName;
    return request;
}

} // namespace

void TfrmMain::mnuRecoRecommendationOpenClick() {
    if (!frmVrpDialog) return;
    // No repaint of a drawing under way while the list is up.
    const int interval = timDraw->isActive() ? timDraw->interval() : 0;
    timDraw->stop();
    if (prompt_->Exec(*frmVrpDialog) == QDialog::Accepted) {
        mnuFileDrawClick(mnuRecoRecommendationOpen);
    } else if (interval > 0) {
        timDraw->start(interval);
    }
}

void TfrmMain::mnuRecoEntryClick() {
    if (frmEntry) prompt_->Exec(*frmEntry);
}

void TfrmMain::mnuRecoLoadClick() {
    TFileRequest request = ScenicSpotRequest(QStringLiteral("景勝地ﾌｧｲﾙを開く"), ScenicSpotFileName);
    request.MustExist = true;
    const std::optional<TFileChoice> choice = prompt_->OpenFile(request);
    if (!choice) return;
    ScenicSpotFileName = choice->FileName;
    OpenLocationFile(choice->FileName);
}

void TfrmMain::mnuRecoSaveClick() {
    const std::optional<TFileChoice> choice =
        prompt_->SaveFile(ScenicSpotRequest(QStringLiteral("景勝地ﾌｧｲﾙの保存"), ScenicSpotFileName));
    if (!choice) return;
    ScenicSpotFileName = choice->FileName;
    const std::string error =
        vistal::SaveLocationFile(choice->FileName.toStdString(), Vistal(), Global().PaletteName);
    if (!error.empty()) prompt_->ShowError(QString::fromStdString(error));
}

void TfrmMain::OpenLocationFile(const QString& fileName) {
    TMainFormTarget target(*this);
    const TLocationResult result = vistal::OpenLocationFile(fileName.toStdString(), target);
    // Shade-off is written straight into the engine; its menu check follows.
    SelectShadeOff(Vistal().ShadeOff);
    if (!result.Message.empty()) prompt_->ShowError(QString::fromStdString(result.Message));
    mnuFileDrawClick(mnuRecoLoad);
}

void TfrmMain::FormDropFile(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == QLatin1String("vcp")) {
        ApplyVcpFile(fileName);
        RedrawOnPaletteChange();
    } else if (extension == QLatin1String("fss")) {
        OpenLocationFile(fileName);
    } else {
        prompt_->ShowError(fileName + QStringLiteral("\r\nは扱えません。"));
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
