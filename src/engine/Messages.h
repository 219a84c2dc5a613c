// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's user-visible texts, each written once. The drawing refuses a
// view without a picture size; loading a VCP palette reports why it failed
// (both in the reporter's language). Range errors end the command in the error
// box with their text.
#pragma once

#include "base/Messages.h"

#include <cstdint>
#include <string>

namespace vistal::msg {

inline constexpr TText kNoPictureSizeP{"表示サイズが指定してありません(TVistal.GetPointP)",
                                       "No picture size is set (TVistal.GetPointP)"};
inline constexpr TText kNoPictureSizeQ{"表示サイズが指定してありません(TVistal.GetPointQ)",
                                       "No picture size is set (TVistal.GetPointQ)"};

// Loading a VCP palette file (or a palette file of another program).
inline constexpr TText kVcpFileMissing{"%1がありません", "%1 does not exist"};
inline constexpr TText kVcpErrorAtLine{"%1 行目にｴﾗｰがあります", "Error in line %1"};
inline constexpr TText kVcpNoColor{"色が１色も指定してありません", "The file gives no colour"};
inline constexpr TText kVcpFileNotFound{"ﾌｧｲﾙが見つかりません(あり得ないｴﾗｰです)",
                                        "File not found (an error that cannot happen)"};
inline constexpr TText kVcpError{"ｴﾗｰです", "Error"};
inline constexpr TText kVcpSingleColor{"色が１色しかないです。もっと増やして下さい",
                                       "The palette has only one colour. Please add more."};
// A gradient file without the gradient asked for, or without any.
inline constexpr TText kNoGradientNamed{"ｸﾞﾗﾃﾞｰｼｮﾝ %1 がありません", "There is no gradient %1"};
inline constexpr TText kNoGradient{"ｸﾞﾗﾃﾞｰｼｮﾝがありません", "The file holds no gradient"};

// Range errors.
inline constexpr char kPaletteIndexOutOfRange[] = "Palette index out of range";
inline constexpr char kDetailOrColoursBelowOne[] = "Detail and the number of colours must be at least 1";
inline constexpr char kPotentialBrightError[] = "PotentialBright Error";
inline constexpr char kBitmapRowOutOfRange[] = "Bitmap row out of range";
inline constexpr char kTileRecordOutOfRange[] = "Tile record index out of range";
inline constexpr char kResultCacheSizeOutOfRange[] = "Result cache size out of range";
inline constexpr char kResultCacheIndexOutOfRange[] = "Result cache index out of range";

// A picture that does not fit in memory: "needs 37.3 GiB (4 bytes a pixel);
// this machine has 23.4 GiB".
inline constexpr char kPictureWithoutPixels[] = "a picture needs a width and a height of at least 1 pixel";
inline constexpr char kMachineMemory[] = "this machine has";
inline constexpr char kAddressSpaceLimit[] = "the address-space limit (ulimit -v) leaves";
inline constexpr char kDataLimit[] = "the data limit (ulimit -d) leaves";
inline std::string PictureMemoryNeeded(const std::string& need, std::uint64_t pictureBytes,
                                       std::uint64_t resultBytes, bool pictures, const std::string& source,
                                       const std::string& available) {
    std::string what = std::to_string(pictureBytes + resultBytes) + " bytes a pixel";
    if (resultBytes != 0)
        what += ": " + std::to_string(pictureBytes) +
                (pictures ? " for the pictures, " : " for the picture, ") + std::to_string(resultBytes) +
                " for the results kept for re-colouring";
    return "needs " + need + " (" + what + "); " + source + " " + available;
}
inline std::string DeepMemoryNeeded(const std::string& need, std::uint64_t perIteration, bool julia,
                                    const std::string& source, const std::string& available, bool besides) {
    return "a deep view of this iteration limit needs " + need + " for its reference orbit" +
           (julia ? "s" : "") + " and tables (" + std::to_string(perIteration) + " bytes an iteration); " +
           source + " " + available + (besides ? " beside the picture" : "");
}
inline std::string WorkingMemoryBesides(const std::string& size) {
    return ", and a drawing needs " + size + " besides";
}

} // namespace vistal::msg
