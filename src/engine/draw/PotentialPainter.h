// SPDX-License-Identifier: GPL-3.0-or-later
// Colouring of the potential drawings: a pixel's brightness comes from the
// slopes of the potential towards its right and lower neighbours. The painter
// works a row at a time: each sample's slope is computed once (every slope
// serves up to three pixels), and a long row is shared among the engine's
// worker threads. Every pixel gets the colour the pixel rule defines.
#pragma once

#include "engine/vistal_class.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

namespace vistal {

class TWorkerPool;

class TPotentialPainter {
public:
    // Rows shorter than this are coloured on the calling thread alone.
    static constexpr int kMinSplitPixels = 256;
    // A thread's share of a row is never cut into parts narrower than this.
    static constexpr int kMinPartPixels = 32;

    // dy is the pixel step of the imaginary axis; potential, bright and
    // represent are the functions the dispatcher chose. The correction, the
    // light/dark choice and the functions hold for the whole drawing; the
    // palette, detail and colour 0 are read again for every row. pool and
    // threads: the threads a long row may use (the calling one included).
    TPotentialPainter(const TVistal& engine, TPotentialFunction potential, TBrightFunction bright,
                      TRepresentFunction represent, double dy, bool mixed, TWorkerPool* pool = nullptr,
                      int threads = 1);

    // A potential drawing needs all three functions; the dispatcher chooses them.
    static void RequireFunctions(TPotentialFunction potential, TBrightFunction bright,
                                 TRepresentFunction represent);

    // Pixels (0..width-1, y) from sample rows y and y + 1 of the cache. Call
    // only between two progress points: workers run inside the call and
    // nowhere else. A brightness that is not a number (the relief cannot be
    // computed) is that of flat ground: the brightness function of three equal
    // slopes. A pixel that cannot be coloured (an invalid palette index) ends
    // the call with its range error,
    // the pixels left of it written and none from it on, as if the row were
    // coloured one pixel after the other.
    void PaintRow(const TResultCache& cache, int y, int width, TColor* out);

    // One way of colouring a span of pixels, chosen once per drawing (the
    // brightness and representation functions inline, with or without mixing).
    using TSpanPainter = void (TPotentialPainter::*)(const std::int32_t* counts, int& x, int to,
                                                     TColor* out) const;
    template <int Bright, int Represent, bool Mixed>
    void PaintSpan(const std::int32_t* counts, int& x, int to, TColor* out) const;

private:
    // The products of a palette entry's Cb and Cr that TRgb::FromYCbCr adds to
    // the luma: red Y + 1.4026·Cr, green Y − 0.7144·Cr − 0.3444·Cb, blue Y + 1.773·Cb.
    struct TLuma {
        double red, greenCr, greenCb, blue;
    };
    // What a row's colouring needs of the engine, copied on the calling thread.
    struct TColours {
        std::vector<TColor> palette;
        int detail = 0;
        int nColors = 0;
        // Colour of palette index i = 0..nColors (no mixing), when none is an error.
        std::vector<TColor> byIndex;
        bool byIndexValid = false;
        // Cb and Cr of every palette entry, as TLuma (mixing).
        std::vector<TLuma> luma;
        std::vector<std::uint32_t> entryByCount; // palette entry of counts 0..maxCounts_-1, if none fails
    };

    void RefreshColours();
    void ComputeSlopes(const std::int32_t* counts, const TComplex* z, int from, int to, double* out) const;
    // The sample rows a pixel row is coloured from.
    struct TRows {
        const std::int32_t* counts;      // row y
        const std::int32_t* countsBelow; // row y + 1
        const TComplex* zBelow;
    };
    // Slopes of row y + 1 and pixels of row y for x = from..to-1; returns the
    // x of the first pixel that failed (with its error in failure), else to.
    int PaintPart(const TRows& rows, int width, int from, int to, TColor* out, std::exception_ptr& failure);

    const TVistal& engine_;
    TPotentialFunction potential_;
    TBrightFunction bright_;
    TRepresentFunction represent_;
    int potentialKind_ = 0; // 1..3 for Potential1..3, 0 another function
    bool invert_;           // LightDark = 1
    TPotentialScale scale_;
    double halfScale_; // CorrectionScale × 0.5
    double flat_ = 0;  // the shade of flat ground, for a relief that is not a number
    double dy_;
    bool mixed_;
    TSpanPainter span_ = nullptr;
    TWorkerPool* pool_;
    int threads_;
    std::int32_t maxCounts_ = 0;
    std::vector<double> powersOfTwo_; // 2^count for the counts of most samples

    TColours colours_;
    bool coloursValid_ = false;
    // upper_ holds the slopes of sample row slopeRow_ of the cache generation
    // slopeGeneration_; a row's painting fills lower_ with the next row's.
    std::vector<double> upper_, lower_;
    int slopeRow_ = -1;
    std::uint64_t slopeGeneration_ = 0;
    std::vector<TColor> scratch_;                  // a shared row is coloured here first
    std::unique_ptr<std::atomic<bool>[]> claimed_; // the parts of a shared row taken by a thread
};

} // namespace vistal
