// The import driver runs the real parse stage on the "cprep.tmp" that a
// stand-in preprocessor prepares.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cimp/import_run.h"
#include "cimp/parse/parse_driver.h"
#include "cimp/text_file.h"
#include "parse_fixture.h"

namespace cimp::parse {
namespace {

std::string g_preprocessed;
std::string g_tree;
std::string g_typedefMember;

int32_t PreparedPreprocessor(int, char**) {
    TextFile out;
    if (!out.Open(kPreprocessedFile, TextFile::Mode::kAppend)) return -2;
    out.Write(g_preprocessed);
    return 0;
}

int32_t RecordTree(ImportContext& context, DeclNode* root) {
    g_tree = test::DescribeTree(root);
    context.sink.Send("mapped");
    return 0;
}

void NoReport(ImportContext&) {}

void Collect(void* context, const char* text) { static_cast<std::vector<std::string>*>(context)->push_back(text); }

class ImportSeam : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* f : {kPreprocessedFile, kDiagnosticsFile, "out.tmp"}) RemoveFile(f);
        test::WriteFileBytes("header.h", "/* the stand-in preprocessor ignores it */\n");
        g_tree.clear();
    }

    int32_t Run(const std::string& preprocessed) {
        g_preprocessed = preprocessed;
        const ImportStages stages{PreparedPreprocessor, ParseHeaderFile, RecordTree, NoReport};
        ImportContext context(1, "header.h", "", true, Collect, &messages);
        return RunImport(context, stages);
    }

    std::vector<std::string> messages;
};

TEST_F(ImportSeam, ParsesThePreparedFile) {
    EXPECT_EQ(Run("/*#line1 \"cpre.tmp\"*/\ntypedef unsigned short U16;\nstruct A { U16 v[2]; char n[8]; };\n"), 0);
    EXPECT_EQ(g_tree, "A<A>:A{v:short[r=2][u]; n:char[l=8]}");
    EXPECT_EQ(messages, (std::vector<std::string>{"No syntax errors found during parse.\r\n", "mapped"}));
    EXPECT_EQ(DeclTreeRoot(), nullptr);
    for (const char* f : {kPreprocessedFile, kDiagnosticsFile, "out.tmp"}) EXPECT_FALSE(FileExists(f)) << f;
}

TEST_F(ImportSeam, SyntaxErrorIsRelayedAndTheTreeSoFarMapped) {
    EXPECT_EQ(Run("struct A { int a; };\n#pragma pack(1)\n"), 0);
    EXPECT_EQ(g_tree, "A<A>:A{a:int}");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].rfind("[error 1] line 2  near \"pack\": syntax error\r\nactual: IDENTIFIER pack", 0), 0u)
        << messages[0];
    EXPECT_NE(messages[0].find("\r\n1 error found during parse.\r\n"), std::string::npos);
}

TEST_F(ImportSeam, NoStructures) {
    EXPECT_EQ(Run("int x;\n"), 0);
    EXPECT_EQ(messages, (std::vector<std::string>{"No syntax errors found during parse.\r\n",
                                                  "No valid C structures found in header file: header.h."}));
}

}  // namespace
}  // namespace cimp::parse
