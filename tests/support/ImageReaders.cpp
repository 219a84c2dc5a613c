// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ImageReaders.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfIntAttribute.h>
#include <ImfStringAttribute.h>

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

std::vector<std::int32_t> TCountsFile::Counts() const {
    std::vector<std::int32_t> counts;
    for (std::uint32_t n : N)
        counts.push_back(n == 0xFFFFFFFFu ? 0 : static_cast<std::int32_t>(n));
    return counts;
}

TCountsFile ReadCountsFile(const std::string& fileName) {
    Imf::InputFile in(fileName.c_str());
    const Imath::Box2i window = in.header().dataWindow();
    TCountsFile file;
    file.Width = window.max.x - window.min.x + 1;
    file.Height = window.max.y - window.min.y + 1;
    for (auto c = in.header().channels().begin(); c != in.header().channels().end(); ++c) {
        file.Channels.push_back(c.name());
        if (std::string(c.name()) == "N" && c.channel().type != Imf::UINT)
            throw std::runtime_error("N is no channel of UINT");
        if (std::string(c.name()) == "NF" && c.channel().type != Imf::FLOAT)
            throw std::runtime_error("NF is no channel of FLOAT");
    }
    if (const auto* iterations = in.header().findTypedAttribute<Imf::IntAttribute>("Iterations"))
        file.Iterations = iterations->value();
    if (const auto* text = in.header().findTypedAttribute<Imf::StringAttribute>("vistal"))
        file.Text = text->value();
    file.N.resize(static_cast<std::size_t>(file.Width) * static_cast<std::size_t>(file.Height));
    const std::ptrdiff_t origin = (window.min.x + window.min.y * std::ptrdiff_t(file.Width)) * 4;
    const std::size_t rowBytes = 4 * static_cast<std::size_t>(file.Width);
    Imf::FrameBuffer frame;
    frame.insert("N", Imf::Slice(Imf::UINT, reinterpret_cast<char*>(file.N.data()) - origin, 4, rowBytes));
    if (in.header().channels().findChannel("NF")) {
        file.NF.resize(file.N.size());
        frame.insert("NF",
                     Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(file.NF.data()) - origin, 4, rowBytes));
    }
    in.setFrameBuffer(frame);
    in.readPixels(window.min.y, window.max.y);
    return file;
}

} // namespace vistal::test
