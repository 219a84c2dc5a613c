// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CommandLine.h"

#include "base/AboutText.h"
#include "ui/Help.h"

#include <QFileInfo>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vistal::ui {

QString CommandLineHelp(const QString& executableDir, TLanguage language) {
    // The window's names of the list and its command, and of the help command.
    const bool english = language == TLanguage::English;
    const QString page = HelpPageName(language);
    return QStringLiteral("Usage: vistal [OPTION]... [FILE]\n"
                          "Explores the Mandelbrot set and the Julia sets of z^n + c (n >= 2) in a window.\n"
                          "\n"
                          "FILE.vrp is a list of recommended views") +
           (english ? QStringLiteral("; the list dialog\n(Recommendations → Go To, Ctrl+O)")
                    : QStringLiteral(" (おすすめ座標); the list dialog\n(おすすめ → 移動, Ctrl+O)")) +
           QStringLiteral(" starts with it instead of the list of its settings.\n"
                          "FILE.fss (a scenic spot) and FILE.vcp (a palette) are opened once the window\n"
                          "has drawn its first picture, as if dropped on it.\n"
                          "\n"
                          "  --lang=ja|en   the language of the window (default: the one chosen in its\n"
                          "                 options, else ja for a Japanese locale and en for any other)\n"
                          "  -h, --help     show this help and exit\n"
                          "  --version      show the version and the licence and exit\n"
                          "\n"
                          "Pictures without a window: vistal-render --help.\n"
                          "Help page: ") +
           HelpFolder(executableDir, page) + page +
           (english ? QStringLiteral(" (in the window: Help, F1).\n\n")
                    : QStringLiteral(" (in the window: ﾍﾙﾌﾟ, F1).\n\n")) +
           QString::fromStdString(ReportingText());
}

std::optional<int> AnswerCommandLine(const QStringList& args, const QString& executableDir, FILE* out,
                                     TLanguage language) {
    QByteArray answer;
    for (const QString& arg : args) {
        if (arg == "--") break;
        if (arg == "-h" || arg == "--help") {
            answer = CommandLineHelp(executableDir, language).toUtf8();
            break;
        }
        if (arg == "--version") {
            answer = QByteArray::fromStdString(VersionText("vistal"));
            break;
        }
    }
    if (answer.isEmpty()) return std::nullopt;
    std::fwrite(answer.constData(), 1, static_cast<std::size_t>(answer.size()), out);
    if (std::fflush(out) != 0 || std::ferror(out)) {
        std::fputs("vistal: cannot write the answer\n", stderr);
        return 1;
    }
    return 0;
}

std::optional<int> AnswerCommandLine(int argc, char** argv, FILE* out, TLanguage language) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return AnswerCommandLine(args, QFileInfo(exe).absolutePath(), out, language);
}

std::optional<int> TakeLanguageOption(int& argc, char** argv, std::optional<TLanguage>& language, FILE* err) {
    int kept = 1;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        options = options && std::strcmp(arg, "--") != 0;
        const bool separate = options && std::strcmp(arg, "--lang") == 0;
        if (!separate && !(options && std::strncmp(arg, "--lang=", 7) == 0)) {
            argv[kept++] = argv[i];
            continue;
        }
        const char* value = separate ? (i + 1 < argc ? argv[++i] : nullptr) : arg + 7;
        language = value ? LanguageOfCode(value) : std::nullopt;
        if (!language) {
            std::fprintf(err, "vistal: --lang: '%s' is not ja or en\n", value ? value : "");
            return 2;
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return std::nullopt;
}

namespace {

// What Qt says while the application starts: kept back, and passed on once it
// has started.
struct TStartMessage {
    QtMsgType type;
    QString text;
};
std::vector<TStartMessage> startMessages;

void KeepStartMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtFatalMsg) {
        startMessages.push_back({type, text});
        return;
    }
    // The platform plugin failed: its reason is the first thing Qt said (the
    // fatal message only lists the plugins), and Qt would abort after this.
    const QString reason = startMessages.empty() ? text.section('\n', 0, 0) : startMessages.front().text;
    std::fprintf(stderr, "vistal: cannot open a window: %s\n", reason.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
    bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        platformChosen |= std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0;
    if (!platformChosen && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("vistal: no display (DISPLAY and WAYLAND_DISPLAY are unset); run it on a desktop, or draw "
                   "pictures with vistal-render\n",
                   stderr);
        return nullptr;
    }
    const QtMessageHandler previous = qInstallMessageHandler(KeepStartMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const TStartMessage& message : startMessages)
        qt_message_output(message.type, QMessageLogContext(), message.text);
    startMessages.clear();
    return app;
}

std::optional<int> RefuseUnknownOption(const QStringList& args, FILE* err) {
    for (const QString& arg : args) {
        if (arg == QLatin1String("--")) break;
        if (arg.startsWith('-') && arg != QLatin1String("-")) {
            std::fprintf(err, "vistal: unknown option '%s' (vistal --help lists the options)\n",
                         arg.toLocal8Bit().constData());
            return 2;
        }
    }
    return std::nullopt;
}

} // namespace vistal::ui
