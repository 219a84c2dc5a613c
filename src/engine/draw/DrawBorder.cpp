// SPDX-License-Identifier: GPL-3.0-or-later
// The border-tracing method. The picture is cut into square tiles of 20 pixels
// (21 with the shared border). The border of each tile is computed; a rectangle
// whose whole border has one iteration count is filled with that count's colour
// without computing its inside, any other is split by a cross through its middle
// into four quarters that are treated the same way. Under smooth colouring the
// counts still decide; the inside of a rectangle of one count is filled from
// the continuous counts of its border (engine/kernels/SmoothCount.h), which the
// patch that runs through the four edges carries inwards.
//
// Within a tile the counts come first and the painting second: the tile's new
// edges are counted in one batch, then its subdivision level by level (all
// crosses of one level in one batch; a quarter's border is complete once its
// parent's cross is counted, and the quarters' insides are disjoint). The
// painting then walks the subdivision depth first, in the order the pixels are
// defined, so the picture, the points computed and the progress points are those
// of the depth-first method.
#include "engine/Messages.h"
#include "engine/draw/DrawFrame.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace vistal {

namespace {

constexpr int kTile = 20;

// Counts (or continuous counts) of the current tile's pixels relative to its
// top-left corner.
template <class T> class TTileRecord {
public:
    static constexpr int kSize = 41;
    T& operator()(int i, int j) {
        Check(i);
        Check(j);
        return values_[i][j];
    }

private:
    static void Check(int i) {
        if (i < 0 || i >= kSize) throw ERangeError(msg::kTileRecordOutOfRange);
    }
    T values_[kSize][kSize];
};

struct TRect {
    int x0, y0, x1, y1;
};

class TBorderTracer {
public:
    TBorderTracer(TVistal& engine, TDrawFrame& frame, const TKernel& kernel)
        : e_(engine), f_(frame), kernel_(kernel), bitmap_(engine.DrawBitmap()), smooth_(engine.Smooth),
          rowBuffer_(static_cast<std::size_t>(frame.maxX) + 1),
          rowNu_(smooth_ ? static_cast<std::size_t>(frame.maxX) + 1 : 0) {}

    void Run();

private:
    void TileRow(int rowIndex, int v, int b, bool lastTileRow);
    void Tile(int t, int v, int r, int b, bool firstTile, bool lastTile);
    void Paint(int x, int y, std::int32_t count, double nu) {
        bitmap_.SetPixel(x, y, smooth_ ? e_.SmoothColorOf(nu) : e_.ColorOf(count));
    }
    // Paints a pixel of the tile from the record.
    void Paint(int x, int y) { Paint(x, y, At(x, y), NuAt(x, y)); }
    std::int32_t& At(int x, int y) { return record_(x - t_, y - v_); }
    double& NuAt(int x, int y) { return nuRecord_(x - t_, y - v_); }
    // Copies the record's cell (fromI, fromJ) to (toI, toJ), relative to the tile.
    void CopyCell(int toI, int toJ, int fromI, int fromJ) {
        record_(toI, toJ) = record_(fromI, fromJ);
        if (smooth_) nuRecord_(toI, toJ) = nuRecord_(fromI, fromJ);
    }
    void FillSmooth(const TRect& r);

    // The batch of points to count next, with the record cells they go to.
    void Add(int x, int y) {
        points_.push_back(f_.Point(x, y));
        cells_.push_back({x, y});
    }
    void CountBatch();

    bool Uniform(const TRect& r);
    static bool Divisible(const TRect& r) { return std::abs(r.x1 - r.x0) > 1 && std::abs(r.y1 - r.y0) > 1; }
    static TRect Quarter(const TRect& r, int q);
    void AddCross(const TRect& r);
    void CountSubdivision(const TRect& tile);
    void PaintSubdivision(const TRect& r);

    TVistal& e_;
    TDrawFrame& f_;
    const TKernel& kernel_;
    TBitmap& bitmap_;
    const bool smooth_;
    TTileRecord<std::int32_t> record_;
    TTileRecord<double> nuRecord_; // used under smooth colouring only
    std::vector<std::int32_t> rowBuffer_;
    std::vector<double> rowNu_;
    int t_ = 0, v_ = 0; // top-left corner of the current tile
    int rowsTotal_ = 1, tilesPerRow_ = 1;
    std::vector<TComplex> points_;
    struct TCell {
        int x, y;
    };
    std::vector<TCell> cells_;
    std::vector<std::int32_t> counts_;
    std::vector<double> nu_;
    std::vector<TRect> level_, next_; // rectangles of one subdivision level
};

void TBorderTracer::CountBatch() {
    counts_.resize(points_.size());
    if (smooth_) nu_.resize(points_.size());
    kernel_.CountPoints(points_.data(), static_cast<int>(points_.size()), counts_.data(),
                        smooth_ ? nu_.data() : nullptr);
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        At(cells_[i].x, cells_[i].y) = counts_[i];
        if (smooth_) NuAt(cells_[i].x, cells_[i].y) = nu_[i];
    }
    points_.clear();
    cells_.clear();
}

void TBorderTracer::Run() {
    const int maxX = f_.maxX, lastRow = f_.lastRow;
    rowsTotal_ = lastRow / kTile + 1;
    tilesPerRow_ = maxX / kTile + 1;

    // Row 0, into the row buffer.
    std::vector<double> re(rowBuffer_.size());
    for (int x = 0; x <= maxX; ++x)
        re[x] = f_.PointRe(x);
    kernel_.CountRow(re.data(), f_.PointIm(0), maxX + 1, rowBuffer_.data(),
                     smooth_ ? rowNu_.data() : nullptr);
    for (int x = 0; x <= maxX; ++x)
        Paint(x, 0, rowBuffer_[x], smooth_ ? rowNu_[x] : 0);

    int v = 0, rowIndex = 0;
    for (; v + kTile <= lastRow; v += kTile, ++rowIndex)
        TileRow(rowIndex, v, v + kTile, false);
    TileRow(rowIndex, v, lastRow, true); // its height may be 0
    f_.MirrorIfHalf();
}

void TBorderTracer::TileRow(int rowIndex, int v, int b, bool lastTileRow) {
    const int h = b - v;
    t_ = 0;
    v_ = v;
    // Left edge: the left column of the row's first tile.
    for (int i = 0; i <= h; ++i)
        Add(0, v + i);
    CountBatch();
    for (int i = 0; i <= h; ++i)
        Paint(0, v + i);

    int t = 0, tileIndex = 0;
    for (; t + kTile <= f_.maxX; t += kTile, ++tileIndex) {
        Tile(t, v, t + kTile, b, t == 0, false);
        f_.Progress((rowIndex + double(tileIndex + 1) / tilesPerRow_) / rowsTotal_);
    }
    Tile(t, v, f_.maxX, b, t == 0, true); // its width may be 0
    if (!lastTileRow) f_.Progress(double(rowIndex + 1) / rowsTotal_);
}

void TBorderTracer::Tile(int t, int v, int r, int b, bool firstTile, bool lastTile) {
    const int w = r - t, h = b - v;
    // Left column: the previous tile's right column (the first tile keeps the
    // row's left edge).
    if (!firstTile) {
        for (int i = 0; i <= h; ++i)
            CopyCell(0, i, kTile, i);
    }
    t_ = t;
    const bool inner = !lastTile || w > 0;

    // Count the right column and the bottom edge in one batch. The top edge comes
    // from the row buffer; its entries are the counts of the same pixels, so the
    // order of these writes to the record does not matter.
    for (int i = 0; i <= h; ++i)
        Add(r, v + i);
    if (inner) {
        for (int x = 1; x <= w - 1; ++x)
            Add(t + x, b);
    }
    CountBatch();
    for (int x = 1; x <= w; ++x) {
        record_(x, 0) = rowBuffer_[t + x];
        if (smooth_) nuRecord_(x, 0) = rowNu_[t + x];
    }
    if (inner) {
        for (int x = 1; x <= w; ++x) {
            rowBuffer_[t + x] = record_(x, h);
            if (smooth_) rowNu_[t + x] = nuRecord_(x, h);
        }
    }

    const TRect tile{t, v, r, b};
    if (inner) CountSubdivision(tile);

    // Paint in the defined order: right column, bottom edge, subdivision.
    for (int i = 0; i <= h; ++i)
        Paint(r, v + i);
    if (inner) {
        for (int x = 1; x <= w - 1; ++x)
            Paint(t + x, b);
        PaintSubdivision(tile);
    }
}

bool TBorderTracer::Uniform(const TRect& r) {
    const std::int32_t c = At(r.x0, r.y0);
    for (int x = r.x0; x <= r.x1; ++x)
        if (At(x, r.y0) != c || At(x, r.y1) != c) return false;
    for (int y = r.y0 + 1; y < r.y1; ++y)
        if (At(r.x0, y) != c || At(r.x1, y) != c) return false;
    return true;
}

TRect TBorderTracer::Quarter(const TRect& r, int q) {
    const int xm = r.x0 + (r.x1 - r.x0) / 2, ym = r.y0 + (r.y1 - r.y0) / 2;
    switch (q) {
    case 0:
        return {r.x0, r.y0, xm, ym};
    case 1:
        return {xm, r.y0, r.x1, ym};
    case 2:
        return {r.x0, ym, xm, r.y1};
    default:
        return {xm, ym, r.x1, r.y1};
    }
}

// The cross of a rectangle: its middle column, then its middle row left and
// right of the middle column.
void TBorderTracer::AddCross(const TRect& r) {
    const int xm = r.x0 + (r.x1 - r.x0) / 2, ym = r.y0 + (r.y1 - r.y0) / 2;
    for (int y = r.y0 + 1; y <= r.y1 - 1; ++y)
        Add(xm, y);
    for (int x = r.x0 + 1; x <= xm - 1; ++x)
        Add(x, ym);
    for (int x = xm + 1; x <= r.x1 - 1; ++x)
        Add(x, ym);
}

void TBorderTracer::CountSubdivision(const TRect& tile) {
    level_.assign(1, tile);
    while (!level_.empty()) {
        next_.clear();
        for (const TRect& r : level_) {
            if (!Divisible(r) || Uniform(r)) continue;
            AddCross(r);
            for (int q = 0; q < 4; ++q)
                next_.push_back(Quarter(r, q));
        }
        CountBatch();
        level_.swap(next_);
    }
}

void TBorderTracer::PaintSubdivision(const TRect& r) {
    if (!Divisible(r)) return;
    if (Uniform(r)) {
        if (smooth_ && At(r.x0, r.y0) != 0) {
            FillSmooth(r);
            return;
        }
        // Right and bottom edges excluded; the top and left ones already carry the colour.
        bitmap_.FillRect(r.x0, r.y0, r.x1, r.y1, e_.ColorOf(At(r.x0, r.y0)));
        return;
    }
    const int xm = r.x0 + (r.x1 - r.x0) / 2, ym = r.y0 + (r.y1 - r.y0) / 2;
    for (int y = r.y0 + 1; y <= r.y1 - 1; ++y)
        Paint(xm, y);
    for (int x = r.x0 + 1; x <= r.x1 - 1; ++x)
        if (x != xm) Paint(x, ym);
    for (int q = 0; q < 4; ++q)
        PaintSubdivision(Quarter(r, q));
}

// The inside of a rectangle whose border has one count k ≥ 1, from the
// continuous counts of its border: the patch through the four edges (the sum
// of the linear blends between opposite edges, less the bilinear blend of the
// corners), which meets every edge pixel's value, kept to k..k + 1 as the
// continuous counts of count k are. The border keeps its own colours.
void TBorderTracer::FillSmooth(const TRect& r) {
    const double k = At(r.x0, r.y0);
    const double w = r.x1 - r.x0, h = r.y1 - r.y0;
    const double c00 = NuAt(r.x0, r.y0), c10 = NuAt(r.x1, r.y0);
    const double c01 = NuAt(r.x0, r.y1), c11 = NuAt(r.x1, r.y1);
    for (int y = r.y0 + 1; y < r.y1; ++y) {
        const double v = (y - r.y0) / h;
        const double left = NuAt(r.x0, y), right = NuAt(r.x1, y);
        for (int x = r.x0 + 1; x < r.x1; ++x) {
            const double u = (x - r.x0) / w;
            const double edges = (1 - v) * NuAt(x, r.y0) + v * NuAt(x, r.y1) + (1 - u) * left + u * right;
            const double corners = (1 - v) * ((1 - u) * c00 + u * c10) + v * ((1 - u) * c01 + u * c11);
            bitmap_.SetPixel(x, y, e_.SmoothColorOf(std::clamp(edges - corners, k, k + 1)));
        }
    }
}

} // namespace

void TVistal::DrawBorder(const TKernel& kernel) {
    TDrawFrame f(*this);
    // The row buffer is allocated once Drawing is set and freed on every way out.
    TBorderTracer tracer(*this, f, kernel);
    tracer.Run();
}

} // namespace vistal
