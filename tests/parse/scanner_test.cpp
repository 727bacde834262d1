#include "cimp/parse/scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cimp/parse/tokens.h"
#include "parse_fixture.h"

namespace cimp::parse {
namespace {

// A scanner over a text, with its own typedef list.
struct ScannerOn {
    explicit ScannerOn(std::string_view text, TextFile* echo = nullptr) : input(text), scanner(input, echo, typedefs) {}
    ~ScannerOn() { FreeTypedefList(head); }

    // Scans to the end and returns the codes (the final 0 not included).
    std::vector<int32_t> Codes() {
        std::vector<int32_t> codes;
        for (int32_t code = scanner.NextToken(); code != 0; code = scanner.NextToken()) codes.push_back(code);
        return codes;
    }

    TypedefEntry* head = nullptr;
    TypedefIndex typedefs{&head};
    StringScanInput input;
    Scanner scanner;
};

std::vector<int32_t> Codes(const std::string& text, const std::vector<std::string>& typedefNames = {}) {
    ScannerOn on(text);
    for (const auto& name : typedefNames) on.typedefs.Append(NewTypedefEntry(name.c_str(), "int", 0, "", 0, 0, 1));
    return on.Codes();
}

struct CodesCase {
    const char* name;
    std::string text;
    std::vector<int32_t> codes;
};

class ScannerCodes : public ::testing::TestWithParam<CodesCase> {};

TEST_P(ScannerCodes, YieldsTheCodes) { EXPECT_EQ(Codes(GetParam().text), GetParam().codes); }

INSTANTIATE_TEST_SUITE_P(
    Rules, ScannerCodes,
    ::testing::Values(
        CodesCase{"TypeKeywords", "unsigned long x;", {276, 263, 301, 59}},
        CodesCase{"Arrow", "a->b", {301, 309, 301}},
        CodesCase{"LongestOperatorFirst", "a-->b", {301, 311, 62, 301}},
        CodesCase{"PragmaLine", "#pragma pack(1)", {301, 301, 40, 304, 41}},
        CodesCase{"DirectiveWordsAreIdentifiers", "define defined elif endif error ifdef ifndef include line pragma undef",
                  std::vector<int32_t>(11, 301)},
        CodesCase{"NumberSignsSkipped", "# ## ###", {}},
        CodesCase{"KeywordPrefixIsIdentifier", "integer structs _int", {301, 301, 301}},
        CodesCase{"KeywordsAreCaseSensitive", "Int STRUCT", {301, 301}},
        CodesCase{"DecimalSuffixes", "1 10u 10U 10l 10L 10ul 10LU", {304, 304, 304, 304, 304, 304, 304}},
        CodesCase{"SuffixReadsOneLong", "10ULL", {304, 301}},
        CodesCase{"OctalThenDecimal", "08", {306, 304}},
        CodesCase{"OctalForms", "0 017 0l", {306, 306, 306}},
        CodesCase{"Hex", "0x1F 0XffUL", {307, 307}},
        CodesCase{"HexWithoutDigits", "0x", {306, 301}},
        CodesCase{"Floats", "1.5 1. .5 1e10 1.5e-3f 2E+4L 3.f", {303, 303, 303, 303, 303, 303, 303}},
        CodesCase{"ExponentWithoutDigits", "1e", {304, 301}},
        CodesCase{"Characters", "'a' L'b' '\\'' '\\n' 'ab'", {305, 305, 305, 305, 305}},
        CodesCase{"Strings", "\"\" \"a\\\"b\" L\"w\"", {302, 302, 302}},
        CodesCase{"LOnItsOwn", "L x", {301, 301}},
        CodesCase{"OneCharacterTokens", "( ) , { } [ ] . & * + - ~ ! / % < > ^ ? : ; = |",
                  {'(', ')', ',', '{', '}', '[', ']', '.', '&', '*', '+', '-', '~', '!', '/', '%', '<', '>', '^',
                   '?', ':', ';', '=', '|'}},
        CodesCase{"BlockComment", "a /* b\n c */ d", {301, 301}},
        CodesCase{"LineComment", "a // b c\nd", {301, 301}},
        CodesCase{"LineMarker", "/*#line12 \"hdr/x.h\"*/\nint", {259}},
        CodesCase{"StrayCharactersSkipped", "a $ @ ` \\ b", {301, 301}},
        CodesCase{"UnmatchedQuotes", "' \"", {}},
        CodesCase{"NulIsSkipped", std::string("a\0b", 3), {301, 301}},
        CodesCase{"WhiteSpace", " \t\r\f\v\r\r\n x", {301}},
        CodesCase{"UnterminatedComment", "a /* b", {301}}),
    [](const auto& info) { return std::string(info.param.name); });

// Every keyword and operator of the token list is scanned to its own code.
TEST(ScannerTokenList, EveryKeywordAndOperator) {
    struct Entry {
        const char* spelling;
        int32_t code;
    };
    const std::vector<Entry> entries{
#define CIMP_KEYWORD(name, code, spelling, report) {spelling, code},
#define CIMP_OPERATOR(name, code, spelling) {spelling, code},
#include "cimp/parse/tokens.def"
    };
    ASSERT_EQ(entries.size(), 44u + 25u);
    for (const auto& e : entries) EXPECT_EQ(Codes(e.spelling), std::vector<int32_t>{e.code}) << e.spelling;
}

TEST(ScannerTypedefNames, KnownNamesScanAsTypedefNames) {
    EXPECT_EQ(Codes("T v U", {"T", "U"}), (std::vector<int32_t>{308, 301, 308}));
}

TEST(ScannerTypedefNames, LongNamesCompareCutTo255) {
    const std::string stored(255, 'n');
    EXPECT_EQ(Codes(stored + "xyz", {stored}), std::vector<int32_t>{308});
}

struct LineCase {
    const char* name;
    std::string text;
    int32_t line;  // the line counter when the token "x" is returned
};

class ScannerLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(ScannerLines, CountsLines) {
    ScannerOn on(GetParam().text);
    ASSERT_EQ(on.scanner.NextToken(), 301);
    EXPECT_EQ(on.scanner.Text(), "x");
    EXPECT_EQ(on.scanner.Line(), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScannerLines,
    ::testing::Values(LineCase{"FirstLine", "x", 1}, LineCase{"Newlines", "\n\nx", 3},
                      LineCase{"CarriageReturns", "\r\n\r\r\nx", 3}, LineCase{"InBlockComment", "/*\n\n*/x", 3},
                      LineCase{"InLineComment", "// a\nx", 2}, LineCase{"MarkerAddsNone", "/*#line7 \"a.h\"*/x", 1},
                      LineCase{"LoneCarriageReturn", "\r\rx", 1},
                      LineCase{"LongCarriageReturnRun", std::string(3000, '\r') + "\nx", 2},
                      LineCase{"LongCarriageReturnRunInComment", "/*" + std::string(3000, '\r') + "\n*/x", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScannerText, TextOfEachToken) {
    ScannerOn on("struct  abc[12]; \"s t\"");
    std::vector<std::string> texts;
    while (on.scanner.NextToken() != 0) texts.emplace_back(on.scanner.Text());
    EXPECT_EQ(texts, (std::vector<std::string>{"struct", "abc", "[", "12", "]", ";", "\"s t\""}));
    EXPECT_EQ(on.scanner.Text(), "");
}

TEST(ScannerEnd, EmptyInputEndsAtOnce) { EXPECT_TRUE(Codes("").empty()); }

TEST(ScannerEnd, EndIsReturnedAgain) {
    ScannerOn on("a");
    EXPECT_EQ(on.scanner.NextToken(), 301);
    EXPECT_EQ(on.scanner.NextToken(), 0);
    EXPECT_EQ(on.scanner.NextToken(), 0);
}

TEST(ScannerEnd, ForcedEndStays) {
    ScannerOn on("a b c");
    EXPECT_EQ(on.scanner.NextToken(), 301);
    on.scanner.ForceEndOfInput();
    EXPECT_EQ(on.scanner.NextToken(), 0);
    EXPECT_EQ(on.scanner.NextToken(), 0);
}

// Tokens longer than a refill block cannot be held.
TEST(ScannerBuffer, TokenOf511CharactersFits) {
    const std::string text = "a b " + std::string(511, 'x') + " c";
    EXPECT_EQ(Codes(text), (std::vector<int32_t>{301, 301, 301, 301}));
}

TEST(ScannerBuffer, TokenOf600CharactersOverflows) {
    testing::internal::CaptureStderr();
    try {
        Codes("int " + std::string(600, 'x') + ";");
        ADD_FAILURE() << "no error";
    } catch (const ScanError& e) {
        EXPECT_STREQ(e.what(), "pclex input buffer overflowed");
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "pclex input buffer overflowed\n");
}

TEST(ScannerBuffer, LongCommentsAndWhiteSpaceNeedNoBuffer) {
    const std::string text = "a // " + std::string(3000, 'c') + "\nb /* " + std::string(3000, '-') + " */" +
                             std::string(3000, ' ') + std::string(3000, '\f') + "c";
    EXPECT_EQ(Codes(text), (std::vector<int32_t>{301, 301, 301}));
}

TEST(ScannerBuffer, TokensAcrossManyRefills) {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "name_" + std::to_string(i) + " ";
    EXPECT_EQ(Codes(text), std::vector<int32_t>(2000, 301));
}

class FailingInput final : public ScanInput {
public:
    std::size_t Read(char*, std::size_t) override {
        failed_ = true;
        return 0;
    }
    bool Failed() const override { return failed_; }

private:
    bool failed_ = false;
};

TEST(ScannerInput, FailedReadIsFatal) {
    TypedefEntry* head = nullptr;
    TypedefIndex typedefs(&head);
    FailingInput input;
    Scanner scanner(input, nullptr, typedefs);
    testing::internal::CaptureStderr();
    EXPECT_THROW(scanner.NextToken(), ScanError);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "L0048: fread() in PCLEX scanner failed\n");
}

TEST(ScannerEcho, CharactersWithoutRuleGoToTheEchoFile) {
    RemoveFile("echo.tmp");
    {
        TextFile echo;
        ASSERT_TRUE(echo.Open("echo.tmp", TextFile::Mode::kAppend));
        ScannerOn on("s = \"abc\ndef\"; $", &echo);
        // The string cannot span the line: its quotes are stray characters.
        EXPECT_EQ(on.Codes(), (std::vector<int32_t>{301, '=', 301, 301, ';'}));
    }
    EXPECT_EQ(test::ReadFileBytes("echo.tmp"), "\"\"$");
    RemoveFile("echo.tmp");
}

}  // namespace
}  // namespace cimp::parse
