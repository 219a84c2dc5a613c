// SPDX-License-Identifier: GPL-3.0-or-later
// The readers of what a PNG or JPEG file says about itself, on any bytes: the
// reader of bytes in memory and the reader of a file (which reads piece by
// piece) give the same answer, within the limits; the view a text carries is
// read or refused with a reason, never more.
#include "FuzzSupport.h"
#include "colour/ImageText.h"
#include "locations/PictureView.h"

#include <stdexcept>

using namespace vistal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TMemoryFile file;
    const std::string& name = file.Hold(data, size);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::optional<TImageText> inMemory = ReadImageText(bytes);
    std::optional<TImageText> fromFile;
    try {
        fromFile = ReadImageTextFile(name);
    } catch (const EImageFileError& ex) {
        fuzz::Broken(ex.what());
    }
    fuzz::Expect(inMemory.has_value() == fromFile.has_value(), "both readers tell a picture alike");
    if (!inMemory) return 0;
    fuzz::Expect(inMemory->Type == fromFile->Type, "both readers give the type");
    fuzz::Expect(inMemory->Width == fromFile->Width && inMemory->Height == fromFile->Height,
                 "both readers give the size");
    fuzz::Expect(inMemory->Texts == fromFile->Texts, "both readers give the texts");
    fuzz::Expect(inMemory->Width >= 0 && inMemory->Height >= 0, "a size is not negative");
    fuzz::Expect(inMemory->Texts.size() <= kMaxImageTexts, "at most kMaxImageTexts texts");
    for (const std::string& text : inMemory->Texts) {
        fuzz::Expect(text.size() <= kMaxImageTextLength, "no text beyond kMaxImageTextLength");
        std::string error;
        const std::optional<TPictureView> view = ParsePictureText(text, error);
        fuzz::Expect(view ? view->Record != nullptr : !error.empty(), "a view, or the reason there is none");
    }
    try {
        const TPictureView view = ReadPictureView(name);
        fuzz::Expect(view.Record != nullptr, "a view read has its record");
    } catch (const std::runtime_error&) {
    }
    return 0;
}
