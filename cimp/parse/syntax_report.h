// The syntax-error report written to the diagnostics file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cimp/text_file.h"

namespace cimp::parse {

class SyntaxReport {
public:
    explicit SyntaxReport(TextFile& out) : out_(out) {}

    // The location line, the actual token and the tokens that could have been
    // shifted (codes in increasing order), wrapped at 78 columns.
    void WriteSyntaxError(int32_t errorNumber, int32_t line, std::string_view text, int32_t lookahead,
                          const std::vector<int32_t>& expected);
    void WriteStackOverflow();

private:
    void WriteExpected(const std::string& name);
    // Writes text and returns how many characters it holds.
    int32_t Put(const std::string& text);

    TextFile& out_;
    int32_t column_ = 0;
    int32_t namesOnLine_ = 0;
};

}  // namespace cimp::parse
