// Small readers of header text line by line, shared by the scans of the
// command that look at directives without running the preprocessor.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace cimport_cli {

inline bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// Where the line that starts at start ends, before its line end; end of text
// when it has none.
inline std::size_t LineEnd(const std::string& text, std::size_t start) {
    std::size_t end = std::min(text.find('\n', start), text.size());
    if (end > start && text[end - 1] == '\r') --end;
    return end;
}

// The lines of a text, without their line ends.
inline std::vector<std::string_view> SplitLines(const std::string& text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = LineEnd(text, start);
        lines.emplace_back(text.data() + start, end - start);
        start = std::min(text.find('\n', end), text.size()) + 1;
    }
    return lines;
}

}  // namespace cimport_cli
