#include "support/ImageReaders.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace vistal::test {

TBitmap ReadPng(const std::string& fileName, unsigned* format) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, fileName.c_str()))
        throw std::runtime_error("cannot read PNG " + fileName + ": " + image.message);
    if (format) *format = image.format;
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        throw std::runtime_error("cannot read PNG " + fileName + ": " + image.message);
    TBitmap b(static_cast<int>(image.width), static_cast<int>(image.height));
    const std::uint8_t* p = pixels.data();
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x, p += 3)
            b.SetPixel(x, y, TColor(p[0]) | TColor(p[1]) << 8 | TColor(p[2]) << 16);
    return b;
}

namespace {

struct TReadError {
    jpeg_error_mgr manager;
    char message[JMSG_LENGTH_MAX];
    std::jmp_buf jump;
};

void ReadErrorExit(j_common_ptr cinfo) {
    auto* error = reinterpret_cast<TReadError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, error->message);
    std::longjmp(error->jump, 1);
}

void Quiet(j_common_ptr) {}

// Decodes into pixels; no object with a destructor lives past the setjmp.
bool DecodeJpeg(std::FILE* f, std::vector<std::uint8_t>& pixels, int& w, int& h, TJpegInfo& info,
                TReadError& error) {
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = ReadErrorExit;
    error.manager.output_message = Quiet;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    info.components = cinfo.num_components;
    info.progressive = cinfo.progressive_mode;
    info.arithmetic = cinfo.arith_code;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    w = static_cast<int>(cinfo.output_width);
    h = static_cast<int>(cinfo.output_height);
    pixels.resize(static_cast<std::size_t>(w) * h * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.data() + static_cast<std::size_t>(cinfo.output_scanline) * w * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

TBitmap ReadJpeg(const std::string& fileName, TJpegInfo* info) {
    std::FILE* f = std::fopen(fileName.c_str(), "rb");
    if (!f) throw std::runtime_error("cannot open " + fileName);
    std::vector<std::uint8_t> pixels;
    int w = 0, h = 0;
    TJpegInfo found;
    TReadError error;
    const bool ok = DecodeJpeg(f, pixels, w, h, found, error);
    std::fclose(f);
    if (!ok) throw std::runtime_error("cannot read JPEG " + fileName + ": " + error.message);
    if (info) *info = found;
    TBitmap b(w, h);
    const std::uint8_t* p = pixels.data();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x, p += 3)
            b.SetPixel(x, y, TColor(p[0]) | TColor(p[1]) << 8 | TColor(p[2]) << 16);
    return b;
}

} // namespace vistal::test
