#include "cimp/parse/syntax_report.h"

#include "cimp/parse/token_name.h"

namespace cimp::parse {
namespace {

constexpr int32_t kReportWidth = 78;

}  // namespace

void SyntaxReport::WriteSyntaxError(int32_t errorNumber, int32_t line, std::string_view text, int32_t lookahead,
                                    const std::vector<int32_t>& expected) {
    if (column_ != 0) Put("\n");
    std::string location = "[error " + std::to_string(errorNumber) + "] line " + std::to_string(line);
    if (!text.empty()) location += "  near \"" + std::string(text) + "\"";
    Put(location + ": syntax error\n");
    column_ = Put("actual: " + TokenName(lookahead) + " " + std::string(text));
    namesOnLine_ = 0;
    for (const int32_t code : expected) WriteExpected(TokenName(code));
    Put("\n");
    column_ = 0;
    namesOnLine_ = 0;
    Put("\n");
}

void SyntaxReport::WriteExpected(const std::string& name) {
    const auto length = static_cast<int32_t>(name.size());
    if (namesOnLine_++ == 0) {
        if (length + column_ + 5 < kReportWidth) {
            column_ += Put("  expecting: " + name);
        } else {
            column_ = Put("\nexpecting: " + name) - 1;
        }
    } else if (length + column_ < kReportWidth) {
        column_ += Put(", " + name);
    } else {
        column_ = Put(",\n    " + name) - 1;
    }
}

void SyntaxReport::WriteStackOverflow() { Put("payacc stack overflow\n"); }

int32_t SyntaxReport::Put(const std::string& text) {
    out_.Write(text);
    return static_cast<int32_t>(text.size());
}

}  // namespace cimp::parse
