// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmInputFloatDialog.h"

#include "ui/NumberText.h"

namespace vistal::ui {

TfrmInputFloatDialog::TfrmInputFloatDialog(TPrompt& prompt, QWidget* parent) : TInputForm(prompt, parent) {
    setObjectName("frmInputFloatDialog");
    ErrorMessage = tr("数値を入力してください");
}

bool TfrmInputFloatDialog::TakeValue(const QString& text) {
    const std::optional<double> value = ParseFloat(text);
    if (!value) {
        Refuse(ErrorMessage);
        return false;
    }
    if (!(*value >= Min)) {
        Refuse(tr("値が小さすぎます\n%1 以上の数値を入力して下さい").arg(FloatText(Min)));
        return false;
    }
    if (*value > Max) {
        Refuse(tr("値が大きすぎます\n%1 以下の数値を入力して下さい").arg(FloatText(Max)));
        return false;
    }
    Value = *value;
    return true;
}

} // namespace vistal::ui
