// TfrmMain, continued. The picture leaves the window: saved as a file, put on the clipboard, set as
// the desktop wallpaper.
#include "ui/MainForm.h"

namespace vistal::ui {

void TfrmMain::mnuFileSaveClick() {}

void TfrmMain::mnuFileSetWPCenterClick(QObject* /*sender*/) {}

void TfrmMain::mnuFileClipBoardClick() {}

} // namespace vistal::ui
