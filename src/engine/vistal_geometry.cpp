// TVistal: the view geometry. The corners of the view, the home view of each
// formula and exponent, the formula change and the zooms.
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
// Zooming out stops short of an infinite span: such a view draws nothing
// and could not be written to a location file.
void TVistal::ZoomOut() {
    const double span = zoomFactor_ * imSpan_;
    if (std::isfinite(span)) SetImSpan(span);
}

void TVistal::ZoomInAt(int x, int y) {
    const TComplex P = GetPointP(), Q = GetPointQ();
    center_ = {P.Re + (Q.Re - P.Re) / width_ * x, P.Im + (Q.Im - P.Im) / height_ * y};
    SetImSpan(imSpan_ / zoomFactor_);
}

void TVistal::ZoomOutAt(int x, int y) {
    const double span = zoomFactor_ * imSpan_;
    if (!std::isfinite(span)) return;
    const TComplex P = GetPointP(), Q = GetPointQ();
    center_ = {P.Re + (Q.Re - P.Re) / width_ * x, P.Im + (Q.Im - P.Im) / height_ * y};
    SetImSpan(span);
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

} // namespace vistal
