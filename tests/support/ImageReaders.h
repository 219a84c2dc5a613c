// SPDX-License-Identifier: GPL-3.0-or-later
// Readers for the PNG, JPEG and OpenEXR files the program writes, built on
// the real libpng, libjpeg and OpenEXR decoders.
#pragma once

#include "base/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

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

// A file of counts (colour/CountsFile.h): the values of channel N, the
// attributes, and the channels there are.
struct TCountsFile {
    int Width = 0, Height = 0;
    std::vector<std::uint32_t> N;
    std::vector<float> NF; // empty without the channel
    int Iterations = 0;
    std::string Text;
    std::vector<std::string> Channels;
    // The counts as the program's: 0xFFFFFFFF (never escaped) read as 0.
    std::vector<std::int32_t> Counts() const;
};
// Throws on a file OpenEXR cannot read, whose N is no channel of UINT or
// whose NF is one of another type than FLOAT.
TCountsFile ReadCountsFile(const std::string& fileName);

} // namespace vistal::test
