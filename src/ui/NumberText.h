// Numbers as the dialogs show and read them: reals in the program's one "%g"
// format, integers and reals parsed with "." as the decimal separator whatever
// the locale.
#pragma once

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

// ParseFloat, or EConvertError with the message "'text' は浮動小数点数ではありません".
double StrToFloat(const QString& text);

} // namespace vistal::ui
