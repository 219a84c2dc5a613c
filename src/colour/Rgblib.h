// SPDX-License-Identifier: GPL-3.0-or-later
// TRgb: a colour as three components that are always kept within 0..255.
#pragma once

#include "base/Bitmap.h"

#include <string_view>

namespace vistal {

class TRgb {
public:
    int Red() const { return red_; }
    int Green() const { return green_; }
    int Blue() const { return blue_; }
    void SetRed(int v) { red_ = Clamp(v); }
    void SetGreen(int v) { green_ = Clamp(v); }
    void SetBlue(int v) { blue_ = Clamp(v); }

    TColor ToColor() const { return static_cast<TColor>(blue_ * 65536 + green_ * 256 + red_); }
    void FromColor(TColor v);
    // "RRGGBB": characters 1-2 red, 3-4 green, 5-6 blue, either letter case.
    // A pair that is not a hexadecimal number raises EConvertError.
    void FromHex(std::string_view s);
    double Cb() const;
    double Cr() const;
    void FromYCbCr(double cb, double cr, double y);

private:
    static int Clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
};

} // namespace vistal
