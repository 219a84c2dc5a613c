// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers for the drawing-method tests: the iteration counts of a view computed
// one point at a time by the plain kernels, and drawing a view with a chosen
// method.
#pragma once

#include "colour/Rgblib.h"
#include "engine/UPotentialBrightMethod.h"
#include "engine/vistal_class.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace vistal::test {

// The count of every pixel of an engine's current view, computed directly.
class TDirectCounts {
public:
    explicit TDirectCounts(const TVistal& v) : width_(v.Width()), height_(v.Height()) {
        const TComplex P = v.GetPointP(), Q = v.GetPointQ();
        dx_ = (Q.Re - P.Re) / width_;
        dy_ = (Q.Im - P.Im) / height_;
        P_ = P;
        counts_.resize(static_cast<std::size_t>(width_) * height_);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                counts_[Index(x, y)] = CountAt(v, x * dx_ + P.Re, y * dy_ + P.Im);
    }
    std::int32_t operator()(int x, int y) const { return counts_.at(Index(x, y)); }
    double Dx() const { return dx_; }
    double Dy() const { return dy_; }
    const TComplex& P() const { return P_; }

    static std::int32_t CountAt(const TVistal& v, double re, double im) {
        if (v.Formula() == fmMandelbrot)
            return v.Pow() == 2 ? CountMandelbrot2(re, im, v.Iteration())
                                : CountMandelbrotN(re, im, v.Iteration(), v.Pow());
        return v.Pow() == 2 ? CountJulia2(re, im, v.JuliaSeed(), v.Iteration())
                            : CountJuliaN(re, im, v.JuliaSeed(), v.Iteration(), v.Pow());
    }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
    int width_, height_;
    double dx_ = 0, dy_ = 0;
    TComplex P_;
    std::vector<std::int32_t> counts_;
};

// Draws the view with the given method and symmetry setting (the engine's own
// settings are restored afterwards) and returns the picture.
inline TBitmap DrawnWith(TVistal& v, std::uint8_t mode, bool half) {
    const std::uint8_t oldMode = v.DrawMode;
    const bool oldHalf = v.Half;
    v.DrawMode = mode;
    v.Half = half;
    v.Draw();
    v.DrawMode = oldMode;
    v.Half = oldHalf;
    return v.DrawBitmap();
}

// Sizes the drawing bitmap to the view and fills it with one colour, so that
// pixels a drawing has not written can be told apart.
inline void PrefillBitmap(TVistal& v, TColor colour) {
    v.DrawBitmap().SetSize(v.Width(), v.Height());
    v.DrawBitmap().FillRect(0, 0, v.Width(), v.Height(), colour);
}

// Not a colour value (its top byte is set), so no palette entry can equal it.
constexpr TColor kUnwritten = 0x7F123456;

// Pixel (x, y) of a potential (or extended normal) drawing straight from the
// pixel rule: the cell and its right and lower neighbours, through the
// functions the dispatcher chooses and TRgb.
inline TColor PotentialRulePixel(const TVistal& v, int x, int y) {
    const TResultCache& cache = v.ResultCache();
    const ResultCacheCell C = cache.Cell(x, y), X = cache.Cell(x + 1, y), Y = cache.Cell(x, y + 1);
    if (C.count == 0 || v.DrawMode == dmExtNormal) return v.ColorOf(C.count);
    const TPotentialFunction f = PotentialFunctionOf(v.DrawMode);
    const TPotentialScale s{v.CorrectionScale(), v.Ln2()};
    const double dy = (v.GetPointQ().Im - v.GetPointP().Im) / v.Height();
    const double b = BrightFunctionOf(v.PotentialBright)(f(X.z, X.count, s) / dy, f(Y.z, Y.count, s) / dy,
                                                         f(C.z, C.count, s) / dy);
    double t = ApplyLightDark(RepresentFunctionOf(v.Represent)(b), v.LightDark);
    // A relief that cannot be computed is shaded as flat ground.
    if (std::isnan(t))
        t = ApplyLightDark(RepresentFunctionOf(v.Represent)(BrightFunctionOf(v.PotentialBright)(0, 0, 0)),
                           v.LightDark);
    if (v.DrawCompo != 1) return v.ColorOf(static_cast<std::int32_t>((v.NColors() - 1) * t + 1));
    TRgb rgb;
    rgb.FromColor(v.ColorOf(C.count));
    rgb.FromYCbCr(rgb.Cb(), rgb.Cr(), t);
    return rgb.ToColor();
}

// Whether pixel (x, y) of a potential drawing is shaded as flat ground
// because its relief is not a number.
inline bool PotentialRuleIsFlat(const TVistal& v, int x, int y) {
    const TResultCache& cache = v.ResultCache();
    const ResultCacheCell C = cache.Cell(x, y), X = cache.Cell(x + 1, y), Y = cache.Cell(x, y + 1);
    if (C.count == 0 || v.DrawMode == dmExtNormal) return false;
    const TPotentialFunction f = PotentialFunctionOf(v.DrawMode);
    const TPotentialScale s{v.CorrectionScale(), v.Ln2()};
    const double dy = (v.GetPointQ().Im - v.GetPointP().Im) / v.Height();
    const double b = BrightFunctionOf(v.PotentialBright)(f(X.z, X.count, s) / dy, f(Y.z, Y.count, s) / dy,
                                                         f(C.z, C.count, s) / dy);
    return std::isnan(ApplyLightDark(RepresentFunctionOf(v.Represent)(b), v.LightDark));
}

// Sets a view given as texts of its centre ("RE,IM", any digits) and span,
// as the renderer does.
inline void SetDeepView(TVistal& v, const std::string& centre, const std::string& span) {
    const std::size_t comma = centre.find(',');
    TDeepPosition p;
    p.Re = *TDeepPosition::ParseCoordinate(centre.substr(0, comma));
    p.Im = *TDeepPosition::ParseCoordinate(centre.substr(comma + 1));
    p.Span = *TDeepPosition::ParseSpan(span);
    v.SetPosition(p);
}

// A file of tests/data/deep: the deep locations and the truths of deep views.
inline std::string DeepDataFile(const std::string& name) {
    return std::string(VISTAL_SOURCE_DIR) + "/tests/data/deep/" + name;
}

} // namespace vistal::test
