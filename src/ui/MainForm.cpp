#include "ui/MainForm.h"

#include "ui/AppTitle.h"
#include "ui/FormulaLabel.h"
#include "ui/Help.h"
#include "ui/PaintBox.h"
#include "ui/PositionInfoDialog.h"
#include "ui/StatusPanel.h"
#include "ui/ToolGlyphs.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>
#include <new>

namespace vistal::ui {

namespace {

constexpr int kToolBarHeight = 25;
constexpr int kToolButtonSize = 23;
constexpr int kStatusBarHeight = 19;
// The window before its first picture: 200 × 218 client pixels.
constexpr int kInitialClientWidth = 200;
constexpr int kInitialClientHeight = 218;
// Tool-bar hints stay this long (ms).
constexpr int kHintHidePause = 5000;
// The progress panel changes at most this often while a drawing runs (ms).
constexpr int kProgressPeriod = 50;
// A drawing processes pending events after a row once this much time has
// passed since it last did (ns): far below what anyone can notice, and far
// above what a row of a small picture takes, so that a small picture does
// not spend more time on its events than on its rows.
constexpr qint64 kPumpPeriod = 1'000'000;

TMouseButton ButtonOf(Qt::MouseButton button, bool& known) {
    known = true;
    switch (button) {
    case Qt::LeftButton:
        return TMouseButton::Left;
    case Qt::RightButton:
        return TMouseButton::Right;
    case Qt::MiddleButton:
        return TMouseButton::Middle;
    default:
        known = false;
        return TMouseButton::Left;
    }
}

TShiftState ShiftOf(const QMouseEvent* event) {
    TShiftState shift = 0;
    const Qt::KeyboardModifiers keys = event->modifiers();
    if (keys & Qt::ShiftModifier) shift |= ssShift;
    if (keys & Qt::AltModifier) shift |= ssAlt;
    if (keys & Qt::ControlModifier) shift |= ssCtrl;
    const Qt::MouseButtons buttons = event->buttons();
    if (buttons & Qt::LeftButton) shift |= ssLeft;
    if (buttons & Qt::RightButton) shift |= ssRight;
    if (buttons & Qt::MiddleButton) shift |= ssMiddle;
    return shift;
}

// The pixel under the pointer.
QPoint PixelOf(const QPointF& position) {
    return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

// "0.21 秒"; a short drawing gets one more digit ("0.004 秒").
QString DurationText(double seconds) {
    return QString::number(seconds, 'f', seconds < 0.1 ? 3 : 2) + QStringLiteral(" 秒");
}

} // namespace

// ---- creation -------------------------------------------------------------

TfrmMain::TfrmMain(TPrompt* prompt, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint) {
    if (!prompt) {
        ownPrompt_ = std::make_unique<TQtPrompt>();
        prompt = ownPrompt_.get();
    }
    prompt_ = prompt;
    if (!prompt_->Parent) prompt_->Parent = this;
    reporter_ = std::make_unique<TPromptReporter>(*prompt_);
    state_.Reporter = reporter_.get();

    setObjectName("frmMain");
    setWindowTitle(QStringLiteral("びすたる"));
    // A 12-pixel proportional Japanese Gothic, where there is one: the captions
    // are mostly Japanese, and the status panels are narrow.
    QFont gothic = font();
    gothic.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), gothic.family()});
    gothic.setPixelSize(12);
    setFont(gothic);
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateInputDialogs();
    timDraw = new QTimer(this);
    timDraw->setObjectName("timDraw");
    connect(timDraw, &QTimer::timeout, this, [this] { Command([this] { timDrawTimer(); }); });
    FormCreate();
}

void TfrmMain::FormCreate() {
    const TShellSettings shell = Global().LoadSettings(SettingsFileName());
    state_.ToolBarChecked = shell.ShowToolBar;
    state_.StatusBarChecked = shell.ShowStatusBar;
    state_.PaletteRedrawChecked = shell.RePalette;
    pnlToolbar->setVisible(shell.ShowToolBar);
    stbOption->setVisible(shell.ShowStatusBar);

    TVistal& e = Vistal();
    e.ErrorReporter = reporter_.get();
    e.PumpHook = [this] { PumpEvents(); };
    setAcceptDrops(true); // palette and scenic-spot files (MainFormLocations.cpp)

    // The picture fills what the bars leave of the first client area.
    int bars = 0;
    if (shell.ShowToolBar) bars += kToolBarHeight;
    if (shell.ShowStatusBar) bars += kStatusBarHeight;
    ptbVistal->setFixedSize(kInitialClientWidth, std::max(0, kInitialClientHeight - bars));
    FitWindowToPicture();
    // 明暗 is the one parameter menu the start-up sequence leaves alone: it
    // shows the engine's value from the beginning.
    state_.Check(TMenuGroup::LightDark, LightDarkItem(e.LightDark));
    ShowIdle();
    ShowChecks();
}

TfrmMain::~TfrmMain() {
    FormDestroy();
}

void TfrmMain::FormDestroy() {
    timDraw->stop();
    Vistal().SetDrawing(false);
    Vistal().PumpHook = nullptr;
    // The bars' menu checks, not their visibility: closing in full screen,
    // which hides both, keeps the user's choice for the next start.
    const TShellSettings shell{state_.StatusBarChecked, state_.ToolBarChecked, state_.PaletteRedrawChecked};
    ui::Guarded(*prompt_, [&] {
        try {
            Global().SaveSettings(SettingsFileName(), shell);
        } catch (const ESettingsError& error) {
            // The window is going; the box stands on its own.
            if (prompt_->Parent == this) prompt_->Parent = nullptr;
            prompt_->ShowError(QString::fromStdString(error.what()));
        }
    });
    if (prompt_->Parent == this) prompt_->Parent = nullptr;
}

template <class F> void TfrmMain::On(QAction* action, F handler) {
    connect(action, &QAction::triggered, this, [this, handler] { Command(handler); });
}

QAction* TfrmMain::Item(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // Held by the window too, so the shortcut works while the menus are
        // hidden (full screen) and for the items of the hidden menu.
        addAction(action);
    }
    if (menu) menu->addAction(action);
    return action;
}

QAction* TfrmMain::Radio(QMenu* menu, TMenuGroup group, const char* name, const QString& caption) {
    QAction* action = Item(menu, name, caption);
    action->setCheckable(true);
    auto& items = groupItems_[static_cast<int>(group)];
    QActionGroup* actions = items.empty() ? new QActionGroup(this) : items.front()->actionGroup();
    actions->addAction(action);
    items.push_back(action);
    return action;
}

QAction* TfrmMain::Toggle(QMenu* menu, const char* name, const QString& caption,
                          const QKeySequence& shortcut) {
    QAction* action = Item(menu, name, caption, shortcut);
    action->setCheckable(true);
    return action;
}

void TfrmMain::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("mnuMain");
    auto menu = [this](QMenu* parent, const char* name, const QString& caption) {
        QMenu* m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };

    // ﾌｧｲﾙ
    mnuFile = menu(nullptr, "mnuFile", QStringLiteral("ﾌｧｲﾙ(&F)"));
    mnuFileDraw = Item(mnuFile, "mnuFileDraw", QStringLiteral("再描画(&N)"), ctrl(Qt::Key_N));
    mnuFileForceDraw = Item(mnuFile, "mnuFileForceDraw", QStringLiteral("強制再描画(&F)"));
    mnuFilePre = Item(mnuFile, "mnuFilePre", QStringLiteral("一つ前に戻る(&B)"), ctrl(Qt::Key_B));
    mnuFileFirst = Item(mnuFile, "mnuFileFirst", QStringLiteral("最初に戻す(&R)"));
    mnuFileAbort = Item(mnuFile, "mnuFileAbort", QStringLiteral("中断(&A)"), ctrl(Qt::Key_A));
    mnuFile->addSeparator();
    mnuFileSave = Item(mnuFile, "mnuFileSave", QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟの保存(&S)..."), ctrl(Qt::Key_S));
    mnuFileSetWP = menu(mnuFile, "mnuFileSetWP", QStringLiteral("壁紙に設定(&W)"));
    mnuFileSetWPSpread = Item(mnuFileSetWP, "mnuFileSetWPSpread", QStringLiteral("並べて表示(&W)"));
    mnuFileSetWPCenter = Item(mnuFileSetWP, "mnuFileSetWPCenter", QStringLiteral("中央に表示(&L)"));
    mnuFileClipBoard =
        Item(mnuFile, "mnuFileClipBoard", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存(&C)"), ctrl(Qt::Key_C));
    mnuFile->addSeparator();
    mnuFileExit = Item(mnuFile, "mnuFileExit", QStringLiteral("終了(&X)"));

    // 描画設定
    mnuOption = menu(nullptr, "mnuOption", QStringLiteral("描画設定(&O)"));
    mnuOptionZoom = menu(mnuOption, "mnuOptionZoom", QStringLiteral("拡縮(&Z)"));
    mnuOptionZoom1 = Radio(mnuOptionZoom, TMenuGroup::ZoomFactor, "mnuOptionZoom1", QStringLiteral("x&2"));
    mnuOptionZoom2 = Radio(mnuOptionZoom, TMenuGroup::ZoomFactor, "mnuOptionZoom2", QStringLiteral("x&4"));
    mnuOptionZoom3 = Radio(mnuOptionZoom, TMenuGroup::ZoomFactor, "mnuOptionZoom3", QStringLiteral("x&8"));
    mnuOptionZoom4 = Radio(mnuOptionZoom, TMenuGroup::ZoomFactor, "mnuOptionZoom4", QStringLiteral("x&16"));
    mnuOptionZoomMove =
        Radio(mnuOptionZoom, TMenuGroup::ZoomFactor, "mnuOptionZoomMove", QStringLiteral("移動(&M)"));
    mnuOptionZoom->addSeparator();
    mnuOptionZoomUser =
        Radio(mnuOptionZoom, TMenuGroup::ZoomFactor, "mnuOptionZoomUser", QStringLiteral("指定(&U)..."));

    mnuOptionSize = menu(mnuOption, "mnuOptionSize", QStringLiteral("表示ｻｲｽﾞ(&S)"));
    const auto size = [this](const char* name, const char* caption) {
        return Radio(mnuOptionSize, TMenuGroup::PictureSize, name, QString::fromUtf8(caption));
    };
    mnuOptionSize200x200 = size("mnuOptionSize200x200", "&200 x 200");
    mnuOptionSize2 = size("mnuOptionSize2", "&400 x 400");
    mnuOptionSize3 = size("mnuOptionSize3", "&500 x 500");
    mnuOptionSize700x700 = size("mnuOptionSize700x700", "&700 x 700");
    mnuOptionSize->addSeparator();
    mnuOptionSize320x240 = size("mnuOptionSize320x240", "&320 x 240");
    mnuOptionSize4 = size("mnuOptionSize4", "&640 x 480");
    mnuOptionSize5 = size("mnuOptionSize5", "&800 x 600");
    mnuOptionSize6 = size("mnuOptionSize6", "&1024 x 768");
    mnuOptionSize->addSeparator();
    mnuOptionSizeUser = size("mnuOptionSizeUser", "指定(&U)...");
    mnuOption->addSeparator();

    mnuOptionIteration = menu(mnuOption, "mnuOptionIteration", QStringLiteral("繰り返し回数(&I)"));
    const auto iteration = [this](const char* name, const char* caption) {
        return Radio(mnuOptionIteration, TMenuGroup::Iteration, name, QString::fromUtf8(caption));
    };
    mnuOptionIteration256 = iteration("mnuOptionIteration256", "&256");
    mnuOptionIteration1024 = iteration("mnuOptionIteration1024", "&1024");
    mnuOptionIteration4096 = iteration("mnuOptionIteration4096", "&4096");
    mnuOptionIteration32768 = iteration("mnuOptionIteration32768", "&32768");
    mnuOptionIteration200000 = iteration("mnuOptionIteration200000", "2&00000");
    mnuOptionIteration->addSeparator();
    mnuOptionIterationUser = iteration("mnuOptionIterationUser", "指定(&U)...");

    mnuOptionDetail = menu(mnuOption, "mnuOptionDetail", QStringLiteral("分解能(&D)"));
    const auto detail = [this](const char* name, const char* caption) {
        return Radio(mnuOptionDetail, TMenuGroup::Detail, name, QString::fromUtf8(caption));
    };
    mnuOptionDetail1 = detail("mnuOptionDetail1", "&1");
    mnuOptionDetail2 = detail("mnuOptionDetail2", "&2");
    mnuOptionDetail3 = detail("mnuOptionDetail3", "&3");
    mnuOptionDetail4 = detail("mnuOptionDetail4", "&4");
    mnuOptionDetail->addSeparator();
    mnuOptionDetailUser = detail("mnuOptionDetailUser", "指定(&U)...");
    mnuOptionDetailAuto = detail("mnuOptionDetailAuto", "自動(&A)");

    mnuOptionPalette = menu(mnuOption, "mnuOptionPalette", QStringLiteral("ﾊﾟﾚｯﾄ(&P)"));
    const auto palette = [this](const char* name, const char* caption) {
        return Radio(mnuOptionPalette, TMenuGroup::Palette, name, QString::fromUtf8(caption));
    };
    mnuOptionPaletteStandard = palette("mnuOptionPaletteStandard", "標準(&S)");
    mnuOptionPaletteMono = palette("mnuOptionPaletteMono", "白黒(&M)");
    mnuOptionPaletteBlue = palette("mnuOptionPaletteBlue", "青(&B)");
    mnuOptionPaletteReadVCP = palette("mnuOptionPaletteReadVCP", "VCPﾌｧｲﾙを読む(&R)...");
    mnuOptionPaletteReadVCP->setShortcut(ctrl(Qt::Key_P));
    addAction(mnuOptionPaletteReadVCP);
    mnuOptionPalette->addSeparator();
    mnuOptionPalletCustomColor =
        Item(mnuOptionPalette, "mnuOptionPalletCustomColor", QStringLiteral("色0の設定"));
    mnuOptionPalette->addSeparator();
    mnuOptionPaletteRedraw =
        Toggle(mnuOptionPalette, "mnuOptionPaletteRedraw", QStringLiteral("ﾊﾟﾚｯﾄ選択で再描画(&N)"));

    mnuOptionPower = menu(mnuOption, "mnuOptionPower", QStringLiteral("巾乗(&N)"));
    const auto power = [this](const char* name, const char* caption) {
        return Radio(mnuOptionPower, TMenuGroup::Power, name, QString::fromUtf8(caption));
    };
    mnuOptionPowerNormal = power("mnuOptionPowerNormal", "標準(&2)");
    mnuOptionPower3 = power("mnuOptionPower3", "&3");
    mnuOptionPower4 = power("mnuOptionPower4", "&4");
    mnuOptionPower5 = power("mnuOptionPower5", "&5");
    mnuOptionPower->addSeparator();
    mnuOptionPowerUser = power("mnuOptionPowerUser", "指定(&U)...");

    mnuOptionShadeOff = Toggle(mnuOption, "mnuOptionShadeOff", QStringLiteral("ぼかし"));
    mnuOption->addSeparator();
    mnuOptionManualMove =
        Item(mnuOption, "mnuOptionManualMove", QStringLiteral("座標指定(&M)..."), ctrl(Qt::Key_M));
    mnuOptionJuliaConst =
        Item(mnuOption, "mnuOptionJuliaConst", QStringLiteral("じゅりあ定数(&J)..."), ctrl(Qt::Key_J));
    mnuOptionChange = Item(mnuOption, "mnuOptionChange", QStringLiteral("&Change"));
    mnuOption->addSeparator();

    mnuOptionMode = menu(mnuOption, "mnuOptionMode", QStringLiteral("描画方法(&W)"));
    const auto mode = [this](const char* name, const char* caption) {
        return Radio(mnuOptionMode, TMenuGroup::DrawMode, name, QString::fromUtf8(caption));
    };
    mnuOptionModeNormal = mode("mnuOptionModeNormal", "普通(&N)");
    mnuOptionModeBlock = mode("mnuOptionModeBlock", "探索(&E)");
    mnuOptionModeBorder = mode("mnuOptionModeBorder", "境界走査(&B)");
    mnuOptionModeFadein = mode("mnuOptionModeFadein", "浮き出し(&F)");
    mnuOptionModeSAntiArea = mode("mnuOptionModeSAntiArea", "簡易ｱﾝﾁｴﾘｱｼﾝｸﾞ(&S)");
    mnuOptionMode->addSeparator();
    mnuOptionModeExt = menu(mnuOptionMode, "mnuOptionModeExt", QStringLiteral("拡張描画(&X)"));
    {
        // 拡張描画 is the sixth choice of the method group: checked while an
        // extended method is chosen.
        QAction* ext = mnuOptionModeExt->menuAction();
        ext->setCheckable(true);
        auto& items = groupItems_[static_cast<int>(TMenuGroup::DrawMode)];
        items.front()->actionGroup()->addAction(ext);
        items.push_back(ext);
    }
    const auto ext = [this](const char* name, const char* caption) {
        return Radio(mnuOptionModeExt, TMenuGroup::ExtDrawMode, name, QString::fromUtf8(caption));
    };
    mnuOptionModeExtNormal = ext("mnuOptionModeExtNormal", "普通(&N)");
    mnuOptionModePotential = ext("mnuOptionModePotential", "ポテンシャル(&P)");
    mnuOptionModePotential2 = ext("mnuOptionModePotential2", "ポテンシャル&2");
    mnuOptionModePotential3 = ext("mnuOptionModePotential3", "ポテンシャル&3");
    mnuOptionModeExt->addSeparator();
    mnuOptionModeMixed = menu(mnuOptionModeExt, "mnuOptionModeMixed", QStringLiteral("合成(&M)"));
    mnuOptionModeMixedExist = Radio(mnuOptionModeMixed, TMenuGroup::DrawCompo, "mnuOptionModeMixedExist",
                                    QStringLiteral("あり(&E)"));
    mnuOptionModeMixedNone = Radio(mnuOptionModeMixed, TMenuGroup::DrawCompo, "mnuOptionModeMixedNone",
                                   QStringLiteral("なし(&N)"));
    mnuOptionModeBright = menu(mnuOptionModeExt, "mnuOptionModeBright", QStringLiteral("明るさ取得(&B)"));
    const auto bright = [this](const char* name, const char* caption) {
        return Radio(mnuOptionModeBright, TMenuGroup::PotentialBright, name, QString::fromUtf8(caption));
    };
    mnuOptionModeBright1 = bright("mnuOptionModeBright1", "明るさ&1");
    mnuOptionModeBright2 = bright("mnuOptionModeBright2", "明るさ&2");
    mnuOptionModeBright3 = bright("mnuOptionModeBright3", "明るさ&3");
    mnuOptionModeBright4 = bright("mnuOptionModeBright4", "明るさ&4");
    mnuOptionModeCorrection =
        menu(mnuOptionModeExt, "mnuOptionModeCorrection", QStringLiteral("補正係数(&C)"));
    for (int i = 0; i < 10; ++i) {
        const QByteArray name = "mnuOptionModeCorrection" + QByteArray::number(i);
        mnuOptionModeCorrectionN[i] =
            Radio(mnuOptionModeCorrection, TMenuGroup::Correction, name.constData(), QString::number(i));
    }
    mnuOptionModeCorrection->addSeparator();
    mnuOptionModeCorrectionUser = Radio(mnuOptionModeCorrection, TMenuGroup::Correction,
                                        "mnuOptionModeCorrectionUser", QStringLiteral("指定(&U)..."));
    mnuOptionModeLightDark = menu(mnuOptionModeExt, "mnuOptionModeLightDark", QStringLiteral("明暗(&L)"));
    mnuOptionModeLightDark1 = Radio(mnuOptionModeLightDark, TMenuGroup::LightDark, "mnuOptionModeLightDark1",
                                    QStringLiteral("明暗&1"));
    mnuOptionModeLightDark2 = Radio(mnuOptionModeLightDark, TMenuGroup::LightDark, "mnuOptionModeLightDark2",
                                    QStringLiteral("明暗&2"));
    mnuOptionModeRepresentation =
        menu(mnuOptionModeExt, "mnuOptionModeRepresentation", QStringLiteral("表現(&R)"));
    mnuOptionModeRepresentation1 = Radio(mnuOptionModeRepresentation, TMenuGroup::Represent,
                                         "mnuOptionModeRepresentation1", QStringLiteral("表現&1"));
    mnuOptionModeRepresentation2 = Radio(mnuOptionModeRepresentation, TMenuGroup::Represent,
                                         "mnuOptionModeRepresentation2", QStringLiteral("表現&2"));
    mnuOptionModeEscape = menu(mnuOptionModeExt, "mnuOptionModeEscape", QStringLiteral("打切判定数(&E)"));
    const auto escape = [this](const char* name, const char* caption) {
        return Radio(mnuOptionModeEscape, TMenuGroup::Escape, name, QString::fromUtf8(caption));
    };
    mnuOptionModeEscape1 = escape("mnuOptionModeEscape1", "&1");
    mnuOptionModeEscape2 = escape("mnuOptionModeEscape2", "&2");
    mnuOptionModeEscape1024 = escape("mnuOptionModeEscape1024", "&1024");
    mnuOptionModeEscape8192 = escape("mnuOptionModeEscape8192", "&8192");
    mnuOptionModeEscape65536 = escape("mnuOptionModeEscape65536", "&65536");
    mnuOptionModeEscape->addSeparator();
    mnuOptionModeEscapeUser = escape("mnuOptionModeEscapeUser", "指定(&U)...");
    mnuOption->addSeparator();

    mnuOptionRubberBand = menu(mnuOption, "mnuOptionRubberBand", QStringLiteral("ﾗﾊﾞｰﾊﾞﾝﾄﾞ(&B)"));
    mnuOptionRubberBandTwoPoint = Radio(mnuOptionRubberBand, TMenuGroup::RubberBand,
                                        "mnuOptionRubberBandTwoPoint", QStringLiteral("２頂点(&T)"));
    mnuOptionRubberBandCenterAndPoint =
        Radio(mnuOptionRubberBand, TMenuGroup::RubberBand, "mnuOptionRubberBandCenterAndPoint",
              QStringLiteral("中心と頂点(&C)"));
    mnuOptionRefresh = menu(mnuOption, "mnuOptionRefresh", QStringLiteral("書換頻度(&R)"));
    const auto refresh = [this](const char* name, const char* caption) {
        return Radio(mnuOptionRefresh, TMenuGroup::Refresh, name, QString::fromUtf8(caption));
    };
    mnuOptionRefresh1 = refresh("mnuOptionRefresh1", "&1(多い)");
    mnuOptionRefresh3 = refresh("mnuOptionRefresh3", "&3");
    mnuOptionRefresh5 = refresh("mnuOptionRefresh5", "&5");
    mnuOptionRefresh7 = refresh("mnuOptionRefresh7", "&7");
    mnuOptionRefresh9 = refresh("mnuOptionRefresh9", "&9(少ない)");
    mnuOptionRefreshNo = refresh("mnuOptionRefreshNo", "なし(&N)");
    mnuOptionRefresh->addSeparator();
    mnuOptionRefreshUser = refresh("mnuOptionRefreshUser", "指定(&U)...");
    mnuOption->addSeparator();
    mnuOptionOption = Item(mnuOption, "mnuOptionOption", QStringLiteral("ｵﾌﾟｼｮﾝ(&O)..."));

    // 表示
    mnuView = menu(nullptr, "mnuView", QStringLiteral("表示(&V)"));
    mnuOptionDrawSetting = Item(mnuView, "mnuOptionDrawSetting", QStringLiteral("描画設定(&D)"));
    mnuOptionPosition = Item(mnuView, "mnuOptionPosition", QStringLiteral("座標表示(&L)"));
    mnuView->addSeparator();
    ViewToolBar = Toggle(mnuView, "ViewToolBar", QStringLiteral("ﾂｰﾙﾊﾞｰ(&T)"));
    ViewStatusbar = Toggle(mnuView, "ViewStatusbar", QStringLiteral("ｽﾃｰﾀｽﾊﾞｰ(&S)"));
    mnuView->addSeparator();
    ViewFullScreen =
        Toggle(mnuView, "ViewFullScreen", QStringLiteral("全画面表示(&F)"), QKeySequence(Qt::Key_F11));

    // おすすめ
    mnuRecommendation = menu(nullptr, "mnuRecommendation", QStringLiteral("おすすめ(&R)"));
    mnuRecoRecommendationOpen =
        Item(mnuRecommendation, "mnuRecoRecommendationOpen", QStringLiteral("移動(&O)..."), ctrl(Qt::Key_O));
    mnuRecoEntry = Item(mnuRecommendation, "mnuRecoEntry", QStringLiteral("登録(&E)..."), ctrl(Qt::Key_E));
    mnuRecommendation->addSeparator();
    mnuRecoLoad = Item(mnuRecommendation, "mnuRecoLoad", QStringLiteral("景勝地読込(&L)..."));
    mnuRecoSave = Item(mnuRecommendation, "mnuRecoSave", QStringLiteral("景勝地保存(&S)..."));

    // ﾍﾙﾌﾟ
    mnuHelp = menu(nullptr, "mnuHelp", QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    mnuHelpHelp = Item(mnuHelp, "mnuHelpHelp", QStringLiteral("ﾍﾙﾌﾟ(&H)"), QKeySequence(Qt::Key_F1));
    mnuHelp->addSeparator();
    mnuHelpAbout = Item(mnuHelp, "mnuHelpAbout", QStringLiteral("びすたるのﾊﾞｰｼﾞｮﾝ情報(&A)..."));

    // 隠しﾒﾆｭｰ: never shown; its items live on the window for their shortcuts.
    K1 = new QMenu(QStringLiteral("隠しﾒﾆｭｰ"), this);
    K1->setObjectName("K1");
    RePaint = Item(K1, "RePaint", QStringLiteral("再表示"), ctrl(Qt::Key_L));
    ZoomIn = Item(K1, "ZoomIn", QStringLiteral("拡大"), ctrl(Qt::Key_Insert));
    ZoomOut = Item(K1, "ZoomOut", QStringLiteral("縮小"), ctrl(Qt::Key_Delete));
    JCRandom = Item(K1, "JCRandom", QStringLiteral("ＪＣランダム"), ctrl(Qt::Key_R));

    // ---- what each item does ----
    connect(mnuFile, &QMenu::aboutToShow, this, [this] { Command([this] { mnuFileClick(); }); });
    connect(mnuOption, &QMenu::aboutToShow, this, [this] { Command([this] { mnuOptionClick(); }); });
    connect(mnuOptionModeExt, &QMenu::aboutToShow, this,
            [this] { Command([this] { mnuOptionModeExtClick(); }); });

    On(mnuFileDraw, [this] { mnuFileDrawClick(mnuFileDraw); });
    On(mnuFileForceDraw, [this] { mnuFileForceDrawClick(); });
    On(mnuFilePre, [this] { mnuFilePreClick(mnuFilePre); });
    On(mnuFileFirst, [this] { mnuFileFirstClick(); });
    On(mnuFileAbort, [this] { mnuFileAbortClick(); });
    On(mnuFileSave, [this] { mnuFileSaveClick(); });
    On(mnuFileSetWPSpread, [this] { mnuFileSetWPCenterClick(mnuFileSetWPSpread); });
    On(mnuFileSetWPCenter, [this] { mnuFileSetWPCenterClick(mnuFileSetWPCenter); });
    On(mnuFileClipBoard, [this] { mnuFileClipBoardClick(); });
    On(mnuFileExit, [this] { mnuFileExitClick(); });

    const int factors[] = {2, 4, 8, 16, 1};
    for (int i = 0; i < 5; ++i)
        On(groupItems_[static_cast<int>(TMenuGroup::ZoomFactor)][i],
           [this, f = factors[i]] { mnuOptionZoomClick(f); });
    On(mnuOptionZoomUser, [this] { mnuOptionZoomUserClick(); });
    for (int i = 0; i < static_cast<int>(kPictureSizes.size()); ++i)
        On(groupItems_[static_cast<int>(TMenuGroup::PictureSize)][i], [this, i] { mnuOptionSizeClick(i); });
    On(mnuOptionSizeUser, [this] { mnuOptionSizeUserClick(); });
    const int iterations[] = {256, 1024, 4096, 32768, 200000};
    for (int i = 0; i < 5; ++i)
        On(groupItems_[static_cast<int>(TMenuGroup::Iteration)][i],
           [this, n = iterations[i]] { SelectIteration(n); });
    On(mnuOptionIterationUser, [this] { mnuOptionIterationUserClick(); });
    for (int i = 0; i < 4; ++i)
        On(groupItems_[static_cast<int>(TMenuGroup::Detail)][i], [this, i] { SelectDetail(i + 1); });
    On(mnuOptionDetailUser, [this] { mnuOptionDetailUserClick(); });
    On(mnuOptionDetailAuto, [this] { mnuOptionDetailAutoClick(); });
    On(mnuOptionPaletteStandard, [this] { mnuOptionPaletteStandardClick(); });
    On(mnuOptionPaletteMono, [this] { mnuOptionPaletteMonoClick(); });
    On(mnuOptionPaletteBlue, [this] { mnuOptionPaletteBlueClick(); });
    On(mnuOptionPaletteReadVCP, [this] { mnuOptionPaletteReadVCPClick(); });
    On(mnuOptionPalletCustomColor, [this] { mnuOptionPalletCustomColorClick(); });
    On(mnuOptionPaletteRedraw, [this] { mnuOptionPaletteRedrawClick(); });
    for (int i = 0; i < 4; ++i)
        On(groupItems_[static_cast<int>(TMenuGroup::Power)][i], [this, i] { mnuOptionPowerClick(i + 2); });
    On(mnuOptionPowerUser, [this] { mnuOptionPowerUserClick(); });
    On(mnuOptionShadeOff, [this] { mnuOptionShadeOffClick(); });
    On(mnuOptionManualMove, [this] { mnuOptionManualMoveClick(); });
    On(mnuOptionJuliaConst, [this] { mnuOptionJuliaConstClick(); });
    On(mnuOptionChange, [this] { mnuOptionChangeClick(); });
    for (int i = 0; i < 5; ++i)
        On(groupItems_[static_cast<int>(TMenuGroup::DrawMode)][i], [this, i] { SelectDrawMode(i); });
    for (int i = 0; i < 4; ++i)
        On(groupItems_[static_cast<int>(TMenuGroup::ExtDrawMode)][i],
           [this, i] { SelectDrawMode(dmExtNormal + i); });
    On(mnuOptionModeMixedExist, [this] { SelectDrawCompo(1); });
    On(mnuOptionModeMixedNone, [this] { SelectDrawCompo(0); });
    for (int i = 0; i < 4; ++i)
        On(groupItems_[static_cast<int>(TMenuGroup::PotentialBright)][i],
           [this, i] { SelectPotentialBright(i); });
    for (int i = 0; i < 10; ++i)
        On(mnuOptionModeCorrectionN[i], [this, i] { SelectCorrection(i); });
    On(mnuOptionModeCorrectionUser, [this] { mnuOptionModeCorrectionUserClick(); });
    On(mnuOptionModeLightDark1, [this] { SelectLightDark(0); });
    On(mnuOptionModeLightDark2, [this] { SelectLightDark(1); });
    On(mnuOptionModeRepresentation1, [this] { SelectRepresent(0); });
    On(mnuOptionModeRepresentation2, [this] { SelectRepresent(1); });
    const double escapes[] = {1, 2, 1024, 8192, 65536};
    for (int i = 0; i < 5; ++i)
        On(groupItems_[static_cast<int>(TMenuGroup::Escape)][i], [this, x = escapes[i]] { SelectEscape(x); });
    On(mnuOptionModeEscapeUser, [this] { mnuOptionModeEscapeUserClick(); });
    On(mnuOptionRubberBandTwoPoint, [this] { state_.Check(TMenuGroup::RubberBand, 0); });
    On(mnuOptionRubberBandCenterAndPoint, [this] { state_.Check(TMenuGroup::RubberBand, 1); });
    for (int i = 0; i < 6; ++i)
        On(groupItems_[static_cast<int>(TMenuGroup::Refresh)][i], [this, i] { mnuOptionRefreshClick(i); });
    On(mnuOptionRefreshUser, [this] { mnuOptionRefreshUserClick(); });
    On(mnuOptionOption, [this] { mnuOptionOptionClick(); });
    On(mnuOptionDrawSetting, [this] { mnuOptionDrawSettingClick(); });
    On(mnuOptionPosition, [this] { mnuOptionPositionClick(); });
    On(ViewToolBar, [this] { ViewToolBarClick(); });
    On(ViewStatusbar, [this] { ViewStatusbarClick(); });
    On(ViewFullScreen, [this] { ViewFullScreenClick(); });
    On(mnuRecoRecommendationOpen, [this] { mnuRecoRecommendationOpenClick(); });
    On(mnuRecoEntry, [this] { mnuRecoEntryClick(); });
    On(mnuRecoLoad, [this] { mnuRecoLoadClick(); });
    On(mnuRecoSave, [this] { mnuRecoSaveClick(); });
    On(mnuHelpHelp, [this] { mnuHelpHelpClick(); });
    On(mnuHelpAbout, [this] { mnuHelpAboutClick(); });
    On(RePaint, [this] { timDrawTimer(); });
    On(ZoomIn, [this] { ZoomInClick(); });
    On(ZoomOut, [this] { ZoomOutClick(); });
    On(JCRandom, [this] { JCRandomClick(); });
}

void TfrmMain::CreateToolBar() {
    auto* central = new QWidget(this);
    central->setObjectName("central");
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    pnlToolbar = new QWidget(central);
    pnlToolbar->setObjectName("pnlToolbar");
    pnlToolbar->setFixedHeight(kToolBarHeight);
    const auto toolButton = [this](const char* name, const char* hint, int left, TToolGlyph glyph) {
        auto* b = new QToolButton(pnlToolbar);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(QString::fromUtf8(hint));
        b->setToolTipDuration(kHintHidePause);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setIcon(ToolGlyph(glyph));
        b->setIconSize(QSize(16, 16));
        b->setGeometry(left, 1, kToolButtonSize, kToolButtonSize);
        return b;
    };
    spbDraw = toolButton("spbDraw", "再描画", 1, TToolGlyph::Draw);
    spbAbort = toolButton("spbAbort", "中断", 24, TToolGlyph::Abort);
    spbBmpSave = toolButton("spbBmpSave", "BMP保存", 47, TToolGlyph::BmpSave);
    spbVrpRead = toolButton("spbVrpRead", "おすすめ移動", 79, TToolGlyph::VrpRead);
    spbVrpEntry = toolButton("spbVrpEntry", "おすすめ登録", 102, TToolGlyph::VrpEntry);
    spbPaletteVcp = toolButton("spbPaletteVcp", "VCP読込み", 134, TToolGlyph::PaletteVcp);
    spbMove = toolButton("spbMove", "座標指定", 157, TToolGlyph::Move);
    spbBack = toolButton("spbBack", "一つ前に戻る", 189, TToolGlyph::Back);
    spbBack->setEnabled(false);

    const auto click = [this](QToolButton* b, auto handler) {
        connect(b, &QToolButton::clicked, this, [this, handler] { Command(handler); });
    };
    click(spbDraw, [this] { mnuFileDrawClick(spbDraw); });
    click(spbAbort, [this] { mnuFileAbortClick(); });
    click(spbBmpSave, [this] { mnuFileSaveClick(); });
    click(spbVrpRead, [this] { mnuRecoRecommendationOpenClick(); });
    click(spbVrpEntry, [this] { mnuRecoEntryClick(); });
    click(spbPaletteVcp, [this] { mnuOptionPaletteReadVCPClick(); });
    click(spbMove, [this] { mnuOptionManualMoveClick(); });
    click(spbBack, [this] { mnuFilePreClick(spbBack); });

    Panel1 = new QWidget(central);
    Panel1->setObjectName("Panel1");
    ptbVistal = new TPaintBox(Panel1);
    ptbVistal->setObjectName("ptbVistal");
    ptbVistal->move(0, 0);
    ptbVistal->Picture = [this]() -> const TBitmap& { return ShownPicture(); };
    ptbVistal->Band = [this]() -> std::optional<QRect> {
        const std::optional<TBand> band = state_.Band();
        if (!band) return std::nullopt;
        return QRect(QPoint(band->A.X, band->A.Y), QPoint(band->B.X, band->B.Y));
    };
    connect(ptbVistal, &TPaintBox::MouseDown, this, [this](QMouseEvent* event) {
        bool known;
        const TMouseButton button = ButtonOf(event->button(), known);
        const QPoint at = PixelOf(event->position());
        if (known) Command([&] { ptbVistalMouseDown(button, ShiftOf(event), at.x(), at.y()); });
    });
    connect(ptbVistal, &TPaintBox::MouseMove, this, [this](QMouseEvent* event) {
        const QPoint at = PixelOf(event->position());
        Command([&] { ptbVistalMouseMove(ShiftOf(event), at.x(), at.y()); });
    });
    connect(ptbVistal, &TPaintBox::MouseUp, this, [this](QMouseEvent* event) {
        bool known;
        const TMouseButton button = ButtonOf(event->button(), known);
        const QPoint at = PixelOf(event->position());
        if (known) Command([&] { ptbVistalMouseUp(button, ShiftOf(event), at.x(), at.y()); });
    });
    connect(ptbVistal, &TPaintBox::Wheel, this, [this](QWheelEvent* event) {
        const QPoint at = PixelOf(event->position());
        const int delta = event->angleDelta().y();
        Command([&] { ptbVistalWheel(at.x(), at.y(), delta); });
    });

    column->addWidget(pnlToolbar);
    column->addWidget(Panel1, 1);
    setCentralWidget(central);
}

void TfrmMain::CreateStatusBar() {
    stbOption = statusBar();
    stbOption->setObjectName("stbOption");
    stbOption->setSizeGripEnabled(false);
    stbOption->setFixedHeight(kStatusBarHeight);
    // Half-width digits of the fixed-pitch Gothic are 6 pixels wide: "200000"
    // fits the 45 pixels of the first panel.
    QFont digits = font();
    digits.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"), font().family()});
    digits.setPixelSize(12);
    stbOption->setFont(digits);
    const struct {
        const char* name;
        int width;
        Qt::Alignment align;
    } panels[] = {
        {"stbIteration", 45, Qt::AlignRight},
        {"stbDetail", 30, Qt::AlignRight},
        {"stbPalette", 50, Qt::AlignLeft},
        {"stbProgress", 0, Qt::AlignRight},
    };
    for (int i = 0; i < 4; ++i) {
        auto* label = new TStatusPanel(panels[i].width, panels[i].align, stbOption);
        label->setObjectName(QString::fromLatin1(panels[i].name));
        // The last panel takes the rest of the bar: the running drawing's
        // progress, or the time the last one took.
        stbOption->addWidget(label, panels[i].width > 0 ? 0 : 1);
        stbPanels[i] = label;
    }
}

// ---- menu checks and the busy state ----------------------------------------

void TfrmMain::ShowChecks() {
    for (int g = 0; g < kMenuGroupCount; ++g) {
        const auto& items = groupItems_[g];
        const int checked = state_.Checked(static_cast<TMenuGroup>(g));
        if (checked >= 0 && checked < static_cast<int>(items.size())) {
            if (!items[checked]->isChecked()) items[checked]->setChecked(true);
        } else {
            for (QAction* item : items)
                if (item->isChecked()) item->setChecked(false);
        }
    }
    mnuOptionShadeOff->setChecked(state_.ShadeOffChecked);
    mnuOptionPaletteRedraw->setChecked(state_.PaletteRedrawChecked);
    ViewToolBar->setChecked(state_.ToolBarChecked);
    ViewStatusbar->setChecked(state_.StatusBarChecked);
    ViewFullScreen->setChecked(state_.FullScreenChecked);
    ViewFullScreen->setEnabled(state_.FullScreenEnabled);
    // The formula's items follow at once, not only when their menu opens: the
    // shortcut of a hidden item (じゅりあ定数, Ctrl+J) does not work.
    mnuOptionClick();
}

QString TfrmMain::FormulaLabel() const {
    return ui::FormulaLabel(state_.Vistal().Formula());
}

void TfrmMain::ShowBusy() {
    const QString title = QStringLiteral("* ") + FormulaLabel();
    SetApplicationTitle(title);
    setWindowTitle(title);
    spbAbort->setEnabled(true);
    spbBmpSave->setEnabled(false);
    // The File menu follows too, so that its shortcuts (中断 above all) work
    // whether or not the menu was opened since.
    mnuFileAbort->setEnabled(true);
    mnuFileSave->setEnabled(false);
    mnuFileSetWP->setEnabled(false);
}

void TfrmMain::ShowIdle() {
    const QString title = FormulaLabel();
    SetApplicationTitle(title);
    setWindowTitle(title);
    spbAbort->setEnabled(false);
    spbBmpSave->setEnabled(true);
    mnuFileAbort->setEnabled(false);
    mnuFileSave->setEnabled(true);
    mnuFileSetWP->setEnabled(true);
}

void TfrmMain::UpdateStatusBar() {
    const TVistal& e = state_.Vistal();
    stbPanels[0]->setText(QString::number(e.Iteration()));
    stbPanels[1]->setText(QString::number(e.Detail()));
    stbPanels[2]->setText(QFileInfo(QString::fromStdString(state_.Global().PaletteName)).completeBaseName());
}

void TfrmMain::UpdateProgressPanel() {
    const int percent = static_cast<int>(state_.Vistal().Progress() * 100);
    const QString text = QString::number(std::clamp(percent, 0, 100)) + QStringLiteral("%");
    if (stbPanels[3]->text() != text) stbPanels[3]->setText(text);
}

// ---- start-up ---------------------------------------------------------------

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The start-up drawings run once the window is on screen.
    if (state_.FirstActivation) QTimer::singleShot(0, this, [this] { Command([this] { FormActivate(); }); });
}

void TfrmMain::FormActivate() {
    if (!state_.FirstActivation) return;
    state_.FirstActivation = false;
    state_.FullScreenEnabled = false;
    ShowChecks();
    struct TEnableFullScreen {
        TfrmMain& window;
        ~TEnableFullScreen() {
            window.state_.FullScreenEnabled = true;
            window.ShowChecks();
        }
    } enableAtEnd{*this};

    // The start-up parameters, each through the command that sets it.
    const TStartupParameters p = StartupParameters();
    TGlobal& g = Global();
    state_.SelectRefreshRate(g.RefreshRate);
    state_.SelectZoomFactor(p.ZoomFactor);
    SelectIteration(p.Iteration);
    SelectDetail(p.Detail);
    // A drawing interrupted by the user (a click on the first picture) must
    // not cut the start-up short: the settings after it still apply.
    try {
        mnuOptionPowerClick(p.Pow);
    } catch (const EAbort&) {
    }
    SelectEscape(p.Escape);
    SelectCorrection(p.Correction);
    SelectDrawCompo(p.DrawCompo);
    SelectPotentialBright(p.PotentialBright);
    state_.SelectPalette(p.Palette);
    state_.Check(TMenuGroup::RubberBand, g.RubberBand == 0 ? 0 : 1);
    const int mode =
        g.StartDrawMode >= dmSearch && g.StartDrawMode <= dmSAntiArea ? g.StartDrawMode : int(dmNormal);
    SelectDrawMode(mode);
    SelectRepresent(p.Represent);
    state_.Check(TMenuGroup::PictureSize, PictureSizeItem(p.Width, p.Height));
    SetPictureSize(p.Width, p.Height);
}

// ---- the drawing loop -------------------------------------------------------

const TBitmap& TfrmMain::ShownPicture() {
    TVistal& e = Vistal();
    // Without output effects the picture shown is the drawing itself.
    if (e.BrightnessRaite() == 0 && !e.ShadeOff) return e.DrawBitmap();
    // A repaint has nobody to tell: without memory for the effects, the
    // drawing shows as it is.
    try {
        return e.GetImage();
    } catch (const std::bad_alloc&) {
        return e.DrawBitmap();
    }
}

void TfrmMain::PumpEvents() {
    if (pumpClock_.isValid() && pumpClock_.nsecsElapsed() < kPumpPeriod) return;
    pumpClock_.start();
    // The busy marks go up where they can first be seen: a title or a button
    // reaches the screen only when events are processed.
    if (busyPending_) {
        busyPending_ = false;
        ShowBusy();
    }
    if (progressClock_.isValid() && progressClock_.elapsed() >= kProgressPeriod) {
        UpdateProgressPanel();
        progressClock_.start();
    }
    QCoreApplication::processEvents();
}

void TfrmMain::mnuFileDrawClick(QObject* sender) {
    TVistal& e = Vistal();
    e.SetDrawing(false);
    if (state_.RefreshInterval > 0)
        timDraw->start(state_.RefreshInterval);
    else
        timDraw->stop();
    // ShowBusy, once the drawing first processes events (PumpEvents); a
    // drawing that ends before that was never seen busy.
    busyPending_ = true;
    pumpClock_.start();
    const int serial = ++drawSerial_;
    QElapsedTimer clock;
    clock.start();
    bool complete = false;
    const auto finish = [&] {
        timDraw->stop();
        progressClock_.invalidate();
        busyPending_ = false;
        ShowIdle(); // changes nothing on screen unless the busy marks went up
        timDrawTimer();
        // The last panel tells about this drawing unless a newer one started
        // inside it and has told about itself.
        if (serial == drawSerial_) {
            stbPanels[3]->setText(complete ? DurationText(clock.nsecsElapsed() / 1e9)
                                           : QStringLiteral("中断"));
        }
    };
    try {
        state_.BeginDrawing(sender != mnuFilePre && sender != spbBack);
        const bool back = state_.History().HasItems();
        spbBack->setEnabled(back);
        mnuFilePre->setEnabled(back);
        UpdateStatusBar();
        // Progress shows once a drawing has run for a while.
        progressClock_.start();
        state_.ApplyDrawingOptions();
        RefreshPositionDialog();
        RefreshDrawSettingDialog();
        e.Draw();
        complete = true;
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TfrmMain::timDrawTimer() {
    ptbVistal->update();
}

void TfrmMain::PushPosition() {
    state_.PushPosition();
}

void TfrmMain::GoBack() {
    state_.GoBack();
    ShowChecks();
}

void TfrmMain::FitWindowToPicture() {
    if (state_.FullScreenChecked) {
        // Full screen is the window manager's business: a window of fixed size
        // may not be allowed to fill the screen.
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return;
    }
    const QSize picture = ptbVistal->size();
    int height = picture.height();
    if (!pnlToolbar->isHidden()) height += kToolBarHeight;
    if (!stbOption->isHidden()) height += kStatusBarHeight;
    if (!menuBar()->isHidden()) {
        const int menu = menuBar()->heightForWidth(picture.width());
        height += menu > 0 ? menu : menuBar()->sizeHint().height();
    }
    setFixedSize(picture.width(), height);
}

void TfrmMain::SetPictureSize(int w, int h) {
    if (ptbVistal->size() == QSize(w, h)) return;
    TVistal& e = Vistal();
    e.SetDrawing(false);
    ptbVistal->setFixedSize(w, h);
    FitWindowToPicture();
    e.SetWidth(w);
    e.SetHeight(h);
    mnuFileDrawClick(this);
}

void TfrmMain::StopAndChangeFormula() {
    state_.StopAndChangeFormula();
}

void TfrmMain::ApplyVcpFile(const QString& path) {
    dlgOpen.FileName = path;
    Vistal().LoadVcp(path.toStdString());
    state_.Check(TMenuGroup::Palette, 3);
    Global().PaletteName = path.toStdString();
    ShowChecks();
}

void TfrmMain::RedrawOnPaletteChange() {
    if (state_.PaletteRedrawChecked) mnuFileDrawClick(this);
}

void TfrmMain::SetRefreshInterval(int ms) {
    state_.SetRefreshInterval(ms);
    if (Vistal().Drawing()) {
        if (state_.RefreshInterval > 0)
            timDraw->start(state_.RefreshInterval);
        else
            timDraw->stop();
    }
}

void TfrmMain::ToggleStatusBar() {
    stbOption->setVisible(stbOption->isHidden());
    state_.StatusBarChecked = !stbOption->isHidden();
    FitWindowToPicture();
}

void TfrmMain::ToggleToolBar() {
    pnlToolbar->setVisible(pnlToolbar->isHidden());
    state_.ToolBarChecked = !pnlToolbar->isHidden();
    FitWindowToPicture();
}

bool TfrmMain::FormCloseQuery() {
    if (!Vistal().Drawing()) return true;
    if (!prompt_->Confirm(QStringLiteral("描画中ですが終了しますか？"))) return false;
    Vistal().SetDrawing(false);
    return true;
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    bool close = false;
    Command([&] { close = FormCloseQuery(); });
    if (close)
        event->accept();
    else
        event->ignore();
}

// ---- Select operations --------------------------------------------------------

void TfrmMain::SelectIteration(int n) {
    state_.SelectIteration(n);
    ShowChecks();
}
void TfrmMain::SelectDetail(int n) {
    state_.SelectDetail(n);
    ShowChecks();
}
void TfrmMain::SelectPower(int n) {
    state_.SelectPower(n);
    ShowChecks();
}
void TfrmMain::SelectEscape(double x) {
    state_.SelectEscape(x);
    ShowChecks();
}
void TfrmMain::SelectCorrection(double x) {
    state_.SelectCorrection(x);
    ShowChecks();
}
void TfrmMain::SelectRepresent(int n) {
    state_.SelectRepresent(n);
    ShowChecks();
}
void TfrmMain::SelectLightDark(int n) {
    state_.SelectLightDark(n);
    ShowChecks();
}
void TfrmMain::SelectDrawCompo(int n) {
    state_.SelectDrawCompo(n);
    ShowChecks();
}
void TfrmMain::SelectPotentialBright(int n) {
    state_.SelectPotentialBright(n);
    ShowChecks();
}
void TfrmMain::SelectDrawMode(int n) {
    state_.SelectDrawMode(n);
    ShowChecks();
}
void TfrmMain::SelectShadeOff(bool b) {
    state_.SelectShadeOff(b);
    ShowChecks();
    // An output effect needs no drawing: the picture on screen follows at once.
    ptbVistal->update();
}

// ---- menu commands ------------------------------------------------------------

void TfrmMain::mnuFileClick() {
    const bool drawing = Vistal().Drawing();
    mnuFilePre->setEnabled(state_.History().HasItems());
    mnuFileSave->setEnabled(!drawing);
    mnuFileSetWP->setEnabled(!drawing);
    mnuFileAbort->setEnabled(drawing);
}

void TfrmMain::mnuFilePreClick(QObject* sender) {
    GoBack();
    mnuFileDrawClick(sender);
}

void TfrmMain::mnuFileForceDrawClick() {
    Vistal().ClearResultCache();
    mnuFileDrawClick(mnuFileForceDraw);
}

void TfrmMain::mnuFileFirstClick() {
    Vistal().ResetView();
    mnuFileDrawClick(mnuFileFirst);
}

void TfrmMain::mnuFileAbortClick() {
    Vistal().SetDrawing(false);
}

void TfrmMain::mnuFileExitClick() {
    close();
}

void TfrmMain::mnuOptionClick() {
    switch (Vistal().Formula()) {
    case fmMandelbrot:
        mnuOptionChange->setText(QStringLiteral("じゅりあ(&C)"));
        mnuOptionJuliaConst->setVisible(false);
        break;
    case fmJulia:
        mnuOptionChange->setText(QStringLiteral("びすたる(&C)"));
        mnuOptionJuliaConst->setVisible(true);
        break;
    default:
        mnuOptionChange->setText(QStringLiteral("Error"));
        break;
    }
}

void TfrmMain::mnuOptionZoomClick(int factor) {
    state_.SelectZoomFactor(factor);
}

void TfrmMain::mnuOptionSizeClick(int item) {
    CheckPictureSize(kPictureSizes[item].Width, kPictureSizes[item].Height);
    state_.Check(TMenuGroup::PictureSize, item);
    ShowChecks();
    SetPictureSize(kPictureSizes[item].Width, kPictureSizes[item].Height);
}

void TfrmMain::mnuOptionDetailAutoClick() {
    state_.SelectDetailAuto();
}

void TfrmMain::mnuOptionPaletteStandardClick() {
    state_.SelectPalette(TBuiltinPalette::Standard);
    RedrawOnPaletteChange();
}

void TfrmMain::mnuOptionPaletteMonoClick() {
    state_.SelectPalette(TBuiltinPalette::Mono);
    RedrawOnPaletteChange();
}

void TfrmMain::mnuOptionPaletteBlueClick() {
    state_.SelectPalette(TBuiltinPalette::Blue);
    RedrawOnPaletteChange();
}

void TfrmMain::mnuOptionPaletteRedrawClick() {
    state_.PaletteRedrawChecked = !state_.PaletteRedrawChecked;
}

void TfrmMain::mnuOptionPowerClick(int n) {
    SelectPower(n);
    Vistal().ResetView();
    mnuFileDrawClick(this);
}

void TfrmMain::mnuOptionShadeOffClick() {
    SelectShadeOff(!state_.ShadeOffChecked);
}

void TfrmMain::mnuOptionChangeClick() {
    StopAndChangeFormula();
    mnuFileDrawClick(mnuOptionChange);
}

void TfrmMain::mnuOptionModeExtClick() {
    // No extended method looks chosen while 拡張描画 itself is not.
    if (state_.Checked(TMenuGroup::DrawMode) != 5) state_.Check(TMenuGroup::ExtDrawMode, -1);
}

void TfrmMain::mnuOptionRefreshClick(int item) {
    state_.Check(TMenuGroup::Refresh, item);
    SetRefreshInterval(item < static_cast<int>(kRefreshIntervals.size()) ? kRefreshIntervals[item] : 0);
}

void TfrmMain::ViewToolBarClick() {
    ToggleToolBar();
}

void TfrmMain::ViewStatusbarClick() {
    ToggleStatusBar();
}

void TfrmMain::ViewFullScreenClick() {
    TVistal& e = Vistal();
    if (!state_.FullScreenChecked) {
        const QRect screen = this->screen()->geometry();
        CheckPictureSize(screen.width(), screen.height());
        state_.FullScreenChecked = true;
        ShowChecks();
        pnlToolbar->hide();
        stbOption->hide();
        menuBar()->hide();
        state_.WindowedWidth = e.Width();
        state_.WindowedHeight = e.Height();
        // The position of the client area: unlike the frame's, it does not
        // depend on when the window manager puts the frame back.
        state_.WindowedTop = geometry().y();
        state_.WindowedLeft = geometry().x();
        FitWindowToPicture();
        showFullScreen();
        SetPictureSize(screen.width(), screen.height());
    } else {
        state_.FullScreenChecked = false;
        ShowChecks();
        pnlToolbar->setVisible(state_.ToolBarChecked);
        stbOption->setVisible(state_.StatusBarChecked);
        menuBar()->show();
        // As SetPictureSize, with the window back at its place before the
        // drawing starts. The window is of fixed size again before it leaves
        // full screen, so that the window manager frames it as such.
        const int w = state_.WindowedWidth, h = state_.WindowedHeight;
        const bool resize = ptbVistal->size() != QSize(w, h);
        if (resize) {
            e.SetDrawing(false);
            ptbVistal->setFixedSize(w, h);
        }
        FitWindowToPicture();
        showNormal();
        QRect client = geometry();
        client.moveTopLeft(QPoint(state_.WindowedLeft, state_.WindowedTop));
        setGeometry(client);
        if (resize) {
            e.SetWidth(w);
            e.SetHeight(h);
            mnuFileDrawClick(this);
        }
    }
}

void TfrmMain::mnuOptionPositionClick() {
    if (!frmPositionInfoDialog) return;
    frmPositionInfoDialog->show();
    frmPositionInfoDialog->raise();
    frmPositionInfoDialog->activateWindow();
}

void TfrmMain::mnuHelpHelpClick() {
    OpenHelp(*prompt_, QCoreApplication::applicationDirPath());
}

void TfrmMain::mnuHelpAboutClick() {
    dlgAbout.Execute(*prompt_);
}

void TfrmMain::RefreshPositionDialog() {
    if (frmPositionInfoDialog) frmPositionInfoDialog->Refresh(Vistal());
}

void TfrmMain::ZoomInClick() {
    Vistal().ZoomIn();
    mnuFileDrawClick(ZoomIn);
}

void TfrmMain::ZoomOutClick() {
    Vistal().ZoomOut();
    mnuFileDrawClick(ZoomOut);
}

void TfrmMain::JCRandomClick() {
    if (state_.JCRandom()) mnuFileDrawClick(JCRandom);
}

void TfrmMain::FormKeyUp(int key) {
    if (key == Qt::Key_Escape && state_.FullScreenChecked) ViewFullScreenClick();
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) pressedKey_ = event->key();
    QMainWindow::keyPressEvent(event);
}

void TfrmMain::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && event->key() == pressedKey_) {
        pressedKey_ = 0;
        Command([&] { FormKeyUp(event->key()); });
    }
    QMainWindow::keyReleaseEvent(event);
}

// ---- mouse --------------------------------------------------------------------

void TfrmMain::ptbVistalMouseDown(TMouseButton button, TShiftState, int x, int y) {
    state_.MouseDown(button, x, y);
}

void TfrmMain::ptbVistalMouseMove(TShiftState shift, int x, int y) {
    if (state_.MouseMove(shift, x, y)) ptbVistal->update();
}

void TfrmMain::ptbVistalMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const bool draw = state_.MouseUp(button, shift, x, y);
    ptbVistal->update();
    if (draw) mnuFileDrawClick(ptbVistal);
}

void TfrmMain::ptbVistalWheel(int x, int y, int delta) {
    wheelDelta_ += delta;
    bool changed = false;
    while (wheelDelta_ >= 120 || wheelDelta_ <= -120) {
        const bool in = wheelDelta_ > 0;
        wheelDelta_ += in ? -120 : 120;
        changed = state_.ZoomAbout(x, y, in) || changed;
    }
    if (!changed) return;
    // A burst of steps makes one drawing: the running one stops now, and the
    // new one starts once the pending events are through.
    Vistal().SetDrawing(false);
    if (wheelDrawPending_) return;
    wheelDrawPending_ = true;
    QTimer::singleShot(0, this, [this] {
        Command([this] {
            wheelDrawPending_ = false;
            mnuFileDrawClick(ptbVistal);
        });
    });
}

} // namespace vistal::ui
