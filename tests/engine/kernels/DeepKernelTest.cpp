// Deep views against the truth: every pixel's count of small views computed
// exactly (--exact, every point iterated with MPFR) and stored under
// tests/data/deep by make-truths.sh there. Perturbation cannot be bit-exact,
// so the counts must agree within tolerances.
#include "engine/vistal_class.h"
#include "support/DrawSupport.h"
#include "support/ImageReaders.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace vistal;

namespace {

struct TTruth {
    const char* Name;
    const char* Centre; // a file of tests/data/deep, or RE,IM
    const char* Span;
    int Iterations;
    int Pow = 2;
    bool Julia = false;
    double MaxDiffering = 0.005, MaxFar = 0.003; // shares of the pixels, differing at all and by more than 10
};

} // namespace

TEST(DeepKernel, CountsAgreeWithTheExactTruths) {
    const TTruth truths[] = {
        {"deep320-1e-20", "deep320.txt", "1e-20", 10000},
        {"deep320-1e-50", "deep320.txt", "1e-50", 20000},
        {"deep320-third-1e-50", "deep320-third.txt", "1e-50", 20000},
        {"deep320-1e-100", "deep320.txt", "1e-100", 100000},
        {"i-1e-1000", "0,1", "1e-1000", 10000},
        {"julia-1e-50", "julia-centre.txt", "1e-50", 20000, 2, true},
        {"power3-1e-30", "power3-centre.txt", "1e-30", 10000, 3},
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
        const std::string centre = std::string(t.Centre).find(',') != std::string::npos
                                       ? std::string(t.Centre)
                                       : test::ReadFileBytes(test::DeepDataFile(t.Centre));
        test::SetDeepView(v, centre, t.Span);
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
        EXPECT_LE(differing, t.MaxDiffering * counts.size());
        EXPECT_LE(far, t.MaxFar * counts.size());
    }
}
