// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ResultCache.h"
#include "engine/Messages.h"

#include <climits>

namespace vistal {

void TResultCache::Allocate(int width, int height) {
    // Columns() and Rows() are Width + 1 and Height + 1, which must fit an int.
    if (width < 0 || height < 0 || width == INT_MAX || height == INT_MAX)
        throw ERangeError(msg::kResultCacheSizeOutOfRange);
    const std::size_t cells = (static_cast<std::size_t>(width) + 1) * (static_cast<std::size_t>(height) + 1);
    Free();
    counts_.assign(cells, 0);
    z_.assign(cells, TComplex{});
    columns_ = width + 1;
    rows_ = height + 1;
    ++generation_;
}

void TResultCache::Free() {
    columns_ = rows_ = 0;
    ++generation_;
    std::vector<std::int32_t>().swap(counts_);
    std::vector<TComplex>().swap(z_);
}

std::size_t TResultCache::RowStart(int y) const {
    if (y < 0 || y >= rows_) throw ERangeError(msg::kResultCacheIndexOutOfRange);
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(columns_);
}

ResultCacheCell TResultCache::Cell(int x, int y) const {
    const std::size_t start = RowStart(y);
    if (x < 0 || x >= columns_) throw ERangeError(msg::kResultCacheIndexOutOfRange);
    return {counts_[start + x], z_[start + x]};
}

std::int32_t* TResultCache::CountRow(int y) {
    return counts_.data() + RowStart(y);
}
const std::int32_t* TResultCache::CountRow(int y) const {
    return counts_.data() + RowStart(y);
}
TComplex* TResultCache::ZRow(int y) {
    return z_.data() + RowStart(y);
}
const TComplex* TResultCache::ZRow(int y) const {
    return z_.data() + RowStart(y);
}

bool TResultCache::IsValidFor(const TResultCacheValidFor& c) const {
    const TResultCacheValidFor& r = ValidFor;
    if (r.Formula != fmMandelbrot && r.Formula != fmJulia) return false;
    if (r.Formula != c.Formula || r.Center.Re != c.Center.Re || r.Center.Im != c.Center.Im ||
        r.ImSpan != c.ImSpan || r.Pow != c.Pow || r.Width != c.Width || r.Height != c.Height ||
        r.Iteration != c.Iteration || r.Escape != c.Escape || r.Deep != c.Deep)
        return false;
    if (r.Formula == fmJulia && (r.JuliaSeed.Re != c.JuliaSeed.Re || r.JuliaSeed.Im != c.JuliaSeed.Im))
        return false;
    return columns_ - 1LL == r.Width && rows_ - 1LL == r.Height;
}

} // namespace vistal
