// SPDX-License-Identifier: GPL-3.0-or-later
// Whether doubles tell the pixels of a view apart. A pixel is ImSpan ÷ Height
// wide; the points of the plane are doubles, spaced one unit in the last place
// (ULP) apart, and that spacing grows with their magnitude. Where a pixel is
// only a few ULPs of the view's coordinates wide, neighbouring pixels share a
// point or are spaced unevenly, and the picture shows blocks: it is still the
// picture the doubles define, only not the one the view describes.
#pragma once

namespace vistal {

class TVistal;

// Pixels narrower than this many ULPs count as unresolved.
inline constexpr double kMinUlpsPerPixel = 4;

struct TViewPrecision {
    double PixelStep = 0; // ImSpan ÷ Height
    double Ulp = 0;       // spacing of doubles at the largest corner coordinate
    bool Resolved() const { return PixelStep >= kMinUlpsPerPixel * Ulp; }
};

// The precision of the engine's current view (width and height above 0).
TViewPrecision ViewPrecision(const TVistal& engine);

} // namespace vistal
