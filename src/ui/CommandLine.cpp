#include "ui/CommandLine.h"

#include "base/AboutText.h"
#include "ui/Help.h"

#include <QFileInfo>

namespace vistal::ui {

QString CommandLineHelp(const QString& executableDir) {
    return QStringLiteral("Usage: vistal [FILE.vrp]\n"
                          "Explores the Mandelbrot set and the Julia sets of z^n + c (n >= 2) in a window.\n"
                          "\n"
                          "FILE.vrp is a list of recommended views (おすすめ座標); the list dialog\n"
                          "(おすすめ → 移動, Ctrl+O) starts with it instead of the list of its settings.\n"
                          "\n"
                          "  -h, --help     show this help and exit\n"
                          "  --version      show the version and the licence and exit\n"
                          "\n"
                          "Pictures without a window: vistal-render --help.\n"
                          "Help page: ") +
           HelpFolder(executableDir) + QStringLiteral("Help.html (in the window: ﾍﾙﾌﾟ, F1).\n");
}

std::optional<int> AnswerCommandLine(const QStringList& args, const QString& executableDir, FILE* out) {
    QByteArray answer;
    for (const QString& arg : args) {
        if (arg == "--") break;
        if (arg == "-h" || arg == "--help") {
            answer = CommandLineHelp(executableDir).toUtf8();
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

std::optional<int> AnswerCommandLine(int argc, char** argv, FILE* out) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return AnswerCommandLine(args, QFileInfo(exe).absolutePath(), out);
}

} // namespace vistal::ui
