// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmSetJuliaConstDialog: the Julia constant dialog. It shows the explorer's
// Julia constant and on OK sets it: an empty field keeps that part. A text that is
// not a number is reported and keeps the dialog open.
#pragma once

#include "ui/Explorer.h"
#include "ui/Prompt.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vistal::ui {

class TfrmSetJuliaConstDialog : public QDialog {
    Q_OBJECT

public:
    TfrmSetJuliaConstDialog(TExplorer& explorer, TPrompt& prompt, QWidget* parent = nullptr);

    QLineEdit* edtReal;
    QLineEdit* edtImag;
    QPushButton* bbnOk;
    QPushButton* bbnCancel;

private:
    void bbnOkClick();

    TExplorer& explorer_;
    TPrompt& prompt_;
};

} // namespace vistal::ui
