// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InputDialog.h"

#include "ui/AppTitle.h"
#include "ui/InputInteger.h"

#include <QLabel>

namespace vistal::ui {

TIntegerDialog::TIntegerDialog(TPrompt& prompt, QObject* parent) : QObject(parent), prompt_(prompt) {}

void TIntegerDialog::SetMax(int value) {
    max_ = value;
    if (min_ > max_) min_ = max_;
}

void TIntegerDialog::SetMin(int value) {
    min_ = value;
    if (max_ < min_) max_ = min_;
}

bool TIntegerDialog::Execute() {
    TIntegerDlg form(prompt_, prompt_.Parent);
    form.Max = max_;
    form.Min = min_;
    form.setWindowTitle(Caption.isEmpty() ? ApplicationTitle() : Caption);
    form.Information->setText(Information.isEmpty() ? tr("整数値を入力してください") : Information);
    form.SetPasswordChar(PasswordChar);
    if (!ErrorMessage.isEmpty()) form.ErrorMessage = ErrorMessage;
    if (prompt_.Exec(form) != QDialog::Accepted) return false;
    Value = form.Value;
    return true;
}

} // namespace vistal::ui
