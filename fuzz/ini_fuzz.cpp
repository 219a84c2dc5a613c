// SPDX-License-Identifier: GPL-3.0-or-later
// The INI service on any file and any update. The first byte chooses the
// encoding of new files, then come a section name, a key and a value (each
// ended by a byte 0), then the file. Promised:
//   reading never throws, except for a file beyond kMaxSize, which is refused;
//   an unchanged rewrite gives the same bytes;
//   a written value reads back (trimmed of blanks);
//   every other value, in the same or another section, stays as it was;
//   the file keeps its encoding (unless it is left with ASCII alone).
// A name or value the file cannot take is refused with an exception and
// changes nothing.
#include "FuzzSupport.h"
#include "base/IniFile.h"
#include "base/TextEncoding.h"

#include <algorithm>
#include <fcntl.h>
#include <string>
#include <utility>
#include <vector>

using namespace vistal;

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
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

void WriteBytes(const std::string& file, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) fuzz::Broken("cannot create the input file");
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n <= 0) fuzz::Broken("cannot write the input file");
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    ::close(fd);
}

std::string ReadBytes(const std::string& file) {
    std::string bytes;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fuzz::Broken("cannot open the written file");
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) fuzz::Broken("cannot read the written file");
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

// Where the first line ends: a block at a time, so that a file of CR alone
// is not searched to its end for LF.
std::size_t LineEnd(std::string_view s) {
    for (std::size_t at = 0; at < s.size(); at += 4096) {
        const std::string_view block = s.substr(at, 4096);
        const std::size_t lf = block.find('\n');
        if (const std::size_t cr = block.substr(0, lf).find('\r'); cr != std::string_view::npos)
            return at + cr;
        if (lf != std::string_view::npos) return at + lf;
    }
    return s.size();
}

// Section and key names the file seems to hold, by a reading of its own.
std::vector<std::pair<std::string, std::string>> Probes(std::string_view bytes) {
    const std::string text = DecodeText(bytes, DetectEncoding(bytes));
    std::vector<std::pair<std::string, std::string>> probes;
    std::string section;
    std::string_view rest(text);
    while (!rest.empty() && probes.size() < 48) {
        const std::size_t end = LineEnd(rest);
        const std::string_view line = Trim(rest.substr(0, end));
        rest.remove_prefix(std::min(rest.size(), end + 1));
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            if (close != std::string_view::npos) section = std::string(Trim(line.substr(1, close - 1)));
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos) probes.emplace_back(section, std::string(Trim(line.substr(0, eq))));
    }
    return probes;
}

const char* const kAbsent = "\x01(absent)";

// Shift-JIS holds these characters only in their full-width forms, and a value
// written into a Shift-JIS file reads back with those.
std::string AsShiftJisHoldsIt(std::string text) {
    static const std::pair<std::string_view, std::string_view> kForms[] = {
        {"〜", "～"}, {"−", "－"}, {"—", "―"}, {"‖", "∥"}, {"¢", "￠"}, {"£", "￡"}, {"¬", "￢"}};
    for (const auto& [from, to] : kForms)
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TScratchFolder folder;
    static const std::string file = folder.File("file.ini");
    fuzz::TInput input(data, size);
    const TTextEncoding newFiles = input.Byte() & 1 ? TTextEncoding::Utf8 : TTextEncoding::Cp932;
    const std::string section(input.Field());
    const std::string key(input.Field());
    const std::string value(input.Field());
    const std::string original(input.Rest());
    WriteBytes(file, original);

    if (original.size() > TIniFile::kMaxSize) {
        try {
            TIniFile refused(file, newFiles);
        } catch (const EIniFileError&) {
            return 0;
        }
        fuzz::Broken("a file beyond kMaxSize is refused");
    }
    const auto probes = Probes(original);
    std::vector<std::string> before;
    TTextEncoding encoding;
    try {
        TIniFile ini(file, newFiles);
        encoding = ini.Encoding();
        fuzz::Expect(ini.Exists(), "the file exists");
        for (const auto& [s, k] : probes) {
            before.push_back(ini.ReadString(s, k, kAbsent));
            ini.ValueExists(s, k);
            ini.SectionExists(s);
        }
        ini.ReadString(section, key);
        ini.UpdateFile();
    } catch (const std::exception& ex) {
        fuzz::Broken(ex.what());
    }
    fuzz::Expect(ReadBytes(file) == original, "an unchanged rewrite gives the same bytes");

    TIniFile ini(file, newFiles);
    try {
        ini.WriteString(section, key, value);
    } catch (const ETextEncodingError&) {
        return 0;
    } catch (const EIniFileError&) {
        return 0;
    }
    ini.UpdateFile();

    const TIniFile back(file, newFiles);
    // A file left with ASCII alone is the same text in every encoding; it is
    // then in the one its owner gives new files.
    if (!IsAscii(ReadBytes(file))) fuzz::Expect(back.Encoding() == encoding, "the file keeps its encoding");
    const bool cp932 = back.Encoding() == TTextEncoding::Cp932;
    const auto held = [cp932](std::string_view text) {
        return cp932 ? AsShiftJisHoldsIt(std::string(text)) : std::string(text);
    };
    fuzz::Expect(back.ReadString(held(section), held(key), kAbsent) == held(Trim(value)),
                 "a written value reads back");
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const auto& [s, k] = probes[i];
        if (SameName(held(s), held(section)) && SameName(held(k), held(key))) continue;
        fuzz::Expect(back.ReadString(s, k, kAbsent) == before[i], "every other value stays as it was");
    }
    return 0;
}
