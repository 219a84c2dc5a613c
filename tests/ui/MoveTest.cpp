// SPDX-License-Identifier: GPL-3.0-or-later
// The coordinate and Julia constant dialogs: empty fields keep values, the
// width's special cases, and a bad number reported with the dialog left open.
#include "ui/Move.h"
#include "support/DrawSupport.h"
#include "support/FakeView.h"
#include "support/RecordingPrompt.h"
#include "ui/SetJuliaConstDialog.h"

#include <QCoreApplication>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>

namespace vistal::test {

TEST(MoveDialog, EmptyFieldsAndAZeroWidthKeepTheirValues) {
    TRecordingPrompt prompt;
    TFakeExplorer x;
    TVistal& engine = x.explorer.Engine();
    engine.SetCenter({0.25, -0.5});
    engine.SetImSpan(2.568105e-8);
    {
        ui::TfrmMove form(x.explorer, prompt);
        form.show();
        EXPECT_EQ(form.edtReal->text(), QStringLiteral("0.25"));
        EXPECT_EQ(form.edtWidth->text(), QStringLiteral("2.568105E-8"));
        form.edtReal->clear();
        form.edtImag->setText(QStringLiteral("0.75"));
        form.edtWidth->clear();
        form.bbnOk->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(engine.Center(), (TComplex{0.25, 0.75}));
        EXPECT_EQ(engine.ImSpan(), 2.568105e-8);
    }
    for (const auto& [width, span] : {std::pair{"0", 2.568105e-8}, std::pair{"-0.5", 0.5}}) {
        ui::TfrmMove form(x.explorer, prompt);
        form.show();
        form.edtWidth->setText(QString::fromLatin1(width));
        form.bbnOk->click();
        EXPECT_EQ(engine.ImSpan(), span) << width;
    }
    EXPECT_TRUE(prompt.Errors.isEmpty());
}

TEST(MoveDialog, ABadNumberIsReportedAndWhatCameBeforeStaysSet) {
    TRecordingPrompt prompt;
    prompt.ExpectErrors(1);
    TFakeExplorer x;
    TVistal& engine = x.explorer.Engine();
    const double span = engine.ImSpan();
    ui::TfrmMove form(x.explorer, prompt);
    form.show();
    form.edtReal->setText(QStringLiteral("1"));
    form.edtImag->setText(QStringLiteral("2"));
    form.edtWidth->setText(QStringLiteral("1,5"));
    form.bbnOk->click();
    EXPECT_EQ(prompt.Errors, QStringList{QStringLiteral("'1,5' は浮動小数点数ではありません")});
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(engine.Center(), (TComplex{1.0, 2.0}));
    EXPECT_EQ(engine.ImSpan(), span);
}

TEST(MoveDialog, TakesEveryDigitOfADeepCentreAndShowsWhatTheViewNeeds) {
    TRecordingPrompt prompt;
    TFakeExplorer x;
    TVistal& engine = x.explorer.Engine();
    engine.SetWidth(64);
    engine.SetHeight(48);
    QFile file(QString::fromStdString(DeepDataFile("deep320.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string centre = file.readAll().toStdString();
    const std::string re = centre.substr(0, centre.find(','));
    {
        ui::TfrmMove form(x.explorer, prompt);
        form.edtReal->setText(QString::fromStdString(re));
        form.edtImag->setText(QStringLiteral("0.1"));
        form.edtWidth->setText(QStringLiteral("1E-100"));
        form.bbnOk->click();
    }
    EXPECT_EQ(engine.Position().Re.Compare(*TDeepPosition::ParseCoordinate(re)), 0);
    EXPECT_EQ(engine.Position().ImText(48), "0.1"); // not the 64 bits nearest to it
    ui::TfrmMove again(x.explorer, prompt);
    EXPECT_EQ(again.edtWidth->text(), QStringLiteral("1E-100"));
    // To 1e-5 of a pixel: 107 decimals.
    EXPECT_EQ(again.edtReal->text().toStdString(), engine.Position().ReText(48));
    EXPECT_GT(again.edtReal->text().size(), 100);
    // Shown from its start, and still replaced as a whole when tabbed into.
    QFocusEvent tabbedInto(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(again.edtImag, &tabbedInto);
    EXPECT_EQ(again.edtImag->cursorPosition(), 0);
    EXPECT_EQ(again.edtImag->selectedText(), again.edtImag->text());
    EXPECT_TRUE(prompt.Errors.isEmpty());
}

TEST(JuliaConstDialog, SetsTheFilledPartsAndReportsABadOne) {
    TRecordingPrompt prompt;
    prompt.ExpectErrors(1);
    TFakeExplorer x;
    TVistal& engine = x.explorer.Engine();
    engine.ChangeFormula();
    engine.SetJuliaSeed({-0.75, 0.125});
    ui::TfrmSetJuliaConstDialog form(x.explorer, prompt);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("じゅりあ定数の設定"));
    EXPECT_EQ(form.edtImag->text(), QStringLiteral("0.125"));
    form.edtReal->setText(QStringLiteral("abc"));
    form.bbnOk->click();
    EXPECT_EQ(prompt.Errors, QStringList{QStringLiteral("'abc' は浮動小数点数ではありません")});
    EXPECT_TRUE(form.isVisible());
    form.edtReal->setText(QStringLiteral("0.3"));
    form.edtImag->clear();
    form.bbnOk->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(engine.JuliaSeed(), (TComplex{0.3, 0.125}));
}

} // namespace vistal::test
