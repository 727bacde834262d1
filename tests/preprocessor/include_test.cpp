// #include: search order, absolute and computed names, depth, the -I list
// and the dependency lines of -M.
#include <filesystem>
#include <string>

#include "cimp/cpp/include.h"
#include "pp_test_util.h"

namespace pp_test {
namespace {

namespace fs = std::filesystem;

using IncludeTest = PreprocessorTest;

int RunMain(std::vector<std::string> options) {
    std::vector<std::string> args{"src/main.h"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back("src/main.h");
    return RunWithArgs(args);
}

TEST_F(IncludeTest, QuotedNameIsFoundInTheMainFilesDirectoryFirst) {
    WriteFileBytes("src/main.h", "#include \"a.h\"\nend\n");
    WriteFileBytes("src/a.h", "main_dir\n");
    WriteFileBytes("inc1/a.h", "inc1\n");
    ASSERT_EQ(RunMain({"-Iinc1"}), 0);
    EXPECT_EQ(Output(), "/*#line1 \"src/main.h\"*/\n/*#line1 \"src/a.h\"*/\nmain_dir\n/*#line2 \"src/main.h\"*/\nend\n");
    EXPECT_EQ(Diagnostics(), "");
}

TEST_F(IncludeTest, QuotedNameFallsBackToTheIncludeDirectoriesInOrder) {
    WriteFileBytes("src/main.h", "#include \"a.h\"\n");
    WriteFileBytes("inc1/a.h", "inc1\n");
    WriteFileBytes("inc2/a.h", "inc2\n");
    ASSERT_EQ(RunMain({"-Iinc2", "-Iinc1"}), 0);
    EXPECT_EQ(Text(), "inc2\n");
}

TEST_F(IncludeTest, AngleNameSkipsTheMainFilesDirectory) {
    WriteFileBytes("src/main.h", "#include <a.h>\n");
    WriteFileBytes("src/a.h", "main_dir\n");
    WriteFileBytes("inc1/a.h", "inc1\n");
    WriteFileBytes("inc2/a.h", "inc2\n");
    ASSERT_EQ(RunMain({"-Iinc1", "-Iinc2"}), 0);
    EXPECT_EQ(Text(), "inc1\n");
    fs::remove("cprep.tmp");
    ASSERT_EQ(RunMain({}), 0);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Diagnostics(), "Could not find include file <a.h>\n");
}

TEST_F(IncludeTest, OptionNDeletesTheDirectoriesGivenBeforeIt) {
    WriteFileBytes("src/main.h", "#include <a.h>\n");
    WriteFileBytes("inc1/a.h", "inc1\n");
    WriteFileBytes("inc2/a.h", "inc2\n");
    ASSERT_EQ(RunMain({"-Iinc1", "-N", "-Iinc2"}), 0);
    EXPECT_EQ(Text(), "inc2\n");
}

TEST_F(IncludeTest, AngleNameIsJoinedFromItsTokens) {
    WriteFileBytes("src/main.h", "#include < sys/types.h >\n");
    WriteFileBytes("inc/sys/types.h", "types\n");
    ASSERT_EQ(RunMain({"-Iinc"}), 0);
    EXPECT_EQ(Text(), "types\n");
    EXPECT_NE(Output().find("/*#line1 \"inc/sys/types.h\"*/"), std::string::npos);
}

TEST_F(IncludeTest, ComputedNames) {
    WriteFileBytes("src/main.h", "#define H \"a.h\"\n#include H\n#define A <b.h>\n#include A\n");
    WriteFileBytes("src/a.h", "a\n");
    WriteFileBytes("inc/b.h", "b\n");
    ASSERT_EQ(RunMain({"-Iinc"}), 0);
    EXPECT_EQ(Text(), "\na\n\nb\n");
    EXPECT_EQ(Diagnostics(), "");
}

TEST_F(IncludeTest, AbsoluteNamesAreOpenedAsWritten) {
    WriteFileBytes("elsewhere/a.h", "absolute\n");
    const std::string path = fs::absolute("elsewhere/a.h").generic_string();
    WriteFileBytes("src/main.h", "#include \"" + path + "\"\n");
    ASSERT_EQ(RunMain({}), 0);
    EXPECT_EQ(Text(), "absolute\n");
    EXPECT_NE(Output().find("/*#line1 \"" + path + "\"*/"), std::string::npos);
}

TEST_F(IncludeTest, DriveLetterNamesAreNotSearched) {
    EXPECT_TRUE(cimp::cpp::IsAbsoluteIncludeName("C:\\x\\a.h"));
    EXPECT_TRUE(cimp::cpp::IsAbsoluteIncludeName("c:a.h"));
    EXPECT_TRUE(cimp::cpp::IsAbsoluteIncludeName("/x/a.h"));
    EXPECT_TRUE(cimp::cpp::IsAbsoluteIncludeName("\\x\\a.h"));
    EXPECT_FALSE(cimp::cpp::IsAbsoluteIncludeName("x/a.h"));
    EXPECT_FALSE(cimp::cpp::IsAbsoluteIncludeName("1:a.h"));
    WriteFileBytes("src/main.h", "#include \"C:a.h\"\n");
    WriteFileBytes("src/C:a.h", "found\n");
    ASSERT_EQ(RunMain({}), 0);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Diagnostics(), "Could not find include file \"C:a.h\"\n");
}

TEST_F(IncludeTest, SyntaxErrors) {
    WriteFileBytes("src/main.h", "#include\n#include \"a.h\" x\n#include <a.h\n#include \"\"\n#include x\n");
    WriteFileBytes("src/a.h", "a\n");
    ASSERT_EQ(RunMain({}), 0);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Diagnostics(),
              "Syntax error in #include\nSyntax error in #include\nSyntax error in #include\n"
              "Syntax error in #include\nSyntax error in #include\n");
}

// Ten nested includes are accepted, the eleventh is fatal.
TEST_F(IncludeTest, DepthLimit) {
    for (int i = 1; i < 10; ++i) {
        WriteFileBytes("src/n" + std::to_string(i) + ".h", "#include \"n" + std::to_string(i + 1) + ".h\"\n");
    }
    WriteFileBytes("src/n10.h", "deepest\n");
    WriteFileBytes("src/main.h", "#include \"n1.h\"\n");
    ASSERT_EQ(RunMain({}), 0);
    EXPECT_EQ(Text(), "deepest\n");
    WriteFileBytes("src/n10.h", "#include \"n11.h\"\n");
    WriteFileBytes("src/n11.h", "too deep\n");
    fs::remove("cprep.tmp");
    ASSERT_EQ(RunMain({}), -2);
    EXPECT_EQ(Diagnostics(), "#include too deeply nested\n\nFatal error occurred during parse.\n");
}

TEST_F(IncludeTest, SelfIncludeStopsAtTheDepthLimit) {
    WriteFileBytes("src/main.h", "#include \"main.h\"\n");
    ASSERT_EQ(RunMain({}), -2);
    EXPECT_EQ(Diagnostics(), "#include too deeply nested\n\nFatal error occurred during parse.\n");
}

TEST_F(IncludeTest, ConditionalLeftOpenInAnIncludedFile) {
    WriteFileBytes("src/main.h", "#include \"a.h\"\nx\n#endif\n");
    WriteFileBytes("src/a.h", "#if 1\n");
    ASSERT_EQ(RunMain({}), 0);
    EXPECT_EQ(Text(), "\nx\n#endif\n");
    EXPECT_EQ(Diagnostics(),
              "Unterminated conditional in #include\n#endif with no #if\nUnterminated #if/#ifdef/#ifndef\n");
}

TEST_F(IncludeTest, ThirtyOneDirectoriesFitTheList) {
    WriteFileBytes("src/main.h", "#include <a.h>\n");
    WriteFileBytes("d30/a.h", "last\n");
    std::vector<std::string> options;
    for (int i = 0; i < 31; ++i) options.push_back("-Id" + std::to_string(i));
    ASSERT_EQ(RunMain(options), 0);
    EXPECT_EQ(Text(), "last\n");
    options.push_back("-Id31");
    ASSERT_EQ(RunMain(options), -2);
    EXPECT_EQ(Diagnostics(), "Too many -I directives\n\nFatal error occurred during parse.\n");
}

TEST_F(IncludeTest, DependencyLines) {
    WriteFileBytes("src/main.h", "#include \"a.h\"\n#include <b.h>\n");
    WriteFileBytes("src/a.h", "");
    WriteFileBytes("inc/b.h", "");
    ASSERT_EQ(RunMain({"-M", "-Iinc"}), 0);
    EXPECT_EQ(ReadFileBytes("cprep.tmp").rfind("src/main.$O: src/a.h\r\n/*#line1", 0), 0u);
    EXPECT_EQ(Output().find("inc/b.h\n"), std::string::npos);
    fs::remove("cprep.tmp");
    ASSERT_EQ(RunMain({"-M", "-M", "-Iinc"}), 0);
    EXPECT_EQ(Output().rfind("src/main.$O: src/a.h\nsrc/main.$O: inc/b.h\n/*#line1", 0), 0u);
}

TEST_F(IncludeTest, ObjectNameOfANameWithoutShortExtension) {
    WriteFileBytes("cpre.tmp", "#include \"a.h\"\n");
    WriteFileBytes("a.h", "");
    ASSERT_EQ(RunWithArgs({"cpre.tmp", "-M", "cpre.tmp"}), 0);
    EXPECT_EQ(Output().rfind("cpre.tmp$O: ./a.h\n", 0), 0u);
}

#ifndef _WIN32
// A name written with backslashes has no '/': quoted includes are searched
// in ".".
TEST_F(IncludeTest, InputNameWithoutSlashSearchesTheCurrentDirectory) {
    WriteFileBytes("w\\main.h", "#include \"a.h\"\n");
    WriteFileBytes("a.h", "here\n");
    ASSERT_EQ(RunWithArgs({"w\\main.h", "w\\main.h"}), 0);
    EXPECT_EQ(Text(), "here\n");
    EXPECT_NE(Output().find("/*#line1 \"./a.h\"*/"), std::string::npos);
}
#endif

}  // namespace
}  // namespace pp_test
