// The import driver with the parse stage between stand-ins (the files the stages exchange,
// the messages and the result), and the exported entry around it.
#include <chrono>
#include <mutex>
#include <thread>

#include "cimp/import_run.h"
#include "cimport.h"
#include "tests/parse/parse_fixture.h"
#include "tests/support/environment.h"

namespace cimp {
namespace {

using namespace parse::test;
using Lines = std::vector<std::string>;

// What the stand-in preprocessor does, and what the stages were given.
struct Script {
    int32_t result = 0;
    std::string diagnostics, preprocessed = "struct s { int a; };\n";
    std::string blocked = "";  // a folder it leaves in the place of this file
    std::string preprocessorGot = "", parserGot = "";  // arguments, then the input
} g;

std::string Got(int argc, char** argv, int input) {
    std::string got;
    for (int i = 0; i < argc; ++i) got += argv[i] + std::string(" ");
    return got + "| " + ReadFileBytes(argv[input]);
}

int32_t Preprocessor(int argc, char** argv) {
    g.preprocessorGot = Got(argc, argv, argc - 1);
    WriteFileBytes(kDiagnosticsFile, g.diagnostics);
    TextFile out;  // appended to, as the preprocessor does
    EXPECT_TRUE(out.Open(kPreprocessedFile, TextFile::Mode::kAppend) && out.Write(g.preprocessed));
    if (!g.blocked.empty() && RemoveFile(g.blocked.c_str()))
        std::filesystem::create_directory(g.blocked);
    return g.result;
}

DeclNode* Parser(int argc, char** argv, TypedefEntry** typedefs, int32_t* status) {
    g.parserGot = Got(argc, argv, 1);
    return parse::ParseHeaderFile(argc, argv, typedefs, status);
}

int32_t Mapping(ImportContext& context, DeclNode* root) {
    context.sink.Send("mapped " + (root == DeclTreeRoot() ? DescribeTree(root) : "?"));
    return 0;
}

void Report(ImportContext& context) { context.sink.Send("report"); }

void Collect(void* context, const char* text) { static_cast<Lines*>(context)->push_back(text); }

// Runs an import with the script, checks that no file or tree is left, and returns the
// result and the messages.
std::string Import(Script script, const char* preInclude = "", bool keep = true,
                   const char* header = "header.h", CImportCallback callback = Collect) {
    g = std::move(script);
    WriteFileBytes("header.h", "#include <a.h>\nstruct s { int a; };\n#if A<B||C>D\nint x < 3;\n");
    Lines messages;
    ImportContext context(1, header, preInclude, keep, callback, &messages);
    std::string out = std::to_string(RunImport(context, {Preprocessor, Parser, Mapping, Report}));
    if (!g.blocked.empty()) std::filesystem::remove_all(g.blocked);
    for (const char* f : {kPreprocessorSourceFile, kPreprocessedFile, kDiagnosticsFile, "out.tmp"})
        EXPECT_FALSE(FileExists(f)) << f;
    EXPECT_EQ(DeclTreeRoot(), nullptr);
    for (const std::string& m : messages) out += " | " + m;
    return out;
}

const std::string kClean = " | No syntax errors found during parse.\r\n";
const std::string kMapped = kClean + " | mapped s<s>:s{a:int} | report";
const std::string kNone = " | No valid C structures found in header file: header.h.";

TEST(ImportRun, StagesFilesAndMessages) {
    const std::string x(258, 'x'), failed = std::string(" | ") + kMsgErrorFileFailed;
    const std::pair<Script, std::string> cases[] = {
        {{}, "0" + kMapped},
        {{0, "", "typedef unsigned short U16;\nstruct A { U16 v[2]; char n[8]; };\nint b c;\n"},
         "0 | [error 1] line 3  near \"c\": syntax error\r\nactual: IDENTIFIER c  expecting: "
         "COMMA, SEMICOLON\r\n\r\n1 error found during parse.\r\n"
         " | mapped A<A>:A{v:short[r=2][u]; n:char[l=8]} | report"},
        {{0, "", "int x;\n"}, "0" + kClean + kNone},
        // Diagnostics go in pieces of at most 258 characters; an empty file sends nothing.
        {{0, "one\ntwo\n" + std::string(600, 'x') + "\n", "int x;\n"},
         "0 | one\r\ntwo\r\n" + x + "\r\n" + x + "\r\n" + std::string(84, 'x') +
             "\r\nNo syntax errors found during parse.\r\n" + kNone},
        {{-1, "diag\n"}, "-1" + failed + " | diag\r\n"},
        {{-2, "diag\n"}, "-1 | diag\r\n"}, {{-2, ""}, "-1"},
        {{0, "diag\n", "", "errorfile.err"}, "-1" + failed},
        {{0, "diag\n", "", "out.tmp"},
         "0 | diag\r\nInternal Error: Failed to open output file 'out.tmp'\r\n"},
        {{0, "", "int " + std::string(600, 'x') + ";"},
         "0 | \r\nFatal error occurred during parse.\r\n" + kNone}};
    for (const auto& [script, outcome] : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(Import(script), outcome);
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(g.parserGot.empty(), script.result != 0);
    }
    EXPECT_EQ(Import({}, "", true, "header.h", nullptr), "0");  // no callback: the same run, silent
}

TEST(ImportRun, FeedsTheHeaderOrASourceWithPreIncludeAndFilter) {
    // One include option per directory: empty pieces never give a bare -I.
    setenv("include", ";d1;;d2;", 1);
    EXPECT_EQ(Import({}), "0" + kMapped);
    EXPECT_EQ(g.preprocessorGot, "header.h -Id1 -Id2 header.h | " + ReadFileBytes("header.h"));
    EXPECT_EQ(g.parserGot, "cprep.tmp cprep.tmp | struct s { int a; };\r\n");
    setenv("include", "", 1);  // none, whatever INCLUDE holds
    EXPECT_EQ(Import({}, "defs.h", false), "0" + kMapped);
    EXPECT_EQ(g.preprocessorGot,
              "cpre.tmp cpre.tmp | #include \"defs.h\"\r\nstruct s { int a; };\r\nint x < 3;\r\n");
    Import({}, "defs.h", true);
    EXPECT_EQ(g.preprocessorGot, "cpre.tmp cpre.tmp | #include \"defs.h\"\r\n#include <a.h>\r\n"
                                 "struct s { int a; };\r\n#if A<B||C>D\r\nint x < 3;\r\n");
    // A missing header never imports a stale source.
    WriteFileBytes(kPreprocessorSourceFile, "struct stale { int old; };\n");
    EXPECT_EQ(Import({}, "", false, "none.h"), std::string("-1 | ") + kMsgTempFileFailed + kMapped);
    EXPECT_EQ(g.preprocessorGot, "cpre.tmp cpre.tmp | ");
}

TEST(DoCImport, SendsTheOpeningLinesAndLeavesNoTemporaryFiles) {
    for (const std::string header : {"no-such-file.h", ""}) {
        Lines messages;
        const char* path = header.empty() ? nullptr : header.c_str();
        EXPECT_EQ(DoCImport(1, path, 0, 0, 0, 0, nullptr, 0, 0, 1, Collect, &messages), -1);
        ASSERT_GE(messages.size(), 2u);
        EXPECT_EQ(messages[0] + "|" + messages[1], "Importing C header file " + header + "...|");
        for (const char* f : {"cpre.tmp", "cprep.tmp", "errorfile.err", "out.tmp"})
            EXPECT_FALSE(FileExists(f)) << f;
    }
    EXPECT_EQ(DoCImport(1, nullptr, 0, 0, 0, 0, nullptr, 0, 0, 0, nullptr, nullptr), -1);
}

// Two imports started at once never interleave: the second waits for the first.
TEST(DoCImport, ConcurrentCallsAreSerialised) {
    static std::mutex lock;
    static std::string who;
    const auto slow = [](void* name, const char*) {
        std::lock_guard<std::mutex> guard(lock);
        who += *static_cast<char*>(name);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    char a = 'a', b = 'b';
    std::thread first([&] { DoCImport(1, "a.h", 0, 0, 0, 0, nullptr, 0, 0, 1, slow, &a); });
    std::thread second([&] { DoCImport(1, "b.h", 0, 0, 0, 0, nullptr, 0, 0, 1, slow, &b); });
    first.join();
    second.join();
    int switches = 0;
    for (std::size_t i = 1; i < who.size(); ++i) switches += who[i] != who[i - 1];
    EXPECT_EQ(switches, 1) << who;
}

}  // namespace
}  // namespace cimp
