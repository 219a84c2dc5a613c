// SPDX-License-Identifier: GPL-3.0-or-later
// The menus as built. Every value group holds its table's items (MenuTables.h)
// first and in order, with their names and captions, and each item, chosen,
// reaches the explorer and shows its check. The other items carry the captions
// and shortcuts the program gives them, in menu order after the tables'. Each
// radio submenu has exactly one check once the window has started, except the
// extended methods, none of which is chosen while a basic method is.
#include "support/MainWindowDriver.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <map>

namespace vistal::test {

namespace {

using ui::TMenuGroup;

struct TCommand {
    const char* Menu; // the menu it is in: mnuMain is the menu bar
    const char* Name;
    const char* Caption;
    QKeySequence Shortcut = {};
};

QKeySequence Ctrl(Qt::Key key) {
    return QKeySequence(Qt::CTRL | key);
}

// The items besides the tables' (menus, commands, 指定 and the other extra
// items of a group), in menu order.
const std::vector<TCommand>& Commands() {
    static const std::vector<TCommand> commands = {
        {"mnuMain", "mnuFile", "ﾌｧｲﾙ(&F)"},
        {"mnuFile", "mnuFileDraw", "再描画(&N)", Ctrl(Qt::Key_N)},
        {"mnuFile", "mnuFileForceDraw", "強制再描画(&F)"},
        {"mnuFile", "mnuFilePre", "一つ前に戻る(&B)", Ctrl(Qt::Key_B)},
        {"mnuFile", "mnuFileFirst", "最初に戻す(&R)"},
        {"mnuFile", "mnuFileAbort", "中断(&A)", Ctrl(Qt::Key_A)},
        {"mnuFile", "mnuFileSave", "ﾋﾞｯﾄﾏｯﾌﾟの保存(&S)...", Ctrl(Qt::Key_S)},
        {"mnuFile", "mnuFileSetWP", "壁紙に設定(&W)"},
        {"mnuFileSetWP", "mnuFileSetWPSpread", "並べて表示(&W)"},
        {"mnuFileSetWP", "mnuFileSetWPCenter", "中央に表示(&L)"},
        {"mnuFile", "mnuFileClipBoard", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存(&C)", Ctrl(Qt::Key_C)},
        {"mnuFile", "mnuFileExit", "終了(&X)"},
        {"mnuMain", "mnuOption", "描画設定(&O)"},
        {"mnuOption", "mnuOptionZoom", "拡縮(&Z)"},
        {"mnuOptionZoom", "mnuOptionZoomUser", "指定(&U)..."},
        {"mnuOption", "mnuOptionSize", "表示ｻｲｽﾞ(&S)"},
        {"mnuOptionSize", "mnuOptionSizeUser", "指定(&U)..."},
        {"mnuOption", "mnuOptionIteration", "繰り返し回数(&I)"},
        {"mnuOptionIteration", "mnuOptionIterationUser", "指定(&U)..."},
        {"mnuOptionIteration", "mnuOptionIterationAuto", "自動(&A)"},
        {"mnuOption", "mnuOptionDetail", "分解能(&D)"},
        {"mnuOptionDetail", "mnuOptionDetailUser", "指定(&U)..."},
        {"mnuOptionDetail", "mnuOptionDetailAuto", "自動(&A)"},
        {"mnuOption", "mnuOptionPalette", "ﾊﾟﾚｯﾄ(&P)"},
        {"mnuOptionPalette", "mnuOptionPaletteReadVCP", "VCPﾌｧｲﾙを読む(&R)...", Ctrl(Qt::Key_P)},
        {"mnuOptionPalette", "mnuOptionPalletCustomColor", "色0の設定"},
        {"mnuOptionPalette", "mnuOptionPaletteRedraw", "ﾊﾟﾚｯﾄ選択で再描画(&N)"},
        {"mnuOption", "mnuOptionPower", "巾乗(&N)"},
        {"mnuOptionPower", "mnuOptionPowerUser", "指定(&U)..."},
        {"mnuOption", "mnuOptionShadeOff", "ぼかし"},
        {"mnuOption", "mnuOptionSmooth", "色をなめらかに(&G)"},
        {"mnuOption", "mnuOptionManualMove", "座標指定(&M)...", Ctrl(Qt::Key_M)},
        {"mnuOption", "mnuOptionJuliaConst", "じゅりあ定数(&J)...", Ctrl(Qt::Key_J)},
        {"mnuOption", "mnuOptionChange", "じゅりあ(&C)"},
        {"mnuOption", "mnuOptionMode", "描画方法(&W)"},
        {"mnuOptionMode", "mnuOptionModeExt", "拡張描画(&X)"},
        {"mnuOptionModeExt", "mnuOptionModeMixed", "合成(&M)"},
        {"mnuOptionModeExt", "mnuOptionModeBright", "明るさ取得(&B)"},
        {"mnuOptionModeExt", "mnuOptionModeCorrection", "補正係数(&C)"},
        {"mnuOptionModeCorrection", "mnuOptionModeCorrectionUser", "指定(&U)..."},
        {"mnuOptionModeExt", "mnuOptionModeLightDark", "明暗(&L)"},
        {"mnuOptionModeExt", "mnuOptionModeRepresentation", "表現(&R)"},
        {"mnuOptionModeExt", "mnuOptionModeEscape", "打切判定数(&E)"},
        {"mnuOptionModeEscape", "mnuOptionModeEscapeUser", "指定(&U)..."},
        {"mnuOption", "mnuOptionRubberBand", "ﾗﾊﾞｰﾊﾞﾝﾄﾞ(&B)"},
        {"mnuOption", "mnuOptionRefresh", "書換頻度(&R)"},
        {"mnuOptionRefresh", "mnuOptionRefreshUser", "指定(&U)..."},
        {"mnuOption", "mnuOptionOption", "ｵﾌﾟｼｮﾝ(&O)..."},
        {"mnuMain", "mnuView", "表示(&V)"},
        {"mnuView", "mnuOptionDrawSetting", "描画設定(&D)"},
        {"mnuView", "mnuOptionPosition", "座標表示(&L)"},
        {"mnuView", "ViewToolBar", "ﾂｰﾙﾊﾞｰ(&T)"},
        {"mnuView", "ViewStatusbar", "ｽﾃｰﾀｽﾊﾞｰ(&S)"},
        {"mnuView", "ViewFullScreen", "全画面表示(&F)", QKeySequence(Qt::Key_F11)},
        {"mnuMain", "mnuRecommendation", "おすすめ(&R)"},
        {"mnuRecommendation", "mnuRecoRecommendationOpen", "移動(&O)...", Ctrl(Qt::Key_O)},
        {"mnuRecommendation", "mnuRecoEntry", "登録(&E)...", Ctrl(Qt::Key_E)},
        {"mnuRecommendation", "mnuRecoLoad", "景勝地読込(&L)..."},
        {"mnuRecommendation", "mnuRecoSave", "景勝地保存(&S)..."},
        {"mnuMain", "mnuHelp", "ﾍﾙﾌﾟ(&H)"},
        {"mnuHelp", "mnuHelpHelp", "ﾍﾙﾌﾟ(&H)", QKeySequence(Qt::Key_F1)},
        {"mnuHelp", "mnuHelpAbout", "びすたるのﾊﾞｰｼﾞｮﾝ情報(&A)..."},
        {"K1", "RePaint", "再表示", Ctrl(Qt::Key_L)},
        {"K1", "ZoomIn", "拡大", Ctrl(Qt::Key_Insert)},
        {"K1", "ZoomOut", "縮小", Ctrl(Qt::Key_Delete)},
        {"K1", "JCRandom", "ＪＣランダム", Ctrl(Qt::Key_R)},
    };
    return commands;
}

// A value group as built: the menu it is in and its table's names and captions.
struct TGroup {
    TMenuGroup Group;
    const char* Menu;
    std::vector<std::pair<QString, QString>> Items;
    int Break = -1; // the item a separator stands before
};

template <class T, std::size_t N>
TGroup Group(TMenuGroup group, const char* menu, const ui::TMenuItem<T> (&items)[N]) {
    TGroup g{group, menu, {}};
    for (std::size_t i = 0; i < N; ++i) {
        g.Items.emplace_back(QString::fromLatin1(items[i].Name), QString::fromUtf8(items[i].Caption));
        if (items[i].Break) g.Break = static_cast<int>(i);
    }
    return g;
}

std::vector<TGroup> Groups() {
    return {
        Group(TMenuGroup::ZoomFactor, "mnuOptionZoom", ui::kZoomFactorItems),
        Group(TMenuGroup::PictureSize, "mnuOptionSize", ui::kPictureSizeItems),
        Group(TMenuGroup::Iteration, "mnuOptionIteration", ui::kIterationItems),
        Group(TMenuGroup::Detail, "mnuOptionDetail", ui::kDetailItems),
        Group(TMenuGroup::Palette, "mnuOptionPalette", ui::kPaletteItems),
        Group(TMenuGroup::Power, "mnuOptionPower", ui::kPowerItems),
        Group(TMenuGroup::DrawMode, "mnuOptionMode", ui::kDrawModeItems),
        Group(TMenuGroup::ExtDrawMode, "mnuOptionModeExt", ui::kExtDrawModeItems),
        Group(TMenuGroup::DrawCompo, "mnuOptionModeMixed", ui::kDrawCompoItems),
        Group(TMenuGroup::PotentialBright, "mnuOptionModeBright", ui::kPotentialBrightItems),
        Group(TMenuGroup::Correction, "mnuOptionModeCorrection", ui::kCorrectionItems),
        Group(TMenuGroup::LightDark, "mnuOptionModeLightDark", ui::kLightDarkItems),
        Group(TMenuGroup::Represent, "mnuOptionModeRepresentation", ui::kRepresentItems),
        Group(TMenuGroup::Escape, "mnuOptionModeEscape", ui::kEscapeItems),
        Group(TMenuGroup::RubberBand, "mnuOptionRubberBand", ui::kRubberBandItems),
        Group(TMenuGroup::Refresh, "mnuOptionRefresh", ui::kRefreshItems),
    };
}

// The named items of a menu, separators left out.
QStringList NamesIn(const QList<QAction*>& actions) {
    QStringList names;
    for (const QAction* a : actions)
        if (!a->isSeparator()) names << a->objectName();
    return names;
}

} // namespace

TEST_F(MainWindow, EveryMenuItemHasItsNameCaptionShortcutAndPlace) {
    TfrmMain& w = Start();
    std::map<QString, QStringList> expectedOrder;
    for (const TGroup& group : Groups())
        for (const auto& [name, caption] : group.Items)
            expectedOrder[QString::fromLatin1(group.Menu)] << name;
    for (const TCommand& item : Commands()) {
        SCOPED_TRACE(item.Name);
        const QString name = QString::fromLatin1(item.Name);
        expectedOrder[QString::fromLatin1(item.Menu)] << name;
        QAction* action = w.findChild<QAction*>(name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(item.Caption));
        EXPECT_EQ(action->shortcut(), item.Shortcut) << action->shortcut().toString().toStdString();
    }
    for (const auto& [menu, names] : expectedOrder) {
        SCOPED_TRACE(menu.toStdString());
        const QList<QAction*> actions =
            menu == "mnuMain" ? w.menuBar()->actions() : w.findChild<QMenu*>(menu)->actions();
        EXPECT_EQ(NamesIn(actions), names);
    }
    // The hidden menu is in no menu bar; its shortcuts are the window's.
    EXPECT_FALSE(w.menuBar()->actions().contains(w.K1->menuAction()));
    for (QAction* hidden : w.K1->actions())
        EXPECT_TRUE(w.actions().contains(hidden)) << hidden->objectName().toStdString();
}

TEST_F(MainWindow, TheValueGroupsAreTheirTablesAndEachItemReachesTheExplorer) {
    TfrmMain& w = Start();
    for (const TGroup& group : Groups()) {
        SCOPED_TRACE(group.Menu);
        w.Explorer().SelectIteration(16); // quick drawings for the items that draw
        const QList<QAction*> actions = w.findChild<QMenu*>(group.Menu)->actions();
        for (int i = 0; i < static_cast<int>(group.Items.size()); ++i) {
            QAction* item = w.MenuItem(group.Group, i);
            EXPECT_EQ(item->objectName(), group.Items[i].first);
            EXPECT_EQ(item->text(), group.Items[i].second);
            const qsizetype at = actions.indexOf(item);
            EXPECT_EQ(at > 0 && actions[at - 1]->isSeparator(), i == group.Break) << i;
            item->trigger();
            EXPECT_EQ(w.Explorer().Checked(group.Group), i);
            EXPECT_TRUE(item->isChecked());
        }
    }
}

TEST_F(MainWindow, EachRadioSubmenuHasOneCheckAfterStartUp) {
    TfrmMain& w = Start();
    const QList<QActionGroup*> groups = w.findChildren<QActionGroup*>();
    EXPECT_EQ(groups.size(), ui::kMenuGroupCount);
    for (const QActionGroup* group : groups) {
        QStringList checked;
        for (const QAction* a : group->actions())
            if (a->isChecked()) checked << a->objectName();
        const bool extended = group->actions().contains(w.MenuItem(TMenuGroup::ExtDrawMode, 0));
        EXPECT_EQ(checked.size(), extended ? 0 : 1) << group->actions().front()->objectName().toStdString()
                                                    << ": " << checked.join(' ').toStdString();
    }
}

} // namespace vistal::test
