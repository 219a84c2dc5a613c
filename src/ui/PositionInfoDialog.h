// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmPositionInfoDialog: the modeless window that shows where the view is:
// the real and imaginary extent of the picture, its centre and width and, for
// Julia sets, the constant. The values sit in read-only borderless edits so
// they can be selected and copied. Refresh brings it up to date with the
// explorer's view; 閉じる hides it.
#pragma once

#include "ui/Explorer.h"
#include "ui/Prompt.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vistal::ui {

class TfrmPositionInfoDialog : public QDialog {
    Q_OBJECT

public:
    // Shows the explorer's view from the start.
    TfrmPositionInfoDialog(const TExplorer& explorer, TPrompt& prompt, QWidget* parent = nullptr);

    // The extent: selectable values, like the centre's, since a deep view's
    // corners have hundreds of digits.
    QLineEdit* lblRealP;
    QLineEdit* lblRealQ;
    QLineEdit* lblImagQ;
    QLineEdit* lblImagP;
    QLineEdit* edtRealCenter;
    QLineEdit* edtImagCenter;
    QLineEdit* edtWidth;
    QLabel* lblJuliaConst;
    QLineEdit* edtJuliaConstReal;
    QLineEdit* edtJuliaConstImag;
    QPushButton* bbnClose;

    // Caption, extent, centre, width and Julia constant of the view.
    void Refresh();

private:
    QList<QLabel*> juliaMarks_; // the brackets and the comma of the Julia row
    const TExplorer& explorer_;
    TPrompt& prompt_;
};

} // namespace vistal::ui
