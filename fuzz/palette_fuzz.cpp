// SPDX-License-Identifier: GPL-3.0-or-later
// The readers of other programs' palette files on any bytes. The first byte
// picks the reader (map, GIMP palette or gradient file; a gradient's name
// follows, up to a byte 0), the rest is the file. A result code and never a
// crash; colours only on success, never more than the limit, and exactly the
// gradient's positions from a gradient file; a line number of an error lies
// inside the file. Colours read, written as a map, GIMP or VCP file, read
// back as the same colours.
#include "FuzzSupport.h"
#include "colour/PaletteFile.h"
#include "colour/Uvcpr.h"

#include <algorithm>

using namespace vistal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TMemoryFile file, written;
    fuzz::TInput input(data, size);
    const int reader = input.Byte() % 3;
    const std::string gradient(reader == 2 ? input.Field() : std::string_view());
    const std::string_view text = input.Rest();
    const std::string& name = file.Hold(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    const TVcpReadResult r = reader == 0   ? ReadMapFile(name)
                             : reader == 1 ? ReadGplFile(name)
                                           : ReadGradientFile(name, gradient);
    fuzz::Expect(r.Colors.size() <= kMaxVcpColors, "at most kMaxVcpColors colours");
    if (r.Code != vcpOk) {
        fuzz::Expect(r.Colors.empty(), "no colours from a failed read");
        fuzz::Expect(r.Code == vcpNoColor || r.Code > 0 || (reader == 2 && r.Code == paletteNoGradient),
                     "an error code of bytes is a line number, no-colour or no-gradient");
        const auto lines =
            std::count(text.begin(), text.end(), '\n') + std::count(text.begin(), text.end(), '\r') + 1;
        fuzz::Expect(r.Code <= lines, "the error line lies inside the file");
        return 0;
    }
    fuzz::Expect(!r.Colors.empty(), "a palette read holds a colour");
    if (reader == 2) fuzz::Expect(r.Colors.size() == kGradientPositions, "a gradient gives its positions");
    const TPaletteFormat formats[] = {TPaletteFormat::Map, TPaletteFormat::Gpl, TPaletteFormat::Vcp};
    const TPaletteFormat format = formats[r.Colors.size() % 3];
    const std::string out = ComposePaletteText(r.Colors, format, gradient);
    const std::string& back = written.Hold(reinterpret_cast<const std::uint8_t*>(out.data()), out.size());
    const TVcpReadResult again = format == TPaletteFormat::Map   ? ReadMapFile(back)
                                 : format == TPaletteFormat::Gpl ? ReadGplFile(back)
                                                                 : ReadVcpFile(back);
    fuzz::Expect(again.Code == vcpOk && again.Colors == r.Colors, "a written palette reads back");
    return 0;
}
