// The renderer's progress bar: one line on a terminal stream, redrawn in place
// with a carriage return and ended with a newline.
#pragma once

#include <chrono>
#include <iosfwd>
#include <string>

namespace vistal::cli {

// "[#####...............]  25%    1.3 s": the share done (0..1) and the time
// since the drawing started.
std::string FormatProgressLine(double done, double seconds);

class TProgressBar {
public:
    explicit TProgressBar(std::ostream& out);
    // Redraws the line when what it shows has changed.
    void Update(double done);
    // Shows the final state and ends the line; later calls do nothing.
    void Finish(double done);
    ~TProgressBar();
    TProgressBar(const TProgressBar&) = delete;
    TProgressBar& operator=(const TProgressBar&) = delete;

private:
    double Seconds() const;
    void Show(const std::string& line);

    std::ostream& out_;
    std::chrono::steady_clock::time_point start_;
    std::string shown_;
    bool finished_ = false;
};

} // namespace vistal::cli
