// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <sys/mman.h>

namespace vistal {

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;
} // namespace

void* AllocatePictureMemory(std::size_t bytes) {
    if (bytes < kHugePage) return ::operator new(bytes);
    // A mapping aligned to whole huge pages: one huge page more is mapped, and
    // the unaligned parts before and after are given back.
    const std::size_t size = (bytes + kHugePage - 1) & ~(kHugePage - 1);
    if (size < bytes || size + kHugePage < size) throw std::bad_alloc();
    void* mapped =
        ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    char* const start = static_cast<char*>(mapped);
    char* const aligned = reinterpret_cast<char*>((reinterpret_cast<std::uintptr_t>(start) + kHugePage - 1) &
                                                  ~std::uintptr_t(kHugePage - 1));
    if (aligned > start) ::munmap(start, static_cast<std::size_t>(aligned - start));
    char* const end = start + size + kHugePage;
    if (end > aligned + size) ::munmap(aligned + size, static_cast<std::size_t>(end - (aligned + size)));
    ::madvise(aligned, size, MADV_HUGEPAGE); // only a hint: without huge pages the mapping works as well
    return aligned;
}

void FreePictureMemory(void* memory, std::size_t bytes) {
    if (!memory) return;
    if (bytes < kHugePage) {
        ::operator delete(memory);
        return;
    }
    ::munmap(memory, (bytes + kHugePage - 1) & ~(kHugePage - 1));
}

TBitmap::TBitmap(int width, int height, TColor fill) {
    if (width < 0 || height < 0) throw std::invalid_argument("negative bitmap size");
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * height, fill);
}

void TBitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0) throw std::invalid_argument("negative bitmap size");
    if (width == width_ && height == height_) return;
    decltype(pixels_) next(static_cast<std::size_t>(width) * height, 0);
    int w = std::min(width, width_), h = std::min(height, height_);
    for (int y = 0; y < h; ++y)
        std::memcpy(next.data() + static_cast<std::size_t>(y) * width, Row(y), sizeof(TColor) * w);
    pixels_.swap(next);
    width_ = width;
    height_ = height;
}

void TBitmap::FillRect(int left, int top, int right, int bottom, TColor c) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    for (int y = top; y < bottom; ++y)
        std::fill(Row(y) + left, Row(y) + right, c);
}

void TBitmap::CopyRect(int dx, int dy, const TBitmap& src, int sx, int sy, int w, int h) {
    // Clip against the source and the destination.
    if (sx < 0) {
        dx -= sx;
        w += sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        h += sy;
        sy = 0;
    }
    if (dx < 0) {
        sx -= dx;
        w += dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        h += dy;
        dy = 0;
    }
    w = std::min({w, src.width_ - sx, width_ - dx});
    h = std::min({h, src.height_ - sy, height_ - dy});
    if (w <= 0 || h <= 0) return;
    if (&src == this && dy > sy) {
        for (int y = h - 1; y >= 0; --y)
            std::memmove(Row(dy + y) + dx, src.Row(sy + y) + sx, sizeof(TColor) * w);
    } else {
        for (int y = 0; y < h; ++y)
            std::memmove(Row(dy + y) + dx, src.Row(sy + y) + sx, sizeof(TColor) * w);
    }
}

namespace {

// Packs colours (their low three bytes, in memory order) into 3 bytes each,
// eight at a time as three 64-bit words. `order` gives the three bytes of one
// colour in their memory order in the low 24 bits.
template <class Order> void Pack24(const TColor* in, int count, std::uint8_t* out, Order order) {
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        std::uint64_t p[8];
        for (int i = 0; i < 8; ++i)
            p[i] = order(in[x + i]);
        const std::uint64_t w0 = p[0] | p[1] << 24 | p[2] << 48;
        const std::uint64_t w1 = p[2] >> 16 | p[3] << 8 | p[4] << 32 | p[5] << 56;
        const std::uint64_t w2 = p[5] >> 8 | p[6] << 16 | p[7] << 40;
        std::memcpy(out + 3 * x, &w0, 8);
        std::memcpy(out + 3 * x + 8, &w1, 8);
        std::memcpy(out + 3 * x + 16, &w2, 8);
    }
    for (; x < count; ++x) {
        const std::uint32_t a = order(in[x]);
        out[3 * x] = static_cast<std::uint8_t>(a);
        out[3 * x + 1] = static_cast<std::uint8_t>(a >> 8);
        out[3 * x + 2] = static_cast<std::uint8_t>(a >> 16);
    }
}

} // namespace

void TBitmap::RowToBgr24(int y, std::uint8_t* out) const {
    // 0x00BBGGRR becomes 0x00RRGGBB: bytes blue, green, red in memory.
    Pack24(Row(y), width_, out, [](TColor c) { return __builtin_bswap32(c) >> 8; });
}

void TBitmap::RowToRgb24(int y, std::uint8_t* out) const {
    Pack24(Row(y), width_, out, [](TColor c) { return c & 0xFFFFFFu; });
}

void TBitmap::RowFromBgr24(int y, const std::uint8_t* in) {
    TColor* row = Row(y);
    for (int x = 0; x < width_; ++x)
        row[x] = TColor(in[3 * x + 2]) | TColor(in[3 * x + 1]) << 8 | TColor(in[3 * x]) << 16;
}

} // namespace vistal
