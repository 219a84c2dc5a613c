#include "cli/CliOptions.h"

#include "colour/ImageFile.h"
#include "engine/UFormat.h"
#include "engine/WorkerPool.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>

#ifndef VISTAL_VERSION
#define VISTAL_VERSION "0"
#endif

namespace vistal::cli {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

[[noreturn]] void Bad(const std::string& option, const std::string& what) {
    throw ECommandLine(option + ": " + what);
}

int IntArg(const std::string& option, const std::string& value, long long min, long long max) {
    auto v = ParseInteger(value);
    if (!v || *v < min || *v > max)
        Bad(option, "'" + value + "' is not an integer from " + std::to_string(min) + " to " + std::to_string(max));
    return static_cast<int>(*v);
}

double RealArg(const std::string& option, const std::string& value) {
    auto v = ParseReal(value);
    if (!v) Bad(option, "'" + value + "' is not a number");
    return *v;
}

TComplex ComplexArg(const std::string& option, const std::string& value) {
    auto comma = value.find(',');
    if (comma == std::string::npos) Bad(option, "'" + value + "' is not RE,IM");
    auto re = ParseReal(value.substr(0, comma)), im = ParseReal(value.substr(comma + 1));
    if (!re || !im) Bad(option, "'" + value + "' is not RE,IM");
    return {*re, *im};
}

} // namespace

std::string UsageText() {
    return "Usage: vistal-render [OPTIONS] -o FILE\n"
           "Renders one picture of the Mandelbrot set or a Julia set and writes it.\n"
           "\n"
           "  -o FILE                 output picture (.bmp)\n"
           "  --size WxH              picture size in pixels (default 200x200)\n"
           "  --formula mandelbrot|julia\n"
           "                          formula; julia takes the current centre as its constant\n"
           "  --power N               exponent n of z^n + c, N >= 2; starts at the home view\n"
           "  --julia RE,IM           Julia constant (Julia views only)\n"
           "  --center RE,IM          centre of the view\n"
           "  --span X                height of the view along the imaginary axis\n"
           "  --iterations N          iteration limit, N >= 1 (default 256)\n"
           "  --detail N|auto         iterations per palette colour, or one palette cycle over the limit\n"
           "  --palette standard|mono|blue\n"
           "  --color0 RRGGBB         colour of points that never escape\n"
           "  --no-half               do not use the symmetry speed-up\n"
           "  --adjust-center N       snap a centre near the symmetry axis onto it (N = 1..5)\n"
           "  --mode normal|0         drawing method\n"
           "  --kernel scalar|auto    how the kernels compute: the plain loop, or the fastest\n"
           "                          path of this processor (default); also sse2|avx2|avx512|generic\n"
           "  --threads N             threads for the drawing, 0 = all cores (default)\n"
           "  --help, --version\n";
}

TRenderOptions ParseRenderOptions(const std::vector<std::string>& args) {
    TRenderOptions o;
    bool haveOutput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string opt = args[i], value;
        bool inlineValue = false;
        if (opt.rfind("--", 0) == 0) {
            auto eq = opt.find('=');
            if (eq != std::string::npos) {
                value = opt.substr(eq + 1);
                opt = opt.substr(0, eq);
                inlineValue = true;
            }
        }
        auto need = [&]() -> const std::string& {
            if (!inlineValue) {
                if (i + 1 >= args.size()) Bad(opt, "needs a value");
                value = args[++i];
            }
            return value;
        };
        if (opt == "--help" || opt == "-h") {
            o.help = true;
        } else if (opt == "--version") {
            o.version = true;
        } else if (opt == "-o" || opt == "--output") {
            o.output = need();
            haveOutput = true;
        } else if (opt == "--size") {
            const std::string& v = need();
            auto x = Lower(v).find('x');
            if (x == std::string::npos) Bad(opt, "'" + v + "' is not WxH");
            o.width = IntArg(opt, v.substr(0, x), 1, 100000);
            o.height = IntArg(opt, v.substr(x + 1), 1, 100000);
        } else if (opt == "--formula") {
            std::string v = Lower(need());
            if (v == "mandelbrot" || v == "1") o.formula = fmMandelbrot;
            else if (v == "julia" || v == "2") o.formula = fmJulia;
            else Bad(opt, "'" + value + "' is not mandelbrot or julia");
        } else if (opt == "--power") {
            o.power = IntArg(opt, need(), 2, 1000000);
        } else if (opt == "--julia") {
            o.julia = ComplexArg(opt, need());
        } else if (opt == "--center") {
            o.center = ComplexArg(opt, need());
        } else if (opt == "--span") {
            o.span = RealArg(opt, need());
        } else if (opt == "--iterations") {
            o.iterations = IntArg(opt, need(), 1, 2147483647);
        } else if (opt == "--detail") {
            if (Lower(need()) == "auto") o.autoDetail = true;
            else o.detail = IntArg(opt, value, 1, 2147483647);
        } else if (opt == "--palette") {
            std::string v = Lower(need());
            if (v != "standard" && v != "mono" && v != "blue") Bad(opt, "'" + value + "' is not standard, mono or blue");
            o.palette = v;
        } else if (opt == "--color0") {
            const std::string& v = need();
            bool hex = v.size() == 6 && std::all_of(v.begin(), v.end(), [](unsigned char c) { return std::isxdigit(c); });
            if (!hex) Bad(opt, "'" + v + "' is not six hexadecimal digits RRGGBB");
            unsigned long rgb = std::stoul(v, nullptr, 16);
            o.color0 = static_cast<TColor>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
        } else if (opt == "--no-half") {
            o.noHalf = true;
        } else if (opt == "--adjust-center") {
            o.adjustCenter = IntArg(opt, need(), 1, 5);
        } else if (opt == "--mode") {
            std::string v = Lower(need());
            if (v == "normal" || v == "0") o.mode = dmNormal;
            else Bad(opt, "'" + value + "' is not a drawing mode (normal)");
        } else if (opt == "--kernel") {
            std::string v = Lower(need());
            static constexpr TKernelPath paths[] = {TKernelPath::Scalar, TKernelPath::Auto, TKernelPath::Generic,
                                                    TKernelPath::Sse2,   TKernelPath::Avx2, TKernelPath::Avx512};
            for (TKernelPath p : paths)
                if (v == KernelPathName(p)) o.kernel = p;
            if (!o.kernel) Bad(opt, "'" + value + "' is not scalar, auto, generic, sse2, avx2 or avx512");
            if (!KernelPathSupported(*o.kernel)) Bad(opt, "this processor has no " + v);
        } else if (opt == "--threads") {
            o.threads = IntArg(opt, need(), 0, TWorkerPool::kMaxThreads);
        } else {
            Bad(opt, "unknown option");
        }
    }
    if (o.help || o.version) return o;
    if (!haveOutput) Bad("-o", "no output file given");
    std::string ext = Lower(std::filesystem::path(o.output).extension().string());
    if (ext != ".bmp") Bad("-o", "unsupported picture type '" + ext + "' (use .bmp)");
    std::uint8_t finalFormula = o.formula.value_or(fmMandelbrot);
    if (o.julia && finalFormula != fmJulia) Bad("--julia", "only a Julia view has a Julia constant (add --formula julia)");
    return o;
}

void ApplyRenderOptions(const TRenderOptions& o, TVistal& e) {
    // The explorer's start-up parameters.
    e.SetIteration(256);
    e.SetDetail(1);
    e.SetEscape(1024);
    e.SetCorrection(0);
    e.DrawCompo = 1;
    e.PotentialBright = 0;
    e.SetPaletteStandard();
    e.Half = true;

    if (o.formula) e.SetFormula(*o.formula);
    if (o.power) {
        e.SetPow(*o.power);
        e.ResetView();
    }
    if (o.julia) e.SetJuliaSeed(*o.julia);
    if (o.center) e.SetCenter(*o.center);
    if (o.span) e.SetImSpan(*o.span);

    if (o.width) e.SetWidth(*o.width);
    if (o.height) e.SetHeight(*o.height);
    if (o.iterations) e.SetIteration(*o.iterations);
    if (o.detail) e.SetDetail(*o.detail);
    if (o.palette) {
        if (*o.palette == "mono") e.SetPaletteMono();
        else if (*o.palette == "blue") e.SetPaletteBlue();
        else e.SetPaletteStandard();
    }
    if (o.color0) {
        e.SetColor0(*o.color0);
        e.UseColor0 = true;
    }
    if (o.noHalf) e.Half = false;
    if (o.mode) e.DrawMode = *o.mode;
    if (o.kernel) e.KernelPath = *o.kernel;
    if (o.threads) e.Threads = *o.threads;
    if (o.adjustCenter) e.AdjustCenter(*o.adjustCenter);
    if (o.autoDetail) e.AutoDetail();
}

namespace {
class TStreamReporter : public TErrorReporter {
public:
    explicit TStreamReporter(std::ostream& err) : err_(err) {}
    void ShowError(const std::string& text) override { err_ << "vistal-render: " << text << '\n'; }

private:
    std::ostream& err_;
};
} // namespace

int RunRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TRenderOptions o;
    try {
        o = ParseRenderOptions(args);
    } catch (const ECommandLine& ex) {
        err << "vistal-render: " << ex.what() << "\n";
        return 2;
    }
    if (o.help) {
        out << UsageText();
        return 0;
    }
    if (o.version) {
        out << "vistal-render " << VISTAL_VERSION << "\n";
        return 0;
    }
    TStreamReporter reporter(err);
    try {
        TVistal engine;
        engine.ErrorReporter = &reporter;
        ApplyRenderOptions(o, engine);
        engine.Draw();
        WriteBmpFile(engine.GetImage(), o.output);
        return 0;
    } catch (const EAbort&) {
        err << "vistal-render: the drawing was cancelled\n";
    } catch (const std::exception& ex) {
        err << "vistal-render: " << ex.what() << "\n";
    }
    return 1;
}

} // namespace vistal::cli
