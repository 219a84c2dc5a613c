// SPDX-License-Identifier: GPL-3.0-or-later
// Palette files of other programs, read into the same list of colours as a VCP
// file (its first colour is colour 0, the others cycle), and the palette
// written in those formats:
//
// - .map, one "R G B" line a colour (decimal 0..255, blanks between); what
//   follows the third number after a blank is a remark. Every line is a
//   colour, however many there are (a 256-line map gives colour 0 and 255
//   cycling colours; a shorter or longer one as many as it has); blank lines
//   are skipped.
// - .gpl, a GIMP palette: the first line "GIMP Palette", then "Name:" and
//   "Columns:" lines, "#" comments, blank lines and "R G B name" colour lines.
// - .ugr and .gradient, gradient collections: blocks "NAME { ... }" whose
//   "gradient:" section holds stops "index=I color=C" (I on a circle of 400
//   positions, C a decimal 0xBBGGRR) among other settings; ";" starts a
//   remark. The gradient is sampled at its 400 positions, linearly between
//   neighbouring stops and around the end, giving 400 colours. "smooth=yes"
//   is drawn linear too, and "rotation=" is left to the detail and offset of
//   this program; the "opacity:" section and other settings are skipped.
#pragma once

#include "colour/Hvcpr.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vistal {

enum class TPaletteFormat { Vcp, Map, Gpl, Ugr };

// The format a file name's extension gives, in any letter case: .vcp, .map,
// .gpl, .ugr or .gradient; none for any other name.
std::optional<TPaletteFormat> PaletteFormatOfName(std::string_view fileName);

// The result codes of a gradient file, beyond those of a VCP file: the file
// holds no gradient of the name asked for (or no gradient at all).
enum : int { paletteNoGradient = -3 };

// The positions of a gradient's circle: the colours a gradient file gives.
inline constexpr int kGradientPositions = 400;

// The readers answer as ReadVcpFile does: the colours in order, or a code (the
// first bad line, vcpFileNotFound, vcpNoColor). A GIMP palette whose first
// line is not its header is in error on line 1. A file that exists but cannot
// be read raises EInOutError.
TVcpReadResult ReadMapFile(const std::string& fileName);
TVcpReadResult ReadGplFile(const std::string& fileName);
// `gradient` names the block to read (ASCII letters in any case); empty reads
// the first. The other blocks are read for their form only.
TVcpReadResult ReadGradientFile(const std::string& fileName, const std::string& gradient = {});
// The reader of the name's format; a VCP file for any other name.
TVcpReadResult ReadPaletteFile(const std::string& fileName, const std::string& gradient = {});

// The text of a palette file holding exactly these colours, which reads back
// as them: VCP ("* NAME" and one RRGGBB line a colour), map ("R G B" lines)
// or GIMP palette ("Name: NAME", one "R G B\tcolour N" line a colour). Not
// for gradient files.
std::string ComposePaletteText(const std::vector<TColor>& colors, TPaletteFormat format,
                               const std::string& name);

// Writes the palette in the format of the file's name (atomically, as every
// file); EFileWriteError when it cannot. The name must be that of a VCP, map
// or GIMP palette file.
void WritePaletteFile(const std::string& fileName, const std::vector<TColor>& colors,
                      const std::string& name);

} // namespace vistal
