// The preprocessor's entry: results, the diagnostics file, options and
// operands, and runs that leave nothing behind for the next one.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cimp/cpp/options.h"
#include "pp_test_util.h"

namespace pp_test {
namespace {

namespace fs = std::filesystem;

using DriverTest = PreprocessorTest;

TEST_F(DriverTest, MissingInputIsFatal) {
    ASSERT_EQ(RunWithArgs({"nothere.h", "nothere.h"}), -2);
    EXPECT_EQ(Diagnostics(), "Can't open input file nothere.h\n\nFatal error occurred during parse.\n");
}

TEST_F(DriverTest, DiagnosticsFileThatCannotBeOpenedEndsTheRunAtOnce) {
    fs::create_directories("errorfile.err/x");
    WriteFileBytes("in.h", "int a;\n");
    EXPECT_EQ(RunWithArgs({"in.h", "in.h"}), -1);
    EXPECT_FALSE(fs::exists("cprep.tmp"));
}

TEST_F(DriverTest, OldDiagnosticsAreDeleted) {
    WriteFileBytes("errorfile.err", "old\n");
    ASSERT_EQ(Preprocess("#error new\n"), 0);
    EXPECT_EQ(Diagnostics(), "#error directive: new\n");
    EXPECT_EQ(ReadFileBytes("errorfile.err"), "#error directive: new\r\n");
}

struct DefineCase {
    std::vector<std::string> options;
    int result;
    const char* text;
    const char* diagnostics;
};

class DefineOptionTest : public PreprocessorTest, public ::testing::WithParamInterface<DefineCase> {};

TEST_P(DefineOptionTest, DefinesAndUndefines) {
    const DefineCase& c = GetParam();
    ASSERT_EQ(Preprocess("[foo] [bar]\n", c.options), c.result);
    EXPECT_EQ(Text(), c.text);
    EXPECT_EQ(Diagnostics(), c.diagnostics);
}

INSTANTIATE_TEST_SUITE_P(Options, DefineOptionTest, ::testing::Values(
    DefineCase{{"-Dfoo"}, 0, "[1] [bar]\n", ""},
    DefineCase{{"-Dfoo="}, 0, "[] [bar]\n", ""},
    DefineCase{{"-Dfoo=a b", "-D", "bar=2"}, 0, "[a b] [2]\n", ""},
    DefineCase{{"-Dfoo", "-Ufoo"}, 0, "[foo] [bar]\n", ""},
    DefineCase{{"-D3"}, -2, "", "Illegal -D or -U argument 3\n\nFatal error occurred during parse.\n"},
    DefineCase{{"-Dfoo+1"}, -2, "", "Illegal -D or -U argument foo+1\n\nFatal error occurred during parse.\n"},
    DefineCase{{"-Ufoo bar"}, -2, "", "Illegal -D or -U argument foo bar\n\nFatal error occurred during parse.\n"}));

TEST_F(DriverTest, IgnoredOptionsAreAccepted) {
    ASSERT_EQ(Preprocess("a // b\n", {"-O", "-l", "-g", "-Fx", "-F", "y", "-+", "-Olg"}), 0);
    EXPECT_EQ(Text(), "a\n");
    EXPECT_EQ(Diagnostics(), "");
}

TEST_F(DriverTest, OptionMessagesGoToStandardError) {
    ::testing::internal::CaptureStderr();
    const int result = Preprocess("a\n", {"-x", "-v"});
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), ": illegal option -- x\nin.h $ZAR C pre-processor $\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Text(), "a\n");
}

TEST_F(DriverTest, ErrorDirectiveDoesNotFailTheRun) {
    ASSERT_EQ(Preprocess("#error Version  \"1\" needed\nint a;\n"), 0);
    EXPECT_EQ(Diagnostics(), "#error directive: Version \"1\" needed\n");
    EXPECT_EQ(Text(), "\nint a;\n");
}

TEST_F(DriverTest, SecondOperandIsOnlyCreated) {
    WriteFileBytes("out.txt", "old");
    WriteFileBytes("in.h", "a\n");
    ASSERT_EQ(RunWithArgs({"in.h", "in.h", "out.txt"}), 0);
    EXPECT_EQ(ReadFileBytes("out.txt"), "");
    EXPECT_EQ(Text(), "a\n");
    ASSERT_EQ(RunWithArgs({"in.h", "in.h", "nodir/out.txt"}), -2);
    EXPECT_EQ(Diagnostics(), "Can't open output file nodir/out.txt\n\nFatal error occurred during parse.\n");
}

// Nothing of a run survives into the next: macros, include directories and
// conditional state are the run's own.
TEST_F(DriverTest, RunsAreIndependent) {
    WriteFileBytes("inc/a.h", "found\n");
    WriteFileBytes("in.h", "#include <a.h>\nX\n#define Y 2\n#if 1\n");
    ASSERT_EQ(RunWithArgs({"in.h", "-DX=1", "-Iinc", "in.h"}), 0);
    EXPECT_EQ(Text(), "found\n 1\n\n\n");
    EXPECT_EQ(Diagnostics(), "Unterminated #if/#ifdef/#ifndef\n");
    fs::remove("cprep.tmp");
    WriteFileBytes("in.h", "#include <a.h>\nX Y\n#endif\n");
    ASSERT_EQ(RunWithArgs({"in.h", "in.h"}), 0);
    EXPECT_EQ(Text(), "X Y\n#endif\n");
    EXPECT_EQ(Diagnostics(), "Could not find include file <a.h>\n#endif with no #if\n");
}

// A bare -I takes the next element as its directory; when that was the
// input, the standard input is read under the name "<stdin>".
TEST_F(DriverTest, BareIncludeOptionTakesTheInput) {
    cimp::cpp::Preprocessor preprocessor;
    preprocessor.standardInput = [] { return std::make_unique<cimp::cpp::MemoryInput>("from stdin\n"); };
    std::vector<std::string> args{"prog", "-I", "in.h"};
    std::vector<char*> argv{args[0].data(), args[1].data(), args[2].data(), nullptr};
    ASSERT_EQ(preprocessor.Run(3, argv.data()), 0);
    EXPECT_EQ(Output(), "/*#line1 \"<stdin>\"*/\nfrom stdin\n");
}

struct ScanCase {
    std::vector<std::string> args;  // without the program name
    const char* scanned;            // letters with their arguments, then "|" and the first operand's index
    const char* messages;
};

class OptionScannerTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(OptionScannerTest, Scans) {
    const ScanCase& c = GetParam();
    std::vector<std::string> args{"prog"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    cimp::cpp::OptionScanner scanner;
    std::string scanned;
    ::testing::internal::CaptureStderr();
    for (int letter; (letter = scanner.GetOption(static_cast<int>(args.size()), argv.data(), "MNI:D:")) != -1;) {
        scanned += static_cast<char>(letter);
        if (scanner.Argument() != nullptr) scanned += std::string("=") + scanner.Argument() + " ";
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.messages);
    EXPECT_EQ(scanned + "|" + std::to_string(scanner.NextIndex()), c.scanned);
}

INSTANTIATE_TEST_SUITE_P(Vectors, OptionScannerTest, ::testing::Values(
    ScanCase{{}, "|1", ""},
    ScanCase{{"in.h"}, "|1", ""},
    ScanCase{{"-M", "-N", "in.h"}, "MN|3", ""},
    ScanCase{{"-MN", "in.h"}, "MN|2", ""},
    ScanCase{{"-Idir", "-I", "other", "in.h"}, "I=dir I=other |4", ""},
    ScanCase{{"-MIdir", "in.h"}, "MI=dir |2", ""},
    ScanCase{{"-I", "in.h"}, "I=in.h |3", ""},
    ScanCase{{"-M", "-", "in.h"}, "M|2", ""},
    ScanCase{{"--", "-M"}, "|2", ""},
    ScanCase{{"-x", "-M"}, "?M|3", ": illegal option -- x\n"},
    ScanCase{{"-M:"}, "M?|2", ": illegal option -- :\n"},
    ScanCase{{"-I"}, "?|2", ": option requires an argument -- I\n"}));

}  // namespace
}  // namespace pp_test
