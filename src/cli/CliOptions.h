// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of vistal-render: parsing, applying the options to an
// engine and the whole run, kept apart from main() so tests can drive it.
#pragma once

#include "cli/GnuOptions.h"
#include "colour/ImageFile.h"
#include "engine/vistal_class.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vistal::cli {

// When progress is shown on stderr: auto, a bar when stderr is a terminal (and
// the drawing takes more than a second); always, a bar on a terminal and
// otherwise a plain line at every tenth; never.
enum class TProgressWhen { Auto, Always, Never };

struct TRenderOptions {
    std::optional<int> width, height;
    std::optional<std::uint8_t> formula;
    std::optional<int> power;
    std::optional<TComplex> julia;
    std::optional<TComplex> center;          // its nearest doubles
    std::optional<TMpfr> centerRe, centerIm; // every digit given
    std::optional<TFloatExp> span;           // of any size
    std::optional<int> iterations;
    std::optional<int> detail;
    bool autoDetail = false;
    std::optional<std::string> palette;     // a built-in palette: standard, mono or blue
    std::optional<std::string> paletteName; // a palette found by name in the palette folders
    std::optional<std::string> paletteFile; // a palette file given to --palette
    bool listPalettes = false;              // --palette list
    // The gradient of a gradient file (--gradient); where the palette in use is written.
    std::optional<std::string> gradient, writePalette;
    std::optional<TColor> color0;
    bool noHalf = false;
    std::optional<int> adjustCenter;
    std::optional<std::uint8_t> mode;
    std::optional<double> escape, correction;
    std::optional<std::uint8_t> compo, bright, represent, lightDark;
    bool stats = false; // report the kernel calls of the drawing on stderr
    std::optional<TKernelPath> kernel;
    std::optional<int> threads;
    std::optional<TDeepMode> deep;
    std::optional<long> exactBits;     // --exact: 0 for the view's own precision
    std::optional<std::string> counts; // --counts FILE (a pattern with --frames)
    std::string output;    // a file, a frame pattern with --frames, or "-" for the standard output
    bool toStdout = false; // -o -
    TImageFileType outputType = ftBmp;
    std::optional<TImageFileType> format; // --format, which overrides the extension
    int quality = 90;                     // JPEG quality
    bool shadeOff = false;
    bool smooth = false;
    std::optional<double> brightness;
    // A location to start from (applied right after the start-up parameters).
    std::optional<std::string> vrpFile, fssFile, viewFrom, vcpFolder;
    std::optional<int> record; // 1-based index into the --vrp list
    // A zoom sequence: frames pictures from the view the options give to zoomTo.
    std::optional<int> frames;
    std::optional<TComplex> zoomCenter;
    std::optional<TMpfr> zoomRe, zoomIm;
    std::optional<TFloatExp> zoomSpan;
    // The frames this process draws: a range, and of it every shards-th frame from the shard-th.
    std::optional<int> frameFirst, frameLast, shard, shards;
    TProgressWhen progress = TProgressWhen::Auto;
    bool quiet = false;
    std::optional<TLanguage> language; // --lang
    bool help = false;
    bool version = false;
};

// A pure function of the words: no file is looked at, nothing is printed.
// Raises ECommandLine for a bad command line. --help and --version end the
// reading where they stand, as GNU programs do.
TRenderOptions ParseRenderOptions(const std::vector<std::string>& args);

// What the run knows of its surroundings.
struct TRenderEnvironment {
    bool ErrIsTerminal = false;
    bool OutIsTerminal = false;
    // Where --palette NAME and the palettes of --view-from are looked for.
    std::vector<std::string> PaletteFolders;
    // Frames of a zoom sequence encoded at once; 0 decides from the threads
    // and the memory.
    int FrameWriters = 0;
    // The language of the messages the core words, unless --lang says
    // otherwise: the locale's (main), Japanese here.
    TLanguage Language = TLanguage::Japanese;
};

// What applying the options leaves to know besides the engine: what a
// picture records of its view, and warnings for the user.
struct TAppliedOptions {
    std::string Title = "vistal-render"; // the title of the location started from, if any
    std::string Palette = "standard";    // the palette's name (a file's name without folder and extension)
    std::vector<std::string> Warnings;
};

// Sets the engine up as the options say, in a fixed order: the explorer's
// start-up parameters, a location (--vrp, --fss or --view-from), the formula,
// the exponent (home view), the Julia constant, centre and span, then
// everything else. A palette name (paletteName) must have been resolved into
// paletteFile already (ResolvePalette).
TAppliedOptions ApplyRenderOptions(const TRenderOptions& options, TVistal& engine,
                                   const TRenderEnvironment& environment = {});

// Applies --vrp/--record, --fss or --view-from, looking palette names up in
// --vcp-folder (and for --view-from, the palette folders). A file that does
// not load, or a record beyond the end of the list, raises
// std::runtime_error with the message for the user; a palette file that does
// not load is reported through the engine and ends in a silent abort.
void ApplyLocationOptions(const TRenderOptions& options, TVistal& engine,
                          const TRenderEnvironment& environment, TAppliedOptions& applied);

// Turns --palette NAME into the file found in the palette folders; a name
// found nowhere raises ECommandLine.
void ResolvePalette(TRenderOptions& options, const TRenderEnvironment& environment);

// Loads a palette file of any format into the engine (`gradient`: the
// gradient of a gradient file, empty for the first); what loading reports is
// prefixed with the file's name, and with the line when it is about one
// ("sunset.vcp:1: この行は読めません").
void LoadPaletteFile(TVistal& engine, const std::string& fileName, const std::string& gradient = {});

std::string UsageText();

// The whole program: returns the exit status (0 written, 1 failure, 2 bad
// command line or a refused limit). Errors, warnings and progress go to err;
// the line naming the written file goes to out, and so does the picture with
// -o -. The first form runs as if neither stream were a terminal and without
// palette folders.
int RunRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const TRenderEnvironment& environment);

} // namespace vistal::cli
