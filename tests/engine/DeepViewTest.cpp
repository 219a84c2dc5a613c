// SPDX-License-Identifier: GPL-3.0-or-later
// The engine on deep views: the counts against exact truths, every drawing
// method, the threads, the view operations with MPFR, and the reference
// orbit's progress and abort.
#include "engine/kernels/DeepKernel.h"
#include "engine/kernels/SmoothCount.h"
#include "engine/vistal_class.h"
#include "support/DrawSupport.h"
#include "support/ImageReaders.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

using namespace vistal;

namespace {

const std::string& Deep320() {
    static const std::string centre = test::ReadFileBytes(test::DeepDataFile("deep320.txt"));
    return centre;
}

void SetUpDeep(TVistal& v, int width, int height, const char* span, int iterations) {
    v.SetWidth(width);
    v.SetHeight(height);
    v.SetIteration(iterations);
    v.SetDetail(16);
    test::SetDeepView(v, Deep320(), span);
}

struct TTruth {
    const char* Name;
    const char* Centre; // a file of tests/data/deep, or RE,IM
    const char* Span;
    int Iterations;
    int Pow = 2;
    bool Julia = false;
    double MaxDiffering = 0.005, MaxFar = 0.003; // shares of the pixels, differing at all and by more than 10
};

std::string Centre(const TTruth& t) {
    const std::string centre = t.Centre;
    return centre.find(',') != std::string::npos ? centre : test::ReadFileBytes(test::DeepDataFile(centre));
}

} // namespace

// Perturbation cannot be bit-exact: every pixel's count of small views is held
// to a truth computed exactly (--exact, every point iterated with MPFR) and
// stored under tests/data/deep by make-truths.sh there, within tolerances.
TEST(DeepView, CountsAgreeWithTheExactTruths) {
    const TTruth truths[] = {
        {"deep320-1e-20", "deep320.txt", "1e-20", 10000},
        {"deep320-1e-50", "deep320.txt", "1e-50", 20000},
        {"deep320-third-1e-50", "deep320-third.txt", "1e-50", 20000},
        {"deep320-1e-100", "deep320.txt", "1e-100", 100000},
        {"i-1e-1000", "0,1", "1e-1000", 10000},
        {"julia-1e-50", "julia-centre.txt", "1e-50", 20000, 2, true},
        {"power3-1e-30", "power3-centre.txt", "1e-30", 10000, 3},
        {"deep320-1e-300", "deep320.txt", "1e-300", 1000000, 2, false, 0.015, 0.015}, // 32 x 24
    };
    for (const TTruth& t : truths) {
        SCOPED_TRACE(t.Name);
        const test::TCountsFile truth =
            test::ReadCountsFile(test::DeepDataFile(std::string(t.Name) + ".exr"));
        TVistal v;
        v.SetWidth(truth.Width);
        v.SetHeight(truth.Height);
        if (t.Julia) {
            v.SetFormula(fmJulia);
            v.SetJuliaSeed({-0.8, 0.156});
        }
        v.SetPow(t.Pow);
        v.SetIteration(t.Iterations);
        test::SetDeepView(v, Centre(t), t.Span);
        ASSERT_TRUE(v.DeepView());
        std::vector<std::int32_t> counts;
        v.CountPixels(counts);
        const std::vector<std::int32_t> exact = truth.Counts();
        ASSERT_EQ(counts.size(), exact.size());
        std::size_t differing = 0, far = 0;
        for (std::size_t i = 0; i < counts.size(); ++i) {
            differing += counts[i] != exact[i];
            far +=
                counts[i] == 0 || exact[i] == 0 ? counts[i] != exact[i] : std::abs(counts[i] - exact[i]) > 10;
        }
        EXPECT_LE(differing, t.MaxDiffering * counts.size()) << "of " << counts.size();
        EXPECT_LE(far, t.MaxFar * counts.size()) << "of " << counts.size();
    }
}

TEST(DeepView, EveryMethodDrawsIt) {
    TVistal v;
    SetUpDeep(v, 48, 36, "1e-40", 20000);
    v.Threads = 2;
    // The methods that count every pixel paint the same picture.
    const TBitmap normal = test::DrawnWith(v, dmNormal, true);
    EXPECT_EQ(test::DrawnWith(v, dmSearch, true), normal);
    EXPECT_EQ(test::DrawnWith(v, dmFadein, true), normal);
    EXPECT_NE(test::DrawnWith(v, dmBorder, true), TBitmap());
    EXPECT_NE(test::DrawnWith(v, dmSAntiArea, true), normal);
    // Extended drawing's samples are those of the counting kernels (the same
    // counts with escape radius 2), and its row and column beyond the picture
    // are samples of the view too.
    std::vector<std::int32_t> counts;
    v.CountPixels(counts);
    v.SetEscape(2);
    v.DrawMode = dmExtNormal;
    v.Draw();
    for (int y = 0; y <= v.Height(); ++y)
        for (int x = 0; x <= v.Width(); ++x) {
            const ResultCacheCell cell = v.ResultCache().Cell(x, y);
            if (x < v.Width() && y < v.Height()) {
                ASSERT_EQ(cell.count, counts[y * v.Width() + x]);
            }
            ASSERT_GT(cell.count, 1000) << x << "," << y;
        }
    EXPECT_EQ(v.DrawBitmap(), normal);
    for (std::uint8_t mode : {dmPotential1, dmPotential2, dmPotential3})
        EXPECT_NE(test::DrawnWith(v, mode, true), normal);
}

TEST(DeepView, ThreadsGiveTheSamePictures) {
    for (const char* span : {"1e-50", "1e-300"}) {
        SCOPED_TRACE(span);
        TVistal one, two;
        SetUpDeep(one, 64, 48, span, 1000000);
        SetUpDeep(two, 64, 48, span, 1000000);
        one.Threads = 1;
        two.Threads = 2;
        for (const auto& [mode, smooth] :
             {std::pair{dmNormal, false}, {dmNormal, true}, {dmPotential2, false}}) {
            one.DrawMode = two.DrawMode = mode;
            one.Smooth = two.Smooth = smooth;
            one.Draw();
            two.Draw();
            EXPECT_EQ(one.DrawBitmap(), two.DrawBitmap());
        }
    }
}

// Deep views move by whole pixels of their own exactly, with MPFR; the
// centre keeps the bits the new view needs.
TEST(DeepView, ZoomsComputeWithTheBitsTheViewNeeds) {
    TVistal v;
    SetUpDeep(v, 64, 48, "1e-200", 100);
    const TDeepPosition start = v.Position();
    const auto centreMoved = [&](double du, double dv) {
        const TFloatExp pixel = TFloatExp::Make(start.Span.Mant / 48, start.Span.Exp);
        TDeepPosition p = start;
        TMpfr step(2000);
        p.Re.SetBits(2000);
        p.Im.SetBits(2000);
        step.Set(pixel);
        step.Mul(step, du);
        p.Re.Add(p.Re, step);
        step.Set(pixel);
        step.Mul(step, dv);
        p.Im.Add(p.Im, step);
        p.Span = v.Position().Span; // written to the same digits
        return p.ReText(48) + "," + p.ImText(48);
    };
    const auto centre = [&] { return v.Position().ReText(48) + "," + v.Position().ImText(48); };
    v.SetZoomFactor(4);
    v.ZoomInAt(10, 40);
    EXPECT_EQ(centre(), centreMoved(10 - 32, 24 - 40));
    EXPECT_EQ(v.Position().SpanText(), "2.5e-201");
    EXPECT_GE(v.Position().Re.Bits(), TDeepPosition::BitsFor(v.Position().Span, 48));
    v.SetPosition(start);
    v.ZoomTwoPoint(10, 5, 30, 25);
    EXPECT_EQ(centre(), centreMoved(20 - 32, 24 - 15));
    EXPECT_NEAR(v.Position().Span.Log2(), start.Span.Log2() + std::log2(20.0 / 48), 1e-12);
    v.SetPosition(start);
    v.ZoomCenterAndPoint(40, 20, 0, 26);
    EXPECT_EQ(centre(), centreMoved(40 - 32, 24 - 20));
    v.SetPosition(start);
    v.ZoomOutAt(0, 0);
    EXPECT_EQ(centre(), centreMoved(-32, 24));
    EXPECT_EQ(v.Position().SpanText(), "4e-200");
    // A centre within a thirtieth of the span of the axis snaps onto it.
    SetUpDeep(v, 64, 48, "1e-200", 100);
    test::SetDeepView(v, "-0.75,1e-203", "1e-200");
    v.AdjustCenter(1);
    EXPECT_TRUE(v.Position().Im.IsZero());
    EXPECT_TRUE(v.CanUseHalf());
}

TEST(DeepView, TheReferenceOrbitShowsProgressAndStops) {
    TVistal v;
    SetUpDeep(v, 16, 12, "1e-300", 1000000);
    std::vector<std::pair<std::string, double>> seen;
    v.PumpHook = [&] {
        seen.emplace_back(v.ProgressPhase(), v.Progress());
        if (seen.size() == 3) v.SetDrawing(false);
    };
    EXPECT_THROW(v.Draw(), EAbort);
    EXPECT_FALSE(v.Drawing());
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2].first, "reference orbit");
    EXPECT_GT(seen[2].second, seen[0].second);
    EXPECT_LT(seen[2].second, 0.1);
    EXPECT_FALSE(v.DeepPlan()->Prepared());
    // Drawn again, the plan is made whole and the pixels follow it.
    seen.clear();
    v.PumpHook = [&] { seen.emplace_back(v.ProgressPhase(), v.Progress()); };
    v.Draw();
    EXPECT_TRUE(v.DeepPlan()->Prepared());
    EXPECT_TRUE(v.DeepPlan()->Statistics().Periodic);
    EXPECT_EQ(v.DeepPlan()->Statistics().ReferenceLength, 92509);
    EXPECT_EQ(seen.back().first, "");
    EXPECT_DOUBLE_EQ(seen.back().second, 1.0);
}

// The continuous counts of deep views come from the final z of perturbation
// (reference plus δ): where a pixel's count is the exact one, its ν is within
// 1e-4 of that of the exact orbit (the plan's own, with MPFR).
TEST(DeepView, ContinuousCountsFollowTheExactOrbits) {
    const TTruth views[] = {
        {"pairs", "deep320.txt", "1e-50", 20000},
        {"extended range", "0,1", "1e-1000", 10000},
        {"power 3", "power3-centre.txt", "1e-30", 10000, 3},
    };
    for (const TTruth& t : views) {
        SCOPED_TRACE(t.Name);
        TVistal v;
        v.SetWidth(8);
        v.SetHeight(6);
        v.SetPow(t.Pow);
        v.SetIteration(t.Iterations);
        test::SetDeepView(v, Centre(t), t.Span);
        std::vector<std::int32_t> counts;
        std::vector<double> nu;
        v.CountPixels(counts, &nu);
        TDeepParameters parameters = v.DeepPlan()->Parameters();
        parameters.Exact = true;
        const TDeepPlan exact(parameters);
        const TSmoothScale scale(2, t.Pow);
        int same = 0;
        for (int i = 0; i < 48; ++i) {
            TComplex z;
            const std::int32_t count = exact.Iterate(i % 8 - 4, 3 - i / 8, &z);
            if (count != counts[i]) continue;
            ++same;
            EXPECT_NEAR(nu[i], SmoothCount(count, z, scale), 1e-4) << i; // measured at most 2.5e-5 (pairs)
        }
        EXPECT_GE(same, 40);
    }
}
