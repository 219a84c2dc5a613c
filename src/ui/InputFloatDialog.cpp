// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InputFloatDialog.h"

#include "ui/AppTitle.h"
#include "ui/frmInputFloatDialog.h"

#include <QLabel>

namespace vistal::ui {

TInputFloatDialog::TInputFloatDialog(TPrompt& prompt, QObject* parent) : QObject(parent), prompt_(prompt) {}

void TInputFloatDialog::SetMax(double value) {
    max_ = value;
    if (min_ > max_) min_ = max_;
}

void TInputFloatDialog::SetMin(double value) {
    min_ = value;
    if (max_ < min_) max_ = min_;
}

bool TInputFloatDialog::Execute() {
    TfrmInputFloatDialog form(prompt_, prompt_.Parent);
    form.Max = max_;
    form.Min = min_;
    form.setWindowTitle(Caption.isEmpty() ? ApplicationTitle() : Caption);
    form.Information->setText(Information.isEmpty() ? tr("数値を入力してください") : Information);
    form.SetPasswordChar(PasswordChar);
    if (!ErrorMessage.isEmpty()) form.ErrorMessage = ErrorMessage;
    if (prompt_.Exec(form) != QDialog::Accepted) return false;
    Value = form.Value;
    return true;
}

} // namespace vistal::ui
