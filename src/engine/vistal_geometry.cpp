// SPDX-License-Identifier: GPL-3.0-or-later
// TVistal: the view geometry. The corners of the view, the home view of each
// formula and exponent, the formula change and the zooms. A view drawn on
// doubles moves exactly as it always has; a deep view (DeepView) moves with
// MPFR, its centre to the bits the new view needs.
#include "engine/Messages.h"
#include "engine/vistal_class.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vistal {

TComplex TVistal::GetPointP() const {
    if (width_ == 0 || height_ == 0) ReportAndAbort(msg::kNoPictureSizeP);
    return {center_.Re - width_ * imSpan_ / height_ / 2, center_.Im + imSpan_ / 2};
}

TComplex TVistal::GetPointQ() const {
    if (width_ == 0 || height_ == 0) ReportAndAbort(msg::kNoPictureSizeQ);
    return {center_.Re + width_ * imSpan_ / height_ / 2, center_.Im - imSpan_ / 2};
}

void TVistal::ResetView() {
    if (pow_ == 2 && formula_ == fmMandelbrot) {
        SetCenter({-0.8, 0.0});
        SetImSpan(3.0);
    } else {
        SetCenter({0.0, 0.0});
        SetImSpan(4.0);
    }
}

TFloatExp TVistal::DeepPixel() const {
    return TFloatExp::Make(position_.Span.Mant / height_, position_.Span.Exp);
}

void TVistal::MoveDeep(double du, double dv, const TFloatExp& span) {
    if (width_ == 0 || height_ == 0) ReportAndAbort(msg::kNoPictureSizeP);
    const TFloatExp pixel = DeepPixel();
    TDeepPosition p = position_;
    p.Span = span.Abs();
    p.Fit(height_);
    TMpfr step(p.Re.Bits() + 64);
    step.Set(pixel);
    step.Mul(step, du);
    p.Re.Add(p.Re, step);
    step.Set(pixel);
    step.Mul(step, dv);
    p.Im.Add(p.Im, step);
    SetPosition(p);
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
    if (DeepView()) {
        const TFloatExp t = TFloatExp::Make(position_.Span.Mant / 30 * ratio, position_.Span.Exp);
        const TFloatExp re = position_.Re.ToFloatExp(), im = position_.Im.ToFloatExp();
        TDeepPosition p = position_;
        if (formula_ == fmJulia && juliaSeed_.Im != 0) {
            if (!(t < (re * re + im * im).Sqrt())) {
                p.Re.Set(0.0);
                p.Im.Set(0.0);
            }
        } else if (!(t < im.Abs())) {
            p.Im.Set(0.0);
        }
        SetPosition(p);
        return;
    }
    const double t = imSpan_ / 30 * ratio;
    if (formula_ == fmJulia && juliaSeed_.Im != 0) {
        if (std::sqrt(center_.Re * center_.Re + center_.Im * center_.Im) <= t) SetCenter({0.0, 0.0});
    } else if (std::fabs(center_.Im) <= t) {
        SetCenter({center_.Re, 0.0});
    }
}

void TVistal::ZoomIn() {
    if (DeepView()) {
        SetPosition([&] {
            TDeepPosition p = position_;
            p.Span = TFloatExp::Make(p.Span.Mant / zoomFactor_, p.Span.Exp);
            return p;
        }());
        return;
    }
    SetImSpan(imSpan_ / zoomFactor_);
}
// Zooming out stops short of an infinite span: such a view draws nothing
// and could not be written to a location file.
void TVistal::ZoomOut() {
    if (DeepView()) {
        const TFloatExp span = TFloatExp::Make(position_.Span.Mant * zoomFactor_, position_.Span.Exp);
        if (std::isfinite(span.ToDouble())) MoveDeep(0, 0, span);
        return;
    }
    const double span = zoomFactor_ * imSpan_;
    if (std::isfinite(span)) SetImSpan(span);
}

void TVistal::ZoomInAt(int x, int y) {
    if (DeepView()) {
        MoveDeep(x - width_ / 2.0, height_ / 2.0 - y,
                 TFloatExp::Make(position_.Span.Mant / zoomFactor_, position_.Span.Exp));
        return;
    }
    const TComplex P = GetPointP(), Q = GetPointQ();
    SetCenter({P.Re + (Q.Re - P.Re) / width_ * x, P.Im + (Q.Im - P.Im) / height_ * y});
    SetImSpan(imSpan_ / zoomFactor_);
}

void TVistal::ZoomOutAt(int x, int y) {
    if (DeepView()) {
        const TFloatExp span = TFloatExp::Make(position_.Span.Mant * zoomFactor_, position_.Span.Exp);
        if (std::isfinite(span.ToDouble())) MoveDeep(x - width_ / 2.0, height_ / 2.0 - y, span);
        return;
    }
    const double span = zoomFactor_ * imSpan_;
    if (!std::isfinite(span)) return;
    const TComplex P = GetPointP(), Q = GetPointQ();
    SetCenter({P.Re + (Q.Re - P.Re) / width_ * x, P.Im + (Q.Im - P.Im) / height_ * y});
    SetImSpan(span);
}

void TVistal::ZoomAbout(int x, int y, bool in) {
    const double f = zoomFactor_;
    if (DeepView()) {
        // The pixel's point p stays: the centre moves to p + (c − p) ÷ f
        // (× f out), (1 − 1/f) (or 1 − f) of the way from c to p.
        const double share = in ? 1 - 1 / f : 1 - f;
        const TFloatExp span =
            TFloatExp::Make(in ? position_.Span.Mant / f : position_.Span.Mant * f, position_.Span.Exp);
        if (std::isfinite(span.ToDouble()))
            MoveDeep((x - width_ / 2.0) * share, (height_ / 2.0 - y) * share, span);
        return;
    }
    const TComplex P = GetPointP(), Q = GetPointQ();
    // The sample point of the pixel, computed as ZoomInAt computes it.
    const TComplex p = {P.Re + (Q.Re - P.Re) / width_ * x, P.Im + (Q.Im - P.Im) / height_ * y};
    const TComplex c = center_;
    if (in) {
        SetCenter({p.Re + (c.Re - p.Re) / f, p.Im + (c.Im - p.Im) / f});
        SetImSpan(imSpan_ / f);
    } else {
        SetCenter({p.Re + (c.Re - p.Re) * f, p.Im + (c.Im - p.Im) * f});
        SetImSpan(f * imSpan_);
    }
}

void TVistal::ZoomTwoPoint(int x1, int y1, int x2, int y2) {
    if (DeepView()) {
        const TFloatExp pixel = DeepPixel();
        MoveDeep((x1 + x2) / 2.0 - width_ / 2.0, height_ / 2.0 - (y1 + y2) / 2.0,
                 pixel * TFloatExp::FromDouble(std::max(y1, y2) - std::min(y1, y2)));
        return;
    }
    const TComplex P = GetPointP(), Q = GetPointQ();
    const double s = (P.Im - Q.Im) / height_;
    SetCenter({P.Re + s * (x1 + x2) / 2, P.Im - s * (y1 + y2) / 2});
    SetImSpan(s * (std::max(y1, y2) - std::min(y1, y2)));
}

void TVistal::ZoomCenterAndPoint(int xc, int yc, int x2, int y2) {
    (void)x2;
    if (DeepView()) {
        MoveDeep(xc - width_ / 2.0, height_ / 2.0 - yc,
                 DeepPixel() * TFloatExp::FromDouble(2.0 * std::abs(yc - y2)));
        return;
    }
    const TComplex P = GetPointP(), Q = GetPointQ();
    const double s = (P.Im - Q.Im) / height_;
    SetCenter({P.Re + s * xc, P.Im - s * yc});
    SetImSpan(s * 2 * std::abs(yc - y2));
}

} // namespace vistal
