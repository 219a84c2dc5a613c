// TfrmMain: the explorer's main window. It owns the state of the explorer
// (TExplorerState: the engine, the preferences, the history) and turns it into
// a window: the menus with their check marks, the tool bar, the picture, the
// status bar and the repaint timer. Every drawing goes through
// mnuFileDrawClick, which runs in the user-interface thread and processes
// pending events after every row, so every command, a new drawing included,
// works while a drawing runs; the newest drawing wins.
//
// Every event handler enters through the guard: a silent abort ends a command
// without a word, any other error is shown through the prompt.
#pragma once

#include "ui/AboutDialog.h"
#include "ui/ExplorerState.h"
#include "ui/Guard.h"
#include "ui/InputDialog.h"
#include "ui/InputFloatDialog.h"
#include "ui/Prompt.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QProcessEnvironment>
#include <array>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QStatusBar;
class QTimer;
class QToolButton;

namespace vistal::ui {

class TPaintBox;
class TStatusPanel;
class TfrmPositionInfoDialog;
class TfrmDrawSettingDialog;
class TfrmVrpDialog;
class TfrmEntry;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // Message boxes and dialogs go to prompt, which must outlive the window;
    // without one the window uses the real dialogs.
    explicit TfrmMain(TPrompt* prompt = nullptr, QWidget* parent = nullptr);
    // Writes the settings (FormDestroy).
    ~TfrmMain() override;

    TExplorerState& State() { return state_; }
    TVistal& Vistal() { return state_.Vistal(); }
    TGlobal& Global() { return state_.Global(); }
    TPrompt& Prompt() { return *prompt_; }

    // ---- components -------------------------------------------------------
    QMenu *mnuFile, *mnuOption, *mnuView, *mnuRecommendation, *mnuHelp, *K1;
    QAction *mnuFileDraw, *mnuFileForceDraw, *mnuFilePre, *mnuFileFirst, *mnuFileAbort, *mnuFileSave;
    QMenu* mnuFileSetWP;
    QAction *mnuFileSetWPSpread, *mnuFileSetWPCenter, *mnuFileClipBoard, *mnuFileExit;
    QMenu* mnuOptionZoom;
    QAction *mnuOptionZoom1, *mnuOptionZoom2, *mnuOptionZoom3, *mnuOptionZoom4, *mnuOptionZoomMove,
        *mnuOptionZoomUser;
    QMenu* mnuOptionSize;
    QAction *mnuOptionSize200x200, *mnuOptionSize2, *mnuOptionSize3, *mnuOptionSize700x700,
        *mnuOptionSize320x240, *mnuOptionSize4, *mnuOptionSize5, *mnuOptionSize6, *mnuOptionSizeUser;
    QMenu* mnuOptionIteration;
    QAction *mnuOptionIteration256, *mnuOptionIteration1024, *mnuOptionIteration4096,
        *mnuOptionIteration32768, *mnuOptionIteration200000, *mnuOptionIterationUser;
    QMenu* mnuOptionDetail;
    QAction *mnuOptionDetail1, *mnuOptionDetail2, *mnuOptionDetail3, *mnuOptionDetail4, *mnuOptionDetailUser,
        *mnuOptionDetailAuto;
    QMenu* mnuOptionPalette;
    QAction *mnuOptionPaletteStandard, *mnuOptionPaletteMono, *mnuOptionPaletteBlue, *mnuOptionPaletteReadVCP,
        *mnuOptionPalletCustomColor, *mnuOptionPaletteRedraw;
    QMenu* mnuOptionPower;
    QAction *mnuOptionPowerNormal, *mnuOptionPower3, *mnuOptionPower4, *mnuOptionPower5, *mnuOptionPowerUser;
    QAction *mnuOptionShadeOff, *mnuOptionManualMove, *mnuOptionJuliaConst, *mnuOptionChange;
    QMenu* mnuOptionMode;
    QAction *mnuOptionModeNormal, *mnuOptionModeBlock, *mnuOptionModeBorder, *mnuOptionModeFadein,
        *mnuOptionModeSAntiArea;
    QMenu* mnuOptionModeExt;
    QAction *mnuOptionModeExtNormal, *mnuOptionModePotential, *mnuOptionModePotential2,
        *mnuOptionModePotential3;
    QMenu* mnuOptionModeMixed;
    QAction *mnuOptionModeMixedExist, *mnuOptionModeMixedNone;
    QMenu* mnuOptionModeBright;
    QAction *mnuOptionModeBright1, *mnuOptionModeBright2, *mnuOptionModeBright3, *mnuOptionModeBright4;
    QMenu* mnuOptionModeCorrection;
    std::array<QAction*, 10> mnuOptionModeCorrectionN; // mnuOptionModeCorrection0..9
    QAction* mnuOptionModeCorrectionUser;
    QMenu* mnuOptionModeLightDark;
    QAction *mnuOptionModeLightDark1, *mnuOptionModeLightDark2;
    QMenu* mnuOptionModeRepresentation;
    QAction *mnuOptionModeRepresentation1, *mnuOptionModeRepresentation2;
    QMenu* mnuOptionModeEscape;
    QAction *mnuOptionModeEscape1, *mnuOptionModeEscape2, *mnuOptionModeEscape1024, *mnuOptionModeEscape8192,
        *mnuOptionModeEscape65536, *mnuOptionModeEscapeUser;
    QMenu* mnuOptionRubberBand;
    QAction *mnuOptionRubberBandTwoPoint, *mnuOptionRubberBandCenterAndPoint;
    QMenu* mnuOptionRefresh;
    QAction *mnuOptionRefresh1, *mnuOptionRefresh3, *mnuOptionRefresh5, *mnuOptionRefresh7,
        *mnuOptionRefresh9, *mnuOptionRefreshNo, *mnuOptionRefreshUser;
    QAction* mnuOptionOption;
    QAction *mnuOptionDrawSetting, *mnuOptionPosition, *ViewToolBar, *ViewStatusbar, *ViewFullScreen;
    QAction *mnuRecoRecommendationOpen, *mnuRecoEntry, *mnuRecoLoad, *mnuRecoSave;
    QAction *mnuHelpHelp, *mnuHelpAbout;
    QAction *RePaint, *ZoomIn, *ZoomOut, *JCRandom; // 隠しﾒﾆｭｰ: shortcuts only

    QWidget* pnlToolbar;
    QToolButton *spbDraw, *spbAbort, *spbBmpSave, *spbVrpRead, *spbVrpEntry, *spbPaletteVcp, *spbMove,
        *spbBack;
    QWidget* Panel1;
    TPaintBox* ptbVistal;
    QStatusBar* stbOption;
    std::array<TStatusPanel*, 4>
        stbPanels; // Iteration, Detail, palette, progress or time of the last drawing
    QTimer* timDraw;
    TAboutDialog dlgAbout;

    // The modeless windows that live as long as the program; the program
    // creates them after the main window. Each drawing brings them up to date.
    QPointer<TfrmPositionInfoDialog> frmPositionInfoDialog;

    // ---- start-up and the drawing loop ------------------------------------
    // The start-up sequence, once, at the first showing of the window.
    void FormActivate();
    // Draws the engine's view. Sender mnuFilePre or spbBack (the back
    // command) enters nothing into the history.
    void mnuFileDrawClick(QObject* sender = nullptr);
    // Repaints the picture as it is now.
    void timDrawTimer();
    // The event processing of a running drawing (the engine's PumpHook):
    // pending events are processed, at most once a millisecond and not in the
    // drawing's first millisecond; the busy marks go up at the first time.
    void PumpEvents();
    void PushPosition();
    void GoBack();
    void SetPictureSize(int w, int h);
    void StopAndChangeFormula();
    void ApplyVcpFile(const QString& path);
    void RedrawOnPaletteChange();
    QString FormulaLabel() const;
    void SetRefreshInterval(int ms);
    void ToggleStatusBar();
    void ToggleToolBar();
    // True when the window may close: always when idle; while drawing, when
    // the user confirms (the drawing then stops).
    bool FormCloseQuery();
    void FormDestroy();

    void SelectIteration(int n);
    void SelectDetail(int n);
    void SelectPower(int n);
    void SelectEscape(double x);
    void SelectCorrection(double x);
    void SelectRepresent(int n);
    void SelectLightDark(int n);
    void SelectDrawCompo(int n);
    void SelectPotentialBright(int n);
    void SelectDrawMode(int n);
    void SelectShadeOff(bool b);
    std::uint8_t LastBasicMode() const { return state_.LastBasicMode; }

    // ---- menu commands ----------------------------------------------------
    void mnuFileClick();
    void mnuFilePreClick(QObject* sender);
    void mnuFileForceDrawClick();
    void mnuFileFirstClick();
    void mnuFileAbortClick();
    void mnuFileExitClick();
    void mnuOptionClick();
    void mnuOptionZoomClick(int factor);
    void mnuOptionSizeClick(int item);
    void mnuOptionDetailAutoClick();
    void mnuOptionPaletteStandardClick();
    void mnuOptionPaletteMonoClick();
    void mnuOptionPaletteBlueClick();
    void mnuOptionPaletteRedrawClick();
    void mnuOptionPowerClick(int n);
    void mnuOptionShadeOffClick();
    void mnuOptionChangeClick();
    void mnuOptionModeExtClick();
    void mnuOptionRefreshClick(int item);
    void ViewToolBarClick();
    void ViewStatusbarClick();
    void ViewFullScreenClick();
    void mnuOptionPositionClick();
    void mnuHelpHelpClick();
    void mnuHelpAboutClick();
    void ZoomInClick();
    void ZoomOutClick();
    void JCRandomClick();
    void FormKeyUp(int key);

    // Commands with dialogs of their own, each area in a file of its own.
    // Typed values and the parameter dialogs (MainFormInput.cpp).
    // The input components every 指定 item shares, and the palette file
    // dialog, which remembers the file last read.
    TIntegerDialog* dlgInteger = nullptr;
    TInputFloatDialog* dlgFloat = nullptr;
    TFileRequest dlgOpen;
    // Refuses a picture size that the machine cannot hold, or that is larger
    // than a picture may be: an error box, then a silent abort.
    void CheckPictureSize(int w, int h);
    void mnuOptionZoomUserClick();
    void mnuOptionSizeUserClick();
    void mnuOptionIterationUserClick();
    void mnuOptionDetailUserClick();
    void mnuOptionPaletteReadVCPClick();
    void mnuOptionPowerUserClick();
    void mnuOptionManualMoveClick();
    void mnuOptionJuliaConstClick();
    void mnuOptionModeCorrectionUserClick();
    void mnuOptionModeEscapeUserClick();
    void mnuOptionRefreshUserClick();
    void mnuOptionOptionClick();
    // The picture as a file, on the clipboard and as wallpaper (MainFormPicture.cpp).
    void mnuFileSaveClick();
    void mnuFileSetWPCenterClick(QObject* sender);
    void mnuFileClipBoardClick();
    // The picture save dialog; it keeps the last name and filter between uses.
    TFileRequest dlgSave = PictureSaveRequest();
    static TFileRequest PictureSaveRequest();
    // The environment the desktop's wallpaper tools run in.
    QProcessEnvironment WallpaperEnvironment = QProcessEnvironment::systemEnvironment();
    // Recommendation lists, scenic-spot files and dropped files (MainFormLocations.cpp).
    void mnuRecoRecommendationOpenClick();
    void mnuRecoEntryClick();
    void mnuRecoLoadClick();
    void mnuRecoSaveClick();
    // Reads a scenic-spot file into the view through the Select operations,
    // reports what went wrong, and draws in every case.
    void OpenLocationFile(const QString& fileName);
    // A file dropped on the window: a palette file (.vcp) or a scenic spot (.fss).
    void FormDropFile(const QString& fileName);
    // The recommendation-list dialog and the entry dialog, created by the
    // program after the main window; they live as long as the program.
    QPointer<TfrmVrpDialog> frmVrpDialog;
    QPointer<TfrmEntry> frmEntry;
    // The file the scenic-spot dialogs (dlgOpenScenicSpot, dlgSaveScenicSpot) propose.
    QString ScenicSpotFileName;
    // The draw-setting window and colour 0 (MainFormDrawSetting.cpp).
    void mnuOptionDrawSettingClick();
    void mnuOptionPalletCustomColorClick();
    // The draw-setting window, created by the program after the main window;
    // each drawing brings it up to date.
    QPointer<TfrmDrawSettingDialog> frmDrawSettingDialog;

    // ---- the picture's mouse ----------------------------------------------
    void ptbVistalMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void ptbVistalMouseMove(TShiftState shift, int x, int y);
    void ptbVistalMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // Wheel turns in eighths of a degree (120 = one step), away from the user
    // positive: each step zooms in about the pixel, towards the user out.
    void ptbVistalWheel(int x, int y, int delta);

    // Runs a command as every event handler does: through the guard, then
    // the menu checks are shown as the state has them.
    template <class F> void Command(F&& handler) {
        ui::Guarded(*prompt_, std::forward<F>(handler));
        ShowChecks();
    }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override; // MainFormLocations.cpp
    void dropEvent(QDropEvent* event) override;           // MainFormLocations.cpp

private:
    void FormCreate();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateInputDialogs(); // MainFormInput.cpp
    QAction* Item(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {});
    QAction* Radio(QMenu* menu, TMenuGroup group, const char* name, const QString& caption);
    QAction* Toggle(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {});
    template <class F> void On(QAction* action, F handler);

    void ShowChecks();
    void ShowBusy();
    void ShowIdle();
    void UpdateStatusBar();
    void UpdateProgressPanel();
    void FitWindowToPicture();
    void RefreshPositionDialog();
    void RefreshDrawSettingDialog(); // MainFormDrawSetting.cpp
    const TBitmap& ShownPicture();

    std::unique_ptr<TPrompt> ownPrompt_;
    TPrompt* prompt_;
    std::unique_ptr<TPromptReporter> reporter_;
    TExplorerState state_;
    std::array<std::vector<QAction*>, kMenuGroupCount> groupItems_;
    int drawSerial_ = 0;
    QElapsedTimer progressClock_;
    QElapsedTimer pumpClock_;
    bool busyPending_ = false;
    int wheelDelta_ = 0;
    bool wheelDrawPending_ = false;
    // The key last pressed while the window had the keyboard: the release of
    // an Escape that closed a dialog must not also leave full screen.
    int pressedKey_ = 0;
};

} // namespace vistal::ui
