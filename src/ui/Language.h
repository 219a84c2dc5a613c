// SPDX-License-Identifier: GPL-3.0-or-later
// The language of the window. Every text is written in Japanese; a run in
// English installs the program's English translation (vistal_en.qm), a run in
// Japanese Qt's own Japanese, so that Qt's dialogs and buttons (file and
// colour dialogs, message boxes) speak the language of the rest.
#pragma once

#include "base/Language.h"

#include <QString>
#include <optional>

class QCoreApplication;

namespace vistal::ui {

// The language of the window's texts: Japanese until InstallLanguage chooses
// another.
TLanguage InterfaceLanguage();

// The language of a run: the one --lang names, else the one chosen in the
// options, else the locale's.
TLanguage ChooseLanguage(std::optional<TLanguage> commandLine, std::optional<TLanguage> settings,
                         TLanguage locale);

// Where the program's translations are: "<executable folder>/translations/"
// beside a program run from its build folder, else the first that holds them
// of "<prefix>/share/vistal/translations/" for a program installed in
// "<prefix>/bin" and "vistal/translations/" in each of the XDG data folders.
// Empty when none does.
QString TranslationFolder(const QString& executableDir);

// Makes language the window's: installs its translations on the application
// in place of the ones installed before, and sets InterfaceLanguage. False
// when a translation file is not found; those texts then stay as written.
bool InstallLanguage(QCoreApplication& app, TLanguage language, const QString& executableDir);

// Installs Qt's Japanese translation on the application; false when the
// translation files are not installed (Qt's texts then stay English).
bool InstallQtJapanese(QCoreApplication& app);

} // namespace vistal::ui
