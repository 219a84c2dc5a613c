// SPDX-License-Identifier: GPL-3.0-or-later
// The colour layer's user-visible texts, each written once: a colour that is
// not hexadecimal, a picture file that cannot be written or cannot hold a
// picture of its size.
#pragma once

#include <string>
#include <string_view>

namespace vistal::msg {

inline std::string NotHexadecimal(std::string_view text) {
    std::string out = "'";
    out.append(text);
    out.append("' is not a valid hexadecimal number");
    return out;
}

inline std::string CannotWritePicture(const std::string& fileName, const std::string& reason) {
    return "Cannot write " + fileName + ": " + reason;
}
inline std::string CannotReadPicture(const std::string& fileName, const std::string& reason) {
    return "Cannot read " + fileName + ": " + reason;
}
inline constexpr char kWriteError[] = "write error";
// Pictures a file type cannot hold.
inline constexpr char kPictureFileWithoutPixels[] =
    "a picture file needs a width and a height of at least 1 pixel";
inline std::string BmpTooLarge(const std::string& size) {
    return "a BMP file holds at most 4 GiB, and this picture needs " + size + " (use .png)";
}
inline std::string PngTooLarge(long width, long height) {
    return "a PNG picture is at most " + std::to_string(width) + " pixels wide and " +
           std::to_string(height) + " high";
}
inline std::string JpegTooLarge(long side) {
    return "a JPEG picture is at most " + std::to_string(side) + " pixels wide and high (use .png)";
}
inline constexpr char kCannotStartPngEncoder[] = "cannot start the PNG encoder";
inline std::string InvalidFileType(int type) {
    return "Invalid file type " + std::to_string(type);
}
inline std::string InvalidFilterIndex(int filterIndex) {
    return "Invalid index number(" + std::to_string(filterIndex) + ") at GetFileType";
}

} // namespace vistal::msg
