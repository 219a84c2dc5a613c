// SPDX-License-Identifier: GPL-3.0-or-later
// Text in files: the program works on UTF-8 text; files hold UTF-8 (with or
// without a byte-order mark) or Shift-JIS (code page 932). Bytes that are
// strictly valid UTF-8 are read as UTF-8, anything else as CP932. New files
// are written in the encoding their writer chooses, an existing file keeps the
// encoding it was read in.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vistal {

enum class TTextEncoding {
    Utf8,    // UTF-8 without byte-order mark
    Utf8Bom, // UTF-8 starting with the byte-order mark EF BB BF
    Cp932,   // Shift-JIS as Windows writes it
};

// A text holds a character that the target encoding cannot hold, or is not
// valid UTF-8 itself.
class ETextEncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Bytes below 0x80 only: the same text in every one of these encodings.
bool IsAscii(std::string_view bytes);

// The encoding of file bytes: a byte-order mark, else valid UTF-8, else CP932.
TTextEncoding DetectEncoding(std::string_view bytes);

// CP932 bytes to UTF-8. A byte that starts no CP932 character, or a lead byte
// without a valid second byte, becomes U+FFFD; decoding never fails, and takes
// time in proportion to the length whatever the bytes.
std::string DecodeCp932(std::string_view bytes);

// UTF-8 text to CP932; ETextEncodingError names the first character CP932
// cannot hold.
std::string EncodeCp932(std::string_view text);

// Bytes of a file in the given encoding to UTF-8 text. For Utf8Bom a leading
// byte-order mark is dropped; invalid UTF-8 never reaches here when the
// encoding came from DetectEncoding, and is replaced by U+FFFD otherwise.
std::string DecodeText(std::string_view bytes, TTextEncoding encoding);

// Decodes many pieces of one file, as DecodeText does each of them, with one
// converter for all: a file of many short Shift-JIS lines costs one set-up.
class TTextDecoder {
public:
    explicit TTextDecoder(TTextEncoding encoding);
    ~TTextDecoder();
    TTextDecoder(const TTextDecoder&) = delete;
    TTextDecoder& operator=(const TTextDecoder&) = delete;

    std::string Decode(std::string_view bytes);

private:
    class TConverter;
    TTextEncoding encoding_;
    std::unique_ptr<TConverter> cp932_; // made at the first text that needs it
};

// UTF-8 text to the bytes of a file; Utf8Bom puts the byte-order mark first.
// ETextEncodingError when the text is not valid UTF-8 or holds a character
// the encoding cannot hold.
std::string EncodeText(std::string_view text, TTextEncoding encoding);

} // namespace vistal
