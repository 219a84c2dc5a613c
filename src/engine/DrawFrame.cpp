#include "engine/DrawFrame.h"

namespace vistal {

TDrawFrame::TDrawFrame(TVistal& e) : engine(e) {
    P = engine.GetPointP();
    Q = engine.GetPointQ();
    dx = (Q.Re - P.Re) / engine.Width();
    dy = (Q.Im - P.Im) / engine.Height();
    TBitmap& bmp = engine.DrawBitmap();
    if (bmp.Width() != engine.Width()) bmp.SetWidth(engine.Width());
    if (bmp.Height() != engine.Height()) bmp.SetHeight(engine.Height());
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
