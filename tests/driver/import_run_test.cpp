#include "cimp/import_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cimp/text_file.h"
#include "tests/support/file_bytes.h"

namespace cimp {
namespace {

using test_support::ReadFileBytes;
using test_support::WriteFileBytes;

// What the stage doubles saw and what they do.
struct StageScript {
    int32_t preprocessorResult = 0;
    std::string diagnostics;      // appended to "errorfile.err" by the preprocessor double
    std::string preprocessed = "struct s { int a; };\n";
    int32_t parseStatus = 0;      // written only when nonzero
    bool parseBuildsTree = true;
    std::string parseDiagnostics = "No syntax errors found during parse.\n";

    std::vector<std::string> preprocessorArgs;
    std::string preprocessorInput;  // bytes of argv[1] when the preprocessor ran
    std::vector<std::string> parserArgs;
    std::string parsedText;
    bool mapped = false;
    bool reported = false;
};

StageScript* g_script = nullptr;

void AppendText(const char* path, const std::string& text) {
    TextFile f;
    ASSERT_TRUE(f.Open(path, TextFile::Mode::kAppend));
    f.Write(text);
}

int32_t FakePreprocessor(int argc, char** argv) {
    g_script->preprocessorArgs.assign(argv, argv + argc);
    g_script->preprocessorInput = ReadFileBytes(argv[argc - 1]);
    RemoveFile(kDiagnosticsFile);
    AppendText(kDiagnosticsFile, g_script->diagnostics);
    AppendText(kPreprocessedFile, g_script->preprocessed);
    return g_script->preprocessorResult;
}

DeclNode* FakeParser(int argc, char** argv, TypedefEntry** typedefs, int32_t* status) {
    g_script->parserArgs.assign(argv, argv + argc);
    g_script->parsedText = ReadFileBytes(argv[1]);
    AppendText(kDiagnosticsFile, g_script->parseDiagnostics);
    if (g_script->parseStatus != 0) *status = g_script->parseStatus;
    if (!g_script->parseBuildsTree) return nullptr;
    *typedefs = NewTypedefEntry("T", "int", 0, "", 0, 0, 1);
    DeclNode* root = NewDeclNode("s", "s", "s", 0, 0, 1, 1, kStructureNode, 0, nullptr);
    root->firstChild = NewDeclNode("a", "", "int", 0, 0, 1, 2, kMemberNode, 0, nullptr);
    DeclTreeRoot() = root;
    return root;
}

int32_t FakeMapping(ImportContext& context, DeclNode* root) {
    g_script->mapped = root != nullptr && root == DeclTreeRoot();
    context.sink.Send("mapped");
    return 0;
}

void FakeReport(ImportContext& context) {
    g_script->reported = true;
    context.sink.Send("report");
}

const ImportStages kFakeStages{FakePreprocessor, FakeParser, FakeMapping, FakeReport};

void Collect(void* context, const char* text) { static_cast<std::vector<std::string>*>(context)->push_back(text); }

class ImportRun : public ::testing::Test {
protected:
    void SetUp() override {
        g_script = &script;
        for (const char* f : {kPreprocessorSourceFile, kPreprocessedFile, kDiagnosticsFile, "out.tmp"}) RemoveFile(f);
        WriteFileBytes("header.h", "#include <stdio.h>\nstruct s { int a; };\n#if A < B || C > D\nint x < 3;\n#endif\n");
    }
    void TearDown() override {
        g_script = nullptr;
        EXPECT_EQ(DeclTreeRoot(), nullptr);
    }

    int32_t Run(const char* preInclude, bool keep, const char* header = "header.h") {
        ImportContext context(1, header, preInclude, keep, Collect, &messages);
        return RunImport(context, kFakeStages);
    }

    void ExpectNoTemporaryFiles() {
        for (const char* f : {kPreprocessorSourceFile, kPreprocessedFile, kDiagnosticsFile})
            EXPECT_FALSE(FileExists(f)) << f;
    }

    StageScript script;
    std::vector<std::string> messages;
};

TEST_F(ImportRun, KeepingSystemIncludesFeedsTheHeaderItself) {
    EXPECT_EQ(Run("", true), 0);
    EXPECT_EQ(script.preprocessorArgs.front(), "header.h");
    EXPECT_EQ(script.preprocessorArgs.back(), "header.h");
    EXPECT_NE(script.preprocessorInput.find("#include <stdio.h>"), std::string::npos);
    EXPECT_EQ(script.parserArgs, (std::vector<std::string>{"cprep.tmp", "cprep.tmp"}));
    EXPECT_EQ(script.parsedText, "struct s { int a; };\r\n");
    EXPECT_TRUE(script.mapped);
    EXPECT_TRUE(script.reported);
    EXPECT_EQ(messages, (std::vector<std::string>{"No syntax errors found during parse.\r\n", "mapped", "report"}));
    ExpectNoTemporaryFiles();
}

TEST_F(ImportRun, WritesThePreprocessorSourceWithPreIncludeAndFilter) {
    EXPECT_EQ(Run("defs.h", false), 0);
    EXPECT_EQ(script.preprocessorArgs.front(), "cpre.tmp");
    EXPECT_EQ(script.preprocessorInput,
              "#include \"defs.h\"\r\nstruct s { int a; };\r\nint x < 3;\r\n#endif\r\n");
    ExpectNoTemporaryFiles();
}

TEST_F(ImportRun, PreIncludeWithSystemIncludesKeptCopiesEveryLine) {
    EXPECT_EQ(Run("defs.h", true), 0);
    EXPECT_EQ(script.preprocessorInput,
              "#include \"defs.h\"\r\n#include <stdio.h>\r\nstruct s { int a; };\r\n#if A < B || C > D\r\n"
              "int x < 3;\r\n#endif\r\n");
}

TEST_F(ImportRun, MissingHeaderNeverImportsAStaleSource) {
    WriteFileBytes(kPreprocessorSourceFile, "struct stale { int old; };\n");
    EXPECT_EQ(Run("", false, "no-such-header.h"), -1);
    EXPECT_EQ(messages.front(), kMsgTempFileFailed);
    EXPECT_EQ(script.preprocessorArgs.front(), "cpre.tmp");
    EXPECT_EQ(script.preprocessorInput.find("stale"), std::string::npos);
    ExpectNoTemporaryFiles();
}

TEST_F(ImportRun, RelaysDiagnosticsInPiecesOfAtMost258Characters) {
    script.diagnostics = "one\ntwo\nthree\n" + std::string(600, 'x') + "\n";
    script.parseBuildsTree = false;
    script.parseDiagnostics = "";
    EXPECT_EQ(Run("", true), 0);
    const std::string expected = "one\r\ntwo\r\nthree\r\n" + std::string(258, 'x') + "\r\n" + std::string(258, 'x') +
                                 "\r\n" + std::string(84, 'x') + "\r\n";
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], expected);
    EXPECT_EQ(messages[1], "No valid C structures found in header file: header.h.");
    ExpectNoTemporaryFiles();
}

TEST_F(ImportRun, EmptyDiagnosticsFileSendsNothing) {
    script.parseDiagnostics = "";
    script.parseBuildsTree = false;
    EXPECT_EQ(Run("", true), 0);
    EXPECT_EQ(messages, (std::vector<std::string>{"No valid C structures found in header file: header.h."}));
    ExpectNoTemporaryFiles();
}

struct FailureCase {
    const char* what;
    int32_t preprocessorResult;
    int32_t parseStatus;
    bool parseBuildsTree;
    int32_t result;
    std::vector<std::string> messages;
    bool parsed;
};

class ImportRunFailure : public ImportRun, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ImportRunFailure, ReportsAndReturnsAsTheStageFailed) {
    const FailureCase& c = GetParam();
    script.preprocessorResult = c.preprocessorResult;
    script.parseStatus = c.parseStatus;
    script.parseBuildsTree = c.parseBuildsTree;
    script.diagnostics = "diag\n";
    script.parseDiagnostics = "";
    EXPECT_EQ(Run("", true), c.result) << c.what;
    EXPECT_EQ(messages, c.messages) << c.what;
    EXPECT_EQ(!script.parserArgs.empty(), c.parsed) << c.what;
    ExpectNoTemporaryFiles();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportRunFailure,
    ::testing::Values(
        FailureCase{"no error file", -1, 0, true, -1, {kMsgErrorFileFailed, "diag\r\n"}, false},
        FailureCase{"fatal preprocessor", -2, 0, true, -1, {"diag\r\n"}, false},
        FailureCase{"parse without error file", 0, -1, false, -1, {kMsgErrorFileFailed, "diag\r\n"}, true},
        FailureCase{"parse failed otherwise", 0, -3, false, 0, {"diag\r\n"}, true},
        FailureCase{"fatal parse leaves no tree", 0, 0, false, 0,
                    {"diag\r\n", "No valid C structures found in header file: header.h."}, true}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(ImportRun, NullCallbackRunsSilentlyWithTheSameResult) {
    ImportContext context(1, "header.h", "", true, nullptr, nullptr);
    EXPECT_EQ(RunImport(context, kFakeStages), 0);
    EXPECT_TRUE(script.reported);
}

struct ArgsCase {
    const char* variable;
    std::vector<std::string> args;
};

class PreprocessorArgs : public ::testing::TestWithParam<ArgsCase> {};

TEST_P(PreprocessorArgs, OneIncludeOptionPerDirectory) {
    EXPECT_EQ(BuildPreprocessorArgs("in", GetParam().variable), GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreprocessorArgs,
    ::testing::Values(ArgsCase{nullptr, {"in", "in"}}, ArgsCase{"", {"in", "in"}},
                      ArgsCase{"C:\\a;C:\\b", {"in", "-IC:\\a", "-IC:\\b", "in"}},
                      ArgsCase{"C:\\a;", {"in", "-IC:\\a", "in"}},
                      // Empty pieces never give a bare -I that would swallow the next argument.
                      ArgsCase{"a;;b", {"in", "-Ia", "-Ib", "in"}}, ArgsCase{";a;;", {"in", "-Ia", "in"}},
                      ArgsCase{";", {"in", "in"}}));

}  // namespace
}  // namespace cimp
