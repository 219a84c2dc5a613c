// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/ImageFile.h"
#include "colour/Messages.h"

#include "base/AtomicFile.h"
#include "base/UFormat.h"
#include "base/UType.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>
#include <png.h>

namespace vistal {

namespace {

std::string ErrnoText(int err) {
    return err != 0 ? std::strerror(err) : msg::kWriteError;
}

// Writes through the shared atomic writer; every failure becomes an
// EImageFileError naming the file and the reason.
void WriteAtomically(const std::string& fileName, const std::function<void(std::FILE*)>& body) {
    try {
        WriteFileAtomically(fileName, body);
    } catch (const EFileWriteError& ex) {
        throw EImageFileError(msg::CannotWritePicture(fileName, ex.Reason()));
    }
}

constexpr std::uint64_t kBmpHeaderBytes = 54;
// The file size field of a BMP file has 32 bits.
constexpr std::uint64_t kBmpMaxBytes = 0xFFFFFFFFu;
// libpng's own limits on the sides of a picture it writes.
constexpr long kPngMaxWidth = PNG_USER_WIDTH_MAX, kPngMaxHeight = PNG_USER_HEIGHT_MAX;

// Bytes of a BMP row of 24-bit pixels, padded to a multiple of 4.
std::uint64_t BmpRowBytes(int width) {
    return (static_cast<std::uint64_t>(width) * 3 + 3) & ~std::uint64_t(3);
}

void PutLE(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// ---- PNG ------------------------------------------------------------------
// libpng reports errors through a callback that must not return; it jumps back
// into EncodePng, which holds no objects with destructors past its setjmp.

struct TPngState {
    std::FILE* file;
    int ioError = 0;
    char message[256] = "";
    std::jmp_buf jump;
};

void PngError(png_structp png, png_const_charp message) {
    auto* state = static_cast<TPngState*>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", message);
    std::longjmp(state->jump, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void PngWrite(png_structp png, png_bytep data, std::size_t length) {
    auto* state = static_cast<TPngState*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, length, state->file) != length) {
        state->ioError = errno != 0 ? errno : EIO;
        png_error(png, msg::kWriteError);
    }
}

void PngFlush(png_structp) {}

// Returns false with state.message (or state.ioError) set on failure.
// Printable ASCII goes into a tEXt chunk; anything else needs iTXt (UTF-8).
bool IsPrintableAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

bool EncodePng(const TBitmap& bitmap, std::uint8_t* row, TPngState& state,
               const TPictureFileOptions& options) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, PngError, PngWarning);
    if (!png) {
        std::snprintf(state.message, sizeof state.message, "%s", msg::kCannotStartPngEncoder);
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        std::snprintf(state.message, sizeof state.message, "%s", msg::kCannotStartPngEncoder);
        return false;
    }
    if (setjmp(state.jump)) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &state, PngWrite, PngFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width()),
                 static_cast<png_uint_32>(bitmap.Height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_text text{};
    if (!options.Text.empty()) {
        // Set before png_write_info, so the chunk comes before the image data.
        text.compression =
            IsPrintableAscii(options.Text) ? PNG_TEXT_COMPRESSION_NONE : PNG_ITXT_COMPRESSION_NONE;
        text.key = const_cast<png_charp>(kPictureTextKeyword);
        text.text = const_cast<png_charp>(options.Text.c_str());
        text.text_length = options.Text.size();
        png_set_text(png, info, &text, 1);
    }
    png_write_info(png, info);
    for (int y = 0; y < bitmap.Height(); ++y) {
        bitmap.RowToRgb24(y, row);
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// ---- JPEG -----------------------------------------------------------------
// libjpeg's default error handler ends the process; this one jumps back into
// EncodeJpeg instead, and warnings are not printed.

struct TJpegError {
    jpeg_error_mgr manager;
    int ioError = 0;
    char message[JMSG_LENGTH_MAX] = "";
    std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr cinfo) {
    auto* error = reinterpret_cast<TJpegError*>(cinfo->err);
    if (error->manager.msg_code == JERR_FILE_WRITE) error->ioError = errno != 0 ? errno : EIO;
    (*cinfo->err->format_message)(cinfo, error->message);
    std::longjmp(error->jump, 1);
}

void JpegOutputMessage(j_common_ptr) {}

// The longest comment a JPEG marker segment holds.
constexpr std::size_t kJpegMaxComment = 65533;

bool EncodeJpeg(const TBitmap& bitmap, std::FILE* file, std::uint8_t* row, TJpegError& error,
                const TPictureFileOptions& options) {
    jpeg_compress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo); // so that destroying it is safe at any point
    cinfo.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JpegErrorExit;
    error.manager.output_message = JpegOutputMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
    cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, std::clamp(options.JpegQuality, 1, 100), TRUE); // TRUE: baseline tables
    jpeg_start_compress(&cinfo, TRUE);
    if (!options.Text.empty() && options.Text.size() <= kJpegMaxComment)
        jpeg_write_marker(&cinfo, JPEG_COM, reinterpret_cast<const JOCTET*>(options.Text.data()),
                          static_cast<unsigned>(options.Text.size()));
    JSAMPROW rows[1] = {row};
    for (int y = 0; y < bitmap.Height(); ++y) {
        bitmap.RowToRgb24(y, row);
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

} // namespace

std::string CheckImageFileSize(int width, int height, TImageFileType type) {
    if (width <= 0 || height <= 0) return msg::kPictureFileWithoutPixels;
    switch (type) {
    case ftBmp: {
        const std::uint64_t bytes = kBmpHeaderBytes + BmpRowBytes(width) * static_cast<std::uint64_t>(height);
        if (bytes > kBmpMaxBytes) return msg::BmpTooLarge(FormatByteSize(bytes, true));
        return {};
    }
    case ftPng:
        if (width > kPngMaxWidth || height > kPngMaxHeight)
            return msg::PngTooLarge(kPngMaxWidth, kPngMaxHeight);
        return {};
    case ftJpeg:
        if (width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION)
            return msg::JpegTooLarge(JPEG_MAX_DIMENSION);
        return {};
    }
    return msg::InvalidFileType(static_cast<int>(type));
}

namespace {

// A picture the type cannot hold is refused before its file is touched.
void RequireFileSize(const TBitmap& bitmap, const std::string& fileName, TImageFileType type) {
    const std::string problem = CheckImageFileSize(bitmap.Width(), bitmap.Height(), type);
    if (!problem.empty()) throw EImageFileError(msg::CannotWritePicture(fileName, problem));
}

} // namespace

namespace {

void EncodeBmp(const TBitmap& bitmap, std::FILE* f) {
    const int w = bitmap.Width(), h = bitmap.Height();
    const std::size_t rowBytes = BmpRowBytes(w);
    const std::size_t imageBytes = rowBytes * h;
    std::vector<std::uint8_t> header(54, 0);
    header[0] = 'B';
    header[1] = 'M';
    PutLE(header, 2, static_cast<std::uint32_t>(54 + imageBytes), 4);
    PutLE(header, 10, 54, 4);
    PutLE(header, 14, 40, 4);
    PutLE(header, 18, static_cast<std::uint32_t>(w), 4);
    PutLE(header, 22, static_cast<std::uint32_t>(h), 4);
    PutLE(header, 26, 1, 2);
    PutLE(header, 28, 24, 2);
    PutLE(header, 34, static_cast<std::uint32_t>(imageBytes), 4);
    PutLE(header, 38, 3780, 4); // 96 dpi
    PutLE(header, 42, 3780, 4);

    if (std::fwrite(header.data(), 1, header.size(), f) != header.size())
        throw EWriteFailure(ErrnoText(errno));
    std::vector<std::uint8_t> row(rowBytes, 0);
    for (int y = h - 1; y >= 0; --y) {
        bitmap.RowToBgr24(y, row.data());
        if (std::fwrite(row.data(), 1, rowBytes, f) != rowBytes) throw EWriteFailure(ErrnoText(errno));
    }
}

// Any of the three encoders onto an open stream; failures raise EWriteFailure.
void Encode(const TBitmap& bitmap, std::FILE* f, TImageFileType type, const TPictureFileOptions& options) {
    switch (type) {
    case ftBmp:
        EncodeBmp(bitmap, f);
        return;
    case ftPng: {
        std::vector<std::uint8_t> row(3 * static_cast<std::size_t>(bitmap.Width()));
        TPngState state;
        state.file = f;
        if (!EncodePng(bitmap, row.data(), state, options))
            throw EWriteFailure(state.ioError != 0 ? ErrnoText(state.ioError) : std::string(state.message));
        return;
    }
    case ftJpeg: {
        std::vector<std::uint8_t> row(3 * static_cast<std::size_t>(bitmap.Width()));
        TJpegError error;
        if (!EncodeJpeg(bitmap, f, row.data(), error, options))
            throw EWriteFailure(error.ioError != 0 ? ErrnoText(error.ioError) : std::string(error.message));
        return;
    }
    }
    throw ERangeError(msg::InvalidFileType(static_cast<int>(type)));
}

} // namespace

void WriteBmpFile(const TBitmap& bitmap, const std::string& fileName) {
    WriteImageFile(bitmap, fileName, ftBmp, {});
}

void WritePngFile(const TBitmap& bitmap, const std::string& fileName) {
    WriteImageFile(bitmap, fileName, ftPng, {});
}

void WriteJpegFile(const TBitmap& bitmap, const std::string& fileName) {
    WriteImageFile(bitmap, fileName, ftJpeg, {});
}

void WriteImageFile(const TBitmap& bitmap, const std::string& fileName, TImageFileType type) {
    WriteImageFile(bitmap, fileName, type, {});
}

void WriteImageFile(const TBitmap& bitmap, const std::string& fileName, TImageFileType type,
                    const TPictureFileOptions& options) {
    if (type != ftBmp && type != ftPng && type != ftJpeg)
        throw ERangeError(msg::InvalidFileType(static_cast<int>(type)));
    RequireFileSize(bitmap, fileName, type);
    WriteAtomically(fileName, [&](std::FILE* f) { Encode(bitmap, f, type, options); });
}

void WriteImageStream(const TBitmap& bitmap, std::FILE* stream, const std::string& streamName,
                      TImageFileType type, const TPictureFileOptions& options) {
    if (type != ftBmp && type != ftPng && type != ftJpeg)
        throw ERangeError(msg::InvalidFileType(static_cast<int>(type)));
    RequireFileSize(bitmap, streamName, type);
    try {
        errno = 0;
        Encode(bitmap, stream, type, options);
        if (std::fflush(stream) != 0) throw EWriteFailure(ErrnoText(errno));
    } catch (const EWriteFailure& ex) {
        throw EImageFileError(msg::CannotWritePicture(streamName, ex.what()));
    }
}

std::optional<TImageFileType> FileTypeOfName(const std::string& fileName) {
    const auto dot = fileName.find_last_of("./");
    if (dot == std::string::npos || fileName[dot] != '.') return std::nullopt;
    const std::string ext = Lower(fileName.substr(dot));
    if (ext == ".bmp") return ftBmp;
    if (ext == ".png") return ftPng;
    if (ext == ".jpeg" || ext == ".jpg") return ftJpeg;
    return std::nullopt;
}

TImageFileType FileTypeOfFilter(const std::string& fileName, int filterIndex) {
    if (auto type = FileTypeOfName(fileName)) return *type;
    switch (filterIndex) {
    case 1:
        return ftBmp;
    case 2:
        return ftPng;
    case 3:
        return ftJpeg;
    }
    throw ERangeError(msg::InvalidFilterIndex(filterIndex));
}

std::string AddExtension(const std::string& fileName, TImageFileType type) {
    if (fileName.find('.') != std::string::npos) return fileName;
    switch (type) {
    case ftBmp:
        return fileName + ".bmp";
    case ftPng:
        return fileName + ".png";
    case ftJpeg:
        return fileName + ".jpg";
    }
    throw ERangeError(msg::InvalidFileType(static_cast<int>(type)));
}

} // namespace vistal
