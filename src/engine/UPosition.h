// SPDX-License-Identifier: GPL-3.0-or-later
// View positions: where the engine looks (centre, exponent, span and, for Julia
// sets, the constant). The history of earlier views and every recommendation
// record keep their location as one of these.
#pragma once

#include "base/DeepPosition.h"
#include "base/UType.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace vistal {

class TVistal;

// A position of no known formula. Its Julia-constant operations end in a
// silent abort and its FormulaKind is 0, which matches no formula.
class TPosition {
public:
    TPosition() = default;
    virtual ~TPosition() = default;
    // Positions are copied only through Assign, never by slicing.
    TPosition(const TPosition&) = delete;
    TPosition& operator=(const TPosition&) = delete;

    TComplex Center;
    std::int32_t Pow = 0;
    double ImSpan = 0;
    // A view that doubles do not hold keeps its full position here; Center
    // and ImSpan are then its nearest doubles.
    std::optional<TDeepPosition> Deep;

    // The centre and span as one position, to every bit kept.
    TDeepPosition View() const { return Deep ? *Deep : TDeepPosition(Center, ImSpan); }
    // Sets Center and ImSpan, and Deep when doubles do not hold the view.
    void SetView(const TDeepPosition& view);

    virtual TComplex GetJuliaSeed() const;
    virtual void SetJuliaSeed(const TComplex& seed);
    // Copies the centre, exponent and span of the source.
    virtual void Assign(const TPosition& source);
    virtual void ReadFrom(const TVistal& engine);
    // Exact comparison with the engine's view: centre, exponent, span (to
    // every bit either keeps). The
    // engine's formula is not compared.
    virtual bool SameAsEngine(const TVistal& engine) const;
    // Exact comparison of centre, exponent and span; the class of the other
    // position is not compared.
    virtual bool SameAs(const TPosition& other) const;
    virtual std::uint8_t FormulaKind() const { return 0; }
    // Sets the engine's centre, exponent and span, in this order (a deep view
    // as one position).
    virtual void ApplyTo(TVistal& engine) const;
};

class TPositionMandelbrot : public TPosition {
public:
    std::uint8_t FormulaKind() const override { return fmMandelbrot; }
};

class TPositionJulia : public TPosition {
public:
    TComplex JuliaSeed;

    TComplex GetJuliaSeed() const override { return JuliaSeed; }
    void SetJuliaSeed(const TComplex& seed) override { JuliaSeed = seed; }
    // From a source that is not a Julia position the common fields are copied,
    // then the source's GetJuliaSeed ends it with a silent abort.
    void Assign(const TPosition& source) override;
    void ReadFrom(const TVistal& engine) override;
    bool SameAsEngine(const TVistal& engine) const override;
    // Against a position that is not a Julia position with the same centre,
    // exponent and span, the other's GetJuliaSeed ends it with a silent abort.
    bool SameAs(const TPosition& other) const override;
    std::uint8_t FormulaKind() const override { return fmJulia; }
    // The engine refuses the Julia constant with a silent abort unless its
    // formula is Julia; the centre, exponent and span are applied before that.
    void ApplyTo(TVistal& engine) const override;
};

// A new, all-zero position of the class for a formula kind: 1 Mandelbrot,
// 2 Julia, anything else a plain TPosition.
std::unique_ptr<TPosition> CreatePosition(std::uint8_t formulaKind);
// A new position of the same class as the source, with the same values.
std::unique_ptr<TPosition> CopyPosition(const TPosition& source);

} // namespace vistal
