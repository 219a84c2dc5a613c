// SPDX-License-Identifier: GPL-3.0-or-later
// TInputFloatDialog: the reusable real input dialog. The owner sets the
// caption, the prompt and the limits, calls Execute and reads Value. Each
// Execute builds a fresh TfrmInputFloatDialog, runs it through the prompt and
// drops it.
#pragma once

#include "ui/Prompt.h"

#include <QObject>
#include <QString>

namespace vistal::ui {

class TInputFloatDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QString Information MEMBER Information)
    Q_PROPERTY(QChar PasswordChar MEMBER PasswordChar)
    Q_PROPERTY(QString ErrorMessage MEMBER ErrorMessage)
    Q_PROPERTY(double Max READ Max WRITE SetMax)
    Q_PROPERTY(double Min READ Min WRITE SetMin)

public:
    explicit TInputFloatDialog(TPrompt& prompt, QObject* parent = nullptr);

    QString Caption;      // empty: the application's title
    QString Information;  // empty: "数値を入力してください"
    QChar PasswordChar;   // null: the text is shown as typed
    QString ErrorMessage; // empty: "数値を入力してください"

    double Max() const { return max_; }
    // Lowers Min to the new Max when it lies above it.
    void SetMax(double value);
    double Min() const { return min_; }
    // Raises Max to the new Min when it lies below it.
    void SetMin(double value);

    // The number accepted by the last Execute that answered true.
    double Value = 0.0;

    // Shows the dialog modally (the form is parented to the prompt's window);
    // true with Value set when it closed with OK.
    bool Execute();

private:
    TPrompt& prompt_;
    double max_ = 2147483647.0;
    double min_ = 0.0;
};

} // namespace vistal::ui
