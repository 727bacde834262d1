#include "progress_line.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform.h"

namespace cimport_cli {

namespace {

// How long an import runs before the line appears, and how often it is
// redrawn after that.  CIMPORT_PROGRESS_AFTER (seconds) overrides the first.
constexpr double kDefaultDelaySeconds = 1.0;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

std::chrono::steady_clock::duration FirstDrawDelay() {
    double seconds = kDefaultDelaySeconds;
    if (const char* text = std::getenv("CIMPORT_PROGRESS_AFTER")) {
        char* end = nullptr;
        const double value = std::strtod(text, &end);
        if (end != text && value >= 0) seconds = value;
    }
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(seconds));
}

}  // namespace

ProgressLine::ProgressLine(bool enabled)
    : enabled_(enabled),
      sharesTerminal_(enabled && IsTerminal(stdout)),
      start_(Clock::now()),
      nextDraw_(start_ + FirstDrawDelay()) {}

void ProgressLine::Update() {
    if (!enabled_) return;
    const Clock::time_point now = Clock::now();
    if (now < nextDraw_) return;
    nextDraw_ = now + kRedrawInterval;
    Draw(now);
}

void ProgressLine::Draw(Clock::time_point now) {
    const double seconds = std::chrono::duration<double>(now - start_).count();
    char text[96];
    const int length =
        std::snprintf(text, sizeof text, "%ld structures done, %ld errors, %.1f s", structures_, errors_, seconds);
    const std::size_t width = length > 0 ? static_cast<std::size_t>(length) : 0;
    // Padding covers what a longer line before left behind.
    std::fprintf(stderr, "\r%s%*s", text, static_cast<int>(shownWidth_ > width ? shownWidth_ - width : 0), "");
    std::fflush(stderr);
    shownWidth_ = std::max(shownWidth_, width);
}

void ProgressLine::Clear(bool stop) {
    if (shownWidth_ > 0) {
        std::fprintf(stderr, "\r%*s\r", static_cast<int>(shownWidth_), "");
        std::fflush(stderr);
        shownWidth_ = 0;
    }
    if (stop) enabled_ = false;
}

void ProgressLine::BeforeOutput() {
    if (!sharesTerminal_ || shownWidth_ == 0) return;
    Clear();
    hidden_ = true;
}

void ProgressLine::AfterOutput() {
    if (!hidden_) return;
    hidden_ = false;
    std::fflush(stdout);
    if (enabled_) Draw(Clock::now());
}

bool WantsProgress(bool quiet) { return !quiet && IsTerminal(stderr); }

}  // namespace cimport_cli
