// SPDX-License-Identifier: GPL-3.0-or-later
// The renderer's progress display on stderr: on a terminal one line redrawn
// in place with a carriage return and ended with a newline; elsewhere (a log
// file, a pipe) plain lines, one at every tenth of the work.
#pragma once

#include <chrono>
#include <iosfwd>
#include <string>

namespace vistal::cli {

// From this share of the work on, the time left is estimated.
inline constexpr double kEstimateFrom = 0.05;

// "[#####...............]  25%    1.3 s" (share done 0..1 and the time since
// the start), with ", 3.9 s left" once kEstimateFrom is done and the work is
// not complete; the label, if any, after two blanks.
std::string FormatProgressLine(double done, double seconds, const std::string& label = {});

// "vistal-render: 30% done (frame 18 of 60), 1.3 s, about 3.0 s left", or
// "vistal-render: 100% done in 4.3 s" at the end.
std::string FormatProgressNote(int percent, double seconds, double done, const std::string& label = {});

enum class TProgressStyle { Bar, Lines };

class TProgressBar {
public:
    // A bar appears only once `delay` seconds have passed, so that quick
    // drawings leave no trace.
    explicit TProgressBar(std::ostream& out, TProgressStyle style = TProgressStyle::Bar, double delay = 0);
    // Shows the share done (0..1) when what the display shows has changed.
    void Update(double done, const std::string& label = {});
    // Shows the final state and ends the display; later calls do nothing.
    void Finish(double done);
    ~TProgressBar();
    TProgressBar(const TProgressBar&) = delete;
    TProgressBar& operator=(const TProgressBar&) = delete;

private:
    double Seconds() const;
    void Show(const std::string& line);

    std::ostream& out_;
    TProgressStyle style_;
    double delay_;
    std::chrono::steady_clock::time_point start_;
    std::string shown_;
    std::string label_;
    int tenthsShown_ = 0;
    bool finished_ = false;
};

} // namespace vistal::cli
