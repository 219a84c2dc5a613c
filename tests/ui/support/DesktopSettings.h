// SPDX-License-Identifier: GPL-3.0-or-later
// A GNOME desktop for the wallpaper tests: the environment of a child process
// that names GNOME and keeps its settings with GSettings' keyfile backend in
// a folder of the test's own, so the user's desktop is never touched.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace vistal::test {

inline QProcessEnvironment GnomeEnvironment(const QString& configHome) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
    env.remove(QStringLiteral("DESKTOP_SESSION"));
    env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    return env;
}

// A key of org.gnome.desktop.background as gsettings prints it ("'wallpaper'").
inline QString BackgroundKey(const QProcessEnvironment& env, const QString& key) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("gsettings"),
            {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.background"), key});
    if (!p.waitForFinished(15000) || p.exitCode() != 0) return QStringLiteral("<gsettings failed>");
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

} // namespace vistal::test
