// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NumberText.h"

#include "base/UFormat.h"
#include "base/UType.h"
#include "locations/ViewText.h"

#include <QCoreApplication>
#include <algorithm>
#include <limits>

namespace vistal::ui {

QString FloatText(double value) {
    return QString::fromStdString(FormatReal(value));
}

std::optional<int> ParseInt32(const QString& text) {
    const std::optional<long long> value = ParseInteger(text.toStdString());
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<double> ParseFloat(const QString& text) {
    return ParseReal(text.toStdString());
}

namespace {

[[noreturn]] void NotAFloat(const QString& text) {
    throw EConvertError(
        QCoreApplication::translate("vistal::ui::NumberText", "'%1' は浮動小数点数ではありません")
            .arg(text)
            .toStdString());
}

} // namespace

double StrToFloat(const QString& text) {
    const std::optional<double> value = ParseFloat(text);
    if (!value) NotAFloat(text);
    return *value;
}

TPlaceTexts PlaceTexts(const TDeepPosition& position, int height) {
    const TViewTexts texts = ViewTexts(position, height, false);
    return {QString::fromStdString(texts.Re), QString::fromStdString(texts.Im),
            QString::fromStdString(texts.Span).toUpper()};
}

TCornerTexts CornerTexts(const TDeepPosition& position, int width, int height) {
    const long bits =
        std::max({position.Re.Bits(), position.Im.Bits(), TDeepPosition::BitsFor(position.Span, height)});
    TMpfr halfIm(bits), halfRe(bits);
    halfIm.Set(position.Span);
    halfIm.Mul2Exp(halfIm, -1);
    halfRe.Mul(halfIm, static_cast<double>(width) / height);
    TMpfr corner(bits + 8);
    const long decimals = TDeepPosition::DecimalsFor(position.Span, height);
    const auto text = [&](const TMpfr& a, const TMpfr& b, bool add) {
        if (add)
            corner.Add(a, b);
        else
            corner.Sub(a, b);
        return QString::fromStdString(corner.FixedText(decimals));
    };
    return {text(position.Re, halfRe, false), text(position.Im, halfIm, true),
            text(position.Re, halfRe, true), text(position.Im, halfIm, false)};
}

TMpfr StrToCoordinate(const QString& text, long minBits) {
    std::optional<TMpfr> value = TMpfr::Parse(text.toStdString(), minBits);
    if (!value) NotAFloat(text);
    return std::move(*value);
}

TFloatExp StrToSpan(const QString& text) {
    const std::optional<TFloatExp> value = TDeepPosition::ParseSpan(text.toStdString());
    if (!value) NotAFloat(text);
    return *value;
}

} // namespace vistal::ui
