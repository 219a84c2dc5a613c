// SPDX-License-Identifier: GPL-3.0-or-later
// The lane engine in plain C++: the same algorithm on every processor, 4 lanes
// of ordinary doubles (the compiler may vectorise them with the baseline set).
#include "engine/kernels/KernelLanes.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

namespace vistal::lanes {
namespace {
namespace generic {

struct V {
    static constexpr int W = 4;
    static constexpr int InFlight = 2;
    struct D {
        double v[W];
    };
    using M = unsigned;
    static void Opaque(const double*&) {}
    static D Zero() { return D{}; }
    static D Set1(double x) { return D{{x, x, x, x}}; }
    static D Load(const double* p) {
        D r;
        std::memcpy(r.v, p, sizeof r.v);
        return r;
    }
    static void Store(double* p, const D& a) { std::memcpy(p, a.v, sizeof a.v); }
    static D Add(const D& a, const D& b) {
        D r;
        for (int l = 0; l < W; ++l)
            r.v[l] = a.v[l] + b.v[l];
        return r;
    }
    static D Sub(const D& a, const D& b) {
        D r;
        for (int l = 0; l < W; ++l)
            r.v[l] = a.v[l] - b.v[l];
        return r;
    }
    static D Mul(const D& a, const D& b) {
        D r;
        for (int l = 0; l < W; ++l)
            r.v[l] = a.v[l] * b.v[l];
        return r;
    }
    static M Ge(const D& a, const D& b) {
        M m = 0;
        for (int l = 0; l < W; ++l)
            m |= static_cast<M>(a.v[l] >= b.v[l]) << l;
        return m;
    }
    static M Same(const D& re, const D& im, const double* pr, const double* pi) {
        M m = 0;
        for (int l = 0; l < W; ++l)
            m |=
                static_cast<M>(std::bit_cast<std::uint64_t>(re.v[l]) == std::bit_cast<std::uint64_t>(pr[l]) &&
                               std::bit_cast<std::uint64_t>(im.v[l]) == std::bit_cast<std::uint64_t>(pi[l]))
                << l;
        return m;
    }
    static M None() { return 0; }
    static M FromBits(unsigned bits) { return bits; }
    static D Blend(const D& a, const D& b, M m) {
        D r;
        for (int l = 0; l < W; ++l)
            r.v[l] = (m >> l & 1u) ? b.v[l] : a.v[l];
        return r;
    }
    // v with lane l set to x.
    static D Insert(D v, int l, double x) {
        v.v[l] = x;
        return v;
    }
    static M Or(M a, M b) { return a | b; }
    static bool Any(M m) { return m != 0; }
    static unsigned Bits(M m) { return m; }
    static void Fill(std::int64_t* p, std::int64_t x) {
        for (int l = 0; l < W; ++l)
            p[l] = x;
    }
    // The lanes m start a new orbit at `step`: their window mask, the step and
    // the z saved.
    static void Restart(M m, std::int64_t step, std::int64_t window, std::int64_t* windowMask,
                        std::int64_t* savedAt, double* savedRe, double* savedIm, const D& re, const D& im) {
        for (int l = 0; l < W; ++l) {
            if (!(m >> l & 1u)) continue;
            windowMask[l] = window;
            savedAt[l] = step;
            savedRe[l] = re.v[l];
            savedIm[l] = im.v[l];
        }
    }
    static void Save(std::int64_t step, M skip, std::int64_t* windowMask, std::int64_t* savedAt,
                     double* savedRe, double* savedIm, const D& re, const D& im) {
        for (int l = 0; l < W; ++l) {
            if ((skip >> l & 1u) || (step & windowMask[l]) != 0) continue;
            savedRe[l] = re.v[l];
            savedIm[l] = im.v[l];
            savedAt[l] = step;
            if ((step & (windowMask[l] * 4 + 3)) == 0) windowMask[l] = windowMask[l] * 2 + 1;
        }
    }
};

#include "engine/kernels/KernelLanes.inc"

} // namespace generic
} // namespace

TLaneEngine GenericLanes() {
    return &generic::Run;
}

} // namespace vistal::lanes
