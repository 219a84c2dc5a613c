// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Help.h"

#include "ui/Language.h"
#include "ui/Prompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vistal::ui {

namespace {

// What the user has to do, after the name of the missing folder or page.
QString HelpHint() {
    return QCoreApplication::translate("vistal::ui::Help",
                                       "\n\nﾍﾙﾌﾟを見るためには実行ﾌｧｲﾙのあるﾌｫﾙﾀﾞの中に Help というﾌｫﾙﾀﾞを\n"
                                       "作り、このﾌｫﾙﾀﾞの中に Help.html というﾌｧｲﾙがなければいけません\n");
}

QString WithSlash(const QString& folder) {
    return folder.endsWith('/') ? folder : folder + '/';
}

} // namespace

QString HelpPageName(TLanguage language) {
    return language == TLanguage::English ? QStringLiteral("Help.en.html") : QStringLiteral("Help.html");
}

QString HelpFolder(const QString& executableDir, const QString& page) {
    const QString beside = WithSlash(QDir::cleanPath(executableDir + "/Help"));
    if (QFileInfo(beside).isDir()) return beside;
    // Installed: with the documentation, where the program's prefix keeps it
    // or where the desktop's data folders do.
    const QString installed = QDir::cleanPath(executableDir + "/../share/doc/vistal/" + page);
    if (QFileInfo(installed).isFile()) return WithSlash(QFileInfo(installed).path());
    const QString shared = QStandardPaths::locate(QStandardPaths::GenericDataLocation, "doc/vistal/" + page);
    if (!shared.isEmpty()) return WithSlash(QFileInfo(shared).path());
    return beside;
}

void OpenHelp(TPrompt& prompt, const QString& executableDir) {
    const QString name = HelpPageName(InterfaceLanguage());
    const QString folder = HelpFolder(executableDir, name);
    if (!QFileInfo(folder).isDir()) {
        prompt.ShowError(QCoreApplication::translate("vistal::ui::Help", "%1 が見つかりません").arg(folder) +
                         HelpHint());
        return;
    }
    const QString page = folder + name;
    if (!QFileInfo(page).isFile()) {
        prompt.ShowError(QCoreApplication::translate("vistal::ui::Help", "%1 が見つかりません").arg(name) +
                         HelpHint());
        return;
    }
    // A desktop without a browser (or without a way to start one) must not look
    // like a page that opened.
    if (!prompt.OpenDocument(page))
        prompt.ShowError(QCoreApplication::translate("vistal::ui::Help", "%1 を開けませんでした").arg(page));
}

} // namespace vistal::ui
