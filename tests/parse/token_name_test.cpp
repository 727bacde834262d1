#include "cimp/parse/token_name.h"

#include <gtest/gtest.h>

#include <string>

namespace cimp::parse {
namespace {

struct NameCase {
    int32_t code;
    std::string name;
};

class TokenNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(TokenNames, NameOfCode) { EXPECT_EQ(TokenName(GetParam().code), GetParam().name); }

INSTANTIATE_TEST_SUITE_P(
    Table, TokenNames,
    ::testing::Values(NameCase{123, "LC"}, NameCase{125, "RC"}, NameCase{91, "LB"}, NameCase{93, "RB"},
                      NameCase{59, "SEMICOLON"}, NameCase{44, "COMMA"}, NameCase{42, "POINTER"},
                      NameCase{301, "IDENTIFIER"}, NameCase{308, "IDENTIFIER"}, NameCase{302, "STRINGliteral"},
                      NameCase{303, "FLOATINGconstant"}, NameCase{304, "INTEGERconstant"},
                      NameCase{305, "CHARACTERconstant"}, NameCase{306, "OCTALconstant"},
                      NameCase{307, "HEXconstant"}, NameCase{276, "UNSIGNED"}, NameCase{257, "auto"},
                      NameCase{260, "struct"}, NameCase{300, "overload"}, NameCase{268, "typedef"},
                      NameCase{0, "[end of file]"}, NameCase{256, "[error]"}, NameCase{7, "[\\a]"},
                      NameCase{8, "[\\b]"}, NameCase{9, "[\\t]"}, NameCase{10, "[\\n]"}, NameCase{11, "[\\v]"},
                      NameCase{12, "[\\f]"}, NameCase{13, "[\\r]"}, NameCase{40, "("}, NameCase{'~', "~"},
                      NameCase{' ', " "}, NameCase{1, "[char 1]"}, NameCase{127, "[char 127]"},
                      NameCase{200, "[char 200]"}, NameCase{309, "->"}, NameCase{320, "..."},
                      NameCase{321, "::"}, NameCase{323, "->*"}, NameCase{333, "|="},
                      NameCase{334, "[token 334]"}, NameCase{-5, "[token -5]"}));

}  // namespace
}  // namespace cimp::parse
