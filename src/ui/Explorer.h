// SPDX-License-Identifier: GPL-3.0-or-later
// TExplorer: the explorer without its widgets. It owns the engine, the
// preferences, the history of views and the view of the last drawing, and
// holds every rule of the main window: the drawing sequence, the start-up
// sequence, which item of each menu group is checked, the history, the rubber
// band, the wheel, the picture size, full screen and the palette in use. The
// window (TExplorerView) shows what it decides and hands it the user's
// commands. It is the receiver of the location files too (TLocationTarget), so
// the menu checks follow every parameter a file sets. No Qt in it.
#pragma once

#include "engine/StartupParameters.h"
#include "engine/UPosition.h"
#include "engine/UStack.h"
#include "engine/ViewPlace.h"
#include "engine/vistal_class.h"
#include "locations/UGlobal.h"
#include "locations/ULocationTarget.h"
#include "ui/ExplorerView.h"
#include "ui/MenuTables.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>

namespace vistal {
class TRecommendation;
}

namespace vistal::ui {

// Where a request to draw comes from. Only Back changes what the drawing
// does: the view comes from the history and does not enter it again.
enum class TDrawSource {
    Menu,       // a menu item or its shortcut
    ToolButton, // a button of the tool bar
    Mouse,      // a click, a rubber band, the wheel
    Dialog,     // a dialog's command: 再描画, 表示, OK, a file opened or dropped
    StartUp,    // the start-up sequence
    Resize,     // a new picture size, full screen
    Back,       // 一つ前に戻る
};

// The rubber band as shown: the rectangle spanned by two corner pixels.
struct TBand {
    TPoint A, B;
    friend bool operator==(const TBand&, const TBand&) = default;
};

enum class TMouseButton { Left, Right, Middle };

// The keys and buttons held during a mouse event.
enum TShiftFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TShiftState = unsigned;

// Replaces corner.Y so that the band from anchor to corner has the picture's
// aspect ratio, on the side of the anchor where the mouse is; only corner.X
// follows the mouse freely. Rounds to the nearest integer, ties to even.
TPoint FixBandAspect(TPoint anchor, TPoint corner, int width, int height);

// Where a window's frame goes when the window has grown: moved left and up as
// far as it must to stay within the free area of its screen, but never past
// the area's left and top edges; a frame larger than the area is cut to it, so
// the window shows the top-left part of what it holds.
TScreenRect KeepOnScreen(TScreenRect frame, TScreenRect area);

// The automatic iteration limit never goes beyond this.
inline constexpr int kMaxAutoIteration = 1 << 22;

// The limit an automatic iteration limit moves to after a drawing that
// coloured these samples: four times the limit (at most kMaxAutoIteration)
// when at least 1% of the samples reached it and either 0.1% escaped in its
// upper half (the escapes crowd the limit) or, for a deep view, half of them
// reached it (a deep view far from the set escapes only beyond it); nothing
// otherwise.
std::optional<int> RaisedLimit(const TLimitShare& share, int limit, bool deep);

class TExplorer final : public TLocationTarget {
public:
    // A new engine with its defaults, settings all zero (LoadSettings fills
    // them), an empty history and an all-zero Mandelbrot position as the view
    // of the last drawing. The engine reports to reporter and processes the
    // view's events while it draws. Nothing is asked of the view yet.
    TExplorer(TExplorerView& view, TErrorReporter& reporter);
    TExplorer(const TExplorer&) = delete;
    TExplorer& operator=(const TExplorer&) = delete;

    // ---- what the view shows ----------------------------------------------
    TVistal& Engine() override { return *vistal_; }
    const TVistal& Engine() const { return *vistal_; }
    TGlobal& Global() override { return global_; }
    const TGlobal& Global() const { return global_; }
    const TStack& History() const { return history_; }
    const TPosition& LastPosition() const { return *lastPosition_; }
    int Checked(TMenuGroup group) const { return checked_[static_cast<int>(group)]; }
    bool ShadeOffChecked() const { return Engine().ShadeOff; }
    bool SmoothChecked() const { return Engine().Smooth; }
    // 繰り返し回数 自動: after each complete drawing the limit is raised and
    // the view drawn again while RaisedLimit says so. Off at the start.
    bool IterationAuto() const { return iterationAuto_; }
    bool PaletteRedrawChecked() const { return paletteRedraw_; }
    bool ToolBarChecked() const { return toolBar_; }
    bool StatusBarChecked() const { return statusBar_; }
    bool FullScreenChecked() const { return fullScreen_; }
    bool FullScreenEnabled() const { return fullScreenEnabled_; }
    // 分解能 自動: Detail is recomputed before every drawing.
    bool DetailAuto() const { return detailAuto_; }
    std::uint8_t LastBasicMode() const override { return lastBasicMode_; }
    // Repaint interval while drawing, ms; 0 = no repaint until the end.
    int RefreshInterval() const { return refreshInterval_; }
    // The start-up sequence has run.
    bool Started() const { return started_; }
    // Drawings started since creation (nested ones included).
    int DrawingsStarted() const { return drawingsStarted_; }
    // The palette file last read (the file dialog proposes it).
    const std::string& VcpFileName() const { return vcpFileName_; }

    // ---- settings ---------------------------------------------------------
    // Reads the settings file: the preferences, the bars and ﾊﾟﾚｯﾄ選択で再描画.
    void LoadSettings();
    // Writes them; ESettingsError when the file cannot be written. Closing in
    // full screen keeps the bars the user chose.
    void SaveSettings() const;

    // ---- start-up and the drawing loop ------------------------------------
    // The start-up sequence, once: every start-up parameter through the
    // command that sets it (the exponent's draws once), then the picture size,
    // which draws the first full picture.
    void StartUp();
    // Draws the engine's view: the busy marks, the history (unless the
    // request is Back), a deep view's centre as the location files write it
    // (to 1e-5 of a pixel), the record of the view, the previous picture moved to
    // the new view, automatic detail, the status
    // panels, symmetry and centre adjustment, the windows that follow, then
    // the engine's drawing; the idle marks and a repaint however it ends. A
    // drawing under way stops after this one has finished.
    void Draw(TDrawSource source);
    // The engine's event pump while drawing: the view's events at most once a
    // millisecond and not in a drawing's first millisecond; the busy marks go
    // up at the first time, the progress every 50 ms.
    void PumpEvents();
    // 中断: the drawing under way stops.
    void Abort();
    // 強制再描画: the results of earlier drawings are forgotten first.
    void ForceDraw();
    // 最初に戻す: the home view of the formula and exponent, drawn.
    void DrawHome();
    // 一つ前に戻る: the previous view, drawn without entering the history.
    void Back();
    // Takes the top view off the history and moves there (formula included);
    // a silent abort when there is none.
    void GoBack();
    // Enters the view of the last drawing into the history, unless it is the
    // view on the engine or the top of the history already.
    void PushPosition();
    // True when the window may close: always when idle; while drawing, when
    // the user confirms (the drawing then stops).
    bool CloseQuery();
    // Stops the drawing under way and the event pump: the window goes.
    void Finish();
    // The repaint timer stops while a dialog is up (the interval it had is
    // returned) and runs again at that interval afterwards.
    int PauseRepaint();
    void ResumeRepaint(int interval);

    // ---- menus --------------------------------------------------------------
    // An item of a menu value group was chosen: its value is set (and drawn
    // where the item draws: 巾乗 and the picture sizes; the palettes when
    // ﾊﾟﾚｯﾄ選択で再描画 is checked).
    void ChooseMenuItem(TMenuGroup group, int item);
    // Parameters with a menu: set the engine, check the item. None draws.
    void SelectIteration(int n) override;
    void SelectDetail(int n) override; // also ends 自動
    void SelectDetailAuto();           // 自動: Detail follows Iteration from now on
    void SelectPower(int n) override;
    void SelectEscape(double x) override;
    void SelectCorrection(double x) override;
    void SelectRepresent(std::uint8_t n) override;
    void SelectLightDark(std::uint8_t n) override;
    void SelectDrawCompo(std::uint8_t n) override;
    void SelectPotentialBright(std::uint8_t n) override;
    void SelectDrawMode(std::uint8_t n) override;
    // Shade-off needs no drawing: the picture on screen follows at once.
    void SelectShadeOff(bool b) override;
    void SelectZoomFactor(int factor);
    // The 指定 items: the typed value, with 指定 checked whatever it is.
    void SelectZoomUser(int factor);
    void SelectRefreshUser(int tenths);
    void SelectSizeUser(int w, int h);
    // The start-up refresh rate (× 100 ms): checks its item and sets the
    // interval, kept within what a timer accepts.
    void SelectRefreshRate(int rate);
    // A new repaint interval, ms (negative counts as 0); a running drawing
    // repaints at it at once.
    void SetRefreshInterval(int ms);
    void SelectRubberBand(int item);
    // Opening 拡張描画 while it is not the method chosen: none of its methods
    // looks chosen.
    void ExtendedMenuOpened();
    void ToggleShadeOff();
    // Smooth colouring changes the colours as a palette does: redrawn at once
    // when ﾊﾟﾚｯﾄ選択で再描画 is checked, else at the next drawing.
    void ToggleSmooth();
    void ToggleIterationAuto();
    void TogglePaletteRedraw();

    // ---- palettes: one path for the built-in ones and the files -------------
    // Installs the palette, checks its item and names it in the status bar.
    void SelectPalette(TBuiltinPalette palette);
    // A palette file, read by the engine: a file that does not load is
    // reported and ends in a silent abort, the palette in use stays.
    void ApplyVcpFile(const std::string& path) override;
    // A palette file chosen by the user (file dialog, drop): applied, then
    // drawn when ﾊﾟﾚｯﾄ選択で再描画 is checked.
    void ChooseVcpFile(const std::string& path);
    // Draws when ﾊﾟﾚｯﾄ選択で再描画 is checked.
    void RedrawOnPaletteChange();
    // 色0の設定 accepted: colour 0 from now on, drawn like a palette change.
    void SetColor0(bool useColor0, TColor color0);
    // The brightness ratio of the picture shown (描画設定), -1..1; it shows
    // at the next drawing.
    void SetBrightnessRaite(double ratio);

    // ---- the formula and the exponent ---------------------------------------
    // Stops a running drawing and switches between Mandelbrot and Julia; the
    // view starts at the home view of the new formula.
    void StopAndChangeFormula() override;
    // &Change: the formula switch, drawn.
    void ChangeFormula();
    // 巾乗: the exponent when there is one (a cancelled 指定 gives none), then
    // the home view, drawn.
    void DrawPower(std::optional<int> n, TDrawSource source);
    // じゅりあ定数 closed: the Julia home view whatever the answer, drawn when
    // the constant was accepted.
    void JuliaConstantChosen(bool accepted);

    // ---- the picture's size and full screen ---------------------------------
    // Refuses a size the machine cannot hold, or that is larger than a
    // picture may be: the view says why, then a silent abort.
    void CheckPictureSize(int w, int h) const;
    // A new picture size: the picture, the window and the engine follow and
    // the view is drawn; the size it has already changes nothing.
    void SetPictureSize(int w, int h);
    void ToggleToolBar();
    void ToggleStatusBar();
    // Full screen on and off; the windowed picture size and window place come
    // back.
    void ToggleFullScreen();
    // Escape released: full screen ends.
    void EscapeReleased();

    // ---- where the view looks -----------------------------------------------
    TViewPlace Place() const { return PlaceOf(*vistal_); }
    // Moves the view: centre, height, exponent (its item checked), Julia
    // constant, the formula switched when the place has the other one.
    void MoveTo(const TViewPlace& place) override;
    // A place typed by the user: its centre to every digit typed where the
    // view is deep, rounded to doubles where doubles draw it, so that an
    // ordinary view is what it always was.
    void MoveToTyped(TViewPlace place);
    // The home view of the formula and exponent, not drawn.
    void ResetView();
    // 拡大, 縮小: zoom about the centre by the zoom factor, drawn.
    void ZoomIn();
    void ZoomOut();
    // ＪＣランダム: a random Julia constant on the grid of 0.0001 in −1..0.9999
    // and the Julia home view, drawn; nothing for the Mandelbrot set. The
    // generator is reseeded from the clock each time.
    void JCRandom();

    // ---- mouse ------------------------------------------------------------
    void MouseDown(TMouseButton button, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    // Ends a click (drawn, recentred and zoomed by the button) or a drag
    // (drawn, zoomed to the band unless it is too flat or released outside).
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // The band on screen: while a drag is under way, once a move was accepted.
    std::optional<TBand> Band() const;
    bool Dragging() const { return dragging_; }
    TPoint BandCorner() const { return bandCorner_; }
    // Wheel turns in eighths of a degree (120 a step), away from the user
    // positive: each step zooms in by the zoom factor about the pixel, which
    // stays where it is on screen, towards the user out. A burst of steps
    // makes one drawing once the pending events are through; the drawing
    // under way stops at once.
    void Wheel(int x, int y, int delta);

    // ---- locations ----------------------------------------------------------
    // A record of a list, applied through the Select operations (not drawn).
    void ApplyRecommendation(const TRecommendation& record);
    // A scenic-spot file: applied, what went wrong reported, drawn in every case.
    void OpenLocationFile(const std::string& fileName, TDrawSource source);

private:
    using TClock = std::chrono::steady_clock;

    void Check(TMenuGroup group, int item);
    void UsePalette(int item, const std::string& name, const std::function<void()>& install);
    void BeginDrawing(bool push);
    // Until rows of the new picture replace it, the picture on screen is the
    // previous view's, scaled and moved to the new view.
    void ShowOldPicture(const TPosition& previous);
    void ApplyDrawingOptions();
    void SetRepaint(int ms);
    bool Release(TMouseButton button, TShiftState shift, int x, int y);
    bool ZoomAbout(int x, int y, bool in);
    [[noreturn]] void Fail(const char* text) const;

    TExplorerView& view_;
    TErrorReporter& reporter_;
    std::unique_ptr<TVistal> vistal_;
    TGlobal global_;
    TStack history_;
    std::unique_ptr<TPosition> lastPosition_;
    std::array<int, kMenuGroupCount> checked_;
    bool started_ = false;
    bool detailAuto_ = false;
    bool iterationAuto_ = false;
    int autoRaised_ = 0; // the last limit a chain of drawings raised to
    std::uint8_t lastBasicMode_ = dmNormal;
    bool paletteRedraw_ = true;
    bool toolBar_ = true;
    bool statusBar_ = true;
    bool fullScreen_ = false;
    bool fullScreenEnabled_ = true;
    int refreshInterval_ = 0;
    int repaintInterval_ = 0; // the interval the view's timer runs at
    int drawingsStarted_ = 0;
    int drawSerial_ = 0;
    bool busyPending_ = false;
    std::optional<TClock::time_point> pumpClock_, progressClock_;
    std::string vcpFileName_;
    TPictureSize pictureSize_;  // what the view's picture measures; none before start-up
    TPictureSize windowedSize_; // full screen keeps the windowed picture size
    TPoint windowedPlace_;      // and window place
    TPoint bandAnchor_, bandCorner_, bandDrawnCorner_;
    bool dragging_ = false;
    bool bandShown_ = false;
    int wheelDelta_ = 0;
    bool wheelDrawPending_ = false;
    std::mt19937 random_;
};

} // namespace vistal::ui
