// Writing pictures to files. Every writer builds the file under a temporary
// name in the target folder and renames it over the target only when complete,
// so a failed write never leaves a partial file or damages an existing one.
#pragma once

#include "engine/Bitmap.h"

#include <stdexcept>
#include <string>

namespace vistal {

class EImageFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A 24-bit Windows BMP: bottom-up rows, each padded to a multiple of 4 bytes.
void WriteBmpFile(const TBitmap& bitmap, const std::string& fileName);

} // namespace vistal
