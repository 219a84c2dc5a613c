// The colours of the counts of one drawing, remembered instead of computed
// for every pixel. Between two progress points the palette and the detail
// cannot change, so a method calls Forget after each progress point.
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
    }

    // ColorOf(count), with the same range errors.
    TColor operator()(std::int32_t count) {
        if (count < 0 || count >= size_) return engine_.ColorOf(count);
        if (stamps_[count] != stamp_) {
            colours_[count] = engine_.ColorOf(count);
            stamps_[count] = stamp_;
        }
        return colours_[count];
    }

    // Forgets every colour (the palette or the detail may have changed).
    void Forget() { ++stamp_; }

private:
    static constexpr std::int64_t kMaxEntries = 1 << 16;
    const TVistal& engine_;
    int size_ = 0;
    std::uint32_t stamp_ = 1;
    std::vector<TColor> colours_;
    std::vector<std::uint32_t> stamps_;
};

} // namespace vistal
