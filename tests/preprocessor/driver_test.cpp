// The preprocessor's entry: results, the files it writes and reads, its
// standard error stream, options and operands.
#include "cimp/cpp/include.h"
#include "cimp/cpp/options.h"
#include "pp_test_util.h"

namespace pp_test {
namespace {

using DriverTest = PreprocessorTest;

TEST_F(DriverTest, FilesThatCannotBeOpened) {
    EXPECT_EQ(RunWithArgs({"nothere.h", "nothere.h"}), -2);
    EXPECT_EQ(Diagnostics(), "Can't open input file nothere.h\n" + kFatal);
    WriteFileBytes("in.h", "a\n");
    WriteFileBytes("out.txt", "old");
    ASSERT_EQ(RunWithArgs({"in.h", "in.h", "out.txt"}), 0);
    EXPECT_EQ(ReadFileBytes("out.txt"), "");  // the second operand is only created
    EXPECT_EQ(Text(), "a\n");
    EXPECT_EQ(RunWithArgs({"in.h", "in.h", "nodir/out.txt"}), -2);
    EXPECT_EQ(Diagnostics(), "Can't open output file nodir/out.txt\n" + kFatal);
    fs::remove("cprep.tmp");
    fs::remove("errorfile.err");
    fs::create_directories("errorfile.err/x");
    EXPECT_EQ(RunWithArgs({"in.h", "in.h"}), -1);
    EXPECT_FALSE(fs::exists("cprep.tmp"));
}

// "cprep.tmp" grows by appending.  One that cannot be opened keeps a small
// output in the buffer (nothing written, no message); an output that
// overflows the buffer stops the run instead of losing text.
TEST_F(DriverTest, OutputFile) {
    WriteFileBytes("cprep.tmp", "old\r\n");
    WriteFileBytes("in.h", "new\n");
    ASSERT_EQ(RunWithArgs({"in.h", "in.h"}), 0);
    EXPECT_EQ(ReadFileBytes("cprep.tmp"), "old\r\n/*#line1 \"in.h\"*/\r\nnew\r\n");
    fs::remove("cprep.tmp");
    fs::create_directories("cprep.tmp/x");
    ASSERT_EQ(RunWithArgs({"in.h", "in.h"}), 0);
    EXPECT_EQ(Diagnostics(), "");
    std::string big;
    for (int i = 0; i < 1000; ++i) big += "int field" + std::to_string(i) + ";\n";
    WriteFileBytes("in.h", big);
    ASSERT_EQ(RunWithArgs({"in.h", "in.h"}), -2);
    EXPECT_EQ(Diagnostics(), "Can't write output file cprep.tmp\n" + kFatal);
}

// -V: every row goes to the standard error stream before it is written: the
// texts, the kinds in hexadecimal (names with their hide sets), '*' at the
// row's current token.  Wrong options and -v are reported there first.
TEST_F(DriverTest, StandardErrorStream) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Preprocess("int a;\n#define x x\nx\n", {"-V", "-x", "-v"}), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              ": illegal option -- x\nin.h $ZAR C pre-processor $\n /*#line1 \"in.h\"*/\n{1*} \n"
              " int{} a{} ;{2a} {6} \n {6*} \n x{x } {6} \n");
    EXPECT_EQ(Text(), "int a;\n\n x\n");
}

TEST_F(DriverTest, AbsoluteIncludeNamesAreOpenedAsWritten) {
    for (const char* name : {"A:\\x\\a.h", "Z:a.h", "a:a.h", "z:", "/x/a.h", "\\x\\a.h"}) {
        EXPECT_TRUE(cimp::cpp::IsAbsoluteIncludeName(name)) << name;
    }
    for (const char* name : {"x/a.h", "1:a.h", "@:a.h", "[:a.h", "`:a.h", "{:a.h", "", "A"}) {
        EXPECT_FALSE(cimp::cpp::IsAbsoluteIncludeName(name)) << name;
    }
    WriteFileBytes("elsewhere/a.h", "absolute\n");
    const std::string path = fs::absolute("elsewhere/a.h").generic_string();
    ASSERT_EQ(Preprocess("--- src/main.h\n#include \"" + path + "\"\n"), 0);
    EXPECT_EQ(Output(), "/*#line1 \"src/main.h\"*/\n/*#line1 \"" + path +
                            "\"*/\nabsolute\n/*#line2 \"src/main.h\"*/\n");
}

// A bare -I takes the next element as its directory; when that was the
// input, the standard input is read under the name "<stdin>".
TEST_F(DriverTest, BareIncludeOptionTakesTheInput) {
    cimp::cpp::Preprocessor preprocessor;
    preprocessor.standardInput = [] { return std::make_unique<cimp::cpp::MemoryInput>("stdin\n"); };
    std::vector<std::string> args{"prog", "-I", "in.h"};
    ASSERT_EQ(preprocessor.Run(3, Argv(args).data()), 0);
    EXPECT_EQ(Output(), "/*#line1 \"<stdin>\"*/\nstdin\n");
}

// The letters scanned with their arguments, "|", the first operand's index,
// and the messages.
TEST(OptionScanner, Scans) {
    const std::pair<std::vector<std::string>, const char*> rows[] = {
        {{}, "|1"}, {{"-MN", "-Idir", "-I", "other", "in.h"}, "MNI=dir I=other |5"},
        {{"-MIdir", "in.h"}, "MI=dir |2"}, {{"-M", "-", "in.h"}, "M|2"}, {{"--", "-M"}, "|2"},
        {{"-x", "-M"}, "?M|3: illegal option -- x\n"}, {{"-M:"}, "M?|2: illegal option -- :\n"},
        {{"-I"}, "?|2: option requires an argument -- I\n"}};
    for (const auto& [row, expected] : rows) {
        std::vector<std::string> args{"prog"};
        args.insert(args.end(), row.begin(), row.end());
        std::vector<char*> argv = Argv(args);
        cimp::cpp::OptionScanner scanner;
        std::string scanned;
        ::testing::internal::CaptureStderr();
        for (int c; (c = scanner.GetOption(int(args.size()), argv.data(), "MNI:D:")) != -1;) {
            scanned += static_cast<char>(c);
            if (scanner.Argument()) scanned += '=' + std::string(scanner.Argument()) + ' ';
        }
        scanned += "|" + std::to_string(scanner.NextIndex());
        EXPECT_EQ(scanned + ::testing::internal::GetCapturedStderr(), expected);
    }
}

}  // namespace
}  // namespace pp_test
