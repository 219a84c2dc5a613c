// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmMain, continued. The draw-setting window, which follows every drawing, and colour 0.
#include "ui/DrawSettingDialog.h"
#include "ui/MainForm.h"
#include "ui/UCustomColor.h"

namespace vistal::ui {

void TfrmMain::mnuOptionDrawSettingClick() {
    if (!frmDrawSettingDialog_) return;
    frmDrawSettingDialog_->show();
    frmDrawSettingDialog_->raise();
    frmDrawSettingDialog_->activateWindow();
}

void TfrmMain::mnuOptionPalletCustomColorClick() {
    TVistal& e = Vistal();
    TfrmCustomColor dialog(*prompt_, this);
    dialog.SetUseColor0(e.UseColor0);
    dialog.SetColor(e.Color0());
    if (prompt_->Exec(dialog) == QDialog::Accepted)
        explorer_.SetColor0(dialog.UseColor0(), dialog.GetColor());
}

} // namespace vistal::ui
