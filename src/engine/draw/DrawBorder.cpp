// The border-tracing method. The picture is cut into square tiles of 20 pixels
// (21 with the shared border). The border of each tile is computed; a rectangle
// whose whole border has one iteration count is filled with that count's colour
// without computing its inside, any other is split by a cross through its middle
// into four quarters that are treated the same way.
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

#include <cstdlib>
#include <vector>

namespace vistal {

namespace {

constexpr int kTile = 20;

// Counts of the current tile's pixels relative to its top-left corner.
class TTileRecord {
public:
    static constexpr int kSize = 41;
    std::int32_t& operator()(int i, int j) {
        Check(i);
        Check(j);
        return counts_[i][j];
    }

private:
    static void Check(int i) {
        if (i < 0 || i >= kSize) throw ERangeError(msg::kTileRecordOutOfRange);
    }
    std::int32_t counts_[kSize][kSize];
};

struct TRect {
    int x0, y0, x1, y1;
};

class TBorderTracer {
public:
    TBorderTracer(TVistal& engine, TDrawFrame& frame, const TKernel& kernel)
        : e_(engine), f_(frame), kernel_(kernel), bitmap_(engine.DrawBitmap()),
          rowBuffer_(static_cast<std::size_t>(frame.maxX) + 1) {}

    void Run();

private:
    void TileRow(int rowIndex, int v, int b, bool lastTileRow);
    void Tile(int t, int v, int r, int b, bool firstTile, bool lastTile);
    void Paint(int x, int y, std::int32_t count) { bitmap_.SetPixel(x, y, e_.ColorOf(count)); }
    std::int32_t& At(int x, int y) { return record_(x - t_, y - v_); }

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
    TTileRecord record_;
    std::vector<std::int32_t> rowBuffer_;
    int t_ = 0, v_ = 0; // top-left corner of the current tile
    int rowsTotal_ = 1, tilesPerRow_ = 1;
    std::vector<TComplex> points_;
    struct TCell {
        int x, y;
    };
    std::vector<TCell> cells_;
    std::vector<std::int32_t> counts_;
    std::vector<TRect> level_, next_; // rectangles of one subdivision level
};

void TBorderTracer::CountBatch() {
    counts_.resize(points_.size());
    kernel_.CountPoints(points_.data(), static_cast<int>(points_.size()), counts_.data());
    for (std::size_t i = 0; i < cells_.size(); ++i)
        At(cells_[i].x, cells_[i].y) = counts_[i];
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
    kernel_.CountRow(re.data(), f_.PointIm(0), maxX + 1, rowBuffer_.data());
    for (int x = 0; x <= maxX; ++x)
        Paint(x, 0, rowBuffer_[x]);

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
        Paint(0, v + i, At(0, v + i));

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
            record_(0, i) = record_(kTile, i);
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
    for (int x = 1; x <= w; ++x)
        record_(x, 0) = rowBuffer_[t + x];
    if (inner) {
        for (int x = 1; x <= w - 1; ++x)
            rowBuffer_[t + x] = record_(x, h);
        rowBuffer_[t + w] = record_(w, h);
    }

    const TRect tile{t, v, r, b};
    if (inner) CountSubdivision(tile);

    // Paint in the defined order: right column, bottom edge, subdivision.
    for (int i = 0; i <= h; ++i)
        Paint(r, v + i, At(r, v + i));
    if (inner) {
        for (int x = 1; x <= w - 1; ++x)
            Paint(t + x, b, At(t + x, b));
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
        // Right and bottom edges excluded; the top and left ones already carry the colour.
        bitmap_.FillRect(r.x0, r.y0, r.x1, r.y1, e_.ColorOf(At(r.x0, r.y0)));
        return;
    }
    const int xm = r.x0 + (r.x1 - r.x0) / 2, ym = r.y0 + (r.y1 - r.y0) / 2;
    for (int y = r.y0 + 1; y <= r.y1 - 1; ++y)
        Paint(xm, y, At(xm, y));
    for (int x = r.x0 + 1; x <= r.x1 - 1; ++x)
        if (x != xm) Paint(x, ym, At(x, ym));
    for (int q = 0; q < 4; ++q)
        PaintSubdivision(Quarter(r, q));
}

} // namespace

void TVistal::DrawBorder(const TKernel& kernel) {
    TDrawFrame f(*this);
    // The row buffer is allocated once Drawing is set and freed on every way out.
    TBorderTracer tracer(*this, f, kernel);
    tracer.Run();
}

} // namespace vistal
