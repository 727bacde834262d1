// The built cimport binary run as a user runs it: each row of the table runs one command line
// in a fresh folder and checks its exit status, its output and what it left on disk.
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/file_bytes.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace {

namespace fs = std::filesystem;
using test_support::ReadFileBytes;
using test_support::WriteFileBytes;

struct CliRun { int status; std::string out, err; };

std::string Quoted(const std::string& arg) {
#if defined(_WIN32)
    return "\"" + arg + "\" ";
#else
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "' ";
#endif
}

// Runs the binary in the current directory.
CliRun RunCli(const std::vector<std::string>& args) {
    std::string command = Quoted(CIMPORT_CLI);
    for (const std::string& arg : args) command += Quoted(arg);
    int status = std::system((command + ">cli.out 2>cli.err").c_str());
#if !defined(_WIN32)
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return {status, ReadFileBytes("cli.out"), ReadFileBytes("cli.err")};
}

constexpr const char* kRepo = "messages.db";  // the default of --repo

// The files every row finds in its folder.  The last four have the names of the importer's
// working files: no command may touch them.
const std::vector<std::pair<std::string, std::string>> kFiles = {
    {"s.h", "typedef unsigned long ID;\n"
            "struct s { ID id; char name[4]; float f[3]; struct in { short b; } x; };\n"},
    {"inc/n.h", "#define N 3\n"},
    {"t.h", "#include \"n.h\"\n#include <stdio.h>\nstruct t { char c[N]; };\n"},
    {"e.h", "struct e { int a }\n"},
    {"p.h", "struct p { int id; char *next; };\n"},
    {"q.h", "struct q { int a; };\n#if 1\n"},  // an error the preprocessor finds at the end
    {"loop.h", "#include \"loop.h\"\n"},
    {"pp.h", "#ifdef V\nint v = V;\n#else\nint no;\n#endif\n#error stop\n"},
    {"caf\xe9.h", "typedef unsigned long ID;\nstruct j { struct k { ID id; } k; char c[2]; };\n"},
    {"cpre.tmp", "a"}, {"cprep.tmp", "b"}, {"errorfile.err", "c"}, {"out.tmp", "d"},
};

// How messages.db looks before the command runs: one of these, or the bytes of a file.
const std::string kNone = "<none>", kFolder = "<folder>", kImported = "<imported>",
                  kReadOnly = "<read-only>";

// The command that makes the kImported repository, itself a row below.
const std::vector<std::string> kImportAll = {"import", "--quiet", "-I", "inc", "s.h", "t.h", "e.h"};

void Prepare(const std::string& repo) {
    if (repo == kImported || repo == kReadOnly) {
        ASSERT_EQ(RunCli(kImportAll).status, 1);
    } else if (repo == kFolder) {
        fs::create_directory(kRepo);
    } else if (repo != kNone) {
        WriteFileBytes(kRepo, repo);
    }
    if (repo == kReadOnly) fs::permissions(kRepo, fs::perms::owner_read);
}

std::string Snapshot() {
    return fs::is_directory(kRepo) ? kFolder : fs::exists(kRepo) ? ReadFileBytes(kRepo) : kNone;
}

struct Row {
    const char* label;
    std::string repo;
    std::vector<std::string> args;  // "{ex}" stands for the project's examples folder
    int status;
    // Expected standard output and error, "{dir}" standing for the row's folder: the exact
    // bytes; or, after a first line "...", parts that must appear in this order, one a line;
    // or, when it starts with '{', the JSON in compact form.
    std::string out, err;
    bool changesRepo = false;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.label; }

std::string Expand(std::string text) {
    const std::string examples = (fs::path(CIMPORT_SOURCE_DIR) / "examples").string();
    for (const auto& [key, value] :
         {std::pair{std::string("{dir}"), fs::current_path().string()}, {"{ex}", examples}})
        for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at))
            text.replace(at, key.size(), value);
    return text;
}

void ExpectText(const std::string& actual, const std::string& expected, const char* stream) {
    if (expected.rfind("...\n", 0) == 0) {
        std::istringstream lines(expected.substr(4));
        std::size_t at = 0;
        for (std::string line; std::getline(lines, line);) {
            at = actual.find(line, at);
            ASSERT_NE(at, std::string::npos) << stream << " lacks " << line << "\n" << actual;
        }
    } else if (expected.rfind("{", 0) == 0) {
        const auto json = nlohmann::ordered_json::parse(actual);
        EXPECT_EQ(json.dump(), expected) << stream;
        EXPECT_EQ(actual, json.dump(2) + "\n") << stream << " is not the indented form";
    } else {
        EXPECT_EQ(actual, expected) << stream;
    }
}

class Cli : public ::testing::TestWithParam<Row> {
protected:
    // Each row works in a folder of its own, left behind when the row fails.
    void SetUp() override {
        fs::remove_all(GetParam().label);
        fs::create_directories(GetParam().label);
        fs::current_path(GetParam().label);
        for (const auto& [name, text] : kFiles) WriteFileBytes(name, text);
    }
    void TearDown() override {
        fs::current_path("..");
        if (!HasFailure()) fs::remove_all(GetParam().label);
    }
};

TEST_P(Cli, Runs) {
    const Row& row = GetParam();
    Prepare(row.repo);
    const std::string before = Snapshot();
    std::vector<std::string> args;
    for (const std::string& arg : row.args) args.push_back(Expand(arg));
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, row.status) << run.out << run.err;
    ExpectText(run.out, Expand(row.out), "standard output");
    ExpectText(run.err, Expand(row.err), "standard error");
    if (!row.changesRepo) {
        EXPECT_EQ(Snapshot(), before) << "the repository changed";
    }
    for (const auto& [name, text] : kFiles) EXPECT_EQ(ReadFileBytes(name), text) << name;
}

const std::string kSummary0 = "Summary: \nNo. of Errors:\t\t\t0\nNo. of Types created:\t\t";
const std::string kNested = "#include too deeply nested\n\nFatal error occurred during parse.\n";
const std::string kTree =
    "struct s: tag \"s\", type \"s\", repeat 0, length 0, signed 1, pointer 0, level 1\n"
    "  id: type \"long\", repeat 0, length 0, signed 0, pointer 0, level 2\n"
    "  name: type \"char\", repeat 0, length 4, signed 1, pointer 0, level 2\n"
    "  f: type \"float\", repeat 3, length 0, signed 1, pointer 0, level 2\n"
    "  struct x: tag \"in\", type \"x\", repeat 0, length 0, signed 1, pointer 0, level 2\n"
    "    b: type \"short\", repeat 0, length 0, signed 1, pointer 0, level 3\n";
const std::string kShowX =
    "Type x_TYPE\n  b: Type INTEGER; member flag 1, repeating 0; Physical Type = 1; Length = 2; "
    "Signed = 1; String Justification = L\n";
const std::string kParseOk = "No syntax errors found during parse.\n";
const std::string kStop = "#error directive: stop\n";
const std::string kUnterminated = "Unterminated #if/#ifdef/#ifndef\n";

const std::string kNotRepository = "cimport: not a repository: messages.db\n";

const Row kRows[] = {
    // Bad input: one line on standard error, status 2, the repository as it was.
    {"MissingHeader", kNone, {"import", "s.h", "no.h"}, 2, "", "cimport: header not found: no.h\n"},
    {"HeaderIsFolder", kImported, {"import", "inc"}, 2, "", "cimport: header not found: inc\n"},
    {"EmptyHeader", kImported, {"import", ""}, 2, "", "cimport: empty header name\n"},
    {"MissingPreInclude", kImported, {"import", "--pre-include", "no.h", "s.h"}, 2, "",
     "cimport: pre-include file not found: no.h\n"},
    {"MissingIncludeFolder", kImported, {"import", "-I", "no", "s.h"}, 2, "",
     "cimport: include directory not found: no\n"},
    {"EmptyIncludeFolder", kImported, {"import", "-I", "", "s.h"}, 2, "",
     "cimport: empty include directory name\n"},
    {"IncludeFolderWithSemicolon", kImported, {"import", "-I", "a;b", "s.h"}, 2, "",
     "cimport: include directory name holds ';': {dir}/a;b\n"},
    {"EmptyRepositoryName", kNone, {"import", "--repo", "", "s.h"}, 2, "",
     "cimport: empty repository name\n"},
    {"RepositoryIsText", "text\n", {"import", "s.h"}, 2, "", kNotRepository},
    {"RepositoryIsFolder", kFolder, {"import", "s.h"}, 2, "", kNotRepository},
    {"RepositoryIsReadOnly", kReadOnly, {"import", "q.h"}, 2, "",
     "cimport: repository is read-only: messages.db\n"},
    {"ShowText", "text\n", {"show", "--repo", kRepo}, 2, "", kNotRepository},
    {"ShowMissing", kNone, {"show", "--repo", "no.db"}, 2, "", "cimport: no repository at no.db\n"},
    {"UnknownOption", kImported, {"import", "--bogus", "s.h"}, 2, "",
     "cimport: The following argument was not expected: --bogus (see --help)\n"},
    {"NoSubcommand", kNone, {}, 2, "", "cimport: A subcommand is required (see --help)\n"},
    {"NoHeader", kNone, {"parse"}, 2, "", "cimport: HEADER is required (see --help)\n"},
    {"PreprocessPreIncludeAlone", kNone, {"preprocess", "--keep-system-includes", "s.h"}, 2, "",
     "cimport: --pre-include and --keep-system-includes need --like-import\n"},
    {"OneValueAfterDAndU", kNone, {"preprocess", "pp.h", "-U", "V", "W", "-D", "X", "Y"}, 2, "",
     "cimport: The following arguments were not expected: Y W (see --help)\n"},
    {"PreprocessEmptyDefine", kNone, {"preprocess", "pp.h", "-D", ""}, 2, "",
     "cimport: empty -D argument\n"},
    {"PreprocessEmptyUndefine", kNone, {"preprocess", "pp.h", "-U", ""}, 2, "",
     "cimport: empty -U argument\n"},
    {"Version", kNone, {"--version"}, 0, "cimport " CIMPORT_VERSION "\n", ""},
    {"Help", kNone, {"import", "--help"}, 0, "...\n  --dry-run", ""},

    // import: status 1 when the import reports errors (here the parse's count of syntax errors).
    {"ImportQuiet", kNone, kImportAll, 1,
     kSummary0 + "2\nNo. of Elements created:\t5\nNo. of Lengths created:\t\t2\n" + kSummary0 +
         "1\nNo. of Elements created:\t1\nNo. of Lengths created:\t\t1\n" + kSummary0 +
         "0\nNo. of Elements created:\t1\nNo. of Lengths created:\t\t0\n", "", true},
    {"ImportWithIncludeFolder", kNone, {"import", "-I", "inc", "t.h"}, 0,
     "Importing C header file {dir}/t.h...\n\n" + kParseOk +
         "Created Length DEFAULT_CHAR_LEN.\nImporting C structure t.\nCreated Length C_LEN.\n"
         "Created Element c.\nCreated Type t_TYPE.\nInserted Element c into Type t_TYPE.\n"
         "C Structure t successfully imported.\n\n" + kSummary0 +
         "1\nNo. of Elements created:\t1\nNo. of Lengths created:\t\t2\n", "", true},
    {"ImportErrorLines", kNone, {"import", "--quiet", "p.h"}, 1,
     "Error: next is a pointer and will not be imported.\nError: Failed to create Type p as errors "
     "occured during creation of child Elements.\nSummary: \nNo. of Errors:\t\t\t2\n"
     "No. of Types created:\t\t0\nNo. of Elements created:\t0\nNo. of Lengths created:\t\t1\n",
     "", true},
    {"ImportPreprocessorErrorsDoNotCount", kImported, {"import", "q.h"}, 0,
     "...\n" + kUnterminated + "C Structure q successfully imported.", "", true},
    {"ImportAgainCreatesNothing", kImported, {"import", "s.h"}, 0,
     "...\nC Structure s not imported.\n" + kSummary0 + "0\nNo errors detected and nothing was "
     "created. This header file may have been previously imported.", ""},
    {"ImportFails", kImported, {"import", "loop.h"}, 2,
     "Importing C header file {dir}/loop.h...\n\n" + kNested,
     "cimport: the import of {dir}/loop.h failed; nothing of it was saved\n"},
    {"DryRun", kImported, {"import", "--dry-run", "q.h"}, 0,
     "...\nCreated Type q_TYPE.\nDry run: the import of {dir}/q.h was rolled back; messages.db is "
     "unchanged.", ""},
    {"DryRunCreatesNoFile", kNone, {"import", "--dry-run", "--quiet", "--repo", kRepo, "s.h"}, 0,
     kSummary0 + "2\nNo. of Elements created:\t5\nNo. of Lengths created:\t\t2\n"
     "Dry run: the import of {dir}/s.h was rolled back; messages.db is unchanged.\n", ""},
    {"Examples", kNone, {"import", "-I", "{ex}", "--pre-include", "{ex}/prelude/vendor_words.h",
     "{ex}/order.h", "{ex}/telemetry_frame.h", "{ex}/device_status.h"}, 0, "...\nCreated Type "
     "order_TYPE.\nCreated Type telemetry_frame_TYPE.\nCreated Type device_status_TYPE.", "", true},

    // show: the repository made by ImportQuiet.
    {"Show", kImported, {"show"}, 0,
     "Type INTEGER (simple INTEGER)\nType STRING (simple STRING)\nType FLOAT (simple FLOAT)\n"
     "Type BINARY (simple BINARY)\nType BOOLEAN (simple BOOLEAN)\n" + kShowX + "Type s_TYPE\n"
     "  id: Type INTEGER; member flag 1, repeating 0; Physical Type = 1; Length = 4; Signed = 0; "
     "String Justification = L\n  name: Type STRING, Length NAME_LEN = 4; member flag 1, "
     "repeating 0; Physical Type = 8; Length = 4; String Justification = L\n  f: Type FLOAT; "
     "member flag 1, repeating 1; Physical Type = 3; Repeat Count = 3; Length = 4; Signed = 1; "
     "String Justification = L\n  x: Type x_TYPE; member flag 1, repeating 0; String "
     "Justification = L\nType t_TYPE\n  c: Type STRING, Length C_LEN = 3; member flag 1, "
     "repeating 0; Physical Type = 8; Length = 3; String Justification = L\n\nElements\n"
     "  id: Type INTEGER\n  name: Type STRING, Length NAME_LEN = 4\n  f: Type FLOAT\n"
     "  b: Type INTEGER\n  x: Type x_TYPE\n  c: Type STRING, Length C_LEN = 3\n"
     "  e: no Type (incomplete)\n\nLengths\n  DEFAULT_CHAR_LEN = 1\n  NAME_LEN = 4\n"
     "  C_LEN = 3\n", ""},
    {"ShowNamed", kImported, {"show", "x_TYPE", "nope", "e", "C_LEN"}, 1,
     kShowX + "\nElements\n  e: no Type (incomplete)\n\nLengths\n  C_LEN = 3\n",
     "cimport: no Type, Element or Length named nope\n"},
    {"ShowReadOnly", kReadOnly, {"show", "--wait", "0", "C_LEN"}, 0, "...\n  C_LEN = 3\n", ""},
    {"ShowJson", kImported, {"show", "--json", "STRING", "x_TYPE", "c", "e", "C_LEN"}, 0,
     R"({"types":[{"name":"STRING","class":"simple","simpleType":"STRING",)"
     R"("complete":true,"members":[]},{"name":"x_TYPE","class":"structure","simpleType":null,)"
     R"("complete":true,"members":[{"element":"b","type":"INTEGER","length":null,"memberFlag":1,)"
     R"("repeating":0,"attributes":{"Physical Type":"1","Length":"2","Signed":"1",)"
     R"("String Justification":"L"}}]}],"elements":[{"name":"c","type":"STRING","length":)"
     R"({"name":"C_LEN","value":3},"complete":true},{"name":"e","type":null,"length":null,)"
     R"("complete":false}],"lengths":[{"name":"C_LEN","value":3,"complete":true}]})", ""},

    // parse: the tree on standard output, the parse's diagnostics on standard error.
    {"Parse", kNone, {"parse", "s.h"}, 0, kTree, kParseOk},
    {"ParseJson", kNone, {"parse", "--json", "caf\xe9.h"}, 0,
     R"({"header":"{dir}/caf)" "\xef\xbf\xbd" R"(.h","structures":[{"kind":"structure",)"
     R"("name":"j","tag":"j","type":"j","repeatCount":0,"length":0,"signed":true,"pointer":false,)"
     R"("level":1,"members":[{"kind":"structure","name":"k","tag":"k","type":"k","repeatCount":0,)"
     R"("length":0,"signed":true,"pointer":false,"level":2,"members":[{"kind":"member","name":)"
     R"("id","type":"long","repeatCount":0,"length":0,"signed":false,"pointer":false,"level":3}]},)"
     R"({"kind":"member","name":"c","type":"char","repeatCount":0,"length":2,"signed":true,)"
     R"("pointer":false,"level":2}]}],"typedefs":[{"name":"ID","type":"long","repeatCount":0,)"
     R"("length":0,"signed":false,"pointer":false},{"name":"k","type":"k","repeatCount":0,)"
     R"("length":0,"signed":true,"pointer":false},{"name":"k","type":"k","repeatCount":0,)"
     R"("length":0,"signed":true,"pointer":false}]})", kParseOk},
    {"ParseSyntaxError", kNone, {"parse", "--pre-include", "s.h", "e.h"}, 1,
     kTree + "struct e: tag \"e\", type \"e\", repeat 0, length 0, signed 1, pointer 0, level 1\n",
     "[error 1] line 6  near \"}\": syntax error\nactual: RC }  expecting: COMMA, SEMICOLON\n\n"
     "1 error found during parse.\n"},
    {"ParseDropsSystemIncludes", kNone, {"parse", "-I", "inc", "t.h"}, 0,
     "...\n  c: type \"char\", repeat 0, length 3,", kParseOk},
    {"ParsePreprocessorErrorsDoNotCount", kNone, {"parse", "q.h"}, 0, "...\nstruct q:",
     kUnterminated + kParseOk},
    {"ParseFatal", kNone, {"parse", "loop.h"}, 2, "", kNested},

    // preprocess: the preprocessor's bytes on standard output, status from its worst diagnostic.
    {"Define", kNone, {"preprocess", "pp.h", "-D", "V=42"}, 0,
     "/*#line1 \"{dir}/pp.h\"*/\r\n\r\nint v = 42;\r\n\r\n\r\n\r\n\r\n", kStop},
    {"DefineAsOne", kNone, {"preprocess", "pp.h", "-DV"}, 0, "...\nint v = 1;", kStop},
    {"Undefine", kNone, {"preprocess", "-DV", "-U", "V", "pp.h"}, 0, "...\nint no;", kStop},
    {"IncludeFolder", kNone, {"preprocess", "-I", "inc", "t.h"}, 1,
     "/*#line1 \"{dir}/t.h\"*/\r\n/*#line1 \"{dir}/inc/n.h\"*/\r\n\r\n/*#line2 \"{dir}/t.h\"*/\r\n"
     "struct t { char c[3]; };\r\n", "Could not find include file <stdio.h>\n"},
    {"ErrorLevel", kNone, {"preprocess", "q.h"}, 1,
     "/*#line1 \"{dir}/q.h\"*/\r\nstruct q { int a; };\r\n\r\n", kUnterminated},
    {"FatalLevel", kNone, {"preprocess", "loop.h"}, 2,
     "...\n/*#line1 \"{dir}/loop.h\"*/\r\n", kNested},
    {"IllegalDefine", kNone, {"preprocess", "pp.h", "-D", "3"}, 2, "",
     "Illegal -D or -U argument 3\n\nFatal error occurred during parse.\n"},
    // --like-import shows the text whose lines the parse's syntax errors count.
    {"LikeImport", kNone, {"preprocess", "--like-import", "--pre-include", "s.h", "e.h"}, 0,
     "/*#line1 \"cpre.tmp\"*/\r\n/*#line1 \"{dir}/s.h\"*/\r\ntypedef unsigned long ID;\r\n"
     "struct s { ID id; char name[4]; float f[3]; struct in { short b; } x; };\r\n"
     "/*#line2 \"cpre.tmp\"*/\r\nstruct e { int a }\r\n", ""},
    {"LikeImportKeepsSystemIncludes", kNone, {"preprocess", "--like-import",
     "--keep-system-includes", "-I", "inc", "t.h"}, 1, "...\n/*#line1 \"{dir}/inc/n.h\"*/\r",
     "Could not find include file <stdio.h>\n"},
};

INSTANTIATE_TEST_SUITE_P(Cli, Cli, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
