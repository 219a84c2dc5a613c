// SPDX-License-Identifier: GPL-3.0-or-later
// TVistal: the fractal engine. It holds every parameter of a view, the drawing
// bitmap and the palette, maps pixels to points of the plane, zooms and draws.
// All state is per instance; any number of engines can live side by side.
#pragma once

#include "base/Bitmap.h"
#include "base/DeepPosition.h"
#include "base/UType.h"
#include "colour/Hvcpr.h"
#include "engine/ResultCache.h"
#include "engine/UPotentialBrightMethod.h"
#include "engine/kernels/ExtKernels.h"
#include "engine/kernels/Kernels.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vistal {

using TPaletteArray = std::vector<TColor>;

class TDrawFrame;
class TDeepPlan;

// When a drawing takes the deep path (engine/kernels/DeepKernel.h): Auto for
// views finer than doubles resolve (ViewPrecision), Always, or Never (such a
// view is then drawn as its doubles define it, in blocks).
enum class TDeepMode : std::uint8_t { Auto, Always, Never };

// The samples a drawing coloured against its iteration limit: how many, how
// many reached the limit, and how many escaped in the limit's upper half.
struct TLimitShare {
    std::int64_t Samples = 0, AtLimit = 0, Near = 0;
};

class TVistal {
public:
    TVistal();
    TVistal(const TVistal&) = delete;
    TVistal& operator=(const TVistal&) = delete;
    ~TVistal();

    // ---- parameters -------------------------------------------------------
    // The centre and span as doubles: the view of the double path, and the
    // nearest doubles of a deep view's position.
    const TComplex& Center() const { return center_; }
    void SetCenter(const TComplex& c);
    const TComplex& JuliaSeed() const { return juliaSeed_; }
    void SetJuliaSeed(const TComplex& c); // only while Formula is Julia, else silent abort
    int Width() const { return width_; }
    void SetWidth(int w); // > 0, else silent abort
    int Height() const { return height_; }
    void SetHeight(int h);                    // > 0, else silent abort
    double ImSpan() const { return imSpan_; } // 0 or subnormal for spans below double's range
    void SetImSpan(double s);                 // stores the absolute value
    // The view's position to any depth: the centre with every bit it was
    // given or computed to, the span with an exponent of its own. Center()
    // and ImSpan() are its nearest doubles; setting either sets it.
    const TDeepPosition& Position() const { return position_; }
    void SetPosition(const TDeepPosition& p); // stores the absolute value of the span
    int ZoomFactor() const { return zoomFactor_; }
    void SetZoomFactor(int f) { zoomFactor_ = f; }
    int Iteration() const { return iteration_; }
    void SetIteration(int n) { iteration_ = n; }
    int Detail() const { return detail_; }
    void SetDetail(int d) { detail_ = d; }
    int Pow() const { return pow_; }
    void SetPow(int p) { pow_ = p; }
    bool Drawing() const { return drawing_; }
    void SetDrawing(bool d) { drawing_ = d; }
    TColor Color0() const { return color0_; }
    void SetColor0(TColor c) { color0_ = c; }
    TColor PaletteColor0() const { return paletteColor0_; }
    void SetPaletteColor0(TColor c) { paletteColor0_ = c; }
    double Escape() const { return escape_; }
    double EscapeSquared() const { return escapeSquared_; }
    void SetEscape(double e); // also stores the square
    double Correction() const { return correction_; }
    double CorrectionScale() const { return correctionScale_; }
    void SetCorrection(double c); // also stores 10^c
    double BrightnessRaite() const { return brightnessRaite_; }
    void SetBrightnessRaite(double r); // clamped to -1..1
    std::uint8_t Formula() const { return formula_; }
    double Ln2() const { return ln2_; }

    // Options written directly by the shell.
    bool Half = true;
    bool UseColor0 = false;
    std::uint8_t Represent = 0;
    std::uint8_t DrawMode = dmNormal;
    std::uint8_t DrawCompo = 0;
    std::uint8_t LightDark = 0;
    std::uint8_t PotentialBright = 0;
    bool ShadeOff = false;
    // Smooth colouring: the methods that draw counts colour each point by its
    // continuous count (SmoothColorOf) instead of its count; the potential
    // methods are smooth already and ignore it.
    bool Smooth = false;
    // How the kernels compute: the plain loop (Scalar) or the fastest path of
    // this processor (Auto). Every path gives the same counts.
    TKernelPath KernelPath = TKernelPath::Auto;
    // Threads a drawing may use, the calling one included; 0 = all cores.
    int Threads = 0;
    // When drawings take the deep path; Exact iterates every sample with
    // MPFR there (ExactBits of precision, 0: TDeepParameters::ExactBitsFor),
    // whatever the view.
    TDeepMode DeepMode = TDeepMode::Auto;
    bool Exact = false;
    long ExactBits = 0;

    // ---- services ---------------------------------------------------------
    // Called at every progress point of a drawing; the shell processes pending
    // events here, so any command (a nested Draw included) may run inside it.
    std::function<void()> PumpHook;
    // Where errors that the user must see are reported; may be null.
    TErrorReporter* ErrorReporter = nullptr;
    // The language of the reports: the reporter's, Japanese without one.
    TLanguage MessageLanguage() const {
        return ErrorReporter ? ErrorReporter->Language : TLanguage::Japanese;
    }
    // The samples of the last drawing that ended with the normal, block,
    // fade-in or extended normal method; all zero after any other.
    const TLimitShare& LimitShare() const { return limitShare_; }
    // Share of the current drawing done at the last progress point, 0..1.
    double Progress() const { return progress_; }
    // What a deep drawing does before its pixels ("reference orbit",
    // "approximation tables"); empty while pixels are computed.
    const char* ProgressPhase() const { return progressPhase_; }
    // Draws with the other engine's worker pool from now on (made now when it
    // has none): one pool for the engines of one window. Engines that share a
    // pool must draw on one thread, one drawing at a time (a drawing nested in
    // another's event processing included, as for one engine).
    void ShareWorkers(TVistal& other);
    // The worker pool, null before the first drawing that uses threads.
    const TWorkerPool* Workers() const { return workers_.get(); }
    // Number of kernel calls since construction (or the last reset).
    std::uint64_t KernelCalls = 0;

    // ---- view geometry ----------------------------------------------------
    TComplex GetPointP() const; // top-left corner
    TComplex GetPointQ() const; // bottom-right corner
    void ResetView();
    void SetFormula(std::uint8_t f);
    void ChangeFormula();
    void SyncJuliaSeed();
    void AutoDetail();
    void AdjustCenter(int ratio);
    void ZoomIn();
    void ZoomOut();
    void ZoomInAt(int x, int y);
    void ZoomOutAt(int x, int y);
    void ZoomTwoPoint(int x1, int y1, int x2, int y2);
    void ZoomCenterAndPoint(int xc, int yc, int x2, int y2);
    // The wheel's step: zooms in (or out) by the zoom factor about pixel
    // (x, y), whose point stays where it is on screen.
    void ZoomAbout(int x, int y, bool in);
    // Whether the next drawing takes the deep path: DeepMode and Exact, and
    // for Auto whether doubles tell the view's pixels apart. The view
    // operations above compute in doubles exactly as they always have where
    // it does not, and with MPFR at the precision the view needs where it does.
    bool DeepView() const;

    // ---- palette ----------------------------------------------------------
    const TPaletteArray& Palette() const { return palette_; }
    int NColors() const { return nColors_; }
    // Installs a palette of nColors + 1 used entries (entry 0 is colour 0).
    void SetPalette(TPaletteArray palette, int nColors);
    void SetPaletteStandard();
    void SetPaletteMono();
    void SetPaletteBlue();
    // Reads a VCP palette file and installs it, its first colour as
    // PaletteColor0. Any error is reported, then a silent abort; the palette
    // is then unchanged. A file of one colour installs with a warning.
    void LoadVcp(const std::string& fileName);
    // Reads a palette file of the format its name gives (a VCP file for any
    // name but .map, .gpl, .ugr and .gradient) and installs it as LoadVcp
    // does. `gradient` names the gradient of a gradient file; empty takes
    // the first.
    void LoadPalette(const std::string& fileName, const std::string& gradient = {});
    // The palette as the next drawing uses it: entries 0..NColors, entry 0
    // the colour of points that never escape (Color0 or PaletteColor0).
    TPaletteArray PaletteInUse() const;
    void FitPaletteToDevice(int n);
    int DevicePaletteSize() const { return 0; } // no palette displays on this platform
    void CopyPaletteFrom(const TVistal& other);
    TColor ColorOf(std::int32_t count) const;
    // The colour of a continuous count ν (engine/PaletteColor.h).
    TColor SmoothColorOf(double nu) const;

    // ---- drawing ----------------------------------------------------------
    // Draws the current view with the method DrawMode chooses.
    void Draw();
    TKernel MakeKernel();
    TExtKernel MakeExtKernel();
    // Whether the lower half of the picture is the mirror image of the upper.
    bool CanUseHalf() const;
    // Completes rows lastRow + 1..maxY by symmetry (the end of a drawing when
    // CanUseHalf holds; public for the tests' models of the methods).
    void MirrorHalf(int maxX, int maxY, int lastRow);
    // Drops the results kept by extended drawing, so that the next extended
    // drawing computes afresh.
    void ClearResultCache();
    // Whether the result cache holds the results for the current view.
    bool ResultCacheValid() const;
    const TResultCache& ResultCache() const { return resultCache_; }

    // The count of every pixel's sample point: from the result cache when it
    // holds the view (extended drawing, bound Escape²), otherwise counted as
    // the normal method counts (bound 4), with its progress points. Row by
    // row from the top, Width counts a row. With nu, also each pixel's
    // continuous count (engine/kernels/SmoothCount.h: escape radius 2, or
    // Escape from the cache), whether or not the view is coloured smoothly.
    void CountPixels(std::vector<std::int32_t>& counts, std::vector<double>* nu = nullptr);
    // The plan of the last deep drawing (null after a drawing on doubles).
    const TDeepPlan* DeepPlan() const { return drawingPlan_.get(); }

    const TBitmap& DrawBitmap() const { return drawBitmap_; }
    TBitmap& DrawBitmap() { return drawBitmap_; }
    // The picture as shown and saved: DrawBitmap with the output effects applied.
    const TBitmap& GetImage();

private:
    // The drawing methods, one file each in engine/draw; Draw chooses one.
    void DrawNormal(const TKernel& kernel);
    void DrawBlock(const TKernel& kernel);
    void DrawBorder(const TKernel& kernel);
    void DrawFadein(const TKernel& kernel);
    void DrawSAntiArea(const TKernel& kernel);
    void DrawExtNormal(const TExtKernel& kernel);
    void DrawPotential(const TExtKernel& kernel);
    void DrawPotentialMixed(const TExtKernel& kernel);

    // Threads for the next drawing; creates or grows the worker pool when more than one.
    int PrepareWorkers();
    friend class TDrawFrame;
    // Reports the message, in the reporter's language, and ends with EAbort.
    [[noreturn]] void ReportAndAbort(const TText& text,
                                     std::initializer_list<std::string_view> args = {}) const;
    // Installs what `read` gives, or reports why not (`gradient`: the name asked for).
    void LoadPaletteWith(const std::string& fileName, const std::string& gradient,
                         const std::function<TVcpReadResult()>& read);
    void SetProgress(double p) { progress_ = p; }
    // The plan for a deep drawing of the current view with this bound, the
    // last one when it fits; null when the view is drawn on doubles.
    std::shared_ptr<TDeepPlan> PlanFor(double bound);
    // The view moved by (du, dv) pixels (v up) with a new span, computed with
    // MPFR to the bits the new view needs.
    void MoveDeep(double du, double dv, const TFloatExp& span);
    TFloatExp DeepPixel() const;
    TResultCacheValidFor CurrentCacheKey() const;
    TResultCacheValidFor BeginComputing();
    void DrawPotentialWith(const TExtKernel& kernel, bool mixed);

    // The state of a new engine: the home view of z^2 + c, the standard
    // palette (installed by the constructor), escape radius 2.
    double ln2_ = std::log(2.0);
    TComplex center_{-0.8, 0.0};
    int detail_ = 1;
    bool drawing_ = false;
    int iteration_ = 256;
    TComplex juliaSeed_;
    int nColors_ = 0;
    std::uint8_t formula_ = fmMandelbrot;
    int width_ = 200;
    int height_ = 200;
    double imSpan_ = 3.0;
    int zoomFactor_ = 2;
    TBitmap drawBitmap_;
    TBitmap outBitmap_;
    TPaletteArray palette_;
    TColor color0_ = 0;
    TColor paletteColor0_ = 0;
    int pow_ = 2;
    double escape_ = 2.0;
    double escapeSquared_ = 4.0;
    double correction_ = 0;
    double correctionScale_ = 1;
    double brightnessRaite_ = 0;
    double progress_ = 0;
    const char* progressPhase_ = "";
    TDeepPosition position_{{-0.8, 0.0}, 3.0};
    std::shared_ptr<TDeepPlan> drawingPlan_; // the plan of the drawing under way or last made
    TLimitShare limitShare_;
    TResultCache resultCache_;
    TPotentialFunction potentialFunction_ = nullptr;
    TBrightFunction brightFunction_ = nullptr;
    TRepresentFunction representFunction_ = nullptr;
    std::shared_ptr<TWorkerPool> workers_; // created at the first drawing that uses threads
};

} // namespace vistal
