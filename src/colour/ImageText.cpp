// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/ImageText.h"
#include "colour/Messages.h"

#include "base/AtomicFile.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vistal {

namespace {

// Where the readers take their bytes from: Read copies up to n bytes from
// offset `at` and returns how many there were (fewer only at the end).
class TByteSource {
public:
    virtual ~TByteSource() = default;
    virtual std::size_t Read(std::uint64_t at, void* to, std::size_t n) = 0;
};

class TBufferSource : public TByteSource {
public:
    explicit TBufferSource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t Read(std::uint64_t at, void* to, std::size_t n) override {
        if (n == 0 || at >= bytes_.size()) return 0;
        n = std::min<std::uint64_t>(n, bytes_.size() - at);
        std::memcpy(to, bytes_.data() + at, n);
        return n;
    }

private:
    std::string_view bytes_;
};

class TFileSource : public TByteSource {
public:
    TFileSource(int fd, const std::string& fileName) : fd_(fd), fileName_(fileName) {}
    std::size_t Read(std::uint64_t at, void* to, std::size_t n) override {
        std::size_t done = 0;
        while (done < n) {
            const ssize_t got =
                ::pread(fd_, static_cast<char*>(to) + done, n - done, static_cast<off_t>(at + done));
            if (got == 0) break;
            if (got < 0) {
                if (errno == EINTR) continue;
                throw EImageFileError(msg::CannotReadPicture(fileName_, std::strerror(errno)));
            }
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

private:
    int fd_;
    const std::string& fileName_;
};

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}
std::uint32_t BigEndian16(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 8 | p[1];
}

// ---- PNG ------------------------------------------------------------------

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// A file of more chunks than this is not read further; a picture as large as
// libpng writes has far fewer.
constexpr int kMaxPngChunks = 1 << 20;

// The CRC-32 of PNG chunks (ISO 3309, reflected polynomial 0xEDB88320).
constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

std::uint32_t Crc32(const std::uint8_t* data, std::size_t n, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < n; ++i)
        crc = kCrcTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

// The text of a tEXt or iTXt chunk's data when its keyword is the one wanted.
std::optional<std::string> ChunkText(bool international, std::string_view data, std::string_view keyword) {
    const std::size_t nul = data.find('\0');
    if (nul == std::string_view::npos || data.substr(0, nul) != keyword) return std::nullopt;
    std::string_view rest = data.substr(nul + 1);
    if (international) {
        // Compression flag and method, then language tag and translated keyword.
        if (rest.size() < 2 || rest[0] != 0) return std::nullopt; // compressed texts are not read
        rest.remove_prefix(2);
        for (int field = 0; field < 2; ++field) {
            const std::size_t end = rest.find('\0');
            if (end == std::string_view::npos) return std::nullopt;
            rest.remove_prefix(end + 1);
        }
    }
    return std::string(rest);
}

void ReadPng(TByteSource& source, std::string_view keyword, TImageText& out) {
    out.Type = ftPng;
    std::uint64_t at = sizeof kPngSignature;
    std::vector<std::uint8_t> data;
    for (int chunk = 0; chunk < kMaxPngChunks; ++chunk) {
        std::uint8_t header[8];
        if (source.Read(at, header, 8) < 8) return;
        const std::uint32_t length = BigEndian32(header);
        if (length > 0x7FFFFFFFu) return; // not a PNG chunk
        const std::string_view type(reinterpret_cast<const char*>(header + 4), 4);
        const bool ihdr = type == "IHDR" && chunk == 0 && length == 13;
        const bool text = (type == "tEXt" || type == "iTXt") && out.Texts.size() < kMaxImageTexts &&
                          length <= kMaxImageTextLength + keyword.size() + 5;
        if (ihdr || text) {
            // Type, data and checksum, so that the checksum covers what it should.
            data.resize(4 + std::size_t(length) + 4);
            std::memcpy(data.data(), header + 4, 4);
            if (source.Read(at + 8, data.data() + 4, length + 4) < length + 4) return;
            const bool intact = Crc32(data.data(), 4 + length) == BigEndian32(data.data() + 4 + length);
            const std::uint8_t* body = data.data() + 4;
            if (intact && ihdr) {
                const std::uint32_t w = BigEndian32(body), h = BigEndian32(body + 4);
                if (w > 0 && w <= 0x7FFFFFFFu && h > 0 && h <= 0x7FFFFFFFu) {
                    out.Width = static_cast<int>(w);
                    out.Height = static_cast<int>(h);
                }
            } else if (intact) {
                auto t = ChunkText(type == "iTXt", {reinterpret_cast<const char*>(body), length}, keyword);
                if (t && t->size() <= kMaxImageTextLength) out.Texts.push_back(std::move(*t));
            }
        }
        if (type == "IEND") return;
        at += 12 + std::uint64_t(length);
    }
}

// ---- JPEG -----------------------------------------------------------------

// Markers and fill bytes read before the reader gives up.
constexpr int kMaxJpegSegments = 1 << 16;
constexpr int kMaxJpegFillBytes = 1 << 10;

bool IsStartOfFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

void ReadJpeg(TByteSource& source, TImageText& out) {
    out.Type = ftJpeg;
    std::uint64_t at = 2; // after SOI
    std::vector<std::uint8_t> payload;
    for (int segment = 0; segment < kMaxJpegSegments; ++segment) {
        std::uint8_t byte;
        if (source.Read(at, &byte, 1) < 1 || byte != 0xFF) return;
        // Any number of fill bytes 0xFF may come before the marker code.
        int fill = 0;
        do {
            ++at;
            if (source.Read(at, &byte, 1) < 1 || ++fill > kMaxJpegFillBytes) return;
        } while (byte == 0xFF);
        ++at;
        const std::uint8_t marker = byte;
        if (marker == 0xD9 || marker == 0xDA || marker == 0x00) return;     // end, first scan, or no marker
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue; // markers without a length
        std::uint8_t size[2];
        if (source.Read(at, size, 2) < 2) return;
        const std::uint32_t length = BigEndian16(size);
        if (length < 2) return;
        const std::size_t n = length - 2;
        if (marker == 0xFE && out.Texts.size() < kMaxImageTexts) {
            payload.resize(n);
            if (source.Read(at + 2, payload.data(), n) < n) return;
            out.Texts.emplace_back(payload.begin(), payload.end());
        } else if (IsStartOfFrame(marker) && n >= 5 && out.Width == 0) {
            std::uint8_t frame[5];
            if (source.Read(at + 2, frame, 5) < 5) return;
            out.Height = static_cast<int>(BigEndian16(frame + 1));
            out.Width = static_cast<int>(BigEndian16(frame + 3));
        }
        at += length;
    }
}

std::optional<TImageText> Read(TByteSource& source, std::string_view keyword) {
    std::uint8_t start[8];
    const std::size_t n = source.Read(0, start, sizeof start);
    TImageText out;
    if (n == sizeof start && std::memcmp(start, kPngSignature, sizeof start) == 0) {
        ReadPng(source, keyword, out);
        return out;
    }
    if (n >= 3 && start[0] == 0xFF && start[1] == 0xD8 && start[2] == 0xFF) {
        ReadJpeg(source, out);
        return out;
    }
    return std::nullopt;
}

} // namespace

std::optional<TImageText> ReadImageText(std::string_view bytes, std::string_view keyword) {
    TBufferSource source(bytes);
    return Read(source, keyword);
}

std::optional<TImageText> ReadImageTextFile(const std::string& fileName, std::string_view keyword) {
    // Opened without waiting, so a FIFO of that name cannot hold the reader up.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw EImageFileError(msg::CannotReadPicture(fileName, std::strerror(errno)));
    struct TClose {
        int fd;
        ~TClose() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw EImageFileError(msg::CannotReadPicture(fileName, std::strerror(errno)));
    if (!S_ISREG(st.st_mode))
        throw EImageFileError(msg::CannotReadPicture(fileName, NotRegularFileReason(st.st_mode)));
    TFileSource source(fd, fileName);
    return Read(source, keyword);
}

} // namespace vistal
