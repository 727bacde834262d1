// Small readers of header text line by line, shared by the scans of the
// command that look at directives without running the preprocessor.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>

namespace cimport_cli {

inline bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// Where the line that starts at start ends, before its line end; end of text
// when it has none.
inline std::size_t LineEnd(const std::string& text, std::size_t start) {
    std::size_t end = std::min(text.find('\n', start), text.size());
    if (end > start && text[end - 1] == '\r') --end;
    return end;
}

}  // namespace cimport_cli
