// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/UPosition.h"
#include "engine/UStack.h"
#include "engine/vistal_class.h"

#include <gtest/gtest.h>

using namespace vistal;

namespace {

std::unique_ptr<TPosition> Mandelbrot(double re, double im, int pow, double span) {
    auto p = std::make_unique<TPositionMandelbrot>();
    p->Center = {re, im};
    p->Pow = pow;
    p->ImSpan = span;
    return p;
}

std::unique_ptr<TPositionJulia> Julia(double re, double im, int pow, double span, TComplex seed) {
    auto p = std::make_unique<TPositionJulia>();
    p->Center = {re, im};
    p->Pow = pow;
    p->ImSpan = span;
    p->JuliaSeed = seed;
    return p;
}

// Counts live instances, to see that the stack frees what it owns.
struct TCountedPosition : TPositionMandelbrot {
    explicit TCountedPosition(int& live) : live_(live) { ++live_; }
    ~TCountedPosition() override { --live_; }
    int& live_;
};

} // namespace

TEST(Position, NewPositionsAreZeroAndKnowTheirKind) {
    TPosition base;
    EXPECT_EQ(base.Center, (TComplex{0, 0}));
    EXPECT_EQ(base.Pow, 0);
    EXPECT_EQ(base.ImSpan, 0.0);
    EXPECT_EQ(base.FormulaKind(), 0);
    EXPECT_EQ(TPositionMandelbrot().FormulaKind(), fmMandelbrot);
    EXPECT_EQ(TPositionJulia().FormulaKind(), fmJulia);
    EXPECT_EQ(TPositionJulia().JuliaSeed, (TComplex{0, 0}));
    EXPECT_EQ(CreatePosition(7)->FormulaKind(), 0);
    EXPECT_EQ(CreatePosition(fmJulia)->FormulaKind(), fmJulia);
}

TEST(Position, JuliaSeedOnlyOnJuliaPositions) {
    TPosition base;
    TPositionMandelbrot m;
    EXPECT_THROW(base.GetJuliaSeed(), EAbort);
    EXPECT_THROW(base.SetJuliaSeed({1, 2}), EAbort);
    EXPECT_THROW(m.GetJuliaSeed(), EAbort);
    EXPECT_THROW(m.SetJuliaSeed({1, 2}), EAbort);
    TPositionJulia j;
    j.SetJuliaSeed({0.25, -0.5});
    EXPECT_EQ(j.GetJuliaSeed(), (TComplex{0.25, -0.5}));
}

TEST(Position, ReadFromAndSameAsEngine) {
    TVistal e;
    e.SetFormula(fmJulia);
    e.SetCenter({-0.8, 0});
    e.SetPow(2);
    e.SetImSpan(3);
    e.SetJuliaSeed({0.3, 0.5});

    // The engine's formula is not compared.
    auto m = Mandelbrot(-0.8, 0, 2, 3);
    EXPECT_TRUE(m->SameAsEngine(e));

    TPositionJulia j;
    j.ReadFrom(e);
    EXPECT_EQ(j.Center, (TComplex{-0.8, 0}));
    EXPECT_EQ(j.Pow, 2);
    EXPECT_EQ(j.ImSpan, 3.0);
    EXPECT_EQ(j.JuliaSeed, (TComplex{0.3, 0.5}));
    EXPECT_TRUE(j.SameAsEngine(e));
    j.JuliaSeed.Im = 0.5000000000000001; // differs only in the imaginary part of the seed
    EXPECT_FALSE(j.SameAsEngine(e));

    // Exact comparison: no tolerance.
    m->ImSpan = 3.0000000000000004;
    EXPECT_FALSE(m->SameAsEngine(e));
    m->ImSpan = 3;
    m->Pow = 3;
    EXPECT_FALSE(m->SameAsEngine(e));
}

TEST(Position, SameAsAcrossClasses) {
    auto j = Julia(0, 0, 2, 4, {0.1, 0.2});
    auto m = Mandelbrot(0, 1, 2, 4);
    EXPECT_FALSE(j->SameAs(*m)); // different centres: decided before the seed is asked for
    m->Center = {0, 0};
    EXPECT_THROW(j->SameAs(*m), EAbort);
    EXPECT_TRUE(m->SameAs(*j)); // the base comparison ignores the class

    auto j2 = Julia(0, 0, 2, 4, {0.1, 0.2});
    EXPECT_TRUE(j->SameAs(*j2));
    j2->JuliaSeed.Re = 0.10000000000000002;
    EXPECT_FALSE(j->SameAs(*j2));
}

TEST(Position, AssignAndCopy) {
    auto source = Julia(1, 2, 3, 4, {5, 6});
    TPositionJulia j;
    j.Assign(*source);
    EXPECT_TRUE(j.SameAs(*source));
    EXPECT_EQ(j.JuliaSeed, (TComplex{5, 6}));

    // From a Mandelbrot source the common fields arrive before the abort.
    TPositionJulia k;
    EXPECT_THROW(k.Assign(*Mandelbrot(7, 8, 9, 10)), EAbort);
    EXPECT_EQ(k.Center, (TComplex{7, 8}));
    EXPECT_EQ(k.Pow, 9);
    EXPECT_EQ(k.ImSpan, 10.0);

    auto copy = CopyPosition(*source);
    EXPECT_EQ(copy->FormulaKind(), fmJulia);
    EXPECT_EQ(copy->GetJuliaSeed(), (TComplex{5, 6}));
    EXPECT_TRUE(copy->SameAs(*source));
}

TEST(Position, ApplyTo) {
    TVistal e;
    auto m = Mandelbrot(0.25, -0.125, 3, -2);
    m->ApplyTo(e);
    EXPECT_EQ(e.Center(), (TComplex{0.25, -0.125}));
    EXPECT_EQ(e.Pow(), 3);
    EXPECT_EQ(e.ImSpan(), 2.0); // stored as its absolute value

    // A Julia position applied to a Mandelbrot engine: geometry first, then the abort.
    auto j = Julia(1, 1, 4, 0.5, {0.3, 0.4});
    EXPECT_THROW(j->ApplyTo(e), EAbort);
    EXPECT_EQ(e.Center(), (TComplex{1, 1}));
    EXPECT_EQ(e.Pow(), 4);
    EXPECT_EQ(e.ImSpan(), 0.5);

    e.SetFormula(fmJulia);
    j->ApplyTo(e);
    EXPECT_EQ(e.JuliaSeed(), (TComplex{0.3, 0.4}));
    EXPECT_TRUE(j->SameAsEngine(e));
}

TEST(Stack, HasItemsFromTwoEntriesOn) {
    TStack s;
    EXPECT_FALSE(s.HasItems());
    EXPECT_THROW(s.Pop(), EAbort);
    s.Push(Mandelbrot(1, 0, 2, 3));
    EXPECT_FALSE(s.HasItems());
    EXPECT_THROW(s.Pop(), EAbort);
    EXPECT_THROW(s.Peek(), EAbort);
    EXPECT_EQ(s.Count(), 1u); // the entry stays
    s.Push(Mandelbrot(2, 0, 2, 3));
    EXPECT_TRUE(s.HasItems());
    EXPECT_EQ(s.Peek().Center.Re, 2.0);
    EXPECT_EQ(s.Count(), 2u);
    EXPECT_THROW(s.Push(nullptr), std::invalid_argument);
}

TEST(Stack, PopsInReverseOrder) {
    TStack s;
    s.Push(Mandelbrot(1, 0, 2, 3));
    s.Push(Julia(2, 0, 2, 3, {0.5, 0}));
    s.Push(Mandelbrot(3, 0, 2, 3));
    std::unique_ptr<TPosition> third = s.Pop();
    EXPECT_EQ(third->Center.Re, 3.0);
    std::unique_ptr<TPosition> second = s.Pop();
    EXPECT_EQ(second->Center.Re, 2.0);
    EXPECT_EQ(second->FormulaKind(), fmJulia);
    EXPECT_FALSE(s.HasItems());
    EXPECT_EQ(s.Count(), 1u);
}

TEST(Stack, FreesWhatItOwns) {
    int live = 0;
    {
        TStack s;
        for (int i = 0; i < 3; ++i)
            s.Push(std::make_unique<TCountedPosition>(live));
        EXPECT_EQ(live, 3);
        {
            std::unique_ptr<TPosition> popped = s.Pop(); // the caller owns it now
            EXPECT_EQ(live, 3);
        }
        EXPECT_EQ(live, 2);
    }
    EXPECT_EQ(live, 0);
}
