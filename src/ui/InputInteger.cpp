// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InputInteger.h"

#include "ui/NumberText.h"

namespace vistal::ui {

TIntegerDlg::TIntegerDlg(TPrompt& prompt, QWidget* parent) : TInputForm(prompt, parent) {
    setObjectName("IntegerDlg");
    ErrorMessage = tr("整数値を入力してください");
}

bool TIntegerDlg::TakeValue(const QString& text) {
    const std::optional<int> value = ParseInt32(text);
    if (!value) {
        Refuse(ErrorMessage);
        return false;
    }
    if (*value < Min) {
        Refuse(tr("値が小さすぎます\n%1 以上の数値を入力して下さい").arg(Min));
        return false;
    }
    if (*value > Max) {
        Refuse(tr("値が大きすぎます\n%1 以下の数値を入力して下さい").arg(Max));
        return false;
    }
    Value = *value;
    return true;
}

} // namespace vistal::ui
