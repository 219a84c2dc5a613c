// SPDX-License-Identifier: GPL-3.0-or-later
// The colours of the counts of one drawing, remembered instead of computed
// for every pixel. The palette and the detail can change only at a progress
// point, so a method calls Refresh after each one.
#pragma once

#include "engine/vistal_class.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vistal {

class TColorTable {
public:
    explicit TColorTable(const TVistal& engine) : engine_(engine) {
        const std::int64_t entries =
            std::min<std::int64_t>(std::int64_t{engine.Iteration()} + 1, kMaxEntries);
        size_ = static_cast<int>(std::max<std::int64_t>(entries, 0));
        colours_.resize(static_cast<std::size_t>(size_));
        Remember();
    }

    // ColorOf(count), with the same range errors.
    TColor operator()(std::int32_t count) {
        Tally(count);
        if (count >= known_.lo && count <= known_.hi) return colours_[count];
        if (count >= 0 && count < size_ && Cover(count, count)) return colours_[count];
        return engine_.ColorOf(count);
    }

    // The colour of point i of a batch: of its continuous count nu[i] under
    // smooth colouring (nu set), else of its count.
    TColor Of(const std::int32_t* counts, const double* nu, int i) {
        if (!nu) return (*this)(counts[i]);
        Tally(counts[i]);
        return engine_.SmoothColorOf(nu[i]);
    }

    // The colours of `n` counts (or continuous counts), in order: as many
    // ColorOf (SmoothColorOf) calls, with the same range errors at the same pixel.
    void ColourRow(const std::int32_t* counts, int n, TColor* out, const double* nu = nullptr) {
        if (n <= 0) return;
        if (nu) {
            for (int x = 0; x < n; ++x) {
                Tally(counts[x]);
                out[x] = engine_.SmoothColorOf(nu[x]);
            }
            return;
        }
        std::int32_t lo = counts[0], hi = counts[0];
        for (int x = 1; x < n; ++x) {
            lo = std::min(lo, counts[x]);
            hi = std::max(hi, counts[x]);
        }
        if (lo >= 0 && hi < size_ && Cover(lo, hi)) {
            for (int x = 0; x < n; ++x)
                Tally(counts[x]);
            const TColor* colours = colours_.data();
            for (int x = 0; x < n; ++x)
                out[x] = colours[counts[x]];
            return;
        }
        for (int x = 0; x < n; ++x)
            out[x] = (*this)(counts[x]);
    }

    // The samples coloured so far against the iteration limit.
    const TLimitShare& Share() const { return share_; }

    // Forgets every colour.
    void Forget() {
        known_ = {};
        failed_ = false;
    }

    // Forgets the colours only when the palette, the number of colours or the
    // detail changed since they were computed.
    void Refresh() {
        if (engine_.Detail() == detail_ && engine_.NColors() == nColors_ && engine_.Palette() == palette_)
            return;
        Forget();
        Remember();
    }

private:
    void Tally(std::int32_t count) {
        ++share_.Samples;
        // Count 0: the sample never escaped.
        const bool atLimit = count == 0 || count >= limit_;
        share_.AtLimit += atLimit;
        share_.Near += !atLimit && count >= limit_ / 2;
    }

    // Makes the known counts, always one interval, cover [lo, hi] (inside the
    // table). The colours in between are computed too; should one of them be
    // a range error, the interval stays as it is and false says so, and the
    // caller asks ColorOf for each pixel, which raises the error only at a
    // pixel whose count really has none.
    bool Cover(std::int32_t lo, std::int32_t hi) {
        if (lo >= known_.lo && hi <= known_.hi) return true;
        if (failed_) return false;
        TInterval next = known_.lo > known_.hi ? TInterval{lo, hi}
                                               : TInterval{std::min(lo, known_.lo), std::max(hi, known_.hi)};
        try {
            for (std::int32_t c = next.lo; c <= next.hi; ++c) {
                if (c == known_.lo) c = known_.hi + 1; // already there
                if (c > next.hi) break;
                colours_[c] = engine_.ColorOf(c);
            }
        } catch (const ERangeError&) {
            failed_ = true;
            return false;
        }
        known_ = next;
        return true;
    }

    // What the colours are computed from.
    void Remember() {
        detail_ = engine_.Detail();
        nColors_ = engine_.NColors();
        palette_ = engine_.Palette();
    }

    struct TInterval {
        std::int32_t lo = 1, hi = 0; // empty
    };
    static constexpr std::int64_t kMaxEntries = 1 << 16;
    const TVistal& engine_;
    std::int32_t limit_ = engine_.Iteration();
    TLimitShare share_;
    int size_ = 0;
    std::vector<TColor> colours_;
    TInterval known_;
    bool failed_ = false;
    int detail_ = 0;
    int nColors_ = 0;
    TPaletteArray palette_;
};

} // namespace vistal
