// SPDX-License-Identifier: GPL-3.0-or-later
// The help command: finds the help page and opens it in the user's browser.
#pragma once

#include "base/Language.h"

#include <QString>

namespace vistal::ui {

class TPrompt;

// The help page of a language: Help.html (Japanese) or Help.en.html (English).
QString HelpPageName(TLanguage language);

// The folder that holds the help page, with a trailing "/": "<executable
// folder>/Help/" beside a program run from its build or unpacked folder; else
// the first that holds the page of "<prefix>/share/doc/vistal/" for a program
// installed in "<prefix>/bin" and "doc/vistal/" in each of the XDG data
// folders ($XDG_DATA_HOME, $XDG_DATA_DIRS). When none does it is the first,
// which the error message then names.
QString HelpFolder(const QString& executableDir, const QString& page = QStringLiteral("Help.html"));

// ﾍﾙﾌﾟ(&H): opens the page of the window's language (InterfaceLanguage) in the
// help folder through the prompt, or reports a missing folder or page with
// ShowError. The line breaks of the messages are "\n", the line break of a
// message box on this system.
void OpenHelp(TPrompt& prompt, const QString& executableDir);

} // namespace vistal::ui
