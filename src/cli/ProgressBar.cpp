// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ProgressBar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

namespace vistal::cli {

namespace {

constexpr int kBarWidth = 30;

double Clamp01(double done) {
    if (!(done >= 0)) return 0; // NaN too
    return std::min(done, 1.0);
}

// The time the rest will take at the pace so far.
double SecondsLeft(double done, double seconds) {
    return std::max(seconds, 0.0) * (1 - done) / done;
}

} // namespace

std::string FormatProgressLine(double done, double seconds, const std::string& label) {
    done = Clamp01(done);
    const int percent = static_cast<int>(done * 100); // 100 only when complete
    const int filled = static_cast<int>(done * kBarWidth);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    char tail[96];
    int n = std::snprintf(tail, sizeof tail, "] %3d%% %7.1f s", percent, std::max(seconds, 0.0));
    if (done >= kEstimateFrom && done < 1)
        std::snprintf(tail + n, sizeof tail - n, ", %.1f s left", SecondsLeft(done, seconds));
    std::string line = "[" + bar + tail;
    if (!label.empty()) line += "  " + label;
    return line;
}

std::string FormatProgressNote(int percent, double seconds, double done, const std::string& label) {
    char text[96];
    if (percent >= 100) {
        std::snprintf(text, sizeof text, "100%% done in %.1f s", std::max(seconds, 0.0));
        return std::string("vistal-render: ") + text;
    }
    std::string line = "vistal-render: " + std::to_string(percent) + "% done";
    if (!label.empty()) line += " (" + label + ")";
    std::snprintf(text, sizeof text, ", %.1f s", std::max(seconds, 0.0));
    line += text;
    if (done >= kEstimateFrom) {
        std::snprintf(text, sizeof text, ", about %.1f s left", SecondsLeft(done, seconds));
        line += text;
    }
    return line;
}

TProgressBar::TProgressBar(std::ostream& out, TProgressStyle style, double delay)
    : out_(out), style_(style), delay_(delay), start_(std::chrono::steady_clock::now()) {}

TProgressBar::~TProgressBar() {
    // A drawing that ended early still leaves the cursor on a fresh line.
    if (style_ == TProgressStyle::Bar && !shown_.empty() && !finished_) out_ << '\n' << std::flush;
}

double TProgressBar::Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void TProgressBar::Show(const std::string& line) {
    if (line == shown_) return;
    shown_ = line;
    out_ << '\r' << line << std::flush;
}

void TProgressBar::Update(double done, const std::string& label) {
    if (finished_) return;
    done = Clamp01(done);
    const double seconds = Seconds();
    if (style_ == TProgressStyle::Bar) {
        if (shown_.empty() && seconds < delay_) return;
        Show(FormatProgressLine(done, seconds, label));
        return;
    }
    const int tenths = static_cast<int>(done * 10);
    if (tenths > tenthsShown_ && tenths < 10) {
        tenthsShown_ = tenths;
        out_ << FormatProgressNote(tenths * 10, seconds, done, label) << '\n' << std::flush;
    }
}

void TProgressBar::Finish(double done) {
    if (finished_) return;
    finished_ = true;
    const double seconds = Seconds();
    if (style_ == TProgressStyle::Bar) {
        // A bar that waited for a long drawing and never came stays away.
        if (shown_.empty() && delay_ > 0) return;
        Show(FormatProgressLine(done, seconds));
        out_ << '\n' << std::flush;
        return;
    }
    out_ << FormatProgressNote(static_cast<int>(Clamp01(done) * 100), seconds, done) << '\n' << std::flush;
}

} // namespace vistal::cli
