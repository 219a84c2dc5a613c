// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: its texts, the icon compiled into the program, and OK.
#include "ui/AboutDialog.h"
#include "support/RecordingPrompt.h"
#include "ui/AppIcon.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace vistal::test {

TEST(AboutDialog, ShowsTitleVersionAndLicenceModallyUntilOK) {
    TRecordingPrompt prompt;
    bool shown = false;
    prompt.DialogAnswers.push_back([&](QDialog& dialog) {
        shown = true;
        auto& form = dynamic_cast<ui::TfrmAbout&>(dialog);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
        EXPECT_EQ(form.lblTitle->text(), QStringLiteral("びすたる"));
        EXPECT_EQ(form.lblVersion->text(), QStringLiteral("Version 1.9.0"));
        EXPECT_TRUE(form.lblNotice->text().contains("GNU GPL v3 or later"))
            << form.lblNotice->text().toStdString();
        EXPECT_FALSE(form.imgIcon->pixmap().isNull());
        QTest::mouseClick(form.bbnOK, Qt::LeftButton);
        return form.result();
    });
    ui::TAboutDialog dlgAbout;
    dlgAbout.Execute(prompt);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(prompt.DialogAnswers.empty());
}

TEST(AboutDialog, TheIconIsCompiledInEverySize) {
    const QIcon icon = ui::AppIcon();
    for (int size : {16, 32, 48, 64, 128, 256}) {
        EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size)) << size;
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    }
}

} // namespace vistal::test
