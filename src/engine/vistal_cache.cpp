// SPDX-License-Identifier: GPL-3.0-or-later
// TVistal: the bookkeeping of the result cache that extended drawing fills and
// colours from. The record ValidFor names the view the cache holds.
#include "engine/vistal_class.h"

namespace vistal {

void TVistal::ClearResultCache() {
    resultCache_.Free();
    resultCache_.ValidFor.Width = 0;
    resultCache_.ValidFor.Height = 0;
}

TResultCacheValidFor TVistal::CurrentCacheKey() const {
    TResultCacheValidFor key;
    key.Formula = formula_;
    key.Center = center_;
    key.ImSpan = imSpan_;
    key.Pow = pow_;
    key.Width = width_;
    key.Height = height_;
    key.JuliaSeed = juliaSeed_;
    key.Iteration = iteration_;
    key.Escape = escape_;
    // A deep view is told from its neighbours by its exact position, and a
    // view drawn on the deep path from the same view drawn on doubles.
    if (DeepView())
        key.Deep = (Exact ? "exact " + std::to_string(ExactBits) + " " : std::string("deep ")) +
                   position_.ExactText();
    return key;
}

bool TVistal::ResultCacheValid() const {
    return resultCache_.IsValidFor(CurrentCacheKey());
}

// Prepares the cache for computing the current view and returns the record to
// store once the computation has finished. Until then the record matches no
// view, so an interrupted computation leaves the cache invalid.
TResultCacheValidFor TVistal::BeginComputing() {
    const TResultCacheValidFor key = CurrentCacheKey();
    TResultCacheValidFor& record = resultCache_.ValidFor;
    if (record.Width != width_ || record.Height != height_ || resultCache_.Columns() - 1LL != width_ ||
        resultCache_.Rows() - 1LL != height_) {
        resultCache_.Allocate(width_, height_);
        record.Width = width_;
        record.Height = height_;
    }
    record.ImSpan = 0;
    record.Formula = 0; // being filled: valid for nothing, whatever the span
    return key;
}

} // namespace vistal
