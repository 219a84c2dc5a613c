// SPDX-License-Identifier: GPL-3.0-or-later
// The scenic-spot reader on any bytes: it reads or fails with a message that
// names the item, never crashes; a file that reads is applied as the explorer
// does (no drawing).
#include "FuzzSupport.h"
#include "base/UType.h"
#include "engine/vistal_class.h"
#include "locations/UFss.h"
#include "locations/ULocationTarget.h"

using namespace vistal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TMemoryFile file;
    const std::string& name = file.Hold(data, size);
    TFssVistal fss;
    try {
        fss.LoadFromFile(name);
    } catch (const std::exception&) {
        fuzz::Expect(fss.ErrorMessage.find("Section=[") != std::string::npos, "a failed read names the item");
        return 0;
    }
    TVistal engine;
    TGlobal global;
    TEngineTarget target(engine, global);
    const TLocationResult r = OpenLocationFile(name, target);
    fuzz::Expect(r.Ok || !r.Message.empty(), "a failure to apply says why");
    return 0;
}
