// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/vistal_class.h"
#include "engine/Messages.h"

#include "base/WorkerPool.h"
#include "colour/ImageEffect.h"
#include "engine/PaletteColor.h"
#include "engine/ViewPrecision.h"
#include "engine/kernels/DeepKernel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vistal {

// Every default is stated where the field is declared; only the palette is built.
TVistal::TVistal() {
    SetPaletteStandard();
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

void TVistal::SetCenter(const TComplex& c) {
    center_ = c;
    position_.Re.Set(c.Re);
    position_.Im.Set(c.Im);
}

void TVistal::SetImSpan(double s) {
    imSpan_ = std::fabs(s);
    position_.Span = TFloatExp::FromDouble(imSpan_);
}

void TVistal::SetPosition(const TDeepPosition& p) {
    position_ = p;
    position_.Span = p.Span.Abs();
    center_ = p.Center();
    imSpan_ = position_.Span.ToDouble();
}

bool TVistal::DeepView() const {
    if (Exact || DeepMode == TDeepMode::Always) return true;
    if (DeepMode == TDeepMode::Never) return false;
    return !ViewPrecision(*this).Resolved();
}

std::shared_ptr<TDeepPlan> TVistal::PlanFor(double bound) {
    if (!DeepView()) return nullptr;
    TDeepParameters p;
    p.CenterRe = position_.Re;
    p.CenterIm = position_.Im;
    p.Span = position_.Span;
    p.Width = width_;
    p.Height = height_;
    p.Julia = formula_ != fmMandelbrot;
    p.Pow = pow_;
    p.Seed = juliaSeed_;
    p.Iteration = iteration_;
    p.Bound = bound;
    p.Exact = Exact;
    p.ExactBits = ExactBits;
    if (drawingPlan_ && drawingPlan_->Parameters().SameAs(p)) return drawingPlan_;
    return std::make_shared<TDeepPlan>(p);
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

void TVistal::ReportAndAbort(const TText& text, std::initializer_list<std::string_view> args) const {
    if (ErrorReporter) ErrorReporter->ShowError(Compose(text, MessageLanguage(), args));
    throw EAbort();
}

void TVistal::CopyPaletteFrom(const TVistal& other) {
    palette_ = other.palette_;
    nColors_ = other.nColors_;
}

TColor TVistal::ColorOf(std::int32_t count) const {
    return PaletteColorOf(palette_.data(), palette_.size(), detail_, nColors_, count);
}

TColor TVistal::SmoothColorOf(double nu) const {
    return SmoothPaletteColorOf(palette_.data(), palette_.size(), detail_, nColors_, nu);
}

TKernel TVistal::MakeKernel() {
    TKernelKind kind;
    if (formula_ == fmMandelbrot)
        kind = pow_ == 2 ? TKernelKind::Mandelbrot2 : TKernelKind::MandelbrotN;
    else
        kind = pow_ == 2 ? TKernelKind::Julia2 : TKernelKind::JuliaN;
    const int threads = PrepareWorkers();
    TKernel kernel(kind, iteration_, pow_, juliaSeed_, &KernelCalls, KernelPath, workers_.get(), threads);
    drawingPlan_ = PlanFor(4);
    kernel.SetDeep(drawingPlan_.get());
    return kernel;
}

void TVistal::ShareWorkers(TVistal& other) {
    if (!other.workers_) other.workers_ = std::make_shared<TWorkerPool>();
    workers_ = other.workers_;
}

int TVistal::PrepareWorkers() {
    int threads = Threads > 0 ? Threads : TWorkerPool::HardwareThreads();
    threads = std::clamp(threads, 1, TWorkerPool::kMaxThreads);
    if (threads > 1) {
        // The pool lives as long as the engine; it only grows, so a drawing
        // interrupted by a nested one keeps a valid pool.
        if (!workers_) workers_ = std::make_shared<TWorkerPool>();
        workers_->Reserve(threads);
    }
    return threads;
}

void TVistal::Draw() {
    if (palette_.empty()) throw ERangeError(msg::kPaletteIndexOutOfRange);
    palette_[0] = UseColor0 ? color0_ : paletteColor0_;
    limitShare_ = {};
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
    if (!brightFunction_) throw ERangeError(msg::kPotentialBrightError);
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
