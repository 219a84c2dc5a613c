// The location options of vistal-render: a record of a VRP list or an FSS
// file, applied to the engine as the explorer applies it.
#include "cli/CliOptions.h"

#include "locations/UFss.h"
#include "locations/ULocationTarget.h"
#include "locations/URecommendation.h"

#include <stdexcept>

namespace vistal::cli {

namespace {

// The program's reports use CR LF between their lines; a terminal wants LF.
std::string TerminalLines(std::string text) {
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

} // namespace

void ApplyLocationOptions(const TRenderOptions& o, TVistal& e) {
    if (!o.vrpFile && !o.fssFile) return;
    TGlobal global;
    if (o.vcpFolder) {
        global.VcpAlways = true;
        global.SetVcpFiles(*o.vcpFolder);
        global.RestoreVcp = true;
    }
    TEngineTarget target(e, global);
    if (o.vrpFile) {
        TRecommendationList list;
        try {
            list.LoadFromFile(*o.vrpFile);
        } catch (const EAbort&) {
            throw std::runtime_error(TerminalLines(list.ErrorReport(*o.vrpFile)));
        }
        const int n = o.record.value_or(1);
        if (n > list.Count())
            throw std::runtime_error(*o.vrpFile + " holds " + std::to_string(list.Count()) +
                                     (list.Count() == 1 ? " record" : " records") + "; there is no record " +
                                     std::to_string(n));
        ApplyRecommendation(list.Item(n - 1), target);
    } else {
        const TLocationResult result = OpenLocationFile(*o.fssFile, target);
        if (!result.Ok) {
            if (result.Message.empty()) throw EAbort(); // reported already
            throw std::runtime_error(TerminalLines(result.Message));
        }
    }
}

} // namespace vistal::cli
