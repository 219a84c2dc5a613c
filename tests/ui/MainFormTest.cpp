// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with real widgets, as the view of the explorer: what the
// start-up shows, the repaint timer, the mouse and the wheel reaching the
// explorer, the marks of a drawing stopped from inside it, closing, full
// screen and the settings file. The rules themselves are the explorer's
// (ExplorerTest.cpp).
#include "support/MainWindowDriver.h"
#include "ui/PaintBox.h"
#include "ui/PictureImage.h"
#include "ui/PositionInfoDialog.h"
#include "ui/StatusPanel.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>
#include <memory>

namespace vistal::test {

TEST_F(MainWindow, StartsShowingTheStartUpPicture) {
    TfrmMain& w = Start();
    EXPECT_EQ(Shown(w), ui::ImageOf(w.Vistal().DrawBitmap()).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(w.ptbVistal->size(), QSize(200, 200));
    EXPECT_EQ(w.height(), w.menuBar()->height() + 25 + 200 + 19);
    EXPECT_EQ(w.ptbVistal->mapTo(&w, QPoint(0, 0)).x(), (w.width() - 200) / 2); // centred
    EXPECT_EQ(Panel(0), "256");
    EXPECT_EQ(Panel(1), "1");
    EXPECT_EQ(Panel(2), QStringLiteral("標準"));
    EXPECT_TRUE(Panel(3).endsWith(QStringLiteral(" 秒")));
    EXPECT_FALSE(w.spbBack->isEnabled());
    EXPECT_FALSE(w.spbAbort->isEnabled());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("びすたる"));
    for (QAction* checked :
         {Action(w, "mnuOptionIteration256"), w.mnuOptionPaletteRedraw, w.ViewToolBar, w.ViewStatusbar})
        EXPECT_TRUE(checked->isChecked()) << checked->objectName().toStdString();
    EXPECT_FALSE(w.ViewFullScreen->isChecked());
    EXPECT_TRUE(w.ViewFullScreen->isEnabled());
}

TEST_F(MainWindow, TheRefreshChoiceReachesTheRunningTimer) {
    TfrmMain& w = Start();
    Action(w, "mnuOptionRefreshNo")->trigger();
    bool before = true, after = false;
    int interval = 0;
    AtRow(w, 5, [&] {
        before = w.timDraw->isActive();
        Action(w, "mnuOptionRefresh3")->trigger();
        after = w.timDraw->isActive();
        interval = w.timDraw->interval();
    });
    w.Vistal().SetCenter({-0.5, 0.1});
    w.mnuFileDraw->trigger();
    EXPECT_FALSE(before);
    EXPECT_TRUE(after);
    EXPECT_EQ(interval, 300);
    EXPECT_FALSE(w.timDraw->isActive());
    EXPECT_TRUE(Action(w, "mnuOptionRefresh3")->isChecked());
}

TEST_F(MainWindow, AClickZoomsAndBackReturnsWithoutEnteringTheHistory) {
    TfrmMain& w = Start();
    w.CreateDialogs({});
    ui::TfrmPositionInfoDialog& position = *w.frmPositionInfoDialog();
    Click(w, {50, 60});
    EXPECT_EQ(position.edtWidth->text(), "1.5"); // brought up to date by the drawing
    w.mnuOptionPosition->trigger();
    EXPECT_TRUE(position.isVisible());
    EXPECT_EQ(w.Vistal().DrawBitmap(), StartupPicture([](TVistal& e) { e.ZoomInAt(50, 60); }));
    EXPECT_TRUE(w.spbBack->isEnabled());
    const std::size_t count = w.Explorer().History().Count();
    w.spbBack->click();
    EXPECT_EQ(w.Vistal().Center(), (TComplex{-0.8, 0}));
    EXPECT_EQ(w.Vistal().ImSpan(), 3.0);
    EXPECT_EQ(w.Explorer().History().Count(), count - 1);
    EXPECT_FALSE(w.spbBack->isEnabled());
    EXPECT_EQ(w.Vistal().DrawBitmap(), StartupPicture());
}

TEST_F(MainWindow, AbortLeavesThePartialPictureAndTheIdleTitle) {
    TfrmMain& w = Start();
    w.Vistal().DrawBitmap().FillRect(0, 0, 200, 200, 0x123456);
    QString busyTitle;
    QString progress;
    AtRow(w, 10, [&] {
        // The busy marks and the progress show once the drawing has run for
        // a while and processes events.
        EXPECT_FALSE(Panel(3).endsWith(QStringLiteral("%")));
        QTest::qSleep(60);
        w.Explorer().PumpEvents();
        busyTitle = w.windowTitle();
        progress = Panel(3);
        EXPECT_TRUE(w.spbAbort->isEnabled());
        // 中断 works by its item too, although the File menu was last opened
        // while nothing was drawing.
        w.mnuFileAbort->trigger();
    });
    w.Command([&] { w.mnuFileClick(); });
    EXPECT_FALSE(w.mnuFileAbort->isEnabled());
    w.mnuFileDraw->trigger();
    EXPECT_EQ(busyTitle, QStringLiteral("* びすたる"));
    EXPECT_TRUE(progress.endsWith(QStringLiteral("%"))) << progress.toStdString();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("びすたる"));
    EXPECT_TRUE(prompt.Errors.isEmpty());
    EXPECT_FALSE(w.Vistal().Drawing());
    const TBitmap full = StartupPicture();
    const TBitmap& partial = w.Vistal().DrawBitmap();
    EXPECT_TRUE(std::equal(full.Row(0), full.Row(0) + 200, partial.Row(0)));
    EXPECT_EQ(partial.Pixel(0, 199), 0x123456u); // never drawn
    EXPECT_EQ(Shown(w).pixel(0, 199), qRgb(0x56, 0x34, 0x12));
    EXPECT_EQ(Panel(3), QStringLiteral("中断"));
}

TEST_F(MainWindow, ClosingDuringADrawingAsksFirst) {
    TfrmMain& w = Start();
    w.Vistal().SetCenter({-0.5, 0.1});
    prompt.ConfirmAnswers = {false, true};
    AtRow(w, 5, [&] { w.close(); });
    w.mnuFileDraw->trigger();
    EXPECT_EQ(prompt.Questions, QStringList{QStringLiteral("描画中ですが終了しますか？")});
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.Vistal().DrawBitmap(), StartupPicture([](TVistal& e) { e.SetCenter({-0.5, 0.1}); }));

    w.Vistal().DrawBitmap().FillRect(0, 0, 200, 200, 0);
    AtRow(w, 5, [&] { w.close(); });
    w.mnuFileDraw->trigger();
    EXPECT_EQ(prompt.Questions.size(), 2);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.Vistal().DrawBitmap().Pixel(0, 199), 0u);
    // Closing when idle asks nothing.
    w.show();
    w.close();
    EXPECT_EQ(prompt.Questions.size(), 2);
}

TEST_F(MainWindow, TheRubberBandZoomsToWhatItShows) {
    TfrmMain& w = Start();
    // While dragging, the band is drawn in inverted pixels.
    Mouse(w.ptbVistal, QEvent::MouseButtonPress, {120, 100}, Qt::LeftButton, Qt::LeftButton);
    Mouse(w.ptbVistal, QEvent::MouseMove, {80, 60}, Qt::NoButton, Qt::LeftButton);
    const QImage picture = ui::ImageOf(w.Vistal().DrawBitmap()).convertToFormat(QImage::Format_RGB32);
    const QImage shown = Shown(w);
    EXPECT_EQ(shown.pixel(80, 60) & 0xFFFFFF, ~picture.pixel(80, 60) & 0xFFFFFF);
    EXPECT_EQ(shown.pixel(120, 80) & 0xFFFFFF, ~picture.pixel(120, 80) & 0xFFFFFF);
    EXPECT_EQ(shown.pixel(100, 80), picture.pixel(100, 80)); // inside: untouched
    // Shift freezes it.
    Mouse(w.ptbVistal, QEvent::MouseMove, {60, 40}, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(w.Explorer().BandCorner(), (ui::TPoint{80, 60}));
    Mouse(w.ptbVistal, QEvent::MouseButtonRelease, {60, 40}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Shown(w), ui::ImageOf(w.Vistal().DrawBitmap()).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(w.Vistal().DrawBitmap(), StartupPicture([](TVistal& e) { e.ZoomTwoPoint(120, 100, 80, 60); }));

    // Centre and point.
    const TComplex centre = w.Vistal().Center();
    Action(w, "mnuOptionRubberBandCenterAndPoint")->trigger();
    EXPECT_TRUE(Action(w, "mnuOptionRubberBandCenterAndPoint")->isChecked());
    TVistal expected;
    expected.SetCenter(centre);
    expected.SetImSpan(w.Vistal().ImSpan());
    expected.ZoomCenterAndPoint(100, 100, 130, 130);
    Drag(w, {100, 100}, {130, 120}, {130, 120});
    EXPECT_EQ(w.Vistal().Center(), expected.Center());
    EXPECT_EQ(w.Vistal().ImSpan(), expected.ImSpan());
}

TEST_F(MainWindow, CtrlClickOnlyMovesAndTheWheelZoomsAboutThePointer) {
    TfrmMain& w = Start();
    Click(w, {50, 50}, Qt::LeftButton, Qt::ControlModifier);
    TVistal expected;
    expected.SetZoomFactor(1);
    expected.ZoomInAt(50, 50);
    EXPECT_EQ(w.Vistal().Center(), expected.Center());
    EXPECT_EQ(w.Vistal().ImSpan(), 3.0);
    EXPECT_EQ(w.Vistal().ZoomFactor(), 2);

    const TComplex P = w.Vistal().GetPointP();
    const double pixel = w.Vistal().ImSpan() / 200;
    const int drawings = w.Explorer().DrawingsStarted();
    const std::size_t history = w.Explorer().History().Count();
    QWheelEvent wheel(QPointF(30, 150), w.ptbVistal->mapToGlobal(QPointF(30, 150)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w.ptbVistal, &wheel);
    QTRY_COMPARE(w.Explorer().DrawingsStarted(), drawings + 1);
    EXPECT_EQ(w.Vistal().ImSpan(), 1.5);
    const TComplex Q = w.Vistal().GetPointP();
    EXPECT_NEAR(Q.Re + 30 * pixel / 2, P.Re + 30 * pixel, pixel * 1e-6);
    EXPECT_NEAR(Q.Im - 150 * pixel / 2, P.Im - 150 * pixel, pixel * 1e-6);
    EXPECT_EQ(w.Explorer().History().Count(), history + 1);
}

TEST_F(MainWindow, FullScreenAndBack) {
    TfrmMain& w = Start();
    const QPoint place = w.geometry().topLeft();
    const QSize windowed = w.size();
    QTest::keyClick(&w, Qt::Key_Escape); // windowed: nothing happens
    EXPECT_EQ(w.Vistal().Width(), 200);

    w.ViewFullScreen->trigger();
    const QSize screen = w.screen()->geometry().size();
    EXPECT_TRUE(w.ViewFullScreen->isChecked());
    EXPECT_EQ(QSize(w.Vistal().Width(), w.Vistal().Height()), screen);
    EXPECT_EQ(w.ptbVistal->size(), screen);
    EXPECT_TRUE(w.pnlToolbar->isHidden());
    EXPECT_TRUE(w.stbOption->isHidden());
    EXPECT_TRUE(w.menuBar()->isHidden());
    EXPECT_TRUE(w.isFullScreen());

    // The release of an Escape pressed in a dialog (which it closed) leaves
    // full screen alone.
    QTest::keyRelease(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.ViewFullScreen->isChecked());

    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.ViewFullScreen->isChecked());
    EXPECT_FALSE(w.isFullScreen());
    EXPECT_EQ(w.Vistal().Width(), 200);
    EXPECT_EQ(w.ptbVistal->size(), QSize(200, 200));
    EXPECT_FALSE(w.pnlToolbar->isHidden());
    EXPECT_FALSE(w.stbOption->isHidden());
    EXPECT_FALSE(w.menuBar()->isHidden());
    EXPECT_EQ(w.geometry().topLeft(), place);
    EXPECT_EQ(w.size(), windowed);
    EXPECT_EQ(w.Vistal().DrawBitmap(), StartupPicture());
}

TEST_F(MainWindow, KeysThroughTheMenuBarAndFullScreen) {
    TfrmMain& w = Start();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QWindow* keys = w.windowHandle();
    // The last menu's accelerator opens it at the window: the window is wide
    // enough for every menu.
    QTest::keyClick(keys, Qt::Key_H, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), w.mnuHelp);
    EXPECT_LT(w.mnuHelp->x() - w.x(), w.width());
    // Closed from the keyboard, the menu bar is left with the keyboard.
    QTest::keyClick(keys, Qt::Key_Escape);
    QTest::keyClick(keys, Qt::Key_Escape);
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr);

    QTest::keyClick(keys, Qt::Key_F11);
    ASSERT_TRUE(w.ViewFullScreen->isChecked());
    QTest::keyClick(keys, Qt::Key_O, Qt::AltModifier); // the menus are hidden: nothing opens
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    const int drawings = w.Explorer().DrawingsStarted();
    QTest::keyClick(keys, Qt::Key_N, Qt::ControlModifier); // the commands' shortcuts work
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 1);
    QTest::keyClick(keys, Qt::Key_Escape);
    EXPECT_FALSE(w.ViewFullScreen->isChecked());
}

TEST_F(MainWindow, AGrownWindowStaysOnItsScreenAndScrollsAPictureLargerThanIt) {
    TfrmMain& w = Start();
    const QRect screen = w.screen()->availableGeometry();
    w.move(screen.right() - w.width(), screen.bottom() - w.height());
    w.Command([&] { w.Explorer().SelectSizeUser(screen.width() + 100, 300); });
    EXPECT_TRUE(screen.contains(w.frameGeometry()));
    EXPECT_EQ(w.ptbVistal->width(), screen.width() + 100);
    // The rest is a scroll away, and only sideways.
    EXPECT_GE(w.Panel1->horizontalScrollBar()->maximum(), 100);
    EXPECT_EQ(w.Panel1->verticalScrollBar()->maximum(), 0);
}

TEST_F(MainWindow, HelpAndAboutOpenFromTheirItems) {
    TfrmMain& w = Start();
    prompt.ExpectErrors(1);
    w.mnuHelpHelp->trigger(); // the tests run where no help page lies beside them
    ASSERT_EQ(prompt.Errors.size(), 1);
    EXPECT_TRUE(prompt.Errors[0].contains(QStringLiteral("が見つかりません")));
    QString about;
    prompt.DialogAnswers.push_back([&](QDialog& d) {
        about = d.windowTitle();
        return int(QDialog::Accepted);
    });
    w.mnuHelpAbout->trigger();
    EXPECT_EQ(about, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
}

TEST_F(MainWindow, SettingsAreWrittenAtTheEndAndReadAtTheNextStart) {
    {
        TfrmMain& w = Start();
        w.ViewStatusbar->trigger();
        EXPECT_TRUE(w.stbOption->isHidden());
        EXPECT_EQ(w.height(), w.menuBar()->height() + 25 + 200);
        w.mnuOptionPaletteRedraw->trigger();
        window.reset();
    }
    TfrmMain& w = Start();
    EXPECT_TRUE(w.stbOption->isHidden());
    EXPECT_FALSE(w.ViewStatusbar->isChecked());
    EXPECT_FALSE(w.mnuOptionPaletteRedraw->isChecked());
    EXPECT_TRUE(w.ViewToolBar->isChecked());

    // Closing in full screen keeps the bars the user chose.
    w.ViewFullScreen->trigger();
    window.reset();
    TfrmMain& again = Start();
    EXPECT_FALSE(again.pnlToolbar->isHidden());
    EXPECT_TRUE(again.stbOption->isHidden());

    // A settings file that cannot be written is reported.
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/proc/version/no");
    prompt.ExpectErrors(1);
    window.reset();
    qputenv("XDG_CONFIG_HOME", config);
    EXPECT_EQ(prompt.Errors.size(), 1);
}

} // namespace vistal::test
