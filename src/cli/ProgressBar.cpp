#include "cli/ProgressBar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

namespace vistal::cli {

namespace {
constexpr int kBarWidth = 30;
}

std::string FormatProgressLine(double done, double seconds) {
    if (!(done >= 0)) done = 0; // NaN too
    done = std::min(done, 1.0);
    const int percent = static_cast<int>(done * 100); // 100 only when complete
    const int filled = static_cast<int>(done * kBarWidth);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    char tail[48];
    std::snprintf(tail, sizeof tail, "] %3d%% %7.1f s", percent, std::max(seconds, 0.0));
    return "[" + bar + tail;
}

TProgressBar::TProgressBar(std::ostream& out) : out_(out), start_(std::chrono::steady_clock::now()) {}

TProgressBar::~TProgressBar() {
    // A drawing that ended early still leaves the cursor on a fresh line.
    if (!shown_.empty() && !finished_) out_ << '\n' << std::flush;
}

double TProgressBar::Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void TProgressBar::Show(const std::string& line) {
    if (line == shown_) return;
    shown_ = line;
    out_ << '\r' << line << std::flush;
}

void TProgressBar::Update(double done) {
    if (!finished_) Show(FormatProgressLine(done, Seconds()));
}

void TProgressBar::Finish(double done) {
    if (finished_) return;
    Show(FormatProgressLine(done, Seconds()));
    out_ << '\n' << std::flush;
    finished_ = true;
}

} // namespace vistal::cli
