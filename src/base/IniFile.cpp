// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/IniFile.h"

#include "base/AtomicFile.h"
#include "base/Messages.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace vistal {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// FNV-1a of the name folded as SameName folds it, so that names SameName
// finds alike have the same tag.
std::uint32_t Tag(std::string_view name, bool section) {
    std::uint32_t h = 2166136261u;
    for (char c : name) {
        h ^= static_cast<unsigned char>(Lower(c));
        h *= 16777619u;
    }
    return h << 1 | (section ? 1u : 0u);
}

// What LineAt looks for in the bytes of a line, found in one table look-up.
enum : std::uint8_t { kPlain, kLineEnd, kMark };
constexpr auto kByteKinds = [] {
    std::array<std::uint8_t, 256> kinds{};
    kinds['\n'] = kinds['\r'] = kLineEnd;
    kinds['='] = kinds['['] = kMark;
    return kinds;
}();

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string CannotRead(const std::string& fileName, const std::string& reason) {
    return "Cannot read " + fileName + ": " + reason;
}

// The file's bytes, held once: the string is sized from the file's size
// before it is read. A missing file gives nothing and existed false.
std::string ReadWholeFile(const std::string& fileName, bool& existed) {
    existed = false;
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {};
        const std::string reason = std::strerror(errno);
        throw EIniFileError(CannotRead(fileName, reason), reason);
    }
    if (!S_ISREG(st.st_mode)) throw EIniFileError(CannotRead(fileName, NotRegularFileReason(st.st_mode)));
    const auto tooLarge = [&] {
        return EIniFileError(CannotRead(fileName, "the file is larger than 64 MiB, the limit for INI files"));
    };
    if (static_cast<unsigned long long>(st.st_size) > TIniFile::kMaxSize) throw tooLarge();
    std::unique_ptr<std::FILE, TFileCloser> f(std::fopen(fileName.c_str(), "rb"));
    if (!f) {
        const std::string reason = std::strerror(errno);
        throw EIniFileError(CannotRead(fileName, reason), reason);
    }
    existed = true;
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t size = 0;
    while (size < bytes.size()) {
        const std::size_t n = std::fread(bytes.data() + size, 1, bytes.size() - size, f.get());
        if (n == 0) break;
        size += n;
    }
    bytes.resize(size);
    // A file that grew since it was measured reads on, up to the limit.
    char more[65536];
    for (std::size_t n; (n = std::fread(more, 1, sizeof more, f.get())) != 0;) {
        if (bytes.size() + n > TIniFile::kMaxSize) throw tooLarge();
        bytes.append(more, n);
    }
    if (std::ferror(f.get())) {
        const std::string reason = std::strerror(errno);
        throw EIniFileError(CannotRead(fileName, reason), reason);
    }
    return bytes;
}

} // namespace

// A line read from its bytes. CR and LF never occur inside a CP932 or UTF-8
// character, and neither do blanks, ";" or "[" at the start of a line, or
// "=": the line's structure is found in its bytes, and only a name that is
// not ASCII is decoded (Shift-JIS may hide "]" in a character, so a section
// header of non-ASCII Shift-JIS is decoded whole). A piece cut at blanks or
// "=" decodes as it does within the whole line: no character spans them.
struct TIniFile::TLineParse {
    enum { Other, Section, Key } kind = Other;
    std::string_view rawName; // the name's bytes, when they are its text (ASCII)
    std::string decodedName;  // the name's text otherwise
    bool decoded = false;
    std::string_view value; // a key's value: its bytes, trimmed of blanks
    std::string_view Name() const { return decoded ? std::string_view(decodedName) : rawName; }
};

TIniFile::TIniFile(std::string fileName, TTextEncoding newFileEncoding)
    : fileName_(std::move(fileName)), encoding_(newFileEncoding) {
    text_ = ReadWholeFile(fileName_, existed_);
    if (!existed_) {
        if (encoding_ == TTextEncoding::Utf8Bom) text_ = kBom;
    } else if (IsAscii(text_)) {
        // ASCII alone says nothing about the encoding: the file is then in the
        // one its owner gives new files (never with a byte-order mark it does
        // not have).
        encoding_ = newFileEncoding == TTextEncoding::Cp932 ? TTextEncoding::Cp932 : TTextEncoding::Utf8;
    } else {
        encoding_ = DetectEncoding(text_);
    }
    if (encoding_ == TTextEncoding::Utf8Bom) bodyStart_ = kBom.size();

    const TLineSpan first = LineAt(bodyStart_);
    if (first.end < text_.size()) newLineEnding_ = text_.substr(first.end, first.next - first.end);
    TTextDecoder decoder(LineEncoding());
    for (std::size_t pos = bodyStart_; pos < text_.size();) {
        const TLineSpan span = LineAt(pos);
        if (span.marked) {
            const TLineParse line = Parse(std::string_view(text_).substr(pos, span.end - pos), decoder);
            if (line.kind == TLineParse::Section)
                sections_.push_back(static_cast<std::uint32_t>(entries_.size()));
            if (line.kind != TLineParse::Other)
                entries_.push_back(
                    {static_cast<std::uint32_t>(pos), Tag(line.Name(), line.kind == TLineParse::Section)});
        }
        pos = span.next;
    }
}

TIniFile::TLineSpan TIniFile::LineAt(std::size_t start) const {
    const char* const p = text_.data();
    const std::size_t size = text_.size();
    // Most lines are short: their end is found byte by byte, a long line's by memchr.
    std::size_t end = start;
    bool marked = false;
    const std::size_t shortEnd = std::min(size, start + 64);
    for (; end < shortEnd; ++end) {
        const std::uint8_t kind = kByteKinds[static_cast<unsigned char>(p[end])];
        if (kind != kPlain) {
            if (kind == kLineEnd) break;
            marked = true;
        }
    }
    if (end == shortEnd && end < size) {
        // A block at a time, so that a file of CR alone is not searched to its end for LF.
        const std::size_t from = end;
        for (;;) {
            const std::size_t block = std::min<std::size_t>(size - end, 4096);
            const void* lf = std::memchr(p + end, '\n', block);
            const std::size_t limit =
                lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - p) : end + block;
            if (const void* cr = std::memchr(p + end, '\r', limit - end)) {
                end = static_cast<std::size_t>(static_cast<const char*>(cr) - p);
                break;
            }
            end = limit;
            if (lf || end == size) break;
        }
        marked = marked || std::memchr(p + from, '=', end - from) || std::memchr(p + from, '[', end - from);
    }
    if (end == size) return {end, end, marked};
    const bool crlf = p[end] == '\r' && end + 1 < size && p[end + 1] == '\n';
    return {end, end + (crlf ? 2 : 1), marked};
}

std::string_view TIniFile::RawLine(std::size_t start) const {
    return std::string_view(text_).substr(start, LineAt(start).end - start);
}

TIniFile::TLineParse TIniFile::Parse(std::string_view raw, TTextDecoder& decoder) const {
    TLineParse line;
    const std::string_view t = Trim(raw);
    if (t.empty() || t.front() == ';') return line;
    const auto setName = [&](std::string_view bytes) {
        if (IsAscii(bytes)) {
            line.rawName = bytes;
        } else {
            line.decodedName = decoder.Decode(bytes);
            line.decoded = true;
        }
    };
    if (t.front() == '[') {
        if (encoding_ == TTextEncoding::Cp932 && !IsAscii(t)) {
            const std::string decoded = decoder.Decode(t);
            const std::size_t close = decoded.find(']');
            if (close == std::string::npos) return line;
            line.decodedName = std::string(Trim(std::string_view(decoded).substr(1, close - 1)));
            line.decoded = true;
        } else {
            const std::size_t close = t.find(']');
            if (close == std::string_view::npos) return line;
            setName(Trim(t.substr(1, close - 1)));
        }
        line.kind = TLineParse::Section;
        return line;
    }
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return line;
    const std::string_view key = Trim(t.substr(0, eq));
    if (key.empty()) return line;
    line.kind = TLineParse::Key;
    setName(key);
    line.value = Trim(t.substr(eq + 1));
    return line;
}

TTextEncoding TIniFile::LineEncoding() const {
    return encoding_ == TTextEncoding::Cp932 ? TTextEncoding::Cp932 : TTextEncoding::Utf8;
}

bool TIniFile::IsNamed(const TEntry& entry, std::string_view name, TTextDecoder& decoder) const {
    return SameName(Parse(RawLine(entry.start), decoder).Name(), name);
}

std::size_t TIniFile::FindSection(std::string_view section) const {
    const std::uint32_t tag = Tag(section, true);
    TTextDecoder decoder(LineEncoding());
    for (std::size_t k = 0; k < sections_.size(); ++k) {
        const TEntry& header = entries_[sections_[k]];
        if (header.tag == tag && IsNamed(header, section, decoder)) return k;
    }
    return std::string::npos;
}

std::size_t TIniFile::SectionEnd(std::size_t k) const {
    return k + 1 < sections_.size() ? sections_[k + 1] : entries_.size();
}

std::size_t TIniFile::FindValue(std::string_view section, std::string_view key) const {
    const std::uint32_t sectionTag = Tag(section, true), keyTag = Tag(key, false);
    TTextDecoder decoder(LineEncoding());
    // A section may appear more than once; the first line of the key wins.
    for (std::size_t k = 0; k < sections_.size(); ++k) {
        const TEntry& header = entries_[sections_[k]];
        if (header.tag != sectionTag || !IsNamed(header, section, decoder)) continue;
        const auto end = entries_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(k));
        for (auto it = entries_.begin() + static_cast<std::ptrdiff_t>(sections_[k] + 1); it != end; ++it)
            if (it->tag == keyTag && IsNamed(*it, key, decoder))
                return static_cast<std::size_t>(it - entries_.begin());
    }
    return std::string::npos;
}

bool TIniFile::SectionExists(std::string_view section) const {
    return FindSection(section) != std::string::npos;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return FindValue(section, key) != std::string::npos;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    const std::size_t k = FindValue(section, key);
    if (k == std::string::npos) return std::string(defaultValue);
    TTextDecoder decoder(LineEncoding());
    return decoder.Decode(Parse(RawLine(entries_[k].start), decoder).value);
}

int TIniFile::LineOf(std::string_view section, std::string_view key) const {
    const std::size_t k = FindValue(section, key);
    if (k == std::string::npos) return 0;
    int line = 1;
    for (std::size_t pos = bodyStart_; pos < entries_[k].start; pos = LineAt(pos).next)
        ++line;
    return line;
}

void TIniFile::CheckGrowth(std::size_t bytes) const {
    if (bytes > kMaxSize - std::min(kMaxSize, text_.size()))
        throw EIniFileError(fileName_ + " would be larger than 64 MiB, and could not be read back");
}

void TIniFile::Splice(std::size_t at, std::size_t length, std::string_view bytes, std::size_t from) {
    text_.replace(at, length, bytes);
    if (bytes.size() == length) return;
    // Unsigned arithmetic wraps, so a shorter line moves the entries back.
    const auto delta = static_cast<std::uint32_t>(bytes.size() - length);
    for (std::size_t i = from; i < entries_.size(); ++i)
        entries_[i].start += delta;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    // Names that would not read back as themselves are refused.
    const auto badName = [](std::string_view s) {
        return s.empty() || HasLineBreak(s) || IsBlank(s.front()) || IsBlank(s.back()) || s.front() == ';';
    };
    if (badName(section) || section.find(']') != std::string_view::npos)
        throw EIniFileError("[" + std::string(section) + "] cannot be written as a section name");
    if (badName(key) || key.front() == '[' || key.find('=') != std::string_view::npos)
        throw EIniFileError("'" + std::string(key) + "' cannot be written as a key name");
    if (HasLineBreak(value)) throw EIniFileError("The value of " + std::string(key) + " holds a line break");
    // Names as the file holds them: Shift-JIS keeps a few characters only in
    // their full-width forms (〜 is written as ～), and a name must find the
    // line it will be read back from.
    const TTextEncoding lines = LineEncoding();
    const std::string heldSection = DecodeText(EncodeText(section, lines), lines);
    const std::string heldKey = DecodeText(EncodeText(key, lines), lines);
    const std::string valueBytes = EncodeText(value, lines);

    const std::size_t existing = FindValue(heldSection, heldKey);
    if (existing != std::string::npos) {
        // The key keeps its spelling and bytes; only the value changes.
        const std::size_t start = entries_[existing].start;
        const std::string_view raw = RawLine(start);
        const std::string line = std::string(Trim(raw.substr(0, raw.find('=')))) + "=" + valueBytes;
        if (line.size() > raw.size()) CheckGrowth(line.size() - raw.size());
        Splice(start, raw.size(), line, existing + 1);
        return;
    }
    const std::string keyLine = EncodeText(heldKey, lines) + "=" + valueBytes;
    const std::size_t sectionAt = FindSection(heldSection);
    if (sectionAt != std::string::npos) {
        // After the last line of the section that is not blank.
        const std::size_t next = SectionEnd(sectionAt);
        const std::size_t end = next < entries_.size() ? entries_[next].start : text_.size();
        const std::size_t header = entries_[sections_[sectionAt]].start;
        std::size_t at = header;
        bool ended = true;
        for (std::size_t pos = header; pos < end;) {
            const TLineSpan span = LineAt(pos);
            if (pos == header || !Trim(std::string_view(text_).substr(pos, span.end - pos)).empty()) {
                at = span.next;
                ended = span.next != span.end;
            }
            pos = span.next;
        }
        std::string bytes = ended ? std::string() : newLineEnding_;
        const std::size_t keyStart = at + bytes.size();
        bytes += keyLine;
        bytes += newLineEnding_;
        CheckGrowth(bytes.size());
        Splice(at, 0, bytes, next);
        entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(next),
                        TEntry{static_cast<std::uint32_t>(keyStart), Tag(heldKey, false)});
        for (std::size_t k = sectionAt + 1; k < sections_.size(); ++k)
            ++sections_[k];
        return;
    }
    std::string bytes;
    if (text_.size() > bodyStart_) {
        // The last line: its ending, then its text.
        std::size_t end = text_.size();
        if (text_[end - 1] == '\n') {
            --end;
            if (end > bodyStart_ && text_[end - 1] == '\r') --end;
        } else if (text_[end - 1] == '\r') {
            --end;
        }
        std::size_t start = end;
        while (start > bodyStart_ && text_[start - 1] != '\n' && text_[start - 1] != '\r')
            --start;
        if (end == text_.size()) bytes += newLineEnding_;
        if (!Trim(std::string_view(text_).substr(start, end - start)).empty()) bytes += newLineEnding_;
    }
    const std::size_t headerStart = text_.size() + bytes.size();
    bytes += EncodeText("[" + heldSection + "]", lines) + newLineEnding_;
    const std::size_t keyStart = text_.size() + bytes.size();
    bytes += keyLine + newLineEnding_;
    CheckGrowth(bytes.size());
    text_ += bytes;
    sections_.push_back(static_cast<std::uint32_t>(entries_.size()));
    entries_.push_back({static_cast<std::uint32_t>(headerStart), Tag(heldSection, true)});
    entries_.push_back({static_cast<std::uint32_t>(keyStart), Tag(heldKey, false)});
}

void TIniFile::UpdateFile(TLanguage language) {
    // Shift-JIS bytes that happen to be valid UTF-8 (ﾃｽ is C3 BD, also ý)
    // would be read back as UTF-8: a comment line in Shift-JIS that UTF-8
    // cannot hold goes first and keeps the file Shift-JIS for every reader.
    std::string mark;
    if (encoding_ == TTextEncoding::Cp932 && !IsAscii(text_) && IsValidUtf8(text_)) {
        mark = EncodeText(kCp932Mark, TTextEncoding::Cp932) + newLineEnding_;
        CheckGrowth(mark.size());
    }
    try {
        if (mark.empty()) {
            WriteFileAtomically(fileName_, text_);
        } else {
            WriteFileAtomically(fileName_, [&](std::FILE* f) {
                std::fwrite(mark.data(), 1, mark.size(), f);
                std::fwrite(text_.data(), 1, text_.size(), f);
            });
        }
    } catch (const EFileWriteError& ex) {
        throw EIniFileError(Compose(msg::kCannotWriteFile, language, {fileName_}), ex.Reason());
    }
    if (!mark.empty()) Splice(0, 0, mark, 0);
    existed_ = true;
}

} // namespace vistal
