// Exact texts of the syntax-error report and the summary line.
#include <gtest/gtest.h>

#include <string>

#include "parse_fixture.h"

namespace cimp::parse {
namespace {

struct ReportCase {
    const char* name;
    std::string text;
    std::string diagnostics;  // raw bytes of "errorfile.err" (CR LF line ends)
};

class SyntaxReports : public ::testing::TestWithParam<ReportCase> {};

TEST_P(SyntaxReports, WritesTheReport) {
    test::ParseOutcome outcome;
    test::ParseText(GetParam().text, outcome);
    EXPECT_EQ(outcome.diagnostics, GetParam().diagnostics);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SyntaxReports,
    ::testing::Values(
        ReportCase{"Clean", "struct A { int a; };", "No syntax errors found during parse.\r\r\n"},
        ReportCase{"PragmaOnLine12", std::string(11, '\n') + "#pragma pack(1)\nstruct A { int a; };\n",
                   "[error 1] line 12  near \"pack\": syntax error\r\n"
                   "actual: IDENTIFIER pack  expecting: SEMICOLON, LC, auto, double, int, struct,\r\n"
                   "    long, enum, register, typedef, char, extern, union, const, float, short,\r\n"
                   "    UNSIGNED, signed, void, volatile, static, class, virtual, friend, inline,\r\n"
                   "    overload, IDENTIFIER\r\n"
                   "\r\n"
                   "1 error found during parse.\r\n"},
        ReportCase{"EndOfFile", "struct A { int x; }",
                   "[error 1] line 1: syntax error\r\n"
                   "actual: [end of file]   expecting: (, POINTER, SEMICOLON, operator, IDENTIFIER,\r\n"
                   "    IDENTIFIER\r\n"
                   "\r\n"
                   "1 error found during parse.\r\n"},
        ReportCase{"AfterComments", "/* one\n two */ int a;\n// three\nint b c;", "[error 1] line 4  near \"c\": syntax error\r\n"
                   "actual: IDENTIFIER c  expecting: COMMA, SEMICOLON\r\n"
                   "\r\n"
                   "1 error found during parse.\r\n"},
        ReportCase{"FirstNameWrapsAtOnce", "int v " + std::string(70, 'w') + ";",
                   "[error 1] line 1  near \"" + std::string(70, 'w') + "\": syntax error\r\n"
                   "actual: IDENTIFIER " + std::string(70, 'w') + "\r\n"
                   "expecting: COMMA, SEMICOLON\r\n"
                   "\r\n"
                   "1 error found during parse.\r\n"},
        // End of input is accepted there, not shifted, so it is not listed.
        ReportCase{"AfterCompleteDeclarations", "struct A { int a; }; }",
                   "[error 1] line 1  near \"}\": syntax error\r\n"
                   "actual: RC }  expecting: (, POINTER, auto, double, int, struct, long, enum,\r\n"
                   "    register, typedef, char, extern, union, const, float, short, UNSIGNED,\r\n"
                   "    signed, void, volatile, static, operator, class, virtual, friend, inline,\r\n"
                   "    overload, IDENTIFIER, IDENTIFIER\r\n"
                   "\r\n"
                   "1 error found during parse.\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cimp::parse
