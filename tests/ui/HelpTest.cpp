// SPDX-License-Identifier: GPL-3.0-or-later
// The help command: the messages for a missing folder and a missing page, and
// the page handed to the browser, beside the program or in an installed tree.
#include "ui/Help.h"
#include "support/RecordingPrompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace vistal::test {

namespace {

const QString kHint = QStringLiteral("\n\nﾍﾙﾌﾟを見るためには実行ﾌｧｲﾙのあるﾌｫﾙﾀﾞの中に Help というﾌｫﾙﾀﾞを\n"
                                     "作り、このﾌｫﾙﾀﾞの中に Help.html というﾌｧｲﾙがなければいけません\n");

void WritePage(const QString& folder) {
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile page(folder + "/Help.html");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<!DOCTYPE html>");
}

} // namespace

TEST(Help, AMissingFolderOrPageIsReportedAndNothingOpens) {
    QTemporaryDir exe;
    TRecordingPrompt prompt;
    prompt.ExpectErrors(2);
    ui::OpenHelp(prompt, exe.path());
    ASSERT_EQ(prompt.Errors.size(), 1);
    EXPECT_EQ(prompt.Errors[0], exe.path() + "/Help/ が見つかりません" + kHint);

    // The folder without the page; a folder named Help.html is no page either.
    ASSERT_TRUE(QDir().mkpath(exe.path() + "/Help/Help.html"));
    ui::OpenHelp(prompt, exe.path());
    ASSERT_EQ(prompt.Errors.size(), 2);
    EXPECT_EQ(prompt.Errors[1], "Help.html が見つかりません" + kHint);
    EXPECT_TRUE(prompt.Documents.isEmpty());
}

TEST(Help, ThePageBesideTheProgramComesFirstThenTheInstalledOneThenTheDesktops) {
    QTemporaryDir root, data;
    const QString bin = root.path() + "/bin";
    ASSERT_TRUE(QDir().mkpath(bin));
    const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", (root.path() + "/none:" + data.path()).toLocal8Bit());
    WritePage(data.path() + "/doc/vistal");
    TRecordingPrompt prompt;
    ui::OpenHelp(prompt, bin);

    WritePage(root.path() + "/share/doc/vistal");
    ui::OpenHelp(prompt, bin);

    WritePage(bin + "/Help");
    ui::OpenHelp(prompt, bin);
    qputenv("XDG_DATA_DIRS", dataDirs);
    EXPECT_EQ(prompt.Documents,
              (QStringList{data.path() + "/doc/vistal/Help.html", root.path() + "/share/doc/vistal/Help.html",
                           bin + "/Help/Help.html"}));
    EXPECT_TRUE(prompt.Errors.isEmpty());
}

TEST(Help, APageTheDesktopCannotOpenIsReported) {
    QTemporaryDir exe;
    WritePage(exe.path() + "/Help");
    TRecordingPrompt prompt;
    prompt.ExpectErrors(1);
    prompt.OpenDocumentResult = false;
    ui::OpenHelp(prompt, exe.path());
    EXPECT_EQ(prompt.Errors, QStringList{exe.path() + "/Help/Help.html を開けませんでした"});
}

} // namespace vistal::test
