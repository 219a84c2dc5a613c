// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Wallpaper.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace vistal::ui {

namespace {

// A desktop tool answers at once; one that hangs is given up after this.
constexpr int kToolTimeoutMs = 15000;

const QString kGsettings = QStringLiteral("gsettings");
const QString kXfconfQuery = QStringLiteral("xfconf-query");
const QString kDbusSend = QStringLiteral("dbus-send");
const QString kGnomeSchema = QStringLiteral("org.gnome.desktop.background");

TDesktop DesktopOfName(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n.isEmpty()) return TDesktop::Other;
    // GNOME and the desktops that keep GNOME's background settings
    // ("ubuntu:GNOME", "Budgie:GNOME", "GNOME-Classic:GNOME", "Unity", "Pantheon").
    if (n.startsWith(QLatin1String("gnome")) || n == QLatin1String("unity") || n == QLatin1String("ubuntu") ||
        n == QLatin1String("pantheon"))
        return TDesktop::Gnome;
    if (n.startsWith(QLatin1String("xfce"))) return TDesktop::Xfce;
    if (n == QLatin1String("kde") || n.startsWith(QLatin1String("plasma"))) return TDesktop::Plasma;
    return TDesktop::Other;
}

QString ToolOf(TDesktop desktop) {
    switch (desktop) {
    case TDesktop::Gnome:
        return kGsettings;
    case TDesktop::Xfce:
        return kXfconfQuery;
    case TDesktop::Plasma:
        return kDbusSend;
    case TDesktop::Other:
        break;
    }
    return {};
}

// The tool's full path on env's PATH, or empty.
QString FindTool(const QString& name, const QProcessEnvironment& env) {
    const QStringList dirs = env.value(QStringLiteral("PATH")).split(':', Qt::SkipEmptyParts);
    if (dirs.isEmpty()) return {};
    return QStandardPaths::findExecutable(name, dirs);
}

QString DesktopName(const QProcessEnvironment& env) {
    QString name = env.value(QStringLiteral("XDG_CURRENT_DESKTOP")).trimmed();
    if (name.isEmpty()) name = env.value(QStringLiteral("DESKTOP_SESSION")).trimmed();
    return name.isEmpty() ? QCoreApplication::translate("vistal::ui::Wallpaper", "不明") : name;
}

void Tell(QString* why, const QString& text) {
    if (why) *why = text;
}

// One run of a tool; true when it ended by itself with status 0.
struct TToolRun {
    bool Ok = false;
    QString Out;
};

TToolRun RunTool(const QString& program, const QStringList& arguments, const QProcessEnvironment& env,
                 QString* why) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments, QIODevice::ReadOnly);
    const QString tool = QFileInfo(program).fileName();
    if (!process.waitForStarted(kToolTimeoutMs)) {
        Tell(why, QCoreApplication::translate("vistal::ui::Wallpaper", "%1 を起動できません: %2")
                      .arg(tool, process.errorString()));
        return {};
    }
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        Tell(why, QCoreApplication::translate("vistal::ui::Wallpaper", "%1 が応答しません").arg(tool));
        return {};
    }
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        QString text = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        if (text.isEmpty())
            text =
                QCoreApplication::translate("vistal::ui::Wallpaper", "終了コード %1").arg(process.exitCode());
        Tell(why,
             QCoreApplication::translate("vistal::ui::Wallpaper", "%1 が失敗しました: %2").arg(tool, text));
        return {};
    }
    return {true, out};
}

// A string as GVariant text: quoted, with quotes, backslashes and control
// characters escaped, so that no file name can change its meaning.
QString GVariantString(const QString& s) {
    QString out = QStringLiteral("'");
    for (const QChar c : s) {
        if (c == '\\' || c == '\'')
            out += '\\', out += c;
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + '\'';
}

// A string as a JavaScript literal, escaped the same way.
QString ScriptString(const QString& s) {
    QString out = QStringLiteral("\"");
    for (const QChar c : s) {
        if (c == '\\' || c == '"')
            out += '\\', out += c;
        else if (c.unicode() < 0x20 || c.unicode() == 0x2028 || c.unicode() == 0x2029)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + '"';
}

QString FileUri(const QString& path) {
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

bool SetGnome(const QString& tool, const QString& path, int mode, const QProcessEnvironment& env,
              QString* why) {
    const TToolRun keys = RunTool(tool, {QStringLiteral("list-keys"), kGnomeSchema}, env, why);
    if (!keys.Ok) return false;
    const QStringList known = keys.Out.split('\n', Qt::SkipEmptyParts);
    const QString options = mode == wmCentre    ? QStringLiteral("centered")
                            : mode == wmStretch ? QStringLiteral("stretched")
                                                : QStringLiteral("wallpaper");
    const QString uri = GVariantString(FileUri(path));
    QStringList order = {QStringLiteral("picture-uri")};
    // Older schemas have no picture for the dark style.
    if (known.contains(QStringLiteral("picture-uri-dark"))) order << QStringLiteral("picture-uri-dark");
    for (const QString& key : order)
        if (!RunTool(tool, {QStringLiteral("set"), kGnomeSchema, key, uri}, env, why).Ok) return false;
    return RunTool(tool,
                   {QStringLiteral("set"), kGnomeSchema, QStringLiteral("picture-options"),
                    GVariantString(options)},
                   env, why)
        .Ok;
}

bool SetXfce(const QString& tool, const QString& path, int mode, const QProcessEnvironment& env,
             QString* why) {
    const QString channel = QStringLiteral("xfce4-desktop");
    const TToolRun list = RunTool(tool, {QStringLiteral("-c"), channel, QStringLiteral("-l")}, env, why);
    if (!list.Ok) return false;
    // Every monitor and workspace has its own picture and style.
    static const QRegularExpression image(
        QStringLiteral("^/backdrop/screen[0-9]+/[^/]+/workspace[0-9]+/last-image$"));
    QStringList images;
    for (const QString& line : list.Out.split('\n', Qt::SkipEmptyParts))
        if (image.match(line.trimmed()).hasMatch()) images << line.trimmed();
    if (images.isEmpty()) {
        Tell(why, QCoreApplication::translate("vistal::ui::Wallpaper",
                                              "Xfce のﾃﾞｽｸﾄｯﾌﾟ設定に壁紙の項目がありません"));
        return false;
    }
    // xfdesktop's styles: 1 centred, 2 tiled, 3 stretched.
    const QString style = QString::number(mode == wmCentre ? 1 : mode == wmStretch ? 3 : 2);
    for (const QString& property : images) {
        const QString styleProperty =
            property.left(property.lastIndexOf('/')) + QStringLiteral("/image-style");
        const auto set = [&](const QString& p, const QString& type, const QString& value) {
            return RunTool(tool,
                           {QStringLiteral("-c"), channel, QStringLiteral("-p"), p, QStringLiteral("-n"),
                            QStringLiteral("-t"), type, QStringLiteral("-s"), value},
                           env, why)
                .Ok;
        };
        if (!set(property, QStringLiteral("string"), path) ||
            !set(styleProperty, QStringLiteral("int"), style))
            return false;
    }
    return true;
}

bool SetPlasma(const QString& tool, const QString& path, int mode, const QProcessEnvironment& env,
               QString* why) {
    // The fill modes of Plasma's picture wallpaper: 0 stretched, 3 tiled, 6 centred.
    const int fill = mode == wmCentre ? 6 : mode == wmStretch ? 0 : 3;
    const QString script =
        QStringLiteral("var all = desktops();\n"
                       "for (var i = 0; i < all.length; i++) {\n"
                       "    var d = all[i];\n"
                       "    d.wallpaperPlugin = \"org.kde.image\";\n"
                       "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
                       "    d.writeConfig(\"Image\", %1);\n"
                       "    d.writeConfig(\"FillMode\", %2);\n"
                       "}\n")
            .arg(ScriptString(FileUri(path)))
            .arg(fill);
    return RunTool(tool,
                   {QStringLiteral("--session"), QStringLiteral("--dest=org.kde.plasmashell"),
                    QStringLiteral("--type=method_call"), QStringLiteral("--print-reply"),
                    QStringLiteral("/PlasmaShell"), QStringLiteral("org.kde.PlasmaShell.evaluateScript"),
                    QStringLiteral("string:") + script},
                   env, why)
        .Ok;
}

} // namespace

TDesktop DesktopOf(const QProcessEnvironment& env) {
    const QString current = env.value(QStringLiteral("XDG_CURRENT_DESKTOP"));
    if (!current.trimmed().isEmpty()) {
        // A list, most specific first ("ubuntu:GNOME"); the first we know decides.
        for (const QString& name : current.split(':', Qt::SkipEmptyParts))
            if (const TDesktop d = DesktopOfName(name); d != TDesktop::Other) return d;
        return TDesktop::Other;
    }
    return DesktopOfName(env.value(QStringLiteral("DESKTOP_SESSION")));
}

bool CanSetWallpaper(const QProcessEnvironment& env, QString* why) {
    const TDesktop desktop = DesktopOf(env);
    if (desktop == TDesktop::Other) {
        Tell(why, QCoreApplication::translate("vistal::ui::Wallpaper",
                                              "このﾃﾞｽｸﾄｯﾌﾟ(%1)の壁紙は設定できません。"
                                              "設定できるのは GNOME, Xfce, KDE Plasma のﾃﾞｽｸﾄｯﾌﾟです")
                      .arg(DesktopName(env)));
        return false;
    }
    if (FindTool(ToolOf(desktop), env).isEmpty()) {
        Tell(why, QCoreApplication::translate("vistal::ui::Wallpaper",
                                              "%1 が見つからないため、壁紙を設定できません")
                      .arg(ToolOf(desktop)));
        return false;
    }
    return true;
}

bool SetWallpaper(const QString& fileName, int mode, const QProcessEnvironment& env, QString* why) {
    if (!CanSetWallpaper(env, why)) return false;
    const TDesktop desktop = DesktopOf(env);
    const QString tool = FindTool(ToolOf(desktop), env);
    const QString path = QFileInfo(fileName).absoluteFilePath();
    switch (desktop) {
    case TDesktop::Gnome:
        return SetGnome(tool, path, mode, env, why);
    case TDesktop::Xfce:
        return SetXfce(tool, path, mode, env, why);
    case TDesktop::Plasma:
        return SetPlasma(tool, path, mode, env, why);
    case TDesktop::Other:
        break;
    }
    return false;
}

} // namespace vistal::ui
