// SPDX-License-Identifier: GPL-3.0-or-later
// The draw-setting window: it shows the engine after every drawing and when it
// is shown, applies its values through the menus' operations in order, stops
// at the first value it cannot apply, and switches to the Julia set.
#include "ui/DrawSettingDialog.h"
#include "support/MainWindowDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

namespace vistal::test {

using ui::TfrmDrawSettingDialog;

class DrawSetting : public MainWindow {
protected:
    // The window with its draw-setting dialog, created as the program does:
    // before the start-up drawings.
    TfrmMain& Open() {
        window = std::make_unique<TfrmMain>(&prompt);
        window->CreateDialogs({});
        dialog = window->frmDrawSettingDialog();
        window->show();
        window->Command([this] { window->FormActivate(); });
        QCoreApplication::processEvents();
        return *window;
    }
    // 再描画 with the drawing stopped at its first row: the values are
    // applied, nothing slow is drawn.
    void ApplyAndStop() {
        AtRow(*window, 1, [this] { window->Explorer().Abort(); });
        dialog->bbnReDraw->click();
    }
    std::vector<QWidget*> Extended() const {
        const TfrmDrawSettingDialog& d = *dialog;
        return {d.cmbDrawModeExt, d.cmbCompo,          d.cmbBright, d.cmbCorrection,
                d.cmbLightDark,   d.cmbRepresentation, d.cmbEscape};
    }

    TfrmDrawSettingDialog* dialog = nullptr; // the window's
};

TEST_F(DrawSetting, ShowsTheEngineAtEveryDrawingAndWhenShown) {
    TfrmMain& w = Open();
    TfrmDrawSettingDialog& d = *dialog;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("描画設定"));
    EXPECT_FALSE(d.isVisible());
    // The start-up values.
    EXPECT_EQ(d.cmbType->currentText(), QStringLiteral("びすたる"));
    EXPECT_TRUE(d.rdbBasic->isChecked());
    EXPECT_EQ(d.cmbDrawModeBasic->currentText(), QStringLiteral("普通"));
    EXPECT_EQ(d.cmbCompo->currentText(), QStringLiteral("あり"));
    EXPECT_EQ(d.cmbEscape->currentIndex(), 2);
    EXPECT_EQ(d.cmbPower->currentText(), QStringLiteral("標準(2)"));
    EXPECT_EQ(d.txtBrightnessRaito->text(), "0");
    EXPECT_TRUE(d.cmbDrawModeBasic->isEnabled());
    for (QWidget* control : Extended())
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();

    // A drawing started from the menus brings the dialog up to date.
    Action(w, "mnuOptionModePotential2")->trigger();
    w.Explorer().SelectCorrection(-2);
    w.mnuFileDraw->trigger();
    EXPECT_TRUE(d.rdbExt->isChecked());
    EXPECT_EQ(d.cmbDrawModeExt->currentText(), QStringLiteral("ポテンシャル2"));
    EXPECT_FALSE(d.cmbDrawModeBasic->isEnabled());
    for (QWidget* control : Extended())
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(d.lblDrawMode->buddy(), d.rdbExt);
    EXPECT_EQ(d.cmbCorrection->currentIndex(), -1);
    EXPECT_EQ(d.cmbCorrection->currentText(), "-2");

    // Values changed without a drawing show when the dialog is shown.
    Action(w, "mnuOptionIteration200000")->trigger();
    Action(w, "mnuOptionModeMixedNone")->trigger();
    w.mnuOptionDrawSetting->trigger();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.cmbIteration->currentIndex(), -1);
    EXPECT_EQ(d.cmbIteration->currentText(), "200000");
    EXPECT_EQ(d.cmbCompo->currentText(), QStringLiteral("なし"));

    // Applied unchanged, the typed values are read back; あり is DrawCompo 1.
    d.cmbCompo->setCurrentIndex(0);
    ApplyAndStop();
    EXPECT_EQ(w.Vistal().Iteration(), 200000);
    EXPECT_EQ(w.Vistal().Correction(), -2);
    EXPECT_EQ(w.Vistal().DrawCompo, 1);
    EXPECT_EQ(w.Vistal().DrawMode, dmPotential2);
    EXPECT_TRUE(w.mnuOptionModeCorrectionUser->isChecked());
    EXPECT_TRUE(Action(w, "mnuOptionModeMixedExist")->isChecked());
    EXPECT_TRUE(Action(w, "mnuOptionIteration200000")->isChecked());
    EXPECT_TRUE(prompt.Errors.isEmpty());

    // 基本 again: the label of the method points at it.
    d.rdbBasic->click();
    EXPECT_EQ(d.lblDrawMode->buddy(), d.rdbBasic);
    EXPECT_TRUE(d.cmbDrawModeBasic->isEnabled());
    EXPECT_FALSE(d.cmbEscape->isEnabled());

    d.bbnClose->click();
    EXPECT_FALSE(d.isVisible());
    w.mnuOptionDrawSetting->trigger();
    EXPECT_TRUE(d.isVisible());
}

TEST_F(DrawSetting, AppliesEveryValueThroughTheMenusAndDraws) {
    TfrmMain& w = Open();
    TfrmDrawSettingDialog& d = *dialog;
    w.mnuOptionDetailAuto->trigger();
    const std::size_t pushed = w.Explorer().History().Count();
    const int drawings = w.Explorer().DrawingsStarted();

    d.rdbExt->click();
    d.cmbDrawModeExt->setCurrentIndex(3);
    d.cmbCompo->setCurrentIndex(1);
    d.cmbBright->setCurrentIndex(2);
    d.cmbCorrection->setEditText("2.5");
    d.cmbLightDark->setCurrentIndex(1);
    d.cmbRepresentation->setCurrentIndex(1);
    d.cmbEscape->setEditText("100");
    d.cmbIteration->setCurrentIndex(2);
    d.cmbDetail->setEditText(" 7 ");
    d.cmbPower->setCurrentIndex(2);
    d.ckbShadeOff->setChecked(true);
    d.txtBrightnessRaito->setText("1.5");
    d.bbnReDraw->click();

    const TVistal& e = w.Vistal();
    EXPECT_TRUE(prompt.Errors.isEmpty()) << prompt.Errors.join('\n').toStdString();
    EXPECT_EQ(e.DrawMode, dmPotential3);
    EXPECT_EQ(e.DrawCompo, 0);
    EXPECT_EQ(e.PotentialBright, 2);
    EXPECT_EQ(e.Correction(), 2.5);
    EXPECT_EQ(e.LightDark, 1);
    EXPECT_EQ(e.Represent, 1);
    EXPECT_EQ(e.Escape(), 100);
    EXPECT_EQ(e.Iteration(), 4096);
    EXPECT_EQ(e.Detail(), 7);
    EXPECT_FALSE(w.Explorer().DetailAuto());
    EXPECT_EQ(e.Pow(), 4);
    EXPECT_EQ(e.Center(), (TComplex{-0.8, 0})); // the exponent changes without a new view
    EXPECT_TRUE(e.ShadeOff);
    EXPECT_EQ(e.BrightnessRaite(), 1.0);
    for (QAction* checked : {w.mnuOptionModeExt->menuAction(), Action(w, "mnuOptionModePotential3"),
                             Action(w, "mnuOptionModeMixedNone"), Action(w, "mnuOptionModeBright3"),
                             w.mnuOptionModeCorrectionUser, Action(w, "mnuOptionModeLightDark2"),
                             Action(w, "mnuOptionModeRepresentation2"), w.mnuOptionModeEscapeUser,
                             Action(w, "mnuOptionIteration4096"), w.mnuOptionDetailUser,
                             Action(w, "mnuOptionPower4"), w.mnuOptionShadeOff})
        EXPECT_TRUE(checked->isChecked()) << checked->objectName().toStdString();

    // An ordinary drawing: the previous view enters the history, and the
    // dialog shows what the engine made of the values.
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 1);
    EXPECT_EQ(w.Explorer().History().Count(), pushed + 1);
    EXPECT_EQ(d.txtBrightnessRaito->text(), "1");
    EXPECT_EQ(d.cmbDetail->currentText(), "7");
    EXPECT_EQ(e.DrawBitmap(), StartupPicture([](TVistal& r) {
                  r.DrawMode = dmPotential3;
                  r.DrawCompo = 0;
                  r.PotentialBright = 2;
                  r.SetCorrection(2.5);
                  r.LightDark = 1;
                  r.Represent = 1;
                  r.SetEscape(100);
                  r.SetIteration(4096);
                  r.SetDetail(7);
                  r.SetPow(4);
              }));
}

TEST_F(DrawSetting, JuliaTakesTheCentreAndStartsAtItsHomeView) {
    TfrmMain& w = Open();
    TfrmDrawSettingDialog& d = *dialog;
    Click(w, {50, 60});
    const TComplex centre = w.Vistal().Center();
    const std::size_t pushed = w.Explorer().History().Count();

    d.cmbType->setCurrentIndex(1);
    d.bbnReDraw->click();
    const TVistal& e = w.Vistal();
    EXPECT_EQ(e.Formula(), fmJulia);
    EXPECT_EQ(e.JuliaSeed(), centre);
    EXPECT_EQ(e.Center(), (TComplex{0, 0}));
    EXPECT_EQ(e.ImSpan(), 4.0);
    EXPECT_EQ(w.Explorer().History().Count(), pushed + 1);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("じゅりあ"));
    EXPECT_EQ(e.DrawBitmap(), StartupPicture([&](TVistal& r) {
                  r.SetCenter(centre);
                  r.ChangeFormula();
              }));

    // Back to the Mandelbrot set at its home view; the dialog follows.
    w.mnuOptionChange->trigger();
    EXPECT_EQ(e.Formula(), fmMandelbrot);
    EXPECT_EQ(d.cmbType->currentText(), QStringLiteral("びすたる"));
    EXPECT_EQ(e.DrawBitmap(), StartupPicture());
}

TEST_F(DrawSetting, AValueThatCannotBeAppliedEndsTheApplyWithoutADrawing) {
    TfrmMain& w = Open();
    TfrmDrawSettingDialog& d = *dialog;
    const TVistal& e = w.Vistal();
    const int drawings = w.Explorer().DrawingsStarted();
    const auto press = [&](const QString& message) {
        prompt.Errors.clear();
        prompt.ExpectErrors(1);
        d.bbnReDraw->click();
        EXPECT_EQ(prompt.Errors, QStringList{message});
    };

    // Beyond 32 bits: the steps before it stay applied, the menus follow them.
    d.cmbEscape->setEditText("8192.5");
    d.cmbIteration->setEditText("4294967296");
    press(QStringLiteral("'4294967296' は整数ではありません"));
    EXPECT_EQ(e.Escape(), 8192.5);
    EXPECT_TRUE(w.mnuOptionModeEscapeUser->isChecked());
    EXPECT_EQ(e.Iteration(), 256);

    // Counts the drawing cannot use.
    d.cmbIteration->setEditText("300");
    d.cmbDetail->setEditText("0");
    press(QStringLiteral("値が小さすぎます\n1 以上の数値を入力して下さい"));
    EXPECT_EQ(e.Iteration(), 300);
    EXPECT_EQ(e.Detail(), 1);
    d.cmbDetail->setCurrentIndex(1);
    d.cmbPower->setEditText("1");
    press(QStringLiteral("値が小さすぎます\n2 以上の数値を入力して下さい"));
    EXPECT_EQ(e.Detail(), 2);
    EXPECT_EQ(e.Pow(), 2);

    // "." is the decimal separator whatever the locale.
    const QLocale locale;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    d.cmbPower->setEditText("3");
    d.txtBrightnessRaito->setText("0,5");
    press(QStringLiteral("'0,5' は浮動小数点数ではありません"));
    d.cmbCorrection->setEditText("1e");
    press(QStringLiteral("'1e' は浮動小数点数ではありません"));
    QLocale::setDefault(locale);
    EXPECT_EQ(e.Pow(), 3);
    EXPECT_EQ(e.BrightnessRaite(), 0.0);

    // Lists without a choice.
    d.cmbCorrection->setCurrentIndex(4);
    d.cmbDrawModeBasic->setCurrentIndex(-1);
    press(QStringLiteral("DrawMode[-1]"));
    d.cmbDrawModeBasic->setCurrentIndex(1);
    d.cmbCompo->setCurrentIndex(-1);
    press(QStringLiteral("Compo[-1]"));
    EXPECT_EQ(e.DrawMode, dmSearch);
    EXPECT_EQ(e.Correction(), 0); // after the method, never reached
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings);
}

} // namespace vistal::test
