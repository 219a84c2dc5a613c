// SPDX-License-Identifier: GPL-3.0-or-later
// Writing pictures to files. Every writer builds the file under a temporary
// name in the target folder and renames it over the target only when complete,
// so a failed write never leaves a partial file or damages an existing one.
#pragma once

#include "base/Bitmap.h"

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>

namespace vistal {

class EImageFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The picture file types, numbered as the save dialog's filters are ordered.
enum TImageFileType : int { ftBmp = 0, ftPng = 1, ftJpeg = 2 };

// A 24-bit Windows BMP: bottom-up rows, each padded to a multiple of 4 bytes.
void WriteBmpFile(const TBitmap& bitmap, const std::string& fileName);
// A PNG file, 8 bits per channel RGB without alpha, with libpng's default
// compression and filtering.
void WritePngFile(const TBitmap& bitmap, const std::string& fileName);
// A baseline colour JPEG file of quality 90 (libjpeg's other defaults).
void WriteJpegFile(const TBitmap& bitmap, const std::string& fileName);
// One of the three writers, chosen by type.
void WriteImageFile(const TBitmap& bitmap, const std::string& fileName, TImageFileType type);

// The keyword under which a PNG file keeps the text of its view.
inline constexpr char kPictureTextKeyword[] = "vistal";

// What a picture file holds besides its pixels.
struct TPictureFileOptions {
    // JPEG quality, 1..100 (libjpeg's scale); the other types ignore it.
    int JpegQuality = 90;
    // A line of text kept in the file when not empty: in a PNG file as a text
    // chunk with the keyword kPictureTextKeyword (tEXt when the text is
    // printable ASCII, else iTXt in UTF-8), before the image data; in a JPEG
    // file as a comment (COM) right after the header, when it fits in one
    // (65533 bytes). BMP files have no place for it.
    std::string Text;
};

// As above, with the options.
void WriteImageFile(const TBitmap& bitmap, const std::string& fileName, TImageFileType type,
                    const TPictureFileOptions& options);

// Writes the picture to an open stream, such as the standard output; nothing
// is atomic here: a failure may leave part of the picture written. The sizes
// are checked first, as the file writers check them. Failures raise
// EImageFileError with "Cannot write <streamName>: reason".
void WriteImageStream(const TBitmap& bitmap, std::FILE* stream, const std::string& streamName,
                      TImageFileType type, const TPictureFileOptions& options = {});

// Empty when a picture of width × height pixels can be written as a file of
// the type; otherwise why not, as one sentence without a full stop: a BMP
// file holds at most 4 GiB, a JPEG picture at most 65500 pixels a side, a PNG
// picture (as libpng writes it) at most 1000000. The writers refuse the same
// pictures with the same words, before they write anything.
std::string CheckImageFileSize(int width, int height, TImageFileType type);

// The type a file name's extension names: ".bmp", ".png", ".jpeg" or ".jpg" in
// any letter case. The extension is the part from the last "." of the name's
// final component; a name without one has none.
std::optional<TImageFileType> FileTypeOfName(const std::string& fileName);

// The type to save as: the name's extension decides; failing that the 1-based
// index of the save dialog's filter (1 BMP, 2 PNG, 3 JPEG). Anything else (the
// all-files filter, 4, with an unknown extension) raises ERangeError with the
// message "Invalid index number(<index>) at GetFileType".
TImageFileType FileTypeOfFilter(const std::string& fileName, int filterIndex);

// A name with a "." anywhere is kept as it is; any other name gets ".bmp",
// ".png" or ".jpg" by type.
std::string AddExtension(const std::string& fileName, TImageFileType type);

} // namespace vistal
