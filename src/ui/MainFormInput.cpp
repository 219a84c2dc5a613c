// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmMain, continued. Typed values and the parameter dialogs: the 指定 items of the option menu,
// the palette file, the coordinate and Julia constant dialogs and the options.
#include "ui/MainForm.h"

#include "base/UFormat.h"
#include "engine/PictureMemory.h"
#include "ui/Move.h"
#include "ui/NumberText.h"
#include "ui/OptionDialog.h"
#include "ui/SetJuliaConstDialog.h"
#include "ui/UserSetting.h"

#include <QDir>
#include <QFileInfo>
#include <climits>

namespace vistal::ui {

namespace {

// What a 指定 item asks: its name and the value in use, "繰り返し回数（現在値：256）".
QString Asking(const QString& what, const QString& current) {
    return TfrmMain::tr("%1（現在値：%2）").arg(what, current);
}

// 書換頻度 is typed in tenths of a second and kept in milliseconds, which
// must fit an int.
constexpr int kMaxRefreshTenths = INT_MAX / 100;

} // namespace

void TfrmMain::CreateInputDialogs() {
    dlgInteger = new TIntegerDialog(*prompt_, this);
    dlgInteger->setObjectName("dlgInteger");
    dlgInteger->Caption = tr("びすたる");
    dlgInteger->ErrorMessage = tr("整数値を入れてください");
    dlgFloat = new TInputFloatDialog(*prompt_, this);
    dlgFloat->setObjectName("dlgFloat");
    dlgFloat->Caption = tr("びすたる");
    dlgFloat->ErrorMessage = tr("整数値を入れてください");
    dlgFloat->SetMax(2147483647.0);
    dlgOpen.Title = tr("VCPﾌｧｲﾙを開く");
    dlgOpen.Filter = tr("VCPﾌｧｲﾙ(*.VCP)|*.vcp|全てのﾌｧｲﾙ|*");
    dlgOpen.MustExist = true;
}

void TfrmMain::RefusePictureSize(const TSizeRefusal& refusal) {
    const QString size = QStringLiteral("%1 x %2").arg(refusal.Size.Width).arg(refusal.Size.Height);
    if (!refusal.Memory) {
        prompt_->ShowError(tr("表示ｻｲｽﾞ %1 の絵は描けません\n縦横とも 1 から %2 までにしてください")
                               .arg(size)
                               .arg(kMaxPictureSide));
        return;
    }
    prompt_->ShowError(tr("表示ｻｲｽﾞ %1 の絵を描くにはメモリが足りません\n要る量 %2、使える量 %3")
                           .arg(size, QString::fromStdString(FormatByteSize(refusal.Need, true)),
                                QString::fromStdString(FormatByteSize(refusal.Available, false))));
}

void TfrmMain::mnuOptionZoomUserClick() {
    dlgInteger->Information = Asking(tr("拡縮の度合い"), QString::number(Vistal().ZoomFactor()));
    dlgInteger->SetMin(1);
    if (dlgInteger->Execute()) explorer_.SelectZoomUser(dlgInteger->Value);
}

void TfrmMain::mnuOptionSizeUserClick() {
    TfrmSetting dialog(Vistal(), *prompt_, this);
    if (prompt_->Exec(dialog) == QDialog::Accepted)
        explorer_.SelectSizeUser(dialog.NewWidth, dialog.NewHeight);
}

void TfrmMain::mnuOptionIterationUserClick() {
    dlgInteger->Information = Asking(tr("繰り返し回数"), QString::number(Vistal().Iteration()));
    dlgInteger->SetMin(1);
    if (dlgInteger->Execute()) explorer_.SelectIteration(dlgInteger->Value);
}

void TfrmMain::mnuOptionDetailUserClick() {
    dlgInteger->Information = Asking(tr("分解能"), QString::number(Vistal().Detail()));
    dlgInteger->SetMin(1);
    if (dlgInteger->Execute()) explorer_.SelectDetail(dlgInteger->Value);
}

void TfrmMain::mnuOptionPaletteReadVCPClick() {
    const TGlobal& g = Global();
    if (g.VcpAlways) dlgOpen.InitialDir = QString::fromStdString(g.VcpFiles());
    dlgOpen.FileName = QString::fromStdString(explorer_.VcpFileName());
    TFileRequest request = dlgOpen;
    // The dialog opens where the file last read lies, unless a folder of the
    // settings says where to start.
    if (!request.InitialDir.isEmpty() && !request.FileName.isEmpty()) {
        const QFileInfo last(request.FileName);
        request.FileName =
            QFileInfo(QDir(request.InitialDir), last.fileName()) == last ? last.fileName() : QString();
    }
    const std::optional<TFileChoice> choice = prompt_->OpenFile(request);
    if (!choice) return;
    dlgOpen.FilterIndex = choice->FilterIndex;
    explorer_.ChooseVcpFile(choice->FileName.toStdString());
}

void TfrmMain::mnuOptionPowerUserClick() {
    dlgInteger->Information = Asking(tr("巾乗"), QString::number(Vistal().Pow()));
    dlgInteger->SetMin(2);
    const bool ok = dlgInteger->Execute();
    explorer_.DrawPower(ok ? std::optional<int>(dlgInteger->Value) : std::nullopt, TDrawSource::Menu);
}

void TfrmMain::mnuOptionManualMoveClick() {
    TfrmMove dialog(explorer_, *prompt_, this);
    if (prompt_->Exec(dialog) == QDialog::Accepted) explorer_.Draw(TDrawSource::Dialog);
}

void TfrmMain::mnuOptionJuliaConstClick() {
    if (Vistal().Formula() != fmJulia) return;
    TfrmSetJuliaConstDialog dialog(explorer_, *prompt_, this);
    explorer_.JuliaConstantChosen(prompt_->Exec(dialog) == QDialog::Accepted);
}

void TfrmMain::mnuOptionModeCorrectionUserClick() {
    // The limits are this command's alone: whatever the dialog had before is
    // back afterwards, however the dialog ends.
    struct TRestoreLimits {
        TInputFloatDialog& dialog;
        double min = dialog.Min(), max = dialog.Max();
        ~TRestoreLimits() {
            dialog.SetMax(max);
            dialog.SetMin(min);
        }
    } restore{*dlgFloat};
    dlgFloat->Information = Asking(tr("補正係数"), FloatText(Vistal().Correction()));
    dlgFloat->SetMin(-100.0);
    dlgFloat->SetMax(100.0);
    if (dlgFloat->Execute()) explorer_.SelectCorrection(dlgFloat->Value);
}

void TfrmMain::mnuOptionModeEscapeUserClick() {
    dlgFloat->Information = Asking(tr("打切判定数"), FloatText(Vistal().Escape()));
    dlgFloat->SetMin(1.0);
    if (dlgFloat->Execute()) explorer_.SelectEscape(dlgFloat->Value);
}

void TfrmMain::mnuOptionRefreshUserClick() {
    // Tenths of a second whose milliseconds an int cannot hold are refused by
    // the dialog, with the largest it takes; the limit is this command's alone.
    struct TRestoreMax {
        TIntegerDialog& dialog;
        int max = dialog.Max();
        ~TRestoreMax() { dialog.SetMax(max); }
    } restore{*dlgInteger};
    dlgInteger->Information = Asking(tr("書換頻度"), QString::number(explorer_.RefreshInterval() / 100));
    dlgInteger->SetMin(0);
    dlgInteger->SetMax(std::min(dlgInteger->Max(), kMaxRefreshTenths));
    if (dlgInteger->Execute()) explorer_.SelectRefreshUser(dlgInteger->Value);
}

void TfrmMain::mnuOptionOptionClick() {
    TfrmOption dialog(Global(), *prompt_, this);
    // A folder unchecked: its file dialog no longer starts in a folder of its own.
    connect(&dialog, &TfrmOption::BmpFolderReleased, this, [this] { dlgSave.InitialDir.clear(); });
    connect(&dialog, &TfrmOption::VcpFolderReleased, this, [this] { dlgOpen.InitialDir.clear(); });
    prompt_->Exec(dialog);
}

} // namespace vistal::ui
