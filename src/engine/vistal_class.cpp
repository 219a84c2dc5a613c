#include "engine/vistal_class.h"

#include "base/WorkerPool.h"
#include "colour/ImageEffect.h"
#include "engine/draw/PaletteColor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vistal {

TVistal::TVistal() {
    ln2_ = std::log(2.0);
    formula_ = fmMandelbrot;
    palette_.assign(1024, 0);
    width_ = 200;
    height_ = 200;
    iteration_ = 256;
    detail_ = 1;
    zoomFactor_ = 2;
    pow_ = 2;
    drawing_ = false;
    ResetView();
    SyncJuliaSeed();
    SetPaletteStandard();
    Half = true;
    SetEscape(2.0);
    Represent = DrawMode = DrawCompo = LightDark = 0;
    SetCorrection(0.0);
    PotentialBright = 0;
    SetBrightnessRaite(0.0);
    ClearResultCache();
}

TVistal::~TVistal() = default;

void TVistal::SetJuliaSeed(const TComplex& c) {
    if (formula_ != fmJulia) throw EAbort();
    juliaSeed_ = c;
}

void TVistal::SetWidth(int w) {
    if (w <= 0) throw EAbort();
    width_ = w;
}

void TVistal::SetHeight(int h) {
    if (h <= 0) throw EAbort();
    height_ = h;
}

void TVistal::SetImSpan(double s) {
    imSpan_ = std::fabs(s);
}

void TVistal::SetEscape(double e) {
    escape_ = e;
    escapeSquared_ = e * e;
}

void TVistal::SetCorrection(double c) {
    correction_ = c;
    correctionScale_ = std::pow(10.0, c);
}

void TVistal::SetBrightnessRaite(double r) {
    if (r > 1) r = 1;
    if (r < -1) r = -1;
    brightnessRaite_ = r;
}

void TVistal::ReportAndAbort(const char* text) const {
    if (ErrorReporter) ErrorReporter->ShowError(text);
    throw EAbort();
}

TComplex TVistal::GetPointP() const {
    if (width_ == 0 || height_ == 0) ReportAndAbort("表示サイズが指定してありません(TVistal.GetPointP)");
    return {center_.Re - width_ * imSpan_ / height_ / 2, center_.Im + imSpan_ / 2};
}

TComplex TVistal::GetPointQ() const {
    if (width_ == 0 || height_ == 0) ReportAndAbort("表示サイズが指定してありません(TVistal.GetPointQ)");
    return {center_.Re + width_ * imSpan_ / height_ / 2, center_.Im - imSpan_ / 2};
}

void TVistal::ResetView() {
    if (pow_ == 2 && formula_ == fmMandelbrot) {
        center_ = {-0.8, 0.0};
        SetImSpan(3.0);
    } else {
        center_ = {0.0, 0.0};
        SetImSpan(4.0);
    }
}

void TVistal::SetFormula(std::uint8_t f) {
    if (f == formula_) return;
    if (f == fmMandelbrot) {
        formula_ = fmMandelbrot;
    } else if (f == fmJulia) {
        formula_ = fmJulia;
        juliaSeed_ = center_;
    } else {
        throw EAbort();
    }
    SyncJuliaSeed();
    ResetView();
}

void TVistal::ChangeFormula() {
    if (formula_ == fmMandelbrot) {
        formula_ = fmJulia;
        juliaSeed_ = center_;
    } else {
        formula_ = fmMandelbrot;
    }
    SyncJuliaSeed();
    ResetView();
}

void TVistal::SyncJuliaSeed() {
    if (formula_ == fmJulia) juliaSeed_ = center_;
}

void TVistal::AutoDetail() {
    if (nColors_ < 1) return;
    detail_ = iteration_ / nColors_ + (iteration_ % nColors_ != 0 ? 1 : 0);
}

void TVistal::AdjustCenter(int ratio) {
    if (ratio < 1 || ratio > 5) throw EAbort();
    const double t = imSpan_ / 30 * ratio;
    if (formula_ == fmJulia && juliaSeed_.Im != 0) {
        if (std::sqrt(center_.Re * center_.Re + center_.Im * center_.Im) <= t) center_ = {0.0, 0.0};
    } else if (std::fabs(center_.Im) <= t) {
        center_.Im = 0;
    }
}

void TVistal::ZoomIn() {
    SetImSpan(imSpan_ / zoomFactor_);
}
void TVistal::ZoomOut() {
    SetImSpan(zoomFactor_ * imSpan_);
}

void TVistal::ZoomInAt(int x, int y) {
    const TComplex P = GetPointP(), Q = GetPointQ();
    center_ = {P.Re + (Q.Re - P.Re) / width_ * x, P.Im + (Q.Im - P.Im) / height_ * y};
    SetImSpan(imSpan_ / zoomFactor_);
}

void TVistal::ZoomOutAt(int x, int y) {
    const TComplex P = GetPointP(), Q = GetPointQ();
    center_ = {P.Re + (Q.Re - P.Re) / width_ * x, P.Im + (Q.Im - P.Im) / height_ * y};
    SetImSpan(zoomFactor_ * imSpan_);
}

void TVistal::ZoomTwoPoint(int x1, int y1, int x2, int y2) {
    const TComplex P = GetPointP(), Q = GetPointQ();
    const double s = (P.Im - Q.Im) / height_;
    center_ = {P.Re + s * (x1 + x2) / 2, P.Im - s * (y1 + y2) / 2};
    SetImSpan(s * (std::max(y1, y2) - std::min(y1, y2)));
}

void TVistal::ZoomCenterAndPoint(int xc, int yc, int x2, int y2) {
    const TComplex P = GetPointP(), Q = GetPointQ();
    const double s = (P.Im - Q.Im) / height_;
    (void)x2;
    center_ = {P.Re + s * xc, P.Im - s * yc};
    SetImSpan(s * 2 * std::abs(yc - y2));
}

void TVistal::CopyPaletteFrom(const TVistal& other) {
    palette_ = other.palette_;
    nColors_ = other.nColors_;
}

TColor TVistal::ColorOf(std::int32_t count) const {
    return PaletteColorOf(palette_.data(), palette_.size(), detail_, nColors_, count);
}

TKernel TVistal::MakeKernel() {
    TKernelKind kind;
    if (formula_ == fmMandelbrot)
        kind = pow_ == 2 ? TKernelKind::Mandelbrot2 : TKernelKind::MandelbrotN;
    else
        kind = pow_ == 2 ? TKernelKind::Julia2 : TKernelKind::JuliaN;
    const int threads = PrepareWorkers();
    return TKernel(kind, iteration_, pow_, juliaSeed_, &KernelCalls, KernelPath, workers_.get(), threads);
}

int TVistal::PrepareWorkers() {
    int threads = Threads > 0 ? Threads : TWorkerPool::HardwareThreads();
    threads = std::clamp(threads, 1, TWorkerPool::kMaxThreads);
    if (threads > 1) {
        // The pool lives as long as the engine; it only grows, so a drawing
        // interrupted by a nested one keeps a valid pool.
        if (!workers_) workers_ = std::make_unique<TWorkerPool>();
        workers_->Reserve(threads);
    }
    return threads;
}

void TVistal::Draw() {
    if (palette_.empty()) throw ERangeError("Palette index out of range");
    palette_[0] = UseColor0 ? color0_ : paletteColor0_;
    if (DrawMode <= dmSAntiArea) {
        ClearResultCache();
        const TKernel kernel = MakeKernel();
        switch (DrawMode) {
        case dmSearch:
            DrawBlock(kernel);
            return;
        case dmBorder:
            DrawBorder(kernel);
            return;
        case dmFadein:
            DrawFadein(kernel);
            return;
        case dmSAntiArea:
            DrawSAntiArea(kernel);
            return;
        default:
            DrawNormal(kernel);
            return;
        }
    }
    // Extended drawing: the kernel, then the functions, before anything is drawn.
    const TExtKernel kernel = MakeExtKernel();
    if (TPotentialFunction potential = PotentialFunctionOf(DrawMode)) potentialFunction_ = potential;
    brightFunction_ = BrightFunctionOf(PotentialBright);
    if (!brightFunction_) throw ERangeError("PotentialBright Error");
    representFunction_ = RepresentFunctionOf(Represent);
    if (DrawMode == dmExtNormal)
        DrawExtNormal(kernel);
    else if (DrawCompo == 1)
        DrawPotentialMixed(kernel);
    else
        DrawPotential(kernel);
}

const TBitmap& TVistal::GetImage() {
    outBitmap_ = drawBitmap_;
    ApplyOutputEffects(outBitmap_, brightnessRaite_, ShadeOff);
    return outBitmap_;
}

} // namespace vistal
