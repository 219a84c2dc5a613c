#include "engine/DrawFrame.h"

namespace vistal {

TDrawFrame::TDrawFrame(TVistal& e) : engine(e) {
    P = engine.GetPointP();
    Q = engine.GetPointQ();
    dx = (Q.Re - P.Re) / engine.Width();
    dy = (Q.Im - P.Im) / engine.Height();
    TBitmap& bmp = engine.DrawBitmap();
    bmp.SetSize(engine.Width(), engine.Height()); // keeps the pixels when the size is the same
    engine.SetDrawing(true);
    engine.SetProgress(0);
    maxX = engine.Width() - 1;
    maxY = engine.Height() - 1;
    lastRow = engine.CanUseHalf() ? maxY / 2 + (maxY % 2 != 0 ? 1 : 0) : maxY;
}

TDrawFrame::~TDrawFrame() { engine.SetDrawing(false); }

void TDrawFrame::Progress(double done) {
    engine.SetProgress(done);
    if (engine.PumpHook) engine.PumpHook();
    if (!engine.Drawing()) throw EAbort();
}

void TDrawFrame::MirrorIfHalf() {
    if (engine.CanUseHalf()) engine.MirrorHalf(maxX, maxY, lastRow);
}

} // namespace vistal
