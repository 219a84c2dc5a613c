// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/UPosition.h"

#include "engine/vistal_class.h"

namespace vistal {

TComplex TPosition::GetJuliaSeed() const {
    throw EAbort();
}

void TPosition::SetJuliaSeed(const TComplex&) {
    throw EAbort();
}

void TPosition::SetView(const TDeepPosition& view) {
    Center = view.Center();
    ImSpan = view.Span.ToDouble();
    if (view.HeldByDoubles())
        Deep.reset();
    else
        Deep = view;
}

void TPosition::Assign(const TPosition& source) {
    Center = source.Center;
    Pow = source.Pow;
    ImSpan = source.ImSpan;
    Deep = source.Deep;
}

void TPosition::ReadFrom(const TVistal& engine) {
    SetView(engine.Position());
    Pow = engine.Pow();
}

bool TPosition::SameAsEngine(const TVistal& engine) const {
    if (Center.Re != engine.Center().Re) return false;
    if (Center.Im != engine.Center().Im) return false;
    if (Pow != engine.Pow()) return false;
    if (ImSpan != engine.ImSpan()) return false;
    return Deep ? *Deep == engine.Position() : engine.Position().HeldByDoubles();
}

bool TPosition::SameAs(const TPosition& other) const {
    if (Center.Re != other.Center.Re) return false;
    if (Center.Im != other.Center.Im) return false;
    if (Pow != other.Pow) return false;
    if (ImSpan != other.ImSpan) return false;
    if (Deep.has_value() != other.Deep.has_value()) return false;
    return !Deep || *Deep == *other.Deep;
}

void TPosition::ApplyTo(TVistal& engine) const {
    if (Deep) {
        engine.SetPow(Pow);
        engine.SetPosition(*Deep);
        return;
    }
    engine.SetCenter(Center);
    engine.SetPow(Pow);
    engine.SetImSpan(ImSpan);
}

void TPositionJulia::Assign(const TPosition& source) {
    TPosition::Assign(source);
    SetJuliaSeed(source.GetJuliaSeed());
}

void TPositionJulia::ReadFrom(const TVistal& engine) {
    TPosition::ReadFrom(engine);
    JuliaSeed = engine.JuliaSeed();
}

bool TPositionJulia::SameAsEngine(const TVistal& engine) const {
    if (!TPosition::SameAsEngine(engine)) return false;
    if (JuliaSeed.Re != engine.JuliaSeed().Re) return false;
    if (JuliaSeed.Im != engine.JuliaSeed().Im) return false;
    return true;
}

bool TPositionJulia::SameAs(const TPosition& other) const {
    if (!TPosition::SameAs(other)) return false;
    const TComplex mine = GetJuliaSeed();
    const TComplex theirs = other.GetJuliaSeed();
    if (mine.Re != theirs.Re) return false;
    if (mine.Im != theirs.Im) return false;
    return true;
}

void TPositionJulia::ApplyTo(TVistal& engine) const {
    TPosition::ApplyTo(engine);
    engine.SetJuliaSeed(JuliaSeed);
}

std::unique_ptr<TPosition> CreatePosition(std::uint8_t formulaKind) {
    switch (formulaKind) {
    case fmMandelbrot:
        return std::make_unique<TPositionMandelbrot>();
    case fmJulia:
        return std::make_unique<TPositionJulia>();
    default:
        return std::make_unique<TPosition>();
    }
}

std::unique_ptr<TPosition> CopyPosition(const TPosition& source) {
    auto copy = CreatePosition(source.FormulaKind());
    copy->Assign(source);
    return copy;
}

} // namespace vistal
