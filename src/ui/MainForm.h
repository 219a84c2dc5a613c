// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmMain: the explorer's main window. It owns the explorer (TExplorer: the
// engine, the preferences, the history and every rule of the window) and is
// its view: the menus with their check marks, the tool bar, the picture, the
// status bar and the repaint timer. Its handlers turn the user's commands
// into the explorer's operations; every drawing runs in the user-interface
// thread and processes pending events after every row, so every command, a
// new drawing included, works while a drawing runs; the newest drawing wins.
//
// Every event handler enters through the guard: a silent abort ends a command
// without a word, any other error is shown through the prompt.
#pragma once

#include "ui/AboutDialog.h"
#include "ui/Explorer.h"
#include "ui/Guard.h"
#include "ui/InputDialog.h"
#include "ui/InputFloatDialog.h"
#include "ui/Prompt.h"

#include <QMainWindow>
#include <QProcessEnvironment>
#include <array>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QScrollArea;
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

class TfrmMain : public QMainWindow, private TExplorerView {
    Q_OBJECT
public:
    // Message boxes and dialogs go to prompt, which must outlive the window;
    // without one the window uses the real dialogs.
    explicit TfrmMain(TPrompt* prompt = nullptr, QWidget* parent = nullptr);
    // Writes the settings (FormDestroy).
    ~TfrmMain() override;

    TExplorer& Explorer() { return explorer_; }
    TVistal& Vistal() { return explorer_.Engine(); }
    TGlobal& Global() { return explorer_.Global(); }
    TPrompt& Prompt() { return *prompt_; }

    // ---- components -------------------------------------------------------
    // The items of the menu value groups are built from their tables
    // (MenuTables.h) and reached through MenuItem; these are the others.
    QMenu *mnuFile, *mnuOption, *mnuView, *mnuRecommendation, *mnuHelp, *K1;
    QAction *mnuFileDraw, *mnuFileForceDraw, *mnuFilePre, *mnuFileFirst, *mnuFileAbort, *mnuFileSave;
    QMenu* mnuFileSetWP;
    QAction *mnuFileSetWPSpread, *mnuFileSetWPCenter, *mnuFileClipBoard, *mnuFileExit;
    QMenu *mnuOptionZoom, *mnuOptionSize, *mnuOptionIteration, *mnuOptionDetail, *mnuOptionPalette,
        *mnuOptionPower;
    QAction *mnuOptionZoomUser, *mnuOptionSizeUser, *mnuOptionIterationUser, *mnuOptionIterationAuto,
        *mnuOptionDetailUser, *mnuOptionDetailAuto, *mnuOptionPaletteReadVCP, *mnuOptionPalletCustomColor,
        *mnuOptionPaletteRedraw, *mnuOptionPowerUser;
    QAction *mnuOptionShadeOff, *mnuOptionSmooth, *mnuOptionManualMove, *mnuOptionJuliaConst,
        *mnuOptionChange;
    QMenu *mnuOptionMode, *mnuOptionModeExt, *mnuOptionModeMixed, *mnuOptionModeBright,
        *mnuOptionModeCorrection, *mnuOptionModeLightDark, *mnuOptionModeRepresentation, *mnuOptionModeEscape,
        *mnuOptionRubberBand, *mnuOptionRefresh;
    QAction *mnuOptionModeCorrectionUser, *mnuOptionModeEscapeUser, *mnuOptionRefreshUser;
    QAction* mnuOptionOption;
    QAction *mnuOptionDrawSetting, *mnuOptionPosition, *ViewToolBar, *ViewStatusbar, *ViewFullScreen;
    QAction *mnuRecoRecommendationOpen, *mnuRecoEntry, *mnuRecoLoad, *mnuRecoSave;
    QAction *mnuHelpHelp, *mnuHelpAbout;
    QAction *RePaint, *ZoomIn, *ZoomOut, *JCRandom; // 隠しﾒﾆｭｰ: shortcuts only
    // An item of a value group, numbered in menu order (its table's items,
    // then 指定 and the others).
    QAction* MenuItem(TMenuGroup group, int item) const {
        return groupItems_[static_cast<int>(group)].at(item);
    }

    QWidget* pnlToolbar;
    QToolButton *spbDraw, *spbAbort, *spbBmpSave, *spbVrpRead, *spbVrpEntry, *spbPaletteVcp, *spbMove,
        *spbBack;
    // The picture's place: it centres a picture narrower than the window and
    // scrolls one larger than the screen lets the window be.
    QScrollArea* Panel1;
    TPaintBox* ptbVistal;
    QStatusBar* stbOption;
    std::array<TStatusPanel*, 6>
        stbPanels; // Iteration, Detail, palette, progress or time of the last drawing, width, automatic limit
    QTimer* timDraw;
    TAboutDialog dlgAbout;

    // The windows that live as long as the program, made after the main window
    // in the program's order: the position window, the recommendation list
    // (which reads its start-up list now, the first argument when it names a
    // ".vrp" file), the entry dialog and the draw-setting window. Each drawing
    // brings the position and draw-setting windows up to date. Made again,
    // they start afresh.
    void CreateDialogs(const QStringList& arguments);
    TfrmPositionInfoDialog* frmPositionInfoDialog() const { return frmPositionInfoDialog_.get(); }
    TfrmVrpDialog* frmVrpDialog() const { return frmVrpDialog_.get(); }
    TfrmEntry* frmEntry() const { return frmEntry_.get(); }
    TfrmDrawSettingDialog* frmDrawSettingDialog() const { return frmDrawSettingDialog_.get(); }

    // ---- start-up and the drawing loop ------------------------------------
    // The start-up sequence, once, at the first showing of the window.
    void FormActivate();
    // Repaints the picture as it is now (the timer, 再表示).
    void timDrawTimer();
    // True when the window may close (the explorer asks while drawing).
    bool FormCloseQuery();
    void FormDestroy();

    // ---- menu commands ----------------------------------------------------
    void mnuFileClick();
    void mnuFileExitClick();
    void mnuOptionClick();
    void mnuOptionPositionClick();
    void mnuHelpHelpClick();
    void mnuHelpAboutClick();
    void FormKeyUp(int key);

    // Commands with dialogs of their own, each area in a file of its own.
    // Typed values and the parameter dialogs (MainFormInput.cpp).
    // The input components every 指定 item shares, and the palette file
    // dialog, which proposes the file last read.
    TIntegerDialog* dlgInteger = nullptr;
    TInputFloatDialog* dlgFloat = nullptr;
    TFileRequest dlgOpen;
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
    // 並べて表示 (wmTile) and 中央に表示 (wmCentre).
    void mnuFileSetWPCenterClick(int mode);
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
    // A file dropped on the window: a palette file (.vcp) or a scenic spot (.fss).
    void FormDropFile(const QString& fileName);
    // The file named on the command line: a scenic spot or a palette is opened
    // as a dropped one after the start-up drawings (a list is the list dialog's).
    QString StartupFile;
    // The file the scenic-spot dialogs (dlgOpenScenicSpot, dlgSaveScenicSpot) propose.
    QString ScenicSpotFileName;
    // The draw-setting window and colour 0 (MainFormDrawSetting.cpp).
    void mnuOptionDrawSettingClick();
    void mnuOptionPalletCustomColorClick();

    // Runs a command as every event handler does: through the guard, then
    // the menu checks are shown as the explorer has them.
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
    // ---- the explorer's view ----------------------------------------------
    void ShowChecks() override;
    void ShowBusy(bool busy) override;
    void ShowStatus(int iteration, int detail, const std::string& paletteName) override;
    void ShowWidth(const std::string& width) override;
    void ShowIterationAuto(bool on, int raisedTo) override;
    void ShowProgress(double done, TDrawPhase phase) override;
    void ShowDrawingTime(std::optional<double> seconds) override;
    void Repaint() override;
    void SetRepaintInterval(int ms) override;
    void ResizePicture(int w, int h) override;
    void ShowBars() override;
    TPictureSize ScreenSize() const override;
    TPoint WindowPlace() const override;
    void ShowFullScreen() override;
    void ShowWindowed(int w, int h, TPoint place) override;
    void RefreshDialogs() override;
    void ProcessEvents() override;
    void Post(std::function<void()> task) override;
    bool ConfirmClose() override;
    void RefusePictureSize(const TSizeRefusal& refusal) override; // MainFormInput.cpp

    void FormCreate();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateInputDialogs(); // MainFormInput.cpp
    QAction* Item(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {});
    QAction* Radio(QMenu* menu, TMenuGroup group, const char* name, const QString& caption);
    QAction* Toggle(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {});
    // The items of a value group from its table, each choosing its item.
    template <class T, std::size_t N>
    void Radios(QMenu* menu, TMenuGroup group, const TMenuItem<T> (&items)[N]);
    template <class F> void On(QAction* action, F handler);

    void FitWindowToPicture();
    const TBitmap& ShownPicture();

    std::unique_ptr<TPrompt> ownPrompt_;
    TPrompt* prompt_;
    TPromptReporter reporter_;
    TExplorer explorer_;
    std::unique_ptr<TfrmPositionInfoDialog> frmPositionInfoDialog_;
    std::unique_ptr<TfrmVrpDialog> frmVrpDialog_;
    std::unique_ptr<TfrmEntry> frmEntry_;
    std::unique_ptr<TfrmDrawSettingDialog> frmDrawSettingDialog_;
    std::array<std::vector<QAction*>, kMenuGroupCount> groupItems_;
    // The key last pressed while the window had the keyboard: the release of
    // an Escape that closed a dialog must not also leave full screen.
    int pressedKey_ = 0;
};

} // namespace vistal::ui
