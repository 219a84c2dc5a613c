// Every text of the program is Japanese, and so are the texts Qt's own
// dialogs bring with them (the file and colour dialogs, the buttons of message
// boxes), whatever the user's locale.
#pragma once

class QCoreApplication;

namespace vistal::ui {

// Installs Qt's Japanese translation on the application; false when the
// translation files are not installed (Qt's texts then stay English).
bool InstallQtJapanese(QCoreApplication& app);

} // namespace vistal::ui
