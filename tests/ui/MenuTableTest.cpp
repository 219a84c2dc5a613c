// Every menu item of the explorer with its name, caption and shortcut, in its
// menu and in menu order; each radio submenu with exactly one check once the
// window has started, except the extended methods, none of which is chosen
// while a basic method is.
#include "support/MainWindowDriver.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <map>

namespace vistal::test {

namespace {

struct TItem {
    const char* Menu; // the menu it is in: mnuMain is the menu bar
    const char* Name;
    const char* Caption;
    QKeySequence Shortcut;
};

// The items as the program's menus list them.
std::vector<TItem> Items() {
    return {
        {"mnuMain", "mnuFile", "ﾌｧｲﾙ(&F)", QKeySequence()},
        {"mnuFile", "mnuFileDraw", "再描画(&N)", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"mnuFile", "mnuFileForceDraw", "強制再描画(&F)", QKeySequence()},
        {"mnuFile", "mnuFilePre", "一つ前に戻る(&B)", QKeySequence(Qt::CTRL | Qt::Key_B)},
        {"mnuFile", "mnuFileFirst", "最初に戻す(&R)", QKeySequence()},
        {"mnuFile", "mnuFileAbort", "中断(&A)", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"mnuFile", "mnuFileSave", "ﾋﾞｯﾄﾏｯﾌﾟの保存(&S)...", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuFile", "mnuFileSetWP", "壁紙に設定(&W)", QKeySequence()},
        {"mnuFileSetWP", "mnuFileSetWPSpread", "並べて表示(&W)", QKeySequence()},
        {"mnuFileSetWP", "mnuFileSetWPCenter", "中央に表示(&L)", QKeySequence()},
        {"mnuFile", "mnuFileClipBoard", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存(&C)", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"mnuFile", "mnuFileExit", "終了(&X)", QKeySequence()},
        {"mnuMain", "mnuOption", "描画設定(&O)", QKeySequence()},
        {"mnuOption", "mnuOptionZoom", "拡縮(&Z)", QKeySequence()},
        {"mnuOptionZoom", "mnuOptionZoom1", "x&2", QKeySequence()},
        {"mnuOptionZoom", "mnuOptionZoom2", "x&4", QKeySequence()},
        {"mnuOptionZoom", "mnuOptionZoom3", "x&8", QKeySequence()},
        {"mnuOptionZoom", "mnuOptionZoom4", "x&16", QKeySequence()},
        {"mnuOptionZoom", "mnuOptionZoomMove", "移動(&M)", QKeySequence()},
        {"mnuOptionZoom", "mnuOptionZoomUser", "指定(&U)...", QKeySequence()},
        {"mnuOption", "mnuOptionSize", "表示ｻｲｽﾞ(&S)", QKeySequence()},
        {"mnuOptionSize", "mnuOptionSize200x200", "&200 x 200", QKeySequence()},
        {"mnuOptionSize", "mnuOptionSize2", "&400 x 400", QKeySequence()},
        {"mnuOptionSize", "mnuOptionSize3", "&500 x 500", QKeySequence()},
        {"mnuOptionSize", "mnuOptionSize700x700", "&700 x 700", QKeySequence()},
        {"mnuOptionSize", "mnuOptionSize320x240", "&320 x 240", QKeySequence()},
        {"mnuOptionSize", "mnuOptionSize4", "&640 x 480", QKeySequence()},
        {"mnuOptionSize", "mnuOptionSize5", "&800 x 600", QKeySequence()},
        {"mnuOptionSize", "mnuOptionSize6", "&1024 x 768", QKeySequence()},
        {"mnuOptionSize", "mnuOptionSizeUser", "指定(&U)...", QKeySequence()},
        {"mnuOption", "mnuOptionIteration", "繰り返し回数(&I)", QKeySequence()},
        {"mnuOptionIteration", "mnuOptionIteration256", "&256", QKeySequence()},
        {"mnuOptionIteration", "mnuOptionIteration1024", "&1024", QKeySequence()},
        {"mnuOptionIteration", "mnuOptionIteration4096", "&4096", QKeySequence()},
        {"mnuOptionIteration", "mnuOptionIteration32768", "&32768", QKeySequence()},
        {"mnuOptionIteration", "mnuOptionIteration200000", "2&00000", QKeySequence()},
        {"mnuOptionIteration", "mnuOptionIterationUser", "指定(&U)...", QKeySequence()},
        {"mnuOption", "mnuOptionDetail", "分解能(&D)", QKeySequence()},
        {"mnuOptionDetail", "mnuOptionDetail1", "&1", QKeySequence()},
        {"mnuOptionDetail", "mnuOptionDetail2", "&2", QKeySequence()},
        {"mnuOptionDetail", "mnuOptionDetail3", "&3", QKeySequence()},
        {"mnuOptionDetail", "mnuOptionDetail4", "&4", QKeySequence()},
        {"mnuOptionDetail", "mnuOptionDetailUser", "指定(&U)...", QKeySequence()},
        {"mnuOptionDetail", "mnuOptionDetailAuto", "自動(&A)", QKeySequence()},
        {"mnuOption", "mnuOptionPalette", "ﾊﾟﾚｯﾄ(&P)", QKeySequence()},
        {"mnuOptionPalette", "mnuOptionPaletteStandard", "標準(&S)", QKeySequence()},
        {"mnuOptionPalette", "mnuOptionPaletteMono", "白黒(&M)", QKeySequence()},
        {"mnuOptionPalette", "mnuOptionPaletteBlue", "青(&B)", QKeySequence()},
        {"mnuOptionPalette", "mnuOptionPaletteReadVCP", "VCPﾌｧｲﾙを読む(&R)...",
         QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"mnuOptionPalette", "mnuOptionPalletCustomColor", "色0の設定", QKeySequence()},
        {"mnuOptionPalette", "mnuOptionPaletteRedraw", "ﾊﾟﾚｯﾄ選択で再描画(&N)", QKeySequence()},
        {"mnuOption", "mnuOptionPower", "巾乗(&N)", QKeySequence()},
        {"mnuOptionPower", "mnuOptionPowerNormal", "標準(&2)", QKeySequence()},
        {"mnuOptionPower", "mnuOptionPower3", "&3", QKeySequence()},
        {"mnuOptionPower", "mnuOptionPower4", "&4", QKeySequence()},
        {"mnuOptionPower", "mnuOptionPower5", "&5", QKeySequence()},
        {"mnuOptionPower", "mnuOptionPowerUser", "指定(&U)...", QKeySequence()},
        {"mnuOption", "mnuOptionShadeOff", "ぼかし", QKeySequence()},
        {"mnuOption", "mnuOptionManualMove", "座標指定(&M)...", QKeySequence(Qt::CTRL | Qt::Key_M)},
        {"mnuOption", "mnuOptionJuliaConst", "じゅりあ定数(&J)...", QKeySequence(Qt::CTRL | Qt::Key_J)},
        {"mnuOption", "mnuOptionChange", "じゅりあ(&C)", QKeySequence()},
        {"mnuOption", "mnuOptionMode", "描画方法(&W)", QKeySequence()},
        {"mnuOptionMode", "mnuOptionModeNormal", "普通(&N)", QKeySequence()},
        {"mnuOptionMode", "mnuOptionModeBlock", "探索(&E)", QKeySequence()},
        {"mnuOptionMode", "mnuOptionModeBorder", "境界走査(&B)", QKeySequence()},
        {"mnuOptionMode", "mnuOptionModeFadein", "浮き出し(&F)", QKeySequence()},
        {"mnuOptionMode", "mnuOptionModeSAntiArea", "簡易ｱﾝﾁｴﾘｱｼﾝｸﾞ(&S)", QKeySequence()},
        {"mnuOptionMode", "mnuOptionModeExt", "拡張描画(&X)", QKeySequence()},
        {"mnuOptionModeExt", "mnuOptionModeExtNormal", "普通(&N)", QKeySequence()},
        {"mnuOptionModeExt", "mnuOptionModePotential", "ポテンシャル(&P)", QKeySequence()},
        {"mnuOptionModeExt", "mnuOptionModePotential2", "ポテンシャル&2", QKeySequence()},
        {"mnuOptionModeExt", "mnuOptionModePotential3", "ポテンシャル&3", QKeySequence()},
        {"mnuOptionModeExt", "mnuOptionModeMixed", "合成(&M)", QKeySequence()},
        {"mnuOptionModeMixed", "mnuOptionModeMixedExist", "あり(&E)", QKeySequence()},
        {"mnuOptionModeMixed", "mnuOptionModeMixedNone", "なし(&N)", QKeySequence()},
        {"mnuOptionModeExt", "mnuOptionModeBright", "明るさ取得(&B)", QKeySequence()},
        {"mnuOptionModeBright", "mnuOptionModeBright1", "明るさ&1", QKeySequence()},
        {"mnuOptionModeBright", "mnuOptionModeBright2", "明るさ&2", QKeySequence()},
        {"mnuOptionModeBright", "mnuOptionModeBright3", "明るさ&3", QKeySequence()},
        {"mnuOptionModeBright", "mnuOptionModeBright4", "明るさ&4", QKeySequence()},
        {"mnuOptionModeExt", "mnuOptionModeCorrection", "補正係数(&C)", QKeySequence()},
        {"mnuOptionModeCorrection", "mnuOptionModeCorrection0", "0", QKeySequence()},
        {"mnuOptionModeCorrection", "mnuOptionModeCorrection1", "1", QKeySequence()},
        {"mnuOptionModeCorrection", "mnuOptionModeCorrection2", "2", QKeySequence()},
        {"mnuOptionModeCorrection", "mnuOptionModeCorrection3", "3", QKeySequence()},
        {"mnuOptionModeCorrection", "mnuOptionModeCorrection4", "4", QKeySequence()},
        {"mnuOptionModeCorrection", "mnuOptionModeCorrection5", "5", QKeySequence()},
        {"mnuOptionModeCorrection", "mnuOptionModeCorrection6", "6", QKeySequence()},
        {"mnuOptionModeCorrection", "mnuOptionModeCorrection7", "7", QKeySequence()},
        {"mnuOptionModeCorrection", "mnuOptionModeCorrection8", "8", QKeySequence()},
        {"mnuOptionModeCorrection", "mnuOptionModeCorrection9", "9", QKeySequence()},
        {"mnuOptionModeCorrection", "mnuOptionModeCorrectionUser", "指定(&U)...", QKeySequence()},
        {"mnuOptionModeExt", "mnuOptionModeLightDark", "明暗(&L)", QKeySequence()},
        {"mnuOptionModeLightDark", "mnuOptionModeLightDark1", "明暗&1", QKeySequence()},
        {"mnuOptionModeLightDark", "mnuOptionModeLightDark2", "明暗&2", QKeySequence()},
        {"mnuOptionModeExt", "mnuOptionModeRepresentation", "表現(&R)", QKeySequence()},
        {"mnuOptionModeRepresentation", "mnuOptionModeRepresentation1", "表現&1", QKeySequence()},
        {"mnuOptionModeRepresentation", "mnuOptionModeRepresentation2", "表現&2", QKeySequence()},
        {"mnuOptionModeExt", "mnuOptionModeEscape", "打切判定数(&E)", QKeySequence()},
        {"mnuOptionModeEscape", "mnuOptionModeEscape1", "&1", QKeySequence()},
        {"mnuOptionModeEscape", "mnuOptionModeEscape2", "&2", QKeySequence()},
        {"mnuOptionModeEscape", "mnuOptionModeEscape1024", "&1024", QKeySequence()},
        {"mnuOptionModeEscape", "mnuOptionModeEscape8192", "&8192", QKeySequence()},
        {"mnuOptionModeEscape", "mnuOptionModeEscape65536", "&65536", QKeySequence()},
        {"mnuOptionModeEscape", "mnuOptionModeEscapeUser", "指定(&U)...", QKeySequence()},
        {"mnuOption", "mnuOptionRubberBand", "ﾗﾊﾞｰﾊﾞﾝﾄﾞ(&B)", QKeySequence()},
        {"mnuOptionRubberBand", "mnuOptionRubberBandTwoPoint", "２頂点(&T)", QKeySequence()},
        {"mnuOptionRubberBand", "mnuOptionRubberBandCenterAndPoint", "中心と頂点(&C)", QKeySequence()},
        {"mnuOption", "mnuOptionRefresh", "書換頻度(&R)", QKeySequence()},
        {"mnuOptionRefresh", "mnuOptionRefresh1", "&1(多い)", QKeySequence()},
        {"mnuOptionRefresh", "mnuOptionRefresh3", "&3", QKeySequence()},
        {"mnuOptionRefresh", "mnuOptionRefresh5", "&5", QKeySequence()},
        {"mnuOptionRefresh", "mnuOptionRefresh7", "&7", QKeySequence()},
        {"mnuOptionRefresh", "mnuOptionRefresh9", "&9(少ない)", QKeySequence()},
        {"mnuOptionRefresh", "mnuOptionRefreshNo", "なし(&N)", QKeySequence()},
        {"mnuOptionRefresh", "mnuOptionRefreshUser", "指定(&U)...", QKeySequence()},
        {"mnuOption", "mnuOptionOption", "ｵﾌﾟｼｮﾝ(&O)...", QKeySequence()},
        {"mnuMain", "mnuView", "表示(&V)", QKeySequence()},
        {"mnuView", "mnuOptionDrawSetting", "描画設定(&D)", QKeySequence()},
        {"mnuView", "mnuOptionPosition", "座標表示(&L)", QKeySequence()},
        {"mnuView", "ViewToolBar", "ﾂｰﾙﾊﾞｰ(&T)", QKeySequence()},
        {"mnuView", "ViewStatusbar", "ｽﾃｰﾀｽﾊﾞｰ(&S)", QKeySequence()},
        {"mnuView", "ViewFullScreen", "全画面表示(&F)", QKeySequence(Qt::Key_F11)},
        {"mnuMain", "mnuRecommendation", "おすすめ(&R)", QKeySequence()},
        {"mnuRecommendation", "mnuRecoRecommendationOpen", "移動(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuRecommendation", "mnuRecoEntry", "登録(&E)...", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"mnuRecommendation", "mnuRecoLoad", "景勝地読込(&L)...", QKeySequence()},
        {"mnuRecommendation", "mnuRecoSave", "景勝地保存(&S)...", QKeySequence()},
        {"mnuMain", "mnuHelp", "ﾍﾙﾌﾟ(&H)", QKeySequence()},
        {"mnuHelp", "mnuHelpHelp", "ﾍﾙﾌﾟ(&H)", QKeySequence(Qt::Key_F1)},
        {"mnuHelp", "mnuHelpAbout", "びすたるのﾊﾞｰｼﾞｮﾝ情報(&A)...", QKeySequence()},
        {"K1", "RePaint", "再表示", QKeySequence(Qt::CTRL | Qt::Key_L)},
        {"K1", "ZoomIn", "拡大", QKeySequence(Qt::CTRL | Qt::Key_Insert)},
        {"K1", "ZoomOut", "縮小", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {"K1", "JCRandom", "ＪＣランダム", QKeySequence(Qt::CTRL | Qt::Key_R)},
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
    for (const TItem& item : Items()) {
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

TEST_F(MainWindow, EachRadioSubmenuHasOneCheckAfterStartUp) {
    TfrmMain& w = Start();
    const QList<QActionGroup*> groups = w.findChildren<QActionGroup*>();
    EXPECT_EQ(groups.size(), 16);
    for (const QActionGroup* group : groups) {
        QStringList checked;
        for (const QAction* a : group->actions())
            if (a->isChecked()) checked << a->objectName();
        const bool extended = group->actions().contains(Action(w, "mnuOptionModeExtNormal"));
        EXPECT_EQ(checked.size(), extended ? 0 : 1) << group->actions().front()->objectName().toStdString()
                                                    << ": " << checked.join(' ').toStdString();
    }
}

} // namespace vistal::test
