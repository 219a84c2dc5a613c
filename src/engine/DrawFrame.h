// The frame every basic drawing method shares: the view corners and steps, the
// bitmap sized (not cleared) to the picture, the Drawing flag held for exactly
// the method's lifetime, the rows to compute and the progress points.
#pragma once

#include "engine/vistal_class.h"

namespace vistal {

class TDrawFrame {
public:
    explicit TDrawFrame(TVistal& engine);
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

    TVistal& engine;
    TComplex P, Q;
    double dx, dy;
    int maxX, maxY, lastRow;
};

} // namespace vistal
