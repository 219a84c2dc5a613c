// TfrmMain, continued. The draw-setting window, which follows every drawing, and colour 0.
#include "ui/DrawSettingDialog.h"
#include "ui/MainForm.h"
#include "ui/UCustomColor.h"

namespace vistal::ui {

void TfrmMain::mnuOptionDrawSettingClick() {
    if (!frmDrawSettingDialog) return;
    frmDrawSettingDialog->show();
    frmDrawSettingDialog->raise();
    frmDrawSettingDialog->activateWindow();
}

void TfrmMain::mnuOptionPalletCustomColorClick() {
    TVistal& e = Vistal();
    TfrmCustomColor dialog(*prompt_, this);
    dialog.SetUseColor0(e.UseColor0);
    dialog.SetColor(e.Color0());
    if (prompt_->Exec(dialog) != QDialog::Accepted) return;
    e.UseColor0 = dialog.UseColor0();
    e.SetColor0(dialog.GetColor());
    // The new colour 0 reaches the palette at the next drawing.
    RedrawOnPaletteChange();
}

void TfrmMain::RefreshDrawSettingDialog() {
    if (frmDrawSettingDialog) frmDrawSettingDialog->SetCurrentValues();
}

} // namespace vistal::ui
