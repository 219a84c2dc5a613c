// SPDX-License-Identifier: GPL-3.0-or-later
// TCoordinateForm: lays out the small number-entry dialogs (coordinates,
// Julia constant): a line of explanation, labelled edit fields one under the
// other, and &OK (the default button) with ｷｬﾝｾﾙ(&C) at the bottom right.
#pragma once

#include <QCoreApplication>
#include <QString>

class QDialog;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace vistal::ui {

class TCoordinateForm {
    Q_DECLARE_TR_FUNCTIONS(TCoordinateForm)

public:
    TCoordinateForm(QDialog* dialog, const QString& information);
    // An edit named name (its label "lbl" + the name without its "edt")
    // holding text.
    QLineEdit* AddField(const char* name, const QString& label, const QString& text);
    // The two buttons, below the fields; OK is the default.
    void AddButtons(QPushButton*& ok, QPushButton*& cancel);

private:
    QDialog* dialog_;
    QGridLayout* fields_;
};

} // namespace vistal::ui
