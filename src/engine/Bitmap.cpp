#include "engine/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace vistal {

TBitmap::TBitmap(int width, int height, TColor fill) {
    if (width < 0 || height < 0) throw std::invalid_argument("negative bitmap size");
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * height, fill);
}

void TBitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0) throw std::invalid_argument("negative bitmap size");
    if (width == width_ && height == height_) return;
    std::vector<TColor> next(static_cast<std::size_t>(width) * height, 0);
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
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    if (dx < 0) { sx -= dx; w += dx; dx = 0; }
    if (dy < 0) { sy -= dy; h += dy; dy = 0; }
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

void TBitmap::RowToBgr24(int y, std::uint8_t* out) const {
    const TColor* row = Row(y);
    for (int x = 0; x < width_; ++x) {
        TColor c = row[x];
        out[3 * x] = static_cast<std::uint8_t>(c >> 16);
        out[3 * x + 1] = static_cast<std::uint8_t>(c >> 8);
        out[3 * x + 2] = static_cast<std::uint8_t>(c);
    }
}

void TBitmap::RowFromBgr24(int y, const std::uint8_t* in) {
    TColor* row = Row(y);
    for (int x = 0; x < width_; ++x)
        row[x] = TColor(in[3 * x + 2]) | TColor(in[3 * x + 1]) << 8 | TColor(in[3 * x]) << 16;
}

} // namespace vistal
