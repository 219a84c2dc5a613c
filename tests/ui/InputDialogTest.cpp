// SPDX-License-Identifier: GPL-3.0-or-later
// The input components: their limits, their refusals (asterisk sound and error
// box, the form staying open) and what Execute hands back.
#include "ui/InputDialog.h"
#include "support/DialogDriver.h"
#include "support/RecordingPrompt.h"
#include "ui/InputFloatDialog.h"

#include <QLabel>

namespace vistal::test {

TEST(IntegerDialog, RefusesTooSmallAndUnparsableTextAndStaysOpen) {
    TRecordingPrompt prompt;
    prompt.ExpectErrors(3);
    ui::TIntegerDialog dialog(prompt);
    dialog.Caption = QStringLiteral("びすたる");
    dialog.ErrorMessage = QStringLiteral("整数値を入れてください");
    dialog.Information = QStringLiteral("繰り返し回数（現在値：256）");
    dialog.SetMin(1);
    prompt.DialogAnswers.push_back([&](QDialog& form) {
        form.show();
        EXPECT_EQ(form.windowTitle(), QStringLiteral("びすたる"));
        EXPECT_EQ(Child<QLabel>(form, "Information")->text(), QStringLiteral("繰り返し回数（現在値：256）"));
        Type(form, "InputValue", QStringLiteral("0"));
        Press(form, "OKBtn");
        EXPECT_TRUE(form.isVisible());
        Type(form, "InputValue", QStringLiteral("abc"));
        Press(form, "OKBtn");
        Type(form, "InputValue", QStringLiteral("2147483648")); // beyond 32 bits: not an integer
        Press(form, "OKBtn");
        EXPECT_TRUE(form.isVisible());
        Type(form, "InputValue", QStringLiteral(" 4096 "));
        Press(form, "OKBtn");
        EXPECT_FALSE(form.isVisible());
        return form.result();
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Value, 4096);
    EXPECT_EQ(prompt.Errors, (QStringList{QStringLiteral("値が小さすぎます\n1 以上の数値を入力して下さい"),
                                          QStringLiteral("整数値を入れてください"),
                                          QStringLiteral("整数値を入れてください")}));
    EXPECT_EQ(prompt.Beeps, 3);
}

TEST(IntegerDialog, LimitsPushEachOtherAndDefaultsFillTheForm) {
    TRecordingPrompt prompt;
    prompt.ExpectErrors(2);
    ui::TIntegerDialog dialog(prompt);
    EXPECT_EQ(dialog.Max(), 2147483647);
    dialog.SetMax(10);
    dialog.SetMin(20);
    EXPECT_EQ(dialog.Max(), 20);
    dialog.SetMax(5);
    EXPECT_EQ(dialog.Min(), 5);
    dialog.Value = 77;
    prompt.DialogAnswers.push_back([&](QDialog& form) {
        EXPECT_EQ(Child<QLabel>(form, "Information")->text(), QStringLiteral("整数値を入力してください"));
        Type(form, "InputValue", QStringLiteral("6"));
        Press(form, "OKBtn");
        EXPECT_EQ(prompt.Errors.last(), QStringLiteral("値が大きすぎます\n5 以下の数値を入力して下さい"));
        Type(form, "InputValue", QStringLiteral("x"));
        Press(form, "OKBtn");
        EXPECT_EQ(prompt.Errors.last(), QStringLiteral("整数値を入力してください"));
        Press(form, "CancelBtn");
        return form.result();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Value, 77);
}

TEST(InputFloatDialog, RefusesTooLargeAndTakesEmptyTextAsCancel) {
    TRecordingPrompt prompt;
    prompt.ExpectErrors(2);
    ui::TInputFloatDialog dialog(prompt);
    dialog.SetMin(-100.0);
    dialog.SetMax(100.0);
    prompt.DialogAnswers.push_back([&](QDialog& form) {
        form.show();
        Type(form, "InputValue", QStringLiteral("150"));
        Press(form, "OKBtn");
        EXPECT_TRUE(form.isVisible());
        Type(form, "InputValue", QStringLiteral("-100.5"));
        Press(form, "OKBtn");
        Type(form, "InputValue", QStringLiteral("-2.5e1"));
        Press(form, "OKBtn");
        return form.result();
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Value, -25.0);
    EXPECT_EQ(prompt.Errors,
              (QStringList{QStringLiteral("値が大きすぎます\n100 以下の数値を入力して下さい"),
                           QStringLiteral("値が小さすぎます\n-100 以上の数値を入力して下さい")}));
    EXPECT_EQ(prompt.Beeps, 2);

    prompt.DialogAnswers.push_back([&](QDialog& form) {
        form.show();
        Type(form, "InputValue", QString());
        Press(form, "OKBtn");
        EXPECT_FALSE(form.isVisible());
        return form.result();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(prompt.Errors.size(), 2);
}

} // namespace vistal::test
