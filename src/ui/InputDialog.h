// SPDX-License-Identifier: GPL-3.0-or-later
// TIntegerDialog: the reusable integer input dialog. The owner sets the
// caption, the prompt and the limits, calls Execute and reads Value. Each
// Execute builds a fresh TIntegerDlg, runs it through the prompt and drops it.
#pragma once

#include "ui/Prompt.h"

#include <QObject>
#include <QString>
#include <limits>

namespace vistal::ui {

class TIntegerDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QString Information MEMBER Information)
    Q_PROPERTY(QChar PasswordChar MEMBER PasswordChar)
    Q_PROPERTY(QString ErrorMessage MEMBER ErrorMessage)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Min READ Min WRITE SetMin)

public:
    explicit TIntegerDialog(TPrompt& prompt, QObject* parent = nullptr);

    QString Caption;      // empty: the application's title
    QString Information;  // empty: "整数値を入力してください"
    QChar PasswordChar;   // null: the text is shown as typed
    QString ErrorMessage; // empty: "整数値を入力してください"

    int Max() const { return max_; }
    // Lowers Min to the new Max when it lies above it.
    void SetMax(int value);
    int Min() const { return min_; }
    // Raises Max to the new Min when it lies below it.
    void SetMin(int value);

    // The number accepted by the last Execute that answered true.
    int Value = 0;

    // Shows the dialog modally (the form is parented to the prompt's window);
    // true with Value set when it closed with OK.
    bool Execute();

private:
    TPrompt& prompt_;
    int max_ = std::numeric_limits<int>::max();
    int min_ = 0;
};

} // namespace vistal::ui
