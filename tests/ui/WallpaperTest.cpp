// The desktop wallpaper through the real gsettings, with its settings kept in a
// temporary folder; the desktop told by the environment; failures reported.
#include "ui/Wallpaper.h"
#include "support/DesktopSettings.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace vistal::test {

using ui::TDesktop;

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

} // namespace vistal::test
