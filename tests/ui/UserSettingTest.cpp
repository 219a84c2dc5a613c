// SPDX-License-Identifier: GPL-3.0-or-later
// The picture-size dialog: two positive integers or it stays open.
#include "ui/UserSetting.h"
#include "support/RecordingPrompt.h"

#include <QLineEdit>
#include <QPushButton>

namespace vistal::test {

TEST(SizeDialog, TakesOnlyTwoPositiveIntegers) {
    TRecordingPrompt prompt;
    prompt.ExpectErrors(2);
    TVistal engine;
    engine.SetWidth(320);
    engine.SetHeight(240);
    ui::TfrmSetting form(engine, prompt);
    form.show();
    EXPECT_EQ(form.edtWidth->text(), QStringLiteral("320"));
    EXPECT_EQ(form.edtHeight->text(), QStringLiteral("240"));
    form.edtWidth->setText(QStringLiteral("0"));
    form.bbnOk->click();
    form.edtWidth->setText(QStringLiteral("640"));
    form.edtHeight->setText(QStringLiteral("480.5"));
    form.bbnOk->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(prompt.Errors, (QStringList{QStringLiteral("サイズは正の整数を指定してください"),
                                          QStringLiteral("整数値を入力してください")}));
    form.edtHeight->setText(QStringLiteral("480"));
    form.bbnOk->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.NewWidth, 640);
    EXPECT_EQ(form.NewHeight, 480);
    EXPECT_EQ(engine.Width(), 320); // the window applies the size, not the dialog
}

} // namespace vistal::test
