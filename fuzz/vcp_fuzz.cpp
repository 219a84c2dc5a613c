// SPDX-License-Identifier: GPL-3.0-or-later
// The palette reader on any bytes: a result code and never a crash; colours
// only on success, never more than the limit; a line number of an error lies
// inside the file.
#include "FuzzSupport.h"
#include "colour/Uvcpr.h"

#include <algorithm>

using namespace vistal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TMemoryFile file;
    const TVcpReadResult r = ReadVcpFile(file.Hold(data, size));
    fuzz::Expect(r.Colors.size() <= kMaxVcpColors, "at most kMaxVcpColors colours");
    if (r.Code == vcpOk) {
        fuzz::Expect(!r.Colors.empty(), "a palette read holds a colour");
    } else {
        fuzz::Expect(r.Colors.empty(), "no colours from a failed read");
        fuzz::Expect(r.Code == vcpNoColor || r.Code > 0,
                     "an error code of bytes is a line number or no-colour");
        const auto lines = std::count(data, data + size, '\n') + std::count(data, data + size, '\r') + 1;
        fuzz::Expect(r.Code == vcpNoColor || r.Code <= lines, "the error line lies inside the file");
    }
    return 0;
}
