// One updating line on standard error while a long import runs: the
// structures done so far, the errors counted and the elapsed time.  It is
// shown only when standard error is a terminal, appears once the import has
// run for a while, and is cleared before the summary is printed.
#pragma once

#include <chrono>
#include <cstddef>

namespace cimport_cli {

class ProgressLine {
public:
    // enabled: standard error is a terminal and the user wants progress.
    explicit ProgressLine(bool enabled);
    ~ProgressLine() { Clear(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Count a finished structure or an error; Update redraws when due.
    void CountStructure() { ++structures_; }
    void CountError() { ++errors_; }
    void Update();
    // Removes the line; with stop, it is not drawn again.
    void Clear(bool stop = false);
    // When standard output shares the terminal, a message printed there goes
    // above the line: it is cleared before and drawn again after.
    void BeforeOutput();
    void AfterOutput();

private:
    using Clock = std::chrono::steady_clock;

    void Draw(Clock::time_point now);

    bool enabled_;
    bool sharesTerminal_;
    Clock::time_point start_;
    Clock::time_point nextDraw_;
    long structures_ = 0;
    long errors_ = 0;
    std::size_t shownWidth_ = 0;  // 0 when nothing is on the line
    bool hidden_ = false;         // cleared by BeforeOutput
};

// Whether a progress line should be drawn: standard error is a terminal and
// quiet is off.
bool WantsProgress(bool quiet);

}  // namespace cimport_cli
