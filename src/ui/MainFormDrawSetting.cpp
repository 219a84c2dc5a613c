// TfrmMain, continued. The draw-setting window, which follows every drawing, and colour 0.
#include "ui/MainForm.h"

namespace vistal::ui {

void TfrmMain::mnuOptionDrawSettingClick() {}

void TfrmMain::mnuOptionPalletCustomColorClick() {}

void TfrmMain::RefreshDrawSettingDialog() {}

} // namespace vistal::ui
