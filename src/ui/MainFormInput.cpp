// TfrmMain, continued. Typed values and the parameter dialogs: the 指定 items of the option menu,
// the palette file, the coordinate and Julia constant dialogs and the options.
#include "ui/MainForm.h"

namespace vistal::ui {

void TfrmMain::mnuOptionZoomUserClick() {}

void TfrmMain::mnuOptionSizeUserClick() {}

void TfrmMain::mnuOptionIterationUserClick() {}

void TfrmMain::mnuOptionDetailUserClick() {}

void TfrmMain::mnuOptionPaletteReadVCPClick() {}

void TfrmMain::mnuOptionPowerUserClick() {}

void TfrmMain::mnuOptionManualMoveClick() {}

void TfrmMain::mnuOptionJuliaConstClick() {}

void TfrmMain::mnuOptionModeCorrectionUserClick() {}

void TfrmMain::mnuOptionModeEscapeUserClick() {}

void TfrmMain::mnuOptionRefreshUserClick() {}

void TfrmMain::mnuOptionOptionClick() {}

} // namespace vistal::ui
