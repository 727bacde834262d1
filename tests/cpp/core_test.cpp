// The preprocessor core through an in-process harness (sources held in
// memory, diagnostics captured as text, the run's time fixed): the lexer and
// its sources, the diagnostic reporter, hide sets, token rows, built-ins.
#include <gtest/gtest.h>

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
    // Reads the next logical line into the row; gives it as "Kind[white
    // space and text]" items.
    std::string LexLine(int* hint = nullptr) {
        BeginLine(pp);
        row.current = row.limit = row.base;
        fatal = !RunUntilFatal(pp.diag, [&] {
            const int found = ReadLine(pp, row, true);
            if (hint != nullptr) *hint = found;
        });
        std::string out;
        for (const PpToken* token = row.base; token < row.limit; ++token) {
            out += std::string(out.empty() ? "" : " ") + KindName(token->kind) + '[';
            for (const char c : Text(*token)) {
                out += c == '\n' ? "\\n" : c == '\t' ? "\\t" : std::string(1, c);
            }
            out += ']';
        }
        return out;
    }
    // Every line up to the end of the source.
    std::string LexAll() {
        std::string all = LexLine();
        while (!fatal && row.limit > row.base && row.limit[-1].kind != PpKind::End) {
            all += ' ' + LexLine();
        }
        return all;
    }
    static std::string Text(const PpToken& t) {
        return std::string(t.text - t.spaceLength, t.spaceLength + t.length);
    }
    std::string RowText() const {
        std::string text;
        for (const PpToken* token = row.base; token < row.limit; ++token) text += Text(*token);
        return text;
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

TEST_F(Core, LineCommentsCanBeTurnedOff) {
    pp.lexer.lineComments = 0;
    BuildLexTable(pp.lexer);
    FixLexTable(pp.lexer);
    PushFile("a // b\n");
    EXPECT_EQ(LexAll(), "Name[a] Slash[ /] Slash[/] Name[ b] Newline[\\n] End[]");
}

TEST_F(Core, MacroHintFollowsTheQuickLookBits) {
    PushFile("alpha beta\nbeta\n");
    LookupName(pp, PpToken{PpKind::Name, 0, 0, 0, 5, const_cast<char*>("alpha")}, true);
    int first = 0, second = 1;
    LexLine(&first);
    LexLine(&second);
    EXPECT_TRUE(first != 0 && second == 0);
}

// Lines far longer than one 4096-byte read, a buffer that fills up in the
// middle of a line, and one line just under the buffer keep every byte; a
// line longer than the buffer is fatal.
TEST_F(Core, LongLines) {
    std::string input = std::string(20000, 'a') + "\n" + std::string(kPpBufferSize - 100, 'x');
    for (int line = 0; line < 30; ++line) {
        input += "\n";
        for (int word = 0; word < 1500; ++word) input += " w" + std::to_string(line * 10000 + word);
    }
    input += "\n";
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
// fill the buffer: only the tokens before it must fit.  Splices and the
// newlines of comments count in the line's increment.
TEST_F(Core, CommentsLongerThanTheBufferAreSkipped) {
    std::string block;
    for (int line = 0; line < 2000; ++line) block += "text ?? \\ * / " + std::to_string(line) + "\n";
    PushFile("a\\\nb /*" + block + "*/ c\nc // " + std::string(kPpBufferSize, 'y') + "\nd /*" + block);
    LexLine();
    EXPECT_EQ(RowText(), "ab c\n");
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
        ASSERT_LE(source->readPos - source->bufferStart, std::ptrdiff_t{kPpBufferSize * 3 / 4 + 16});
        seen += RowText();
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
    EXPECT_EQ(RowText(), "joined");  // a popped string's tokens live until the next line
    EXPECT_EQ(pp.sources.Top(), source);
    EXPECT_EQ(diagnostics, "");
}

TEST_F(Core, DiagnosticsPlaceholders) {
    PushFile("first  second (x)\n");
    LexLine();
    ReportDiag(pp.diag, kPpWarning, "s=%s d=%d t=%t", "text", -42, row.base[1]);
    ReportDiag(pp.diag, kPpWarning, "row=%r.", row);
    row.current = row.base + 1;
    ReportDiag(pp.diag, kPpWarning, "from second: %r", row);
    ReportDiag(pp.diag, kPpWarning, "100%% %q");
    EXPECT_EQ(diagnostics, "s=text d=-42 t=second\nrow=first second (x).\nfrom second: second (x)\n"
                           "100% q\n");
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
    const int cb = sets.Add(sets.Add(0, &names[2]), &names[1]);
    EXPECT_EQ(sets.Add(sets.Add(0, &names[1]), &names[0]), ab);
    EXPECT_EQ(sets.Add(ab, &names[0]), ab);
    EXPECT_EQ(sets.Count(), 6);
    EXPECT_EQ(show(0) + show(ab) + show(cb) + show(sets.Union(ab, cb)), "|0 1 |1 2 |0 1 2 |");
    EXPECT_EQ(sets.Union(a, 0), a);
    EXPECT_EQ(sets.Union(0, ab), ab);
    EXPECT_TRUE(sets.Contains(ab, &names[1]));
    EXPECT_FALSE(sets.Contains(a, &names[1]) || sets.Contains(0, &names[0]));
    int set = 0;
    std::string thirty;
    for (int i = 0; i < 30; ++i) {
        set = sets.Add(set, &names[29 - i]);
        thirty += std::to_string(i) + " ";
    }
    EXPECT_EQ(show(set), thirty + "|");
    const int all = sets.Add(set, &names[30]);
    EXPECT_EQ(all, kPpHideAll);
    EXPECT_TRUE(sets.Contains(all, &names[39]));
    EXPECT_EQ(sets.Add(all, &names[0]), kPpHideAll);
    EXPECT_EQ(sets.Union(0, all), kPpHideAll);
    EXPECT_EQ(sets.Union(all, 0), kPpHideAll);
    sets.Free();
    sets.Init();
    EXPECT_EQ(sets.Count(), 1);
    EXPECT_EQ(sets.Add(0, &names[5]), 1);
}

TEST(TokenRow, BlanksAndNumbers) {
    std::string noBlank;
    for (int kind = 0; kind < kPpKindCount; ++kind) {
        const auto k = static_cast<PpKind>(kind);
        if (IsNoBlank(k)) noBlank += KindSpelling(k);
    }
    EXPECT_EQ(noBlank, "\n[](),;{}");
    char out[16];
    EXPECT_EQ(std::string(out, FormatDecimal(out, 0)), "0");
    EXPECT_EQ(std::string(out, FormatDecimal(out, 32767)), "32767");
    EXPECT_EQ(std::string(out, FormatDecimal(out, -2147483647 - 1)), "-2147483648");
}

TEST_F(Core, BuiltinsExpandWithTheRunsTime) {
    PushFile("__FILE__ __DATE__ __TIME__\n", "dir\\x.h");
    LexLine();
    ExpandRow(pp, row, nullptr);
    EXPECT_EQ(RowText(), "\"dir\\\\x.h\" \"Sep 16 1973\" \"01:03:52\"\n");
    row.current = row.base;
    ExpandBuiltin(pp, row, 99);
    EXPECT_EQ(diagnostics, "cpp botch: unknown internal macro\n");
    EXPECT_EQ(row.current, row.base + 1);
    EXPECT_EQ(RowText(), "\"dir\\\\x.h\" \"Sep 16 1973\" \"01:03:52\"\n");
}

}  // namespace
}  // namespace cimp::cpp
