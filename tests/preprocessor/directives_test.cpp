// Directives: what each leaves in the output, conditional nesting and
// skipping, #elif chains, #line, #error, #pragma and unknown directives.
#include <string>

#include "pp_test_util.h"

namespace pp_test {
namespace {

struct DirectiveCase {
    const char* label;
    const char* source;
    const char* text;         // the output without line markers
    const char* diagnostics;  // the whole of "errorfile.err"
};

class DirectiveTest : public PreprocessorTest, public ::testing::WithParamInterface<DirectiveCase> {};

TEST_P(DirectiveTest, OutputAndDiagnostics) {
    const DirectiveCase& c = GetParam();
    ASSERT_EQ(Preprocess(c.source), 0) << c.label;
    EXPECT_EQ(Text(), c.text) << c.label;
    EXPECT_EQ(Diagnostics(), c.diagnostics) << c.label;
}

std::string Label(const ::testing::TestParamInfo<DirectiveCase>& info) { return info.param.label; }

INSTANTIATE_TEST_SUITE_P(Conditionals, DirectiveTest, ::testing::Values(
    DirectiveCase{"IfTrue", "#if 1\na\n#endif\n", "\na\n\n", ""},
    DirectiveCase{"IfFalse", "#if 0\na\n#endif\nb\n", "\n\n\nb\n", ""},
    DirectiveCase{"Ifdef", "#define A\n#ifdef A\na\n#endif\n#ifndef A\nb\n#endif\n", "\n\na\n\n\n\n\n", ""},
    DirectiveCase{"IfdefBuiltin", "#ifdef __LINE__\na\n#endif\n#ifdef __STDC__\nb\n#endif\n", "\na\n\n\n\n\n", ""},
    DirectiveCase{"IfdefSyntax", "#ifdef A B\na\n#endif\n#ifndef\nb\n#endif\n", "\n\n\n\n\n\n",
                  "Syntax error in #ifdef/#ifndef\nSyntax error in #ifdef/#ifndef\n"},
    DirectiveCase{"ElifChainFirst", "#if 1\na\n#elif 1\nb\n#else\nc\n#endif\n", "\na\n\n\n\n\n\n", ""},
    DirectiveCase{"ElifChainSecond", "#if 0\na\n#elif 1\nb\n#elif 1\nc\n#else\nd\n#endif\n",
                  "\n\n\nb\n\n\n\n\n\n", ""},
    DirectiveCase{"ElifChainElse", "#if 0\na\n#elif 0\nb\n#else\nc\n#endif\n", "\n\n\n\n\nc\n\n", ""},
    DirectiveCase{"ElifEvaluatedAfterTaken", "#if 1\na\n#elif 1/0\nb\n#endif\n", "\na\n\n\n\n",
                  "Undefined expression value\n"},
    DirectiveCase{"NestedInSkipped", "#if 0\n#if 1\na\n#else\nb\n#endif\nc\n#else\nd\n#endif\n",
                  "\n\n\n\n\n\n\n\nd\n\n", ""},
    DirectiveCase{"NestedTaken", "#if 1\n#if 0\na\n#elif 1\nb\n#endif\nc\n#endif\n", "\n\n\n\nb\n\nc\n\n", ""},
    DirectiveCase{"SkippedElifOfInnerIgnored", "#if 0\n#if 0\n#elif 1\na\n#endif\n#endif\nb\n",
                  "\n\n\n\n\n\nb\n", ""},
    DirectiveCase{"SkippedGroupHoldsAnything", "#define FOO 1\n#if 0\n#FOO\n#bar\n#error no\n#else\nx\n#endif\n",
                  "\n\n\n\n\n\nx\n\n", "Unknown preprocessor control bar\n"},
    DirectiveCase{"ElifWithoutIf", "#elif 1\na\n", "#elif 1\na\n", "#elif with no #if\n"},
    DirectiveCase{"ElseWithoutIf", "#else\na\n", "#else\na\n", "#else with no #if\n"},
    DirectiveCase{"EndifWithoutIf", "#endif\na\n", "#endif\na\n", "#endif with no #if\n"},
    DirectiveCase{"ElseAfterElse", "#if 0\n#else\na\n#else\nb\n#endif\n", "\n\na\n\n\n\n", "#else after #else\n"},
    DirectiveCase{"ElifAfterElse", "#if 0\n#else\na\n#elif 1\nb\n#endif\n", "\n\na\n\n\n\n", "#elif after #else\n"},
    DirectiveCase{"ElseWithText", "#if 0\n#else junk\na\n#endif\n", "\n\na\n\n", "Syntax error in #else\n"},
    DirectiveCase{"EndifWithText", "#if 1\n#endif junk\na\n", "\n\na\n", "Syntax error in #endif\n"},
    DirectiveCase{"Unterminated", "#if 1\na\n", "\na\n", "Unterminated #if/#ifdef/#ifndef\n"}),
    Label);

INSTANTIATE_TEST_SUITE_P(Others, DirectiveTest, ::testing::Values(
    DirectiveCase{"DefineAndUndefLeaveEmptyLines", "#define A 1\nA\n#undef A\nA\n", "\n 1\n\nA\n", ""},
    DirectiveCase{"PragmaPassesUnexpanded", "#define pack x\n#pragma pack(1)\n", "\n#pragma pack(1)\n", ""},
    DirectiveCase{"UnknownDirectivePasses", "#ident \"x\"\n", "#ident \"x\"\n", "Unknown preprocessor control ident\n"},
    DirectiveCase{"MacroNameAsDirective", "#define FOO 1\n#FOO\n", "\n#FOO\n", "Unknown preprocessor control FOO\n"},
    DirectiveCase{"LoneHash", "#\na\n", "#\na\n", ""},
    DirectiveCase{"Unidentifiable", "#\"x\"\n", "#\"x\"\n", "Unidentifiable control line\n"},
    DirectiveCase{"ErrorIsAWarningLine", "#error stop  here\na\n", "\na\n", "#error directive: stop here\n"},
    DirectiveCase{"LineSetsNumber", "#line 20\n__LINE__\n", "#line 20\n20\n", ""},
    DirectiveCase{"LineSetsName", "#line 7 \"a.h\"\n__LINE__ __FILE__\n", "#line 7 \"a.h\"\n7 \"a.h\"\n", ""},
    DirectiveCase{"LineOperandsExpanded", "#define N 30\n#line N\n__LINE__\n", "\n#line 30\n30\n", ""},
    DirectiveCase{"HashNumber", "# 7 \"b.h\"\n__LINE__ __FILE__\n", "# 7 \"b.h\"\n7 \"b.h\"\n", ""},
    DirectiveCase{"HashNumberInSkippedGroup", "#if 0\n# 7 \"b.h\"\n#endif\n__LINE__ __FILE__\n", "\n\n\n8 \"b.h\"\n", ""},
    DirectiveCase{"LineSyntax", "#line x\n#line 1 2\n#line 1 L\"w\"\n#line 1 \"a\" 2\n",
                  "#line x\n#line 1 2\n#line 1 L\"w\"\n#line 1 \"a\" 2\n",
                  "Syntax error in #line\nSyntax error in #line\nSyntax error in #line\nSyntax error in #line\n"},
    DirectiveCase{"LineOutOfRange", "#line 40000\n", "#line 40000\n", "#line specifies number out of range\n"},
    DirectiveCase{"LineNumberHuge", "#line 99999999999\n__LINE__\n", "#line 99999999999\n1000000000\n",
                  "#line specifies number out of range\n"}),
    Label);

// A directive on a last line without a newline ends where the input ends.
INSTANTIATE_TEST_SUITE_P(LastLineWithoutNewline, DirectiveTest, ::testing::Values(
    DirectiveCase{"Undef", "#define X 1\n#undef X", "\n\n", "No newline at end of file\n"},
    DirectiveCase{"Eval", "#eval 1 + 1", "\n", "No newline at end of file\n"},
    DirectiveCase{"Error", "#error stop  here  ", "\n", "No newline at end of file\n#error directive: stop here\n"},
    DirectiveCase{"Endif", "#if 1\n#endif", "\n\n", "No newline at end of file\n"}),
    Label);

TEST_F(PreprocessorTest, UndefOnTheLastLineOfAnIncludedFileTakesEffect) {
    WriteFileBytes("u.h", "#undef X");
    ASSERT_EQ(Preprocess("#define X 1\n#include \"u.h\"\nX\n"), 0);
    EXPECT_EQ(Text(), "\n\nX\n");
    EXPECT_EQ(Diagnostics(), "No newline at end of file\n");
}

// The depth limit: thirty-one open conditionals are accepted, the
// thirty-second is fatal.
TEST_F(PreprocessorTest, ConditionalDepthLimit) {
    std::string accepted;
    for (int i = 0; i < 31; ++i) accepted += "#if 1\n";
    accepted += "x\n";
    for (int i = 0; i < 31; ++i) accepted += "#endif\n";
    ASSERT_EQ(Preprocess(accepted), 0);
    EXPECT_EQ(Diagnostics(), "");
    ASSERT_EQ(Preprocess("#if 1\n" + accepted + "#endif\n"), -2);
    EXPECT_EQ(Diagnostics(), "#if too deeply nested\n\nFatal error occurred during parse.\n");
}

TEST_F(PreprocessorTest, ConditionalDepthLimitHoldsInSkippedGroups) {
    std::string source = "#if 0\n";
    for (int i = 0; i < 31; ++i) source += "#ifdef X\n";
    ASSERT_EQ(Preprocess(source), -2);
    EXPECT_EQ(Diagnostics(), "#if too deeply nested\n\nFatal error occurred during parse.\n");
}

}  // namespace
}  // namespace pp_test
