// SPDX-License-Identifier: GPL-3.0-or-later
// The result cache of extended drawing: per sample point the iteration count
// and the final z, for (Width + 1) × (Height + 1) samples, so that a pixel's
// right and lower neighbours exist for every pixel of the picture. With it the
// picture can be coloured again in another way without iterating.
#pragma once

#include "base/UType.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vistal {

struct ResultCacheCell {
    std::int32_t count = 0; // 0 when the point never escaped
    TComplex z;             // z when the loop stopped
};

// The parameters the cache was filled for. A new record (Formula 1, zeros
// everywhere else) matches no view, so the first extended drawing computes.
struct TResultCacheValidFor {
    std::uint8_t Formula = fmMandelbrot;
    TComplex Center;
    double ImSpan = 0;
    int Pow = 0;
    int Width = 0;
    int Height = 0;
    TComplex JuliaSeed;
    std::int32_t Iteration = 0;
    double Escape = 0;
    std::string Deep; // for a deep drawing, its path and exact position; empty on doubles
};

class TResultCache {
public:
    // Cells for samples x = 0..width, y = 0..height, all zero.
    void Allocate(int width, int height);
    // Frees the cells.
    void Free();

    // Changes with every Allocate and Free: a drawing that finds it changed at a
    // progress point knows that someone else has taken the cells over.
    std::uint64_t Generation() const { return generation_; }

    int Columns() const { return columns_; } // Width + 1
    int Rows() const { return rows_; }       // Height + 1

    // Cell [x][y]; an index outside the cache is a range error.
    ResultCacheCell Cell(int x, int y) const;
    // The counts and final values of sample row y, Columns() of each, stored
    // side by side so that a kernel can fill a whole row at once. A row outside
    // the cache is a range error.
    std::int32_t* CountRow(int y);
    const std::int32_t* CountRow(int y) const;
    TComplex* ZRow(int y);
    const TComplex* ZRow(int y) const;

    // The parameters the cells were computed for.
    TResultCacheValidFor ValidFor;
    // Whether the cells hold the results for the view described by current:
    // every recorded item equal to the current one, the Julia constant only for
    // a Julia record; a recorded formula other than Mandelbrot or Julia, or
    // cells of another size, never match.
    bool IsValidFor(const TResultCacheValidFor& current) const;

private:
    std::size_t RowStart(int y) const;

    std::uint64_t generation_ = 0;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::int32_t> counts_;
    std::vector<TComplex> z_;
};

} // namespace vistal
