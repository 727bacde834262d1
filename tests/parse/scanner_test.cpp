// The declaration scanner (token codes, texts, refills and the echo file; its line count
// shows in the reports of the builder's cases) and the names of token codes.
#include "cimp/parse/scanner.h"

#include "cimp/parse/token_name.h"
#include "parse_fixture.h"

namespace cimp::parse {
namespace {

using Codes = std::vector<int32_t>;

// A scanner over a text, with its own typedef list that knows T and a long name.
struct ScannerOn {
    explicit ScannerOn(std::string source, TextFile* echo = nullptr)
        : text(std::move(source)), input(text), scanner(input, echo, typedefs) {
        for (const std::string& name : {std::string("T"), std::string(255, 'n')})
            typedefs.Append(NewTypedefEntry(name.c_str(), "int", 0, "", 0, 0, 1));
    }
    ~ScannerOn() { FreeTypedefList(head); }
    Codes All() {  // up to the end, which is not included
        Codes codes;
        for (int32_t code; (code = scanner.NextToken()) != 0;) codes.push_back(code);
        return codes;
    }
    std::string text;
    TypedefEntry* head = nullptr;
    TypedefIndex typedefs{&head};
    StringScanInput input;
    Scanner scanner;
};

Codes Scan(const std::string& text) { return ScannerOn(text).All(); }

TEST(Scanner, Codes) {
    std::string many;
    for (int i = 0; i < 2000; ++i) many += "name_" + std::to_string(i) + " ";
    const std::pair<std::string, Codes> cases[] = {
        {"unsigned long x;", {276, 263, 301, 59}}, {"a->b", {301, 309, 301}}, {"# ## ###", {}},
        {"a-->b", {301, 311, 62, 301}}, {"#pragma pack(1)", {301, 301, 40, 304, 41}},
        {"define elif endif error ifdef include line pragma undef", Codes(9, 301)},
        {"integer structs _int Int STRUCT", Codes(5, 301)}, {"08", {306, 304}},
        {"1 10u 10U 10l 10L 10ul 10LU", Codes(7, 304)}, {"10ULL", {304, 301}},
        {"0 017 0l", {306, 306, 306}}, {"0x1F 0XffUL", {307, 307}}, {"0x", {306, 301}},
        // Typedef names compare cut to 255 characters.
        {"T v " + std::string(258, 'n'), {308, 301, 308}},
        {"1.5 1. .5 1e10 1.5e-3f 2E+4L 3.f", Codes(7, 303)}, {"1e", {304, 301}},
        {"'a' L'b' '\\'' '\\n' 'ab'", Codes(5, 305)}, {"\"\" \"a\\\"b\" L\"w\"", Codes(3, 302)},
        {"L x", {301, 301}}, {"( ) , { } [ ] . & * + - ~ ! / % < > ^ ? : ; = |",
                              {'(', ')', ',', '{', '}', '[', ']', '.', '&', '*', '+', '-', '~', '!',
                               '/', '%', '<', '>', '^', '?', ':', ';', '=', '|'}},
        {"a /* b\n c */ d // e f\ng", {301, 301, 301}}, {"/*#line12 \"hdr/x.h\"*/\nint", {259}},
        {"a $ @ ` \\ b", {301, 301}}, {"' \"", {}}, {std::string("a\0b", 3), {301, 301}},
        {" \t\r\f\v\r\r\n x", {301}}, {"a /* b", {301}}, {"", {}}, {many, Codes(2000, 301)},
        // Tokens of up to 511 characters fit the buffer, comments and white space need none;
        // the end may come right after the pending text moved to the buffer's front.
        {"a b " + std::string(511, 'x') + " c", Codes(4, 301)},
        {std::string(509, ' ') + "abc", {301}},
        {"a // " + std::string(3000, 'c') + "\nb /* " + std::string(3000, '-') + " */" +
             std::string(3000, ' ') + std::string(3000, '\f') + "c", Codes(3, 301)}};
    for (const auto& [text, codes] : cases) EXPECT_EQ(Scan(text), codes) << text.substr(0, 80);
    // Every keyword and operator of the token list is scanned to its own code.
    const std::pair<const char*, int32_t> entries[] = {
#define CIMP_KEYWORD(name, code, spelling, report) {spelling, code},
#define CIMP_OPERATOR(name, code, spelling) {spelling, code},
#include "cimp/parse/tokens.def"
    };
    ASSERT_EQ(std::size(entries), 44u + 25u);
    for (const auto& [spelling, code] : entries) EXPECT_EQ(Scan(spelling), Codes{code}) << spelling;
}

TEST(Scanner, TextsNamesAndEnd) {
    // The text of each token, and its name in reports.
    ScannerOn on("struct  abc[12]; \"s t\" 1.5 'c' 017 0x1 -> ... |= a b");
    std::string texts;
    for (int i = 0; i < 14; ++i) {
        texts += TokenName(on.scanner.NextToken()) + "|";
        texts += std::string(on.scanner.Text()) + " ";
    }
    EXPECT_EQ(texts, "struct|struct IDENTIFIER|abc LB|[ INTEGERconstant|12 RB|] SEMICOLON|; "
                     "STRINGliteral|\"s t\" FLOATINGconstant|1.5 CHARACTERconstant|'c' "
                     "OCTALconstant|017 HEXconstant|0x1 ->|-> ...|... |=||= ");
    std::string names;
    for (int32_t code : {256, 0, 1, 7, 8, 9, 10, 11, 12, 13, 31, 32, 126, 127, 200, 308, 334, -5})
        names += TokenName(code) + " ";
    EXPECT_EQ(names, "[error] [end of file] [char 1] [\\a] [\\b] [\\t] [\\n] [\\v] [\\f] [\\r] "
                     "[char 31]   ~ [char 127] [char 200] IDENTIFIER [token 334] [token -5] ");
    on.scanner.ForceEndOfInput();
    EXPECT_EQ(on.scanner.NextToken() + on.scanner.NextToken(), 0);
    EXPECT_EQ(on.scanner.Text(), "");
}

TEST(Scanner, CharactersWithoutRuleGoToTheEchoFile) {
    TextFile echo;
    ASSERT_TRUE(echo.Open("echo.tmp", TextFile::Mode::kWrite));
    // The string cannot span the line: its quotes are stray characters.
    EXPECT_EQ(ScannerOn("s = \"abc\ndef\"; $", &echo).All(), (Codes{301, '=', 301, 301, ';'}));
    echo.Close();
    EXPECT_EQ(test::ReadFileBytes("echo.tmp"), "\"\"$");
}

TEST(Scanner, FailedReadIsFatal) {
    struct FailingInput final : ScanInput {
        std::size_t Read(char*, std::size_t) override { return 0; }
        bool Failed() const override { return true; }
    } input;
    TypedefEntry* head = nullptr;
    TypedefIndex typedefs(&head);
    testing::internal::CaptureStderr();
    EXPECT_THROW(Scanner(input, nullptr, typedefs).NextToken(), ScanError);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "L0048: fread() in PCLEX scanner failed\n");
}

}  // namespace
}  // namespace cimp::parse
