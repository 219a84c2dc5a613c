#include "ui/NumberText.h"

#include "base/UFormat.h"
#include "base/UType.h"

#include <QCoreApplication>
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

double StrToFloat(const QString& text) {
    const std::optional<double> value = ParseFloat(text);
    if (!value)
        throw EConvertError(
            QCoreApplication::translate("vistal::ui::NumberText", "'%1' は浮動小数点数ではありません")
                .arg(text)
                .toStdString());
    return *value;
}

} // namespace vistal::ui
