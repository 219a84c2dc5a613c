// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/PaletteFile.h"

#include "base/AtomicFile.h"
#include "base/TextLines.h"
#include "base/UFormat.h"
#include "colour/Uvcpr.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace vistal {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool EndsWithIgnoringCase(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && EqualsIgnoringCase(s.substr(s.size() - end.size()), end);
}

std::string_view SkipBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

// A component 0..255 of decimal digits at the start of s, taken off s.
std::optional<int> TakeComponent(std::string_view& s) {
    int value = 0;
    std::size_t n = 0;
    for (; n < s.size() && s[n] >= '0' && s[n] <= '9'; ++n) {
        value = value * 10 + (s[n] - '0');
        if (value > 255) return std::nullopt;
    }
    if (n == 0) return std::nullopt;
    s.remove_prefix(n);
    return value;
}

// "R G B" at the start of the line (after blanks), blanks between; after the
// third number the line ends or a blank starts a remark or name.
std::optional<TColor> ParseRgbLine(std::string_view line) {
    line = SkipBlanks(line);
    int rgb[3];
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            if (line.empty() || !IsBlank(line.front())) return std::nullopt;
            line = SkipBlanks(line);
        }
        const std::optional<int> c = TakeComponent(line);
        if (!c) return std::nullopt;
        rgb[k] = *c;
    }
    if (!line.empty() && !IsBlank(line.front())) return std::nullopt;
    return static_cast<TColor>(rgb[0] | rgb[1] << 8 | rgb[2] << 16);
}

TVcpReadResult Finish(int code, std::vector<TColor> colors) {
    TVcpReadResult result;
    result.Code = code;
    if (code != vcpOk) return result;
    if (colors.empty()) {
        result.Code = vcpNoColor;
        return result;
    }
    result.Colors = std::move(colors);
    return result;
}

// Reads the blocks of a gradient file a line at a time and keeps the stops of
// the block asked for. Every block must be well formed: braces in pairs,
// quotes closed on their line, and in a "gradient:" section each "color="
// after an "index=" of its own, both integers.
class TGradientReader {
public:
    explicit TGradientReader(std::string_view wanted) : wanted_(wanted) {}

    // False when the line is in error.
    bool Line(std::string_view line, bool cut) {
        ++lineNumber_;
        if (cut) return false; // its stops would be lost
        while (!(line = SkipBlanks(line)).empty()) {
            const char c = line.front();
            if (c == ';') return true; // a remark to the end of the line
            if (c == '{' || c == '}') {
                line.remove_prefix(1);
                if (!(c == '{' ? Open() : Close())) return false;
                continue;
            }
            if (!Token(line)) return false;
        }
        return true;
    }

    // The line of a block left open at the end of the file, else 0.
    int UnclosedLine() const { return inBlock_ ? openLine_ : 0; }
    bool Found() const { return found_; }

    // The gradient sampled at its positions: between neighbouring stops (and
    // from the last around to the first) each component runs linearly.
    std::vector<TColor> Colors() {
        if (stops_.empty()) return {};
        std::stable_sort(stops_.begin(), stops_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        // Of stops at one position the later in the file holds.
        std::vector<std::pair<int, TColor>> stops;
        for (const auto& s : stops_) {
            if (!stops.empty() && stops.back().first == s.first)
                stops.back() = s;
            else
                stops.push_back(s);
        }
        std::vector<TColor> colors;
        colors.reserve(kGradientPositions);
        std::size_t next = 0; // the first stop beyond the position
        for (int p = 0; p < kGradientPositions; ++p) {
            while (next < stops.size() && stops[next].first <= p)
                ++next;
            const auto& [fromAt, from] = next == 0 ? stops.back() : stops[next - 1];
            const auto& [toAt, to] = next == stops.size() ? stops.front() : stops[next];
            const int start = next == 0 ? fromAt - kGradientPositions : fromAt;
            const int end = next == stops.size() ? toAt + kGradientPositions : toAt;
            if (start == p || end == start) {
                colors.push_back(from);
                continue;
            }
            const double t = static_cast<double>(p - start) / (end - start);
            TColor color = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                const int a = static_cast<int>(from >> shift & 0xFF),
                          b = static_cast<int>(to >> shift & 0xFF);
                color |= static_cast<TColor>(RoundToInt(a + (b - a) * t)) << shift;
            }
            colors.push_back(color);
        }
        return colors;
    }

private:
    bool Open() {
        if (inBlock_ || name_.empty()) return false;
        inBlock_ = true;
        openLine_ = lineNumber_;
        selected_ = !found_ && (wanted_.empty() || EqualsIgnoringCase(name_, wanted_));
        found_ = found_ || selected_;
        name_.clear();
        inGradient_ = false;
        return true;
    }

    bool Close() {
        if (!inBlock_ || pendingIndex_) return false;
        inBlock_ = false;
        selected_ = false;
        return true;
    }

    // One token at the start of line, taken off it: outside a block the name
    // of the next one; inside, a section label "NAME:" or a setting
    // "KEY=VALUE" whose value may be quoted.
    bool Token(std::string_view& line) {
        std::size_t n = 0;
        while (n < line.size() && !IsBlank(line[n]) && line[n] != '{' && line[n] != '}' && line[n] != ';' &&
               line[n] != '=' && line[n] != '"')
            ++n;
        const std::string_view key = line.substr(0, n);
        line.remove_prefix(n);
        if (!inBlock_) {
            // One name, then the brace.
            if (key.empty() || !name_.empty() ||
                (!line.empty() && line.front() != '{' && !IsBlank(line.front())))
                return false;
            name_ = key;
            return true;
        }
        if (line.empty() || line.front() != '=') {
            if (key.empty() || key.back() != ':' || pendingIndex_) {
                // A bare word is allowed only in sections other than the gradient.
                return !key.empty() && !inGradient_ && (line.empty() || line.front() != '"');
            }
            inGradient_ = EqualsIgnoringCase(key, "gradient:");
            return true;
        }
        if (key.empty()) return false;
        line.remove_prefix(1);
        std::string_view value;
        if (!line.empty() && line.front() == '"') {
            const std::size_t close = line.find('"', 1);
            if (close == std::string_view::npos) return false;
            value = line.substr(1, close - 1);
            line.remove_prefix(close + 1);
        } else {
            std::size_t m = 0;
            while (m < line.size() && !IsBlank(line[m]) && line[m] != '{' && line[m] != '}' && line[m] != ';')
                ++m;
            value = line.substr(0, m);
            line.remove_prefix(m);
        }
        if (!inGradient_) return true;
        if (EqualsIgnoringCase(key, "index")) {
            const std::optional<long long> index = ParseInteger(value);
            if (!index || pendingIndex_) return false;
            pendingIndex_ =
                static_cast<int>((*index % kGradientPositions + kGradientPositions) % kGradientPositions);
        } else if (EqualsIgnoringCase(key, "color")) {
            const std::optional<long long> color = ParseInteger(value);
            if (!color || *color < 0 || *color > 0xFFFFFF || !pendingIndex_) return false;
            if (selected_) {
                if (stops_.size() >= kMaxVcpColors) return false;
                stops_.emplace_back(*pendingIndex_, static_cast<TColor>(*color));
            }
            pendingIndex_.reset();
        }
        return true;
    }

    std::string wanted_;
    int lineNumber_ = 0;
    std::string name_; // the name read before a block's brace
    bool inBlock_ = false;
    int openLine_ = 0;
    bool selected_ = false, found_ = false;
    bool inGradient_ = false;
    std::optional<int> pendingIndex_;
    std::vector<std::pair<int, TColor>> stops_;
};

// A name on one line of a palette file: control characters become blanks.
std::string OneLine(std::string name) {
    for (char& c : name)
        if (static_cast<unsigned char>(c) < ' ' || c == '\x7F') c = ' ';
    return name;
}

} // namespace

std::optional<TPaletteFormat> PaletteFormatOfName(std::string_view fileName) {
    const std::size_t slash = fileName.rfind('/');
    if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
    static constexpr std::pair<std::string_view, TPaletteFormat> kExtensions[] = {
        {".vcp", TPaletteFormat::Vcp}, {".map", TPaletteFormat::Map},      {".gpl", TPaletteFormat::Gpl},
        {".ugr", TPaletteFormat::Ugr}, {".gradient", TPaletteFormat::Ugr},
    };
    for (const auto& [extension, format] : kExtensions)
        if (fileName.size() > extension.size() && EndsWithIgnoringCase(fileName, extension)) return format;
    return std::nullopt;
}

TVcpReadResult ReadMapFile(const std::string& fileName) {
    std::vector<TColor> colors;
    const int code = ReadTextLines(fileName, kMaxVcpLineLength, [&](std::string_view line, bool) {
        if (SkipBlanks(line).empty()) return true;
        const std::optional<TColor> color = ParseRgbLine(line);
        if (!color || colors.size() >= kMaxVcpColors) return false;
        colors.push_back(*color);
        return true;
    });
    return Finish(code, std::move(colors));
}

TVcpReadResult ReadGplFile(const std::string& fileName) {
    std::vector<TColor> colors;
    bool header = false;
    int code = ReadTextLines(fileName, kMaxVcpLineLength, [&](std::string_view line, bool) {
        if (!header) {
            header = line.substr(0, 12) == "GIMP Palette" && SkipBlanks(line.substr(12)).empty();
            return header;
        }
        const std::string_view text = SkipBlanks(line);
        if (text.empty() || text.front() == '#' || text.substr(0, 5) == "Name:" ||
            text.substr(0, 8) == "Columns:")
            return true;
        const std::optional<TColor> color = ParseRgbLine(text);
        if (!color || colors.size() >= kMaxVcpColors) return false;
        colors.push_back(*color);
        return true;
    });
    if (code == vcpOk && !header) code = 1; // an empty file has no header either
    return Finish(code, std::move(colors));
}

TVcpReadResult ReadGradientFile(const std::string& fileName, const std::string& gradient) {
    TGradientReader reader(gradient);
    int code = ReadTextLines(fileName, kMaxVcpLineLength,
                             [&](std::string_view line, bool cut) { return reader.Line(line, cut); });
    if (code == vcpOk) code = reader.UnclosedLine();
    if (code == vcpOk && !reader.Found()) code = paletteNoGradient;
    return Finish(code, code == vcpOk ? reader.Colors() : std::vector<TColor>());
}

TVcpReadResult ReadPaletteFile(const std::string& fileName, const std::string& gradient) {
    switch (PaletteFormatOfName(fileName).value_or(TPaletteFormat::Vcp)) {
    case TPaletteFormat::Map:
        return ReadMapFile(fileName);
    case TPaletteFormat::Gpl:
        return ReadGplFile(fileName);
    case TPaletteFormat::Ugr:
        return ReadGradientFile(fileName, gradient);
    case TPaletteFormat::Vcp:
        break;
    }
    return ReadVcpFile(fileName);
}

std::string ComposePaletteText(const std::vector<TColor>& colors, TPaletteFormat format,
                               const std::string& name) {
    std::string text;
    if (format == TPaletteFormat::Vcp) text = "* " + OneLine(name) + "\n";
    if (format == TPaletteFormat::Gpl) text = "GIMP Palette\nName: " + OneLine(name) + "\nColumns: 16\n#\n";
    if (format == TPaletteFormat::Ugr) throw std::invalid_argument("gradient files are not written");
    char line[64];
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const unsigned red = colors[i] & 0xFF, green = colors[i] >> 8 & 0xFF, blue = colors[i] >> 16 & 0xFF;
        if (format == TPaletteFormat::Vcp)
            std::snprintf(line, sizeof line, "%02X%02X%02X\n", red, green, blue);
        else if (format == TPaletteFormat::Map)
            std::snprintf(line, sizeof line, "%3u %3u %3u\n", red, green, blue);
        else
            std::snprintf(line, sizeof line, "%3u %3u %3u\tcolour %zu\n", red, green, blue, i);
        text += line;
    }
    return text;
}

void WritePaletteFile(const std::string& fileName, const std::vector<TColor>& colors,
                      const std::string& name) {
    const std::optional<TPaletteFormat> format = PaletteFormatOfName(fileName);
    if (!format) throw std::invalid_argument(fileName + " is no palette file name");
    WriteFileAtomically(fileName, ComposePaletteText(colors, *format, name));
}

} // namespace vistal
