// Readers for the PNG and JPEG files the program writes, built on the real
// libpng and libjpeg decoders.
#pragma once

#include "base/Bitmap.h"

#include <string>

namespace vistal::test {

// Reads a PNG file as 8-bit RGB; format receives the file's own pixel format
// as libpng's simplified API describes it (PNG_FORMAT_RGB for 8-bit RGB
// without alpha). Throws on a file libpng cannot read.
TBitmap ReadPng(const std::string& fileName, unsigned* format = nullptr);

struct TJpegInfo {
    int components = 0;       // 3 for colour
    bool progressive = false; // a baseline or extended-sequential file has false
    bool arithmetic = false;
};

// Reads a JPEG file as RGB. Throws on a file libjpeg cannot read.
TBitmap ReadJpeg(const std::string& fileName, TJpegInfo* info = nullptr);

} // namespace vistal::test
