#include "base/IniFile.h"

#include "base/AtomicFile.h"
#include "base/Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <sys/stat.h>

namespace vistal {

namespace {

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

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string ReadWholeFile(const std::string& fileName, bool& existed) {
    existed = false;
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {};
        throw EIniFileError("Cannot read " + fileName + ": " + std::strerror(errno), std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode)) throw EIniFileError("Cannot read " + fileName + ": not a regular file");
    std::unique_ptr<std::FILE, TFileCloser> f(std::fopen(fileName.c_str(), "rb"));
    if (!f)
        throw EIniFileError("Cannot read " + fileName + ": " + std::strerror(errno), std::strerror(errno));
    existed = true;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, f.get());
        if (n == 0) break;
        if (bytes.size() + n > TIniFile::kMaxSize)
            throw EIniFileError("Cannot read " + fileName + ": file too large");
        bytes.append(buffer, n);
    }
    if (std::ferror(f.get())) throw EIniFileError("Cannot read " + fileName + ": read error");
    return bytes;
}

} // namespace

TIniFile::TIniFile(std::string fileName, TTextEncoding newFileEncoding)
    : fileName_(std::move(fileName)), encoding_(newFileEncoding) {
    std::string bytes = ReadWholeFile(fileName_, existed_);
    if (!existed_) return;
    // ASCII alone says nothing about the encoding: the file is then in the one
    // its owner gives new files (never with a byte-order mark it does not have).
    if (IsAscii(bytes))
        encoding_ = newFileEncoding == TTextEncoding::Cp932 ? TTextEncoding::Cp932 : TTextEncoding::Utf8;
    else
        encoding_ = DetectEncoding(bytes);
    std::string_view rest(bytes);
    if (encoding_ == TTextEncoding::Utf8Bom) rest.remove_prefix(3);
    bool endingKnown = false;
    // CR and LF never occur inside a CP932 or UTF-8 character, so the bytes can
    // be cut into lines before they are decoded.
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        TLine line;
        if (end == std::string_view::npos) {
            line.raw = std::string(rest);
            rest = {};
        } else {
            line.raw = std::string(rest.substr(0, end));
            const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
            line.ending = crlf ? "\r\n" : std::string(1, rest[end]);
            rest.remove_prefix(end + line.ending.size());
            if (!endingKnown) {
                newLineEnding_ = line.ending;
                endingKnown = true;
            }
        }
        Parse(line, DecodeText(line.raw, LineEncoding()));
        lines_.push_back(std::move(line));
    }
}

void TIniFile::Parse(TLine& line, std::string_view text) const {
    line.kind = TKind::Other;
    line.name.clear();
    line.value.clear();
    const std::string_view t = Trim(text);
    if (t.empty() || t.front() == ';') return;
    if (t.front() == '[') {
        const std::size_t close = t.find(']');
        if (close == std::string_view::npos) return;
        line.kind = TKind::Section;
        line.name = std::string(Trim(t.substr(1, close - 1)));
        return;
    }
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return;
    const std::string_view key = Trim(t.substr(0, eq));
    if (key.empty()) return;
    line.kind = TKind::Key;
    line.name = std::string(key);
    line.value = std::string(Trim(t.substr(eq + 1)));
}

TTextEncoding TIniFile::LineEncoding() const {
    return encoding_ == TTextEncoding::Cp932 ? TTextEncoding::Cp932 : TTextEncoding::Utf8;
}

TIniFile::TLine TIniFile::MakeLine(std::string text) const {
    TLine line;
    // Lines never carry the byte-order mark, which belongs to the file.
    line.raw = EncodeText(text, LineEncoding());
    line.ending = newLineEnding_;
    Parse(line, text);
    return line;
}

std::size_t TIniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == TKind::Section && SameName(lines_[i].name, section)) return i;
    return std::string::npos;
}

std::size_t TIniFile::FindKey(std::size_t sectionIndex, std::string_view key) const {
    for (std::size_t i = sectionIndex + 1; i < lines_.size() && lines_[i].kind != TKind::Section; ++i)
        if (lines_[i].kind == TKind::Key && SameName(lines_[i].name, key)) return i;
    return std::string::npos;
}

std::size_t TIniFile::FindValue(std::string_view section, std::string_view key) const {
    // A section may appear more than once; the first line of the key wins.
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != TKind::Section || !SameName(lines_[i].name, section)) continue;
        const std::size_t k = FindKey(i, key);
        if (k != std::string::npos) return k;
    }
    return std::string::npos;
}

bool TIniFile::SectionExists(std::string_view section) const {
    return FindSection(section) != std::string::npos;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return FindValue(section, key) != std::string::npos;
}

int TIniFile::LineOf(std::string_view section, std::string_view key) const {
    const std::size_t i = FindValue(section, key);
    return i == std::string::npos ? 0 : static_cast<int>(i) + 1;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    const std::size_t k = FindValue(section, key);
    return k == std::string::npos ? std::string(defaultValue) : lines_[k].value;
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
    const std::string heldSection = DecodeText(EncodeText(section, LineEncoding()), LineEncoding());
    const std::string heldKey = DecodeText(EncodeText(key, LineEncoding()), LineEncoding());
    section = heldSection;
    key = heldKey;

    const std::size_t existing = FindValue(section, key);
    if (existing != std::string::npos) {
        // The key keeps its spelling and bytes; only the value changes.
        TLine& line = lines_[existing];
        const std::string_view rawKey = Trim(std::string_view(line.raw).substr(0, line.raw.find('=')));
        std::string raw = std::string(rawKey) + "=" + EncodeText(value, LineEncoding());
        line.raw = std::move(raw);
        line.value = std::string(Trim(value));
        return;
    }
    TLine keyLine = MakeLine(std::string(key) + "=" + std::string(value));
    const std::size_t sectionIndex = FindSection(section);
    if (sectionIndex != std::string::npos) {
        // After the last line of the section that is not blank.
        std::size_t end = sectionIndex + 1;
        while (end < lines_.size() && lines_[end].kind != TKind::Section)
            ++end;
        std::size_t at = end;
        while (at > sectionIndex + 1 && Trim(lines_[at - 1].raw).empty())
            --at;
        if (lines_[at - 1].ending.empty()) lines_[at - 1].ending = newLineEnding_;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(keyLine));
        return;
    }
    TLine header = MakeLine("[" + std::string(section) + "]");
    if (!lines_.empty()) {
        if (lines_.back().ending.empty()) lines_.back().ending = newLineEnding_;
        if (!Trim(lines_.back().raw).empty()) lines_.push_back(MakeLine(""));
    }
    lines_.push_back(std::move(header));
    lines_.push_back(std::move(keyLine));
}

void TIniFile::UpdateFile(TLanguage language) {
    std::string bytes;
    if (encoding_ == TTextEncoding::Utf8Bom) bytes = "\xEF\xBB\xBF";
    for (const TLine& line : lines_) {
        bytes += line.raw;
        bytes += line.ending;
    }
    // Shift-JIS bytes that happen to be valid UTF-8 (ﾃｽ is C3 BD, also ý)
    // would be read back as UTF-8: a comment line in Shift-JIS that UTF-8
    // cannot hold goes first and keeps the file Shift-JIS for every reader.
    std::optional<TLine> mark;
    if (encoding_ == TTextEncoding::Cp932 && !IsAscii(bytes) && IsValidUtf8(bytes)) {
        mark = MakeLine(kCp932Mark);
        bytes.insert(0, mark->raw + mark->ending);
    }
    try {
        WriteFileAtomically(fileName_, bytes);
    } catch (const EFileWriteError& ex) {
        throw EIniFileError(Compose(msg::kCannotWriteFile, language, {fileName_}), ex.Reason());
    }
    if (mark) lines_.insert(lines_.begin(), std::move(*mark));
    existed_ = true;
}

} // namespace vistal
