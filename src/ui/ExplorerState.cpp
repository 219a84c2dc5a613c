#include "ui/ExplorerState.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace vistal::ui {

namespace {

template <class T, std::size_t N> int IndexIn(const std::array<T, N>& values, T v, int otherwise) {
    for (std::size_t i = 0; i < N; ++i)
        if (values[i] == v) return static_cast<int>(i);
    return otherwise;
}

} // namespace

int ZoomFactorItem(int factor) {
    switch (factor) {
    case 2:
        return 0;
    case 4:
        return 1;
    case 8:
        return 2;
    case 16:
        return 3;
    case 1:
        return 4;
    default:
        return 5;
    }
}

int PictureSizeItem(int width, int height) {
    for (std::size_t i = 0; i < kPictureSizes.size(); ++i)
        if (kPictureSizes[i].Width == width && kPictureSizes[i].Height == height) return static_cast<int>(i);
    return static_cast<int>(kPictureSizes.size());
}

int IterationItem(int n) {
    return IndexIn(std::array<int, 5>{256, 1024, 4096, 32768, 200000}, n, 5);
}

int DetailItem(int n) {
    return n >= 1 && n <= 4 ? n - 1 : 4;
}

int PowerItem(int n) {
    return n >= 2 && n <= 5 ? n - 2 : 4;
}

int EscapeItem(double x) {
    return IndexIn(std::array<double, 5>{1, 2, 1024, 8192, 65536}, x, 5);
}

int CorrectionItem(double x) {
    for (int i = 0; i <= 9; ++i)
        if (x == i) return i;
    return 10;
}

int RepresentItem(int n) {
    return n == 1 ? 1 : 0;
}

int LightDarkItem(int n) {
    return n == 1 ? 1 : 0;
}

int DrawCompoItem(int n) {
    return n == 1 ? 0 : (n == 0 ? 1 : -1);
}

int PotentialBrightItem(int n) {
    return n >= 0 && n <= 3 ? n : -1;
}

int RefreshRateItem(int rate) {
    if (rate == 0) return 5;
    return IndexIn(std::array<int, 5>{1, 3, 5, 7, 9}, rate, 6);
}

TPoint FixBandAspect(TPoint anchor, TPoint corner, int width, int height) {
    const double s = corner.Y < anchor.Y ? -1.0 : 1.0;
    const double y = static_cast<double>(height) / width * s * std::abs(corner.X - anchor.X) + anchor.Y;
    // nearbyint rounds in the current mode, which is to nearest, ties to even.
    corner.Y = static_cast<int>(std::nearbyint(y));
    return corner;
}

TExplorerState::TExplorerState()
    : vistal_(std::make_unique<TVistal>()), lastPosition_(std::make_unique<TPositionMandelbrot>()) {
    checked_.fill(-1);
}

void TExplorerState::Fail(const char* text) const {
    if (Reporter) Reporter->ShowError(text);
    throw EAbort();
}

// ---- parameters ------------------------------------------------------------

void TExplorerState::SelectIteration(int n) {
    vistal_->SetIteration(n);
    Check(TMenuGroup::Iteration, IterationItem(n));
}

void TExplorerState::SelectDetail(int n) {
    vistal_->SetDetail(n);
    DetailAuto = false;
    Check(TMenuGroup::Detail, DetailItem(n));
}

void TExplorerState::SelectDetailAuto() {
    DetailAuto = true;
    Check(TMenuGroup::Detail, 5);
    vistal_->AutoDetail();
}

void TExplorerState::SelectPower(int n) {
    vistal_->SetPow(n);
    Check(TMenuGroup::Power, PowerItem(n));
}

void TExplorerState::SelectEscape(double x) {
    vistal_->SetEscape(x);
    Check(TMenuGroup::Escape, EscapeItem(x));
}

void TExplorerState::SelectCorrection(double x) {
    vistal_->SetCorrection(x);
    Check(TMenuGroup::Correction, CorrectionItem(x));
}

void TExplorerState::SelectRepresent(int n) {
    vistal_->Represent = static_cast<std::uint8_t>(n);
    Check(TMenuGroup::Represent, RepresentItem(n));
}

void TExplorerState::SelectLightDark(int n) {
    vistal_->LightDark = static_cast<std::uint8_t>(n);
    Check(TMenuGroup::LightDark, LightDarkItem(n));
}

void TExplorerState::SelectDrawCompo(int n) {
    vistal_->DrawCompo = static_cast<std::uint8_t>(n);
    Check(TMenuGroup::DrawCompo, DrawCompoItem(n));
}

void TExplorerState::SelectPotentialBright(int n) {
    vistal_->PotentialBright = static_cast<std::uint8_t>(n);
    Check(TMenuGroup::PotentialBright, PotentialBrightItem(n));
}

void TExplorerState::SelectDrawMode(int n) {
    vistal_->DrawMode = static_cast<std::uint8_t>(n);
    if (n <= dmExtNormal) LastBasicMode = static_cast<std::uint8_t>(n);
    if (n >= dmNormal && n <= dmSAntiArea) {
        Check(TMenuGroup::DrawMode, n);
    } else if (n >= dmExtNormal && n <= dmPotential3) {
        Check(TMenuGroup::DrawMode, 5); // 拡張描画
        Check(TMenuGroup::ExtDrawMode, n - dmExtNormal);
    }
}

void TExplorerState::SelectShadeOff(bool b) {
    vistal_->ShadeOff = b;
    ShadeOffChecked = b;
}

void TExplorerState::SelectZoomFactor(int factor) {
    vistal_->SetZoomFactor(factor);
    Check(TMenuGroup::ZoomFactor, ZoomFactorItem(factor));
}

void TExplorerState::SelectPalette(TBuiltinPalette palette) {
    switch (palette) {
    case TBuiltinPalette::Standard:
        vistal_->SetPaletteStandard();
        global_.PaletteName = "標準";
        Check(TMenuGroup::Palette, 0);
        break;
    case TBuiltinPalette::Mono:
        vistal_->SetPaletteMono();
        global_.PaletteName = "白黒";
        Check(TMenuGroup::Palette, 1);
        break;
    case TBuiltinPalette::Blue:
        vistal_->SetPaletteBlue();
        global_.PaletteName = "青";
        Check(TMenuGroup::Palette, 2);
        break;
    }
}

void TExplorerState::SelectRefreshRate(int rate) {
    Check(TMenuGroup::Refresh, RefreshRateItem(rate));
    const long long ms = static_cast<long long>(rate) * 100;
    SetRefreshInterval(static_cast<int>(std::min<long long>(ms, INT_MAX)));
}

void TExplorerState::SetRefreshInterval(int ms) {
    RefreshInterval = ms < 0 ? 0 : ms;
}

// ---- the drawing loop -----------------------------------------------------

void TExplorerState::BeginDrawing(bool push) {
    ++DrawingsStarted;
    if (push) PushPosition();
    const std::uint8_t kind = vistal_->Formula();
    if (kind != fmMandelbrot && kind != fmJulia) Fail("Error in mnuFileDrawClick");
    auto position = CreatePosition(kind);
    position->ReadFrom(*vistal_);
    lastPosition_ = std::move(position);
    if (DetailAuto) vistal_->AutoDetail();
}

void TExplorerState::ApplyDrawingOptions() {
    vistal_->Half = global_.Half;
    if (global_.Adjusted) vistal_->AdjustCenter(global_.Adjust());
}

void TExplorerState::PushPosition() {
    // A view is only ever the same as one of its own formula: a Mandelbrot
    // view and a Julia view may share centre, exponent and span (the home
    // views of exponents above 2 do), and are still different places.
    const TPosition& last = *lastPosition_;
    if (last.FormulaKind() == vistal_->Formula() && last.SameAsEngine(*vistal_)) return;
    if (history_.HasItems()) {
        const TPosition& top = history_.Peek();
        if (top.FormulaKind() == last.FormulaKind() && last.SameAs(top)) return;
    }
    const std::uint8_t kind = last.FormulaKind();
    if (kind != fmMandelbrot && kind != fmJulia) Fail("Error in Push");
    history_.Push(CopyPosition(last));
}

void TExplorerState::GoBack() {
    if (!history_.HasItems()) throw EAbort();
    std::unique_ptr<TPosition> position = history_.Pop();
    if (position->FormulaKind() != vistal_->Formula()) StopAndChangeFormula();
    position->ApplyTo(*vistal_);
    Check(TMenuGroup::Power, PowerItem(vistal_->Pow()));
}

void TExplorerState::StopAndChangeFormula() {
    vistal_->SetDrawing(false);
    vistal_->ChangeFormula();
}

// ---- mouse ----------------------------------------------------------------

void TExplorerState::MouseDown(TMouseButton button, int x, int y) {
    if (dragging_) return;
    bandAnchor_ = {x, y};
    bandDrawnCorner_ = {x, y};
    if (button == TMouseButton::Left) {
        dragging_ = true;
        bandShown_ = false;
        // A drag released before any accepted move has no band: its corner is
        // the anchor, which cancels the zoom.
        bandCorner_ = bandAnchor_;
    }
}

bool TExplorerState::MouseMove(TShiftState shift, int x, int y) {
    if (!dragging_) return false;
    if (shift != ssLeft && shift != ssDouble) return false;
    if (x < 0 || x > vistal_->Width() || y < 0 || y > vistal_->Height()) return false;
    bandCorner_ = FixBandAspect(bandAnchor_, {x, y}, vistal_->Width(), vistal_->Height());
    bandDrawnCorner_ = bandCorner_;
    bandShown_ = true;
    return true;
}

bool TExplorerState::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const bool wasDragging = dragging_;
    dragging_ = false;
    const bool drag = std::abs(bandAnchor_.X - x) > 1 || std::abs(bandAnchor_.Y - y) > 1;
    TVistal& e = *vistal_;
    if (!drag) {
        switch (button) {
        case TMouseButton::Left:
            if (shift & ssCtrl) {
                // Recentre without zooming; the factor is back whatever happens.
                const int factor = e.ZoomFactor();
                e.SetZoomFactor(1);
                struct TRestore {
                    TVistal& e;
                    int factor;
                    ~TRestore() { e.SetZoomFactor(factor); }
                } restore{e, factor};
                e.ZoomInAt(x, y);
            } else {
                e.ZoomInAt(x, y);
            }
            break;
        case TMouseButton::Right:
            e.ZoomOutAt(x, y);
            break;
        case TMouseButton::Middle:
            break;
        }
        return true;
    }
    if (button != TMouseButton::Left) {
        // Another button released during a left drag: the drag goes on.
        dragging_ = wasDragging;
        return false;
    }
    if (std::abs(bandAnchor_.Y - bandCorner_.Y) < 2) return false;
    if (x < 0 || x > e.Width() || y < 0 || y > e.Height()) return false;
    if (Checked(TMenuGroup::RubberBand) == 0)
        e.ZoomTwoPoint(bandAnchor_.X, bandAnchor_.Y, bandCorner_.X, bandCorner_.Y);
    else
        e.ZoomCenterAndPoint(bandAnchor_.X, bandAnchor_.Y, bandCorner_.X, bandCorner_.Y);
    return true;
}

std::optional<TBand> TExplorerState::Band() const {
    if (!dragging_ || !bandShown_) return std::nullopt;
    const TPoint c = bandDrawnCorner_;
    if (Checked(TMenuGroup::RubberBand) == 0) return TBand{bandAnchor_, c};
    return TBand{{2 * bandAnchor_.X - c.X, 2 * bandAnchor_.Y - c.Y}, c};
}

bool TExplorerState::ZoomAbout(int x, int y, bool in) {
    TVistal& e = *vistal_;
    const double f = e.ZoomFactor();
    if (f == 1) return false;
    const TComplex P = e.GetPointP(), Q = e.GetPointQ();
    // The sample point of the pixel, computed as ZoomInAt computes it.
    const TComplex p = {P.Re + (Q.Re - P.Re) / e.Width() * x, P.Im + (Q.Im - P.Im) / e.Height() * y};
    const TComplex c = e.Center();
    if (in) {
        e.SetCenter({p.Re + (c.Re - p.Re) / f, p.Im + (c.Im - p.Im) / f});
        e.SetImSpan(e.ImSpan() / f);
    } else {
        e.SetCenter({p.Re + (c.Re - p.Re) * f, p.Im + (c.Im - p.Im) * f});
        e.SetImSpan(f * e.ImSpan());
    }
    return true;
}

bool TExplorerState::JCRandom() {
    random_.seed(static_cast<std::mt19937::result_type>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    if (vistal_->Formula() != fmJulia) return false;
    std::uniform_int_distribution<int> draw(0, 19999);
    const int r1 = draw(random_);
    const int r2 = draw(random_);
    vistal_->SetJuliaSeed({(r1 - 10000) / 10000.0, (r2 - 10000) / 10000.0});
    vistal_->ResetView();
    return true;
}

} // namespace vistal::ui
