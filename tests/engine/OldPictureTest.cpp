// SPDX-License-Identifier: GPL-3.0-or-later
// The previous picture moved to a new view: scaled about the centre, shifted
// by whole pixels, black where it has nothing, at any depth.
#include "engine/OldPicture.h"

#include <gtest/gtest.h>

using namespace vistal;

namespace {

TBitmap Numbered(int w, int h) {
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, static_cast<TColor>(1000 * y + x + 1));
    return b;
}

// The view `from` moved by (dx, dy) pixels (y down) and zoomed in by `zoom`.
TDeepPosition Moved(const TDeepPosition& from, int height, double dx, double dy, double zoom) {
    const TFloatExp pixel = TFloatExp::Make(from.Span.Mant / height, from.Span.Exp);
    TDeepPosition to = from;
    TMpfr step(from.Re.Bits() + 64);
    step.Set(pixel * TFloatExp::FromDouble(dx));
    to.Re.Add(from.Re, step);
    step.Set(pixel * TFloatExp::FromDouble(-dy));
    to.Im.Add(from.Im, step);
    to.Span = TFloatExp::Make(from.Span.Mant / zoom, from.Span.Exp);
    return to;
}

} // namespace

TEST(OldPicture, ScaledAboutTheCentreAndShiftedAtAnyDepth) {
    TDeepPosition deep;
    deep.Re = *TMpfr::Parse("-1.7685736562992", 1100);
    deep.Im = *TMpfr::Parse("0.0000000000000000001", 1100);
    deep.Span = *TDeepPosition::ParseSpan("1e-300");
    for (const TDeepPosition& from : {TDeepPosition({-0.8, 0}, 3), deep}) {
        TBitmap shifted = Numbered(8, 6);
        MoveOldPicture(shifted, from, Moved(from, 6, 2, -1, 1));
        EXPECT_EQ(shifted.Pixel(0, 1), Numbered(8, 6).Pixel(2, 0));
        EXPECT_EQ(shifted.Pixel(5, 5), Numbered(8, 6).Pixel(7, 4));
        EXPECT_EQ(shifted.Pixel(6, 0), 0u); // beyond the old picture
        EXPECT_EQ(shifted.Pixel(0, 0), 0u);

        TBitmap zoomed = Numbered(8, 6);
        MoveOldPicture(zoomed, from, Moved(from, 6, 0, 0, 2));
        // Pixel centres 0.5, 1.5 of the new view fall on old pixel 2; 2.5, 3.5 on 3.
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(zoomed.Pixel(x, 0), Numbered(8, 6).Pixel(2 + x / 2, 1)) << x;
    }
}
