// The table-driven lexer: token kinds, white space, comments, trigraphs,
// splices, end of input and its diagnostics, buffer refills.
#include <gtest/gtest.h>

#include "pp_harness.h"

namespace cimp::cpp::testing {
namespace {

std::string Escape(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += c;
        }
    }
    return out;
}

std::string Show(const std::vector<LexedToken>& tokens) {
    std::string out;
    for (const LexedToken& token : tokens) {
        if (!out.empty()) {
            out += ' ';
        }
        out += KindName(token.kind);
        out += '[' + Escape(token.space + token.text) + ']';
    }
    return out;
}

struct LexCase {
    const char* input;
    const char* tokens;
    const char* diagnostics;
};

class LexerCases : public ::testing::TestWithParam<LexCase> {};

TEST_P(LexerCases, TokensAndDiagnostics) {
    PpHarness harness;
    harness.PushFile(GetParam().input);
    EXPECT_EQ(Show(harness.LexAll()), GetParam().tokens);
    EXPECT_EQ(harness.diagnostics(), GetParam().diagnostics);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LexerCases,
    ::testing::Values(
        LexCase{"abc _x L1\n", "Name[abc] Name[ _x] Name[ L1] Newline[\\n] End[]", ""},
        LexCase{"123_x\n", "Number[123] Name[_x] Newline[\\n] End[]", ""},
        LexCase{"1.2e+5 0x1fUL .5 1..2\n",
                "Number[1.2e+5] Number[ 0x1fUL] Number[ .5] Number[ 1..2] Newline[\\n] End[]", ""},
        LexCase{"... .. .\n", "Ellipsis[...] Unclassified[ ..] Dot[ .] Newline[\\n] End[]", ""},
        LexCase{"\"a\\\"b\" 'c' L\"w\" L'x'\n",
                "String[\"a\\\"b\"] CharConst[ 'c'] String[ L\"w\"] CharConst[ L'x'] Newline[\\n] End[]", ""},
        LexCase{"## == != <= >= << >> && || ++ -- ->\n",
                "Paste[##] Equal[ ==] NotEqual[ !=] LessEqual[ <=] GreaterEqual[ >=] ShiftLeft[ <<] "
                "ShiftRight[ >>] LogicalAnd[ &&] LogicalOr[ ||] Increment[ ++] Decrement[ --] Arrow[ ->] "
                "Newline[\\n] End[]",
                ""},
        LexCase{"[](). & * + - ~ ! / % < > ^ | ? : = , # ; { }\n",
                "LeftBracket[[] RightBracket[]] LeftParen[(] RightParen[)] Dot[.] Ampersand[ &] Star[ *] "
                "Plus[ +] Minus[ -] Tilde[ ~] Not[ !] Slash[ /] Percent[ %] Less[ <] Greater[ >] Caret[ ^] "
                "Bar[ |] Question[ ?] Colon[ :] Assign[ =] Comma[ ,] Hash[ #] Semicolon[ ;] LeftBrace[ {] "
                "RightBrace[ }] Newline[\\n] End[]",
                ""},
        LexCase{"+= -= *= /= %= ^= <<= >>= |= &=\n",
                "PlusAssign[+=] MinusAssign[ -=] StarAssign[ *=] SlashAssign[ /=] PercentAssign[ %=] "
                "CaretAssign[ ^=] ShiftLeftAssign[ <<=] ShiftRightAssign[ >>=] BarAssign[ |=] "
                "AmpersandAssign[ &=] Newline[\\n] End[]",
                ""},
        LexCase{"@ $\f\r\n", "Unclassified[@] Unclassified[ $] Unclassified[\f] Unclassified[\r] Newline[\\n] End[]",
                ""}));

INSTANTIATE_TEST_SUITE_P(
    WhiteSpaceAndComments, LexerCases,
    ::testing::Values(
        LexCase{"\t a  \v b   \n", "Name[\\t a] Name[  \v b] Newline[\\n] End[]", ""},
        LexCase{"a/*x*/b\n", "Name[a] Name[ b] Newline[\\n] End[]", ""},
        LexCase{"a /*x*/  b\n", "Name[a] Name[  b] Newline[\\n] End[]", ""},
        LexCase{"a // note\nb\n", "Name[a] Newline[\\n] Name[b] Newline[\\n] End[]", ""},
        LexCase{"a /* one\ntwo */ b\n", "Name[a] Name[ b] Newline[\\n] End[]", ""},
        LexCase{"a /** / **/b\n", "Name[a] Name[ b] Newline[\\n] End[]", ""},
        LexCase{"a /* open", "Name[a] End[ ]", "EOF inside comment\nNo newline at end of file\n"},
        LexCase{"a // open", "Name[a] End[ ]", "EOF inside comment\nNo newline at end of file\n"}));

INSTANTIATE_TEST_SUITE_P(
    TrigraphsAndSplices, LexerCases,
    ::testing::Values(
        LexCase{"?\?=define x ?\?( ?\?) ?\?< ?\?> ?\?' ?\?! ?\?-\n",
                "Hash[#] Name[define] Name[ x] LeftBracket[ [] RightBracket[ ]] LeftBrace[ {] "
                "RightBrace[ }] Caret[ ^] Bar[ |] Tilde[ ~] Newline[\\n] End[]",
                ""},
        LexCase{"a ?\?? ?\? b\n", "Name[a] Question[ ?] Question[?] Question[?] Question[ ?] Question[?] Name[ b] "
                "Newline[\\n] End[]", ""},
        LexCase{"na\\\nme\n", "Name[name] Newline[\\n] End[]", ""},
        LexCase{"a ?\?/\nb\n", "Name[a] Name[ b] Newline[\\n] End[]", ""},
        LexCase{"\"s\\\\\nt\"\n", "String[\"s\\t\"] Newline[\\n] End[]", ""},
        LexCase{"a \\ b\n", "Name[a] Unclassified[ \\] Name[ b] Newline[\\n] End[]", ""},
        LexCase{"x \\", "Name[x] Unclassified[ \\] End[]", "No newline at end of file\n"}));

INSTANTIATE_TEST_SUITE_P(
    EndsAndErrors, LexerCases,
    ::testing::Values(
        LexCase{"", "End[]", ""},
        LexCase{"a b", "Name[a] Name[ b] End[]", "No newline at end of file\n"},
        LexCase{"a \"open\nb\n", "Name[a] Newline[\\n] Name[b] Newline[\\n] End[]",
                "Unterminated string or char const\n"},
        LexCase{"'x\n", "Newline[\\n] End[]", "Unterminated string or char const\n"},
        LexCase{"a \"open", "Name[a]", "EOF in string or char constant\n"},
        LexCase{"a\xfe\xfd\xfc b\n", "Name[a] Unclassified[\xfe] Unclassified[\xfd] Unclassified[\xfc] Name[ b] "
                "Newline[\\n] End[]", ""},
        LexCase{"\"\xfe\xfd\"\n", "String[\"\xfe\xfd\"] Newline[\\n] End[]", ""}));

TEST(Lexer, EveryKindHasItsNumber) {
    EXPECT_EQ(static_cast<int>(PpKind::End), 0);
    EXPECT_EQ(static_cast<int>(PpKind::Newline), 6);
    EXPECT_EQ(static_cast<int>(PpKind::Paste), 8);
    EXPECT_EQ(static_cast<int>(PpKind::LeftParen), 22);
    EXPECT_EQ(static_cast<int>(PpKind::Not), 30);
    EXPECT_EQ(static_cast<int>(PpKind::Hash), 41);
    EXPECT_EQ(static_cast<int>(PpKind::Ellipsis), 55);
    EXPECT_EQ(static_cast<int>(PpKind::UnaryMinus), 59);
    EXPECT_STREQ(KindSpelling(PpKind::ShiftLeftAssign), "<<=");
    EXPECT_STREQ(KindName(PpKind::NameInDefined), "NameInDefined");
}

TEST(Lexer, SpliceRaisesTheLineIncrement) {
    PpHarness harness;
    harness.PushFile("na\\\nme /* a\nb */ x\ny\n");
    int increment = 0;
    EXPECT_EQ(Show(harness.LexLine(&increment)), "Name[name] Name[ x] Newline[\\n]");
    EXPECT_EQ(increment, 3);
    EXPECT_EQ(Show(harness.LexLine(&increment)), "Name[y] Newline[\\n]");
    EXPECT_EQ(increment, 1);
}

TEST(Lexer, LineCommentsCanBeTurnedOff) {
    PpHarness harness;
    harness.pp().lexer.lineComments = 0;
    BuildLexTable(harness.pp().lexer);
    FixLexTable(harness.pp().lexer);
    harness.PushFile("a // b\n");
    EXPECT_EQ(Show(harness.LexAll()), "Name[a] Slash[ /] Slash[/] Name[ b] Newline[\\n] End[]");
}

TEST(Lexer, TableHoldsStatesAndFlaggedActions) {
    PpLexTables lex;
    BuildLexTable(lex);
    EXPECT_EQ(lex.table[static_cast<unsigned char>('a')][0], 4);
    EXPECT_EQ(lex.table[static_cast<unsigned char>('7')][0], 1);
    // '(' in the start state: emit LeftParen, no check flag.
    EXPECT_EQ(~lex.table[static_cast<unsigned char>('(')][0], 32 | (22 << 7));
    // '?' keeps its former target (emit Question) with the check flag.
    EXPECT_EQ(~lex.table[static_cast<unsigned char>('?')][0], 32 | 64 | (37 << 7));
    // '\' inside a string keeps the state 7 it leads to.
    EXPECT_EQ(~lex.table[static_cast<unsigned char>('\\')][6], 7 | 64);
    for (int state = 0; state < kPpLexStates; ++state) {
        EXPECT_EQ(~lex.table[0xFE][state], 41) << state;
        EXPECT_LT(lex.table[0xFD][state], 0) << state;
    }
}

TEST(Lexer, MacroHintFollowsTheQuickLookBits) {
    PpHarness harness;
    harness.PushFile("alpha beta\nbeta\n");
    const PpToken alpha{PpKind::Name, 0, 0, 0, 5, const_cast<char*>("alpha")};
    LookupName(harness.pp(), alpha, true);
    int hint = -1;
    harness.LexLine(nullptr, &hint);
    EXPECT_NE(hint, 0);
    harness.LexLine(nullptr, &hint);
    EXPECT_EQ(hint, 0);
}

// Lines far longer than one 4096-byte read, and a buffer that fills up in
// the middle of a line, keep every byte of their tokens.
TEST(Lexer, LongLinesCrossRefillsAndBufferMoves) {
    std::string input;
    std::string expected;
    for (int line = 0; line < 30; ++line) {
        std::string text;
        for (int word = 0; word < 1500; ++word) {
            text += " w" + std::to_string(line) + "_" + std::to_string(word);
        }
        input += text + "\n";
        expected += text + "\n";
    }
    PpHarness harness;
    harness.PushFile(input);
    std::string seen;
    for (const LexedToken& token : harness.LexAll()) {
        seen += token.space + token.text;
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(harness.diagnostics(), "");
}

TEST(Lexer, LineLongerThanTheBufferIsFatal) {
    PpHarness harness;
    harness.PushFile(std::string(kPpBufferSize + 10, 'x') + "\n");
    harness.LexAll();
    EXPECT_TRUE(harness.fatal());
    EXPECT_EQ(harness.diagnostics(), "Line too long for the input buffer\n");
}

// A comment's text is never needed again, so a comment of any length may
// fill the buffer: only the tokens before it must fit.
TEST(Lexer, CommentsLongerThanTheBufferAreSkipped) {
    std::string block;
    for (int line = 0; line < 2000; ++line) {
        block += "text ?? \\ * / line " + std::to_string(line) + "\n";
    }
    PpHarness harness;
    harness.PushFile("a /*" + block + "*/ b\n" + "c // " + std::string(kPpBufferSize + 10, 'y') + "\nd /*" + block);
    std::string seen;
    int increment = 0;
    for (const LexedToken& token : harness.LexLine(&increment)) {
        seen += token.space + token.text;
    }
    EXPECT_EQ(seen, "a b\n");
    EXPECT_EQ(increment, 2001);
    for (const LexedToken& token : harness.LexAll()) {
        seen += token.space + token.text;
    }
    EXPECT_EQ(seen, "a b\nc\nd ");
    EXPECT_FALSE(harness.fatal());
    EXPECT_EQ(harness.diagnostics(), "EOF inside comment\nNo newline at end of file\n");
}

TEST(Lexer, LineJustUnderTheBufferIsRead) {
    PpHarness harness;
    const std::string name(kPpBufferSize - 100, 'x');
    harness.PushFile(std::string(20000, 'a') + "\n" + name + "\nb\n");
    const std::vector<LexedToken> tokens = harness.LexAll();
    ASSERT_EQ(tokens.size(), 7u);
    EXPECT_EQ(tokens[2].text, name);
    EXPECT_EQ(tokens[4].text, "b");
    EXPECT_FALSE(harness.fatal());
}

}  // namespace
}  // namespace cimp::cpp::testing
