// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop wallpaper through the real gsettings, with its settings kept in a
// temporary folder; the desktop told by the environment; failures reported.
#include "ui/Wallpaper.h"
#include "support/DesktopSettings.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace vistal::test {

using ui::TDesktop;

namespace {

// A session bus of the test's own, for Xfce's settings daemon, which the bus
// starts on demand and which ends with it.
class TPrivateBus {
public:
    explicit TPrivateBus(const QProcessEnvironment& env) {
        daemon_.setProcessEnvironment(env);
        daemon_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                      QStringLiteral("--print-address=1")});
        if (daemon_.waitForStarted(15000) && daemon_.waitForReadyRead(15000))
            Address = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~TPrivateBus() {
        daemon_.terminate();
        if (!daemon_.waitForFinished(5000)) daemon_.kill();
        daemon_.waitForFinished();
    }
    QString Address;

private:
    QProcess daemon_;
};

QString Xfconf(const QProcessEnvironment& env, const QStringList& arguments) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("xfconf-query"),
            QStringList{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")} + arguments);
    if (!p.waitForFinished(15000) || p.exitCode() != 0) return QStringLiteral("<xfconf-query failed>");
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

} // namespace

TEST(Wallpaper, TheDesktopIsToldByTheEnvironment) {
    const auto desktop = [](const QString& current, const QString& session) {
        QProcessEnvironment env;
        if (!current.isNull()) env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), current);
        if (!session.isNull()) env.insert(QStringLiteral("DESKTOP_SESSION"), session);
        return ui::DesktopOf(env);
    };
    EXPECT_EQ(desktop(QStringLiteral("ubuntu:GNOME"), {}), TDesktop::Gnome);
    EXPECT_EQ(desktop(QStringLiteral("Budgie:GNOME"), {}), TDesktop::Gnome);
    EXPECT_EQ(desktop(QStringLiteral("XFCE"), QStringLiteral("gnome")), TDesktop::Xfce);
    EXPECT_EQ(desktop(QStringLiteral("KDE"), {}), TDesktop::Plasma);
    EXPECT_EQ(desktop({}, QStringLiteral("plasmawayland")), TDesktop::Plasma);
    EXPECT_EQ(desktop(QStringLiteral("sway"), QStringLiteral("gnome")), TDesktop::Other);
    EXPECT_EQ(desktop({}, {}), TDesktop::Other);
}

TEST(Wallpaper, TiledAndCentredThroughGsettings) {
    QTemporaryDir config;
    const QProcessEnvironment env = GnomeEnvironment(config.path());
    ASSERT_TRUE(ui::CanSetWallpaper(env)) << "gsettings (libglib2.0-bin) is needed";
    // A relative name is made absolute; the URI is escaped.
    const QString uri =
        "'" +
        QUrl::fromLocalFile(QDir::current().absoluteFilePath("wall 1.png")).toString(QUrl::FullyEncoded) +
        "'";
    QString why;
    ASSERT_TRUE(ui::SetWallpaper(QStringLiteral("wall 1.png"), ui::wmTile, env, &why)) << why.toStdString();
    EXPECT_EQ(BackgroundKey(env, QStringLiteral("picture-uri")), uri);
    EXPECT_EQ(BackgroundKey(env, QStringLiteral("picture-uri-dark")), uri);
    EXPECT_EQ(BackgroundKey(env, QStringLiteral("picture-options")), QStringLiteral("'wallpaper'"));

    // Quotes in a name cannot end the value early.
    const QString odd = config.path() + QStringLiteral("/it's \"a\" \\ wall.bmp");
    ASSERT_TRUE(ui::SetWallpaper(odd, ui::wmCentre, env, &why)) << why.toStdString();
    EXPECT_EQ(QUrl(BackgroundKey(env, QStringLiteral("picture-uri")).mid(1).chopped(1)).toLocalFile(), odd);
    EXPECT_EQ(BackgroundKey(env, QStringLiteral("picture-options")), QStringLiteral("'centered'"));
}

TEST(Wallpaper, FailsWithoutASupportedDesktopOrItsTool) {
    QTemporaryDir config;
    QString why;

    QProcessEnvironment other = GnomeEnvironment(config.path());
    other.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("sway"));
    EXPECT_FALSE(ui::SetWallpaper(QStringLiteral("/tmp/w.bmp"), ui::wmTile, other, &why));
    EXPECT_TRUE(why.contains(QStringLiteral("sway"))) << why.toStdString();

    QProcessEnvironment noTool = GnomeEnvironment(config.path());
    noTool.insert(QStringLiteral("PATH"), config.path()); // a folder without gsettings
    EXPECT_FALSE(ui::CanSetWallpaper(noTool));
    EXPECT_FALSE(ui::SetWallpaper(QStringLiteral("/tmp/w.bmp"), ui::wmTile, noTool, &why));
    EXPECT_TRUE(why.contains(QStringLiteral("gsettings"))) << why.toStdString();

    // The tool is there but refuses: no GNOME settings schemas.
    QProcessEnvironment noSchema = GnomeEnvironment(config.path());
    noSchema.insert(QStringLiteral("GSETTINGS_SCHEMA_DIR"), config.path());
    noSchema.insert(QStringLiteral("XDG_DATA_DIRS"), config.path());
    EXPECT_TRUE(ui::CanSetWallpaper(noSchema));
    EXPECT_FALSE(ui::SetWallpaper(QStringLiteral("/tmp/w.bmp"), ui::wmTile, noSchema, &why));
    EXPECT_TRUE(why.startsWith(QStringLiteral("gsettings が失敗しました"))) << why.toStdString();
}

TEST(Wallpaper, EveryXfceMonitorAndWorkspaceThroughXfconfQuery) {
    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("XFCE"));
    const TPrivateBus bus(env);
    ASSERT_FALSE(bus.Address.isEmpty()) << "dbus-daemon is needed";
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.Address);
    ASSERT_TRUE(ui::CanSetWallpaper(env)) << "xfconf-query (xfconf) is needed";

    QString why;
    // The desktop has not made its wallpaper settings yet.
    EXPECT_FALSE(ui::SetWallpaper(QStringLiteral("/tmp/w.png"), ui::wmTile, env, &why));
    EXPECT_TRUE(why.startsWith(QStringLiteral("Xfce"))) << why.toStdString();

    const QStringList images = {QStringLiteral("/backdrop/screen0/monitorVirtual1/workspace0/last-image"),
                                QStringLiteral("/backdrop/screen0/monitor0/workspace1/last-image")};
    for (const QString& image : images)
        Xfconf(env, {QStringLiteral("-p"), image, QStringLiteral("-n"), QStringLiteral("-t"),
                     QStringLiteral("string"), QStringLiteral("-s"), QStringLiteral("old.png")});
    for (const auto& [mode, style] : {std::pair{ui::wmTile, "2"}, std::pair{ui::wmCentre, "1"}}) {
        ASSERT_TRUE(ui::SetWallpaper(QStringLiteral("wall.png"), mode, env, &why)) << why.toStdString();
        for (const QString& image : images) {
            EXPECT_EQ(Xfconf(env, {QStringLiteral("-p"), image}),
                      QDir::current().absoluteFilePath("wall.png"));
            EXPECT_EQ(Xfconf(env, {QStringLiteral("-p"), image.chopped(10) + QStringLiteral("image-style")}),
                      QString::fromLatin1(style));
        }
    }
}

} // namespace vistal::test
