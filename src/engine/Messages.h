// The engine's user-visible texts, each written once. The drawing refuses a
// view without a picture size; loading a VCP palette reports why it failed.
// Range errors end the command in the error box with their text.
#pragma once

#include <cstdint>
#include <string>

namespace vistal::msg {

inline constexpr char kNoPictureSizeP[] = "表示サイズが指定してありません(TVistal.GetPointP)";
inline constexpr char kNoPictureSizeQ[] = "表示サイズが指定してありません(TVistal.GetPointQ)";

// Loading a VCP palette file.
inline std::string VcpFileMissing(const std::string& name) {
    return name + "がありません";
}
inline std::string VcpErrorAtLine(int line) {
    return std::to_string(line) + " 行目にｴﾗｰがあります";
}
inline constexpr char kVcpNoColor[] = "色が１色も指定してありません";
inline constexpr char kVcpFileNotFound[] = "ﾌｧｲﾙが見つかりません(あり得ないｴﾗｰです)";
inline constexpr char kVcpError[] = "ｴﾗｰです";
inline constexpr char kVcpSingleColor[] = "色が１色しかないです。もっと増やして下さい";
// A gradient file without the gradient asked for (or without any, name empty).
inline std::string NoGradient(const std::string& name) {
    return name.empty() ? "ｸﾞﾗﾃﾞｰｼｮﾝがありません" : "ｸﾞﾗﾃﾞｰｼｮﾝ " + name + " がありません";
}

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
inline std::string WorkingMemoryBesides(const std::string& size) {
    return ", and a drawing needs " + size + " besides";
}

} // namespace vistal::msg
