// SPDX-License-Identifier: GPL-3.0-or-later
// 色0の設定: the dialog starts from the engine's colour 0, the swatch opens the
// colour picker, OK sets the engine and redraws when palette changes redraw,
// キャンセル changes nothing.
#include "support/MainWindowDriver.h"
#include "ui/UCustomColor.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace vistal::test {

using ui::TfrmCustomColor;

constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 0x00FF00;

TEST_F(MainWindow, ColourZeroCancelledChangesNothing) {
    TfrmMain& w = Start();
    const int drawings = w.Explorer().DrawingsStarted();
    bool seededCustom = true;
    TColor seededColour = 1;
    prompt.ColorAnswers.push_back(kRed);
    prompt.DialogAnswers.push_back([&](QDialog& dialog) {
        auto& f = dynamic_cast<TfrmCustomColor&>(dialog);
        seededCustom = f.UseColor0();
        seededColour = f.GetColor();
        f.rdbCustom->click();
        QTest::mouseClick(f.imgCustomColor, Qt::LeftButton);
        f.bbnCancel->click();
        return f.result();
    });
    w.mnuOptionPalletCustomColor->trigger();
    EXPECT_FALSE(seededCustom);
    EXPECT_EQ(seededColour, 0u);
    EXPECT_FALSE(w.Vistal().UseColor0);
    EXPECT_EQ(w.Vistal().Color0(), 0u);
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings);
}

TEST_F(MainWindow, ARedColourZeroPaintsThePointsThatNeverEscapeRed) {
    TfrmMain& w = Start();
    w.Vistal().SetColor0(kGreen);
    Action(w, "mnuOptionPaletteBlue")->trigger(); // whatever the palette
    const int drawings = w.Explorer().DrawingsStarted();
    TColor seededColour = 0;
    prompt.ColorAnswers.push_back(kRed);
    prompt.DialogAnswers.push_back([&](QDialog& dialog) {
        auto& f = dynamic_cast<TfrmCustomColor&>(dialog);
        EXPECT_EQ(f.windowTitle(), QStringLiteral("色0の設定"));
        EXPECT_TRUE(f.rdbStandard->isChecked());
        seededColour = f.GetColor();
        f.rdbCustom->click();
        QTest::mouseClick(f.imgCustomColor, Qt::LeftButton);
        f.bbnOK->click();
        return f.result();
    });
    w.mnuOptionPalletCustomColor->trigger();
    EXPECT_EQ(seededColour, kGreen);
    EXPECT_EQ(prompt.ColorRequests, std::vector<TColor>{kGreen}); // the picker starts at the swatch's colour
    EXPECT_TRUE(w.Vistal().UseColor0);
    EXPECT_EQ(w.Vistal().Color0(), kRed);
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 1);
    EXPECT_EQ(w.Vistal().DrawBitmap().Pixel(100, 100), kRed); // -0.8 is inside the set
    EXPECT_EQ(w.Vistal().DrawBitmap(), StartupPicture([](TVistal& e) {
                  e.SetPaletteBlue();
                  e.UseColor0 = true;
                  e.SetColor0(kRed);
              }));

    // Without ﾊﾟﾚｯﾄ選択で再描画 the choice waits for the next drawing.
    w.mnuOptionPaletteRedraw->trigger();
    prompt.DialogAnswers.push_back([](QDialog& dialog) {
        auto& f = dynamic_cast<TfrmCustomColor&>(dialog);
        EXPECT_TRUE(f.rdbCustom->isChecked());
        f.rdbStandard->click();
        f.bbnOK->click();
        return f.result();
    });
    w.mnuOptionPalletCustomColor->trigger();
    EXPECT_FALSE(w.Vistal().UseColor0);
    EXPECT_EQ(w.Vistal().Color0(), kRed);
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 1);
    EXPECT_EQ(w.Vistal().DrawBitmap().Pixel(100, 100), kRed);
}

} // namespace vistal::test
