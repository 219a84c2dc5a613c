// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer without widgets, through a view that notes what it is asked:
// the start-up sequence, the drawing sequence and its history, the items of
// every menu value group, the rubber band, the wheel, the picture size and
// full screen, the palettes and the location files. No Qt, no display.
#include "engine/OldPicture.h"
#include "locations/URecommendation.h"
#include "support/DrawSupport.h"
#include "support/FakeView.h"
#include "support/GoldenPictures.h"
#include "support/TestSupport.h"

#include <chrono>
#include <climits>
#include <cmath>
#include <thread>

namespace vistal::test {

using ui::TBand;
using ui::TDrawSource;
using ui::TExplorer;
using ui::TMenuGroup;
using ui::TMouseButton;
using ui::TPoint;

namespace {

// The engine's pump waits 2 ms before the explorer's, so that a drawing
// processes its events at every row, however fast it is.
void SlowRows(TExplorer& x) {
    auto pump = x.Engine().PumpHook;
    x.Engine().PumpHook = [pump] {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        pump();
    };
}

} // namespace

TEST(ExplorerStartUp, TwoDrawingsEndOnTheStartUpPictureWithEveryGroupChecked) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    x.Global().RefreshRate = 5;
    x.StartUp();
    EXPECT_EQ(x.DrawingsStarted(), 2);
    EXPECT_EQ(PixelChecksum(x.Engine().DrawBitmap()), kStartUpPicture);
    EXPECT_EQ(f.view.Picture, (ui::TPictureSize{200, 200}));
    EXPECT_EQ(f.view.Status, "256 1 標準");
    EXPECT_TRUE(f.view.DrawingTime);
    EXPECT_FALSE(f.view.Busy);
    EXPECT_EQ(f.view.RepaintInterval, 0);
    EXPECT_EQ(x.RefreshInterval(), 500);
    EXPECT_FALSE(x.History().HasItems()); // the back button is disabled
    EXPECT_TRUE(x.FullScreenEnabled());
    const std::pair<TMenuGroup, int> checks[] = {
        {TMenuGroup::ZoomFactor, 0}, {TMenuGroup::PictureSize, 0},     {TMenuGroup::Iteration, 0},
        {TMenuGroup::Detail, 0},     {TMenuGroup::Palette, 0},         {TMenuGroup::Power, 0},
        {TMenuGroup::DrawMode, 0},   {TMenuGroup::ExtDrawMode, -1},    {TMenuGroup::DrawCompo, 0},
        {TMenuGroup::Correction, 0}, {TMenuGroup::PotentialBright, 0}, {TMenuGroup::LightDark, 0},
        {TMenuGroup::Represent, 0},  {TMenuGroup::Escape, 2},          {TMenuGroup::RubberBand, 0},
        {TMenuGroup::Refresh, 2},
    };
    for (const auto& [group, item] : checks)
        EXPECT_EQ(x.Checked(group), item) << static_cast<int>(group);
    x.StartUp(); // once only
    EXPECT_EQ(x.DrawingsStarted(), 2);
}

TEST(ExplorerDrawing, BusyWhileItRunsRepaintedAtItsIntervalAndIdleAfterwards) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    x.Engine().SetWidth(40);
    x.Engine().SetHeight(40);
    x.SelectRefreshRate(3);
    SlowRows(x);
    bool busy = false;
    f.view.OnEvents = [&] { busy = f.view.Busy; };
    x.Draw(TDrawSource::Menu);
    EXPECT_TRUE(busy);
    EXPECT_EQ(f.view.RepaintIntervals, std::vector<int>{300});
    EXPECT_EQ(f.view.RepaintInterval, 0);
    EXPECT_FALSE(f.view.Busy);
    EXPECT_EQ(f.view.Repaints, 1);
    EXPECT_EQ(f.view.DialogRefreshes, 1);
    EXPECT_TRUE(f.view.DrawingTime);

    // A new interval reaches a drawing under way at once.
    f.view.RepaintIntervals.clear();
    f.view.OnEvents = [&] { x.SetRefreshInterval(700); };
    x.Draw(TDrawSource::Menu);
    EXPECT_EQ(f.view.RepaintIntervals.at(1), 700);

    // 中断: the partial picture stays, and the drawing tells it was stopped.
    x.Engine().DrawBitmap().FillRect(0, 0, 40, 40, 0x123456);
    x.Engine().SetCenter({-0.5, 0.1}); // no symmetry: every row is drawn
    f.view.OnEvents = [&] { x.Abort(); };
    EXPECT_THROW(x.Draw(TDrawSource::Menu), EAbort); // silently, in the window
    EXPECT_FALSE(f.view.DrawingTime);
    EXPECT_FALSE(x.Engine().Drawing());
    EXPECT_EQ(x.Engine().DrawBitmap().Pixel(0, 39), 0x123456u);
    EXPECT_FALSE(f.view.Busy);
}

TEST(ExplorerDrawing, AClickDuringADrawingSupersedesIt) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    x.Engine().SetWidth(60);
    x.Engine().SetHeight(60);
    x.Engine().SetCenter({-0.5, 0.1});
    SlowRows(x);
    int rows = 0;
    f.view.OnEvents = [&] {
        if (++rows != 5) return;
        x.MouseDown(TMouseButton::Left, 45, 30);
        x.MouseUp(TMouseButton::Left, 0, 45, 30);
    };
    EXPECT_THROW(x.Draw(TDrawSource::Menu), EAbort); // the outer drawing stops, silently in the window
    EXPECT_EQ(x.DrawingsStarted(), 2);
    EXPECT_TRUE(f.view.DrawingTime); // the inner drawing's
    TVistal model;
    model.SetWidth(60);
    model.SetHeight(60);
    model.SetCenter({-0.5, 0.1});
    model.ZoomInAt(45, 30);
    model.Draw();
    EXPECT_EQ(x.Engine().DrawBitmap(), model.DrawBitmap());
}

TEST(ExplorerDrawing, TheOldPictureMovesToTheNewViewUntilRowsReplaceIt) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    TVistal& e = x.Engine();
    e.SetWidth(60);
    e.SetHeight(60);
    x.Draw(TDrawSource::Menu);
    TBitmap expected = e.DrawBitmap();
    const TDeepPosition from = e.Position();
    SlowRows(x);
    std::vector<TColor> lastRow;
    f.view.OnEvents = [&] {
        if (lastRow.empty()) lastRow.assign(e.DrawBitmap().Row(59), e.DrawBitmap().Row(59) + 60);
    };
    x.ZoomIn();
    MoveOldPicture(expected, from, e.Position());
    EXPECT_EQ(lastRow, std::vector<TColor>(expected.Row(59), expected.Row(59) + 60));
    EXPECT_NE(e.DrawBitmap(), expected); // replaced in the end
}

TEST(ExplorerHistory, OnlyViewsThatChangedEnterTheHistory) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    TVistal& e = x.Engine();
    x.Draw(TDrawSource::Menu); // the all-zero start position goes in, out of reach of back
    EXPECT_EQ(x.History().Count(), 1u);
    EXPECT_FALSE(x.History().HasItems());
    x.Draw(TDrawSource::Menu); // the same view again
    EXPECT_EQ(x.History().Count(), 1u);

    e.ZoomIn();
    x.Draw(TDrawSource::Mouse);
    ASSERT_TRUE(x.History().HasItems());
    EXPECT_EQ(x.History().Peek().ImSpan, 3.0);
    // Pushing twice before the next record: the view is already on top.
    e.ZoomIn();
    x.PushPosition();
    x.PushPosition();
    EXPECT_EQ(x.History().Count(), 3u);

    x.Back(); // its drawing enters nothing
    EXPECT_EQ(e.ImSpan(), 1.5);
    EXPECT_EQ(x.History().Count(), 2u);
    x.Back();
    EXPECT_EQ(e.ImSpan(), 3.0);
    EXPECT_FALSE(x.History().HasItems());
    EXPECT_THROW(x.Back(), EAbort);
}

TEST(ExplorerHistory, AMandelbrotViewAndAJuliaViewAreNeverTheSamePlace) {
    // The home views of exponent 3 share centre, exponent and span.
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    x.DrawPower(3, TDrawSource::Menu);
    x.StopAndChangeFormula();
    x.Draw(TDrawSource::Menu); // the Mandelbrot home view is kept
    ASSERT_TRUE(x.History().HasItems());
    EXPECT_EQ(x.History().Peek().FormulaKind(), fmMandelbrot);
    x.Engine().ZoomIn();
    EXPECT_NO_THROW(x.Draw(TDrawSource::Menu)); // the Julia home view goes on top of it
    EXPECT_EQ(x.History().Count(), 3u);

    x.SelectPower(2);
    x.GoBack();
    EXPECT_EQ(x.Place(), (TViewPlace{fmJulia, {{0, 0}, 4.0}, 3, {0, 0}}));
    EXPECT_EQ(x.Checked(TMenuGroup::Power), 1);
    x.GoBack();
    EXPECT_EQ(x.Place(), (TViewPlace{fmMandelbrot, {{0, 0}, 4.0}, 3, {}}));
}

TEST(ExplorerHistory, TheCentreAdjustmentComesAfterTheRecord) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    TVistal& e = x.Engine();
    x.Global().Adjusted = true;
    x.Global().SetAdjust(1);
    e.SetCenter({-0.5, 0.05}); // within ImSpan / 30 of the axis
    x.Draw(TDrawSource::Menu);
    EXPECT_EQ(x.LastPosition().Center.Im, 0.05);
    EXPECT_EQ(e.Center().Im, 0.0);
    x.Draw(TDrawSource::Menu);
    EXPECT_EQ(x.History().Peek().Center.Im, 0.05);
    const std::size_t count = x.History().Count();
    x.Draw(TDrawSource::Menu);
    EXPECT_EQ(x.History().Count(), count);
}

// Chooses every item of a group in turn: each checks itself and sets the
// value of its table, as value() reads it.
template <class T, std::size_t N, class Value>
void ChooseEvery(TExplorer& x, TMenuGroup group, const ui::TMenuItem<T> (&items)[N], Value value) {
    for (int i = 0; i < static_cast<int>(N); ++i) {
        x.ChooseMenuItem(group, i);
        EXPECT_EQ(x.Checked(group), i) << items[i].Name;
        EXPECT_EQ(value(), items[i].Value) << items[i].Name;
    }
}

TEST(ExplorerMenus, EveryItemOfEveryGroupSetsItsValueAndChecksItself) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    TVistal& e = x.Engine();
    x.SelectIteration(8); // quick drawings
    ChooseEvery(x, TMenuGroup::ZoomFactor, ui::kZoomFactorItems, [&] { return e.ZoomFactor(); });
    int drawings = x.DrawingsStarted();
    ChooseEvery(x, TMenuGroup::PictureSize, ui::kPictureSizeItems, [&] {
        EXPECT_EQ(f.view.Picture, (ui::TPictureSize{e.Width(), e.Height()}));
        EXPECT_EQ(x.DrawingsStarted(), ++drawings);
        return ui::TPictureSize{e.Width(), e.Height()};
    });
    ChooseEvery(x, TMenuGroup::Iteration, ui::kIterationItems, [&] { return e.Iteration(); });
    x.SelectIteration(8);
    ChooseEvery(x, TMenuGroup::Detail, ui::kDetailItems, [&] { return e.Detail(); });
    x.TogglePaletteRedraw(); // the palettes change without a drawing
    for (int i = 0; i < ui::UserItemOf(ui::kPaletteItems); ++i) {
        x.ChooseMenuItem(TMenuGroup::Palette, i);
        EXPECT_EQ(x.Checked(TMenuGroup::Palette), i);
        EXPECT_EQ(x.Global().PaletteName, ui::kPaletteItems[i].Value.PaletteName);
    }
    EXPECT_EQ(x.DrawingsStarted(), drawings);
    e.SetCenter({0.25, 0.25});
    ChooseEvery(x, TMenuGroup::Power, ui::kPowerItems, [&] {
        EXPECT_NE(e.Center(), (TComplex{0.25, 0.25})); // the home view, drawn
        EXPECT_EQ(x.DrawingsStarted(), ++drawings);
        e.SetCenter({0.25, 0.25}); // away from home again for the next item
        return e.Pow();
    });
    ChooseEvery(x, TMenuGroup::DrawMode, ui::kDrawModeItems, [&] { return e.DrawMode; });
    ChooseEvery(x, TMenuGroup::ExtDrawMode, ui::kExtDrawModeItems, [&] {
        EXPECT_EQ(x.Checked(TMenuGroup::DrawMode), ui::kExtendedModeItem);
        return e.DrawMode;
    });
    ChooseEvery(x, TMenuGroup::DrawCompo, ui::kDrawCompoItems, [&] { return e.DrawCompo; });
    ChooseEvery(x, TMenuGroup::PotentialBright, ui::kPotentialBrightItems, [&] { return e.PotentialBright; });
    ChooseEvery(x, TMenuGroup::Correction, ui::kCorrectionItems, [&] { return e.Correction(); });
    ChooseEvery(x, TMenuGroup::LightDark, ui::kLightDarkItems, [&] { return e.LightDark; });
    ChooseEvery(x, TMenuGroup::Represent, ui::kRepresentItems, [&] { return e.Represent; });
    ChooseEvery(x, TMenuGroup::Escape, ui::kEscapeItems, [&] { return e.Escape(); });
    ChooseEvery(x, TMenuGroup::RubberBand, ui::kRubberBandItems,
                [&] { return x.Checked(TMenuGroup::RubberBand); });
    ChooseEvery(x, TMenuGroup::Refresh, ui::kRefreshItems, [&] { return x.RefreshInterval(); });
}

TEST(ExplorerMenus, EachValueChecksItsItemOrTheUserItem) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    x.SelectIteration(4096);
    EXPECT_EQ(x.Checked(TMenuGroup::Iteration), 2);
    x.SelectIteration(1000);
    EXPECT_EQ(x.Checked(TMenuGroup::Iteration), 5);
    x.SelectDetailAuto();
    EXPECT_TRUE(x.DetailAuto());
    EXPECT_EQ(x.Engine().Detail(), 8); // ⌈1000 / 127⌉
    x.SelectDetail(3);
    EXPECT_FALSE(x.DetailAuto());
    EXPECT_EQ(x.Checked(TMenuGroup::Detail), 2);
    x.SelectEscape(8192);
    EXPECT_EQ(x.Checked(TMenuGroup::Escape), 3);
    x.SelectCorrection(3.5);
    EXPECT_EQ(x.Checked(TMenuGroup::Correction), 10);
    x.SelectDrawCompo(2);
    EXPECT_EQ(x.Checked(TMenuGroup::DrawCompo), -1);
    x.SelectRepresent(7);
    EXPECT_EQ(x.Checked(TMenuGroup::Represent), 0);
    x.SelectZoomUser(2); // typed: 指定 whatever the value
    EXPECT_EQ(x.Checked(TMenuGroup::ZoomFactor), 5);

    x.SelectDrawMode(dmBorder);
    EXPECT_EQ(x.LastBasicMode(), dmBorder);
    x.SelectDrawMode(dmPotential2);
    EXPECT_EQ(x.LastBasicMode(), dmBorder);
    x.ExtendedMenuOpened();
    EXPECT_EQ(x.Checked(TMenuGroup::ExtDrawMode), 2);
    x.SelectDrawMode(dmExtNormal);
    EXPECT_EQ(x.LastBasicMode(), dmExtNormal);
    x.SelectDrawMode(dmSearch);
    x.ExtendedMenuOpened(); // 拡張描画 not chosen: none of its methods looks chosen
    EXPECT_EQ(x.Checked(TMenuGroup::ExtDrawMode), -1);

    x.SelectRefreshRate(2);
    EXPECT_EQ(x.Checked(TMenuGroup::Refresh), 6);
    EXPECT_EQ(x.RefreshInterval(), 200);
    x.SelectRefreshRate(0);
    EXPECT_EQ(x.Checked(TMenuGroup::Refresh), 5);
    x.SelectRefreshRate(INT_MAX);
    EXPECT_EQ(x.RefreshInterval(), INT_MAX);
    x.SetRefreshInterval(-5);
    EXPECT_EQ(x.RefreshInterval(), 0);
    EXPECT_EQ(ui::PictureSizeItem(333, 240), 8);
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
        x.Engine().SetWidth(200);
        x.Engine().SetHeight(100);
        x.ChooseMenuItem(TMenuGroup::RubberBand, 0);
        expected.SetWidth(200);
        expected.SetHeight(100);
    }
    // The view after the release, and whether it was drawn.
    bool Release(TMouseButton button, ui::TShiftState shift, int px, int py) {
        const int drawings = x.DrawingsStarted();
        x.MouseUp(button, shift, px, py);
        return x.DrawingsStarted() == drawings + 1;
    }
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    TVistal expected;
};

TEST_F(RubberBandDrag, TwoPointsUpAndToTheLeft) {
    x.MouseDown(TMouseButton::Left, 100, 50);
    EXPECT_FALSE(x.Band()); // nothing to show before the first move
    x.MouseMove(ui::ssLeft, 60, 20);
    EXPECT_EQ(x.Band(), (TBand{{100, 50}, {60, 30}}));
    EXPECT_EQ(f.view.Repaints, 1);
    EXPECT_TRUE(Release(TMouseButton::Left, 0, 60, 20));
    EXPECT_FALSE(x.Band());
    expected.ZoomTwoPoint(100, 50, 60, 30);
    EXPECT_EQ(x.Engine().Center(), expected.Center());
    EXPECT_EQ(x.Engine().ImSpan(), expected.ImSpan());
}

TEST_F(RubberBandDrag, CentreAndPointIsSymmetricAboutThePress) {
    x.ChooseMenuItem(TMenuGroup::RubberBand, 1);
    x.MouseDown(TMouseButton::Left, 100, 50);
    x.MouseMove(ui::ssLeft, 120, 70);
    EXPECT_EQ(x.Band(), (TBand{{80, 40}, {120, 60}}));
    EXPECT_TRUE(Release(TMouseButton::Left, 0, 120, 70));
    expected.ZoomCenterAndPoint(100, 50, 120, 60);
    EXPECT_EQ(x.Engine().Center(), expected.Center());
    EXPECT_EQ(x.Engine().ImSpan(), expected.ImSpan());
}

TEST_F(RubberBandDrag, FlatBandsReleasesOutsideAndFrozenMovesDoNotZoom) {
    const TComplex home = x.Engine().Center();
    // Corrected height 1: too flat.
    x.MouseDown(TMouseButton::Left, 100, 50);
    x.MouseMove(ui::ssLeft, 102, 90);
    EXPECT_FALSE(Release(TMouseButton::Left, 0, 104, 90));
    // Released beyond the right edge.
    x.MouseDown(TMouseButton::Left, 100, 50);
    x.MouseMove(ui::ssLeft, 150, 60);
    x.MouseMove(ui::ssLeft, 201, 60); // outside: the band stays
    EXPECT_EQ(x.Band(), (TBand{{100, 50}, {150, 75}}));
    EXPECT_FALSE(Release(TMouseButton::Left, 0, 201, 60));
    // Released without a move: the corner is the anchor.
    x.MouseDown(TMouseButton::Left, 10, 10);
    EXPECT_FALSE(Release(TMouseButton::Left, 0, 60, 60));
    EXPECT_EQ(x.Engine().Center(), home);

    // A held Shift freezes the band; letting go lets it follow again.
    x.MouseDown(TMouseButton::Left, 100, 50);
    x.MouseMove(ui::ssLeft, 120, 60);
    x.MouseMove(ui::ssLeft | ui::ssShift, 160, 90);
    EXPECT_EQ(x.BandCorner(), (TPoint{120, 60}));
    // The right button pressed and released during the drag: it goes on.
    x.MouseDown(TMouseButton::Right, 130, 70);
    EXPECT_FALSE(Release(TMouseButton::Right, ui::ssLeft, 130, 70));
    EXPECT_TRUE(x.Dragging());
    x.MouseMove(ui::ssLeft, 140, 60);
    EXPECT_EQ(x.BandCorner(), (TPoint{140, 70}));
}

TEST_F(RubberBandDrag, ClicksRecentreAndZoom) {
    x.MouseDown(TMouseButton::Left, 30, 40);
    EXPECT_TRUE(Release(TMouseButton::Left, ui::ssCtrl, 31, 40)); // within a pixel: a click
    expected.SetZoomFactor(1);
    expected.ZoomInAt(31, 40);
    expected.SetZoomFactor(2);
    EXPECT_EQ(x.Engine().Center(), expected.Center());
    EXPECT_EQ(x.Engine().ImSpan(), 3.0);
    EXPECT_EQ(x.Engine().ZoomFactor(), 2);

    x.MouseDown(TMouseButton::Right, 150, 80);
    EXPECT_TRUE(Release(TMouseButton::Right, 0, 150, 80));
    expected.ZoomOutAt(150, 80);
    EXPECT_EQ(x.Engine().Center(), expected.Center());
    EXPECT_EQ(x.Engine().ImSpan(), 6.0);

    x.MouseDown(TMouseButton::Middle, 10, 10);
    EXPECT_TRUE(Release(TMouseButton::Middle, 0, 10, 10)); // a plain redraw
    EXPECT_EQ(x.Engine().Center(), expected.Center());
}

TEST(Wheel, ABurstZoomsAboutThePointerAndDrawsOnce) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    TVistal& e = x.Engine();
    const auto sample = [&e](int px, int py) {
        const TComplex P = e.GetPointP(), Q = e.GetPointQ();
        return TComplex{P.Re + (Q.Re - P.Re) / e.Width() * px, P.Im + (Q.Im - P.Im) / e.Height() * py};
    };
    const TComplex before = sample(50, 150);
    x.Wheel(50, 150, 60); // half a step: nothing yet
    EXPECT_TRUE(f.view.Posted.empty());
    x.Wheel(50, 150, 60);
    x.Wheel(50, 150, 120);
    EXPECT_EQ(e.ImSpan(), 0.75);
    const TComplex after = sample(50, 150);
    const double pixel = e.ImSpan() / e.Height();
    EXPECT_NEAR(after.Re, before.Re, pixel * 1e-6);
    EXPECT_NEAR(after.Im, before.Im, pixel * 1e-6);
    ASSERT_EQ(f.view.Posted.size(), 1u);
    f.view.RunPosted();
    EXPECT_EQ(x.DrawingsStarted(), 1);

    x.Wheel(50, 150, -240);
    f.view.RunPosted();
    EXPECT_EQ(e.ImSpan(), 3.0);
    EXPECT_NEAR(e.Center().Re, -0.8, 1e-12);
    x.ChooseMenuItem(TMenuGroup::ZoomFactor, 4); // 移動
    x.Wheel(10, 10, 120);
    EXPECT_TRUE(f.view.Posted.empty());
    EXPECT_EQ(x.DrawingsStarted(), 2);
}

TEST(JuliaConstant, RandomOnlyForJuliaOnAGridOfOneTenThousandth) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    TVistal& e = x.Engine();
    e.SetWidth(20);
    e.SetHeight(20);
    x.JCRandom();
    EXPECT_EQ(x.DrawingsStarted(), 0);
    EXPECT_EQ(e.JuliaSeed(), (TComplex{0, 0}));
    x.StopAndChangeFormula();
    for (int i = 1; i <= 20; ++i) {
        e.SetCenter({0.3, 0.3});
        x.JCRandom();
        EXPECT_EQ(x.DrawingsStarted(), i);
        for (double c : {e.JuliaSeed().Re, e.JuliaSeed().Im}) {
            EXPECT_GE(c, -1.0);
            EXPECT_LE(c, 0.9999);
            EXPECT_NEAR(c * 10000, std::nearbyint(c * 10000), 1e-6);
        }
        EXPECT_EQ(e.Center(), (TComplex{0, 0}));
        EXPECT_EQ(e.ImSpan(), 4.0);
    }
}

TEST(ExplorerPicture, FullScreenAndBackAndSizesThatCannotBeHad) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    x.StartUp();
    const int drawings = x.DrawingsStarted();
    x.SetPictureSize(200, 200); // the size it has: nothing happens
    x.EscapeReleased();         // windowed: nothing happens
    EXPECT_EQ(x.DrawingsStarted(), drawings);

    x.ToggleFullScreen();
    EXPECT_TRUE(x.FullScreenChecked());
    EXPECT_TRUE(f.view.FullScreen);
    EXPECT_EQ(f.view.Picture, f.view.Screen);
    EXPECT_EQ((ui::TPictureSize{x.Engine().Width(), x.Engine().Height()}), f.view.Screen);
    EXPECT_EQ(x.DrawingsStarted(), drawings + 1);

    f.view.Place = {0, 0};
    x.EscapeReleased();
    EXPECT_FALSE(x.FullScreenChecked());
    EXPECT_FALSE(f.view.FullScreen);
    EXPECT_EQ(f.view.Picture, (ui::TPictureSize{200, 200}));
    EXPECT_EQ(f.view.Place, (TPoint{30, 40}));
    EXPECT_EQ(x.DrawingsStarted(), drawings + 2);
    EXPECT_EQ(PixelChecksum(x.Engine().DrawBitmap()), kStartUpPicture);

    // A screen larger than a picture may be, or a typed size of nothing: refused
    // before anything changes.
    f.view.Screen = {200000, 100};
    EXPECT_THROW(x.ToggleFullScreen(), EAbort);
    EXPECT_THROW(x.SelectSizeUser(0, 10), EAbort);
    ASSERT_EQ(f.view.Refusals.size(), 2u);
    EXPECT_EQ(f.view.Refusals[0].Size, f.view.Screen);
    EXPECT_FALSE(f.view.Refusals[0].Memory);
    EXPECT_FALSE(x.FullScreenChecked());
    EXPECT_EQ(x.Checked(TMenuGroup::PictureSize), 0);
    EXPECT_EQ(x.DrawingsStarted(), drawings + 2);
}

TEST(ExplorerPicture, AGrownWindowKeepsItsFrameOnItsScreen) {
    using ui::TScreenRect;
    const TScreenRect screen{{1280, 24}, {1024, 744}}; // a second screen, under a panel
    const TScreenRect fits{{1300, 100}, {400, 300}};
    EXPECT_EQ(KeepOnScreen(fits, screen), fits);
    // Back over the right and bottom edges, as far as it must.
    EXPECT_EQ(KeepOnScreen({{2000, 600}, {400, 300}}, screen), (TScreenRect{{1904, 468}, {400, 300}}));
    // Larger than the screen: at its left edge, cut to it.
    EXPECT_EQ(KeepOnScreen({{1500, 300}, {40000, 500}}, screen), (TScreenRect{{1280, 268}, {1024, 500}}));
}

TEST(ExplorerPalette, FilesAndBuiltInPalettesGoOneWay) {
    TempDir dir;
    const std::string sunset = dir.File("Sunset.vcp"), bad = dir.File("bad.vcp");
    WriteFileBytes(sunset, "FF0000\n#GRAD 0000FF,00FF00,7\n");
    WriteFileBytes(bad, "nonsense\n");
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    x.ChooseMenuItem(TMenuGroup::Palette, 1);
    EXPECT_EQ(x.Global().PaletteName, "白黒");
    EXPECT_EQ(x.DrawingsStarted(), 1); // ﾊﾟﾚｯﾄ選択で再描画 is on

    x.ChooseVcpFile(sunset);
    EXPECT_EQ(x.Global().PaletteName, sunset);
    EXPECT_EQ(x.Checked(TMenuGroup::Palette), ui::kVcpPaletteItem);
    EXPECT_EQ(x.Engine().PaletteColor0(), 0x0000FFu);
    EXPECT_EQ(x.DrawingsStarted(), 2);

    // A file that does not load is reported and changes nothing but the file
    // the dialog proposes next.
    f.view.ErrorsExpected = 1;
    EXPECT_THROW(x.ChooseVcpFile(bad), EAbort);
    EXPECT_EQ(f.view.Errors.size(), 1u);
    EXPECT_EQ(x.Global().PaletteName, sunset);
    EXPECT_EQ(x.VcpFileName(), bad);
    EXPECT_EQ(x.DrawingsStarted(), 2);

    x.TogglePaletteRedraw();
    x.SetColor0(true, 0x00FF00);
    EXPECT_TRUE(x.Engine().UseColor0);
    EXPECT_EQ(x.DrawingsStarted(), 2);

    // Smooth colouring changes the colours as a palette does.
    x.ToggleSmooth();
    EXPECT_TRUE(x.SmoothChecked());
    EXPECT_TRUE(x.Engine().Smooth);
    EXPECT_EQ(x.DrawingsStarted(), 2);
    x.TogglePaletteRedraw();
    x.ToggleSmooth();
    EXPECT_FALSE(x.SmoothChecked());
    EXPECT_EQ(x.DrawingsStarted(), 3);
}

TEST(ExplorerLocations, ARecordAndAScenicSpotSetTheViewAndTheirChecks) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    const TRecordParse parsed =
        ParseRecordLine("T=Julia,Title=j,Cr=0.5,Ci=-0.5,W=2,Jr=0.25,Ji=0.75,I=4096,D=2,"
                        "Pow=3,DM=6,CM=0,RE=1,ER=8192,LD=1,CO=3,PB=2,SO=-1");
    ASSERT_TRUE(parsed.Record);
    x.ApplyRecommendation(*parsed.Record);
    EXPECT_EQ(x.Place(), (TViewPlace{fmJulia, {{0.5, -0.5}, 2.0}, 3, {0.25, 0.75}}));
    const std::pair<TMenuGroup, int> checks[] = {
        {TMenuGroup::Iteration, 2},  {TMenuGroup::Detail, 1},          {TMenuGroup::Power, 1},
        {TMenuGroup::DrawMode, 5},   {TMenuGroup::ExtDrawMode, 1},     {TMenuGroup::DrawCompo, 1},
        {TMenuGroup::Represent, 1},  {TMenuGroup::Escape, 3},          {TMenuGroup::LightDark, 1},
        {TMenuGroup::Correction, 3}, {TMenuGroup::PotentialBright, 2},
    };
    for (const auto& [group, item] : checks)
        EXPECT_EQ(x.Checked(group), item) << static_cast<int>(group);
    EXPECT_TRUE(x.ShadeOffChecked());
    EXPECT_EQ(x.DrawingsStarted(), 0); // the list dialog's 表示 draws afterwards

    TempDir dir;
    const std::string spot = dir.File("spot.fss");
    WriteFileBytes(spot, "[Info]\nFormat=1\nAppName=びすたる\nAppVersion=1.9.0\nAppSection=Vistal\n"
                         "[Data]\nCenterRe=-0.75\nCenterIm=0.125\nImSpan=0.25\nFormula=Mandelbrot\n"
                         "Iteration=500\nEscape=2\n[Vistal]\nPow=2\nShadeOff=0\n");
    x.OpenLocationFile(spot, TDrawSource::Dialog);
    EXPECT_EQ(x.Place(), (TViewPlace{fmMandelbrot, {{-0.75, 0.125}, 0.5}, 2, {}}));
    EXPECT_EQ(x.Checked(TMenuGroup::Iteration), 5);
    EXPECT_EQ(x.Checked(TMenuGroup::Power), 0);
    EXPECT_EQ(x.Checked(TMenuGroup::DrawMode), 0); // the last basic method
    EXPECT_FALSE(x.ShadeOffChecked());
    EXPECT_EQ(x.DrawingsStarted(), 1);

    // A faulty one is reported, and drawn all the same.
    f.view.ErrorsExpected = 1;
    x.OpenLocationFile(dir.File("missing.fss"), TDrawSource::Dialog);
    EXPECT_EQ(f.view.Errors, std::vector<std::string>{"形式不正です。Section=[Info] Item=[Format]"});
    EXPECT_EQ(x.DrawingsStarted(), 2);
}

} // namespace vistal::test

namespace vistal::test {

// At a span of 1e-300, far below what doubles tell apart, the wheel keeps the
// point under the pointer where it is, the history gives the view back to
// every bit, a typed centre keeps every digit, and the drawing is deep.
TEST(ExplorerDeep, ViewsBeyondDoublesMoveInFullPrecision) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    TVistal& e = x.Engine();
    e.SetWidth(64);
    e.SetHeight(48);
    x.SelectIteration(1000);
    SetDeepView(e, ReadFileBytes(DeepDataFile("deep320.txt")), "1e-300");
    // The point of pixel (px, py) in units of the view's pixel, less that of
    // the reference position's pixel (rx, ry).
    const auto offset = [&e](const TDeepPosition& ref, double rx, double ry, double px, double py) {
        const TFloatExp pixel = TFloatExp::Make(e.Position().Span.Mant / e.Height(), e.Position().Span.Exp);
        const TFloatExp refPixel = TFloatExp::Make(ref.Span.Mant / e.Height(), ref.Span.Exp);
        TMpfr a(4000), b(4000);
        double out[2];
        for (int k = 0; k < 2; ++k) {
            const TMpfr& c = k == 0 ? e.Position().Re : e.Position().Im;
            const TMpfr& r = k == 0 ? ref.Re : ref.Im;
            const double d = k == 0 ? px - e.Width() / 2.0 : e.Height() / 2.0 - py;
            const double rd = k == 0 ? rx - e.Width() / 2.0 : e.Height() / 2.0 - ry;
            a.Set(pixel * TFloatExp::FromDouble(d));
            a.Add(a, c);
            b.Set(refPixel * TFloatExp::FromDouble(rd));
            b.Add(b, r);
            a.Sub(a, b);
            out[k] = (a.ToFloatExp() / pixel).ToDouble();
        }
        return std::pair{out[0], out[1]};
    };
    x.Draw(TDrawSource::Menu);
    const TDeepPosition start = e.Position(); // as the location files write it
    EXPECT_NE(e.DeepPlan(), nullptr);
    EXPECT_EQ(f.view.Width, "1E-300");

    x.Wheel(10, 40, 240); // two steps in about (10, 40)
    f.view.RunPosted();
    EXPECT_EQ(e.Position().SpanText(), "2.5e-301");
    const auto [wheelRe, wheelIm] = offset(start, 10, 40, 10, 40);
    // Each drawing places a deep centre to 1e-5 of a pixel.
    EXPECT_NEAR(wheelRe, 0, 2e-5);
    EXPECT_NEAR(wheelIm, 0, 2e-5);
    const TDeepPosition wheeled = e.Position();

    x.MouseDown(TMouseButton::Left, 50, 5);
    x.MouseUp(TMouseButton::Left, 0, 50, 5); // the clicked point is the new centre
    const auto [clickRe, clickIm] = offset(wheeled, 50, 5, 32, 24);
    EXPECT_NEAR(clickRe, 0, 2e-5);
    EXPECT_NEAR(clickIm, 0, 2e-5);

    x.Back();
    EXPECT_TRUE(e.Position() == wheeled);
    x.Back();
    EXPECT_TRUE(e.Position() == start);

    // Typed: every digit where the view is deep, doubles where they draw it.
    TViewPlace typed = x.Place();
    typed.Position.Re = *TDeepPosition::ParseCoordinate("0.1");
    typed.Position.Span = TFloatExp::FromDouble(1);
    x.MoveToTyped(typed);
    EXPECT_TRUE(e.Position().HeldByDoubles());
    EXPECT_EQ(e.Center().Re, 0.1);
    typed.Position.Span = *TDeepPosition::ParseSpan("1E-100");
    typed.Position.Re = *TMpfr::Parse("0.1", TDeepPosition::BitsFor(typed.Position.Span, 48));
    x.MoveToTyped(typed);
    EXPECT_EQ(e.Position().ReText(48), "0.1");
    EXPECT_FALSE(e.Position().HeldByDoubles());
}

} // namespace vistal::test

namespace vistal::test {

TEST(IterationAuto, RaisesWhenEscapesCrowdTheLimitOrADeepViewDoesNotEscape) {
    using ui::RaisedLimit;
    EXPECT_EQ(RaisedLimit(
                  {
                      1000,
                      20,
                      2,
                  },
                  256, false),
              1024);                                                  // 2% at the limit, 0.2% just below
    EXPECT_EQ(RaisedLimit({1000, 300, 0}, 256, false), std::nullopt); // an interior, nothing near
    EXPECT_EQ(RaisedLimit({1000, 9, 500}, 256, false), std::nullopt); // under 1% at the limit
    EXPECT_EQ(RaisedLimit({1000, 1000, 0}, 256, false), std::nullopt);
    EXPECT_EQ(RaisedLimit({1000, 600, 0}, 256, true), 1024);
    EXPECT_EQ(RaisedLimit({1000, 600, 0}, ui::kMaxAutoIteration / 2, true), ui::kMaxAutoIteration);
    EXPECT_EQ(RaisedLimit({1000, 600, 0}, ui::kMaxAutoIteration, true), std::nullopt);
    EXPECT_EQ(RaisedLimit({}, 256, true), std::nullopt); // a method that keeps no share
}

TEST(IterationAuto, ADeepViewDrawsAgainWithHigherLimitsUntilItEscapes) {
    TFakeExplorer f;
    TExplorer& x = f.explorer;
    TVistal& e = x.Engine();
    e.SetWidth(32);
    e.SetHeight(24);
    SetDeepView(e, ReadFileBytes(DeepDataFile("deep320.txt")), "1e-50");
    x.Draw(TDrawSource::Menu); // off: the limit stays
    EXPECT_EQ(e.Iteration(), 256);
    x.ToggleIterationAuto();
    EXPECT_TRUE(f.view.IterationAuto);
    x.Draw(TDrawSource::Menu);
    // Counts of 7.7k-9.9k: everything at the limit up to 4096.
    EXPECT_EQ(f.view.Raised, (std::vector<int>{1024, 4096, 16384, 16384})); // the last at the end
    EXPECT_EQ(e.Iteration(), 16384);
    EXPECT_EQ(x.DrawingsStarted(), 5);
    EXPECT_FALSE(x.History().HasItems()); // one view, drawn again
}

} // namespace vistal::test
