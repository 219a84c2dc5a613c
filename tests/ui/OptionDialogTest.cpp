// SPDX-License-Identifier: GPL-3.0-or-later
// The option dialog: filling from the settings, its enabling rules, applying
// on 了解 and 更新, and the BMP folder check that applies nothing when it fails.
#include "ui/OptionDialog.h"
#include "support/RecordingPrompt.h"
#include "ui/RadioGroup.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>

namespace vistal::test {

TEST(OptionDialog, FadeInAppliedWithOkBecomesTheStartUpMethod) {
    TRecordingPrompt prompt;
    TGlobal global;
    ui::TfrmOption form(global, prompt);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("びすたるのオプション"));
    EXPECT_EQ(form.rdgDraw->ItemIndex(), 0);
    form.pgcOption->setCurrentIndex(4);
    form.rdgDraw->Button(3)->click();
    form.bbnOk->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(global.StartDrawMode, 3);
    form.show(); // every showing starts again on the first page
    EXPECT_EQ(form.pgcOption->currentIndex(), 0);
    EXPECT_TRUE(prompt.Errors.isEmpty());
}

TEST(OptionDialog, ARefreshRateAboveNineIsLoweredInTheSettingsEvenWhenCancelled) {
    TRecordingPrompt prompt;
    TGlobal global;
    global.RefreshRate = 12;
    ui::TfrmOption form(global, prompt);
    form.show();
    EXPECT_TRUE(form.rdb1_9->isChecked());
    EXPECT_EQ(form.srbRefresh->value(), 9);
    EXPECT_EQ(form.lblRefreshValue->text(), QStringLiteral("9"));
    form.srbRefresh->setValue(3);
    EXPECT_EQ(form.lblRefreshValue->text(), QStringLiteral("3"));
    form.bbnCancel->click();
    EXPECT_EQ(global.RefreshRate, 9);

    global.RefreshRate = 0;
    form.show();
    EXPECT_TRUE(form.rdbNone->isChecked());
    EXPECT_FALSE(form.srbRefresh->isEnabled());
    EXPECT_EQ(form.lblRefreshValue->text(), QStringLiteral("5"));
    form.rdb1_9->click();
    EXPECT_TRUE(form.srbRefresh->isEnabled());
    form.bbnApply->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(global.RefreshRate, 5);
}

TEST(OptionDialog, AMissingBmpFolderRefusesAndAppliesNothing) {
    TRecordingPrompt prompt;
    prompt.ExpectErrors(2);
    TGlobal global;
    global.KabegamiFileName = "_vistal.bmp";
    ui::TfrmOption form(global, prompt);
    form.show();
    EXPECT_FALSE(form.edtBmpSet->isEnabled());
    form.ckbBmpSet->click();
    EXPECT_TRUE(form.edtBmpSet->isEnabled());
    form.edtBmpSet->setText(QStringLiteral("/no/such/folder"));
    form.rdbFix->click();
    form.edtKabegami->setText(QStringLiteral("wall.bmp"));
    form.ckbHalf->setChecked(true);
    form.bbnOk->click();
    form.edtBmpSet->clear();
    form.bbnApply->click();
    EXPECT_EQ(prompt.Errors, (QStringList{QStringLiteral("/no/such/folderがありません"),
                                          QStringLiteral("フォルダ名を入力して下さい")}));
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(global.BmpAlways);
    EXPECT_FALSE(global.KabegamiMode);
    EXPECT_EQ(global.KabegamiFileName, "_vistal.bmp");
    EXPECT_FALSE(global.Half);

    // An existing folder goes in without its trailing separator; an unchecked
    // VCP folder is let go of.
    QTemporaryDir folder;
    QSignalSpy vcpReleased(&form, &ui::TfrmOption::VcpFolderReleased);
    form.edtBmpSet->setText(folder.path() + "/");
    form.bbnOk->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(global.BmpAlways);
    EXPECT_EQ(global.BmpFiles(), folder.path().toStdString());
    EXPECT_EQ(vcpReleased.count(), 1);
    EXPECT_TRUE(global.KabegamiMode);
    EXPECT_EQ(global.KabegamiFileName, "wall.bmp");
    EXPECT_TRUE(global.Half);
    form.edtBmpSet->setText(QStringLiteral("/")); // the root keeps its one separator
    form.bbnApply->click();
    EXPECT_EQ(global.BmpFiles(), "/");
}

TEST(OptionDialog, SpeedUpControlsFollowTheirBoxes) {
    TRecordingPrompt prompt;
    TGlobal global;
    global.Half = false;
    global.Adjusted = true;
    global.SetAdjust(4);
    ui::TfrmOption form(global, prompt);
    form.show();
    EXPECT_TRUE(form.ckbMove->isChecked());
    EXPECT_FALSE(form.ckbMove->isEnabled());
    EXPECT_FALSE(form.srbRaito->isEnabled());
    EXPECT_EQ(form.srbRaito->value(), 4);
    form.ckbHalf->click();
    EXPECT_TRUE(form.ckbMove->isEnabled());
    EXPECT_TRUE(form.srbRaito->isEnabled());
    EXPECT_TRUE(form.lblRaitoLarge->isEnabled());
    form.ckbMove->click();
    EXPECT_FALSE(form.srbRaito->isEnabled());
    EXPECT_FALSE(form.lblRaito->isEnabled());
}

TEST(OptionDialog, TheFolderPickerReplacesTheTextUnlessCancelled) {
    TRecordingPrompt prompt;
    TGlobal global;
    global.VcpAlways = true;
    global.SetVcpFiles("/old");
    ui::TfrmOption form(global, prompt);
    form.show();
    EXPECT_EQ(form.edtVcpSet->text(), QStringLiteral("/old"));
    prompt.FolderAnswers = {std::nullopt, QStringLiteral("/tmp")};
    form.btnVcpRef->click();
    EXPECT_EQ(form.edtVcpSet->text(), QStringLiteral("/old"));
    form.btnVcpRef->click();
    EXPECT_EQ(form.edtVcpSet->text(), QStringLiteral("/tmp"));
}

} // namespace vistal::test
