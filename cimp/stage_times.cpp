#include "cimp/stage_times.h"

#include <cstdio>
#include <cstdlib>

namespace cimp {

StageTimes::StageTimes() {
    const char* path = std::getenv("CIMPORT_STAGE_TIMES");
    if (path != nullptr) path_ = path;
    if (!path_.empty()) last_ = Clock::now();
}

void StageTimes::Mark(Stage stage) {
    if (path_.empty()) return;
    const Clock::time_point now = Clock::now();
    seconds_[stage] += std::chrono::duration<double>(now - last_).count();
    last_ = now;
}

StageTimes::~StageTimes() {
    if (path_.empty()) return;
    std::FILE* file = std::fopen(path_.c_str(), "a");
    if (file == nullptr) return;
    std::fprintf(file, "preprocess %.4f parse %.4f mapping %.4f report %.4f\n", seconds_[kPreprocess],
                 seconds_[kParse], seconds_[kMapping], seconds_[kReport]);
    std::fclose(file);
}

}  // namespace cimp
