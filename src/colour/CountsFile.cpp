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

void WriteCountsFile(const std::string& fileName, int width, int height, const std::int32_t* counts,
                     std::int32_t iteration, const std::string& viewText) {
    std::vector<std::uint32_t> values(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = CountsFileValue(counts[i]);
    TMemoryStream stream;
    {
        Imf::Header header(width, height);
        header.compression() = Imf::ZIP_COMPRESSION;
        header.channels().insert("N", Imf::Channel(Imf::UINT));
        header.insert("Iterations", Imf::IntAttribute(iteration));
        header.insert("vistal", Imf::StringAttribute(viewText));
        Imf::OutputFile out(stream, header, 1);
        Imf::FrameBuffer frame;
        frame.insert("N", Imf::Slice(Imf::UINT, reinterpret_cast<char*>(values.data()), sizeof(std::uint32_t),
                                     sizeof(std::uint32_t) * static_cast<std::size_t>(width)));
        out.setFrameBuffer(frame);
        out.writePixels(height);
    } // the file's end is written as it closes
    WriteFileAtomically(fileName, stream.Bytes());
}

} // namespace vistal
