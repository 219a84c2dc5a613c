// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/vistal_class.h"

#include <gtest/gtest.h>

using namespace vistal;

TEST(Geometry, NewEngineHasTheStartUpViewAndDefaults) {
    TVistal v;
    EXPECT_EQ(v.GetPointP(), (TComplex{-2.3, 1.5}));
    EXPECT_EQ(v.GetPointQ(), (TComplex{0.7, -1.5}));
    EXPECT_EQ(v.Width(), 200);
    EXPECT_EQ(v.Height(), 200);
    EXPECT_EQ(v.Iteration(), 256);
    EXPECT_EQ(v.Detail(), 1);
    EXPECT_EQ(v.Pow(), 2);
    EXPECT_EQ(v.ZoomFactor(), 2);
    EXPECT_EQ(v.Formula(), fmMandelbrot);
    EXPECT_EQ(v.NColors(), 127);
    EXPECT_EQ(v.Escape(), 2.0);
    EXPECT_EQ(v.EscapeSquared(), 4.0);
    EXPECT_TRUE(v.Half);
    EXPECT_FALSE(v.Drawing());
    EXPECT_EQ(v.JuliaSeed(), (TComplex{0, 0}));
}

TEST(Geometry, WidePictureSamplesTopLeftCornersOfItsCells) {
    TVistal v;
    v.SetWidth(400);
    v.SetHeight(200);
    v.SetCenter({0, 0});
    v.SetImSpan(2);
    TComplex P = v.GetPointP(), Q = v.GetPointQ();
    EXPECT_EQ(P, (TComplex{-2, 1}));
    EXPECT_EQ(Q, (TComplex{2, -1}));
    EXPECT_DOUBLE_EQ((Q.Re - P.Re) / 400, 0.01);
    EXPECT_DOUBLE_EQ((Q.Im - P.Im) / 200, -0.01);
    // The last row lies one step above the bottom edge.
    EXPECT_GT(199 * ((Q.Im - P.Im) / 200) + P.Im, -1.0);
}

TEST(Geometry, ZoomOperations) {
    TVistal v;
    TComplex P = v.GetPointP();
    v.ZoomInAt(0, 0);
    EXPECT_EQ(v.Center(), P);
    EXPECT_EQ(v.ImSpan(), 1.5);

    TVistal w;
    P = w.GetPointP();
    const double s = 3.0 / 200;
    w.ZoomTwoPoint(10, 50, 90, 20);
    EXPECT_EQ(w.Center(), (TComplex{P.Re + s * 100 / 2, P.Im - s * 70 / 2}));
    EXPECT_EQ(w.ImSpan(), s * 30);

    TVistal c;
    c.ZoomCenterAndPoint(100, 100, 150, 90);
    EXPECT_EQ(c.Center(), (TComplex{-2.3 + s * 100, 1.5 - s * 100}));
    EXPECT_EQ(c.ImSpan(), s * 2 * 10);

    TVistal z;
    z.SetZoomFactor(4);
    z.ZoomOut();
    EXPECT_EQ(z.ImSpan(), 12.0);
    z.ZoomIn();
    EXPECT_EQ(z.ImSpan(), 3.0);
    z.SetZoomFactor(1); // "move": only the centre changes
    z.ZoomInAt(150, 100);
    EXPECT_EQ(z.ImSpan(), 3.0);
    EXPECT_EQ(z.Center(), (TComplex{-2.3 + 3.0 / 200 * 150, 0.0}));

    TVistal far; // zooming out never reaches an infinite span
    far.SetImSpan(1e306);
    far.SetZoomFactor(1000);
    far.ZoomOut();
    EXPECT_EQ(far.ImSpan(), 1e306);
    const TComplex centre = far.Center();
    far.ZoomOutAt(0, 0);
    EXPECT_EQ(far.ImSpan(), 1e306);
    EXPECT_EQ(far.Center(), centre);
}

TEST(Geometry, SettersCheckTheirArguments) {
    TVistal v;
    v.SetImSpan(-3);
    EXPECT_EQ(v.ImSpan(), 3.0);
    EXPECT_THROW(v.SetWidth(0), EAbort);
    EXPECT_THROW(v.SetHeight(-1), EAbort);
    EXPECT_EQ(v.Width(), 200);
    EXPECT_EQ(v.Height(), 200);
    EXPECT_THROW(v.SetJuliaSeed({1, 1}), EAbort); // a Mandelbrot view has no constant
    EXPECT_EQ(v.JuliaSeed(), (TComplex{0, 0}));
    v.SetBrightnessRaite(2.5);
    EXPECT_EQ(v.BrightnessRaite(), 1.0);
    v.SetBrightnessRaite(-7);
    EXPECT_EQ(v.BrightnessRaite(), -1.0);
    v.SetEscape(3);
    EXPECT_EQ(v.EscapeSquared(), 9.0);
    v.SetCorrection(2);
    EXPECT_EQ(v.CorrectionScale(), 100.0);
}

TEST(Geometry, FormulaSwitchingAndHomeViews) {
    TVistal v;
    v.SetFormula(fmJulia);
    EXPECT_EQ(v.Formula(), fmJulia);
    EXPECT_EQ(v.JuliaSeed(), (TComplex{-0.8, 0}));
    EXPECT_EQ(v.Center(), (TComplex{0, 0}));
    EXPECT_EQ(v.ImSpan(), 4.0);
    v.SetJuliaSeed({0.3, 0.5});
    v.SetFormula(fmJulia); // same formula: nothing happens
    EXPECT_EQ(v.JuliaSeed(), (TComplex{0.3, 0.5}));
    EXPECT_THROW(v.SetFormula(3), EAbort);
    EXPECT_EQ(v.Formula(), fmJulia);

    v.ChangeFormula();
    EXPECT_EQ(v.Formula(), fmMandelbrot);
    EXPECT_EQ(v.Center(), (TComplex{-0.8, 0}));
    EXPECT_EQ(v.ImSpan(), 3.0);
    v.SetCenter({0.25, 0.5});
    v.ChangeFormula();
    EXPECT_EQ(v.JuliaSeed(), (TComplex{0.25, 0.5}));

    v.SetPow(3);
    v.ResetView();
    EXPECT_EQ(v.Center(), (TComplex{0, 0}));
    EXPECT_EQ(v.ImSpan(), 4.0);
    v.SetFormula(fmMandelbrot);
    EXPECT_EQ(v.Center(), (TComplex{0, 0})); // exponent 3 has no offset home view
}

TEST(Geometry, AutoDetailAndCentreAdjustment) {
    TVistal v;
    v.AutoDetail();
    EXPECT_EQ(v.Detail(), 3); // 256 over 127 colours
    v.SetIteration(254);
    v.AutoDetail();
    EXPECT_EQ(v.Detail(), 2);

    v.SetCenter({-0.5, 0.09});
    v.AdjustCenter(1); // t = 0.1
    EXPECT_EQ(v.Center().Im, 0.0);
    v.SetCenter({-0.5, 0.11});
    v.AdjustCenter(1);
    EXPECT_EQ(v.Center().Im, 0.11);
    EXPECT_THROW(v.AdjustCenter(6), EAbort);
    EXPECT_THROW(v.AdjustCenter(0), EAbort);

    // A Julia set with a complex constant is symmetric about the origin only.
    v.SetFormula(fmJulia);
    v.SetJuliaSeed({0.3, 0.5});
    v.SetCenter({0.05, 0.1});
    v.AdjustCenter(1); // t = 4 / 30
    EXPECT_EQ(v.Center(), (TComplex{0, 0}));
    v.SetCenter({0.0, 0.14});
    v.AdjustCenter(1);
    EXPECT_EQ(v.Center(), (TComplex{0, 0.14}));
}
