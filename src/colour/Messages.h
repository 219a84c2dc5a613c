// The colour layer's user-visible texts, each written once: a colour that is
// not hexadecimal, a picture file that cannot be written.
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
inline constexpr char kWriteError[] = "write error";
inline constexpr char kPictureTooLarge[] = "picture too large";
inline constexpr char kCannotStartPngEncoder[] = "cannot start the PNG encoder";
inline std::string InvalidFileType(int type) {
    return "Invalid file type " + std::to_string(type);
}
inline std::string InvalidFilterIndex(int filterIndex) {
    return "Invalid index number(" + std::to_string(filterIndex) + ") at GetFileType";
}

} // namespace vistal::msg
