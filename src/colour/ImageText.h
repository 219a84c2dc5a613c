// SPDX-License-Identifier: GPL-3.0-or-later
// Reading back what a PNG or JPEG file says about itself: its type, its size
// and the texts kept in it (PNG text chunks of one keyword, JPEG comments).
// The readers look at the structure only, never decode the pixels, and stop
// on anything they do not understand: no byte sequence makes them crash, read
// outside the bytes, allocate more than a fixed amount or run for longer than
// in proportion to the bytes they are given.
#pragma once

#include "colour/ImageFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vistal {

struct TImageText {
    TImageFileType Type = ftPng;
    // From the PNG header (IHDR) or the JPEG frame header (SOFn); 0 when the
    // file ends before it.
    int Width = 0, Height = 0;
    // PNG: the texts of the tEXt and uncompressed iTXt chunks whose keyword is
    // the one asked for, in file order; chunks whose checksum is wrong are
    // skipped. JPEG: the comments (COM) before the first scan, in file order.
    std::vector<std::string> Texts;
};

// At most this many texts are kept, and only texts up to this length.
inline constexpr std::size_t kMaxImageTexts = 16;
inline constexpr std::size_t kMaxImageTextLength = 1 << 20;

// The texts of a picture held in memory; nothing when the bytes start as
// neither a PNG nor a JPEG file. A file cut short gives what came before the cut.
std::optional<TImageText> ReadImageText(std::string_view bytes,
                                        std::string_view keyword = kPictureTextKeyword);

// The same for a file, read piece by piece as the structure leads (a large
// picture is not read whole). Only a regular file is read: a FIFO or device
// gives EImageFileError, as does a file that cannot be opened or read;
// a file of another type gives nothing.
std::optional<TImageText> ReadImageTextFile(const std::string& fileName,
                                            std::string_view keyword = kPictureTextKeyword);

} // namespace vistal
