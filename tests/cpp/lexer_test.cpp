// The table-driven lexer and its sources: token kinds, white space, comments,
// trigraphs, splices, end of input and its diagnostics, buffer refills.
#include "pp_harness.h"

namespace cimp::cpp::testing {
namespace {

using Lexer = PpTest;

TEST_F(Lexer, TokensAndDiagnostics) {
    struct Row {
        const char* input;
        const char* tokens;  // every token's kind, white space and text
        const char* diagnostics = "";
    };
    const Row rows[] = {
        {"abc _x L1\n", "Name[abc] Name[ _x] Name[ L1] Newline[\\n] End[]"},
        {"123_x\n", "Number[123] Name[_x] Newline[\\n] End[]"},
        {"1.2e+5 0x1fUL .5 1..2\n",
         "Number[1.2e+5] Number[ 0x1fUL] Number[ .5] Number[ 1..2] Newline[\\n] End[]"},
        {"... .. .\n", "Ellipsis[...] Unclassified[ ..] Dot[ .] Newline[\\n] End[]"},
        {"\"a\\\"b\" 'c' L\"w\" L'x'\n",
         "String[\"a\\\"b\"] CharConst[ 'c'] String[ L\"w\"] CharConst[ L'x'] Newline[\\n] End[]"},
        {"## == != <= >= << >> && || ++ -- ->\n",
         "Paste[##] Equal[ ==] NotEqual[ !=] LessEqual[ <=] GreaterEqual[ >=] ShiftLeft[ <<] "
         "ShiftRight[ >>] LogicalAnd[ &&] LogicalOr[ ||] Increment[ ++] Decrement[ --] "
         "Arrow[ ->] Newline[\\n] End[]"},
        {"[](). & * + - ~ ! / % < > ^ | ? : = , # ; { }\n",
         "LeftBracket[[] RightBracket[]] LeftParen[(] RightParen[)] Dot[.] Ampersand[ &] Star[ *] "
         "Plus[ +] Minus[ -] Tilde[ ~] Not[ !] Slash[ /] Percent[ %] Less[ <] Greater[ >] "
         "Caret[ ^] Bar[ |] Question[ ?] Colon[ :] Assign[ =] Comma[ ,] Hash[ #] Semicolon[ ;] "
         "LeftBrace[ {] RightBrace[ }] Newline[\\n] End[]"},
        {"+= -= *= /= %= ^= <<= >>= |= &=\n",
         "PlusAssign[+=] MinusAssign[ -=] StarAssign[ *=] SlashAssign[ /=] PercentAssign[ %=] "
         "CaretAssign[ ^=] ShiftLeftAssign[ <<=] ShiftRightAssign[ >>=] BarAssign[ |=] "
         "AmpersandAssign[ &=] Newline[\\n] End[]"},
        {"@ $\f\r\n",
         "Unclassified[@] Unclassified[ $] Unclassified[\f] Unclassified[\r] Newline[\\n] End[]"},
        // White space and comments.
        {"\t a  \v b   \n", "Name[\\t a] Name[  \v b] Newline[\\n] End[]"},
        {"a/*x*/b\n", "Name[a] Name[ b] Newline[\\n] End[]"},
        {"a /*x*/  b\n", "Name[a] Name[  b] Newline[\\n] End[]"},
        {"a // note\nb\n", "Name[a] Newline[\\n] Name[b] Newline[\\n] End[]"},
        {"a /* one\ntwo */ b\n", "Name[a] Name[ b] Newline[\\n] End[]"},
        {"a /** / **/b\n", "Name[a] Name[ b] Newline[\\n] End[]"},
        {"a /* open", "Name[a] End[ ]", "EOF inside comment\nNo newline at end of file\n"},
        {"a // open", "Name[a] End[ ]", "EOF inside comment\nNo newline at end of file\n"},
        // Trigraphs and splices.
        {"?\?=define x ?\?( ?\?) ?\?< ?\?> ?\?' ?\?! ?\?-\n",
         "Hash[#] Name[define] Name[ x] LeftBracket[ [] RightBracket[ ]] LeftBrace[ {] "
         "RightBrace[ }] Caret[ ^] Bar[ |] Tilde[ ~] Newline[\\n] End[]"},
        {"a ?\?? ?\? b\n", "Name[a] Question[ ?] Question[?] Question[?] Question[ ?] Question[?] "
                           "Name[ b] Newline[\\n] End[]"},
        {"na\\\nme\n", "Name[name] Newline[\\n] End[]"},
        {"a ?\?/\nb\n", "Name[a] Name[ b] Newline[\\n] End[]"},
        {"\"s\\\\\nt\"\n", "String[\"s\\t\"] Newline[\\n] End[]"},
        {"a \\ b\n", "Name[a] Unclassified[ \\] Name[ b] Newline[\\n] End[]"},
        {"x \\", "Name[x] Unclassified[ \\] End[]", "No newline at end of file\n"},
        // Ends and errors.
        {"", "End[]"},
        {"a b", "Name[a] Name[ b] End[]", "No newline at end of file\n"},
        {"a \"open\nb\n", "Name[a] Newline[\\n] Name[b] Newline[\\n] End[]",
         "Unterminated string or char const\n"},
        {"'x\n", "Newline[\\n] End[]", "Unterminated string or char const\n"},
        {"a \"open", "Name[a]", "EOF in string or char constant\n"},
        {"a\xfe\xfd\xfc b\n", "Name[a] Unclassified[\xfe] Unclassified[\xfd] Unclassified[\xfc] "
                              "Name[ b] Newline[\\n] End[]"},
        {"\"\xfe\xfd\"\n", "String[\"\xfe\xfd\"] Newline[\\n] End[]"}};
    for (const Row& r : rows) {
        PpHarness lexer;
        lexer.PushFile(r.input);
        EXPECT_EQ(lexer.LexAll(), r.tokens) << r.input;
        EXPECT_EQ(lexer.diagnostics, r.diagnostics) << r.input;
    }
}

TEST_F(Lexer, SpliceRaisesTheLineIncrement) {
    PushFile("na\\\nme /* a\nb */ x\ny\n");
    EXPECT_EQ(LexLine(), "Name[name] Name[ x] Newline[\\n]");
    EXPECT_EQ(pp.sources.Top()->lineIncrement, 3);
    EXPECT_EQ(LexLine(), "Name[y] Newline[\\n]");
    EXPECT_EQ(pp.sources.Top()->lineIncrement, 1);
}

TEST_F(Lexer, LineCommentsCanBeTurnedOff) {
    pp.lexer.lineComments = 0;
    BuildLexTable(pp.lexer);
    FixLexTable(pp.lexer);
    PushFile("a // b\n");
    EXPECT_EQ(LexAll(), "Name[a] Slash[ /] Slash[/] Name[ b] Newline[\\n] End[]");
}

TEST_F(Lexer, MacroHintFollowsTheQuickLookBits) {
    PushFile("alpha beta\nbeta\n");
    LookupName(pp, PpToken{PpKind::Name, 0, 0, 0, 5, const_cast<char*>("alpha")}, true);
    int hint = -1;
    LexLine(&hint);
    EXPECT_NE(hint, 0);
    LexLine(&hint);
    EXPECT_EQ(hint, 0);
}

// Lines far longer than one 4096-byte read, a buffer that fills up in the
// middle of a line, and one line just under the buffer keep every byte; a
// line longer than the buffer is fatal.
TEST_F(Lexer, LongLines) {
    std::string input = std::string(20000, 'a') + "\n" + std::string(kPpBufferSize - 100, 'x') + "\n";
    for (int line = 0; line < 30; ++line) {
        for (int word = 0; word < 1500; ++word) input += " w" + std::to_string(line * 10000 + word);
        input += "\n";
    }
    PushFile(input + std::string(kPpBufferSize + 10, 'y') + "\n");
    std::string seen;
    for (int line = 0; line < 32; ++line) {
        LexLine();
        seen += RowText();
    }
    EXPECT_TRUE(seen == input) << "the tokens differ from the input";
    EXPECT_EQ(diagnostics, "");
    LexLine();
    EXPECT_TRUE(fatal);
    EXPECT_EQ(diagnostics, "Line too long for the input buffer\n");
}

// A comment's text is never needed again, so a comment of any length may
// fill the buffer: only the tokens before it must fit.
TEST_F(Lexer, CommentsLongerThanTheBufferAreSkipped) {
    std::string block;
    for (int line = 0; line < 2000; ++line) block += "text ?? \\ * / line " + std::to_string(line) + "\n";
    PushFile("a /*" + block + "*/ b\nc // " + std::string(kPpBufferSize + 10, 'y') + "\nd /*" + block);
    LexLine();
    EXPECT_EQ(RowText(), "a b\n");
    EXPECT_EQ(pp.sources.Top()->lineIncrement, 2001);
    EXPECT_EQ(LexAll(), "Name[c] Newline[\\n] Name[d] End[ ]");
    EXPECT_FALSE(fatal);
    EXPECT_EQ(diagnostics, "EOF inside comment\nNo newline at end of file\n");
}

TEST_F(Lexer, FileBufferIsFilledInBlocksAndCompacted) {
    PpSource* source = PushSource(pp, "big.h", std::make_unique<MemoryInput>(std::string(5000, 'x')));
    EXPECT_EQ(source->bufferSize, kPpBufferSize);
    EXPECT_EQ(source->line, 1);
    const auto markers = [&] { return std::string(source->bufferLimit, kPpMarkerBytes); };
    EXPECT_EQ(FillBuffer(*source), 0);
    EXPECT_EQ(source->bufferLimit - source->bufferStart, 4096);
    EXPECT_EQ(markers(), "\xfe\xfe\xfe\xfe");
    EXPECT_EQ(FillBuffer(*source), 0);
    EXPECT_EQ(source->bufferLimit - source->bufferStart, 5000);
    EXPECT_EQ(FillBuffer(*source), -1);
    EXPECT_EQ(source->bufferLimit - source->bufferStart, 5000);
    EXPECT_EQ(markers(), "\xfd\xfd\xfd\xfd");
    PopSource(pp);
    // Compacted at three quarters, at the start of a line.
    std::string text;
    for (int i = 0; i < 4000; ++i) text += "line" + std::to_string(i) + "\n";
    PushFile(text);
    source = pp.sources.Top();
    std::string seen;
    for (LexLine(); row.base->kind != PpKind::End; LexLine()) {
        ASSERT_LE(source->readPos - source->bufferStart, std::ptrdiff_t{kPpBufferSize / 4 * 3 + 16});
        seen += RowText();
    }
    EXPECT_EQ(seen, text);
    // Past the end, End again and again.
    EXPECT_EQ(LexLine(), "End[]");
    EXPECT_EQ(LexLine(), "End[]");
    EXPECT_EQ(diagnostics, "");
}

TEST_F(Lexer, StringSourcesAndTheStack) {
    EXPECT_EQ(pp.sources.InnermostFile(), nullptr);
    EXPECT_EQ(LexLine(), "End[]");  // no source at all
    PpSource* file = PushSource(pp, "main.h", std::make_unique<MemoryInput>(""));
    std::string text = "joined";
    PpSource* string = PushSource(pp, "<##>", text);
    text[0] = 'z';
    EXPECT_FALSE(string->IsFile());
    EXPECT_EQ(string->next, file);
    EXPECT_EQ(pp.sources.InnermostFile(), file);
    EXPECT_EQ(std::string(string->bufferLimit, kPpMarkerBytes), "\xfe\xfe\xfe\xfe");
    EXPECT_EQ(FillBuffer(*string), -1);
    EXPECT_EQ(std::string(string->bufferLimit, kPpMarkerBytes), "\xfd\xfd\xfd\xfd");
    LexLine();
    PopSource(pp);
    // The tokens of a popped string source live until the next line.
    EXPECT_EQ(RowText(), "joined");
    EXPECT_EQ(pp.sources.Top(), file);
    PopSource(pp);
    EXPECT_TRUE(pp.sources.Empty());
    PopSource(pp);
    PushSource(pp, "<if>", std::string_view());
    EXPECT_EQ(pp.sources.InnermostFile(), pp.sources.Top());
}

}  // namespace
}  // namespace cimp::cpp::testing
