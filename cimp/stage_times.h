// Wall time of each stage of one import, for the import benchmark: when the
// environment variable CIMPORT_STAGE_TIMES names a file, the run appends one
// line "preprocess P parse Q mapping M report R" (seconds) to it.  Without
// the variable nothing is measured or written.
#pragma once

#include <chrono>
#include <string>

namespace cimp {

class StageTimes {
public:
    enum Stage { kPreprocess, kParse, kMapping, kReport, kStageCount };

    StageTimes();
    ~StageTimes();
    StageTimes(const StageTimes&) = delete;
    StageTimes& operator=(const StageTimes&) = delete;

    // The time since the previous mark (or the start) is added to stage.
    void Mark(Stage stage);

private:
    using Clock = std::chrono::steady_clock;

    std::string path_;  // empty: not measuring
    Clock::time_point last_;
    double seconds_[kStageCount] = {};
};

}  // namespace cimp
