// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmSetting: the picture-size dialog. It shows the engine's width and
// height and closes with OK only on two positive integers, which it keeps as
// NewWidth and NewHeight for the window to apply.
#pragma once

#include "engine/vistal_class.h"
#include "ui/Prompt.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vistal::ui {

class TfrmSetting : public QDialog {
    Q_OBJECT

public:
    TfrmSetting(const TVistal& engine, TPrompt& prompt, QWidget* parent = nullptr);

    QLineEdit* edtWidth;
    QLineEdit* edtHeight;
    QPushButton* bbnOk;
    QPushButton* bbnCancel;

    // The accepted size, once OK has closed the dialog.
    int NewWidth = 0;
    int NewHeight = 0;

private:
    void bbnOkClick();

    TPrompt& prompt_;
};

} // namespace vistal::ui
