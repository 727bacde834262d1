// The built cimport binary run as a user runs it: each row of the table runs one command line
// in a fresh folder and checks its exit status, its output and what it left on disk.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
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
    {"u.h", "#include <stdint.h>\n\nstruct reading {\n    uint32_t id; char name[32];\n"
            "    int16_t temp; double value;\n};\n"},
    {"w.h", "#include <windows.h>\n#ifdef _WIN32\nstruct w { DWORD d; WORD v; BYTE b; };\n"
            "#endif\n"},
    {"z.h", "#include <stddef.h>\n#include <stdbool.h>\nstruct z { size_t n; bool ok; };\n"},
    {"my/stdint.h", "typedef short uint32_t;\ntypedef int int16_t;\n"},
    {"k.h", "#include <sys/socket.h>\nstruct k { int a; };\n"},
    {"km.h", "#if 0\n#include <none.h>\n#endif\n#define S <sys/socket.h>\n#include S\n"
             "struct km { int a; };\n"},
    {"inc/pq.h", "#pragma pack(push, 1)\nstruct pq { char c; };\n#pragma pack(pop)\n"},
    {"pk.h", "#include \"pq.h\"\n#pragma pack(push, \\\n 1)\nstruct pk { short s; };\n"
             "#pragma pack(pop)\n"},
    {"c.h", "struct S {\n    int a;\n    union { int b; float c; } u;\n    int d;\n};\n"
            "struct P { int id; char *next; long double x; };\n"
            "struct B { unsigned f : 3; char n[0x10]; char t[32 + 1]; };\n"
            "#define BIG 1ULL\nunsigned long long big = BIG;\nstruct After { int class; };\n"},
    {"d.h", "#include <stdio.h>\nstruct d { int *p; };\n"},
    {"fu.h", "typedef char NAME[0x20];\ntypedef union { int i; float f; } U;\n"
             "struct fu { NAME n; U u; };\n"},
    {"eof.h", "struct eof { int x; }\n"},
    {"en.h", "struct E { int x; enum { RED, GREEN } color; int y; };\n"},
    {"ln.h", "struct ln { int " + std::string(300, 'n') + "; };\n"},
    {"cpre.tmp", "a"}, {"cprep.tmp", "b"}, {"errorfile.err", "c"}, {"out.tmp", "d"},
};

// How messages.db looks before the command runs: one of these, or the bytes of a file.
const std::string kNone = "<none>", kFolder = "<folder>", kImported = "<imported>",
                  kReadOnly = "<read-only>";

// The switches that together give what the importer does on its own (the first four for a
// preprocess of the header alone).
std::vector<std::string> Today(std::vector<std::string> args, bool drop = true) {
    args.insert(args.end(),
                {"--no-std-headers", "--no-compiler-words", "--keep-pragmas", "--strict-includes"});
    if (drop) args.push_back("--drop-system-includes");
    return args;
}

// The command that makes the kImported repository, itself a row below.
const std::vector<std::string> kImportAll =
    Today({"import", "--quiet", "-I", "inc", "s.h", "t.h", "e.h"});

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
    // or, when it starts with '{' or "[{", the JSON in compact form.
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
    } else if (expected.rfind("{", 0) == 0 || expected.rfind("[{", 0) == 0) {
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
    {"PreprocessPreIncludeAlone", kNone, {"preprocess", "--drop-system-includes", "s.h"}, 2, "",
     "cimport: --pre-include and --drop-system-includes need --like-import\n"},
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
    {"ParseSyntaxError", kNone, Today({"parse", "--pre-include", "s.h", "e.h"}), 1,
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
    {"IncludeFolder", kNone, Today({"preprocess", "-I", "inc", "t.h"}, false), 1,
     "/*#line1 \"{dir}/t.h\"*/\r\n/*#line1 \"{dir}/inc/n.h\"*/\r\n\r\n/*#line2 \"{dir}/t.h\"*/\r\n"
     "struct t { char c[3]; };\r\n", "Could not find include file <stdio.h>\n"},
    {"ErrorLevel", kNone, {"preprocess", "q.h"}, 1,
     "/*#line1 \"{dir}/q.h\"*/\r\nstruct q { int a; };\r\n\r\n", kUnterminated},
    {"FatalLevel", kNone, {"preprocess", "loop.h"}, 2,
     "...\n/*#line1 \"{dir}/loop.h\"*/\r\n", kNested},
    {"IllegalDefine", kNone, {"preprocess", "pp.h", "-D", "3"}, 2, "",
     "Illegal -D or -U argument 3\n\nFatal error occurred during parse.\n"},
    // --like-import shows the text whose lines the parse's syntax errors count.
    {"LikeImport", kNone, Today({"preprocess", "--like-import", "--pre-include", "s.h", "e.h"}), 0,
     "/*#line1 \"cpre.tmp\"*/\r\n/*#line1 \"{dir}/s.h\"*/\r\ntypedef unsigned long ID;\r\n"
     "struct s { ID id; char name[4]; float f[3]; struct in { short b; } x; };\r\n"
     "/*#line2 \"cpre.tmp\"*/\r\nstruct e { int a }\r\n", ""},
    {"LikeImportKeepsSystemIncludes", kNone, Today({"preprocess", "--like-import",
     "--keep-system-includes", "-I", "inc", "t.h"}, false), 1,
     "...\n/*#line1 \"{dir}/inc/n.h\"*/\r",
     "Could not find include file <stdio.h>\n"},
};

const std::string kStandIn =
    "cimport: <sys/socket.h> not found; read as empty. Add -I DIR for the real one.\n";

const Row kHeaderRows[] = {
    // What the command adds around the importer: bundled headers, compiler words, stand-ins
    // for missing system headers, #pragma lines blanked; and the switches that turn it off.
    {"StandardTypes", kNone, {"import", "--quiet", "u.h", "w.h", "z.h"}, 0, kSummary0 + "1\nNo. of "
     "Elements created:\t4\nNo. of Lengths created:\t\t2\n" + kSummary0 + "1\nNo. of Elements "
     "created:\t3\nNo. of Lengths created:\t\t0\n" + kSummary0 + "1\nNo. of Elements created:\t2\n"
     "No. of Lengths created:\t\t0\n", "", true},
    {"OwnStdintWins", kNone, {"parse", "-I", "my", "u.h"}, 0, "...\n  id: type \"short\"\n"
     "  temp: type \"int\"", kParseOk},
    {"StandIn", kNone, {"import", "k.h"}, 0, "...\nNo syntax errors found\nCreated Type k_TYPE.",
     kStandIn, true},
    {"StandInQuiet", kNone, {"import", "--quiet", "k.h"}, 0, "...\nSummary", kStandIn, true},
    {"StandInByMacro", kNone, {"import", "--quiet", "km.h"}, 0, "...\nSummary", kStandIn, true},
    {"StrictIncludes", kNone, {"import", "--strict-includes", "k.h"}, 0,
     "...\nCould not find include file <sys/socket.h>\nCreated Type k_TYPE.", "", true},
    {"PragmasBlanked", kNone, {"import", "-I", "inc", "pk.h"}, 0, "...\nImporting C header file "
     "{dir}/pk.h...\nNo syntax errors found during parse.\nCreated Type pq_TYPE.\n"
     "Created Type pk_TYPE.", "cimport: 4 #pragma lines read as empty lines (the importer stops "
     "at them; --keep-pragmas keeps them)\n", true},
    {"PragmasKept", kNone, {"import", "-I", "inc", "--keep-pragmas", "pk.h"}, 1,
     "...\n  near \"pack\": syntax error\nNo valid C structures found\ncimport: the line "
     "numbers of the syntax errors count lines of what this prints: cimport preprocess "
     "--like-import -I {dir}/inc --keep-pragmas {dir}/pk.h\n", "", true},
    {"ParseHint", kNone, {"parse", "--no-std-headers", "e.h"}, 1, "...\nstruct e:",
     "...\n1 error found during parse.\ncimport: the line numbers of the syntax errors count "
     "lines of what this prints: cimport preprocess --like-import --no-std-headers {dir}/e.h"},
    {"PreprocessBundled", kNone, {"preprocess", "-I", "inc", "t.h"}, 0,
     "...\n/*#line1 \"{dir}/inc/n.h\"*/\r\n\nshare/cimport/headers/stdio.h\"*/", ""},
};

const std::string kCheckNone =
    "check: nothing found that the importer reads otherwise than a C compiler\n";

const Row kCheckRows[] = {
    // check: what the importer reads otherwise, each with what an import then does.
    {"Check", kNone, {"check", "c.h"}, 1,
     "c.h:3: a union body inside a structure body: the structure is closed here; structure u is "
     "imported as Type u_TYPE; its members: a, b, c; lost: u, d; added: b, c\n"
     "c.h:6: the pointer member next: structure P is not imported\n"
     "c.h:6: the long double member x: structure P is not imported\n"
     "c.h:7: the bit-field f : 3: the width is ignored: the member is read with the size of "
     "its type\nc.h:7: the array size [0x10], read as no dimension: the importer counts only "
     "decimal constants, each as a dimension of its own\nc.h:7: the array size [32 + 1], read as "
     "[32][1]: the importer counts only decimal constants, each as a dimension of its own\n"
     "c.h:9: the constant 1ULL, read as 1UL followed by the name L (from a macro expanded here): "
     "the parse stops here with a syntax error\nc.h:9: syntax error near \"L\": the parse stops here; nothing after it is "
     "imported\nc.h:10: structure After: not imported (not reached: the parse stops at 9)\n"
     "c.h:10: the C++ keyword class used as a name: the importer's scanner reads it as a keyword, "
     "not as a name (not reached: the parse stops at 9)\ncheck: 10 findings: 1 "
     "union-in-structure, 1 pointer-member, 1 long-double-member, 1 bit-field, 2 array-size, 1 "
     "split-constant, 1 syntax-error, 1 structure-not-imported, 1 cxx-keyword\n", ""},
    {"CheckJson", kNone, {"check", "--json", "p.h"}, 1,
     R"([{"file":"p.h","line":1,"kind":"pointer-member","structure":"p","message":)"
     R"("the pointer member next: structure p is not imported","reached":true}])", ""},
    {"CheckClean", kNone, {"check", "-I", "inc", "t.h"}, 0, kCheckNone, ""},
    {"CheckRepoReadOnly", kReadOnly, {"check", "--repo", kRepo, "s.h"}, 0, kCheckNone, ""},
    {"CheckPragmas", kNone, {"check", "-I", "inc", "--keep-pragmas", "pk.h"}, 1,
     "...\n{dir}/inc/pq.h:1: a #pragma line: the parse stops here with a syntax error\n"
     "{dir}/inc/pq.h:1: syntax error near \"pack\": the parse stops here; nothing after it is "
     "imported\n", ""},
    {"CheckDroppedLines", kNone, {"check", "--drop-system-includes", "d.h"}, 1,
     "d.h:2: the pointer member p: structure d is not imported\n"
     "check: 1 finding: 1 pointer-member\n", ""},
    {"CheckFileScope", kNone, {"check", "fu.h"}, 1, "fu.h:1: the array size [0x20], read as no "
     "dimension: the importer counts only decimal constants, each as a dimension of its own\n"
     "fu.h:2: a union at file scope: only structures are imported: it gets no Type\n"
     "fu.h:3: structure fu: not imported: no Element with a Type for u (type U)\n"
     "check: 3 findings: 1 array-size, 1 union-not-imported, 1 structure-not-imported\n", ""},
    {"CheckAtTheEnd", kNone, {"check", "eof.h"}, 1, "eof.h:2: syntax error at the end of the "
     "input: the parse stops here; nothing after it is imported\ncheck: 1 finding: 1 "
     "syntax-error\n", ""},
    {"CheckEnum", kNone, {"check", "en.h"}, 1, "en.h:1: an enum body inside a structure body: the "
     "structure is closed here; structure color is not imported; the members read: x, RED; lost: "
     "color, y; added: RED; without an Element with a Type: RED\n"
     "check: 1 finding: 1 enum-in-structure\n", ""},
    {"CheckLongName", kNone, {"check", "ln.h"}, 1, "ln.h:1: a name of 300 characters: the "
     "importer keeps its first 255 characters\ncheck: 1 finding: 1 long-name\n", ""},
    {"CheckMissingRepo", kNone, {"check", "--repo", "no.db", "s.h"}, 2, "",
     "cimport: no repository at no.db\n"},
    {"CheckFatal", kNone, {"check", "loop.h"}, 2, "", "cimport: the importer cannot read loop.h: "
     "#include too deeply nested; Fatal error occurred during parse.\n"},
    {"CheckMissingHeader", kNone, {"check", "no.h"}, 2, "", "cimport: header not found: no.h\n"},
};

INSTANTIATE_TEST_SUITE_P(Check, Cli, ::testing::ValuesIn(kCheckRows),
                         [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(Headers, Cli, ::testing::ValuesIn(kHeaderRows),
                         [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(Cli, Cli, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.label); });

// The bundled headers, as "#include <...>" names.
std::vector<std::string> BundledHeaders() {
    const fs::path folder = fs::path(CIMPORT_SOURCE_DIR) / "tools/cimport/share/headers";
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            names.push_back(entry.path().lexically_relative(folder).generic_string());
    return names;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class CliFolder : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(Name());
        fs::create_directories(Name());
        fs::current_path(Name());
    }
    void TearDown() override {
        fs::current_path("..");
        if (!HasFailure()) fs::remove_all(Name());
    }
    static std::string Name() {
        return ::testing::UnitTest::GetInstance()->current_test_info()->name();
    }
};

TEST_F(CliFolder, EachBundledHeaderAloneCreatesNothing) {
    std::vector<std::string> args = {"import", "--dry-run"};
    for (const std::string& name : BundledHeaders()) {
        args.push_back(std::to_string(args.size()) + ".h");
        WriteFileBytes(args.back(), "#include <" + name + ">\n");
    }
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Count(run.out, kParseOk + "No valid C structures found in header file: "),
              args.size() - 2) << run.out;
    EXPECT_EQ(Count(run.out, "Created"), 0u) << run.out;
}

// The README's type table: C types in backquotes, then what the import makes of a member of
// each type, all bundled headers included at once.
TEST_F(CliFolder, ReadmeTypeTableIsWhatAnImportGives) {
    std::ifstream readme(fs::path(CIMPORT_SOURCE_DIR) / "README.md");
    std::string header, line;
    for (const std::string& name : BundledHeaders()) header += "#include <" + name + ">\n";
    std::vector<std::vector<std::string>> rows;  // declaration, Type, Length, Signed
    while (std::getline(readme, line) && line.rfind("| C types |", 0) != 0) {}
    while (std::getline(readme, line) && line.rfind("|", 0) == 0) {
        if (line.rfind("|---", 0) == 0) continue;
        std::vector<std::string> cells;
        for (std::size_t at = 2, bar; (bar = line.find(" |", at)) != line.npos; at = bar + 3)
            cells.push_back(line.substr(at, bar - at));
        for (std::size_t at = cells[0].find('`'); at != std::string::npos;
             at = cells[0].find('`', cells[0].find('`', at + 1) + 1)) {
            std::string type = cells[0].substr(at + 1, cells[0].find('`', at + 1) - at - 1);
            type.insert(std::min(type.find('['), type.size()), " m");
            const std::string name = "t" + std::to_string(rows.size());
            rows.push_back({"struct " + name + " { " + type + "; };", cells[1], cells[2]});
            rows.back().push_back(cells[3]);
            header += rows.back()[0] + "\n";
        }
    }
    ASSERT_GT(rows.size(), 100u);
    WriteFileBytes("all.h", header);
    EXPECT_EQ(Count(RunCli({"import", "all.h"}).out, kParseOk), 1u);
    const auto types = nlohmann::json::parse(RunCli({"show", "--json"}).out)["types"];
    for (const auto& row : rows) {
        const std::string name = row[0].substr(7, row[0].find(' ', 7) - 7) + "_TYPE";
        const auto type = std::find_if(types.begin(), types.end(),
                                       [&](const auto& t) { return t["name"] == name; });
        if (row[1] == "refused: a pointer") {
            EXPECT_EQ(type, types.end()) << row[0];
            continue;
        }
        ASSERT_NE(type, types.end()) << row[0];
        const auto& member = (*type)["members"][0];
        const auto& attributes = member["attributes"];
        std::string made = member["type"];
        if (attributes.contains("Repeat Count"))
            made += ", repeated " + attributes["Repeat Count"].get<std::string>();
        const std::string sign = attributes.value("Signed", "—");
        EXPECT_EQ(made + " " + attributes["Length"].get<std::string>() + " " + sign,
                  row[1] + " " + row[2] + " " + row[3]) << row[0];
    }
}

}  // namespace

// The indented block of the README that follows the line starting with after, without its indent.
std::string ReadmeBlock(const std::string& after) {
    std::ifstream readme(fs::path(CIMPORT_SOURCE_DIR) / "README.md");
    std::string line, block;
    while (std::getline(readme, line) && line.rfind(after, 0) != 0) {}
    while (std::getline(readme, line) && (line.empty() || line.rfind("    ", 0) == 0))
        if (!line.empty() || !block.empty()) block += (line.empty() ? "" : line.substr(4)) + "\n";
    while (block.ends_with("\n\n")) block.pop_back();
    return block;
}

TEST_F(CliFolder, ReadmeCheckExampleIsWhatCheckPrints) {
    WriteFileBytes("example.h", ReadmeBlock("construct is what the import then does."));
    const CliRun run = RunCli({"check", "example.h"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, ReadmeBlock("`cimport check example.h` prints"));
}

namespace check_agreement {

// The place of a line of "preprocess --like-import" output, found through its line markers;
// "cpre.tmp" (the header's copy) holds the pre-include line first.
std::pair<std::string, int> PlaceOf(const std::string& text, int line, const std::string& header) {
    std::string file = header;
    int number = 1, marker = 0, n = 1;
    std::istringstream lines(text);
    for (std::string l; n < line && std::getline(lines, l); ++n) {
        if (l.rfind("/*#line", 0) != 0) continue;
        number = std::stoi(l.substr(7));
        file = l.substr(l.find('"') + 1, l.rfind('"') - l.find('"') - 1);
        marker = n;
    }
    const int at = number + (line - marker - 1);
    return file == "cpre.tmp" ? std::pair{header, at - 1} : std::pair{file, at};
}

std::vector<std::string> Split(const std::string& list) {
    std::vector<std::string> names;
    std::istringstream in(list);
    for (std::string name; std::getline(in, name, ',');)
        names.push_back(name.substr(name[0] == ' '));
    return names;
}

std::string Found(const std::string& text, const std::string& pattern) {
    std::smatch match;
    return std::regex_search(text, match, std::regex(pattern)) ? match[1].str() : "";
}

// check on a header against an import of it into a new repository: the Types named, the
// members lost and kept, the structures not imported and the syntax error's place; and at
// least `structures` structures either handled by the import or announced as not reached.
void ExpectAgreement(const std::vector<std::string>& options, const std::string& header,
                     int structures) {
    fs::remove("agree.db");
    auto with = [&](std::vector<std::string> args) {
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(header);
        return RunCli(args);
    };
    const CliRun check = with({"check", "--json"});
    ASSERT_LE(check.status, 1) << check.err;
    const std::string imported = with({"import", "--repo", "agree.db"}).out;
    std::map<std::string, std::vector<std::string>> members;
    const auto model = nlohmann::json::parse(RunCli({"show", "--repo", "agree.db", "--json"}).out);
    for (const auto& type : model["types"])
        for (const auto& member : type["members"])
            members[type["name"]].push_back(member["element"]);
    std::set<std::string> announced;
    int unreached = 0;
    bool syntaxError = false;
    for (const auto& finding : nlohmann::json::parse(check.out)) {
        const std::string message = finding["message"];
        if (!finding["reached"]) {
            unreached += finding["kind"] == "structure-not-imported";
            continue;
        }
        if (finding["structure"].is_string()) announced.insert(finding["structure"]);
        const std::string created = Found(message, "is imported as Type (\\w+)");
        if (!created.empty()) {
            EXPECT_NE(imported.find("Created Type " + created + "."), imported.npos) << message;
            const std::string kept = Found(message, "its members: ([^;]*)");
            if (!kept.empty()) {
                EXPECT_EQ(members[created], Split(kept)) << message;
            }
            for (const std::string& lost : Split(Found(message, "lost: ([^;]*)"))) {
                EXPECT_EQ(std::count(members[created].begin(), members[created].end(), lost), 0);
            }
        }
        const std::string reused = Found(message, "uses the existing Type (\\w+)");
        if (!reused.empty()) {
            EXPECT_NE(imported.find("Warning: Using defined Type " + reused + "."), imported.npos);
        }
        const std::string bare = Found(message, "makes only the Element (\\w+)");
        if (!bare.empty()) {
            const auto warning = imported.find("Elements are incomplete:");
            EXPECT_NE(imported.find("\t" + bare + "\n", warning), imported.npos) << message;
        }
        const std::string failed = Found(message, "structure (\\w+) is not imported");
        if (!failed.empty()) {
            EXPECT_NE(imported.find("C Structure " + failed + " not imported."), imported.npos);
        }
        if (finding["kind"] != "syntax-error") continue;
        syntaxError = true;
        const int line = std::stoi(Found(imported, "\\[error 1\\] line (\\d+)"));
        const auto [file, at] = PlaceOf(with({"preprocess", "--like-import"}).out, line, header);
        EXPECT_EQ(finding["line"], at) << message;
        const fs::path written = finding["file"].get<std::string>();
        EXPECT_EQ(written.filename(), fs::path(file).filename()) << message;
    }
    EXPECT_EQ(syntaxError, imported.find("[error 1]") != imported.npos) << header;
    const std::regex outcome("C Structure (\\w+) (successfully|not) imported\\.");
    int handled = 0;
    for (auto it = std::sregex_iterator(imported.begin(), imported.end(), outcome);
         it != std::sregex_iterator(); ++it, ++handled) {
        if ((*it)[2] == "not") {
            EXPECT_EQ(announced.count((*it)[1]), 1u) << header << " " << (*it)[1];
        }
    }
    EXPECT_GE(handled + unreached, structures) << header;
}

TEST_F(CliFolder, CheckAgreesWithImport) {
    for (const auto& [name, text] : kFiles) WriteFileBytes(name, text);
    ExpectAgreement({}, "c.h", 4);
    ExpectAgreement({"-I", "inc", "--keep-pragmas"}, "pk.h", 2);
    ExpectAgreement({}, "p.h", 1);
    ExpectAgreement({"--drop-system-includes"}, "d.h", 1);
    ExpectAgreement({}, "fu.h", 1);
    ExpectAgreement({}, "e.h", 1);
    ExpectAgreement({}, "en.h", 1);
    ExpectAgreement({}, "ln.h", 1);
    ExpectAgreement({"--pre-include", "s.h"}, "eof.h", 2);
}

// The headers of the shared corpus, with the structures its MANIFEST.md counts.
TEST_F(CliFolder, CheckAgreesWithImportOnCorpus) {
    const fs::path corpus = fs::path(CIMPORT_SHARED_DIR) / "corpus";
    std::ifstream manifest(corpus / "MANIFEST.md");
    if (!manifest) GTEST_SKIP() << "shared corpus not found at " << corpus.string();
    std::map<std::string, int> counts;  // the case's row: its structures in hdr/inc/pre
    const std::regex row("^\\| (\\w+) \\|.*\\| (\\d+)/(\\d+)/(\\d+) \\|.*");
    std::smatch cells;
    for (std::string line; std::getline(manifest, line);)
        if (std::regex_match(line, cells, row))
            counts[cells[1]] = std::stoi(cells[2]) + std::stoi(cells[3]) + std::stoi(cells[4]);
    std::ifstream cases(corpus / "cases.json");
    for (const auto& c : nlohmann::json::parse(cases)) {
        std::vector<std::string> options = Today(
            {"--pre-include", (corpus / c["preinclude"].get<std::string>()).string()}, false);
        for (const auto& dir : c["include_dirs"])
            options.insert(options.end(), {"-I", (corpus / dir.get<std::string>()).string()});
        ExpectAgreement(options, (corpus / c["header"].get<std::string>()).string(),
                        counts.at(c["name"]));
    }
    EXPECT_EQ(counts.size(), 20u);
}

}  // namespace check_agreement
