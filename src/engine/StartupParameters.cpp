// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/StartupParameters.h"

namespace vistal {

TStartupParameters StartupParameters() {
    return TStartupParameters{};
}

void ApplyStartupParameters(TVistal& e) {
    const TStartupParameters p = StartupParameters();
    e.SetZoomFactor(p.ZoomFactor);
    e.SetIteration(p.Iteration);
    e.SetDetail(p.Detail);
    e.SetPow(p.Pow);
    e.ResetView();
    e.SetEscape(p.Escape);
    e.SetCorrection(p.Correction);
    e.DrawCompo = p.DrawCompo;
    e.PotentialBright = p.PotentialBright;
    switch (p.Palette) {
    case TBuiltinPalette::Mono:
        e.SetPaletteMono();
        break;
    case TBuiltinPalette::Blue:
        e.SetPaletteBlue();
        break;
    default:
        e.SetPaletteStandard();
        break;
    }
    e.Represent = p.Represent;
    e.Half = p.Half;
    e.SetWidth(p.Width);
    e.SetHeight(p.Height);
}

} // namespace vistal
