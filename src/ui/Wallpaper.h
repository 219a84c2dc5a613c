// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop wallpaper. Each desktop keeps its wallpaper in its own settings:
// GNOME and the desktops built on it in GSettings (gsettings), Xfce in xfconf
// (xfconf-query), KDE Plasma in its shell, reached through its D-Bus scripting
// interface (dbus-send). The desktop is told by XDG_CURRENT_DESKTOP, else by
// DESKTOP_SESSION; on any other desktop, or without its tool, the wallpaper
// cannot be set and the caller hears so. The tools run as child processes
// with argument lists, never through a shell.
#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace vistal::ui {

// How the picture covers the desktop, numbered as the program's wallpaper
// commands number them.
enum TWallpaperMode : int { wmCentre = 0, wmTile = 1, wmStretch = 2 };

enum class TDesktop { Other, Gnome, Xfce, Plasma };

// The desktop the environment names.
TDesktop DesktopOf(const QProcessEnvironment& env);

// True when the wallpaper of the desktop that env names can be set: the
// desktop is one of the three and its tool is on env's PATH. Otherwise false,
// and why (a Japanese sentence) in *why when given.
bool CanSetWallpaper(const QProcessEnvironment& env, QString* why = nullptr);

// Makes fileName (made absolute first) the wallpaper of the desktop that env
// names, tiled, centred or stretched by mode (TWallpaperMode; any other value
// tiles). The tools run in env. True when every setting was taken; otherwise
// false, and why in *why when given.
bool SetWallpaper(const QString& fileName, int mode,
                  const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                  QString* why = nullptr);

} // namespace vistal::ui
