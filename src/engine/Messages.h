// The engine's user-visible texts, each written once. The drawing refuses a
// view without a picture size; loading a VCP palette reports why it failed.
// Range errors end the command in the error box with their text.
#pragma once

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

// Range errors.
inline constexpr char kPaletteIndexOutOfRange[] = "Palette index out of range";
inline constexpr char kDetailOrColoursBelowOne[] = "Detail and the number of colours must be at least 1";
inline constexpr char kPotentialBrightError[] = "PotentialBright Error";
inline constexpr char kBitmapRowOutOfRange[] = "Bitmap row out of range";
inline constexpr char kTileRecordOutOfRange[] = "Tile record index out of range";
inline constexpr char kResultCacheSizeOutOfRange[] = "Result cache size out of range";
inline constexpr char kResultCacheIndexOutOfRange[] = "Result cache index out of range";

} // namespace vistal::msg
