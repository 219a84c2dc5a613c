// SPDX-License-Identifier: GPL-3.0-or-later
// The frame every basic drawing method shares: the view corners and steps, the
// bitmap sized (not cleared) to the picture, the Drawing flag held for exactly
// the method's lifetime, the rows to compute and the progress points.
#pragma once

#include "engine/vistal_class.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vistal {

// Row groups. Without an event pump (PumpHook empty) nothing can look at the
// picture, the progress or the kernel calls between two rows, so consecutive
// rows of up to kGroupPoints sample points in all are counted in one batch
// before they are painted row by row: the orbits of several rows share the
// lanes and the threads, and the longest orbit of a row no longer holds up the
// next one. With a pump each row is counted just before it is painted, so an
// aborted drawing has computed exactly the rows it painted. The normal, search
// and fade-in methods group through TDrawFrame::CountRows, extended drawing its
// cache rows.
inline constexpr int kGroupPoints = 16384;

// One row of sample points: (re[i], im) for i < n.
struct TSampleRow {
    const double* re;
    int n;
    double im;
};

// A deep drawing (TVistal::DeepView) numbers its sample points in pixels from
// the centre of the view instead: P = (−Width/2, Height/2), steps 1 and −1,
// so the samples between pixels of anti-aliasing and the extra samples of
// extended drawing are exact too, and the kernels' deep plan turns them into
// points of the plane. Before the first row the frame makes the plan (the
// reference orbit and its tables) with progress points of its own.
class TDrawFrame {
public:
    // iterates: the method will count points (not so for colouring from the
    // result cache), so a deep plan must be made.
    explicit TDrawFrame(TVistal& engine, bool iterates = true);
    ~TDrawFrame();
    TDrawFrame(const TDrawFrame&) = delete;
    TDrawFrame& operator=(const TDrawFrame&) = delete;

    // Sample point of pixel (x, y): (x·dx + P.Re, y·dy + P.Im).
    double PointRe(int x) const { return x * dx + P.Re; }
    double PointIm(int y) const { return y * dy + P.Im; }
    TComplex Point(int x, int y) const { return {PointRe(x), PointIm(y)}; }

    // A progress point: records how far the drawing is, pumps pending events and
    // ends the drawing with a silent abort when Drawing was cleared meanwhile.
    void Progress(double done);
    // The end of a pass: completes the lower half by symmetry when it applies.
    void MirrorIfHalf();

    // Counts the rows in order and calls paint(k, counts of row k, continuous
    // counts of row k) as soon as row k is counted; the continuous counts are
    // there when smooth says so only (else null). paint ends with the row's
    // progress point. Rows are grouped as kGroupPoints says.
    void CountRows(const TKernel& kernel, const std::vector<TSampleRow>& rows,
                   const std::function<void(std::size_t, const std::int32_t*, const double*)>& paint);

    TVistal& engine;
    TComplex P, Q;
    double dx, dy;
    // The pixel step of the imaginary axis in the plane, which the potential
    // drawings divide by: dy, or for a deep view −span ÷ height, kept above
    // 1e-290 in magnitude so that the slopes stay finite numbers.
    double planeDy;
    int maxX, maxY, lastRow;
    // Whether CountRows computes continuous counts: under smooth colouring,
    // or when the method wants them for themselves.
    bool smooth;

private:
    // Pumps pending events, and ends the drawing with a silent abort when
    // Drawing was cleared meanwhile.
    void Pump();
    void MakePlan();
    std::shared_ptr<TDeepPlan> plan_;
    double progressFrom_ = 0; // the share of the drawing taken by making the plan
};

} // namespace vistal
