// Qt's own buttons speak Japanese like the rest of the program.
#include "ui/Language.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vistal::test {

TEST(Language, QtsOwnButtonsAreJapanese) {
    ASSERT_TRUE(ui::InstallQtJapanese(*QCoreApplication::instance()))
        << "Qt's translations (qt6-translations-l10n) are not installed";
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_TRUE(box.button(QDialogButtonBox::Yes)->text().startsWith(QStringLiteral("はい")));
}

} // namespace vistal::test
