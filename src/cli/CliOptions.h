// The command line of vistal-render: parsing, applying the options to an
// engine and the whole run, kept apart from main() so tests can drive it.
#pragma once

#include "colour/ImageFile.h"
#include "engine/vistal_class.h"

#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vistal::cli {

// A bad command line: exit status 2, one line naming the option.
class ECommandLine : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TRenderOptions {
    std::optional<int> width, height;
    std::optional<std::uint8_t> formula;
    std::optional<int> power;
    std::optional<TComplex> julia, center;
    std::optional<double> span;
    std::optional<int> iterations;
    std::optional<int> detail;
    bool autoDetail = false;
    std::optional<std::string> palette;
    std::optional<std::string> paletteFile; // a VCP file given to --palette
    std::optional<TColor> color0;
    bool noHalf = false;
    std::optional<int> adjustCenter;
    std::optional<std::uint8_t> mode;
    std::optional<double> escape, correction;
    std::optional<std::uint8_t> compo, bright, represent, lightDark;
    bool stats = false; // report the kernel calls of the drawing on stderr
    std::optional<TKernelPath> kernel;
    std::optional<int> threads;
    std::string output;
    TImageFileType outputType = ftBmp;
    bool shadeOff = false;
    std::optional<double> brightness;
    // A location to start from (applied right after the start-up parameters).
    std::optional<std::string> vrpFile, fssFile, vcpFolder;
    std::optional<int> record; // 1-based index into the --vrp list
    bool progress = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
};

TRenderOptions ParseRenderOptions(const std::vector<std::string>& args);

// Sets the engine up as the options say, in a fixed order: the explorer's
// start-up parameters, the formula, the exponent (home view), the Julia
// constant, centre and span, then everything else.
void ApplyRenderOptions(const TRenderOptions& options, TVistal& engine);

// Applies --vrp/--record or --fss, looking palette names up in --vcp-folder.
// A file that does not load, or a record beyond the end of the list, raises
// std::runtime_error with the message for the user; a palette file that does
// not load is reported through the engine and ends in a silent abort.
void ApplyLocationOptions(const TRenderOptions& options, TVistal& engine);

std::string UsageText();

// The whole program: returns the exit status (0 written, 1 failure, 2 bad
// command line). Errors go to err, and so does the progress bar; the line
// naming the written file goes to out.
int RunRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vistal::cli
