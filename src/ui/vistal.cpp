// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer: the application titled "びすたる", its main window, then the
// windows that live as long as the program, in the order the program creates
// them.
#include "base/AtomicFile.h"
#include "locations/UGlobal.h"
#include "ui/AppIcon.h"
#include "ui/AppTitle.h"
#include "ui/CommandLine.h"
#include "ui/Language.h"
#include "ui/MainForm.h"

#include <QApplication>

int main(int argc, char** argv) {
    // The language: --lang, else the one chosen in the options, else the locale's.
    std::optional<vistal::TLanguage> chosen;
    if (const std::optional<int> status = vistal::ui::TakeLanguageOption(argc, argv, chosen)) return *status;
    vistal::TGlobal settings;
    settings.LoadSettings(vistal::SettingsFileName());
    const vistal::TLanguage language =
        vistal::ui::ChooseLanguage(chosen, settings.Language, vistal::LocaleLanguage());

    // --help and --version answer on the terminal, without a window.
    if (const std::optional<int> status = vistal::ui::AnswerCommandLine(argc, argv, stdout, language))
        return *status;

    // A signal that ends the program during a save removes the file being
    // written; set before Qt starts any thread. Qt handles none of these
    // signals itself (its child processes are watched through SIGCHLD).
    vistal::InstallAtomicWriteSignalHandlers();
    // Without a display: one line and the exit status 1. Then the options Qt
    // has left that nobody knows: one line and 2.
    const std::unique_ptr<QApplication> app = vistal::ui::StartApplication(argc, argv);
    if (!app) return 1;
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (const std::optional<int> status = vistal::ui::RefuseUnknownOption(arguments)) return *status;
    QApplication::setApplicationName(QStringLiteral("vistal"));
    vistal::ui::InstallLanguage(*app, language, QCoreApplication::applicationDirPath());
    vistal::ui::SetApplicationTitle(QCoreApplication::translate("vistal::ui::AppTitle", "びすたる"));
    QApplication::setWindowIcon(vistal::ui::AppIcon());

    vistal::ui::TfrmMain frmMain;
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("--")) arguments.removeFirst();
    frmMain.CreateDialogs(arguments);
    frmMain.show();
    return app->exec();
}
