// SPDX-License-Identifier: GPL-3.0-or-later
// vistal --help and --version answer on the terminal; every other command line
// opens the window.
#include "ui/CommandLine.h"

#include "base/AboutText.h"

#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

namespace vistal::test {

namespace {

struct TAnswer {
    std::optional<int> status;
    QString text;
};

TAnswer Answer(const QStringList& args, TLanguage language = TLanguage::Japanese) {
    FILE* out = std::tmpfile();
    TAnswer answer{ui::AnswerCommandLine(args, QStringLiteral("/opt/vistal/bin"), out, language), {}};
    std::rewind(out);
    QByteArray bytes;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, out)) > 0;)
        bytes.append(buffer, static_cast<qsizetype>(n));
    std::fclose(out);
    answer.text = QString::fromUtf8(bytes);
    return answer;
}

} // namespace

TEST(CommandLine, HelpAndVersionAnswerWithoutAWindow) {
    TAnswer help = Answer({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.text.startsWith("Usage: vistal [OPTION]... [FILE]\n"));
    EXPECT_TRUE(help.text.contains("vistal-render --help"));
    EXPECT_TRUE(help.text.contains("/opt/vistal/bin/Help/Help.html"));
    EXPECT_TRUE(help.text.endsWith("\n\n" + QString::fromStdString(ReportingText())))
        << help.text.toStdString();
    EXPECT_EQ(Answer({"list.vrp", "-h"}).text, help.text);
    // The help page of the language.
    EXPECT_TRUE(Answer({"--help"}, TLanguage::English).text.contains("/opt/vistal/bin/Help/Help.en.html"));

    TAnswer version = Answer({"--version", "--help"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.text.startsWith("vistal 1.9.0\n"));
    EXPECT_TRUE(version.text.contains("GNU GPL version 3 or later"));
}

TEST(CommandLine, EverythingElseOpensTheWindow) {
    for (const QStringList& args : {QStringList{}, QStringList{"list.vrp"}, QStringList{"--", "--help"},
                                    QStringList{"-platform", "offscreen"}}) {
        TAnswer answer = Answer(args);
        EXPECT_FALSE(answer.status.has_value()) << args.join(' ').toStdString();
        EXPECT_TRUE(answer.text.isEmpty());
    }
}

TEST(CommandLine, OptionsLeftByQtAreRefused) {
    FILE* err = std::tmpfile();
    EXPECT_EQ(ui::RefuseUnknownOption({"list.vrp", "-", "--bogus", "-x"}, err), 2);
    EXPECT_EQ(ui::RefuseUnknownOption({"list.vrp", "-", "--", "-x.fss"}, err), std::nullopt);
    std::rewind(err);
    char line[200] = {};
    ASSERT_NE(std::fgets(line, sizeof line, err), nullptr);
    EXPECT_STREQ(line, "vistal: unknown option '--bogus' (vistal --help lists the options)\n");
    EXPECT_EQ(std::fgetc(err), EOF);
    std::fclose(err);
}

TEST(CommandLine, AnAnswerThatCannotBeWrittenFails) {
    FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(ui::AnswerCommandLine({"--version"}, QString(), full), 1);
    std::fclose(full);
}

} // namespace vistal::test
