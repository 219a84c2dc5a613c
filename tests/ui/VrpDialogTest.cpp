// SPDX-License-Identifier: GPL-3.0-or-later
// The recommendation dialogs with the main window: the start-up list, the
// reload at every showing and its error reports, dropped files, the preview
// and what it leaves alone, applying a record, the settings and registering
// the view.
#include "LocationWindow.h"
#include "locations/ViewText.h"
#include "support/DialogDriver.h"
#include "ui/NumberText.h"
#include "ui/PictureImage.h"
#include "ui/VrpSettingDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace vistal::test {

namespace {

const QByteArray kList = "; two views\r\n"
                         "T=Vistal,Title=Seahorse,Cr=-0.745,Ci=0.1,W=0.01,D=3,Memo=a valley\r\n"
                         "T=Julia,Title=Dragon,Cr=0,Ci=0,W=3,Jr=-0.8,Ji=0.156\r\n";

QStringList Titles(const ui::TfrmVrpDialog& d) {
    QStringList titles;
    for (int i = 0; i < d.lsbRecommendation->count(); ++i)
        titles << d.lsbRecommendation->item(i)->text();
    return titles;
}

} // namespace

TEST_F(LocationWindow, TheListOnTheCommandLineComesBeforeTheStartUpList) {
    const QString a = Write("a.vrp", kList);
    const QString b = Write("b.VRP", "T=Vistal,Title=other,Cr=0,Ci=0,W=1\r\n");
    Start();
    TGlobal& g = window->Global();
    g.AutoLoad = true;
    g.AutoLoadFile = g.CurrentVrpFile = b.toStdString();

    CreateDialogs({a, b});
    EXPECT_EQ(Titles(*list), (QStringList{"Seahorse", "Dragon"}));
    EXPECT_EQ(list->windowTitle(), QStringLiteral("おすすめ座標一覧(a.vrp)"));
    EXPECT_EQ(g.CurrentVrpFile, a.toStdString());
    EXPECT_FALSE(list->bbnDisplay->isEnabled());
    EXPECT_TRUE(list->imgVistal->isHidden());
    list->show(); // the list in use is the one loaded: nothing is read again
    EXPECT_EQ(list->List().Count(), 2);

    // A list named on the command line that is missing: no list at all.
    g.CurrentVrpFile = b.toStdString();
    CreateDialogs({File("missing.VRP")});
    EXPECT_EQ(list->List().Count(), 0);
    EXPECT_EQ(list->windowTitle(), QStringLiteral("おすすめ座標一覧"));

    // Any other argument: the start-up list.
    CreateDialogs({File("picture.png")});
    EXPECT_EQ(Titles(*list), QStringList{"other"});
    EXPECT_TRUE(prompt.Errors.isEmpty());
}

TEST_F(LocationWindow, WithoutAutoLoadTheStartUpListWaitsForTheFirstShowing) {
    StartWithDialogs();
    list->show(); // no list file at all: an empty list
    EXPECT_EQ(list->windowTitle(), QStringLiteral("おすすめ座標一覧"));
    EXPECT_EQ(list->lsbRecommendation->count(), 0);
    list->hide();

    const QString a = Write("a.vrp", kList);
    TGlobal& g = window->Global();
    g.AutoLoad = false;
    g.AutoLoadFile = g.CurrentVrpFile = a.toStdString();
    CreateDialogs();
    EXPECT_EQ(list->List().Count(), 0);
    list->show();
    EXPECT_EQ(Titles(*list), (QStringList{"Seahorse", "Dragon"}));
    EXPECT_EQ(list->windowTitle(), QStringLiteral("おすすめ座標一覧(a.vrp)"));
    EXPECT_FALSE(list->bbnDisplay->isEnabled());    // nothing chosen yet
    EXPECT_FALSE(list->lblJuliaConst->isEnabled()); // nor a Julia set
    EXPECT_TRUE(prompt.Errors.isEmpty());
}

TEST_F(LocationWindow, AFaultyListIsReportedAtEveryShowingAndTheOldListStays) {
    const QString a = Write("a.vrp", kList);
    const QString bad = Write("bad.vrp", "T=Vistal,Title=x,Cr=0,Ci=0,W=1\r\n"
                                         "\r\n"
                                         "T=Vistal,Title=y,Cr=0,Ci=0,W=0\r\n");
    StartWithDialogs({a});
    prompt.ExpectErrors(3);
    window->Global().CurrentVrpFile = bad.toStdString();
    list->show();
    list->hide();
    list->show();
    const QString report = bad + QStringLiteral("\r\n3 行目にｴﾗｰがあったので読み込みを中止しました。\r\n"
                                                "幅の値(W)は０より大きくなくてはいけません。");
    EXPECT_EQ(prompt.Errors, (QStringList{report, report}));
    EXPECT_EQ(Titles(*list), (QStringList{"Seahorse", "Dragon"}));
    EXPECT_EQ(list->windowTitle(), QStringLiteral("おすすめ座標一覧(a.vrp)"));

    // A missing one says so alone.
    list->hide();
    window->Global().CurrentVrpFile = File("gone.vrp").toStdString();
    list->show();
    EXPECT_EQ(prompt.Errors.last(), File("gone.vrp") + QStringLiteral("\r\nが見つかりません。"));
}

TEST_F(LocationWindow, AFileDroppedOnTheListIsReadAsAList) {
    const QString a = Write("a.vrp", kList);
    const QString notes = Write("notes.txt", "hello\r\nworld, and more\r\n");
    StartWithDialogs({a});
    list->show();
    list->lsbRecommendation->setCurrentRow(0);
    Drop(list, {notes, a});
    EXPECT_EQ(list->List().Count(), 0);
    EXPECT_EQ(list->windowTitle(), QStringLiteral("おすすめ座標一覧(notes.txt)"));
    EXPECT_EQ(window->Global().CurrentVrpFile, notes.toStdString());
    EXPECT_FALSE(list->bbnDisplay->isEnabled());
    EXPECT_TRUE(list->imgVistal->isHidden());
    EXPECT_TRUE(list->lblType->text().isEmpty());
    EXPECT_TRUE(prompt.Errors.isEmpty());
}

TEST_F(LocationWindow, ThePreviewDrawsTheRecordAndLeavesTheMainViewAlone) {
    const QString a = Write("a.vrp", kList);
    TfrmMain& w = StartWithDialogs({a});
    Action(w, "mnuOptionIteration1024")->trigger();
    w.mnuOptionDetailAuto->trigger();
    const int detail = w.Vistal().Detail(), drawings = w.Explorer().DrawingsStarted();
    list->show();

    // Dragon gives neither "I" nor "D": the main window's limit, and detail
    // from it as the main window's automatic detail would take it.
    list->lsbRecommendation->setCurrentRow(1);
    TVistal& p = list->PreviewEngine();
    EXPECT_EQ(p.Iteration(), 1024);
    TVistal expected;
    expected.SetWidth(50);
    expected.SetHeight(50);
    expected.ChangeFormula();
    expected.SetJuliaSeed({-0.8, 0.156});
    expected.SetCenter({0, 0});
    expected.SetImSpan(3);
    expected.SetIteration(1024);
    expected.CopyPaletteFrom(w.Vistal());
    expected.AutoDetail();
    EXPECT_EQ(p.Detail(), expected.Detail());
    expected.Draw();
    EXPECT_EQ(p.DrawBitmap(), expected.DrawBitmap());
    EXPECT_FALSE(p.Drawing());
    EXPECT_FALSE(list->timDraw->isActive());
    EXPECT_TRUE(list->bbnDisplay->isEnabled());
    EXPECT_FALSE(list->imgVistal->isHidden());
    EXPECT_EQ(list->imgVistal->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              ui::ImageOf(expected.DrawBitmap()).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(list->lblType->text(), QStringLiteral("じゅりあ"));
    EXPECT_EQ(list->lblJuliaConstReal->text(), "-0.8");
    EXPECT_EQ(list->lblJuliaConstImag->text(), "0.156");
    EXPECT_TRUE(list->lblJuliaConst->isEnabled());
    EXPECT_EQ(list->lblWidth->text(), "3");

    // Seahorse gives "D": the preview takes it; the main view keeps its own.
    list->lsbRecommendation->setCurrentRow(0);
    EXPECT_EQ(p.Detail(), 3);
    EXPECT_EQ(p.Formula(), fmMandelbrot);
    EXPECT_EQ(list->lblType->text(), QStringLiteral("びすたる"));
    EXPECT_EQ(list->lblPower->text(), "2");
    EXPECT_EQ(list->lblCenterReal->text(), "-0.745");
    EXPECT_EQ(list->edtMemo->text(), "a valley");
    EXPECT_TRUE(list->lblJuliaConstReal->text().isEmpty());
    EXPECT_FALSE(list->lblJuliaConst->isEnabled());
    EXPECT_FALSE(list->lblJuliaConst2->isEnabled());
    EXPECT_TRUE(w.Explorer().DetailAuto());
    EXPECT_TRUE(w.mnuOptionDetailAuto->isChecked());
    EXPECT_EQ(w.Vistal().Detail(), detail);
    EXPECT_EQ(w.Vistal().Iteration(), 1024);
    EXPECT_EQ(w.Vistal().Formula(), fmMandelbrot);
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings);
}

TEST_F(LocationWindow, ANewSelectionStopsTheRunningPreview) {
    const QString a = Write("a.vrp", kList);
    StartWithDialogs({a});
    list->show();
    TVistal& p = list->PreviewEngine();
    int rows = 0;
    bool nested = false;
    p.PumpHook = [&] {
        if (++rows == 5 && !nested) {
            nested = true;
            list->lsbRecommendation->setCurrentRow(1);
        }
    };
    list->lsbRecommendation->setCurrentRow(0);
    EXPECT_TRUE(nested);
    // The second record's preview ran to the end inside the first one's,
    // which then stopped: the picture is the second record's.
    TVistal expected;
    expected.SetWidth(50);
    expected.SetHeight(50);
    expected.ChangeFormula();
    expected.SetJuliaSeed({-0.8, 0.156});
    expected.SetCenter({0, 0});
    expected.SetImSpan(3);
    expected.Draw();
    EXPECT_EQ(p.DrawBitmap(), expected.DrawBitmap());
    EXPECT_EQ(list->lblType->text(), QStringLiteral("じゅりあ"));
    EXPECT_FALSE(list->timDraw->isActive());
    EXPECT_TRUE(prompt.Errors.isEmpty());
}

TEST_F(LocationWindow, DisplayAppliesTheRecordThroughTheMenusAndDraws) {
    QTemporaryDir palettes;
    QFile vcp(palettes.filePath("Sunset.vcp"));
    ASSERT_TRUE(vcp.open(QIODevice::WriteOnly));
    vcp.write("FF0000\n#GRAD 0000FF,00FF00,7\n");
    vcp.close();
    const QString full = Write(
        "full.vrp", "T=Julia,Title=full,Cr=0.25,Ci=-0.5,W=0.5,Jr=-0.8,Ji=0.156,I=4096,D=2,Pow=3,DM=6,CM=0,"
                    "RE=1,ER=8192,LD=1,CO=3,PB=2,VCP=Sunset,CL0U=1,CL0=255,SO=-1,BR=0.5\r\n");
    TfrmMain& w = StartWithDialogs({full});
    TGlobal& g = w.Global();
    g.VcpAlways = true;
    g.SetVcpFiles(palettes.path().toStdString());
    g.RestoreVcp = true;
    const int drawings = w.Explorer().DrawingsStarted();

    prompt.DialogAnswers.push_back([&](QDialog& d) {
        d.show();
        list->lsbRecommendation->setCurrentRow(0);
        list->bbnDisplay->click();
        return d.result();
    });
    w.mnuRecoRecommendationOpen->trigger();
    EXPECT_EQ(list->result(), QDialog::Accepted);
    EXPECT_FALSE(list->isVisible());
    const TVistal& e = w.Vistal();
    EXPECT_EQ(e.Formula(), fmJulia);
    EXPECT_EQ(e.Center(), (TComplex{0.25, -0.5}));
    EXPECT_EQ(e.ImSpan(), 0.5);
    EXPECT_EQ(e.JuliaSeed(), (TComplex{-0.8, 0.156}));
    EXPECT_EQ(e.Iteration(), 4096);
    EXPECT_EQ(e.Detail(), 2);
    EXPECT_EQ(e.Pow(), 3);
    EXPECT_EQ(e.DrawMode, dmPotential1);
    EXPECT_EQ(e.DrawCompo, 0);
    EXPECT_EQ(e.Represent, 1);
    EXPECT_EQ(e.Escape(), 8192.0);
    EXPECT_EQ(e.LightDark, 1);
    EXPECT_EQ(e.Correction(), 3.0);
    EXPECT_EQ(e.PotentialBright, 2);
    EXPECT_EQ(g.PaletteName, palettes.filePath("Sunset.vcp").toStdString());
    EXPECT_EQ(e.PaletteColor0(), 0x0000FFu);
    EXPECT_TRUE(e.UseColor0);
    EXPECT_EQ(e.Color0(), 255u);
    EXPECT_TRUE(e.ShadeOff);
    EXPECT_EQ(e.BrightnessRaite(), 0.5);
    for (QAction* checked :
         {Action(w, "mnuOptionIteration4096"), Action(w, "mnuOptionDetail2"), Action(w, "mnuOptionPower3"),
          Action(w, "mnuOptionModePotential"), Action(w, "mnuOptionModeMixedNone"),
          Action(w, "mnuOptionModeRepresentation2"), Action(w, "mnuOptionModeLightDark2"),
          Action(w, "mnuOptionModeEscape8192"), Action(w, "mnuOptionModeCorrection3"),
          Action(w, "mnuOptionModeBright3"), w.mnuOptionPaletteReadVCP, w.mnuOptionShadeOff})
        EXPECT_TRUE(checked->isChecked()) << checked->objectName().toStdString();
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 1);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("じゅりあ"));
    EXPECT_EQ(Panel(2), "Sunset");
    EXPECT_TRUE(prompt.Errors.isEmpty());
}

TEST_F(LocationWindow, DisplayDuringAPreviewStopsItBeforeTheMainPictureDraws) {
    // The two engines share one pool; the main picture never waits for more
    // than the preview's step under way.
    const QString a = Write("a.vrp", kList);
    TfrmMain& w = StartWithDialogs({a});
    const int drawings = w.Explorer().DrawingsStarted();
    TVistal& p = list->PreviewEngine();
    int previewRows = 0, previewRowsAtMainStart = -1;
    p.PumpHook = [&] {
        if (++previewRows == 5) list->bbnDisplay->click();
    };
    AtRow(w, 1, [&] { previewRowsAtMainStart = p.Drawing() ? -2 : previewRows; });
    prompt.DialogAnswers.push_back([&](QDialog& d) {
        d.show();
        list->lsbRecommendation->setCurrentRow(0);
        return d.result();
    });
    w.mnuRecoRecommendationOpen->trigger();
    EXPECT_EQ(list->result(), QDialog::Accepted);
    EXPECT_EQ(previewRowsAtMainStart, 5); // no preview row after the click
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 1);
    EXPECT_EQ(w.Vistal().Center(), (TComplex{-0.745, 0.1}));
}

TEST_F(LocationWindow, CancelDuringADrawingPausesItsRepaintsAndDrawsNothing) {
    const QString a = Write("a.vrp", kList);
    TfrmMain& w = StartWithDialogs({a});
    const int drawings = w.Explorer().DrawingsStarted();
    bool pausedWhileUp = false, restored = false;
    prompt.DialogAnswers.push_back([&](QDialog& d) {
        pausedWhileUp = !w.timDraw->isActive();
        d.show();
        list->lsbRecommendation->setCurrentRow(0);
        list->BitBtn2->click();
        return d.result();
    });
    AtRow(w, 3, [&] {
        w.mnuRecoRecommendationOpen->trigger();
        restored = w.timDraw->isActive() && w.timDraw->interval() == 500;
    });
    w.mnuFileDraw->trigger();
    EXPECT_TRUE(pausedWhileUp);
    EXPECT_TRUE(restored);
    EXPECT_EQ(list->result(), QDialog::Rejected);
    EXPECT_EQ(w.Explorer().DrawingsStarted(), drawings + 1);
    EXPECT_EQ(w.Vistal().Formula(), fmMandelbrot);
}

TEST_F(LocationWindow, TheSettingsRefuseAMissingStartUpListButKeepTheOptions) {
    const QString a = Write("a.vrp", kList);
    StartWithDialogs({a});
    TGlobal& g = window->Global();
    list->show();
    list->lsbRecommendation->setCurrentRow(0);
    prompt.DialogAnswers.push_back([&](QDialog& d) {
        auto& s = static_cast<ui::TfrmVrpSetting&>(d);
        d.show();
        EXPECT_EQ(d.windowTitle(), QStringLiteral("おすすめ座標に関する設定"));
        EXPECT_FALSE(s.edtVrpFile->isEnabled());
        EXPECT_FALSE(s.bbnBrowse->isEnabled());
        s.ckbVrpLoad->click();
        EXPECT_TRUE(s.edtVrpFile->isEnabled());
        s.ckbTitleSorted->click();
        s.ckbVcp->click();
        s.edtVrpFile->setText(File("none.vrp"));
        s.bbnOk->click();
        EXPECT_TRUE(s.isVisible());
        EXPECT_TRUE(g.AutoLoad && g.TitleSorted && g.RestoreVcp);
        EXPECT_TRUE(g.AutoLoadFile.empty());
        prompt.FileAnswers.push_back(ui::TFileChoice{a});
        s.bbnBrowse->click();
        EXPECT_EQ(prompt.FileRequests.back().Title, QStringLiteral("VRPﾌｧｲﾙの指定"));
        EXPECT_EQ(s.edtVrpFile->text(), a);
        s.bbnOk->click();
        return d.result();
    });
    prompt.ExpectErrors(1);
    list->BitBtn1->click();
    EXPECT_EQ(prompt.Errors, QStringList{QStringLiteral("起動時に読み込む VRP ﾌｧｲﾙ\r\n") + File("none.vrp") +
                                         QStringLiteral("\r\nがありません")});
    EXPECT_EQ(g.AutoLoadFile, a.toStdString());
    // Sorted at once, the selection gone.
    EXPECT_EQ(Titles(*list), (QStringList{"Dragon", "Seahorse"}));
    EXPECT_FALSE(list->bbnDisplay->isEnabled());
    EXPECT_TRUE(list->imgVistal->isHidden());
}

TEST_F(LocationWindow, TheListStepsAsideForItsSettingsAndItsRunGoesOn) {
    StartWithDialogs({Write("a.vrp", kList)});
    bool hidden = false, backAndRunning = false;
    prompt.DialogAnswers.push_back([&](QDialog&) {
        hidden = list->isHidden();
        QTimer::singleShot(0, list, [&] {
            backAndRunning = list->isVisible();
            list->BitBtn2->click();
        });
        return int(QDialog::Rejected);
    });
    QTimer::singleShot(0, list, [&] { list->BitBtn1->click(); });
    list->exec();
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(backAndRunning);
}

TEST_F(LocationWindow, RegisteringIntoANewFileCreatesItAndTheListShowsIt) {
    QTemporaryDir palettes;
    const QString vcp = palettes.filePath("Sunset.vcp");
    TfrmMain& w = StartWithDialogs();
    const QString fresh = File("new.vrp");
    prompt.ExpectErrors(2);
    prompt.DialogAnswers.push_back([&](QDialog& d) {
        d.show();
        EXPECT_EQ(d.windowTitle(), QStringLiteral("おすすめ座標の登録"));
        EXPECT_EQ(entry->edtVcp->text(), QStringLiteral("標準"));
        EXPECT_EQ(entry->lblType->text(), QStringLiteral("びすたる"));
        EXPECT_EQ(entry->lblCenterReal->text(), ui::FloatText(w.Vistal().Center().Re));
        EXPECT_EQ(entry->lblWidth->text(), ui::FloatText(w.Vistal().ImSpan()));
        EXPECT_FALSE(entry->lblJuliaConst->isEnabled());
        entry->bbnEntry->click(); // no file yet
        prompt.FileAnswers.push_back(ui::TFileChoice{fresh});
        entry->bbnSaveFileNameBrowse->click();
        EXPECT_FALSE(prompt.FileRequests.back().ConfirmOverwrite);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("おすすめ座標の登録(new.vrp)"));
        entry->bbnEntry->click(); // no title yet
        entry->edtTitle->setText(QStringLiteral("ホーム"));
        QFile(vcp).open(QIODevice::WriteOnly);
        prompt.FileAnswers.push_back(ui::TFileChoice{vcp});
        entry->bbnVcpBrows->click();
        EXPECT_EQ(entry->edtVcp->text(), "Sunset");
        entry->edtMemo->setText("first");
        entry->bbnEntry->click();
        return d.result();
    });
    w.mnuRecoEntry->trigger();
    EXPECT_EQ(prompt.Errors, (QStringList{QStringLiteral("保存先のVRPﾌｧｲﾙを指定して下さい"),
                                          QStringLiteral("ﾀｲﾄﾙを指定して下さい")}));
    EXPECT_EQ(entry->result(), QDialog::Accepted);
    EXPECT_TRUE(Read(fresh).startsWith("T=Vistal,Title=\x83\x7a\x81\x5b\x83\x80,"));
    EXPECT_TRUE(Read(fresh).endsWith(",VCP=Sunset,Memo=first,CL0U=0,SO=0,BR=0\r\n"));
    EXPECT_EQ(w.Global().CurrentVrpFile, fresh.toStdString());
    EXPECT_EQ(Titles(*list), QStringList{QStringLiteral("ホーム")});
    EXPECT_EQ(list->windowTitle(), QStringLiteral("おすすめ座標一覧(new.vrp)"));
}

TEST_F(LocationWindow, TheEntryDialogIsFilledBeforeItIsPlaced) {
    // A dialog that grows once it is on the screen can land in the screen's
    // corner: a deep view's long centre must be in it when it is shown.
    TfrmMain& w = StartWithDialogs();
    w.Vistal().SetPosition(ReadDeepView("-0.74364118226035088192738841330535750135",
                                        "0.13183264334784584606177483412864", "1e-30")
                               .value());
    entry->show();
    const QSize shown = entry->size();
    QCoreApplication::processEvents();
    EXPECT_EQ(entry->size(), shown);
    EXPECT_TRUE(entry->lblCenterReal->text().endsWith(QStringLiteral("…")));
    entry->hide();
}

} // namespace vistal::test
