#include "cli/CliOptions.h"

#include "base/AboutText.h"
#include "base/AtomicFile.h"
#include "base/UFormat.h"
#include "base/WorkerPool.h"
#include "cli/ProgressBar.h"
#include "colour/ImageEffect.h"
#include "colour/ImageFile.h"
#include "engine/PictureMemory.h"
#include "engine/StartupParameters.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <new>
#include <optional>
#include <ostream>
#include <utility>

namespace vistal::cli {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// The correction coefficients whose scale 10^X is a normal, finite number
// with room to spare.
constexpr double kMaxCorrection = 300;

[[noreturn]] void Bad(const std::string& option, const std::string& what) {
    throw ECommandLine(option + ": " + what);
}

int IntArg(const std::string& option, const std::string& value, long long min, long long max) {
    auto v = ParseInteger(value);
    if (!v || *v < min || *v > max)
        Bad(option,
            "'" + value + "' is not an integer from " + std::to_string(min) + " to " + std::to_string(max));
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
           "  -o FILE                 output picture: .bmp, .png, .jpg or .jpeg\n"
           "  --size WxH              picture size in pixels (default 200x200)\n"
           "  --formula mandelbrot|julia\n"
           "                          formula; julia takes the current centre as its constant\n"
           "  --power N               exponent n of z^n + c, N >= 2; starts at the home view\n"
           "  --julia RE,IM           Julia constant (Julia views only)\n"
           "  --center RE,IM          centre of the view\n"
           "  --span X                height of the view along the imaginary axis\n"
           "  --iterations N          iteration limit, N >= 1 (default 256)\n"
           "  --detail N|auto         iterations per palette colour, or one palette cycle over the limit\n"
           "  --palette standard|mono|blue|FILE.vcp\n"
           "                          built-in palette, or a VCP palette file\n"
           "  --color0 RRGGBB         colour of points that never escape\n"
           "  --no-half               do not use the symmetry speed-up\n"
           "  --adjust-center N       snap a centre near the symmetry axis onto it (N = 1..5)\n"
           "  --mode normal|search|border|fadein|antialias|0..4\n"
           "                          drawing method\n"
           "  --stats                 print the number of kernel calls to stderr\n"
           "  --brightness X          brighten (X > 0) or darken (X < 0) the picture, -1..1\n"
           "  --shade-off             soften the picture with a 3x3 blur\n"
           "  --progress              show a progress bar on stderr\n"
           "  -q, --quiet             print nothing but errors\n"
           "  --mode ext-normal|potential1|potential2|potential3 (or 5..8)\n"
           "                          extended drawing: counts kept for re-colouring, or potential shading\n"
           "  --escape X              escape radius of extended drawing, X >= 1 (default 1024)\n"
           "  --compo on|off          mix the shading with the palette colours (default on)\n"
           "  --bright 1..4           brightness function of the shading (default 1)\n"
           "  --represent 1|2         representation of the brightness (default 1)\n"
           "  --light-dark 1|2        2 inverts the brightness (default 1)\n"
           "  --correction X          correction coefficient: potential 1 times 10^X, potentials 2 and 3\n"
           "                          divided by 10^X, X = -300..300 (default 0)\n"
           "  --kernel scalar|auto    how the kernels compute: the plain loop, or the fastest\n"
           "                          path of this processor (default); also sse2|avx2|avx512|generic\n"
           "  --threads N             threads for the drawing, 0 = all cores (default)\n"
           "  --vrp FILE [--record N] start from record N (from 1, default 1) of a VRP recommendation list\n"
           "  --fss FILE              start from the view of an FSS scenic-spot file\n"
           "  --vcp-folder DIR        folder where the palette names of --vrp and --fss are looked up\n"
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
            o.width = IntArg(opt, v.substr(0, x), 1, kMaxPictureSide);
            o.height = IntArg(opt, v.substr(x + 1), 1, kMaxPictureSide);
        } else if (opt == "--formula") {
            std::string v = Lower(need());
            if (v == "mandelbrot" || v == "1")
                o.formula = fmMandelbrot;
            else if (v == "julia" || v == "2")
                o.formula = fmJulia;
            else
                Bad(opt, "'" + value + "' is not mandelbrot or julia");
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
            if (Lower(need()) == "auto")
                o.autoDetail = true;
            else
                o.detail = IntArg(opt, value, 1, 2147483647);
        } else if (opt == "--palette") {
            std::string v = Lower(need());
            if (v.size() > 4 && v.compare(v.size() - 4, 4, ".vcp") == 0) {
                o.paletteFile = value;
                o.palette.reset();
            } else {
                if (v != "standard" && v != "mono" && v != "blue")
                    Bad(opt, "'" + value + "' is not standard, mono, blue or a .vcp file");
                o.palette = v;
                o.paletteFile.reset();
            }
        } else if (opt == "--color0") {
            const std::string& v = need();
            bool hex = v.size() == 6 &&
                       std::all_of(v.begin(), v.end(), [](unsigned char c) { return std::isxdigit(c); });
            if (!hex) Bad(opt, "'" + v + "' is not six hexadecimal digits RRGGBB");
            unsigned long rgb = std::stoul(v, nullptr, 16);
            o.color0 = static_cast<TColor>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
        } else if (opt == "--no-half") {
            o.noHalf = true;
        } else if (opt == "--adjust-center") {
            o.adjustCenter = IntArg(opt, need(), 1, 5);
        } else if (opt == "--brightness") {
            o.brightness = RealArg(opt, need());
        } else if (opt == "--shade-off") {
            o.shadeOff = true;
        } else if (opt == "--progress") {
            o.progress = true;
        } else if (opt == "-q" || opt == "--quiet") {
            o.quiet = true;
        } else if (opt == "--mode") {
            std::string v = Lower(need());
            if (v == "normal" || v == "0")
                o.mode = dmNormal;
            else if (v == "search" || v == "1")
                o.mode = dmSearch;
            else if (v == "border" || v == "2")
                o.mode = dmBorder;
            else if (v == "fadein" || v == "3")
                o.mode = dmFadein;
            else if (v == "antialias" || v == "4")
                o.mode = dmSAntiArea;
            else if (v == "ext-normal" || v == "5")
                o.mode = dmExtNormal;
            else if (v == "potential1" || v == "6")
                o.mode = dmPotential1;
            else if (v == "potential2" || v == "7")
                o.mode = dmPotential2;
            else if (v == "potential3" || v == "8")
                o.mode = dmPotential3;
            else
                Bad(opt, "'" + value +
                             "' is not a drawing mode (normal, search, border, fadein, antialias, "
                             "ext-normal, potential1..3 or 0..8)");
        } else if (opt == "--escape") {
            o.escape = RealArg(opt, need());
            if (!(*o.escape >= 1)) Bad(opt, "'" + value + "' is below 1");
        } else if (opt == "--compo") {
            std::string v = Lower(need());
            if (v == "on")
                o.compo = 1;
            else if (v == "off")
                o.compo = 0;
            else
                Bad(opt, "'" + value + "' is not on or off");
        } else if (opt == "--bright") {
            o.bright = static_cast<std::uint8_t>(IntArg(opt, need(), 1, 4) - 1);
        } else if (opt == "--represent") {
            o.represent = static_cast<std::uint8_t>(IntArg(opt, need(), 1, 2) - 1);
        } else if (opt == "--light-dark") {
            o.lightDark = static_cast<std::uint8_t>(IntArg(opt, need(), 1, 2) - 1);
        } else if (opt == "--correction") {
            // Beyond ±300 the scale 10^X comes near 0 or infinity.
            o.correction = RealArg(opt, need());
            if (!(*o.correction >= -kMaxCorrection && *o.correction <= kMaxCorrection))
                Bad(opt, "'" + value + "' is not a number from -300 to 300");
        } else if (opt == "--vrp") {
            o.vrpFile = need();
        } else if (opt == "--record") {
            o.record = IntArg(opt, need(), 1, 2147483647);
        } else if (opt == "--fss") {
            o.fssFile = need();
        } else if (opt == "--vcp-folder") {
            o.vcpFolder = need();
        } else if (opt == "--stats") {
            o.stats = true;
        } else if (opt == "--kernel") {
            std::string v = Lower(need());
            static constexpr TKernelPath paths[] = {TKernelPath::Scalar,  TKernelPath::Auto,
                                                    TKernelPath::Generic, TKernelPath::Sse2,
                                                    TKernelPath::Avx2,    TKernelPath::Avx512};
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
    if (auto type = FileTypeOfName(o.output)) {
        o.outputType = *type;
    } else {
        const std::string ext = std::filesystem::path(o.output).extension().string();
        if (ext.empty()) Bad("-o", "'" + o.output + "' has no picture type (use .bmp, .png, .jpg or .jpeg)");
        Bad("-o", "unsupported picture type '" + ext + "' (use .bmp, .png, .jpg or .jpeg)");
    }
    if (o.record && !o.vrpFile) Bad("--record", "needs --vrp FILE");
    if (o.vrpFile && o.fssFile) Bad("--fss", "cannot be combined with --vrp");
    // A location file may make the view a Julia view; that is checked when it is applied.
    std::uint8_t finalFormula = o.formula.value_or(fmMandelbrot);
    if (o.julia && finalFormula != fmJulia && !o.vrpFile && !o.fssFile)
        Bad("--julia", "only a Julia view has a Julia constant (add --formula julia)");
    return o;
}

void ApplyRenderOptions(const TRenderOptions& o, TVistal& e) {
    ApplyStartupParameters(e);
    ApplyLocationOptions(o, e);

    if (o.formula) e.SetFormula(*o.formula);
    if (o.power) {
        e.SetPow(*o.power);
        e.ResetView();
    }
    if (o.julia) {
        if (e.Formula() != fmJulia)
            throw ECommandLine("--julia: only a Julia view has a Julia constant (add --formula julia)");
        e.SetJuliaSeed(*o.julia);
    }
    if (o.center) e.SetCenter(*o.center);
    if (o.span) e.SetImSpan(*o.span);

    if (o.width) e.SetWidth(*o.width);
    if (o.height) e.SetHeight(*o.height);
    if (o.iterations) e.SetIteration(*o.iterations);
    if (o.detail) e.SetDetail(*o.detail);
    if (o.palette) {
        if (*o.palette == "mono")
            e.SetPaletteMono();
        else if (*o.palette == "blue")
            e.SetPaletteBlue();
        else
            e.SetPaletteStandard();
    }
    if (o.paletteFile) e.LoadVcp(*o.paletteFile);
    if (o.color0) {
        e.SetColor0(*o.color0);
        e.UseColor0 = true;
    }
    if (o.noHalf) e.Half = false;
    if (o.mode) e.DrawMode = *o.mode;
    if (o.brightness) e.SetBrightnessRaite(*o.brightness);
    if (o.shadeOff) e.ShadeOff = true;
    if (o.escape) e.SetEscape(*o.escape);
    if (o.correction) e.SetCorrection(*o.correction);
    if (o.compo) e.DrawCompo = *o.compo;
    if (o.bright) e.PotentialBright = *o.bright;
    if (o.represent) e.Represent = *o.represent;
    if (o.lightDark) e.LightDark = *o.lightDark;
    if (o.kernel) e.KernelPath = *o.kernel;
    if (o.threads) e.Threads = *o.threads;
    if (o.adjustCenter) e.AdjustCenter(*o.adjustCenter);
    if (o.autoDetail) e.AutoDetail();
}

namespace {

class TStreamReporter : public TErrorReporter {
public:
    explicit TStreamReporter(std::ostream& err) : err_(err) {}
    void ShowError(const std::string& text) override {
        err_ << "vistal-render: " << text << '\n';
        Reported = true;
    }
    bool Reported = false;

private:
    std::ostream& err_;
};
} // namespace

namespace {

// A refusal before any work: exit status 2, one line.
int Refuse(std::ostream& err, const std::string& what, const std::string& why) {
    err << "vistal-render: " << what << ": " << why << "\n";
    return 2;
}

// What was printed on out must have got there: a full disk or a closed
// terminal is an error, even after the picture was written.
int Flushed(std::ostream& out, std::ostream& err, int status) {
    out.flush();
    if (out) return status;
    err << "vistal-render: cannot write to the standard output\n";
    return status == 0 ? 1 : status;
}

} // namespace

int RunRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TRenderOptions o;
    try {
        o = ParseRenderOptions(args);
    } catch (const ECommandLine& ex) {
        err << "vistal-render: " << ex.what() << "\n";
        return 2;
    } catch (const std::bad_alloc&) {
        err << "vistal-render: out of memory while reading the command line\n";
        return 1;
    }
    if (o.help) {
        out << UsageText();
        return Flushed(out, err, 0);
    }
    if (o.version) {
        out << VersionText("vistal-render");
        return Flushed(out, err, 0);
    }
    // The output file first: a folder that is not there or a FIFO is known now.
    if (const std::string problem = CheckFileWritable(o.output); !problem.empty())
        return Refuse(err, "-o " + o.output, problem);

    TStreamReporter reporter(err);
    std::string doing =
        o.paletteFile ? "reading the palette file " + *o.paletteFile : "setting up the drawing";
    try {
        TVistal engine;
        engine.ErrorReporter = &reporter;
        ApplyRenderOptions(o, engine);
        // Every limit the sizes decide, before the drawing.
        const std::string size =
            "--size " + std::to_string(engine.Width()) + "x" + std::to_string(engine.Height());
        if (const std::string problem = CheckImageFileSize(engine.Width(), engine.Height(), o.outputType);
            !problem.empty())
            return Refuse(err, size, problem);
        if (const std::string problem = CheckPictureMemory(engine.Width(), engine.Height(), engine.DrawMode);
            !problem.empty())
            return Refuse(err, size, problem);

        std::optional<TProgressBar> bar;
        if (o.progress && !o.quiet) {
            bar.emplace(err);
            bar->Update(0);
            engine.PumpHook = [&] { bar->Update(engine.Progress()); };
        }
        doing = "drawing";
        engine.Draw();
        if (o.stats) err << "kernel calls: " << engine.KernelCalls << "\n";
        if (bar) bar->Finish(1);
        // The picture is what GetImage would give. The drawing is taken out of
        // the engine and the effects are applied to it in place, so a large
        // picture is held only once.
        TBitmap image;
        std::swap(image, engine.DrawBitmap());
        doing = "applying the brightness and shade-off";
        ApplyOutputEffects(image, engine.BrightnessRaite(), engine.ShadeOff);
        doing = "writing " + o.output;
        WriteImageFile(image, o.output, o.outputType);
        if (!o.quiet)
            out << "vistal-render: wrote " << o.output << " (" << image.Width() << "x" << image.Height()
                << ")\n";
        return Flushed(out, err, 0);
    } catch (const EAbort&) {
        // An abort after a reported error (a palette file that does not load) was explained already.
        if (!reporter.Reported) err << "vistal-render: the drawing was cancelled\n";
    } catch (const std::bad_alloc&) {
        err << "vistal-render: out of memory while " << doing << "\n";
    } catch (const std::exception& ex) {
        err << "vistal-render: " << ex.what() << "\n";
    }
    return 1;
}

} // namespace vistal::cli
