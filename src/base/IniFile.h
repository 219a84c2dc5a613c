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
#pragma once

#include "base/Language.h"
#include "base/TextEncoding.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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
    // (or is not a regular file, or is larger than kMaxSize) raises EIniFileError.
    explicit TIniFile(std::string fileName, TTextEncoding newFileEncoding = TTextEncoding::Cp932);

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
    // break or surrounding blanks) or a value with a line break.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Replaces the file atomically with the current contents. On failure the
    // old file is untouched and EIniFileError says "<file> に書き込めません"
    // in the language given, with the system's reason in Reason().
    void UpdateFile(TLanguage language = TLanguage::Japanese);

private:
    enum class TKind { Other, Section, Key };
    struct TLine {
        std::string raw;    // bytes as in the file, without the line end
        std::string ending; // "\n", "\r\n", "\r", or "" for a last line without one
        TKind kind = TKind::Other;
        std::string name;  // section or key name, as written
        std::string value; // key value, trimmed
    };

    // The encoding of single lines: the file's, without the byte-order mark.
    TTextEncoding LineEncoding() const;
    void Parse(TLine& line, std::string_view text) const;
    TLine MakeLine(std::string text) const;
    // Index of the section header, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index of the key line inside the section starting at sectionIndex, or npos.
    std::size_t FindKey(std::size_t sectionIndex, std::string_view key) const;
    std::size_t FindValue(std::string_view section, std::string_view key) const;

    std::string fileName_;
    TTextEncoding encoding_;
    bool existed_ = false;
    std::string newLineEnding_ = "\n";
    std::vector<TLine> lines_;
};

} // namespace vistal
