// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmMove: the coordinate dialog. It shows the explorer's centre and width
// and on OK moves the view there: an empty field keeps that value, a width of 0
// keeps the width, a negative width counts by its size. A text that is not a
// number is reported and keeps the dialog open; what was set before it stays
// set.
#pragma once

#include "ui/Explorer.h"
#include "ui/Prompt.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vistal::ui {

class TfrmMove : public QDialog {
    Q_OBJECT

public:
    TfrmMove(TExplorer& explorer, TPrompt& prompt, QWidget* parent = nullptr);

    QLineEdit* edtReal;
    QLineEdit* edtImag;
    QLineEdit* edtWidth;
    QPushButton* bbnOk;
    QPushButton* bbnCancel;

private:
    void bbnOkClick();

    TExplorer& explorer_;
    TPrompt& prompt_;
};

} // namespace vistal::ui
