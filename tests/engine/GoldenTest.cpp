// Two stored pictures, held as checksums of their 32-bit pixels: the start-up
// picture and a potential drawing of the same view. Every other drawing test
// compares the engine with a model built from the same plain loop and the same
// palette, so a change to either would move engine and model together; these
// checksums were taken once and do not move with them.
#include "engine/StartupParameters.h"
#include "engine/vistal_class.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace vistal;

namespace {

// FNV-1a (64 bits) over the pixels, row by row, each 0x00BBGGRR value as four
// bytes, lowest first.
std::uint64_t PixelChecksum(const TBitmap& b) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = b.Pixel(x, y);
            for (int k = 0; k < 4; ++k) {
                h ^= (c >> (8 * k)) & 0xFFu;
                h *= 0x100000001B3ull;
            }
        }
    return h;
}

constexpr std::uint64_t kStartUpPicture = 0x4CAE64D9B86CC5ADull;
constexpr std::uint64_t kPotential1Picture = 0x44772B55921D2193ull;

} // namespace

TEST(Golden, StartUpPictureOnEveryPath) {
    for (TKernelPath path : {TKernelPath::Scalar, TKernelPath::Auto}) {
        TVistal v;
        ApplyStartupParameters(v);
        v.KernelPath = path;
        v.Draw();
        ASSERT_EQ(v.DrawBitmap().Width(), 200);
        ASSERT_EQ(v.DrawBitmap().Height(), 200);
        EXPECT_EQ(PixelChecksum(v.DrawBitmap()), kStartUpPicture) << KernelPathName(path);
    }
}

TEST(Golden, Potential1MixedWithThePalette) {
    for (TKernelPath path : {TKernelPath::Scalar, TKernelPath::Auto}) {
        TVistal v;
        ApplyStartupParameters(v);
        v.KernelPath = path;
        v.DrawMode = dmPotential1;
        v.Draw();
        EXPECT_EQ(PixelChecksum(v.DrawBitmap()), kPotential1Picture) << KernelPathName(path);
    }
}

// The start-up parameters bring back the start-up picture from any view.
TEST(Golden, StartupParametersResetAChangedEngine) {
    TVistal v;
    v.SetPow(3);
    v.ResetView();
    v.SetCenter({0.25, 0.5});
    v.SetWidth(31);
    v.SetHeight(17);
    v.SetIteration(40);
    v.SetDetail(3);
    v.SetPaletteBlue();
    v.Half = false;
    ApplyStartupParameters(v);
    v.Draw();
    EXPECT_EQ(PixelChecksum(v.DrawBitmap()), kStartUpPicture);
    EXPECT_EQ(v.ZoomFactor(), StartupParameters().ZoomFactor);
    EXPECT_EQ(v.Escape(), 1024);
}
