// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/Uvcpr.h"

#include "base/UFormat.h"
#include "base/UType.h"
#include "colour/Rgblib.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace vistal {

namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Calls f with every piece of s between commas, in order.
template <class F> void ForEachPiece(std::string_view s, F f) {
    for (;;) {
        const std::size_t comma = s.find(',');
        if (comma == std::string_view::npos) {
            f(s);
            return;
        }
        f(s.substr(0, comma));
        s.remove_prefix(comma + 1);
    }
}

std::string UpperPrefix(std::string_view line, std::size_t n) {
    std::string s(line.substr(0, n));
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool IsRangeDirective(std::string_view line) {
    if (line.empty() || line[0] != '#') return false;
    const std::string key = UpperPrefix(line, 5);
    return key == "#GRAD" || key == "#LINE";
}

// The fields of a directive: the keyword must be followed by one blank, the
// rest is normalised around its commas and must have exactly `count` fields.
// The commas are counted first, so a line of millions of them builds nothing.
std::vector<std::string> DirectiveFields(std::string_view line, std::size_t count) {
    if (line.size() < 6 || line[5] != ' ') throw EAbort();
    const std::string_view rest = line.substr(6);
    if (static_cast<std::size_t>(std::count(rest.begin(), rest.end(), ',')) != count - 1) throw EAbort();
    std::vector<std::string> fields;
    ForEachPiece(TrimAroundCommas(rest), [&](std::string_view piece) { fields.emplace_back(piece); });
    return fields;
}

int Int32Field(const std::string& field) {
    const auto v = ParseInteger(field);
    if (!v || *v < INT_MIN || *v > INT_MAX) throw EAbort();
    return static_cast<int>(*v);
}

double RealField(const std::string& field) {
    const auto v = ParseReal(field);
    if (!v) throw EAbort();
    return *v;
}

TRgb HexColorField(const std::string& field) {
    if (field.size() != 6) throw EAbort();
    TRgb rgb;
    rgb.FromHex(field);
    return rgb;
}

// (c0 + Round(k·dc)) mod 256 with the remainder taking the sign of the
// dividend; a value that does not fit a 64-bit integer is an error.
int WrappedComponent(int c0, long long k, double dc) {
    const double r = RoundEven(static_cast<double>(k) * dc);
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) throw EAbort();
    long long sum = 0;
    if (__builtin_add_overflow(static_cast<long long>(c0), static_cast<long long>(r), &sum)) throw EAbort();
    return static_cast<int>(sum % 256);
}

} // namespace

TPalette::TPalette() {
    colors_.reserve(1024);
}

void TPalette::AddColor(TColor color) {
    if (colors_.size() >= kMaxVcpColors) throw EAbort();
    colors_.push_back(color);
}

TColor TPalette::GetColor(int i) const {
    if (i < 0 || i > LastIndex()) throw EAbort();
    return colors_[static_cast<std::size_t>(i)];
}

void TPalette::Reserve(long long count) const {
    if (count > static_cast<long long>(kMaxVcpColors - colors_.size())) throw EAbort();
}

void TPalette::ParseVcpLine(std::string_view line) {
    if (line.empty() || line[0] == '*') return;
    if (line[0] == '#') {
        const std::string key = UpperPrefix(line, 5);
        if (key == "#GRAD")
            ParseGrad(line);
        else if (key == "#LINE")
            ParseLineDirective(line);
        return;
    }
    // A colour line: the first six characters are RRGGBB, the rest is a remark.
    if (line.size() < 6) throw EAbort();
    TRgb rgb;
    rgb.FromHex(line.substr(0, 6));
    AddColor(rgb.ToColor());
}

void TPalette::ParseGrad(std::string_view line) {
    const std::vector<std::string> f = DirectiveFields(line, 3);
    const TRgb a = HexColorField(f[0]);
    const TRgb b = HexColorField(f[1]);
    // A count below 1 would add no colour: the line is in error.
    const int n = Int32Field(f[2]);
    if (n <= 0) throw EAbort();
    Reserve(n);
    const double stepRed = static_cast<double>(b.Red() - a.Red()) / n;
    const double stepGreen = static_cast<double>(b.Green() - a.Green()) / n;
    const double stepBlue = static_cast<double>(b.Blue() - a.Blue()) / n;
    for (int k = 0; k < n; ++k) {
        TRgb c;
        c.SetRed(a.Red() + RoundToInt(k * stepRed));
        c.SetGreen(a.Green() + RoundToInt(k * stepGreen));
        c.SetBlue(a.Blue() + RoundToInt(k * stepBlue));
        AddColor(c.ToColor());
    }
}

void TPalette::ParseLineDirective(std::string_view line) {
    const std::vector<std::string> f = DirectiveFields(line, 7);
    const int red0 = Int32Field(f[0]);
    const double dRed = RealField(f[1]);
    const int green0 = Int32Field(f[2]);
    const double dGreen = RealField(f[3]);
    const int blue0 = Int32Field(f[4]);
    const double dBlue = RealField(f[5]);
    // A negative count is an error of the line; 0 adds nothing.
    const int n = Int32Field(f[6]);
    if (n < 0) throw EAbort();
    Reserve(n);
    for (int k = 0; k < n; ++k) {
        TRgb c;
        c.SetRed(WrappedComponent(red0, k, dRed));
        c.SetGreen(WrappedComponent(green0, k, dGreen));
        c.SetBlue(WrappedComponent(blue0, k, dBlue));
        AddColor(c.ToColor());
    }
}

std::string TrimAroundCommas(std::string_view text) {
    std::string out;
    bool first = true;
    ForEachPiece(text, [&](std::string_view piece) {
        while (!piece.empty() && IsBlankOrControl(piece.front()))
            piece.remove_prefix(1);
        while (!piece.empty() && IsBlankOrControl(piece.back()))
            piece.remove_suffix(1);
        if (!first) out += ',';
        out += piece;
        first = false;
    });
    return out;
}

TVcpReadResult ReadVcpFile(const std::string& fileName) {
    static_assert(vcpFileNotFound == kNoTextFile);
    TVcpReadResult result;
    TPalette palette;
    result.Code = ReadTextLines(fileName, kMaxVcpLineLength, [&](std::string_view line, bool cut) {
        try {
            if (cut && IsRangeDirective(line)) return false;
            palette.ParseVcpLine(line);
            return true;
        } catch (const EAbort&) {
        } catch (const EConvertError&) {
        } catch (const ERangeError&) {
        }
        return false;
    });
    if (result.Code != vcpOk) return result;
    if (palette.IsEmpty()) {
        result.Code = vcpNoColor;
        return result;
    }
    result.Colors = palette.Colors();
    return result;
}

} // namespace vistal
