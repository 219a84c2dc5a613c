// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include "base/AboutText.h"
#include "base/UFormat.h"
#include "base/WorkerPool.h"
#include "cli/Palettes.h"
#include "cli/ZoomSequence.h"
#include "colour/PaletteFile.h"
#include "engine/PictureMemory.h"
#include "engine/StartupParameters.h"
#include "locations/ULocationTarget.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

namespace vistal::cli {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// The correction coefficients whose scale 10^X is a normal, finite number
// with room to spare.
constexpr double kMaxCorrection = 300;
constexpr int kMaxFrames = 100000;

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

// RE,IM with any number of digits: every digit, and the nearest doubles.
void DeepComplexArg(const std::string& option, const std::string& value, std::optional<TMpfr>& re,
                    std::optional<TMpfr>& im, std::optional<TComplex>& rounded) {
    const std::size_t comma = value.find(',');
    if (comma != std::string::npos) {
        re = TDeepPosition::ParseCoordinate(value.substr(0, comma));
        im = TDeepPosition::ParseCoordinate(value.substr(comma + 1));
    }
    if (comma == std::string::npos || !re || !im || !std::isfinite(re->ToDouble()) ||
        !std::isfinite(im->ToDouble()))
        Bad(option, "'" + value + "' is not RE,IM");
    rounded = TComplex{re->ToDouble(), im->ToDouble()};
}

TComplex ComplexArg(const std::string& option, const std::string& value) {
    auto comma = value.find(',');
    if (comma == std::string::npos) Bad(option, "'" + value + "' is not RE,IM");
    auto re = ParseReal(value.substr(0, comma)), im = ParseReal(value.substr(comma + 1));
    if (!re || !im) Bad(option, "'" + value + "' is not RE,IM");
    return {*re, *im};
}

const char* TypeWord(TImageFileType type) {
    return type == ftPng ? "png" : type == ftJpeg ? "jpeg" : "bmp";
}

// "A-B" (separator '-') or "A/B" ('/'): two integers, each min..max.
std::pair<int, int> IntPair(const std::string& option, const std::string& value, char separator, int min,
                            int max, const std::string& form) {
    const std::size_t at = value.find(separator);
    const std::optional<long long> a = ParseInteger(value.substr(0, at));
    const std::optional<long long> b =
        at == std::string::npos ? std::nullopt : ParseInteger(value.substr(at + 1));
    if (!a || !b || *a < min || *a > max || *b < min || *b > max)
        Bad(option, "'" + value + "' is not " + form);
    return {static_cast<int>(*a), static_cast<int>(*b)};
}

std::optional<TImageFileType> TypeNamed(const std::string& name) {
    const std::string v = Lower(name);
    if (v == "bmp") return ftBmp;
    if (v == "png") return ftPng;
    if (v == "jpeg" || v == "jpg") return ftJpeg;
    return std::nullopt;
}

// The options, long name first; the short forms are -o, -q and -h.
constexpr TOptionDefinition kOptions[] = {
    {"output", 'o', TValue::Required},   {"format", 0, TValue::Required},
    {"quality", 0, TValue::Required},    {"size", 0, TValue::Required},
    {"formula", 0, TValue::Required},    {"power", 0, TValue::Required},
    {"julia", 0, TValue::Required},      {"center", 0, TValue::Required},
    {"span", 0, TValue::Required},       {"adjust-center", 0, TValue::Required},
    {"vrp", 0, TValue::Required},        {"record", 0, TValue::Required},
    {"fss", 0, TValue::Required},        {"view-from", 0, TValue::Required},
    {"vcp-folder", 0, TValue::Required}, {"frames", 0, TValue::Required},
    {"zoom-to", 0, TValue::Required},    {"iterations", 0, TValue::Required},
    {"detail", 0, TValue::Required},     {"mode", 0, TValue::Required},
    {"no-half", 0, TValue::None},        {"kernel", 0, TValue::Required},
    {"threads", 0, TValue::Required},    {"escape", 0, TValue::Required},
    {"compo", 0, TValue::Required},      {"bright", 0, TValue::Required},
    {"represent", 0, TValue::Required},  {"light-dark", 0, TValue::Required},
    {"correction", 0, TValue::Required}, {"palette", 0, TValue::Required},
    {"color0", 0, TValue::Required},     {"brightness", 0, TValue::Required},
    {"shade-off", 0, TValue::None},      {"progress", 0, TValue::Optional},
    {"quiet", 'q', TValue::None},        {"stats", 0, TValue::None},
    {"help", 'h', TValue::None},         {"version", 0, TValue::None},
    {"shard", 0, TValue::Required},      {"frame-range", 0, TValue::Required},
    {"gradient", 0, TValue::Required},   {"write-palette", 0, TValue::Required},
    {"lang", 0, TValue::Required},       {"deep", 0, TValue::Required},
    {"exact", 0, TValue::Optional},      {"counts", 0, TValue::Required},
    {"smooth", 0, TValue::None},
};

} // namespace

std::string UsageText() {
    return "Usage: vistal-render [OPTION]... -o FILE\n"
           "  or:  vistal-render [OPTION]... --write-palette FILE\n"
           "Draws the Mandelbrot set or a Julia set of z^n + c and writes the picture as\n"
           "BMP, PNG or JPEG; with --frames, a zoom sequence of pictures.\n"
           "\n"
           "Output:\n"
           "  -o, --output=FILE        the picture: .bmp, .png, .jpg or .jpeg; - for the\n"
           "                             standard output (with --format)\n"
           "      --format=TYPE        bmp, png or jpeg, whatever the name's extension says\n"
           "      --quality=N          JPEG quality, 1..100 (default 90)\n"
           "      --size=WxH           picture size in pixels, 1..100000 a side\n"
           "                             (default 200x200)\n"
           "\n"
           "View:\n"
           "      --formula=NAME       mandelbrot (default) or julia; julia takes the\n"
           "                             current centre as its constant\n"
           "      --power=N            exponent n >= 2 (default 2); starts at the home view\n"
           "      --julia=RE,IM        Julia constant (Julia views only)\n"
           "      --center=RE,IM       centre of the view, with any number of digits\n"
           "                             (default: the home view's, -0.8,0 for z^2 + c,\n"
           "                             else 0,0)\n"
           "      --span=X             height of the view along the imaginary axis, any\n"
           "                             size, such as 1e-1000 (default: the home view's,\n"
           "                             3 for z^2 + c, else 4)\n"
           "      --adjust-center=N    snap a centre near the symmetry axis onto it, 1..5\n"
           "\n"
           "Starting from a saved view (the other options change it):\n"
           "      --vrp=FILE           a record of a VRP recommendation list\n"
           "      --record=N           the record of --vrp, from 1 (default 1)\n"
           "      --fss=FILE           the view of an FSS scenic-spot file\n"
           "      --view-from=PICTURE  the view a PNG or JPEG picture of vistal-render\n"
           "                             keeps, at the picture's size\n"
           "      --vcp-folder=DIR     where the palette names of --vrp, --fss and\n"
           "                             --view-from are looked up as DIR/NAME.vcp\n"
           "\n"
           "Zoom sequence:\n"
           "      --frames=N           N pictures, 2..100000, from the view to --zoom-to;\n"
           "                             -o is a pattern such as zoom%05d.png (frames\n"
           "                             from 0) or - (PNG pictures one after another\n"
           "                             unless --format says otherwise)\n"
           "      --zoom-to=RE,IM,SPAN\n"
           "                           the view of the last frame\n"
           "      --frame-range=FIRST-LAST\n"
           "                           draw only these frames of the sequence\n"
           "      --shard=K/N          draw only every N-th frame from the K-th, K = 1..N,\n"
           "                             so that N runs share the sequence\n"
           "\n"
           "Drawing:\n"
           "      --iterations=N       iteration limit, N >= 1 (default 256)\n"
           "      --detail=N|auto      iterations per palette colour (default 1); auto runs\n"
           "                             the palette once over the limit\n"
           "      --mode=METHOD        normal (default), search, border, fadein,\n"
           "                             antialias, ext-normal, potential1, potential2,\n"
           "                             potential3, or 0..8\n"
           "      --no-half            do not use the symmetry speed-up\n"
           "      --kernel=PATH        auto (default: the fastest path of this processor),\n"
           "                             scalar (the plain loop), sse2, avx2, avx512 or\n"
           "                             generic; every path gives the same picture\n"
           "      --threads=N          threads for the drawing, 0 = all cores (default)\n"
           "\n"
           "Deep views (finer than doubles resolve):\n"
           "      --deep=WHEN          auto (default: for views finer than doubles\n"
           "                             resolve), always, or never (such views are then\n"
           "                             drawn in blocks, with a warning)\n"
           "      --exact[=BITS]       iterate every point with MPFR (slow; for small\n"
           "                             pictures and checking), with BITS of precision\n"
           "                             (default: a quarter more than the view needs)\n"
           "\n"
           "Extended drawing (ext-normal and the potentials):\n"
           "      --escape=X           escape radius, X >= 1 (default 1024)\n"
           "      --compo=on|off       mix the shading with the palette (default on)\n"
           "      --bright=1..4        brightness function of the shading (default 1)\n"
           "      --represent=1|2      (b + 1) / 2, or |b| (default 1)\n"
           "      --light-dark=1|2     2 inverts the brightness (default 1)\n"
           "      --correction=X       potential 1 times 10^X, potentials 2 and 3 divided\n"
           "                             by it, X = -300..300 (default 0)\n"
           "\n"
           "Colours:\n"
           "      --palette=NAME       standard (default), mono, blue, a palette found by\n"
           "                             name (--palette list shows them) or a palette\n"
           "                             file (a name ending in .vcp, .map, .gpl, .ugr or\n"
           "                             .gradient, or holding a /; VCP unless the\n"
           "                             extension names another format)\n"
           "      --gradient=NAME      the gradient of a .ugr or .gradient file (default:\n"
           "                             the first)\n"
           "      --write-palette=FILE write the palette in use to a .gpl, .map or .vcp\n"
           "                             file; without -o nothing is drawn\n"
           "      --color0=RRGGBB      colour of points that never escape (default: the\n"
           "                             palette's first colour, black for built-in ones)\n"
           "      --brightness=X       -1..1: brighten above 0, darken below (default 0)\n"
           "      --shade-off          soften the picture with a 3x3 blur\n"
           "      --smooth             smooth colouring: each point's colour runs between\n"
           "                             the palette colours by its continuous count\n"
           "                             (not for the potential methods)\n"
           "\n"
           "Messages:\n"
           "      --progress[=WHEN]    progress on stderr: auto (default: a bar when stderr\n"
           "                             is a terminal and the drawing takes over a\n"
           "                             second), always (the bar, or a line at every\n"
           "                             tenth when stderr is no terminal) or never;\n"
           "                             --progress alone is always\n"
           "  -q, --quiet              print nothing but errors\n"
           "      --stats              print the number of kernel calls to stderr\n"
           "      --counts=FILE        also write every pixel's iteration count to an\n"
           "                             OpenEXR file (channels N and NF, the count and\n"
           "                             the fraction of the continuous count; with\n"
           "                             --frames, a pattern)\n"
           "      --lang=ja|en         the language of what palette and location files\n"
           "                             are told to be wrong in (default: ja for a\n"
           "                             Japanese locale, else en)\n"
           "  -h, --help               show this help and exit\n"
           "      --version            show the version and exit\n"
           "\n"
           "Options apply in a fixed order, wherever they stand: the start-up view, a\n"
           "saved view, the formula, the exponent, the Julia constant, centre and span,\n"
           "then the rest. Long options may be shortened to any unambiguous prefix.\n"
           "Named palettes are looked for in $XDG_DATA_HOME/vistal/palettes, then in\n"
           "share/vistal/palettes of the installation and of $XDG_DATA_DIRS.\n"
           "\n"
           "Exit status: 0 written, 1 any other failure, 2 a bad command line or a picture\n"
           "that cannot be had (refused before any drawing).\n"
           "\n" +
           ReportingText();
}

TRenderOptions ParseRenderOptions(const std::vector<std::string>& args) {
    TRenderOptions o;
    bool haveOutput = false;
    TGnuParser parser(args, kOptions);
    while (const std::optional<TParsedOption> parsed = parser.Next()) {
        const std::string id = parsed->Definition->Long;
        const std::string& opt = parsed->Name;
        const std::string value = parsed->Value.value_or("");
        if (id == "help") {
            o.help = true;
            return o;
        } else if (id == "version") {
            o.version = true;
            return o;
        } else if (id == "output") {
            if (value.empty()) Bad(opt, "the file name is empty");
            o.output = value;
            haveOutput = true;
        } else if (id == "format") {
            o.format = TypeNamed(value);
            if (!o.format) Bad(opt, "'" + value + "' is not bmp, png or jpeg");
        } else if (id == "quality") {
            o.quality = IntArg(opt, value, 1, 100);
        } else if (id == "size") {
            auto x = Lower(value).find('x');
            if (x == std::string::npos) Bad(opt, "'" + value + "' is not WxH");
            o.width = IntArg(opt, value.substr(0, x), 1, kMaxPictureSide);
            o.height = IntArg(opt, value.substr(x + 1), 1, kMaxPictureSide);
        } else if (id == "formula") {
            std::string v = Lower(value);
            if (v == "mandelbrot" || v == "1")
                o.formula = fmMandelbrot;
            else if (v == "julia" || v == "2")
                o.formula = fmJulia;
            else
                Bad(opt, "'" + value + "' is not mandelbrot or julia");
        } else if (id == "power") {
            o.power = IntArg(opt, value, 2, 1000000);
        } else if (id == "julia") {
            o.julia = ComplexArg(opt, value);
        } else if (id == "center") {
            DeepComplexArg(opt, value, o.centerRe, o.centerIm, o.center);
        } else if (id == "span") {
            o.span = TDeepPosition::ParseSpan(value);
            if (!o.span && TDeepPosition::ParseCoordinate(value))
                Bad(opt,
                    "'" + value + "' is outside the spans that can be drawn, about 1e-315652 to 1.8e308");
            if (!o.span) Bad(opt, "'" + value + "' is not a number");
            if (o.span->IsZero() || TDeepPosition::ParseCoordinate(value)->Sign() < 0)
                Bad(opt, "'" + value + "' is not above 0");
        } else if (id == "iterations") {
            o.iterations = IntArg(opt, value, 1, 2147483647);
        } else if (id == "detail") {
            // The later of "auto" and a number wins.
            o.autoDetail = Lower(value) == "auto";
            o.detail.reset();
            if (!o.autoDetail) o.detail = IntArg(opt, value, 1, 2147483647);
        } else if (id == "palette") {
            const std::string v = Lower(value);
            o.palette.reset();
            o.paletteName.reset();
            o.paletteFile.reset();
            o.listPalettes = false;
            if (v == "list") {
                o.listPalettes = true;
            } else if (IsBuiltinPalette(v)) {
                o.palette = v;
            } else if (PaletteFormatOfName(value) || value.find('/') != std::string::npos) {
                o.paletteFile = value;
            } else if (!value.empty()) {
                o.paletteName = value;
            } else {
                Bad(opt, "the palette name is empty");
            }
        } else if (id == "gradient") {
            if (value.empty()) Bad(opt, "the gradient name is empty");
            o.gradient = value;
        } else if (id == "write-palette") {
            const std::optional<TPaletteFormat> format = PaletteFormatOfName(value);
            if (!format || *format == TPaletteFormat::Ugr)
                Bad(opt, "'" + value + "' names no .gpl, .map or .vcp file");
            o.writePalette = value;
        } else if (id == "color0") {
            bool hex = value.size() == 6 && std::all_of(value.begin(), value.end(),
                                                        [](unsigned char c) { return std::isxdigit(c); });
            if (!hex) Bad(opt, "'" + value + "' is not six hexadecimal digits RRGGBB");
            unsigned long rgb = std::stoul(value, nullptr, 16);
            o.color0 = static_cast<TColor>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
        } else if (id == "no-half") {
            o.noHalf = true;
        } else if (id == "adjust-center") {
            o.adjustCenter = IntArg(opt, value, 1, 5);
        } else if (id == "brightness") {
            o.brightness = RealArg(opt, value);
        } else if (id == "shade-off") {
            o.shadeOff = true;
        } else if (id == "smooth") {
            o.smooth = true;
        } else if (id == "progress") {
            const std::string v = Lower(parsed->Value.value_or("always"));
            if (v == "always")
                o.progress = TProgressWhen::Always;
            else if (v == "auto")
                o.progress = TProgressWhen::Auto;
            else if (v == "never")
                o.progress = TProgressWhen::Never;
            else
                Bad(opt, "'" + value + "' is not auto, always or never");
        } else if (id == "quiet") {
            o.quiet = true;
        } else if (id == "mode") {
            static constexpr const char* names[] = {"normal",     "search",     "border",
                                                    "fadein",     "antialias",  "ext-normal",
                                                    "potential1", "potential2", "potential3"};
            const std::string v = Lower(value);
            o.mode.reset();
            for (std::uint8_t m = dmNormal; m <= dmPotential3 && !o.mode; ++m)
                if (v == names[m] || v == std::to_string(m)) o.mode = m;
            if (!o.mode)
                Bad(opt, "'" + value +
                             "' is not a drawing mode (normal, search, border, fadein, antialias, "
                             "ext-normal, potential1..3 or 0..8)");
        } else if (id == "escape") {
            o.escape = RealArg(opt, value);
            if (!(*o.escape >= 1)) Bad(opt, "'" + value + "' is below 1");
        } else if (id == "compo") {
            std::string v = Lower(value);
            if (v == "on")
                o.compo = 1;
            else if (v == "off")
                o.compo = 0;
            else
                Bad(opt, "'" + value + "' is not on or off");
        } else if (id == "bright") {
            o.bright = static_cast<std::uint8_t>(IntArg(opt, value, 1, 4) - 1);
        } else if (id == "represent") {
            o.represent = static_cast<std::uint8_t>(IntArg(opt, value, 1, 2) - 1);
        } else if (id == "light-dark") {
            o.lightDark = static_cast<std::uint8_t>(IntArg(opt, value, 1, 2) - 1);
        } else if (id == "correction") {
            // Beyond ±300 the scale 10^X comes near 0 or infinity.
            o.correction = RealArg(opt, value);
            if (!(*o.correction >= -kMaxCorrection && *o.correction <= kMaxCorrection))
                Bad(opt, "'" + value + "' is not a number from -300 to 300");
        } else if (id == "vrp") {
            o.vrpFile = value;
        } else if (id == "record") {
            o.record = IntArg(opt, value, 1, 2147483647);
        } else if (id == "fss") {
            o.fssFile = value;
        } else if (id == "view-from") {
            o.viewFrom = value;
        } else if (id == "vcp-folder") {
            o.vcpFolder = value;
        } else if (id == "frames") {
            o.frames = IntArg(opt, value, 2, kMaxFrames);
        } else if (id == "zoom-to") {
            const std::size_t comma = value.rfind(',');
            const std::optional<TFloatExp> span =
                comma == std::string::npos ? std::nullopt : TDeepPosition::ParseSpan(value.substr(comma + 1));
            if (comma == std::string::npos || !span || span->IsZero() || value[comma + 1] == '-')
                Bad(opt, "'" + value + "' is not RE,IM,SPAN with a span above 0");
            DeepComplexArg(opt, value.substr(0, comma), o.zoomRe, o.zoomIm, o.zoomCenter);
            o.zoomSpan = *span;
        } else if (id == "frame-range") {
            const auto [first, last] =
                IntPair(opt, value, '-', 0, kMaxFrames - 1, "FIRST-LAST (frames from 0)");
            if (first > last) Bad(opt, "'" + value + "' is not FIRST-LAST with FIRST up to LAST");
            o.frameFirst = first;
            o.frameLast = last;
        } else if (id == "shard") {
            const auto [k, n] = IntPair(opt, value, '/', 1, kMaxFrames, "K/N with K from 1 to N");
            if (k > n) Bad(opt, "'" + value + "' is not K/N with K from 1 to N");
            o.shard = k;
            o.shards = n;
        } else if (id == "stats") {
            o.stats = true;
        } else if (id == "kernel") {
            std::string v = Lower(value);
            o.kernel.reset();
            static constexpr TKernelPath paths[] = {TKernelPath::Scalar,  TKernelPath::Auto,
                                                    TKernelPath::Generic, TKernelPath::Sse2,
                                                    TKernelPath::Avx2,    TKernelPath::Avx512};
            for (TKernelPath p : paths)
                if (v == KernelPathName(p)) o.kernel = p;
            if (!o.kernel) Bad(opt, "'" + value + "' is not scalar, auto, generic, sse2, avx2 or avx512");
            if (!KernelPathSupported(*o.kernel)) Bad(opt, "this processor has no " + v);
        } else if (id == "threads") {
            o.threads = IntArg(opt, value, 0, TWorkerPool::kMaxThreads);
        } else if (id == "lang") {
            o.language = LanguageOfCode(Lower(value));
            if (!o.language) Bad(opt, "'" + value + "' is not ja or en");
        } else if (id == "deep") {
            const std::string v = Lower(value);
            if (v == "auto")
                o.deep = TDeepMode::Auto;
            else if (v == "always")
                o.deep = TDeepMode::Always;
            else if (v == "never")
                o.deep = TDeepMode::Never;
            else
                Bad(opt, "'" + value + "' is not auto, always or never");
        } else if (id == "exact") {
            o.exactBits = parsed->Value ? IntArg(opt, value, 53, TMpfr::MaxBits()) : 0;
        } else if (id == "counts") {
            if (value.empty()) Bad(opt, "the file name is empty");
            o.counts = value;
        }
    }
    // Operands are refused once every option has been read, as getopt leaves them.
    if (!parser.Operands().empty()) {
        const std::string& word = parser.Operands().front();
        std::string what = "unexpected argument '" + word + "'";
        if (FileTypeOfName(word) && !haveOutput) what += " (name the output file with -o)";
        throw ECommandLine(what);
    }
    if (o.listPalettes) return o;
    if (!haveOutput && !o.writePalette) Bad("-o", "no output file given");

    o.toStdout = o.output == "-";
    if (o.format) {
        o.outputType = *o.format;
        // A name that says another type would hide what the file holds.
        const std::optional<TImageFileType> named = o.toStdout ? std::nullopt : FileTypeOfName(o.output);
        if (named && *named != *o.format)
            Bad("--format", "'" + o.output + "' is a " + TypeWord(*named) + " name, not a " +
                                TypeWord(*o.format) + " one");
    } else if (!haveOutput) {
        // Only the palette is written.
    } else if (o.toStdout && o.frames) {
        o.outputType = ftPng; // a stream of frames, for ffmpeg's image2pipe
    } else if (o.toStdout) {
        Bad("-o -", "the standard output needs --format bmp, png or jpeg");
    } else if (auto type = FileTypeOfName(o.output)) {
        o.outputType = *type;
    } else {
        const std::string ext = std::filesystem::path(o.output).extension().string();
        if (ext.empty())
            Bad("-o", "'" + o.output + "' has no picture type (use .bmp, .png, .jpg or .jpeg, or --format)");
        Bad("-o", "unsupported picture type '" + ext + "' (use .bmp, .png, .jpg or .jpeg, or --format)");
    }
    if (o.frames && !o.zoomCenter) Bad("--frames", "needs --zoom-to RE,IM,SPAN");
    if (o.zoomCenter && !o.frames) Bad("--zoom-to", "needs --frames N");
    if (o.frames && !haveOutput) Bad("--frames", "needs -o PATTERN or -o -");
    if (o.counts && !haveOutput) Bad("--counts", "needs -o FILE or -o - (the counts go with a picture)");
    if ((o.frameLast || o.shards) && !o.frames)
        Bad(o.shards ? "--shard" : "--frame-range", "needs --frames N");
    if (o.frameLast && *o.frameLast >= *o.frames)
        Bad("--frame-range", "there is no frame " + std::to_string(*o.frameLast) + " (frames are 0 to " +
                                 std::to_string(*o.frames - 1) + ")");
    if (o.gradient && (!o.paletteFile || PaletteFormatOfName(*o.paletteFile) != TPaletteFormat::Ugr))
        Bad("--gradient", "needs --palette FILE.ugr or FILE.gradient");
    if (o.frames && haveOutput && !o.toStdout)
        if (const std::string problem = CheckFramePattern(o.output); !problem.empty()) Bad("-o", problem);
    if (o.frames && o.counts)
        if (const std::string problem = CheckFramePattern(*o.counts); !problem.empty())
            Bad("--counts", problem);
    if (o.record && !o.vrpFile) Bad("--record", "needs --vrp FILE");
    if (o.vrpFile && o.fssFile) Bad("--fss", "cannot be combined with --vrp");
    if (o.viewFrom && (o.vrpFile || o.fssFile))
        Bad("--view-from", std::string("cannot be combined with ") + (o.vrpFile ? "--vrp" : "--fss"));
    // A location may make the view a Julia view; that is checked when it is applied.
    std::uint8_t finalFormula = o.formula.value_or(fmMandelbrot);
    if (o.julia && finalFormula != fmJulia && !o.vrpFile && !o.fssFile && !o.viewFrom)
        Bad("--julia", "only a Julia view has a Julia constant (add --formula julia)");
    return o;
}

TAppliedOptions ApplyRenderOptions(const TRenderOptions& options, TVistal& e,
                                   const TRenderEnvironment& environment) {
    TRenderOptions o = options;
    ResolvePalette(o, environment);
    TAppliedOptions applied;
    ApplyStartupParameters(e);
    ApplyLocationOptions(o, e, environment, applied);

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
    if (o.center || o.span) {
        TDeepPosition p = e.Position();
        if (o.center) {
            p.Re = *o.centerRe;
            p.Im = *o.centerIm;
        }
        if (o.span) p.Span = *o.span;
        e.SetPosition(p);
    }

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
        applied.Palette = *o.palette;
    }
    if (o.paletteFile) {
        LoadPaletteFile(e, *o.paletteFile, o.gradient.value_or(""));
        applied.Palette = BaseNameWithoutExtension(*o.paletteFile);
    }
    if (o.color0) {
        e.SetColor0(*o.color0);
        e.UseColor0 = true;
    }
    if (o.noHalf) e.Half = false;
    if (o.mode) e.DrawMode = *o.mode;
    if (o.brightness) e.SetBrightnessRaite(*o.brightness);
    if (o.shadeOff) e.ShadeOff = true;
    if (o.smooth) e.Smooth = true;
    if (o.escape) e.SetEscape(*o.escape);
    if (o.correction) e.SetCorrection(*o.correction);
    if (o.compo) e.DrawCompo = *o.compo;
    if (o.bright) e.PotentialBright = *o.bright;
    if (o.represent) e.Represent = *o.represent;
    if (o.lightDark) e.LightDark = *o.lightDark;
    if (o.kernel) e.KernelPath = *o.kernel;
    if (o.threads) e.Threads = *o.threads;
    if (o.deep) e.DeepMode = *o.deep;
    if (o.exactBits) {
        e.Exact = true;
        e.ExactBits = *o.exactBits;
    }
    if (o.adjustCenter) e.AdjustCenter(*o.adjustCenter);
    if (o.autoDetail) e.AutoDetail();
    return applied;
}

void ResolvePalette(TRenderOptions& o, const TRenderEnvironment& environment) {
    if (!o.paletteName || o.paletteFile) return;
    const std::optional<std::string> file = FindPalette(*o.paletteName, environment.PaletteFolders);
    if (!file)
        throw ECommandLine("--palette: no palette is named '" + *o.paletteName +
                           "' (built in: standard, mono, blue; --palette list shows the others)");
    o.paletteFile = *file;
}

} // namespace vistal::cli
