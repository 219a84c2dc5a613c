// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmInputFloatDialog: the form of the real input dialog (TInputFloatDialog
// runs it). OK accepts a decimal real from Min to Max.
#pragma once

#include "ui/InputForm.h"

namespace vistal::ui {

class TfrmInputFloatDialog : public TInputForm {
    Q_OBJECT

public:
    TfrmInputFloatDialog(TPrompt& prompt, QWidget* parent = nullptr);

    double Max = 2147483647.0;
    double Min = 0.0;
    // The accepted number, once OK has closed the form.
    double Value = 0.0;

protected:
    bool TakeValue(const QString& text) override;
};

} // namespace vistal::ui
