// Macro expansion: calls and arguments, #, ##, hide sets, built-ins, the
// classic examples of the C standard, and the limits that keep any input
// from expanding without bound.
#include <gtest/gtest.h>

#include "cimp/cpp/expand.h"
#include "cimp/cpp/macros.h"
#include "pp_harness.h"

namespace cimp::cpp::testing {
namespace {

// The token texts of some preprocessed text, one blank apart (white space
// and line ends are not compared).
std::string Tokens(const std::string& text) {
    PpHarness harness;
    harness.PushFile(text + "\n");
    std::string out;
    for (const LexedToken& token : harness.LexAll()) {
        if (token.kind == PpKind::Newline || token.kind == PpKind::End) {
            continue;
        }
        out += (out.empty() ? "" : " ") + token.text;
    }
    return out;
}

struct ExpandCase {
    const char* input;
    const char* output;  // compared token by token
    const char* diagnostics;
};

class ExpandCases : public ::testing::TestWithParam<ExpandCase> {};

TEST_P(ExpandCases, ResultAndDiagnostics) {
    const RunResult result = Preprocess(GetParam().input);
    EXPECT_EQ(Tokens(result.output), Tokens(GetParam().output)) << result.output;
    EXPECT_EQ(result.diagnostics, GetParam().diagnostics);
    EXPECT_FALSE(result.fatal);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, ExpandCases,
    ::testing::Values(
        ExpandCase{"#define N 10\nint a[N];\n", "int a[10];", ""},
        ExpandCase{"#define f(x) x\nf\n", "f", ""},
        ExpandCase{"#define f(x) [x]\nf (1) f\n(2) f;\n", "[1] [2] f;", ""},
        ExpandCase{"#define f(x) [x]\nf(1,\n2)\n", "f(1, 2)", "Disagreement in number of macro arguments\n"},
        ExpandCase{"#define g(a,b) a\ng(1,2,3)\n", "g(1,2,3)", "Disagreement in number of macro arguments\n"},
        ExpandCase{"#define f(x) [x]\nf()\n", "f()", "Disagreement in number of macro arguments\n"},
        ExpandCase{"#define h(a,b) <a|b>\nh( , )\n", "< | >", ""},
        ExpandCase{"#define z() zero\nz()\n", "zero", ""},
        ExpandCase{"#define f(x) (x)\nf((a,b))\n", "((a,b))", ""},
        ExpandCase{"#define f (x)\nf(1)\n", "(x)(1)", ""},
        ExpandCase{"#define f(x) [x]\nf(1,\n", "f(1,", "EOF in macro arglist\nDisagreement in number of macro arguments\n"},
        ExpandCase{"#define f(x) x x\n#define g f(1) f(g)\ng\n", "1 1 g g", ""}));

INSTANTIATE_TEST_SUITE_P(
    HideSets, ExpandCases,
    ::testing::Values(
        ExpandCase{"#define x x\nx\n", "x", ""},
        ExpandCase{"#define x y\n#define y x\nx y\n", "x y", ""},
        ExpandCase{"#define f(x) g(x)\n#define g(x) f(x)\nf(1) g(2)\n", "f(1) g(2)", ""},
        ExpandCase{"#define f(x) x\nf(f)(1)\n", "f(1)", ""},
        // The name's own hide set decides: f stays hidden in g's replacement.
        ExpandCase{"#define f(a) a*g\n#define g(a) f(a)\nf(2)(9)\n", "2*f(9)", ""},
        ExpandCase{"#define defined defined\ndefined\n", "defined", "#defined token defined can't be redefined\n"}));

INSTANTIATE_TEST_SUITE_P(
    StringizeAndPaste, ExpandCases,
    ::testing::Values(
        ExpandCase{"#define s(x) #x\ns(a \"x\\y\" 'd')\n", "\"a \\\"x\\\\y\\\" 'd'\"", ""},
        ExpandCase{"#define s(x) #x\ns(  a   +\tb  )\n", "\"a + b\"", ""},
        ExpandCase{"#define s(x) #x\ns()\n", "s()", "Disagreement in number of macro arguments\n"},
        ExpandCase{"#define s(x) # y\ns(1)\n", "# y", "# not followed by macro parameter\n"},
        ExpandCase{"#define cat(a,b) a##b\ncat (x, y)\n", "xy", ""},
        ExpandCase{"#define cat(a,b) a##b\ncat (1, +)\n", "1", "Bad token 1+ produced by ##\n"},
        ExpandCase{"#define cat3(a,b,c) a##b##c\ncat3(x, 1, y)\n", "x1y", ""},
        ExpandCase{"#define b ## x\nb\n", "## x", "## occurs at border of replacement\n"},
        ExpandCase{"#define e(x) x ##\ne(1)\n", "1 ##", "## occurs at border of replacement\n"},
        ExpandCase{"#define f(x) [x]\n#define id(x) x\nid(f(a ## b))\n", "[a ## b]", ""},
        ExpandCase{"#define t(x,y,z) x ## y ## z\nt(,4,5) t(6,,7)\n", "## 45 6 7",
                   "## occurs at border of replacement\nBad token 6## produced by ##\n"},
        ExpandCase{"#define N 5\n#define cat(a,b) a##b\n#define xcat(a,b) cat(a,b)\ncat(N,1) xcat(N,1)\n",
                   "N1 51", ""}));

INSTANTIATE_TEST_SUITE_P(
    Definitions, ExpandCases,
    ::testing::Values(
        ExpandCase{"#define A 1\n#define A  1\nA\n", "1", ""},
        ExpandCase{"#define A 1\n#define A 2\nA\n", "2", "Macro redefinition of A\n"},
        ExpandCase{"#define A 1 + 2\n#define A 1+2\nA\n", "1+2", "Macro redefinition of A\n"},
        ExpandCase{"#define f(a) a\n#define f(b) b\nf(1)\n", "1", "Macro redefinition of f\n"},
        ExpandCase{"#define f(a) a\n#define f a\nf\n", "a", "Macro redefinition of f\n"},
        ExpandCase{"#define f(a,b) a b\n#define f(a,b) a  b\nf(1,2)\n", "1 2", ""},
        ExpandCase{"#define f(a,b) a b\n#define f(a, b) a b\nf(1,2)\n", "1 2", "Macro redefinition of f\n"},
        ExpandCase{"#define __LINE__ 3\n__LINE__\n", "2", "#defined token __LINE__ can't be redefined\n"},
        ExpandCase{"#define 3 x\n", "", "#defined token is not a name\n"},
        ExpandCase{"#define\n", "", "#defined token is not a name\n"},
        ExpandCase{"#define f(a,a) a\nf(1,2)\n", "1", "Duplicate macro argument\n"},
        ExpandCase{"#define f(a b) a\nf(1)\n", "f(1)", "Syntax error in macro parameters\n"},
        ExpandCase{"#define f(a,) a\nf(1)\n", "f(1)", "Syntax error in macro parameters\n"},
        ExpandCase{"#define f(1) a\nf(1)\n", "f(1)", "Syntax error in macro parameters\n"},
        ExpandCase{"#define A 1\n#undef A\nA\n", "A", ""},
        ExpandCase{"#define A 1\n#undef A B\n#undef\nA\n", "1", "Syntax error in #undef\nSyntax error in #undef\n"},
        ExpandCase{"#undef never\nnever\n", "never", ""}));

INSTANTIATE_TEST_SUITE_P(
    Builtins, ExpandCases,
    ::testing::Values(
        ExpandCase{"a\n__LINE__\n", "a 2", ""},
        ExpandCase{"__FILE__ __DATE__ __TIME__\n", "\"test.h\" \"Sep 16 1973\" \"01:03:52\"", ""},
        ExpandCase{"#define L __LINE__\nx\n L\n", "x 3", ""},
        ExpandCase{"#define f(x) x\nf(\n__LINE__\n)\n", "2", ""}));

// Examples of macro replacement from the C standard, with their results.
INSTANTIATE_TEST_SUITE_P(
    StandardExamples, ExpandCases,
    ::testing::Values(
        ExpandCase{"#define x 3\n"
                   "#define f(a) f(x * (a))\n"
                   "#undef x\n"
                   "#define x 2\n"
                   "#define g f\n"
                   "#define z z[0]\n"
                   "#define h g(~\n"
                   "#define m(a) a(w)\n"
                   "#define w 0,1\n"
                   "#define t(a) a\n"
                   "f(y+1) + f(f(z)) % t(t(g)(0) + t)(1);\n"
                   "g(x+(3,4)-w) | h 5) & m\n"
                   "(f)^m(m);\n",
                   "f(2 * (y+1)) + f(2 * (f(2 * (z[0])))) % f(2 * (0)) + t(1);\n"
                   "f(2 * (2+(3,4)-0,1)) | f(2 * (~ 5)) & f(2 * (0,1))^m(0,1);\n",
                   ""},
        ExpandCase{"#define str(s) # s\n"
                   "#define xstr(s) str(s)\n"
                   "#define debug(s, t) printf(\"x\" # s \"= %d, x\" # t \"= %s\", \\\n"
                   " x ## s, x ## t)\n"
                   "#define INCFILE(n) vers ## n\n"
                   "#define glue(a, b) a ## b\n"
                   "#define xglue(a, b) glue(a, b)\n"
                   "#define HIGHLOW \"hello\"\n"
                   "#define LOW LOW \", world\"\n"
                   "debug(1, 2);\n"
                   "fputs(str(strncmp(\"abc\\0d\", \"abc\", '\\4') /* this goes away */\n"
                   " == 0) str(: @\\n), s);\n"
                   "xstr(INCFILE(2).h)\n"
                   "glue(HIGH, LOW);\n"
                   "xglue(HIGH, LOW)\n",
                   "printf(\"x\" \"1\" \"= %d, x\" \"2\" \"= %s\", x1, x2);\n"
                   "fputs(\"strncmp(\\\"abc\\\\0d\\\", \\\"abc\\\", '\\\\4') == 0\" \": @\\n\", s);\n"
                   "\"vers2.h\"\n"
                   "\"hello\";\n"
                   "\"hello\" \", world\"\n",
                   ""},
        ExpandCase{"#define hash_hash # ## #\n"
                   "#define mkstr(a) # a\n"
                   "#define in_between(a) mkstr(a)\n"
                   "#define join(c, d) in_between(c hash_hash d)\n"
                   "char p[] = join(x, y);\n",
                   "char p[] = \"x ## y\";", ""}));

TEST(Expand, WhiteSpaceOfTheOutput) {
    EXPECT_EQ(Preprocess("#define N 10\nint a[N];\n").output, "\nint a[10];\n");
    EXPECT_EQ(Preprocess("#define f(x) x+1\n  y = f(2);\n").output, "\n  y = 2 +1;\n");
    EXPECT_EQ(Preprocess("#define E\n(E)\n").output, "\n()\n");
}

TEST(Expand, ThirtyOneArgumentsAreTheLimit) {
    std::string params;
    std::string args;
    for (int i = 0; i < 31; ++i) {
        params += (i > 0 ? ",p" : "p") + std::to_string(i);
        args += i > 0 ? "," : "";
        args += std::to_string(i);
    }
    const RunResult ok = Preprocess("#define f(" + params + ") p0 p30\nf(" + args + ")\n");
    EXPECT_EQ(Tokens(ok.output), "0 30");
    EXPECT_EQ(ok.diagnostics, "");
    const RunResult tooMany = Preprocess("#define f(" + params + ") p0\nf(" + args + ",31)\n");
    EXPECT_TRUE(tooMany.fatal);
    EXPECT_EQ(tooMany.diagnostics, "Sorry, too many macro arguments\n");
}

TEST(Expand, StringizedArgumentStopsAt502Bytes) {
    const std::string word(200, 'w');
    const RunResult result = Preprocess("#define s(x) #x\ns(" + word + " " + word + ")\n");
    EXPECT_EQ(Tokens(result.output), "\"" + word + "\"");
    EXPECT_EQ(result.diagnostics, "Stringified macro arg is too long\n");
}

TEST(Expand, PastedOperandsAreLimitedTo127Bytes) {
    const std::string left(64, 'a');
    const std::string right(64, 'b');
    const RunResult fits = Preprocess("#define cat(a,b) a##b\ncat(" + left + "," + right.substr(1) + ")\n");
    EXPECT_EQ(Tokens(fits.output), left + right.substr(1));
    EXPECT_EQ(fits.diagnostics, "");
    const RunResult tooLong = Preprocess("#define cat(a,b) a##b\ncat(" + left + "," + right + ")\n");
    EXPECT_EQ(Tokens(tooLong.output), left + " ## " + right);
    EXPECT_EQ(tooLong.diagnostics, "Operands of ## too long\n");
}

std::string Chain(int length, bool closed) {
    std::string text;
    for (int i = 0; i < length; ++i) {
        const int next = i + 1 < length ? i + 1 : 0;
        text += "#define m" + std::to_string(i) + " m" + std::to_string(closed || next != 0 ? next : i + 1) + "\n";
    }
    return text;
}

TEST(Expand, HideSetsHoldThirtyNames) {
    const RunResult thirty = Preprocess(Chain(30, true) + "m0\n");
    EXPECT_EQ(Tokens(thirty.output), "m0");
    EXPECT_EQ(thirty.diagnostics, "");
    // A loop of 31 macros would need a 31st name: it stops with an error
    // instead of expanding for ever.
    const RunResult loop = Preprocess(Chain(31, true) + "m0 x\n");
    EXPECT_EQ(Tokens(loop.output), "m30 x");
    EXPECT_EQ(loop.diagnostics, "Macro expansion nested more than 30 deep\n");
    EXPECT_FALSE(loop.fatal);
}

TEST(Expand, ExponentialGrowthIsFatal) {
    std::string text;
    for (char c = 'a'; c < 'a' + 25; ++c) {
        text += std::string("#define ") + c + " " + static_cast<char>(c + 1) + " " + static_cast<char>(c + 1) + "\n";
    }
    const RunResult result = Preprocess(text + "a\n");
    EXPECT_TRUE(result.fatal);
    EXPECT_EQ(result.diagnostics, "Macro expansion too large\n");
}

TEST(Expand, ArgumentsNestAtMost64Deep) {
    // The outermost calls and the arguments of 64 levels expand; the calls
    // inside the deepest argument stay as written, with one error.
    std::string call = "1";
    std::string rest = "1";
    for (int i = 0; i < kPpMaxArgumentDepth + 6; ++i) {
        call = "f(" + call + ")";
        if (i < 5) {
            rest = "f(" + rest + ")";
        }
    }
    const RunResult result = Preprocess("#define f(x) x\n" + call + "\n");
    EXPECT_EQ(Tokens(result.output), Tokens(rest));
    EXPECT_EQ(result.diagnostics, "Macro arguments nested too deeply\n");
    EXPECT_FALSE(result.fatal);
}

TEST(Expand, GeneratedTextOfOneLineIsBounded) {
    std::string uses;
    for (int i = 0; i < 200; ++i) {
        uses += " __FILE__";
    }
    PpHarness harness;
    harness.PushFile(uses + "\n" + uses + "\n", std::string(100, 'n'));
    PpTokenRow row(3);
    BeginLine(harness.pp());
    ReadLine(harness.pp(), row, true);
    EXPECT_FALSE(RunUntilFatal(harness.pp().diag, [&] { ExpandRow(harness.pp(), row, nullptr); }));
    EXPECT_EQ(harness.diagnostics(), "Too much generated text for one line\n");
}

TEST(Expand, FileNameBackslashesAreDoubled) {
    PpHarness harness;
    harness.PushFile("__FILE__\n", "dir\\x.h");
    PpTokenRow row(3);
    ReadLine(harness.pp(), row, true);
    ExpandRow(harness.pp(), row, nullptr);
    EXPECT_EQ(PpHarness::Render(row), "\"dir\\\\x.h\"\n");
}

TEST(Expand, UnknownBuiltinIsReported) {
    PpHarness harness;
    harness.PushFile("x\n");
    PpTokenRow row(3);
    ReadLine(harness.pp(), row, true);
    ExpandBuiltin(harness.pp(), row, 99);
    EXPECT_EQ(harness.diagnostics(), "cpp botch: unknown internal macro\n");
    EXPECT_EQ(row.current, row.base + 1);
    EXPECT_EQ(PpHarness::Render(row), "x\n");
}

struct DefinedCase {
    const char* input;
    const char* kinds;
    const char* diagnostics;
};

class DefinedInConditions : public ::testing::TestWithParam<DefinedCase> {};

TEST_P(DefinedInConditions, MarksTheOperand) {
    PpHarness harness;
    harness.PushFile(GetParam().input);
    PpTokenRow row(3);
    ReadLine(harness.pp(), row, true);
    harness.pp().names.definedEntry->keyword = kPpKeywordDefined;
    ExpandRow(harness.pp(), row, "<if>");
    harness.pp().names.definedEntry->keyword = kPpKeywordDefinedIdle;
    std::string kinds;
    for (const PpToken* token = row.base; token < row.limit; ++token) {
        kinds += std::string(kinds.empty() ? "" : " ") + KindName(token->kind);
    }
    EXPECT_EQ(kinds, GetParam().kinds);
    EXPECT_EQ(harness.diagnostics(), GetParam().diagnostics);
    EXPECT_EQ(harness.pp().sources.Top()->name, "test.h");
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DefinedInConditions,
    ::testing::Values(DefinedCase{"defined X\n", "Defined NameInDefined Newline", ""},
                      DefinedCase{"defined ( X )\n", "Defined LeftParen NameInDefined RightParen Newline", ""},
                      DefinedCase{"defined\n", "Defined Newline", "Incorrect syntax for `defined'\n"},
                      DefinedCase{"defined (X\n", "Defined LeftParen Name Newline", "Incorrect syntax for `defined'\n"}));

TEST(Expand, TaggedExpansionNeverReadsPastTheRow) {
    PpHarness harness;
    harness.PushFile("#define f(x) [x]\nf\n(1)\n");
    PpTokenRow row(3);
    ReadLine(harness.pp(), row, true);
    row.current = row.base + 1;
    DefineMacro(harness.pp(), row);
    row.current = row.limit = row.base;
    ReadLine(harness.pp(), row, true);
    ExpandRow(harness.pp(), row, "<if>");
    EXPECT_EQ(PpHarness::Render(row), "f\n");
    EXPECT_EQ(harness.pp().sources.Top()->name, "test.h");
    EXPECT_EQ(harness.LexLine().size(), 4u);  // ( 1 ) and the newline
    EXPECT_EQ(harness.diagnostics(), "");
}

TEST(Expand, ArgumentsMayCrossLinesAndComments) {
    const RunResult result = Preprocess("#define f(a,b) [a|b]\nf(1 /* one\n two */,\n  2\n)\nnext\n");
    EXPECT_EQ(Tokens(result.output), "[ 1 | 2 ] next");
    EXPECT_EQ(result.diagnostics, "");
}

// A call whose arguments fill much of the input buffer, read while the
// buffer has to move its bytes: the tokens already gathered follow them.
TEST(Expand, LongCallsSurviveBufferMoves) {
    std::string args;
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        const std::string word = 'a' + std::to_string(i);
        args += word + (i % 10 == 9 ? "\n" : " ");
        expected += (expected.empty() ? "" : " ") + word;
    }
    const std::string filler(20000, ' ');
    const RunResult result =
        Preprocess("#define f(x) [x]\n" + filler + "z\nf(" + args + ") end\n");
    EXPECT_EQ(Tokens(result.output), "z [ " + expected + " ] end");
    EXPECT_EQ(result.diagnostics, "");
}

TEST(Expand, DefinedOutsideConditionsIsItself) {
    EXPECT_EQ(Tokens(Preprocess("defined(X)\n").output), "defined ( X )");
}

}  // namespace
}  // namespace cimp::cpp::testing
