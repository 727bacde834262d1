// The bytes of "cprep.tmp": CR LF line ends, line markers, runs copied from
// the input, blocks of any size, and a file that cannot be written.
#include <filesystem>
#include <string>

#include "pp_test_util.h"

namespace pp_test {
namespace {

namespace fs = std::filesystem;

using OutputTest = PreprocessorTest;

TEST_F(OutputTest, ExactBytesOfAnIncludedHeader) {
    WriteFileBytes("cpre.tmp", "#include \"a.h\"\n");
    WriteFileBytes("a.h", "int a;\n");
    ASSERT_EQ(RunWithArgs({"cpre.tmp", "cpre.tmp"}), 0);
    EXPECT_EQ(ReadFileBytes("cprep.tmp"),
              "/*#line1 \"cpre.tmp\"*/\r\n/*#line1 \"./a.h\"*/\r\nint a;\r\n/*#line2 \"cpre.tmp\"*/\r\n");
}

TEST_F(OutputTest, WhiteSpaceKeptCommentsReplaced) {
    ASSERT_EQ(Preprocess("  int  a; // note\n\tb/*x*/c  /**/  d;\n"), 0);
    EXPECT_EQ(ReadFileBytes("cprep.tmp"), "/*#line1 \"in.h\"*/\r\n  int  a;\r\n\tb c  d;\r\n");
}

TEST_F(OutputTest, CrLfInputGivesTheSameOutput) {
    ASSERT_EQ(Preprocess("int a;\r\n#define X 1\r\nX\r\n"), 0);
    EXPECT_EQ(ReadFileBytes("cprep.tmp"), "/*#line1 \"in.h\"*/\r\nint a;\r\n\r\n 1\r\n");
}

struct MarkerCase {
    const char* label;
    const char* source;
    const char* output;  // with "\n" line ends
};

class MarkerTest : public PreprocessorTest, public ::testing::WithParamInterface<MarkerCase> {};

TEST_P(MarkerTest, MarkerFollowsALineSpanningSeveralLines) {
    ASSERT_EQ(Preprocess(GetParam().source), 0);
    EXPECT_EQ(Output(), GetParam().output);
    EXPECT_EQ(Diagnostics(), "");
}

INSTANTIATE_TEST_SUITE_P(Constructs, MarkerTest, ::testing::Values(
    MarkerCase{"Splice", "a \\\nb\nc\n", "/*#line1 \"in.h\"*/\na b\n/*#line3 \"in.h\"*/\nc\n"},
    MarkerCase{"Comment", "/* x\n y */ int a;\nb\n", "/*#line1 \"in.h\"*/\n int a;\n/*#line3 \"in.h\"*/\nb\n"},
    MarkerCase{"MacroArguments", "#define f(x) x\nf(\n1)\nz\n",
               "/*#line1 \"in.h\"*/\n\n 1\n/*#line4 \"in.h\"*/\nz\n"},
    MarkerCase{"DefineWithSplices", "#define A \\\n 1 \\\n + 2\nA\n",
               "/*#line1 \"in.h\"*/\n\n/*#line4 \"in.h\"*/\n 1 + 2\n"},
    MarkerCase{"SkippedComment", "#if 0\n/*\n*/\n#endif\nz\n",
               "/*#line1 \"in.h\"*/\n\n\n/*#line4 \"in.h\"*/\n\nz\n"}),
    [](const ::testing::TestParamInfo<MarkerCase>& info) { return std::string(info.param.label); });

// Lines far longer than the output buffer, and many lines, arrive whole.
TEST_F(OutputTest, LongRunsAndManyBlocks) {
    std::string longLine;
    while (longLine.size() < 30000) longLine += "abc ";
    longLine += "end\n";
    std::string many;
    for (int i = 0; i < 3000; ++i) many += "int field" + std::to_string(i) + ";\n";
    ASSERT_EQ(Preprocess(longLine + many), 0);
    const std::string expected = "/*#line1 \"in.h\"*/\n" + longLine + many;
    EXPECT_TRUE(Output() == expected) << "the output differs from the input";
    EXPECT_EQ(ReadFileBytes("cprep.tmp").size(), expected.size() + 3002);
}

TEST_F(OutputTest, OutputIsAppended) {
    WriteFileBytes("cprep.tmp", "old\r\n");
    ASSERT_EQ(RunWithArgs({"in.h", "in.h"}), -2);
    WriteFileBytes("in.h", "new\n");
    ASSERT_EQ(RunWithArgs({"in.h", "in.h"}), 0);
    EXPECT_EQ(ReadFileBytes("cprep.tmp"), "old\r\n/*#line1 \"in.h\"*/\r\nnew\r\n");
}

// A "cprep.tmp" that cannot be opened keeps a small output in the buffer
// (nothing written, no message); an output that overflows the buffer stops
// the run instead of losing text.
TEST_F(OutputTest, UnwritableOutputFile) {
    fs::create_directories("cprep.tmp/x");
    WriteFileBytes("in.h", "int a;\n");
    ASSERT_EQ(RunWithArgs({"in.h", "in.h"}), 0);
    EXPECT_EQ(Diagnostics(), "");
    std::string big;
    for (int i = 0; i < 1000; ++i) big += "int field" + std::to_string(i) + ";\n";
    WriteFileBytes("in.h", big);
    ASSERT_EQ(RunWithArgs({"in.h", "in.h"}), -2);
    EXPECT_EQ(Diagnostics(), "Can't write output file cprep.tmp\n\nFatal error occurred during parse.\n");
}

struct DumpCase {
    const char* label;
    const char* source;
    const char* dump;  // the whole of the standard error stream
};

class DumpTest : public PreprocessorTest, public ::testing::WithParamInterface<DumpCase> {};

// -V: every row goes to the standard error stream before it is written: the
// texts, the kinds in hexadecimal (names with their hide sets), '*' at the
// row's current token.
TEST_P(DumpTest, WritesEveryRowToStandardError) {
    ::testing::internal::CaptureStderr();
    const int result = Preprocess(GetParam().source, {"-V"});
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), GetParam().dump);
    EXPECT_EQ(result, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, DumpTest, ::testing::Values(
    DumpCase{"Plain", "int a;\n", " /*#line1 \"in.h\"*/\n{1*} \n int{} a{} ;{2a} {6} \n"},
    DumpCase{"HideSets", "#define x x\nx\n", " /*#line1 \"in.h\"*/\n{1*} \n {6*} \n x{x } {6} \n"}),
    [](const ::testing::TestParamInfo<DumpCase>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace pp_test
