// The preprocessor core through an in-process harness (sources held in
// memory, diagnostics captured as text, the run's time fixed): the lexer and
// its sources, the diagnostic reporter, hide sets, token rows, built-ins.
#include <gtest/gtest.h>

#include <regex>

#include "cimp/cpp/expand.h"
#include "cimp/cpp/pp_state.h"

namespace cimp::cpp {
namespace {

struct PpHarness {
    PpHarness() {
        pp.diag.SetCapture(&diagnostics);
        StartRun(pp);
        std::tm when{};  // 1973-09-16 01:03:52 local time, whatever the time zone
        when.tm_year = 73, when.tm_mon = 8, when.tm_mday = 16;
        when.tm_hour = 1, when.tm_min = 3, when.tm_sec = 52, when.tm_isdst = -1;
        SetTimeText(pp, std::mktime(&when));
        FixLexTable(pp.lexer);
        InitHideSets(pp);
    }
    ~PpHarness() { FreeHideSets(pp); }

    void PushFile(const std::string& text, const std::string& name = "test.h") {
        PushSource(pp, name, std::make_unique<MemoryInput>(text));
    }
    // Reads the next logical line into the row and shows it.
    std::string LexLine() {
        BeginLine(pp);
        row.current = row.limit = row.base;
        fatal = !RunUntilFatal(pp.diag, [&] { ReadLine(pp, row, true); });
        return Show();
    }
    // Every line up to the end of the source.
    std::string LexAll() {
        std::string all = LexLine();
        while (!fatal && row.limit > row.base && row.limit[-1].kind != PpKind::End) {
            all += ' ' + LexLine();
        }
        return all;
    }
    // The row as "Kind[white space and text]" items, or only its text.
    std::string Show(bool textOnly = false) const {
        std::string out;
        for (const PpToken* t = row.base; t < row.limit; ++t) {
            std::string text(t->text - t->spaceLength, t->spaceLength + t->length);
            if (!textOnly) {
                text = std::regex_replace(text, std::regex("\n"), "\\n");
                text = std::string(out.empty() ? "" : " ") + KindName(t->kind) + "[" +
                       std::regex_replace(text, std::regex("\t"), "\\t") + "]";
            }
            out += text;
        }
        return out;
    }

    PpState pp;
    PpTokenRow row{3};
    std::string diagnostics;
    bool fatal = false;
};

struct Core : ::testing::Test, PpHarness {};

TEST_F(Core, LexerTokensAndDiagnostics) {
    struct Row {
        const char* input;
        const char* tokens;  // every token's kind, white space and text
        const char* diagnostics = "";
    };
    const Row rows[] = {
        {"abc _x L1 1_x\n", "Name[abc] Name[ _x] Name[ L1] Number[ 1] Name[_x] Newline[\\n] End[]"},
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
        {"a/*x*/b /*x*/  c /** / **/d\n", "Name[a] Name[ b] Name[  c] Name[ d] Newline[\\n] End[]"},
        {"a // x\nb /* y\nz */ c\n", "Name[a] Newline[\\n] Name[b] Name[ c] Newline[\\n] End[]"},
        {"a /* open", "Name[a] End[ ]", "EOF inside comment\nNo newline at end of file\n"},
        {"a // open", "Name[a] End[ ]", "EOF inside comment\nNo newline at end of file\n"},
        // Trigraphs and splices.
        {"?\?=define x ?\?( ?\?) ?\?< ?\?> ?\?' ?\?! ?\?-\n",
         "Hash[#] Name[define] Name[ x] LeftBracket[ [] RightBracket[ ]] LeftBrace[ {] "
         "RightBrace[ }] Caret[ ^] Bar[ |] Tilde[ ~] Newline[\\n] End[]"},
        {"a ?\?? ?\? b\n", "Name[a] Question[ ?] Question[?] Question[?] Question[ ?] Question[?] "
                           "Name[ b] Newline[\\n] End[]"},
        {"na\\\nme a ?\?/\nb\n", "Name[name] Name[ a] Name[ b] Newline[\\n] End[]"},
        {"\"s\\\\\nt\" a \\ b\n",
         "String[\"s\\t\"] Name[ a] Unclassified[ \\] Name[ b] Newline[\\n] End[]"},
        {"x \\", "Name[x] Unclassified[ \\] End[]", "No newline at end of file\n"},
        // Ends and errors.
        {"", "End[]"},
        {"a b", "Name[a] Name[ b] End[]", "No newline at end of file\n"},
        {"a \"open\n'x\nb\n", "Name[a] Newline[\\n] Newline[\\n] Name[b] Newline[\\n] End[]",
         "Unterminated string or char const\nUnterminated string or char const\n"},
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

// A comment's text is never needed again, so a comment of any length may
// fill the buffer: only the tokens before it must fit.  Splices and the
// newlines of comments count in the line's increment.
TEST_F(Core, CommentsLongerThanTheBufferAreSkipped) {
    std::string block;
    for (int i = 0; i < 2000; ++i) block += "text ?? \\ * / " + std::to_string(i) + '\n';
    const std::string longComment = "c // " + std::string(kPpBufferSize, 'y') + '\n';
    PushFile("a\\\nb /*" + block + "*/ c\n" + longComment + "d /*" + block);
    LexLine();
    EXPECT_EQ(Show(true), "ab c\n");
    EXPECT_EQ(pp.sources.Top()->lineIncrement, 2002);
    EXPECT_EQ(LexAll(), "Name[c] Newline[\\n] Name[d] End[ ]");
    EXPECT_FALSE(fatal);
    EXPECT_EQ(diagnostics, "EOF inside comment\nNo newline at end of file\n");
}

// A file is read in blocks of 4096 bytes, each followed by refill markers,
// the last by end markers; its buffer is compacted at three quarters, at
// the start of a line.  A string source holds a copy and reads no more.
TEST_F(Core, SourceBuffers) {
    PushFile(std::string(5000, 'x'));
    PpSource* source = pp.sources.Top();
    std::string fills;
    for (int i = 0; i < 3; ++i) {
        const int result = FillBuffer(*source);
        fills += std::to_string(result) + ":" +
                 std::to_string(source->bufferLimit - source->bufferStart) +
                 std::string(source->bufferLimit, kPpMarkerBytes) + " ";
    }
    EXPECT_EQ(fills, "0:4096\xfe\xfe\xfe\xfe 0:5000\xfe\xfe\xfe\xfe -1:5000\xfd\xfd\xfd\xfd ");
    PopSource(pp);
    std::string text;
    for (int i = 0; i < 4000; ++i) text += "line" + std::to_string(i) + "\n";
    PushFile(text);
    source = pp.sources.Top();
    std::string seen;
    for (LexLine(); row.base->kind != PpKind::End; LexLine()) {
        ASSERT_LE(std::size_t(source->readPos - source->bufferStart), kPpBufferSize * 3 / 4 + 16);
        seen += Show(true);
    }
    EXPECT_EQ(seen, text);
    EXPECT_EQ(LexLine() + LexLine(), "End[]End[]");  // past the end, End again
    std::string copied = "joined";
    PpSource* string = PushSource(pp, "<##>", copied);
    copied[0] = 'z';
    EXPECT_EQ(std::string(string->bufferLimit, kPpMarkerBytes), "\xfe\xfe\xfe\xfe");
    EXPECT_EQ(FillBuffer(*string), -1);
    LexLine();
    PopSource(pp);
    EXPECT_EQ(Show(true), "joined");  // a popped string's tokens live until the next line
    EXPECT_EQ(diagnostics, "");
}

TEST_F(Core, DiagnosticsLevelsAndTheErrorFlag) {
    ReportDiag(pp.diag, kPpWarning, "a warning");
    EXPECT_FALSE(pp.diag.ErrorFlag());
    ReportDiag(pp.diag, kPpError, "an error");
    EXPECT_TRUE(pp.diag.ErrorFlag());
    pp.diag.ClearErrorFlag();
    EXPECT_FALSE(pp.diag.ErrorFlag());
    EXPECT_TRUE(RunUntilFatal(pp.diag, [] {}));
    EXPECT_FALSE(RunUntilFatal(pp.diag, [&] { ReportDiag(pp.diag, kPpFatal, "the end %d", 1); }));
    EXPECT_TRUE(pp.diag.ErrorFlag());
    EXPECT_FALSE(RunUntilFatal(pp.diag, [] { throw std::bad_alloc(); }));
    EXPECT_EQ(diagnostics, "a warning\nan error\nthe end 1\nOut of memory from malloc\n");
}

// Hide sets: shared, ordered by address, at most 30 names.
TEST(HideSets, SharedOrderedAndLimited) {
    PpHideSets sets;
    sets.Init();
    std::vector<PpName> names(40);  // ascending addresses
    const auto show = [&](int set) {  // the members' indexes
        std::string text;
        for (const PpName* const* m = sets.Members(set); m != nullptr && *m != nullptr; ++m) {
            text += std::to_string(*m - names.data()) + " ";
        }
        return text + "|";
    };
    const int a = sets.Add(0, &names[0]);
    const int ab = sets.Add(a, &names[1]);
    const int dc = sets.Add(sets.Add(0, &names[3]), &names[2]);
    EXPECT_EQ(sets.Add(sets.Add(0, &names[1]), &names[0]), ab);
    EXPECT_EQ(sets.Add(ab, &names[0]), ab);
    EXPECT_EQ(sets.Count(), 6);
    EXPECT_EQ(show(0) + show(ab) + show(dc) + show(sets.Union(ab, dc)), "|0 1 |2 3 |0 1 2 3 |");
    EXPECT_TRUE(sets.Union(a, 0) == a && sets.Union(0, ab) == ab && sets.Contains(ab, &names[1]));
    EXPECT_FALSE(sets.Contains(a, &names[1]) || sets.Contains(0, &names[0]));
    // A stored set is found only when it has the same members, not merely
    // as many: {0, 33} and {1, 2} are alike in size (and in hash).
    sets.Add(a, &names[33]);
    EXPECT_EQ(show(sets.Add(sets.Add(0, &names[1]), &names[2])), "1 2 |");
    int set = 0;
    std::string thirty;
    for (int i = 0; i < 30; ++i) {
        set = sets.Add(set, &names[29 - i]);
        thirty += std::to_string(i) + " ";
    }
    EXPECT_EQ(show(set), thirty + "|");
    const int all = sets.Add(set, &names[30]);
    const std::vector<int> hidden{all, sets.Add(all, &names[9]), sets.Union(0, all),
                                  sets.Union(all, 0)};
    EXPECT_EQ(hidden, std::vector<int>(4, kPpHideAll));
    EXPECT_TRUE(sets.Contains(all, &names[39]));
    sets.Init();  // afresh, as for every line
    EXPECT_EQ(sets.Count(), 1);
    EXPECT_EQ(sets.Add(0, &names[5]), 1);
    sets.Free();
    sets.Init();
    EXPECT_EQ(sets.Add(0, &names[5]), 1);
}

TEST(TokenRow, BlanksAndNumbers) {
    std::string noBlank;
    for (int kind = 0; kind < kPpKindCount; ++kind) {
        const auto k = static_cast<PpKind>(kind);
        if (IsNoBlank(k)) noBlank += KindSpelling(k);
    }
    EXPECT_EQ(noBlank, "\n[](),;{}");
    char out[32];
    char* end = FormatDecimal(FormatDecimal(FormatDecimal(out, 0), 32767), -2147483647 - 1);
    EXPECT_EQ(std::string(out, end), "032767-2147483648");
}

TEST_F(Core, BuiltinsExpandWithTheRunsTime) {
    PushFile("__FILE__ __DATE__ __TIME__\n", "dir\\x.h");
    LexLine();
    ExpandRow(pp, row, nullptr);
    EXPECT_EQ(Show(true), "\"dir\\\\x.h\" \"Sep 16 1973\" \"01:03:52\"\n");
}

}  // namespace
}  // namespace cimp::cpp
