// The explorer's state without widgets: the history rules, the rubber band and
// its aspect, the clicks, the wheel, the random Julia constant and the menu
// items each value checks.
#include "ui/ExplorerState.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>

namespace vistal::test {

using ui::TBand;
using ui::TExplorerState;
using ui::TMenuGroup;
using ui::TMouseButton;
using ui::TPoint;

TEST(ExplorerHistory, OnlyViewsThatChangedEnterTheHistory) {
    TExplorerState s;
    TVistal& e = s.Vistal();
    s.BeginDrawing(true); // the all-zero start position goes in, out of reach of back
    EXPECT_EQ(s.History().Count(), 1u);
    EXPECT_FALSE(s.History().HasItems());
    s.BeginDrawing(true); // the same view again
    EXPECT_EQ(s.History().Count(), 1u);

    e.ZoomIn();
    s.BeginDrawing(true);
    ASSERT_TRUE(s.History().HasItems());
    EXPECT_EQ(s.History().Peek().ImSpan, 3.0);
    // Pushing twice before the next record: the view is already on top.
    e.ZoomIn();
    s.PushPosition();
    s.PushPosition();
    EXPECT_EQ(s.History().Count(), 3u);

    s.GoBack();
    EXPECT_EQ(e.ImSpan(), 1.5);
    s.BeginDrawing(false); // the back command's drawing pushes nothing
    EXPECT_EQ(s.History().Count(), 2u);
    s.GoBack();
    EXPECT_EQ(e.ImSpan(), 3.0);
    EXPECT_FALSE(s.History().HasItems());
    EXPECT_THROW(s.GoBack(), EAbort);
}

TEST(ExplorerHistory, AMandelbrotViewAndAJuliaViewAreNeverTheSamePlace) {
    // The home views of exponent 3 share centre, exponent and span.
    TExplorerState s;
    TVistal& e = s.Vistal();
    s.SelectPower(3);
    e.ResetView();
    s.BeginDrawing(true);
    s.StopAndChangeFormula();
    s.BeginDrawing(true); // the Mandelbrot home view is kept
    ASSERT_TRUE(s.History().HasItems());
    EXPECT_EQ(s.History().Peek().FormulaKind(), fmMandelbrot);
    e.ZoomIn();
    EXPECT_NO_THROW(s.BeginDrawing(true)); // the Julia home view goes on top of it
    EXPECT_EQ(s.History().Count(), 3u);

    s.GoBack();
    EXPECT_EQ(e.Formula(), fmJulia);
    EXPECT_EQ(e.ImSpan(), 4.0);
    s.GoBack();
    EXPECT_EQ(e.Formula(), fmMandelbrot);
    EXPECT_EQ(e.Pow(), 3);
    EXPECT_EQ(s.Checked(TMenuGroup::Power), 1);
}

TEST(ExplorerHistory, TheCentreAdjustmentComesAfterTheRecord) {
    TExplorerState s;
    TVistal& e = s.Vistal();
    s.Global().Adjusted = true;
    s.Global().SetAdjust(1);
    e.SetCenter({-0.5, 0.05}); // within ImSpan / 30 of the axis
    s.BeginDrawing(true);
    s.ApplyDrawingOptions();
    EXPECT_EQ(s.LastPosition().Center.Im, 0.05);
    EXPECT_EQ(e.Center().Im, 0.0);
    s.BeginDrawing(true);
    EXPECT_EQ(s.History().Peek().Center.Im, 0.05);
    const std::size_t count = s.History().Count();
    s.ApplyDrawingOptions();
    s.BeginDrawing(true);
    EXPECT_EQ(s.History().Count(), count);
}

TEST(RubberBand, AspectFollowsThePictureAndRoundsTiesToEven) {
    EXPECT_EQ(ui::FixBandAspect({10, 10}, {20, 30}, 200, 100), (TPoint{20, 15}));
    EXPECT_EQ(ui::FixBandAspect({10, 10}, {0, 2}, 200, 100), (TPoint{0, 5})); // above the anchor
    EXPECT_EQ(ui::FixBandAspect({0, 0}, {2, 9}, 4, 1), (TPoint{2, 0}));       // 0.5
    EXPECT_EQ(ui::FixBandAspect({0, 1}, {2, 9}, 4, 1), (TPoint{2, 2}));       // 1.5
    EXPECT_EQ(ui::FixBandAspect({0, 3}, {2, 0}, 4, 1), (TPoint{2, 2}));       // 2.5 upwards
}

class RubberBandDrag : public ::testing::Test {
protected:
    void SetUp() override {
        s.Vistal().SetWidth(200);
        s.Vistal().SetHeight(100);
        s.Check(TMenuGroup::RubberBand, 0);
    }
    TExplorerState s;
    TVistal expected;
    void SetUpExpected() {
        expected.SetWidth(200);
        expected.SetHeight(100);
    }
};

TEST_F(RubberBandDrag, TwoPointsUpAndToTheLeft) {
    s.MouseDown(TMouseButton::Left, 100, 50);
    EXPECT_FALSE(s.Band()); // nothing to show before the first move
    EXPECT_TRUE(s.MouseMove(ui::ssLeft, 60, 20));
    EXPECT_EQ(s.Band(), (TBand{{100, 50}, {60, 30}}));
    EXPECT_TRUE(s.MouseUp(TMouseButton::Left, 0, 60, 20));
    EXPECT_FALSE(s.Band());
    SetUpExpected();
    expected.ZoomTwoPoint(100, 50, 60, 30);
    EXPECT_EQ(s.Vistal().Center(), expected.Center());
    EXPECT_EQ(s.Vistal().ImSpan(), expected.ImSpan());
}

TEST_F(RubberBandDrag, CentreAndPointIsSymmetricAboutThePress) {
    s.Check(TMenuGroup::RubberBand, 1);
    s.MouseDown(TMouseButton::Left, 100, 50);
    s.MouseMove(ui::ssLeft, 120, 70);
    EXPECT_EQ(s.Band(), (TBand{{80, 40}, {120, 60}}));
    EXPECT_TRUE(s.MouseUp(TMouseButton::Left, 0, 120, 70));
    SetUpExpected();
    expected.ZoomCenterAndPoint(100, 50, 120, 60);
    EXPECT_EQ(s.Vistal().Center(), expected.Center());
    EXPECT_EQ(s.Vistal().ImSpan(), expected.ImSpan());
}

TEST_F(RubberBandDrag, FlatBandsReleasesOutsideAndFrozenMovesDoNotZoom) {
    const TComplex home = s.Vistal().Center();
    // Corrected height 1: too flat.
    s.MouseDown(TMouseButton::Left, 100, 50);
    s.MouseMove(ui::ssLeft, 102, 90);
    EXPECT_FALSE(s.MouseUp(TMouseButton::Left, 0, 104, 90));
    // Released beyond the right edge.
    s.MouseDown(TMouseButton::Left, 100, 50);
    s.MouseMove(ui::ssLeft, 150, 60);
    EXPECT_FALSE(s.MouseMove(ui::ssLeft, 201, 60)); // outside: the band stays
    EXPECT_EQ(s.Band(), (TBand{{100, 50}, {150, 75}}));
    EXPECT_FALSE(s.MouseUp(TMouseButton::Left, 0, 201, 60));
    // Released without a move: the corner is the anchor.
    s.MouseDown(TMouseButton::Left, 10, 10);
    EXPECT_FALSE(s.MouseUp(TMouseButton::Left, 0, 60, 60));
    EXPECT_EQ(s.Vistal().Center(), home);

    // A held Shift freezes the band; letting go lets it follow again.
    s.MouseDown(TMouseButton::Left, 100, 50);
    s.MouseMove(ui::ssLeft, 120, 60);
    EXPECT_FALSE(s.MouseMove(ui::ssLeft | ui::ssShift, 160, 90));
    EXPECT_EQ(s.BandCorner(), (TPoint{120, 60}));
    // The right button pressed and released during the drag: it goes on.
    s.MouseDown(TMouseButton::Right, 130, 70);
    EXPECT_FALSE(s.MouseUp(TMouseButton::Right, ui::ssLeft, 130, 70));
    EXPECT_TRUE(s.Dragging());
    EXPECT_TRUE(s.MouseMove(ui::ssLeft, 140, 60));
    EXPECT_EQ(s.BandCorner(), (TPoint{140, 70}));
}

TEST_F(RubberBandDrag, ClicksRecentreAndZoom) {
    SetUpExpected();
    s.MouseDown(TMouseButton::Left, 30, 40);
    EXPECT_TRUE(s.MouseUp(TMouseButton::Left, ui::ssCtrl, 31, 40)); // within a pixel: a click
    expected.SetZoomFactor(1);
    expected.ZoomInAt(31, 40);
    expected.SetZoomFactor(2);
    EXPECT_EQ(s.Vistal().Center(), expected.Center());
    EXPECT_EQ(s.Vistal().ImSpan(), 3.0);
    EXPECT_EQ(s.Vistal().ZoomFactor(), 2);

    s.MouseDown(TMouseButton::Right, 150, 80);
    EXPECT_TRUE(s.MouseUp(TMouseButton::Right, 0, 150, 80));
    expected.ZoomOutAt(150, 80);
    EXPECT_EQ(s.Vistal().Center(), expected.Center());
    EXPECT_EQ(s.Vistal().ImSpan(), 6.0);

    s.MouseDown(TMouseButton::Middle, 10, 10);
    EXPECT_TRUE(s.MouseUp(TMouseButton::Middle, 0, 10, 10)); // a plain redraw
    EXPECT_EQ(s.Vistal().Center(), expected.Center());
}

TEST(Wheel, ThePointUnderThePointerStaysPut) {
    TExplorerState s;
    TVistal& e = s.Vistal();
    const auto sample = [&e](int x, int y) {
        const TComplex P = e.GetPointP(), Q = e.GetPointQ();
        return TComplex{P.Re + (Q.Re - P.Re) / e.Width() * x, P.Im + (Q.Im - P.Im) / e.Height() * y};
    };
    const TComplex before = sample(50, 150);
    ASSERT_TRUE(s.ZoomAbout(50, 150, true));
    EXPECT_EQ(e.ImSpan(), 1.5);
    const TComplex after = sample(50, 150);
    const double pixel = e.ImSpan() / e.Height();
    EXPECT_NEAR(after.Re, before.Re, pixel * 1e-6);
    EXPECT_NEAR(after.Im, before.Im, pixel * 1e-6);
    ASSERT_TRUE(s.ZoomAbout(50, 150, false));
    EXPECT_EQ(e.ImSpan(), 3.0);
    EXPECT_NEAR(e.Center().Re, -0.8, 1e-12);
    s.SelectZoomFactor(1);
    EXPECT_FALSE(s.ZoomAbout(10, 10, true));
}

TEST(JuliaConstant, RandomOnlyForJuliaOnAGridOfOneTenThousandth) {
    TExplorerState s;
    TVistal& e = s.Vistal();
    EXPECT_FALSE(s.JCRandom());
    EXPECT_EQ(e.JuliaSeed(), (TComplex{0, 0}));
    s.StopAndChangeFormula();
    for (int i = 0; i < 20; ++i) {
        e.SetCenter({0.3, 0.3});
        ASSERT_TRUE(s.JCRandom());
        for (double c : {e.JuliaSeed().Re, e.JuliaSeed().Im}) {
            EXPECT_GE(c, -1.0);
            EXPECT_LE(c, 0.9999);
            EXPECT_NEAR(c * 10000, std::nearbyint(c * 10000), 1e-6);
        }
        EXPECT_EQ(e.Center(), (TComplex{0, 0}));
        EXPECT_EQ(e.ImSpan(), 4.0);
    }
}

TEST(MenuChecks, EachValueChecksItsItemOrTheUserItem) {
    TExplorerState s;
    s.SelectIteration(4096);
    EXPECT_EQ(s.Checked(TMenuGroup::Iteration), 2);
    s.SelectIteration(1000);
    EXPECT_EQ(s.Checked(TMenuGroup::Iteration), 5);
    s.SelectDetailAuto();
    EXPECT_TRUE(s.DetailAuto);
    EXPECT_EQ(s.Vistal().Detail(), 8); // ⌈1000 / 127⌉
    s.SelectDetail(3);
    EXPECT_FALSE(s.DetailAuto);
    EXPECT_EQ(s.Checked(TMenuGroup::Detail), 2);
    s.SelectEscape(8192);
    EXPECT_EQ(s.Checked(TMenuGroup::Escape), 3);
    s.SelectCorrection(3.5);
    EXPECT_EQ(s.Checked(TMenuGroup::Correction), 10);
    s.SelectDrawCompo(2);
    EXPECT_EQ(s.Checked(TMenuGroup::DrawCompo), -1);
    s.SelectDrawCompo(0);
    EXPECT_EQ(s.Checked(TMenuGroup::DrawCompo), 1);

    s.SelectDrawMode(dmBorder);
    EXPECT_EQ(s.LastBasicMode, dmBorder);
    s.SelectDrawMode(dmPotential2);
    EXPECT_EQ(s.Checked(TMenuGroup::DrawMode), 5);
    EXPECT_EQ(s.Checked(TMenuGroup::ExtDrawMode), 2);
    EXPECT_EQ(s.LastBasicMode, dmBorder);
    s.SelectDrawMode(dmExtNormal);
    EXPECT_EQ(s.LastBasicMode, dmExtNormal);

    s.SelectRefreshRate(2);
    EXPECT_EQ(s.Checked(TMenuGroup::Refresh), 6);
    EXPECT_EQ(s.RefreshInterval, 200);
    s.SelectRefreshRate(0);
    EXPECT_EQ(s.Checked(TMenuGroup::Refresh), 5);
    s.SelectRefreshRate(INT_MAX);
    EXPECT_EQ(s.RefreshInterval, INT_MAX);
    s.SetRefreshInterval(-5);
    EXPECT_EQ(s.RefreshInterval, 0);
    EXPECT_EQ(ui::PictureSizeItem(320, 240), 4);
    EXPECT_EQ(ui::PictureSizeItem(333, 240), 8);
}

} // namespace vistal::test
