// SPDX-License-Identifier: GPL-3.0-or-later
// TIniFile: a reader and writer of INI files. A line "[name]" opens a section,
// a line "key=value" gives a value; section and key names compare without
// regard to letter case, blanks around names and values are not part of them,
// a missing key reads as empty text and lines starting with ";" are comments.
//
// Writing changes only what it must: a value is replaced in place, a missing
// key goes to the end of its section, a missing section to the end of the
// file, and every other line (comments, unknown sections, line ends, bytes that
// are not valid text) is written back exactly as read.
//
// The text encoding is decided once per file: a new file, or one of ASCII
// alone, gets the encoding its owner chooses; any other file keeps the
// encoding it was read in (a byte-order mark, else valid UTF-8, else
// Shift-JIS). Shift-JIS that an update leaves looking like valid UTF-8 gets
// the comment line kCp932Mark at its start, so that it reads back as Shift-JIS.
//
// The file is held as its bytes, with eight bytes more for each section
// header and key line (where it starts, and a hash of its name) and four more
// for each section header; every other line costs nothing besides its bytes.
// Reading takes time in proportion to the file, and so does each look-up or
// change; a look-up passes over the keys of the sections of its name only.
#pragma once

#include "base/Language.h"
#include "base/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vistal {

class EIniFileError : public std::runtime_error {
public:
    EIniFileError(const std::string& message, std::string reason = {})
        : std::runtime_error(message), reason_(std::move(reason)) {}
    // Why the operating system refused, when it did ("Permission denied").
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
};

class TIniFile {
public:
    // Reads the file. A missing file reads as empty and will be created, in
    // newFileEncoding, by UpdateFile. A file that exists but cannot be read
    // (or is not a regular file, or is larger than kMaxSize) raises
    // EIniFileError "Cannot read FILE: reason".
    explicit TIniFile(std::string fileName, TTextEncoding newFileEncoding = TTextEncoding::Cp932);

    // The largest file read, and written: a change that would make the file
    // larger is refused, since the file could not be read back.
    static constexpr std::size_t kMaxSize = 64 * 1024 * 1024;
    // The comment that marks a Shift-JIS file whose bytes are valid UTF-8.
    static constexpr const char* kCp932Mark = "; 文字コード: Shift_JIS (CP932)";

    const std::string& FileName() const { return fileName_; }
    TTextEncoding Encoding() const { return encoding_; }
    bool Exists() const { return existed_; }

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    // The value of the first line of the key in the section, trimmed of blanks;
    // defaultValue when there is none.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const;
    // The line of that value in the file as it was read, counted from 1; 0
    // when there is none.
    int LineOf(std::string_view section, std::string_view key) const;

    // Sets the value in memory; UpdateFile writes it. Raises ETextEncodingError
    // when the file's encoding cannot hold the line, and EIniFileError for a
    // name that could not be read back (empty, with "=", "[", "]", a line
    // break or surrounding blanks), a value with a line break, or a change
    // that would make the file larger than kMaxSize.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Replaces the file atomically with the current contents. On failure the
    // old file is untouched and EIniFileError says "<file> に書き込めません"
    // in the language given, with the system's reason in Reason().
    void UpdateFile(TLanguage language = TLanguage::Japanese);

private:
    // A section header or key line: where it starts in text_, and the hash of
    // its name folded to lower case, shifted up by one bit whose value 1
    // marks a section header.
    struct TEntry {
        std::uint32_t start;
        std::uint32_t tag;
    };
    struct TLineParse;

    // The encoding of single lines: the file's, without the byte-order mark.
    TTextEncoding LineEncoding() const;
    // Where the line that starts at `start` ends (its line end's first byte),
    // where the next line starts, and whether the line holds "=" or "[",
    // without which it is neither a section header nor a key line.
    struct TLineSpan {
        std::size_t end, next;
        bool marked;
    };
    TLineSpan LineAt(std::size_t start) const;
    std::string_view RawLine(std::size_t start) const; // without its line end
    TLineParse Parse(std::string_view raw, TTextDecoder& decoder) const;
    bool IsNamed(const TEntry& entry, std::string_view name, TTextDecoder& decoder) const;
    // Where in sections_ the first section header of that name is, or npos.
    std::size_t FindSection(std::string_view section) const;
    // The index of the entry after the keys of the section sections_[k].
    std::size_t SectionEnd(std::size_t k) const;
    // Index of the first key line of that name in a section of that name, or npos.
    std::size_t FindValue(std::string_view section, std::string_view key) const;
    // Puts bytes in place of [at, at + length) and moves the entries from
    // index `from` on by the difference.
    void Splice(std::size_t at, std::size_t length, std::string_view bytes, std::size_t from);
    void CheckGrowth(std::size_t bytes) const;

    std::string fileName_;
    TTextEncoding encoding_;
    bool existed_ = false;
    std::string newLineEnding_ = "\n";
    std::string text_;                   // the file's bytes, the byte-order mark included
    std::size_t bodyStart_ = 0;          // after the byte-order mark
    std::deque<TEntry> entries_;         // in file order; a deque never copies itself to grow
    std::deque<std::uint32_t> sections_; // the indices of the section headers in entries_
};

} // namespace vistal
