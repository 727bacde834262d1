#include "source_places.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "line_text.h"

namespace cimport_cli {

namespace {

constexpr std::string_view kMarkerStart = "/*#line";

}  // namespace

SourcePlaces::SourcePlaces(const std::string& preprocessed, std::string copyName, std::vector<int32_t> copyLines,
                           std::string header)
    : copyName_(std::move(copyName)), copyLines_(std::move(copyLines)), header_(std::move(header)) {
    int32_t line = 0;
    for (const std::string_view text : SplitLines(preprocessed)) {
        ++line;
        if (!text.starts_with(kMarkerStart)) continue;
        const std::size_t open = text.find('"');
        const std::size_t close = text.rfind('"');
        if (open != std::string_view::npos && close > open) {
            const int32_t number = std::atoi(std::string(text.substr(kMarkerStart.size())).c_str());
            markers_.push_back({line, number, std::string(text.substr(open + 1, close - open - 1))});
        }
    }
}

SourcePlace SourcePlaces::Of(int32_t preprocessedLine) const {
    const auto after = std::upper_bound(markers_.begin(), markers_.end(), preprocessedLine,
                                        [](int32_t line, const Marker& marker) { return line <= marker.at; });
    if (after == markers_.begin()) return {header_, preprocessedLine};
    const Marker& marker = *(after - 1);
    const int32_t line = marker.line + (preprocessedLine - marker.at - 1);
    if (marker.file != copyName_) return {marker.file, line};
    if (line < 1 || copyLines_.empty()) return {header_, 0};
    const std::size_t index = static_cast<std::size_t>(line) - 1;
    if (index < copyLines_.size()) return {header_, copyLines_[index]};
    // Past the copy's last line, as the end of the input is counted: past the header's.
    return {header_, copyLines_.back() + static_cast<int32_t>(index - copyLines_.size() + 1)};
}

}  // namespace cimport_cli
