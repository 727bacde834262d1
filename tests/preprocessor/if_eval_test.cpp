// #if evaluation: arithmetic, grouping of each priority level, signedness,
// character constants and the messages of malformed expressions.
#include <string>

#include "pp_test_util.h"

namespace pp_test {
namespace {

struct IfCase {
    const char* expression;
    bool expected;
    const char* diagnostics;  // the whole of "errorfile.err"
};

class IfEvalTest : public PreprocessorTest, public ::testing::WithParamInterface<IfCase> {};

TEST_P(IfEvalTest, Evaluates) {
    const IfCase& c = GetParam();
    ASSERT_EQ(Preprocess(std::string("#if ") + c.expression + "\nyes\n#else\nno\n#endif\n", {"-DY"}), 0);
    EXPECT_EQ(Text(), c.expected ? "\nyes\n\n\n\n" : "\n\n\nno\n\n") << c.expression;
    EXPECT_EQ(Diagnostics(), c.diagnostics) << c.expression;
}

// Equal priorities group left to right; each pair below differs from the
// right-to-left grouping.
INSTANTIATE_TEST_SUITE_P(Grouping, IfEvalTest, ::testing::Values(
    IfCase{"10 - 3 - 2 == 5", true, ""},
    IfCase{"10 - 3 + 2 == 9", true, ""},
    IfCase{"1 - 1 - 1 == -1", true, ""},
    IfCase{"8 / 4 / 2 == 1", true, ""},
    IfCase{"2 * 3 / 2 == 3", true, ""},
    IfCase{"100 % 7 % 3 == 2", true, ""},
    IfCase{"1 << 2 << 3 == 32", true, ""},
    IfCase{"256 >> 2 >> 1 == 32", true, ""},
    IfCase{"3 > 2 > 1", false, ""},
    IfCase{"3 < 2 < 1", true, ""},
    IfCase{"2 == 2 == 1", true, ""},
    IfCase{"3 != 2 == 0", false, ""},
    IfCase{"(12 | 3 | 16) == 31", true, ""},
    IfCase{"(15 ^ 5 ^ 3) == 9", true, ""},
    IfCase{"(7 & 6 & 3) == 2", true, ""},
    IfCase{"0 && 1 && 1", false, ""},
    IfCase{"0 || 0 || 1", true, ""},
    IfCase{"1 + 2 * 3 == 7", true, ""},
    IfCase{"1 ? 0 : 1 ? 1 : 1", false, ""},
    IfCase{"0 ? 1 : 0 ? 0 : 1", true, ""},
    IfCase{"1 ? 1 ? 1 : 0 : 0", true, ""},
    IfCase{"(1 ? 2 ? 3 ? 3 : 2 : 1 : 0) == 3", true, ""},
    IfCase{"(1 ? 0 ? 2 : 3 : 4) == 3", true, ""},
    IfCase{"(0 ? 1 ? 2 : 3 : 4) == 4", true, ""},
    IfCase{"(1 ? 0 ? 2 : 0 ? 5 : 6 : 4) == 6", true, ""}));

INSTANTIATE_TEST_SUITE_P(Arithmetic, IfEvalTest, ::testing::Values(
    IfCase{"1 ? 2 : 3", true, ""},
    IfCase{"0 ? 1 : 0", false, ""},
    IfCase{"12 + +3 == 15", true, ""},
    IfCase{"- -3 == 3", true, ""},
    IfCase{"!0 == 1 && !5 == 0", true, ""},
    IfCase{"~0 == -1", true, ""},
    IfCase{"010 == 8 && 0x10 == 16 && 0X1f == 31", true, ""},
    IfCase{"10L == 10 && 10lu == 10", true, ""},
    IfCase{"1 << 33 == 2", true, ""},
    IfCase{"-8 >> 1 == -4", true, ""},
    IfCase{"0x80000000 >> 31 == 1", true, ""},
    IfCase{"2147483647 + 1 < 0", true, ""},
    IfCase{"(-2147483647 - 1) / -1 == -2147483647 - 1", true, ""},
    IfCase{"(-2147483647 - 1) % -1 == 0", true, ""},
    IfCase{"-7 / 2 == -3 && -7 % 2 == -1", true, ""},
    IfCase{"UNKNOWN_NAME == 0", true, ""},
    IfCase{"defined(X) || defined Y", true, ""},
    IfCase{"defined X", false, ""},
    IfCase{"1/0", true, "Undefined expression value\n"},
    IfCase{"5 % 0 == 5", true, "Undefined expression value\n"},
    IfCase{"0 && 1/0", false, ""},
    IfCase{"2 || 1/0", true, ""},
    IfCase{"1/0 || 1", true, "Undefined expression value\n"},
    IfCase{"1 && 1/0", true, "Undefined expression value\n"}));

INSTANTIATE_TEST_SUITE_P(Unsigned, IfEvalTest, ::testing::Values(
    IfCase{"-1 < 0u", false, ""},
    IfCase{"0xFFFFFFFF > 0", true, ""},
    IfCase{"037777777777 > 0", true, ""},
    IfCase{"4294967295 > 0", false, ""},
    IfCase{"~0u == 0xFFFFFFFF", true, ""},
    IfCase{"0u - 1 > 0", true, ""},
    IfCase{"-1 / 2u > 0", true, ""},
    IfCase{"0x80000000 > 1", true, ""}));

INSTANTIATE_TEST_SUITE_P(CharacterConstants, IfEvalTest, ::testing::Values(
    IfCase{"'a' == 97", true, ""},
    IfCase{"'\\n' == 10 && '\\t' == 9 && '\\\\' == 92 && '\\'' == 39", true, ""},
    IfCase{"'\\x41' == 65 && '\\101' == 65 && '\\0' == 0", true, ""},
    IfCase{"'\\377' == 255", true, "Character constant taken as not signed\n"},
    IfCase{"'\\q' == 0", true, "Undefined escape in character constant\n"},
    IfCase{"'' == 0", true, "Empty character constant\n"},
    IfCase{"'ab' == 97", true, "Multibyte character constant undefined\n"},
    IfCase{"L'a' == 97", true, "Wide char constant value undefined\n"}));

INSTANTIATE_TEST_SUITE_P(Malformed, IfEvalTest, ::testing::Values(
    IfCase{"(1", false, "Syntax error in #if/#endif\n"},
    IfCase{"1, 2", false, "Syntax error in #if/#endif\n"},
    IfCase{"1 )", false, "Syntax error in #if/#elsif\n"},
    IfCase{"1 +", false, "Syntax error in #if/#elsif\n"},
    IfCase{"1 2", false, "Syntax error in #if/#elsif\n"},
    IfCase{"", false, "Syntax error in #if/#elsif\n"},
    IfCase{"()", false, "Syntax error in #if/#elsif\n"},
    IfCase{"1 (", false, "Syntax error in #if/#elsif\n"},
    IfCase{"*1", false, "Illegal operator * or & in #if/#elsif\n"},
    IfCase{"1 = 1", false, "Bad operator (=) in #if/#elsif\n"},
    IfCase{"\"s\"", false, "String in #if/#elsif\n"},
    IfCase{"09 == 9", true, "Bad digit in number 09\n"},
    IfCase{"1z", true, "Bad number 1z in #if/#elsif\n"},
    IfCase{"1 ? 2", false, "Eval botch (unknown operator)\n"},
    IfCase{"1 : 2", true, "Bad ?: in #if/endif\n"},
    IfCase{"1 : 2 : 3", true, "Bad ?: in #if/endif\nBad ?: in #if/endif\n"}));

// Thirty-one open parentheses fill the operator stack with the end marker;
// one more is rejected in order.
TEST_F(PreprocessorTest, ExpressionDeeperThanTheStacksIsRejected) {
    const std::string fits = std::string(31, '(') + "1" + std::string(31, ')');
    ASSERT_EQ(Preprocess("#if " + fits + "\nyes\n#endif\n"), 0);
    EXPECT_EQ(Text(), "\nyes\n\n");
    EXPECT_EQ(Diagnostics(), "");
    const std::string deep = std::string(32, '(') + "1" + std::string(32, ')');
    ASSERT_EQ(Preprocess("#if " + deep + "\nyes\n#endif\n"), 0);
    EXPECT_EQ(Text(), "\n\n\n");
    EXPECT_EQ(Diagnostics(), "Expression too complex in #if/#elsif\n");
}

TEST_F(PreprocessorTest, EvalDirectiveReportsButDecidesNothing) {
    ASSERT_EQ(Preprocess("#eval 1/0\nx\n"), 0);
    EXPECT_EQ(Text(), "\nx\n");
    EXPECT_EQ(Diagnostics(), "Undefined expression value\n");
}

}  // namespace
}  // namespace pp_test
