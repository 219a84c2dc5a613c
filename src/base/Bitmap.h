// SPDX-License-Identifier: GPL-3.0-or-later
// The core's picture type: one contiguous buffer of 32-bit colour values
// 0x00BBGGRR, row after row from the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace vistal {

using TColor = std::uint32_t;

// Memory of large pictures, in huge pages where the system offers them: a
// fresh picture then costs a few page faults instead of one every 4 KB.
void* AllocatePictureMemory(std::size_t bytes);
void FreePictureMemory(void* memory, std::size_t bytes);

template <class T> struct TPictureAllocator {
    using value_type = T;
    TPictureAllocator() = default;
    template <class U> TPictureAllocator(const TPictureAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) {
        if (n > std::size_t(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(AllocatePictureMemory(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { FreePictureMemory(p, n * sizeof(T)); }
    template <class U> bool operator==(const TPictureAllocator<U>&) const noexcept { return true; }
};

class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height, TColor fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // Changes the size and keeps the pixels of the part both sizes share; new
    // pixels are black.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }

    // Pixels outside the bitmap are ignored on write and read as 0xFFFFFFFF.
    void SetPixel(int x, int y, TColor c) {
        if (Contains(x, y)) pixels_[Index(x, y)] = c;
    }
    TColor Pixel(int x, int y) const { return Contains(x, y) ? pixels_[Index(x, y)] : 0xFFFFFFFFu; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    TColor* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const TColor* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    TColor* Data() { return pixels_.data(); }
    const TColor* Data() const { return pixels_.data(); }

    // Fills the rectangle [left, right) × [top, bottom), clipped to the bitmap.
    void FillRect(int left, int top, int right, int bottom, TColor c);
    // Copies the w × h rectangle at (sx, sy) of src to (dx, dy) of this bitmap,
    // clipped to both; src may be this bitmap (overlap is handled).
    void CopyRect(int dx, int dy, const TBitmap& src, int sx, int sy, int w, int h);

    // One row as 24-bit pixels, bytes blue, green, red (3 × Width bytes).
    void RowToBgr24(int y, std::uint8_t* out) const;
    // One row as 24-bit pixels, bytes red, green, blue (3 × Width bytes).
    void RowToRgb24(int y, std::uint8_t* out) const;
    // Sets one row from 24-bit pixels in the order blue, green, red.
    void RowFromBgr24(int y, const std::uint8_t* in);

    friend bool operator==(const TBitmap&, const TBitmap&) = default;

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
    int width_ = 0;
    int height_ = 0;
    std::vector<TColor, TPictureAllocator<TColor>> pixels_;
};

} // namespace vistal
