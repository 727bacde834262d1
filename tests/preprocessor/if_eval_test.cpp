// #if evaluation: arithmetic in 32 bits, grouping of each priority level,
// signedness, character constants and the messages of malformed expressions.
#include <string>
#include <vector>

#include "pp_test_util.h"

namespace pp_test {
namespace {

class IfEvalTest : public PreprocessorTest {
protected:
    // Evaluates the expression in "#if" with Y defined.
    void Expect(const std::string& expression, bool holds, const std::string& diagnostics) {
        ASSERT_EQ(Preprocess("#if " + expression + "\nyes\n#else\nno\n#endif\n", {"-DY"}), 0);
        EXPECT_EQ(Text(), holds ? "\nyes\n\n\n\n" : "\n\n\nno\n\n") << expression;
        EXPECT_EQ(Diagnostics(), diagnostics) << expression;
    }
};

// Equal priorities group left to right: each of the first ones differs from
// the right-to-left grouping.
TEST_F(IfEvalTest, HoldsWithoutDiagnostics) {
    for (const char* expression :
         {"10 - 3 - 2 == 5", "10 - 3 + 2 == 9", "1 - 1 - 1 == -1", "8 / 4 / 2 == 1", "2 * 3 / 2 == 3",
          "100 % 7 % 3 == 2", "1 << 2 << 3 == 32", "256 >> 2 >> 1 == 32", "3 < 2 < 1", "2 == 2 == 1",
          "(12 | 3 | 16) == 31", "(15 ^ 5 ^ 3) == 9", "(7 & 6 & 3) == 2", "0 || 0 || 1",
          "1 + 2 * 3 == 7", "0 ? 1 : 0 ? 0 : 1", "1 ? 1 ? 1 : 0 : 0", "(1 ? 2 ? 3 ? 3 : 2 : 1 : 0) == 3",
          "(1 ? 0 ? 2 : 3 : 4) == 3", "(0 ? 1 ? 2 : 3 : 4) == 4", "(1 ? 0 ? 2 : 0 ? 5 : 6 : 4) == 6",
          "1 ? 2 : 3", "12 + +3 == 15", "- -3 == 3", "!0 == 1 && !5 == 0", "~0 == -1",
          "010 == 8 && 0x10 == 16 && 0X1f == 31", "10L == 10 && 10lu == 10", "1 << 33 == 2",
          "-8 >> 1 == -4", "0x80000000 >> 31 == 1", "2147483647 + 1 < 0",
          "(-2147483647 - 1) / -1 == -2147483647 - 1", "(-2147483647 - 1) % -1 == 0",
          "-7 / 2 == -3 && -7 % 2 == -1", "UNKNOWN_NAME == 0", "defined(X) || defined Y", "2 || 1/0",
          "0xFFFFFFFF > 0", "037777777777 > 0", "~0u == 0xFFFFFFFF", "0u - 1 > 0", "-1 / 2u > 0",
          "0x80000000 > 1", "'a' == 97", "'\\n' == 10 && '\\t' == 9 && '\\\\' == 92 && '\\'' == 39",
          "'\\x41' == 65 && '\\101' == 65 && '\\0' == 0"}) {
        Expect(expression, true, "");
    }
    for (const char* expression : {"3 > 2 > 1", "3 != 2 == 0", "0 && 1 && 1", "1 ? 0 : 1 ? 1 : 1",
                                   "0 ? 1 : 0", "defined X", "0 && 1/0", "-1 < 0u", "4294967295 > 0"}) {
        Expect(expression, false, "");
    }
}

TEST_F(IfEvalTest, Diagnostics) {
    struct Row {
        std::string expression;
        bool holds;
        std::string diagnostics;
    };
    const std::string syntax = "Syntax error in #if/#elsif\n";
    const std::vector<Row> rows{
        {"1/0", true, "Undefined expression value\n"},
        {"5 % 0 == 5", true, "Undefined expression value\n"},
        {"1/0 || 1", true, "Undefined expression value\n"},
        {"1 && 1/0", true, "Undefined expression value\n"},
        {"'\\377' == 255", true, "Character constant taken as not signed\n"},
        {"'\\q' == 0", true, "Undefined escape in character constant\n"},
        {"'' == 0", true, "Empty character constant\n"},
        {"'ab' == 97", true, "Multibyte character constant undefined\n"},
        {"L'a' == 97", true, "Wide char constant value undefined\n"},
        {"(1", false, "Syntax error in #if/#endif\n"},
        {"1, 2", false, "Syntax error in #if/#endif\n"},
        {"1 )", false, syntax},
        {"1 +", false, syntax},
        {"1 2", false, syntax},
        {"", false, syntax},
        {"()", false, syntax},
        {"1 (", false, syntax},
        {"*1", false, "Illegal operator * or & in #if/#elsif\n"},
        {"1 = 1", false, "Bad operator (=) in #if/#elsif\n"},
        {"\"s\"", false, "String in #if/#elsif\n"},
        {"09 == 9", true, "Bad digit in number 09\n"},
        {"1z", true, "Bad number 1z in #if/#elsif\n"},
        {"1 ? 2", false, "Eval botch (unknown operator)\n"},
        {"1 : 2", true, "Bad ?: in #if/endif\n"},
        {"1 : 2 : 3", true, "Bad ?: in #if/endif\nBad ?: in #if/endif\n"},
        {"defined", false, "Incorrect syntax for `defined'\n" + syntax},
        {"defined (X", false, "Incorrect syntax for `defined'\nSyntax error in #if/#endif\n"},
        // Thirty-one open parentheses fill the operator stack with the end
        // marker; one more is rejected.
        {std::string(31, '(') + "1" + std::string(31, ')'), true, ""},
        {std::string(32, '(') + "1" + std::string(32, ')'), false,
         "Expression too complex in #if/#elsif\n"}};
    for (const Row& row : rows) Expect(row.expression, row.holds, row.diagnostics);
}

}  // namespace
}  // namespace pp_test
