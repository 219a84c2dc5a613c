// TfrmMain, continued. Locations: the recommendation lists, the scenic-spot files and the files
// dropped on the window.
#include "ui/MainForm.h"

namespace vistal::ui {

void TfrmMain::mnuRecoRecommendationOpenClick() {}

void TfrmMain::mnuRecoEntryClick() {}

void TfrmMain::mnuRecoLoadClick() {}

void TfrmMain::mnuRecoSaveClick() {}

} // namespace vistal::ui
