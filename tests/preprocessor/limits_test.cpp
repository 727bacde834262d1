// The limits that keep any input from expanding or nesting without bound,
// and inputs larger than the buffers.
#include <string>
#include <vector>

#include "cimp/cpp/expand.h"
#include "pp_test_util.h"

namespace pp_test {
namespace {

using LimitsTest = PreprocessorTest;
const std::string kFatal = "\nFatal error occurred during parse.\n";

std::string Repeat(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

TEST_F(LimitsTest, ThirtyOneArgumentsAtMost) {
    std::string params = "p0";
    std::string args = "0";
    for (int i = 1; i < 31; ++i) {
        params += ",p" + std::to_string(i);
        args += "," + std::to_string(i);
    }
    ASSERT_EQ(Preprocess("#define f(" + params + ") p0 p30\nf(" + args + ")\n"), 0);
    EXPECT_EQ(Text(), "\n 0 30\n");
    EXPECT_EQ(Diagnostics(), "");
    EXPECT_EQ(Preprocess("#define f(" + params + ") p0\nf(" + args + ",31)\n"), -2);
    EXPECT_EQ(Diagnostics(), "Sorry, too many macro arguments\n" + kFatal);
}

TEST_F(LimitsTest, StringizedArgumentStopsAt502Bytes) {
    const std::string word(200, 'w');
    ASSERT_EQ(Preprocess("#define s(x) #x\ns(" + word + " " + word + ")\n"), 0);
    EXPECT_EQ(Text(), "\n \"" + word + "\"\n");
    EXPECT_EQ(Diagnostics(), "Stringified macro arg is too long\n");
}

TEST_F(LimitsTest, PastedOperandsFitIn127Bytes) {
    const std::string left(64, 'a');
    const std::string right(64, 'b');
    ASSERT_EQ(Preprocess("#define cat(a,b) a##b\ncat(" + left + "," + right.substr(1) + ")\n"), 0);
    EXPECT_EQ(Text(), "\n " + left + right.substr(1) + "\n");
    EXPECT_EQ(Diagnostics(), "");
    ASSERT_EQ(Preprocess("#define cat(a,b) a##b\ncat(" + left + "," + right + ")\n"), 0);
    EXPECT_EQ(Text(), "\n " + left + " ## " + right + "\n");
    EXPECT_EQ(Diagnostics(), "Operands of ## too long\n");
}

// m0 .. m(length-1), each naming the next; the last names m0 again.
std::string Chain(int length) {
    std::string text;
    for (int i = 0; i < length; ++i) {
        text += "#define m" + std::to_string(i) + " m" + std::to_string((i + 1) % length) + "\n";
    }
    return text;
}

TEST_F(LimitsTest, HideSetsHoldThirtyNames) {
    ASSERT_EQ(Preprocess(Chain(30) + "m0\n"), 0);
    EXPECT_EQ(Text(), Repeat("\n", 30) + " m0\n");
    EXPECT_EQ(Diagnostics(), "");
    // A loop of 31 macros would need a 31st name: it stops with an error.
    ASSERT_EQ(Preprocess(Chain(31) + "m0 x\n"), 0);
    EXPECT_EQ(Text(), Repeat("\n", 31) + " m30 x\n");
    EXPECT_EQ(Diagnostics(), "Macro expansion nested more than 30 deep\n");
    // An argument expanded by 30 macros cannot take the name of the call too.
    ASSERT_EQ(Preprocess("#define id(x) x\n" + Chain(31) + "#undef m30\nid(m0)\n"), 0);
    EXPECT_EQ(Text(), Repeat("\n", 33) + " m30\n");
    EXPECT_EQ(Diagnostics(), "Macro expansion nested more than 30 deep\n");
}

TEST_F(LimitsTest, ExponentialGrowthIsFatal) {
    std::string text;
    for (char c = 'a'; c < 'a' + 25; ++c) {
        const char next = static_cast<char>(c + 1);
        text += std::string("#define ") + c + " " + next + " " + next + "\n";
    }
    EXPECT_EQ(Preprocess(text + "a\n"), -2);
    EXPECT_EQ(Diagnostics(), "Macro expansion too large\n" + kFatal);
}

// The outermost calls and the arguments of 64 levels expand; the calls
// inside the deepest argument stay as written, with one error.
TEST_F(LimitsTest, ArgumentsNestAtMost64Deep) {
    const int depth = cimp::cpp::kPpMaxArgumentDepth + 6;
    ASSERT_EQ(Preprocess("#define f(x) x\n" + Repeat("f(", depth) + "1" + Repeat(")", depth) + "\n"), 0);
    EXPECT_EQ(Text(), "\n " + Repeat("f(", 5) + "1" + Repeat(")", 5) + "\n");
    EXPECT_EQ(Diagnostics(), "Macro arguments nested too deeply\n");
}

TEST_F(LimitsTest, GeneratedTextOfOneLineIsBounded) {
    const std::string name(100, 'n');
    EXPECT_EQ(Preprocess("--- " + name + "\n" + Repeat(" __FILE__", 200) + "\n"), -2);
    EXPECT_EQ(Diagnostics(), "Too much generated text for one line\n" + kFatal);
}

// A call whose arguments fill much of the input buffer, read while the
// buffer has to move its bytes: the tokens already gathered follow them.
TEST_F(LimitsTest, LongCallsSurviveBufferMoves) {
    std::string args;
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        const std::string word = 'a' + std::to_string(i);
        args += word + (i % 10 == 9 ? "\n" : " ");
        expected += (i == 0 ? "" : " ") + word;
    }
    ASSERT_EQ(Preprocess("#define f(x) [x]\n" + std::string(20000, ' ') + "z\nf(" + args + ") end\n"),
              0);
    EXPECT_EQ(Text(), "\n" + std::string(20000, ' ') + "z\n[" + expected + "] end\n");
    EXPECT_EQ(Diagnostics(), "");
}

// Thirty-one open conditionals are accepted, the thirty-second is fatal, also
// in a skipped group.
TEST_F(LimitsTest, ConditionalDepth) {
    const std::string accepted = Repeat("#if 1\n", 31) + "x\n" + Repeat("#endif\n", 31);
    ASSERT_EQ(Preprocess(accepted), 0);
    EXPECT_EQ(Diagnostics(), "");
    const std::string fatal = "#if too deeply nested\n" + kFatal;
    EXPECT_EQ(Preprocess("#if 1\n" + accepted + "#endif\n"), -2);
    EXPECT_EQ(Diagnostics(), fatal);
    EXPECT_EQ(Preprocess("#if 0\n" + Repeat("#ifdef X\n", 31)), -2);
    EXPECT_EQ(Diagnostics(), fatal);
}

// Ten nested includes are accepted, the eleventh is fatal.
TEST_F(LimitsTest, IncludeDepth) {
    for (int i = 1; i < 10; ++i) {
        WriteFileBytes("n" + std::to_string(i) + ".h",
                       "#include \"n" + std::to_string(i + 1) + ".h\"\n");
    }
    ASSERT_EQ(Preprocess("#include \"n1.h\"\n--- n10.h\ndeepest\n"), 0);
    EXPECT_EQ(Text(), "deepest\n");
    EXPECT_EQ(Preprocess("#include \"n1.h\"\n--- n10.h\n#include \"n11.h\"\n--- n11.h\ntoo deep\n"), -2);
    EXPECT_EQ(Diagnostics(), "#include too deeply nested\n" + kFatal);
}

TEST_F(LimitsTest, ThirtyOneIncludeDirectories) {
    WriteFileBytes("d30/a.h", "last\n");
    std::vector<std::string> options;
    for (int i = 0; i < 31; ++i) options.push_back("-Id" + std::to_string(i));
    ASSERT_EQ(Preprocess("#include <a.h>\n", options), 0);
    EXPECT_EQ(Text(), "last\n");
    options.push_back("-Id31");
    EXPECT_EQ(Preprocess("#include <a.h>\n", options), -2);
    EXPECT_EQ(Diagnostics(), "Too many -I directives\n" + kFatal);
}

// Lines far longer than the output buffer, and many lines, arrive whole.
TEST_F(LimitsTest, LongRunsAndManyOutputBlocks) {
    std::string text = Repeat("abc ", 7500) + "end\n";
    for (int i = 0; i < 3000; ++i) text += "int field" + std::to_string(i) + ";\n";
    ASSERT_EQ(Preprocess(text), 0);
    EXPECT_TRUE(ReadFileBytes("cprep.tmp") == ToCrLf("/*#line1 \"in.h\"*/\n" + text))
        << "the output differs from the input";
}

}  // namespace
}  // namespace pp_test
