// SPDX-License-Identifier: GPL-3.0-or-later
// Basic types shared by the whole core: points of the plane, the error kinds,
// the error reporter and the stored codes of the drawing modes.
#pragma once

#include "base/Language.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vistal {

// A point of the complex plane.
struct TComplex {
    double Re = 0.0;
    double Im = 0.0;
    friend bool operator==(const TComplex&, const TComplex&) = default;
};

// The silent abort: a cancelled command or drawing. The shell's event guard
// swallows it without a message.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

// An index or value outside its permitted range (palette index, brightness
// function number, unknown file type).
class ERangeError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// A text that is not the number it should be.
class EConvertError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Errors the user must see are shown through this interface, then the operation
// ends with EAbort. The shell connects it to its error box, the renderer to stderr.
// The core words its messages in the reporter's Language.
class TErrorReporter {
public:
    virtual ~TErrorReporter() = default;
    virtual void ShowError(const std::string& text) = 0;
    // An error at a line of a file being read: text says it with the line's
    // number, as ShowError shows it; lineText says it without, for a report
    // that puts the line beside the file's name. ShowError(text) unless
    // overridden.
    virtual void ShowLineError(int line, const std::string& text, const std::string& lineText);
    TLanguage Language = TLanguage::Japanese;
};

enum TFormula : std::uint8_t { fmMandelbrot = 1, fmJulia = 2 };

// Drawing methods as held in memory.
enum TDrawMode : std::uint8_t {
    dmNormal = 0,
    dmSearch = 1,
    dmBorder = 2,
    dmFadein = 3,
    dmSAntiArea = 4,
    dmExtNormal = 5,
    dmPotential1 = 6,
    dmPotential2 = 7,
    dmPotential3 = 8,
};

// The stored form of a drawing mode, shared by the settings, VRP and FSS files:
// fade-in (3) and simple anti-aliasing (4) are exchanged; every other mode is
// stored as its value.
int DrawModeToCode(std::uint8_t mode);
// Reads a stored code back; any code outside 1..8 reads as normal drawing.
std::uint8_t DrawModeFromCode(long long code);

} // namespace vistal
