// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer's own command line: --help and --version answer on the terminal
// without opening a window; anything else is left to the window (an optional
// file to open) and to Qt's own options. Without a display, or with an option
// neither the program nor Qt knows, one line on stderr ends the program.
#pragma once

#include "base/Language.h"

#include <QApplication>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <optional>

namespace vistal::ui {

// The text of vistal --help in a language; it names the help page found from
// executableDir.
QString CommandLineHelp(const QString& executableDir, TLanguage language = TLanguage::Japanese);

// Answers -h/--help and --version (the first of them wins; nothing after "--"
// counts as an option). args are the arguments after the program's name.
// Returns the exit status when the command line has been answered (0, or 1 when
// the answer could not be written), nullopt when the window should open.
std::optional<int> AnswerCommandLine(const QStringList& args, const QString& executableDir, FILE* out,
                                     TLanguage language = TLanguage::Japanese);

// The same for main()'s arguments, before any Qt object exists; the help page
// is looked for from the running program's folder.
std::optional<int> AnswerCommandLine(int argc, char** argv, FILE* out = stdout,
                                     TLanguage language = TLanguage::Japanese);

// Takes "--lang ja|en" (or "--lang=ja|en"; the last one counts) out of main()'s
// arguments, before "--", into language. A missing or other value is refused
// with one line on err: the exit status 2; nullopt otherwise.
std::optional<int> TakeLanguageOption(int& argc, char** argv, std::optional<TLanguage>& language,
                                      FILE* err = stderr);

// The application, or the exit status 1 after one line on stderr when no
// window can be opened: no platform is chosen (-platform, QT_QPA_PLATFORM) and
// neither DISPLAY nor WAYLAND_DISPLAY is set, or Qt's platform plugin fails
// (a display that does not answer). Qt's messages while it starts are passed
// on when it starts, and left out when it fails.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);

// The arguments left once Qt has taken its own options: an option among them
// (a word starting with "-", before "--") is refused with one line on err and
// the exit status 2; nullopt when there is none.
std::optional<int> RefuseUnknownOption(const QStringList& args, FILE* err = stderr);

} // namespace vistal::ui
