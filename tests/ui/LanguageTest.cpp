// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own buttons speak Japanese like the rest of the program; in English the
// window's texts come from the finished translation, and so do the core's
// messages.
#include "ui/Language.h"

#include "support/RecordingPrompt.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace vistal::test {

namespace {

// The "%1".."%9" a text fills in.
QSet<QString> Placeholders(const QString& text) {
    QSet<QString> found;
    for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral("%[1-9]")).globalMatch(text))
        found << m.captured();
    return found;
}

// The letter after "&" in a caption, or nothing (the digits of the number
// items are the same in every language).
QChar Mnemonic(const QString& text) {
    const qsizetype i = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
    return i < 0 || !text.at(i + 1).isLetter() ? QChar() : text.at(i + 1).toLower();
}

} // namespace

TEST(Language, QtsOwnButtonsAreJapanese) {
    ASSERT_TRUE(ui::InstallQtJapanese(*QCoreApplication::instance()))
        << "Qt's translations (qt6-translations-l10n) are not installed";
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_TRUE(box.button(QDialogButtonBox::Yes)->text().startsWith(QStringLiteral("はい")));
}

TEST(Language, EveryTextHasItsEnglishAndTheWindowFollowsTheChoice) {
    // Every text of the sources has a finished English that fills in the same values.
    QFile ts(QStringLiteral(VISTAL_TS_FILE));
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    QString source;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        // A carriage return is a <byte> element of its own.
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (xml.name() != QLatin1String("translation")) continue;
        ++messages;
        const bool finished = xml.attributes().value(QLatin1String("type")).isEmpty();
        const QString english = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        EXPECT_TRUE(finished && !english.isEmpty()) << source.toStdString();
        EXPECT_EQ(Placeholders(english), Placeholders(source)) << source.toStdString();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 300);

    // The translation beside the built program, as the program finds it.
    QCoreApplication& app = *QCoreApplication::instance();
    ASSERT_TRUE(ui::InstallLanguage(app, TLanguage::English, QStringLiteral(VISTAL_PROGRAM_DIR)));
    {
        TRecordingPrompt prompt;
        ui::TfrmMain w(&prompt);
        EXPECT_EQ(w.mnuFile->title(), QStringLiteral("&File"));
        // No two items of a menu share an access key.
        QList<QMenu*> menus = w.findChildren<QMenu*>();
        menus.removeOne(w.K1);
        for (const QMenu* menu : menus) {
            QSet<QChar> keys;
            for (const QAction* action : menu->actions()) {
                const QChar key = Mnemonic(action->text());
                if (key.isNull()) continue;
                EXPECT_FALSE(keys.contains(key)) << action->text().toStdString();
                keys << key;
            }
        }
        // The core's messages come in the window's language.
        prompt.ExpectErrors(1);
        EXPECT_THROW(w.Vistal().LoadVcp("/nonexistent/sunset.vcp"), EAbort);
        EXPECT_EQ(prompt.Errors, QStringList{"sunset.vcp does not exist"});
    }
    ASSERT_TRUE(ui::InstallLanguage(app, TLanguage::Japanese, QStringLiteral(VISTAL_PROGRAM_DIR)));
    TRecordingPrompt prompt;
    ui::TfrmMain w(&prompt);
    EXPECT_EQ(w.mnuFile->title(), QStringLiteral("ﾌｧｲﾙ(&F)"));
    prompt.ExpectErrors(1);
    EXPECT_THROW(w.Vistal().LoadVcp("/nonexistent/sunset.vcp"), EAbort);
    EXPECT_EQ(prompt.Errors, QStringList{"sunset.vcpがありません"});
}

} // namespace vistal::test
