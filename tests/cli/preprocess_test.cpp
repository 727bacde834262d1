// cimp preprocess: standard output holds exactly the bytes the preprocessor
// writes to "cprep.tmp"; its diagnostics go to standard error.
#include <filesystem>
#include <string>
#include <vector>

#include "cimp/cpp/preprocessor.h"
#include "cli_runner.h"

namespace cli_test {
namespace {

namespace fs = std::filesystem;

using PreprocessTest = CliTest;

// The preprocessor called as a library, in a folder of its own.
std::string LibraryOutput(std::vector<std::string> args) {
    const fs::path previous = fs::current_path();
    fs::create_directory("library");
    fs::current_path("library");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    EXPECT_EQ(cimp::cpp::RunPreprocessor(static_cast<int>(args.size()), argv.data()), 0);
    std::string output = ReadFileBytes("cprep.tmp");
    fs::current_path(previous);
    return output;
}

TEST_F(PreprocessTest, OutputIsByteForByteTheLibrarysOutput) {
    const std::string header = Example("order.h");
    const std::string prelude = Example("prelude");
    const CliRun run = RunCli({"preprocess", header, "-I", prelude, "-D", "SHOP_BUILD=5"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string expected = LibraryOutput({header, "-I" + prelude, "-DSHOP_BUILD=5", header});
    EXPECT_NE(expected.find("\r\n"), std::string::npos) << "lines end in CR LF";
    EXPECT_EQ(run.out, expected);
}

struct DiagnosticCase {
    const char* label;
    const char* headerText;
    std::vector<std::string> options;
    int status;
    const char* diagnostics;  // the whole of standard error
    const char* outputPart;   // found in standard output
};

void PrintTo(const DiagnosticCase& c, std::ostream* out) { *out << c.label; }

class PreprocessDiagnosticTest : public CliTest, public ::testing::WithParamInterface<DiagnosticCase> {};

TEST_P(PreprocessDiagnosticTest, StatusFollowsTheWorstDiagnostic) {
    const DiagnosticCase& c = GetParam();
    WriteFileBytes("h.h", c.headerText);
    std::vector<std::string> args{"preprocess", "h.h"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.diagnostics);
    EXPECT_NE(run.out.find(c.outputPart), std::string::npos) << run.out;
}

const DiagnosticCase kDiagnosticCases[] = {
    {"Clean", "int a;\n", {}, 0, "", "int a;\r\n"},
    {"DefineWithValue", "int a = V;\n", {"-D", "V=42"}, 0, "", "int a = 42;\r\n"},
    {"DefineWithoutValue", "int a = V;\n", {"-DV"}, 0, "", "int a = 1;\r\n"},
    {"Undefine", "#ifdef V\nint yes;\n#else\nint no;\n#endif\n", {"-DV", "-U", "V"}, 0, "", "int no;\r\n"},
    {"WarningOnly", "#error stop here\nint a;\n", {}, 0, "#error directive: stop here\n", "int a;\r\n"},
    {"Error", "#include \"missing.h\"\nint a;\n", {}, 1, "Could not find include file \"missing.h\"\n",
     "int a;\r\n"},
    {"Fatal", "int a;\n#include \"h.h\"\n", {}, 2,
     "#include too deeply nested\n\nFatal error occurred during parse.\n", "int a;\r\n"},
    {"IllegalDefine", "int a;\n", {"-D", "3"}, 2, "Illegal -D or -U argument 3\n\nFatal error occurred during parse.\n",
     ""},
};

INSTANTIATE_TEST_SUITE_P(Cases, PreprocessDiagnosticTest, ::testing::ValuesIn(kDiagnosticCases),
                         [](const auto& info) { return std::string(info.param.label); });

// Line n of the text, counted from 1, lines ended by CR LF.
std::string LineOf(const std::string& text, int n) {
    std::size_t start = 0;
    for (int line = 1; line < n && start != std::string::npos; ++line) {
        start = text.find("\r\n", start);
        if (start != std::string::npos) start += 2;
    }
    if (start == std::string::npos) return "";
    return text.substr(start, text.find("\r\n", start) - start);
}

TEST_F(PreprocessTest, LikeImportShowsTheLineAParseErrorNames) {
    WriteFileBytes("words.h", "#define PACKED\n");
    WriteFileBytes("h.h", "#include <stdio.h>\nstruct PACKED s {\n  int a;\n  VENDOR int b;\n};\n");
    const CliRun parse = RunCli({"parse", "--pre-include", "words.h", "h.h"});
    ASSERT_EQ(parse.status, 1) << parse.err;
    const std::string marker = "[error 1] line ";
    const std::size_t at = parse.err.find(marker);
    ASSERT_NE(at, std::string::npos) << parse.err;
    const int line = std::stoi(parse.err.substr(at + marker.size()));
    const CliRun text = RunCli({"preprocess", "--like-import", "--pre-include", "words.h", "h.h"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.rfind("/*#line1 \"cpre.tmp\"*/\r\n", 0), 0u) << text.out;
    EXPECT_EQ(text.out.find("stdio"), std::string::npos) << "the system include line is dropped as import drops it";
    EXPECT_EQ(LineOf(text.out, line), "  VENDOR int b;") << text.out;
}

TEST_F(PreprocessTest, ImportInputOptionsNeedLikeImport) {
    WriteFileBytes("h.h", "int a;\n");
    const CliRun run = RunCli({"preprocess", "--keep-system-includes", "h.h"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "cimport: --pre-include and --keep-system-includes need --like-import\n");
}

TEST_F(PreprocessTest, MissingHeaderIsRefused) {
    const CliRun run = RunCli({"preprocess", "none.h"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "cimport: header not found: none.h\n");
    EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace cli_test
