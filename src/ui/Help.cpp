#include "ui/Help.h"

#include "ui/Prompt.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vistal::ui {

namespace {

// What the user has to do, after the name of the missing folder or page.
const QString kHelpHint =
    QStringLiteral("\n\nﾍﾙﾌﾟを見るためには実行ﾌｧｲﾙのあるﾌｫﾙﾀﾞの中に Help というﾌｫﾙﾀﾞを\n"
                   "作り、このﾌｫﾙﾀﾞの中に Help.html というﾌｧｲﾙがなければいけません\n");

QString WithSlash(const QString& folder) {
    return folder.endsWith('/') ? folder : folder + '/';
}

} // namespace

QString HelpFolder(const QString& executableDir) {
    const QString beside = WithSlash(QDir::cleanPath(executableDir + "/Help"));
    if (QFileInfo(beside).isDir()) return beside;
    // Installed: with the documentation, where the program's prefix keeps it
    // or where the desktop's data folders do.
    const QString installed = QDir::cleanPath(executableDir + "/../share/doc/vistal/Help.html");
    if (QFileInfo(installed).isFile()) return WithSlash(QFileInfo(installed).path());
    const QString shared =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, "doc/vistal/Help.html");
    if (!shared.isEmpty()) return WithSlash(QFileInfo(shared).path());
    return beside;
}

void OpenHelp(TPrompt& prompt, const QString& executableDir) {
    const QString folder = HelpFolder(executableDir);
    if (!QFileInfo(folder).isDir()) {
        prompt.ShowError(folder + " が見つかりません" + kHelpHint);
        return;
    }
    const QString page = folder + "Help.html";
    if (!QFileInfo(page).isFile()) {
        prompt.ShowError("Help.html が見つかりません" + kHelpHint);
        return;
    }
    // A desktop without a browser (or without a way to start one) must not look
    // like a page that opened.
    if (!prompt.OpenDocument(page)) prompt.ShowError(page + " を開けませんでした");
}

} // namespace vistal::ui
