// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the tests: a temporary folder removed at the end of a test
// and a reader for the 24-bit BMP files the program writes.
#pragma once

#include "base/Bitmap.h"

#include <filesystem>
#include <functional>
#include <string>

namespace vistal::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Reads a 24-bit uncompressed BMP (bottom-up or top-down); throws on anything else.
TBitmap ReadBmp24(const std::string& fileName);

// A picture of random 24-bit colours, the same for the same seed.
TBitmap RandomBitmap(int width, int height, unsigned seed);

std::string ReadFileBytes(const std::string& fileName);

// Runs body() in a forked child (without core dumps) and returns its exit
// status, or the negated number of the signal that ended it.
int InChild(const std::function<int()>& body);

// Lets this process map only `bytes` more than it has mapped now (a child's
// way to meet a small machine).
void LimitAddressSpace(std::size_t bytes);
void WriteFileBytes(const std::string& fileName, const std::string& bytes);

// A palette file with a comment, a colour, a gradient and a line directive:
// ten colours after colour 0.
inline constexpr const char* kSunsetVcp = "* sunset palette\n"
                                          "000000\n"
                                          "#GRAD FF0000, FFFF00, 4\n"
                                          "#line 0,64,0,0,255,0,5\n"
                                          "00FF00 green\n";

} // namespace vistal::test
