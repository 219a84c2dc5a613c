// The explorer's own command line: --help and --version answer on the terminal
// without opening a window; anything else is left to the window (an optional
// recommendation list) and to Qt's own options.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

namespace vistal::ui {

// The text of vistal --help; it names the help page found from executableDir.
QString CommandLineHelp(const QString& executableDir);

// Answers -h/--help and --version (the first of them wins; nothing after "--"
// counts as an option). args are the arguments after the program's name.
// Returns the exit status when the command line has been answered (0, or 1 when
// the answer could not be written), nullopt when the window should open.
std::optional<int> AnswerCommandLine(const QStringList& args, const QString& executableDir, FILE* out);

// The same for main()'s arguments, before any Qt object exists; the help page
// is looked for from the running program's folder.
std::optional<int> AnswerCommandLine(int argc, char** argv, FILE* out = stdout);

} // namespace vistal::ui
