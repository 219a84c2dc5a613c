// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextEncoding.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iconv.h>
#include <string>

namespace vistal {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The length of the valid UTF-8 sequence at the start of s, 0 if none.
std::size_t Utf8SequenceLength(std::string_view s) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const auto cont = [&](std::size_t i) { return i < s.size() && (b(i) & 0xC0) == 0x80; };
    const unsigned char c = b(0);
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return cont(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (!cont(1) || !cont(2)) return 0;
        if (c == 0xE0 && b(1) < 0xA0) return 0;  // overlong
        if (c == 0xED && b(1) >= 0xA0) return 0; // surrogates
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3)) return 0;
        if (c == 0xF0 && b(1) < 0x90) return 0;  // overlong
        if (c == 0xF4 && b(1) >= 0x90) return 0; // above U+10FFFF
        return 4;
    }
    return 0;
}

std::uint32_t CodePointAt(std::string_view s) {
    const auto b = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(s[i]));
    };
    switch (Utf8SequenceLength(s)) {
    case 1:
        return b(0);
    case 2:
        return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
    case 3:
        return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
    case 4:
        return (b(0) & 0x07) << 18 | (b(1) & 0x3F) << 12 | (b(2) & 0x3F) << 6 | (b(3) & 0x3F);
    default:
        return 0xFFFD;
    }
}

// Valid UTF-8 with every invalid byte replaced by U+FFFD.
std::string RepairUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    while (!s.empty()) {
        const std::size_t n = Utf8SequenceLength(s);
        if (n == 0) {
            out += kReplacement;
            s.remove_prefix(1);
        } else {
            out += s.substr(0, n);
            s.remove_prefix(n);
        }
    }
    return out;
}

class TIconv {
public:
    TIconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("The conversion from ") + from + " to " + to +
                                     " is not available: " + std::strerror(errno));
    }
    ~TIconv() { iconv_close(cd_); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    // Converts as much as possible; returns 0 when all input was converted,
    // otherwise the errno (EILSEQ or EINVAL) with `in` at the offending byte.
    // The output passes through a small buffer of its own, so a call costs
    // time for what it converts, never for the input that remains after it.
    int Convert(std::string_view& in, std::string& out) {
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        int result = 0;
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            const int err = errno;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (r != static_cast<std::size_t>(-1)) break;
            if (err == E2BIG) continue;
            result = err;
            break;
        }
        in = std::string_view(src, srcLeft);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        return result;
    }

private:
    iconv_t cd_;
};

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t n = Utf8SequenceLength(bytes);
        if (n == 0) return false;
        bytes.remove_prefix(n);
    }
    return true;
}

TTextEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.substr(0, 3) == kBom) return TTextEncoding::Utf8Bom;
    return IsValidUtf8(bytes) ? TTextEncoding::Utf8 : TTextEncoding::Cp932;
}

bool IsAscii(std::string_view bytes) {
    // Eight bytes at a time: a file of megabytes is looked at in a few milliseconds.
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if ((word & 0x8080808080808080u) != 0) return false;
    }
    for (; i < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
    return true;
}

std::string DecodeCp932(std::string_view bytes) {
    return TTextDecoder(TTextEncoding::Cp932).Decode(bytes);
}

std::string EncodeCp932(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    if (!IsValidUtf8(text)) throw ETextEncodingError("The text is not valid UTF-8");
    const auto refuse = [](std::string_view at) {
        char name[16];
        std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(CodePointAt(at)));
        const std::size_t n = Utf8SequenceLength(at);
        throw ETextEncodingError("The character " + std::string(at.substr(0, n)) + " (" + name +
                                 ") cannot be written in Shift-JIS (CP932)");
    };
    // ¥ and ‾ would become the bytes of \ and ~, which read back as those
    // (a folder C:¥x would turn into C:\x): CP932 cannot hold them.
    for (const std::string_view lost : {"\xC2\xA5", "\xE2\x80\xBE"})
        if (const std::size_t at = text.find(lost); at != std::string_view::npos) refuse(text.substr(at));
    TIconv cd("CP932", "UTF-8");
    std::string out;
    out.reserve(text.size() + 16);
    if (cd.Convert(text, out) != 0) refuse(text);
    return out;
}

std::string DecodeText(std::string_view bytes, TTextEncoding encoding) {
    return TTextDecoder(encoding).Decode(bytes);
}

class TTextDecoder::TConverter : public TIconv {
public:
    TConverter() : TIconv("UTF-8", "CP932") {}
};

TTextDecoder::TTextDecoder(TTextEncoding encoding) : encoding_(encoding) {}

TTextDecoder::~TTextDecoder() = default;

std::string TTextDecoder::Decode(std::string_view bytes) {
    switch (encoding_) {
    case TTextEncoding::Cp932: {
        if (IsAscii(bytes)) return std::string(bytes); // the code page's lower half is ASCII
        if (!cp932_) cp932_ = std::make_unique<TConverter>();
        std::string out;
        out.reserve(bytes.size() * 3 / 2 + 16);
        while (!bytes.empty()) {
            if (cp932_->Convert(bytes, out) == 0) break;
            // An invalid or cut-off character: one byte becomes U+FFFD.
            out += kReplacement;
            bytes.remove_prefix(1);
        }
        return out;
    }
    case TTextEncoding::Utf8Bom:
        if (bytes.substr(0, 3) == kBom) bytes.remove_prefix(3);
        [[fallthrough]];
    case TTextEncoding::Utf8:
    default:
        return IsValidUtf8(bytes) ? std::string(bytes) : RepairUtf8(bytes);
    }
}

std::string EncodeText(std::string_view text, TTextEncoding encoding) {
    switch (encoding) {
    case TTextEncoding::Cp932:
        return EncodeCp932(text);
    case TTextEncoding::Utf8Bom:
    case TTextEncoding::Utf8:
    default:
        if (!IsValidUtf8(text)) throw ETextEncodingError("The text is not valid UTF-8");
        return encoding == TTextEncoding::Utf8Bom ? std::string(kBom) + std::string(text) : std::string(text);
    }
}

} // namespace vistal
