// TExplorerState: what the explorer's main window knows besides its widgets.
// It owns the engine, the preferences, the history of views and the view of
// the last drawing, and keeps the rules that decide what the window shows:
// which item of each menu group is checked, when a view enters the history,
// how a rubber band follows the mouse and which zoom a release makes. It has
// no Qt in it; the window turns its state into widgets and its answers into
// drawings.
#pragma once

#include "engine/StartupParameters.h"
#include "engine/UPosition.h"
#include "engine/UStack.h"
#include "engine/vistal_class.h"
#include "locations/UGlobal.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>

namespace vistal::ui {

// The menu groups whose items behave as radio buttons. The items of a group
// are numbered in menu order from 0; -1 means no item is checked.
enum class TMenuGroup : int {
    ZoomFactor,  // x2, x4, x8, x16, 移動, 指定
    PictureSize, // 200×200, 400×400, 500×500, 700×700, 320×240, 640×480, 800×600, 1024×768, 指定
    Iteration,   // 256, 1024, 4096, 32768, 200000, 指定
    Detail,      // 1, 2, 3, 4, 指定, 自動
    Palette,     // 標準, 白黒, 青, VCP file
    Power,       // 2, 3, 4, 5, 指定
    DrawMode, // 普通, 探索, 境界走査, 浮き出し, 簡易ｱﾝﾁｴﾘｱｼﾝｸﾞ, 拡張描画
    ExtDrawMode, // under 拡張描画: 普通, ポテンシャル, ポテンシャル2, ポテンシャル3
    DrawCompo,   // あり, なし
    PotentialBright, // 明るさ1..4
    Correction,      // 0..9, 指定
    LightDark,       // 明暗1, 明暗2
    Represent,       // 表現1, 表現2
    Escape,          // 1, 2, 1024, 8192, 65536, 指定
    RubberBand,      // ２頂点, 中心と頂点
    Refresh,         // 1, 3, 5, 7, 9, なし, 指定
};
inline constexpr int kMenuGroupCount = static_cast<int>(TMenuGroup::Refresh) + 1;

// The fixed picture sizes of the size menu, in menu order.
struct TPictureSize {
    int Width, Height;
};
inline constexpr std::array<TPictureSize, 8> kPictureSizes = {
    {{200, 200}, {400, 400}, {500, 500}, {700, 700}, {320, 240}, {640, 480}, {800, 600}, {1024, 768}}};
// The fixed repaint intervals of the refresh menu (ms), in menu order; なし and
// 指定 follow them.
inline constexpr std::array<int, 5> kRefreshIntervals = {100, 300, 500, 700, 900};

// Which item of its group a value checks.
int ZoomFactorItem(int factor);
int PictureSizeItem(int width, int height);
int IterationItem(int n);
int DetailItem(int n);
int PowerItem(int n);
int EscapeItem(double x);
int CorrectionItem(double x);
int RepresentItem(int n);
int LightDarkItem(int n);
int DrawCompoItem(int n);
int PotentialBrightItem(int n);
int RefreshRateItem(int rate); // a start-up refresh rate (× 100 ms)

struct TPoint {
    int X = 0, Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
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

class TExplorerState {
public:
    // A new engine with its defaults, settings all zero (LoadSettings fills
    // them), an empty history and an all-zero Mandelbrot position as the
    // view of the last drawing.
    TExplorerState();
    TExplorerState(const TExplorerState&) = delete;
    TExplorerState& operator=(const TExplorerState&) = delete;

    TVistal& Vistal() { return *vistal_; }
    const TVistal& Vistal() const { return *vistal_; }
    TGlobal& Global() { return global_; }
    const TStack& History() const { return history_; }
    const TPosition& LastPosition() const { return *lastPosition_; }

    // Where "Error in …" reports go (the window's prompt); may be null.
    TErrorReporter* Reporter = nullptr;

    bool FirstActivation = true;
    // 分解能 自動: Detail is recomputed before every drawing.
    bool DetailAuto = false;
    // The drawing method last chosen among the basic ones and extended 普通.
    std::uint8_t LastBasicMode = 0;
    // Repaint interval while drawing, ms; 0 = no repaint until the end.
    int RefreshInterval = 0;
    // Drawings started since creation (the window's own and nested ones).
    int DrawingsStarted = 0;

    // ---- menu checks ------------------------------------------------------
    int Checked(TMenuGroup group) const { return checked_[static_cast<int>(group)]; }
    void Check(TMenuGroup group, int item) { checked_[static_cast<int>(group)] = item; }
    bool ShadeOffChecked = false;
    bool PaletteRedrawChecked = true;
    bool ToolBarChecked = true;
    bool StatusBarChecked = true;
    bool FullScreenChecked = false;
    bool FullScreenEnabled = true;

    // ---- parameters with a menu: set the engine, check the item -----------
    void SelectIteration(int n);
    void SelectDetail(int n); // also ends 自動
    void SelectDetailAuto();  // 自動: Detail follows Iteration from now on
    void SelectPower(int n);
    void SelectEscape(double x);
    void SelectCorrection(double x);
    void SelectRepresent(int n);
    void SelectLightDark(int n);
    void SelectDrawCompo(int n);
    void SelectPotentialBright(int n);
    void SelectDrawMode(int n);
    void SelectShadeOff(bool b);
    void SelectZoomFactor(int factor); // 拡縮: checks the fixed item or 指定
    // A built-in palette: installed, checked and named in the status bar.
    void SelectPalette(TBuiltinPalette palette);
    // The start-up refresh rate (× 100 ms): checks its item and sets the
    // interval, kept within what a timer accepts.
    void SelectRefreshRate(int rate);
    // A refresh interval chosen from the menu, ms; negative counts as 0.
    void SetRefreshInterval(int ms);

    // ---- the drawing loop -------------------------------------------------
    // What a drawing does before the status bar shows it: the history push
    // (unless the drawing comes from the back command), the record of the view
    // about to be drawn and automatic detail.
    void BeginDrawing(bool push);
    // What it does just before the engine draws: the symmetry setting and the
    // centre adjustment (after the view was recorded).
    void ApplyDrawingOptions();
    // Enters the view of the last drawing into the history, unless it is the
    // view on the engine or the top of the history already.
    void PushPosition();
    // Takes the top view off the history and applies it (formula included);
    // a silent abort when there is none.
    void GoBack();
    // Stops a running drawing and switches between Mandelbrot and Julia.
    void StopAndChangeFormula();

    // ---- mouse and keys ---------------------------------------------------
    void MouseDown(TMouseButton button, int x, int y);
    // True when the band moved.
    bool MouseMove(TShiftState shift, int x, int y);
    // Ends a click or a drag; true when it changed the view (or was a click)
    // and a drawing should follow.
    bool MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // The band on screen: while a drag is under way, once a move was accepted.
    std::optional<TBand> Band() const;
    bool Dragging() const { return dragging_; }
    TPoint BandAnchor() const { return bandAnchor_; }
    TPoint BandCorner() const { return bandCorner_; }

    // The wheel: zooms in (or out) by ZoomFactor about the sample point of
    // pixel (x, y), which stays where it is on screen. False when nothing
    // changes (ZoomFactor 1).
    bool ZoomAbout(int x, int y, bool in);
    // ＪＣランダム: a random Julia constant on the grid of 0.0001 in
    // −1..0.9999 and the Julia home view; false (nothing changed) for the
    // Mandelbrot set. The generator is reseeded from the clock each time.
    bool JCRandom();

    // Full screen keeps the windowed picture size and window position.
    int WindowedWidth = 0, WindowedHeight = 0, WindowedTop = 0, WindowedLeft = 0;

private:
    [[noreturn]] void Fail(const char* text) const;

    std::unique_ptr<TVistal> vistal_;
    TGlobal global_;
    TStack history_;
    std::unique_ptr<TPosition> lastPosition_;
    std::array<int, kMenuGroupCount> checked_;
    TPoint bandAnchor_, bandCorner_, bandDrawnCorner_;
    bool dragging_ = false;
    bool bandShown_ = false;
    std::mt19937 random_;
};

} // namespace vistal::ui
