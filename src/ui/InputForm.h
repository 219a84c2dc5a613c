// SPDX-License-Identifier: GPL-3.0-or-later
// TInputForm: what the integer and the real input forms share. A prompt above
// one edit field, &OK and ｷｬﾝｾﾙ(&C). OK with an empty field closes the form as
// cancelled; otherwise the form checks the text and either closes with OK or
// refuses it (asterisk sound and error box) and stays open.
#pragma once

#include "ui/Prompt.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vistal::ui {

class TInputForm : public QDialog {
    Q_OBJECT

public:
    QLabel* Information;
    QLineEdit* InputValue;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // Shown when the text is not a number.
    QString ErrorMessage;

    // A character shown in place of each typed one; a null character shows
    // the text as typed.
    void SetPasswordChar(QChar c);

protected:
    TInputForm(TPrompt& prompt, QWidget* parent);
    // Takes the text when it is acceptable; otherwise refuses it with Refuse
    // and answers false.
    virtual bool TakeValue(const QString& text) = 0;
    // The asterisk sound, then the error box with the message.
    void Refuse(const QString& message);

private:
    void OKBtnClick();

    TPrompt& prompt_;
};

} // namespace vistal::ui
