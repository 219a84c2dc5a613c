// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainForm.h"

#include "ui/AppTitle.h"
#include "ui/DrawSettingDialog.h"
#include "ui/EntryDialog.h"
#include "ui/FormulaLabel.h"
#include "ui/Help.h"
#include "ui/PaintBox.h"
#include "ui/PositionInfoDialog.h"
#include "ui/StatusPanel.h"
#include "ui/ToolGlyphs.h"
#include "ui/VrpDialog.h"
#include "ui/Wallpaper.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
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
    return QString::number(seconds, 'f', seconds < 0.1 ? 3 : 2) + TfrmMain::tr(" 秒");
}

// The palette panel: 50 pixels, wider when the name of a built-in palette in
// the window's language needs more.
int PalettePanelWidth(const QFontMetrics& metrics) {
    int width = 50;
    for (const TMenuItem<TPaletteItem>& item : kPaletteItems)
        width = std::max(
            width,
            metrics.horizontalAdvance(QCoreApplication::translate(kMenuContext, item.Value.PaletteName)) + 6);
    return width;
}

} // namespace

// ---- creation -------------------------------------------------------------

TfrmMain::TfrmMain(TPrompt* prompt, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      ownPrompt_(prompt ? nullptr : std::make_unique<TQtPrompt>()),
      prompt_(prompt ? prompt : ownPrompt_.get()), reporter_(*prompt_), explorer_(*this, reporter_) {
    if (!prompt_->Parent) prompt_->Parent = this;
    setObjectName("frmMain");
    setWindowTitle(tr("びすたる"));
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
    explorer_.LoadSettings();
    pnlToolbar->setVisible(explorer_.ToolBarChecked());
    stbOption->setVisible(explorer_.StatusBarChecked());
    setAcceptDrops(true); // palette and scenic-spot files (MainFormLocations.cpp)

    // The picture fills what the bars leave of the first client area.
    int bars = 0;
    if (explorer_.ToolBarChecked()) bars += kToolBarHeight;
    if (explorer_.StatusBarChecked()) bars += kStatusBarHeight;
    ptbVistal->setFixedSize(kInitialClientWidth, std::max(0, kInitialClientHeight - bars));
    FitWindowToPicture();
    ShowBusy(false);
    ShowChecks();
}

TfrmMain::~TfrmMain() {
    FormDestroy();
}

void TfrmMain::CreateDialogs(const QStringList& arguments) {
    if (!arguments.isEmpty()) StartupFile = arguments.first();
    frmDrawSettingDialog_.reset();
    frmEntry_.reset();
    frmVrpDialog_.reset();
    frmPositionInfoDialog_.reset();
    frmPositionInfoDialog_ = std::make_unique<TfrmPositionInfoDialog>(explorer_, *prompt_, this);
    frmVrpDialog_ = std::make_unique<TfrmVrpDialog>(explorer_, *prompt_, arguments, this);
    frmEntry_ = std::make_unique<TfrmEntry>(explorer_, *frmVrpDialog_, *prompt_, this);
    frmDrawSettingDialog_ = std::make_unique<TfrmDrawSettingDialog>(explorer_, *prompt_, this);
}

void TfrmMain::FormDestroy() {
    timDraw->stop();
    explorer_.Finish();
    ui::Guarded(*prompt_, [&] {
        try {
            explorer_.SaveSettings();
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

template <class T, std::size_t N>
void TfrmMain::Radios(QMenu* menu, TMenuGroup group, const TMenuItem<T> (&items)[N]) {
    for (int i = 0; i < static_cast<int>(N); ++i) {
        if (items[i].Break) menu->addSeparator();
        On(Radio(menu, group, items[i].Name, QCoreApplication::translate(kMenuContext, items[i].Caption)),
           [this, group, i] { explorer_.ChooseMenuItem(group, i); });
    }
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
    using G = TMenuGroup;

    // ﾌｧｲﾙ
    mnuFile = menu(nullptr, "mnuFile", tr("ﾌｧｲﾙ(&F)"));
    mnuFileDraw = Item(mnuFile, "mnuFileDraw", tr("再描画(&N)"), ctrl(Qt::Key_N));
    mnuFileForceDraw = Item(mnuFile, "mnuFileForceDraw", tr("強制再描画(&F)"));
    mnuFilePre = Item(mnuFile, "mnuFilePre", tr("一つ前に戻る(&B)"), ctrl(Qt::Key_B));
    mnuFileFirst = Item(mnuFile, "mnuFileFirst", tr("最初に戻す(&R)"));
    mnuFileAbort = Item(mnuFile, "mnuFileAbort", tr("中断(&A)"), ctrl(Qt::Key_A));
    mnuFile->addSeparator();
    mnuFileSave = Item(mnuFile, "mnuFileSave", tr("ﾋﾞｯﾄﾏｯﾌﾟの保存(&S)..."), ctrl(Qt::Key_S));
    mnuFileSetWP = menu(mnuFile, "mnuFileSetWP", tr("壁紙に設定(&W)"));
    mnuFileSetWPSpread = Item(mnuFileSetWP, "mnuFileSetWPSpread", tr("並べて表示(&W)"));
    mnuFileSetWPCenter = Item(mnuFileSetWP, "mnuFileSetWPCenter", tr("中央に表示(&L)"));
    mnuFileClipBoard = Item(mnuFile, "mnuFileClipBoard", tr("ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存(&C)"), ctrl(Qt::Key_C));
    mnuFile->addSeparator();
    mnuFileExit = Item(mnuFile, "mnuFileExit", tr("終了(&X)"));

    // 描画設定
    mnuOption = menu(nullptr, "mnuOption", tr("描画設定(&O)"));
    mnuOptionZoom = menu(mnuOption, "mnuOptionZoom", tr("拡縮(&Z)"));
    Radios(mnuOptionZoom, G::ZoomFactor, kZoomFactorItems);
    mnuOptionZoom->addSeparator();
    mnuOptionZoomUser = Radio(mnuOptionZoom, G::ZoomFactor, "mnuOptionZoomUser", tr("指定(&U)..."));

    mnuOptionSize = menu(mnuOption, "mnuOptionSize", tr("表示ｻｲｽﾞ(&S)"));
    Radios(mnuOptionSize, G::PictureSize, kPictureSizeItems);
    mnuOptionSize->addSeparator();
    mnuOptionSizeUser = Radio(mnuOptionSize, G::PictureSize, "mnuOptionSizeUser", tr("指定(&U)..."));
    mnuOption->addSeparator();

    mnuOptionIteration = menu(mnuOption, "mnuOptionIteration", tr("繰り返し回数(&I)"));
    Radios(mnuOptionIteration, G::Iteration, kIterationItems);
    mnuOptionIteration->addSeparator();
    mnuOptionIterationUser =
        Radio(mnuOptionIteration, G::Iteration, "mnuOptionIterationUser", tr("指定(&U)..."));
    mnuOptionIterationAuto = Toggle(mnuOptionIteration, "mnuOptionIterationAuto", tr("自動(&A)"));

    mnuOptionDetail = menu(mnuOption, "mnuOptionDetail", tr("分解能(&D)"));
    Radios(mnuOptionDetail, G::Detail, kDetailItems);
    mnuOptionDetail->addSeparator();
    mnuOptionDetailUser = Radio(mnuOptionDetail, G::Detail, "mnuOptionDetailUser", tr("指定(&U)..."));
    mnuOptionDetailAuto = Radio(mnuOptionDetail, G::Detail, "mnuOptionDetailAuto", tr("自動(&A)"));

    mnuOptionPalette = menu(mnuOption, "mnuOptionPalette", tr("ﾊﾟﾚｯﾄ(&P)"));
    Radios(mnuOptionPalette, G::Palette, kPaletteItems);
    mnuOptionPaletteReadVCP =
        Radio(mnuOptionPalette, G::Palette, "mnuOptionPaletteReadVCP", tr("VCPﾌｧｲﾙを読む(&R)..."));
    mnuOptionPaletteReadVCP->setShortcut(ctrl(Qt::Key_P));
    addAction(mnuOptionPaletteReadVCP);
    mnuOptionPalette->addSeparator();
    mnuOptionPalletCustomColor = Item(mnuOptionPalette, "mnuOptionPalletCustomColor", tr("色0の設定"));
    mnuOptionPalette->addSeparator();
    mnuOptionPaletteRedraw = Toggle(mnuOptionPalette, "mnuOptionPaletteRedraw", tr("ﾊﾟﾚｯﾄ選択で再描画(&N)"));

    mnuOptionPower = menu(mnuOption, "mnuOptionPower", tr("巾乗(&N)"));
    Radios(mnuOptionPower, G::Power, kPowerItems);
    mnuOptionPower->addSeparator();
    mnuOptionPowerUser = Radio(mnuOptionPower, G::Power, "mnuOptionPowerUser", tr("指定(&U)..."));

    mnuOptionShadeOff = Toggle(mnuOption, "mnuOptionShadeOff", tr("ぼかし"));
    mnuOptionSmooth = Toggle(mnuOption, "mnuOptionSmooth", tr("色をなめらかに(&G)"));
    mnuOption->addSeparator();
    mnuOptionManualMove = Item(mnuOption, "mnuOptionManualMove", tr("座標指定(&M)..."), ctrl(Qt::Key_M));
    mnuOptionJuliaConst = Item(mnuOption, "mnuOptionJuliaConst", tr("じゅりあ定数(&J)..."), ctrl(Qt::Key_J));
    mnuOptionChange = Item(mnuOption, "mnuOptionChange", QStringLiteral("&Change"));
    mnuOption->addSeparator();

    mnuOptionMode = menu(mnuOption, "mnuOptionMode", tr("描画方法(&W)"));
    Radios(mnuOptionMode, G::DrawMode, kDrawModeItems);
    mnuOptionMode->addSeparator();
    mnuOptionModeExt = menu(mnuOptionMode, "mnuOptionModeExt", tr("拡張描画(&X)"));
    {
        // 拡張描画 is the last choice of the method group: checked while an
        // extended method is chosen.
        QAction* ext = mnuOptionModeExt->menuAction();
        ext->setCheckable(true);
        auto& methods = groupItems_[static_cast<int>(G::DrawMode)];
        methods.front()->actionGroup()->addAction(ext);
        methods.push_back(ext);
    }
    Radios(mnuOptionModeExt, G::ExtDrawMode, kExtDrawModeItems);
    mnuOptionModeExt->addSeparator();
    mnuOptionModeMixed = menu(mnuOptionModeExt, "mnuOptionModeMixed", tr("合成(&M)"));
    Radios(mnuOptionModeMixed, G::DrawCompo, kDrawCompoItems);
    mnuOptionModeBright = menu(mnuOptionModeExt, "mnuOptionModeBright", tr("明るさ取得(&B)"));
    Radios(mnuOptionModeBright, G::PotentialBright, kPotentialBrightItems);
    mnuOptionModeCorrection = menu(mnuOptionModeExt, "mnuOptionModeCorrection", tr("補正係数(&C)"));
    Radios(mnuOptionModeCorrection, G::Correction, kCorrectionItems);
    mnuOptionModeCorrection->addSeparator();
    mnuOptionModeCorrectionUser =
        Radio(mnuOptionModeCorrection, G::Correction, "mnuOptionModeCorrectionUser", tr("指定(&U)..."));
    mnuOptionModeLightDark = menu(mnuOptionModeExt, "mnuOptionModeLightDark", tr("明暗(&L)"));
    Radios(mnuOptionModeLightDark, G::LightDark, kLightDarkItems);
    mnuOptionModeRepresentation = menu(mnuOptionModeExt, "mnuOptionModeRepresentation", tr("表現(&R)"));
    Radios(mnuOptionModeRepresentation, G::Represent, kRepresentItems);
    mnuOptionModeEscape = menu(mnuOptionModeExt, "mnuOptionModeEscape", tr("打切判定数(&E)"));
    Radios(mnuOptionModeEscape, G::Escape, kEscapeItems);
    mnuOptionModeEscape->addSeparator();
    mnuOptionModeEscapeUser =
        Radio(mnuOptionModeEscape, G::Escape, "mnuOptionModeEscapeUser", tr("指定(&U)..."));
    mnuOption->addSeparator();

    mnuOptionRubberBand = menu(mnuOption, "mnuOptionRubberBand", tr("ﾗﾊﾞｰﾊﾞﾝﾄﾞ(&B)"));
    Radios(mnuOptionRubberBand, G::RubberBand, kRubberBandItems);
    mnuOptionRefresh = menu(mnuOption, "mnuOptionRefresh", tr("書換頻度(&R)"));
    Radios(mnuOptionRefresh, G::Refresh, kRefreshItems);
    mnuOptionRefresh->addSeparator();
    mnuOptionRefreshUser = Radio(mnuOptionRefresh, G::Refresh, "mnuOptionRefreshUser", tr("指定(&U)..."));
    mnuOption->addSeparator();
    mnuOptionOption = Item(mnuOption, "mnuOptionOption", tr("ｵﾌﾟｼｮﾝ(&O)..."));

    // 表示
    mnuView = menu(nullptr, "mnuView", tr("表示(&V)"));
    mnuOptionDrawSetting = Item(mnuView, "mnuOptionDrawSetting", tr("描画設定(&D)"));
    mnuOptionPosition = Item(mnuView, "mnuOptionPosition", tr("座標表示(&L)"));
    mnuView->addSeparator();
    ViewToolBar = Toggle(mnuView, "ViewToolBar", tr("ﾂｰﾙﾊﾞｰ(&T)"));
    ViewStatusbar = Toggle(mnuView, "ViewStatusbar", tr("ｽﾃｰﾀｽﾊﾞｰ(&S)"));
    mnuView->addSeparator();
    ViewFullScreen = Toggle(mnuView, "ViewFullScreen", tr("全画面表示(&F)"), QKeySequence(Qt::Key_F11));

    // おすすめ
    mnuRecommendation = menu(nullptr, "mnuRecommendation", tr("おすすめ(&R)"));
    mnuRecoRecommendationOpen =
        Item(mnuRecommendation, "mnuRecoRecommendationOpen", tr("移動(&O)..."), ctrl(Qt::Key_O));
    mnuRecoEntry = Item(mnuRecommendation, "mnuRecoEntry", tr("登録(&E)..."), ctrl(Qt::Key_E));
    mnuRecommendation->addSeparator();
    mnuRecoLoad = Item(mnuRecommendation, "mnuRecoLoad", tr("景勝地読込(&L)..."));
    mnuRecoSave = Item(mnuRecommendation, "mnuRecoSave", tr("景勝地保存(&S)..."));

    // ﾍﾙﾌﾟ
    mnuHelp = menu(nullptr, "mnuHelp", tr("ﾍﾙﾌﾟ(&H)"));
    mnuHelpHelp = Item(mnuHelp, "mnuHelpHelp", tr("ﾍﾙﾌﾟ(&H)", "item"), QKeySequence(Qt::Key_F1));
    mnuHelp->addSeparator();
    mnuHelpAbout = Item(mnuHelp, "mnuHelpAbout", tr("びすたるのﾊﾞｰｼﾞｮﾝ情報(&A)..."));

    // 隠しﾒﾆｭｰ: never shown; its items live on the window for their shortcuts.
    K1 = new QMenu(tr("隠しﾒﾆｭｰ"), this);
    K1->setObjectName("K1");
    RePaint = Item(K1, "RePaint", tr("再表示"), ctrl(Qt::Key_L));
    ZoomIn = Item(K1, "ZoomIn", tr("拡大"), ctrl(Qt::Key_Insert));
    ZoomOut = Item(K1, "ZoomOut", tr("縮小"), ctrl(Qt::Key_Delete));
    JCRandom = Item(K1, "JCRandom", tr("ＪＣランダム"), ctrl(Qt::Key_R));

    // ---- what the other items do (the value groups choose their items) ----
    connect(mnuFile, &QMenu::aboutToShow, this, [this] { Command([this] { mnuFileClick(); }); });
    connect(mnuOption, &QMenu::aboutToShow, this, [this] { Command([this] { mnuOptionClick(); }); });
    connect(mnuOptionModeExt, &QMenu::aboutToShow, this,
            [this] { Command([this] { explorer_.ExtendedMenuOpened(); }); });

    TExplorer& x = explorer_;
    On(mnuFileDraw, [&x] { x.Draw(TDrawSource::Menu); });
    On(mnuFileForceDraw, [&x] { x.ForceDraw(); });
    On(mnuFilePre, [&x] { x.Back(); });
    On(mnuFileFirst, [&x] { x.DrawHome(); });
    On(mnuFileAbort, [&x] { x.Abort(); });
    On(mnuFileSave, [this] { mnuFileSaveClick(); });
    On(mnuFileSetWPSpread, [this] { mnuFileSetWPCenterClick(wmTile); });
    On(mnuFileSetWPCenter, [this] { mnuFileSetWPCenterClick(wmCentre); });
    On(mnuFileClipBoard, [this] { mnuFileClipBoardClick(); });
    On(mnuFileExit, [this] { mnuFileExitClick(); });
    On(mnuOptionZoomUser, [this] { mnuOptionZoomUserClick(); });
    On(mnuOptionSizeUser, [this] { mnuOptionSizeUserClick(); });
    On(mnuOptionIterationUser, [this] { mnuOptionIterationUserClick(); });
    On(mnuOptionIterationAuto, [&x] { x.ToggleIterationAuto(); });
    On(mnuOptionDetailUser, [this] { mnuOptionDetailUserClick(); });
    On(mnuOptionDetailAuto, [&x] { x.SelectDetailAuto(); });
    On(mnuOptionPaletteReadVCP, [this] { mnuOptionPaletteReadVCPClick(); });
    On(mnuOptionPalletCustomColor, [this] { mnuOptionPalletCustomColorClick(); });
    On(mnuOptionPaletteRedraw, [&x] { x.TogglePaletteRedraw(); });
    On(mnuOptionPowerUser, [this] { mnuOptionPowerUserClick(); });
    On(mnuOptionShadeOff, [&x] { x.ToggleShadeOff(); });
    On(mnuOptionSmooth, [&x] { x.ToggleSmooth(); });
    On(mnuOptionManualMove, [this] { mnuOptionManualMoveClick(); });
    On(mnuOptionJuliaConst, [this] { mnuOptionJuliaConstClick(); });
    On(mnuOptionChange, [&x] { x.ChangeFormula(); });
    On(mnuOptionModeCorrectionUser, [this] { mnuOptionModeCorrectionUserClick(); });
    On(mnuOptionModeEscapeUser, [this] { mnuOptionModeEscapeUserClick(); });
    On(mnuOptionRefreshUser, [this] { mnuOptionRefreshUserClick(); });
    On(mnuOptionOption, [this] { mnuOptionOptionClick(); });
    On(mnuOptionDrawSetting, [this] { mnuOptionDrawSettingClick(); });
    On(mnuOptionPosition, [this] { mnuOptionPositionClick(); });
    On(ViewToolBar, [&x] { x.ToggleToolBar(); });
    On(ViewStatusbar, [&x] { x.ToggleStatusBar(); });
    On(ViewFullScreen, [&x] { x.ToggleFullScreen(); });
    On(mnuRecoRecommendationOpen, [this] { mnuRecoRecommendationOpenClick(); });
    On(mnuRecoEntry, [this] { mnuRecoEntryClick(); });
    On(mnuRecoLoad, [this] { mnuRecoLoadClick(); });
    On(mnuRecoSave, [this] { mnuRecoSaveClick(); });
    On(mnuHelpHelp, [this] { mnuHelpHelpClick(); });
    On(mnuHelpAbout, [this] { mnuHelpAboutClick(); });
    On(RePaint, [this] { timDrawTimer(); });
    On(ZoomIn, [&x] { x.ZoomIn(); });
    On(ZoomOut, [&x] { x.ZoomOut(); });
    On(JCRandom, [&x] { x.JCRandom(); });
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
    const auto toolButton = [this](const char* name, const QString& hint, int left, TToolGlyph glyph) {
        auto* b = new QToolButton(pnlToolbar);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setToolTipDuration(kHintHidePause);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setIcon(ToolGlyph(glyph));
        b->setIconSize(QSize(16, 16));
        b->setGeometry(left, 1, kToolButtonSize, kToolButtonSize);
        return b;
    };
    spbDraw = toolButton("spbDraw", tr("再描画"), 1, TToolGlyph::Draw);
    spbAbort = toolButton("spbAbort", tr("中断"), 24, TToolGlyph::Abort);
    spbBmpSave = toolButton("spbBmpSave", tr("BMP保存"), 47, TToolGlyph::BmpSave);
    spbVrpRead = toolButton("spbVrpRead", tr("おすすめ移動"), 79, TToolGlyph::VrpRead);
    spbVrpEntry = toolButton("spbVrpEntry", tr("おすすめ登録"), 102, TToolGlyph::VrpEntry);
    spbPaletteVcp = toolButton("spbPaletteVcp", tr("VCP読込み"), 134, TToolGlyph::PaletteVcp);
    spbMove = toolButton("spbMove", tr("座標指定"), 157, TToolGlyph::Move);
    spbBack = toolButton("spbBack", tr("一つ前に戻る"), 189, TToolGlyph::Back);
    spbBack->setEnabled(false);

    const auto click = [this](QToolButton* b, auto handler) {
        connect(b, &QToolButton::clicked, this, [this, handler] { Command(handler); });
    };
    TExplorer& x = explorer_;
    click(spbDraw, [&x] { x.Draw(TDrawSource::ToolButton); });
    click(spbAbort, [&x] { x.Abort(); });
    click(spbBmpSave, [this] { mnuFileSaveClick(); });
    click(spbVrpRead, [this] { mnuRecoRecommendationOpenClick(); });
    click(spbVrpEntry, [this] { mnuRecoEntryClick(); });
    click(spbPaletteVcp, [this] { mnuOptionPaletteReadVCPClick(); });
    click(spbMove, [this] { mnuOptionManualMoveClick(); });
    click(spbBack, [&x] { x.Back(); });

    Panel1 = new QScrollArea(central);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFocusPolicy(Qt::NoFocus);
    Panel1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored); // the window's size decides
    ptbVistal = new TPaintBox;
    ptbVistal->setObjectName("ptbVistal");
    Panel1->setWidget(ptbVistal);
    ptbVistal->Picture = [this]() -> const TBitmap& { return ShownPicture(); };
    ptbVistal->Band = [this]() -> std::optional<QRect> {
        const std::optional<TBand> band = explorer_.Band();
        if (!band) return std::nullopt;
        return QRect(QPoint(band->A.X, band->A.Y), QPoint(band->B.X, band->B.Y));
    };
    connect(ptbVistal, &TPaintBox::MouseDown, this, [this](QMouseEvent* event) {
        bool known;
        const TMouseButton button = ButtonOf(event->button(), known);
        const QPoint at = PixelOf(event->position());
        if (known) Command([&] { explorer_.MouseDown(button, at.x(), at.y()); });
    });
    connect(ptbVistal, &TPaintBox::MouseMove, this, [this](QMouseEvent* event) {
        const QPoint at = PixelOf(event->position());
        Command([&] { explorer_.MouseMove(ShiftOf(event), at.x(), at.y()); });
    });
    connect(ptbVistal, &TPaintBox::MouseUp, this, [this](QMouseEvent* event) {
        bool known;
        const TMouseButton button = ButtonOf(event->button(), known);
        const QPoint at = PixelOf(event->position());
        if (known) Command([&] { explorer_.MouseUp(button, ShiftOf(event), at.x(), at.y()); });
    });
    connect(ptbVistal, &TPaintBox::Wheel, this, [this](QWheelEvent* event) {
        const QPoint at = PixelOf(event->position());
        const int delta = event->angleDelta().y();
        Command([&] { explorer_.Wheel(at.x(), at.y(), delta); });
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
        {"stbPalette", PalettePanelWidth(QFontMetrics(digits)), Qt::AlignLeft},
        {"stbProgress", 0, Qt::AlignRight},
        {"stbWidth", 70, Qt::AlignRight},
        {"stbIterationAuto", 110, Qt::AlignLeft},
    };
    // The width and the automatic limit (shown only while it is on) stand
    // before the progress, which takes the rest of the bar: the running
    // drawing's phase and progress, or the time the last one took.
    for (int i : {0, 1, 2, 4, 5, 3}) {
        auto* label = new TStatusPanel(panels[i].width, panels[i].align, stbOption);
        label->setObjectName(QString::fromLatin1(panels[i].name));
        stbOption->addWidget(label, panels[i].width > 0 ? 0 : 1);
        stbPanels[i] = label;
    }
    stbPanels[5]->hide();
}

// ---- the explorer's view ------------------------------------------------------

void TfrmMain::ShowChecks() {
    for (int g = 0; g < kMenuGroupCount; ++g) {
        const auto& items = groupItems_[g];
        const int checked = explorer_.Checked(static_cast<TMenuGroup>(g));
        if (checked >= 0 && checked < static_cast<int>(items.size())) {
            if (!items[checked]->isChecked()) items[checked]->setChecked(true);
        } else {
            for (QAction* item : items)
                if (item->isChecked()) item->setChecked(false);
        }
    }
    mnuOptionShadeOff->setChecked(explorer_.ShadeOffChecked());
    mnuOptionSmooth->setChecked(explorer_.SmoothChecked());
    mnuOptionIterationAuto->setChecked(explorer_.IterationAuto());
    mnuOptionPaletteRedraw->setChecked(explorer_.PaletteRedrawChecked());
    ViewToolBar->setChecked(explorer_.ToolBarChecked());
    ViewStatusbar->setChecked(explorer_.StatusBarChecked());
    ViewFullScreen->setChecked(explorer_.FullScreenChecked());
    ViewFullScreen->setEnabled(explorer_.FullScreenEnabled());
    const bool back = explorer_.History().HasItems();
    spbBack->setEnabled(back);
    mnuFilePre->setEnabled(back);
    // The formula's items follow at once, not only when their menu opens: the
    // shortcut of a hidden item (じゅりあ定数, Ctrl+J) does not work.
    mnuOptionClick();
}

void TfrmMain::ShowBusy(bool busy) {
    const QString title =
        busy ? QStringLiteral("* ") + FormulaLabel(Vistal().Formula()) : FormulaLabel(Vistal().Formula());
    SetApplicationTitle(title);
    setWindowTitle(title);
    spbAbort->setEnabled(busy);
    spbBmpSave->setEnabled(!busy);
    // The File menu follows too, so that its shortcuts (中断 above all) work
    // whether or not the menu was opened since.
    mnuFileAbort->setEnabled(busy);
    mnuFileSave->setEnabled(!busy);
    mnuFileSetWP->setEnabled(!busy);
}

void TfrmMain::ShowStatus(int iteration, int detail, const std::string& paletteName) {
    stbPanels[0]->setText(QString::number(iteration));
    stbPanels[1]->setText(QString::number(detail));
    QString palette = QFileInfo(QString::fromStdString(paletteName)).completeBaseName();
    // A built-in palette: its name, which the files keep as it is, in the window's language.
    for (const TMenuItem<TPaletteItem>& item : kPaletteItems)
        if (paletteName == item.Value.PaletteName)
            palette = QCoreApplication::translate(kMenuContext, item.Value.PaletteName);
    stbPanels[2]->setText(palette);
}

void TfrmMain::ShowIterationAuto(bool on, int raisedTo) {
    stbPanels[5]->setVisible(on);
    stbPanels[5]->setText(raisedTo > 0 ? tr("回数自動 → %1").arg(raisedTo) : tr("回数自動"));
}

void TfrmMain::ShowWidth(const std::string& width) {
    stbPanels[4]->setText(QString::fromStdString(width));
}

void TfrmMain::ShowProgress(double done, TDrawPhase phase) {
    const int percent = static_cast<int>(done * 100);
    QString text = QString::number(std::clamp(percent, 0, 100)) + QStringLiteral("%");
    switch (phase) {
    case TDrawPhase::Reference:
        text = tr("参照軌道 %1").arg(text);
        break;
    case TDrawPhase::Tables:
        text = tr("近似表 %1").arg(text);
        break;
    case TDrawPhase::Pixels:
        text = tr("画素 %1").arg(text);
        break;
    case TDrawPhase::None:
        break;
    }
    if (stbPanels[3]->text() != text) stbPanels[3]->setText(text);
}

void TfrmMain::ShowDrawingTime(std::optional<double> seconds) {
    stbPanels[3]->setText(seconds ? DurationText(*seconds) : tr("中断", "drawing time"));
}

void TfrmMain::Repaint() {
    ptbVistal->update();
}

void TfrmMain::SetRepaintInterval(int ms) {
    if (ms > 0)
        timDraw->start(ms);
    else
        timDraw->stop();
}

void TfrmMain::ResizePicture(int w, int h) {
    ptbVistal->setFixedSize(w, h);
    FitWindowToPicture();
}

void TfrmMain::ShowBars() {
    const bool windowed = !explorer_.FullScreenChecked();
    pnlToolbar->setVisible(windowed && explorer_.ToolBarChecked());
    stbOption->setVisible(windowed && explorer_.StatusBarChecked());
    FitWindowToPicture();
}

TPictureSize TfrmMain::ScreenSize() const {
    const QRect screen = this->screen()->geometry();
    return {screen.width(), screen.height()};
}

TPoint TfrmMain::WindowPlace() const {
    // The position of the client area: unlike the frame's, it does not
    // depend on when the window manager puts the frame back.
    return {geometry().x(), geometry().y()};
}

void TfrmMain::ShowFullScreen() {
    pnlToolbar->hide();
    stbOption->hide();
    // Disabled as well as hidden: the menu bar keeps the keyboard after it
    // was used from the keyboard (the window has no other widget to give it
    // back to), and would take Escape and open its menus.
    menuBar()->hide();
    menuBar()->setEnabled(false);
    FitWindowToPicture();
    showFullScreen();
}

void TfrmMain::ShowWindowed(int w, int h, TPoint place) {
    pnlToolbar->setVisible(explorer_.ToolBarChecked());
    stbOption->setVisible(explorer_.StatusBarChecked());
    menuBar()->setEnabled(true);
    menuBar()->show();
    // The window is of fixed size again before it leaves full screen, so that
    // the window manager frames it as such.
    ptbVistal->setFixedSize(w, h);
    FitWindowToPicture();
    showNormal();
    QRect client = geometry();
    client.moveTopLeft(QPoint(place.X, place.Y));
    setGeometry(client);
}

void TfrmMain::RefreshDialogs() {
    if (frmPositionInfoDialog_) frmPositionInfoDialog_->Refresh();
    if (frmDrawSettingDialog_) frmDrawSettingDialog_->SetCurrentValues();
}

void TfrmMain::ProcessEvents() {
    QCoreApplication::processEvents();
}

void TfrmMain::Post(std::function<void()> task) {
    QTimer::singleShot(0, this, [this, task = std::move(task)] { Command(task); });
}

bool TfrmMain::ConfirmClose() {
    return prompt_->Confirm(tr("描画中ですが終了しますか？"));
}

void TfrmMain::FitWindowToPicture() {
    if (explorer_.FullScreenChecked()) {
        // Full screen is the window manager's business: a window of fixed size
        // may not be allowed to fill the screen.
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return;
    }
    const QSize picture = ptbVistal->size();
    // Wide enough for every menu in one row, the picture centred: a narrower
    // window hides the last menus behind the menu bar's "»".
    int width = picture.width();
    if (!menuBar()->isHidden()) width = std::max(width, menuBar()->sizeHint().width());
    int height = picture.height();
    if (!pnlToolbar->isHidden()) height += kToolBarHeight;
    if (!stbOption->isHidden()) height += kStatusBarHeight;
    if (!menuBar()->isHidden()) {
        const int menu = menuBar()->heightForWidth(width);
        height += menu > 0 ? menu : menuBar()->sizeHint().height();
    }
    // A window that grows keeps its frame on its screen; one larger than the
    // screen shows the top-left part of the picture, and scrolls to the rest.
    const QRect frame = frameGeometry(), client = geometry();
    const QSize margins = frame.size() - client.size();
    TScreenRect wanted{{frame.x(), frame.y()}, {width + margins.width(), height + margins.height()}};
    const bool grows = width > client.width() || height > client.height();
    if (grows && isVisible()) {
        const QRect free = screen()->availableGeometry();
        const TScreenRect area{{free.x(), free.y()}, {free.width(), free.height()}};
        // A side cut to the screen scrolls; the other makes room for its bar.
        const TScreenRect cut = KeepOnScreen(wanted, area);
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Panel1);
        if (cut.Size.Width < wanted.Size.Width) wanted.Size.Height += bar;
        if (cut.Size.Height < wanted.Size.Height) wanted.Size.Width += bar;
        wanted = KeepOnScreen(wanted, area);
    }
    setFixedSize(wanted.Size.Width - margins.width(), wanted.Size.Height - margins.height());
    if (wanted.Place != TPoint{frame.x(), frame.y()}) move(wanted.Place.X, wanted.Place.Y);
}

// ---- start-up, the picture and closing --------------------------------------------

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The start-up drawings run once the window is on screen.
    if (!explorer_.Started()) QTimer::singleShot(0, this, [this] { Command([this] { FormActivate(); }); });
}

void TfrmMain::FormActivate() {
    explorer_.StartUp();
    // A scenic spot or a palette named on the command line opens now, as a
    // dropped one would (a list is the list dialog's).
    const QString extension = QFileInfo(StartupFile).suffix().toLower();
    if (extension == QLatin1String("fss") || extension == QLatin1String("vcp")) FormDropFile(StartupFile);
}

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

void TfrmMain::timDrawTimer() {
    Repaint();
}

bool TfrmMain::FormCloseQuery() {
    return explorer_.CloseQuery();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    bool close = false;
    Command([&] { close = FormCloseQuery(); });
    if (close)
        event->accept();
    else
        event->ignore();
}

// ---- menu commands ------------------------------------------------------------------

void TfrmMain::mnuFileClick() {
    const bool drawing = Vistal().Drawing();
    mnuFilePre->setEnabled(explorer_.History().HasItems());
    mnuFileSave->setEnabled(!drawing);
    mnuFileSetWP->setEnabled(!drawing);
    mnuFileAbort->setEnabled(drawing);
}

void TfrmMain::mnuFileExitClick() {
    close();
}

void TfrmMain::mnuOptionClick() {
    switch (Vistal().Formula()) {
    case fmMandelbrot:
        mnuOptionChange->setText(tr("じゅりあ(&C)"));
        mnuOptionJuliaConst->setVisible(false);
        break;
    case fmJulia:
        mnuOptionChange->setText(tr("びすたる(&C)"));
        mnuOptionJuliaConst->setVisible(true);
        break;
    default:
        mnuOptionChange->setText(QStringLiteral("Error"));
        break;
    }
}

void TfrmMain::mnuOptionPositionClick() {
    if (!frmPositionInfoDialog_) return;
    frmPositionInfoDialog_->show();
    frmPositionInfoDialog_->raise();
    frmPositionInfoDialog_->activateWindow();
}

void TfrmMain::mnuHelpHelpClick() {
    OpenHelp(*prompt_, QCoreApplication::applicationDirPath());
}

void TfrmMain::mnuHelpAboutClick() {
    dlgAbout.Execute(*prompt_);
}

void TfrmMain::FormKeyUp(int key) {
    if (key == Qt::Key_Escape) explorer_.EscapeReleased();
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

} // namespace vistal::ui
