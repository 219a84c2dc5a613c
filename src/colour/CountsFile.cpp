// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/CountsFile.h"

#include "base/AtomicFile.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfIO.h>
#include <ImfIntAttribute.h>
#include <ImfOutputFile.h>
#include <ImfStringAttribute.h>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vistal {

namespace {

// OpenEXR's output stream into memory: it seeks back to write the table of
// line offsets, which the stream of an atomic write cannot.
class TMemoryStream : public Imf::OStream {
public:
    TMemoryStream() : Imf::OStream("counts") {}
    void write(const char c[], int n) override {
        if (position_ + static_cast<std::size_t>(n) > bytes_.size()) bytes_.resize(position_ + n);
        std::copy_n(c, n, bytes_.begin() + static_cast<std::ptrdiff_t>(position_));
        position_ += static_cast<std::size_t>(n);
    }
    std::uint64_t tellp() override { return position_; }
    void seekp(std::uint64_t pos) override { position_ = static_cast<std::size_t>(pos); }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

} // namespace

float CountsFileFraction(std::int32_t count, double nu) {
    if (count <= 0) return 0;
    const float fraction = std::clamp(static_cast<float>(nu - count), 0.0f, 1.0f);
    return fraction < 1 ? fraction : std::nextafter(1.0f, 0.0f);
}

void WriteCountsFile(const std::string& fileName, int width, int height, const std::int32_t* counts,
                     const double* nu, std::int32_t iteration, const std::string& viewText) {
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<std::uint32_t> values(size);
    std::vector<float> fractions(size);
    for (std::size_t i = 0; i < size; ++i) {
        values[i] = CountsFileValue(counts[i]);
        fractions[i] = CountsFileFraction(counts[i], nu[i]);
    }
    TMemoryStream stream;
    {
        Imf::Header header(width, height);
        header.compression() = Imf::ZIP_COMPRESSION;
        header.channels().insert("N", Imf::Channel(Imf::UINT));
        header.channels().insert("NF", Imf::Channel(Imf::FLOAT));
        header.insert("Iterations", Imf::IntAttribute(iteration));
        header.insert("vistal", Imf::StringAttribute(viewText));
        Imf::OutputFile out(stream, header, 1);
        Imf::FrameBuffer frame;
        const std::size_t rowBytes = 4 * static_cast<std::size_t>(width);
        frame.insert("N", Imf::Slice(Imf::UINT, reinterpret_cast<char*>(values.data()), 4, rowBytes));
        frame.insert("NF", Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(fractions.data()), 4, rowBytes));
        out.setFrameBuffer(frame);
        out.writePixels(height);
    } // the file's end is written as it closes
    WriteFileAtomically(fileName, stream.Bytes());
}

} // namespace vistal
