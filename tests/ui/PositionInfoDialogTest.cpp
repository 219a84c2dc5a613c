// SPDX-License-Identifier: GPL-3.0-or-later
// The position window: the extent with the smaller imaginary part first, the
// selectable values and the Julia row that only Julia sets fill.
#include "ui/PositionInfoDialog.h"
#include "locations/ViewText.h"
#include "support/FakeView.h"
#include "support/RecordingPrompt.h"
#include "ui/NumberText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vistal::test {

TEST(PositionDialog, ShowsTheViewAndFillsTheJuliaRowOnlyForJuliaSets) {
    TRecordingPrompt prompt;
    TFakeExplorer x;
    TVistal& engine = x.explorer.Engine();
    engine.SetWidth(300);
    engine.SetHeight(200);
    ui::TfrmPositionInfoDialog form(x.explorer, prompt);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("びすたる座標"));
    EXPECT_EQ(form.lblRealP->text(), ui::FloatText(engine.GetPointP().Re));
    EXPECT_EQ(form.lblRealQ->text(), ui::FloatText(engine.GetPointQ().Re));
    EXPECT_EQ(form.lblImagQ->text(), QStringLiteral("-1.5"));
    EXPECT_EQ(form.lblImagP->text(), QStringLiteral("1.5"));
    EXPECT_EQ(form.edtRealCenter->text(), QStringLiteral("-0.8"));
    EXPECT_EQ(form.edtWidth->text(), QStringLiteral("3"));
    EXPECT_TRUE(form.edtWidth->isReadOnly());
    EXPECT_FALSE(form.edtWidth->hasFrame());
    EXPECT_TRUE(form.edtJuliaConstReal->text().isEmpty());
    EXPECT_FALSE(form.edtJuliaConstReal->isEnabled());
    EXPECT_FALSE(form.lblJuliaConst->isEnabled());

    engine.ChangeFormula();
    engine.SetJuliaSeed({-0.75, 0.125});
    form.Refresh();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("じゅりあ座標"));
    EXPECT_EQ(form.edtJuliaConstReal->text(), QStringLiteral("-0.75"));
    EXPECT_EQ(form.edtJuliaConstImag->text(), QStringLiteral("0.125"));
    EXPECT_TRUE(form.edtJuliaConstImag->isEnabled());
    EXPECT_TRUE(form.lblJuliaConst->isEnabled());

    form.bbnClose->click();
    EXPECT_FALSE(form.isVisible());
}

TEST(PositionDialog, ShowsADeepViewsCornersWithTheCentresDigits) {
    TRecordingPrompt prompt;
    TFakeExplorer x;
    TVistal& engine = x.explorer.Engine();
    engine.SetWidth(300);
    engine.SetHeight(200);
    engine.SetPosition(ReadDeepView("-1.5", "0", "1e-100").value());
    ui::TfrmPositionInfoDialog form(x.explorer, prompt);
    // Half the width is 7.5e-101 and half the span 5e-101.
    const QString zeros(99, QLatin1Char('0'));
    EXPECT_EQ(form.lblRealP->text(), "-1.5" + zeros + "75");
    EXPECT_EQ(form.lblRealQ->text(), "-1.4" + QString(99, QLatin1Char('9')) + "25");
    EXPECT_EQ(form.lblImagP->text(), "0.0" + zeros + "5");
    EXPECT_EQ(form.lblImagQ->text(), "-0.0" + zeros + "5");
    EXPECT_EQ(form.edtWidth->text(), QStringLiteral("1E-100"));
}

} // namespace vistal::test
