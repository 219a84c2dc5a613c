// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's location files: a scenic spot saved and opened again,
// a faulty one reported and drawn all the same, and files dropped on the
// window.
#include "LocationWindow.h"

#include <QAction>
#include <QRegularExpression>

namespace vistal::test {

TEST_F(LocationWindow, AScenicSpotSavedAndOpenedRestoresTheView) {
    TfrmMain& w = Start();
    w.Vistal().SetCenter({-0.75, 0.125});
    w.Vistal().SetImSpan(0.5);
    Action(w, "mnuOptionIteration1024")->trigger();
    Action(w, "mnuOptionModeBorder")->trigger();
    w.mnuFileDraw->trigger();
    const TBitmap picture = w.Vistal().DrawBitmap();

    const QString spot = File("spot.fss");
    prompt.FileAnswers.push_back(ui::TFileChoice{spot});
    w.mnuRecoSave->trigger();
    EXPECT_EQ(prompt.FileRequests.back().Filter, QStringLiteral("Fractal景勝地データ(*.fss)|*.fss"));
    EXPECT_EQ(prompt.FileRequests.back().DefaultSuffix, "fss");
    // The description names its pattern already: Qt shows it once.
    EXPECT_EQ(ui::QtFilter(prompt.FileRequests.back().Filter), QStringLiteral("Fractal景勝地データ(*.fss)"));
    // Half the span: the distance from the centre to the top edge.
    EXPECT_TRUE(QString::fromLatin1(Read(spot))
                    .contains(QRegularExpression("^ImSpan=0.25\r?$", QRegularExpression::MultilineOption)));

    w.mnuFileFirst->trigger();
    Action(w, "mnuOptionIteration256")->trigger();
    Action(w, "mnuOptionModeNormal")->trigger();
    const int drawings = w.Explorer().DrawingsStarted();
    prompt.FileAnswers.push_back(ui::TFileChoice{spot});
    w.mnuRecoLoad->trigger();
    EXPECT_EQ(prompt.FileRequests.back().FileName, spot); // the dialog proposes the last file
    EXPECT_TRUE(prompt.FileRequests.back().MustExist);
    EXPECT_EQ(w.Vistal().Center(), (TComplex{-0.75, 0.125}));
    EXPECT_EQ(w.Vistal().ImSpan(), 0.5);
    EXPECT_TRUE(Action(w, "mnuOptionIteration1024")->isChecked());
    EXPECT_TRUE(Action(w, "mnuOptionModeBorder")->isChecked());
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 1);
    EXPECT_EQ(w.Vistal().DrawBitmap(), picture);
    EXPECT_TRUE(prompt.Errors.isEmpty());
}

TEST_F(LocationWindow, DroppedFilesOnTheWindow) {
    TfrmMain& w = Start();
    int drawings = w.Explorer().DrawingsStarted();

    // A palette: installed, and drawn since ﾊﾟﾚｯﾄ選択で再描画 is on.
    const QString vcp = Write("Sunset.VCP", "FF0000\n#GRAD 0000FF,00FF00,7\n");
    Drop(w.ptbVistal, {vcp});
    EXPECT_EQ(w.Global().PaletteName, vcp.toStdString());
    EXPECT_TRUE(w.mnuOptionPaletteReadVCP->isChecked());
    EXPECT_EQ(w.Explorer().DrawingsStarted(), ++drawings);
    EXPECT_EQ(Panel(2), "Sunset");

    // A scenic spot written by hand: a Julia view with shade-off, whose menu
    // check follows although the file sets it directly.
    const QString fss = Write("julia.fss", "[Info]\r\nFormat=1\r\nAppName=びすたる\r\nAppVersion=1.9.0\r\n"
                                           "AppSection=Vistal\r\n[Data]\r\nCenterRe=0.25\r\nCenterIm=0.5\r\n"
                                           "ImSpan=0.75\r\nFormula=Julia\r\nIteration=500\r\nEscape=2\r\n"
                                           "JuliaSeedRe=-0.5\r\nJuliaSeedIm=0.5\r\n[Vistal]\r\nDetail=2\r\n"
                                           "Pow=3\r\nShadeOff=1\r\n");
    Drop(w.ptbVistal, {fss});
    EXPECT_EQ(w.Vistal().Formula(), fmJulia);
    EXPECT_EQ(w.Vistal().Center(), (TComplex{0.25, 0.5}));
    EXPECT_EQ(w.Vistal().ImSpan(), 1.5);
    EXPECT_EQ(w.Vistal().JuliaSeed(), (TComplex{-0.5, 0.5}));
    EXPECT_EQ(w.Vistal().Iteration(), 500);
    EXPECT_TRUE(w.mnuOptionIterationUser->isChecked());
    EXPECT_TRUE(Action(w, "mnuOptionDetail2")->isChecked());
    EXPECT_TRUE(Action(w, "mnuOptionPower3")->isChecked());
    EXPECT_TRUE(w.Vistal().ShadeOff);
    EXPECT_TRUE(w.mnuOptionShadeOff->isChecked());
    EXPECT_EQ(w.Explorer().DrawingsStarted(), ++drawings);
    EXPECT_TRUE(prompt.Errors.isEmpty());

    // Anything else is refused by name; only the first file of a drop counts.
    const QString notes = Write("notes.txt", "hello\r\n");
    prompt.ExpectErrors(2);
    Drop(w.ptbVistal, {notes, vcp});
    EXPECT_EQ(prompt.Errors, QStringList{notes + QStringLiteral("\r\nは扱えません。")});
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings);

    // A faulty scenic spot is reported, and the view is drawn all the same.
    Drop(w.ptbVistal, {Write("bad.fss", "[Info]\r\nFormat=2\r\n")});
    EXPECT_EQ(prompt.Errors.last(), QStringLiteral("形式不正です。Section=[Info] Item=[Format]"));
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 1);
}

TEST_F(LocationWindow, AScenicSpotOrPaletteNamedOnTheCommandLineOpensAfterTheStartUpDrawings) {
    const QString fss = Write("spot.fss", "[Info]\r\nFormat=1\r\nAppName=びすたる\r\nAppVersion=1.9.0\r\n"
                                          "AppSection=Vistal\r\n[Data]\r\nCenterRe=0.25\r\nCenterIm=0.5\r\n"
                                          "ImSpan=0.75\r\nFormula=Mandelbrot\r\nIteration=500\r\nEscape=2\r\n"
                                          "JuliaSeedRe=0\r\nJuliaSeedIm=0\r\n");
    TfrmMain& w = Start(fss);
    EXPECT_EQ(w.Vistal().Center(), (TComplex{0.25, 0.5}));
    EXPECT_EQ(w.Vistal().Iteration(), 500);
    const QString vcp = Write("Sunset.vcp", "FF0000\n#GRAD 0000FF,00FF00,7\n");
    Start(vcp);
    EXPECT_EQ(window->Global().PaletteName, vcp.toStdString());
    // A list is the list dialog's.
    Start(Write("list.vrp", ""));
    EXPECT_TRUE(prompt.Errors.isEmpty()) << prompt.Errors.join('\n').toStdString();
}

} // namespace vistal::test
