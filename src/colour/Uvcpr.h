// SPDX-License-Identifier: GPL-3.0-or-later
// The VCP palette reader. A VCP file is a text file of colours: one "RRGGBB"
// colour a line, gradients (#GRAD) and wrapping progressions (#LINE). Its first
// colour becomes colour 0, the others the cycling colours.
#pragma once

#include "base/TextLines.h"
#include "colour/Hvcpr.h"

#include <string>
#include <string_view>

namespace vistal {

// The reader's working list of colours. The parsers end a malformed line with
// the silent abort EAbort (or EConvertError from a bad hexadecimal pair).
class TPalette {
public:
    TPalette();

    // Silent abort when the palette already holds kMaxVcpColors colours.
    void AddColor(TColor color);
    // Silent abort when i is outside 0..LastIndex.
    TColor GetColor(int i) const;
    bool IsEmpty() const { return colors_.empty(); }
    int LastIndex() const { return static_cast<int>(colors_.size()) - 1; }
    const std::vector<TColor>& Colors() const { return colors_; }

    // One line of a file, without its line end: empty lines and comments add
    // nothing, "#GRAD" and "#LINE" (any case) are directives, any other line
    // starting with "#" is ignored, everything else is a colour.
    void ParseVcpLine(std::string_view line);
    // "#GRAD A,B,N": N colours from A towards B (B itself is not added).
    void ParseGrad(std::string_view line);
    // "#LINE R0,dR,G0,dG,B0,dB,N": N colours, each component (c0 + Round(k·dc)) mod 256.
    void ParseLineDirective(std::string_view line);

private:
    // Refuses a directive that would take the palette past kMaxVcpColors.
    void Reserve(long long count) const;
    std::vector<TColor> colors_;
};

// Cuts the text at every comma, trims every piece of blanks and control
// characters and joins the pieces with commas again.
std::string TrimAroundCommas(std::string_view text);

// Reads a palette file. Lines end at LF, CR LF or a lone CR; a UTF-8
// byte-order mark at the start is skipped. A file that exists but cannot be
// read raises EInOutError.
TVcpReadResult ReadVcpFile(const std::string& fileName);

} // namespace vistal
