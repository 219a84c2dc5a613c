// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/draw/DrawFrame.h"

#include "base/VectorState.h"
#include "engine/kernels/DeepKernel.h"

#include <algorithm>
#include <cmath>

namespace vistal {

namespace {

// The share of a drawing's progress that making a deep plan takes, and of
// that the reference orbit's share.
constexpr double kPlanShare = 0.1;
constexpr double kReferenceShare = 0.8;
// The smallest magnitude of planeDy (DrawFrame.h).
constexpr double kMinPlaneStep = 1e-290;

} // namespace

TDrawFrame::TDrawFrame(TVistal& e, bool iterates) : engine(e), smooth(e.Smooth), plan_(e.drawingPlan_) {
    ClearUpperVectorState();
    if (plan_) {
        P = {-engine.Width() / 2.0, engine.Height() / 2.0};
        Q = {engine.Width() / 2.0, -engine.Height() / 2.0};
    } else {
        P = engine.GetPointP();
        Q = engine.GetPointQ();
    }
    dx = (Q.Re - P.Re) / engine.Width();
    dy = (Q.Im - P.Im) / engine.Height();
    planeDy = plan_ ? -std::max(engine.DeepPixel().ToDouble(), kMinPlaneStep) : dy;
    TBitmap& bmp = engine.DrawBitmap();
    bmp.SetSize(engine.Width(), engine.Height()); // keeps the pixels when the size is the same
    engine.SetDrawing(true);
    engine.SetProgress(0);
    maxX = engine.Width() - 1;
    maxY = engine.Height() - 1;
    lastRow = engine.CanUseHalf() ? maxY / 2 + (maxY % 2 != 0 ? 1 : 0) : maxY;
    if (plan_ && iterates && !plan_->Prepared()) {
        // The destructor does not run for a constructor that throws.
        try {
            MakePlan();
        } catch (...) {
            engine.progressPhase_ = "";
            engine.SetDrawing(false);
            throw;
        }
    }
}

TDrawFrame::~TDrawFrame() {
    engine.SetDrawing(false);
}

void TDrawFrame::MakePlan() {
    plan_->Prepare([this](TDeepPhase phase, double done) {
        const bool reference = phase == TDeepPhase::Reference;
        engine.progressPhase_ = reference ? "reference orbit" : "approximation tables";
        engine.SetProgress(kPlanShare * (reference ? kReferenceShare * done
                                                   : kReferenceShare + (1 - kReferenceShare) * done));
        Pump();
    });
    engine.progressPhase_ = "";
    progressFrom_ = kPlanShare;
    engine.SetProgress(progressFrom_);
}

void TDrawFrame::Progress(double done) {
    engine.SetProgress(progressFrom_ + (1 - progressFrom_) * done);
    Pump();
}

void TDrawFrame::Pump() {
    if (engine.PumpHook) {
        engine.PumpHook();
        ClearUpperVectorState();
    }
    if (!engine.Drawing()) throw EAbort();
}

void TDrawFrame::MirrorIfHalf() {
    if (engine.CanUseHalf()) engine.MirrorHalf(maxX, maxY, lastRow);
}

void TDrawFrame::CountRows(
    const TKernel& kernel, const std::vector<TSampleRow>& rows,
    const std::function<void(std::size_t, const std::int32_t*, const double*)>& paint) {
    const bool group = !engine.PumpHook;
    std::vector<std::int32_t> counts;
    std::vector<double> nu;
    std::vector<TComplex> points;
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t end = first + 1;
        int total = std::max(rows[first].n, 0);
        while (group && end < rows.size() && total + std::max(rows[end].n, 0) <= kGroupPoints)
            total += std::max(rows[end++].n, 0);
        if (counts.size() < static_cast<std::size_t>(total)) counts.resize(static_cast<std::size_t>(total));
        if (smooth && nu.size() < counts.size()) nu.resize(counts.size());
        double* const rowNu = smooth ? nu.data() : nullptr;
        if (end == first + 1) {
            kernel.CountRow(rows[first].re, rows[first].im, rows[first].n, counts.data(), rowNu);
        } else {
            points.resize(static_cast<std::size_t>(total));
            std::size_t at = 0;
            for (std::size_t k = first; k < end; ++k)
                for (int i = 0; i < rows[k].n; ++i)
                    points[at++] = TComplex{rows[k].re[i], rows[k].im};
            kernel.CountPoints(points.data(), total, counts.data(), rowNu);
        }
        std::size_t at = 0;
        for (std::size_t k = first; k < end; ++k) {
            paint(k, counts.data() + at, rowNu ? rowNu + at : nullptr);
            at += static_cast<std::size_t>(std::max(rows[k].n, 0));
        }
        first = end;
    }
}

} // namespace vistal
