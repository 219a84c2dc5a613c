// SPDX-License-Identifier: GPL-3.0-or-later
// TIntegerDlg: the form of the integer input dialog (TIntegerDialog runs it).
// OK accepts a decimal 32-bit integer from Min to Max.
#pragma once

#include "ui/InputForm.h"

#include <limits>

namespace vistal::ui {

class TIntegerDlg : public TInputForm {
    Q_OBJECT

public:
    TIntegerDlg(TPrompt& prompt, QWidget* parent = nullptr);

    int Max = std::numeric_limits<int>::max();
    int Min = 0;
    // The accepted number, once OK has closed the form.
    int Value = 0;

protected:
    bool TakeValue(const QString& text) override;
};

} // namespace vistal::ui
