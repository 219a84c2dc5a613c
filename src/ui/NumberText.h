// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as the dialogs show and read them: reals in the program's one "%g"
// format, integers and reals parsed with "." as the decimal separator whatever
// the locale.
#pragma once

#include "base/DeepPosition.h"

#include <QString>
#include <optional>

namespace vistal::ui {

// A real as the dialogs show it ("%g", 15 significant digits).
QString FloatText(double value);

// A decimal 32-bit integer (blanks around it allowed); nothing for anything
// else, a number beyond the 32-bit range included.
std::optional<int> ParseInt32(const QString& text);
// A finite decimal real (blanks around it allowed); nothing for anything else.
std::optional<double> ParseFloat(const QString& text);

// A view's centre and width as the dialogs show them: FloatText when doubles
// hold the view; otherwise the centre with the digits a picture of `height`
// pixels needs and the width as mantissa and exponent ("1.5E-312").
struct TPlaceTexts {
    QString Re, Im, Span;
};
TPlaceTexts PlaceTexts(const TDeepPosition& position, int height);

// The corners of a deep view of width × height pixels, with the centre's
// digits: P (left, top) and Q (right, bottom).
struct TCornerTexts {
    QString PRe, PIm, QRe, QIm;
};
TCornerTexts CornerTexts(const TDeepPosition& position, int width, int height);

// A typed centre coordinate, every digit taken and at least minBits of
// precision; EConvertError as StrToFloat says for anything but a decimal number.
TMpfr StrToCoordinate(const QString& text, long minBits);
// A typed width (its absolute value) of any size down to spans of 1e-315652;
// EConvertError as StrToFloat says otherwise.
TFloatExp StrToSpan(const QString& text);

// ParseFloat, or EConvertError with the message "'text' は浮動小数点数ではありません".
double StrToFloat(const QString& text);

} // namespace vistal::ui
