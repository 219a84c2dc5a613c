// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ZoomSequence.h"

#include <algorithm>
#include <cmath>

namespace vistal::cli {

TZoomView ZoomFrameView(const TZoomView& start, const TZoomView& target, int k, int n) {
    if (k <= 0) return start;
    if (k >= n - 1) return target;
    const double t = static_cast<double>(k) / (n - 1);
    const double span = start.Span * std::pow(target.Span / start.Span, t);
    const double scale = (1 - t) * span / start.Span;
    return {{target.Center.Re + (start.Center.Re - target.Center.Re) * scale,
             target.Center.Im + (start.Center.Im - target.Center.Im) * scale},
            span};
}

TDeepPosition DeepZoomFrameView(const TDeepPosition& start, const TDeepPosition& target, int k, int n,
                                int height) {
    if (k <= 0) return start;
    if (k >= n - 1) return target;
    const double t = static_cast<double>(k) / (n - 1);
    // span(t) = s0 · (s1 ÷ s0)^t, through logarithms: spans of any size.
    const double log2Span = start.Span.Log2() + t * (target.Span.Log2() - start.Span.Log2());
    const double whole = std::floor(log2Span);
    const TFloatExp span = TFloatExp::Make(std::exp2(log2Span - whole), static_cast<std::int64_t>(whole));
    const TFloatExp scale = TFloatExp::FromDouble(1 - t) * span / start.Span;
    TDeepPosition v;
    v.Span = span;
    const long bits = TDeepPosition::BitsFor(span, height);
    v.Re.SetBits(bits);
    v.Im.SetBits(bits);
    TMpfr offset(std::max({start.Re.Bits(), start.Im.Bits(), target.Re.Bits(), target.Im.Bits(), bits}) + 64);
    offset.Sub(start.Re, target.Re);
    offset.Mul(offset, scale);
    v.Re.Add(target.Re, offset);
    offset.Sub(start.Im, target.Im);
    offset.Mul(offset, scale);
    v.Im.Add(target.Im, offset);
    return v;
}

namespace {

// A conversion at pattern[at] == '%': its length, the zero flag and the
// width; length 0 when it is not one of "%d", "%0Nd", "%Nd" (N of 1..2 digits).
struct TConversion {
    std::size_t length = 0;
    bool zero = false;
    int width = 0;
};

TConversion ConversionAt(const std::string& pattern, std::size_t at) {
    TConversion c;
    std::size_t i = at + 1;
    if (i < pattern.size() && pattern[i] == '0') {
        c.zero = true;
        ++i;
    }
    std::size_t digits = 0;
    while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9' && digits < 3) {
        c.width = c.width * 10 + (pattern[i] - '0');
        ++i;
        ++digits;
    }
    if (digits > 2 || (c.zero && digits == 0) || i >= pattern.size() || pattern[i] != 'd') return {};
    c.length = i + 1 - at;
    return c;
}

} // namespace

std::string CheckFramePattern(const std::string& pattern) {
    int conversions = 0;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] != '%') continue;
        if (at + 1 < pattern.size() && pattern[at + 1] == '%') {
            ++at;
            continue;
        }
        const TConversion c = ConversionAt(pattern, at);
        if (c.length == 0) return "'" + pattern + "' has a '%' that is neither %d, %0Nd (N up to 99) nor %%";
        ++conversions;
        at += c.length - 1;
    }
    if (conversions == 0) return "'" + pattern + "' has no frame number (such as %05d) for --frames";
    if (conversions > 1) return "'" + pattern + "' has more than one frame number";
    return {};
}

std::vector<int> SelectFrames(int first, int last, int shard, int shards) {
    std::vector<int> frames;
    for (long long k = first + shard - 1; k <= last; k += shards)
        frames.push_back(static_cast<int>(k));
    return frames;
}

std::string FrameFileName(const std::string& pattern, int frame) {
    std::string out;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] != '%') {
            out += pattern[at];
        } else if (at + 1 < pattern.size() && pattern[at + 1] == '%') {
            out += '%';
            ++at;
        } else {
            const TConversion c = ConversionAt(pattern, at);
            std::string digits = std::to_string(frame < 0 ? -static_cast<long long>(frame) : frame);
            const std::string sign = frame < 0 ? "-" : "";
            const std::size_t width = static_cast<std::size_t>(c.width);
            if (c.zero && sign.size() + digits.size() < width)
                digits.insert(0, width - sign.size() - digits.size(), '0');
            std::string number = sign + digits;
            if (number.size() < width) number.insert(0, width - number.size(), ' ');
            out += number;
            at += (c.length == 0 ? 1 : c.length) - 1;
        }
    }
    return out;
}

} // namespace vistal::cli
