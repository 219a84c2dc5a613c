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
        stamps_.assign(static_cast<std::size_t>(size_), 0);
        Remember();
    }

    // ColorOf(count), with the same range errors.
    TColor operator()(std::int32_t count) {
        if (static_cast<std::uint32_t>(count) < static_cast<std::uint32_t>(size_) && stamps_[count] == stamp_)
            return colours_[count];
        return Lookup(count);
    }

    // The colours of `n` counts, in order: as many ColorOf calls, with the
    // same range errors at the same pixel.
    void ColourRow(const std::int32_t* counts, int n, TColor* out) {
        const std::uint32_t size = static_cast<std::uint32_t>(size_), stamp = stamp_;
        const TColor* colours = colours_.data();
        const std::uint32_t* stamps = stamps_.data();
        for (int x = 0; x < n; ++x) {
            const std::int32_t count = counts[x];
            if (static_cast<std::uint32_t>(count) < size && stamps[count] == stamp) [[likely]]
                out[x] = colours[count];
            else
                out[x] = Lookup(count);
        }
    }

    // Forgets every colour.
    void Forget() { ++stamp_; }

    // Forgets the colours only when the palette, the number of colours or the
    // detail changed since they were computed.
    void Refresh() {
        if (engine_.Detail() == detail_ && engine_.NColors() == nColors_ && engine_.Palette() == palette_)
            return;
        Forget();
        Remember();
    }

private:
    TColor Lookup(std::int32_t count) {
        if (count < 0 || count >= size_) return engine_.ColorOf(count);
        colours_[count] = engine_.ColorOf(count);
        stamps_[count] = stamp_;
        return colours_[count];
    }

    // What the colours are computed from.
    void Remember() {
        detail_ = engine_.Detail();
        nColors_ = engine_.NColors();
        palette_ = engine_.Palette();
    }

    static constexpr std::int64_t kMaxEntries = 1 << 16;
    const TVistal& engine_;
    int size_ = 0;
    std::uint32_t stamp_ = 1;
    std::vector<TColor> colours_;
    std::vector<std::uint32_t> stamps_;
    int detail_ = 0;
    int nColors_ = 0;
    TPaletteArray palette_;
};

} // namespace vistal
