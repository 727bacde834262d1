// The parse stage's entry: files, status codes, fatal errors and the root.
#include "cimp/parse/parse_driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cimp/text_file.h"
#include "parse_fixture.h"

namespace cimp::parse {
namespace {

struct Arguments {
    explicit Arguments(std::vector<std::string> values) : strings(std::move(values)) {
        for (auto& s : strings) pointers.push_back(s.data());
        pointers.push_back(nullptr);
    }
    int Count() const { return static_cast<int>(strings.size()); }
    std::vector<std::string> strings;
    std::vector<char*> pointers;
};

class ParseDriver : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveFile("errorfile.err");
        RemoveFile("out.tmp");
        DeclTreeRoot() = nullptr;
    }
    void TearDown() override {
        std::filesystem::remove_all("errorfile.err");
        std::filesystem::remove_all("out.tmp");
        FreeTypedefList(typedefs);
    }
    DeclNode* Run(Arguments& args) { return ParseHeaderFile(args.Count(), args.pointers.data(), &typedefs, &status); }

    TypedefEntry* typedefs = nullptr;
    int32_t status = 0;
};

TEST_F(ParseDriver, MissingSourceFile) {
    RemoveFile("cprep.tmp");
    Arguments args({"cprep.tmp", "cprep.tmp"});
    EXPECT_EQ(Run(args), nullptr);
    EXPECT_EQ(status, -4);
    EXPECT_EQ(test::ReadFileBytes("errorfile.err"), "Failed to open source program file cprep.tmp\r\n");
    EXPECT_FALSE(FileExists("out.tmp"));
}

TEST_F(ParseDriver, TooFewArguments) {
    Arguments args({"cprep.tmp"});
    EXPECT_EQ(Run(args), nullptr);
    EXPECT_EQ(status, -2);
    EXPECT_EQ(test::ReadFileBytes("errorfile.err"), "Internal Error: Too few arguments to preprocessor\r\n");
}

// A directory in the place of a file the driver opens.
TEST_F(ParseDriver, DiagnosticsOrEchoFileCannotOpen) {
    struct Case {
        const char* blocked;
        int32_t status;
        std::string diagnostics;
    };
    for (const Case& c : {Case{"errorfile.err", -1, ""},
                          Case{"out.tmp", -3, "Internal Error: Failed to open output file 'out.tmp'\r\n"}}) {
        SCOPED_TRACE(c.blocked);
        std::filesystem::create_directory(c.blocked);
        test::WriteFileBytes("cprep.tmp", "struct A { int a; };");
        Arguments args({"cprep.tmp", "cprep.tmp"});
        status = 0;
        EXPECT_EQ(Run(args), nullptr);
        EXPECT_EQ(status, c.status);
        if (!c.diagnostics.empty()) {
            EXPECT_EQ(test::ReadFileBytes("errorfile.err"), c.diagnostics);
        }
        std::filesystem::remove_all(c.blocked);
        RemoveFile("errorfile.err");
    }
}

TEST_F(ParseDriver, AppendsToTheDiagnosticsFileAndRemovesTheEchoFile) {
    test::WriteFileBytes("errorfile.err", "preprocessor line\r\n");
    test::WriteFileBytes("cprep.tmp", "struct A { int a; }; $ @\n");
    Arguments args({"cprep.tmp", "cprep.tmp"});
    DeclNode* root = Run(args);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root, DeclTreeRoot());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::ReadFileBytes("errorfile.err"), "preprocessor line\r\nNo syntax errors found during parse.\r\r\n");
    EXPECT_FALSE(FileExists("out.tmp"));
    EXPECT_TRUE(FileExists("cprep.tmp"));
    EXPECT_EQ(FreeDeclTree(nullptr), 1);
    EXPECT_EQ(DeclTreeRoot(), nullptr);
}

TEST_F(ParseDriver, OnlyTheSecondArgumentIsRead) {
    test::WriteFileBytes("second.tmp", "struct B { int b; };");
    Arguments args({"missing.tmp", "second.tmp"});
    DeclNode* root = Run(args);
    EXPECT_EQ(test::DescribeTree(root), "B<B>:B{b:int}");
    FreeDeclTree(nullptr);
}

TEST_F(ParseDriver, FatalScannerErrorGivesNoTree) {
    test::WriteFileBytes("cprep.tmp", "struct A { int a; }; struct B { int " + std::string(600, 'x') + "; };");
    Arguments args({"cprep.tmp", "cprep.tmp"});
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run(args), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "pclex input buffer overflowed\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(DeclTreeRoot(), nullptr);
    EXPECT_EQ(test::ReadFileBytes("errorfile.err"), "\r\nFatal error occurred during parse.\r\n");
    EXPECT_FALSE(FileExists("out.tmp"));
}

TEST_F(ParseDriver, StackOverflowEndsTheParseWithoutReport) {
    const std::string deep = "int x = " + std::string(2000, '(') + "1" + std::string(2000, ')') + ";";
    test::WriteFileBytes("cprep.tmp", "struct A { int a; }; " + deep + " struct B { int b; };");
    Arguments args({"cprep.tmp", "cprep.tmp"});
    DeclNode* root = Run(args);
    EXPECT_EQ(test::DescribeTree(root), "A<A>:A{a:int}");
    EXPECT_EQ(test::ReadFileBytes("errorfile.err"), "payacc stack overflow\r\nNo syntax errors found during parse.\r\r\n");
    FreeDeclTree(nullptr);
}

TEST_F(ParseDriver, NestingBelowTheStackLimitParses) {
    test::WriteFileBytes("cprep.tmp", "int x = " + std::string(100, '(') + "1" + std::string(100, ')') + ";");
    Arguments args({"cprep.tmp", "cprep.tmp"});
    EXPECT_EQ(Run(args), nullptr);
    EXPECT_EQ(test::ReadFileBytes("errorfile.err"), "No syntax errors found during parse.\r\r\n");
}

TEST_F(ParseDriver, EachRunStartsAfresh) {
    test::WriteFileBytes("cprep.tmp", "struct A { int a; ");
    Arguments args({"cprep.tmp", "cprep.tmp"});
    DeclNode* first = Run(args);
    EXPECT_EQ(test::DescribeTree(first), "A<A>:A{a:int}");
    FreeDeclTree(nullptr);
    FreeTypedefList(typedefs);
    typedefs = nullptr;
    RemoveFile("errorfile.err");
    test::WriteFileBytes("cprep.tmp", "struct B { int b; };");
    DeclNode* second = Run(args);
    EXPECT_EQ(test::DescribeTree(second), "B<B>:B{b:int}");
    EXPECT_EQ(test::ReadFileBytes("errorfile.err"), "No syntax errors found during parse.\r\r\n");
    FreeDeclTree(nullptr);
}

}  // namespace
}  // namespace cimp::parse
