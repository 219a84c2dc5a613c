// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom sequences: the views of N frames from a start view to a target view,
// and the names of their files.
#pragma once

#include "base/DeepPosition.h"
#include "base/UType.h"

#include <string>
#include <vector>

namespace vistal::cli {

struct TZoomView {
    TComplex Center;
    double Span; // ImSpan
};

// The view of frame k of n (0 ≤ k < n, n ≥ 2), t = k ÷ (n − 1). The span
// changes geometrically, span(t) = s0 · (s1 ÷ s0)^t, so every frame zooms by
// the same factor. The target point T moves on the screen along a straight
// line from where it is in the start view to the centre, at an even pace:
// its offset from the centre, in pixels, is (1 − t) times its offset in the
// start view. That fixes the centre:
//
//     centre(t) = T + (c0 − T) · (1 − t) · span(t) ÷ s0.
//
// The first frame is the start view and the last the target view, exactly.
TZoomView ZoomFrameView(const TZoomView& start, const TZoomView& target, int k, int n);
// The same for positions of any depth, computed with MPFR to the bits a
// picture of `height` pixels of the frame needs.
TDeepPosition DeepZoomFrameView(const TDeepPosition& start, const TDeepPosition& target, int k, int n,
                                int height);

// The frames one run draws of a sequence, numbered as in the whole sequence:
// first..last, and of these the shard-th, the (shard + shards)-th
// and so on (shard counted from 1). Runs that share the shards of one range
// draw every frame of it exactly once.
std::vector<int> SelectFrames(int first, int last, int shard, int shards);

// Empty when the pattern names frame files: exactly one conversion "%d" with
// an optional flag "0" and a width of 1 or 2 digits ("%05d"), any number of
// "%%" for a percent sign, and no other "%". Otherwise why not.
std::string CheckFramePattern(const std::string& pattern);

// The file name of a frame: the pattern with its conversion replaced by the
// number as printf would write it, and "%%" by "%". Only for a pattern that
// CheckFramePattern accepts.
std::string FrameFileName(const std::string& pattern, int frame);

} // namespace vistal::cli
