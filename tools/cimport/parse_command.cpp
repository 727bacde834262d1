// cimport parse: preprocesses and parses a header as an import does and
// prints the declaration tree the mapping would receive.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cimp/cpp/preprocessor.h"
#include "cimp/import_run.h"
#include "cimp/parse/decl_tree.h"
#include "cimp/parse/parse_driver.h"
#include "command_error.h"
#include "commands.h"
#include "decl_tree_output.h"
#include "input_paths.h"
#include "prepared_header.h"
#include "stage_files.h"
#include "syntax_hint.h"
#include "text_lines.h"
#include "work_dir.h"

namespace cimport_cli {

namespace {

constexpr const char* kNoSyntaxErrors = "No syntax errors found during parse.";
constexpr const char* kParseSummaryEnd = " found during parse.";

struct ParseOptions {
    std::string header;
    HeaderInputOptions input;
    bool json = false;
};

// The tree and the typedef list of one parse with what the stages reported.
struct ParsedHeader : cimp::ParsedDeclarations {
    int32_t preprocessorResult = 0;
    int32_t parseStatus = 0;
    std::string diagnostics;
};

void Parse(const std::string& header, const HeaderInputOptions& checked, ParsedHeader& parsed) {
    const PreparedHeader prepared(header, checked, PrepareImportInput, false);
    PrivateWorkDir workDir;
    ArgumentVector preprocessorArgs(PrepareImportInput(prepared.Header(), prepared.Input()));
    parsed.preprocessorResult = cimp::cpp::RunPreprocessor(preprocessorArgs.Count(), preprocessorArgs.Vector());
    if (parsed.preprocessorResult == 0) {
        ArgumentVector parseArgs({cimp::kPreprocessedFile, cimp::kPreprocessedFile});
        parsed.root =
            cimp::parse::ParseHeaderFile(parseArgs.Count(), parseArgs.Vector(), &parsed.typedefs, &parsed.parseStatus);
    }
    parsed.diagnostics = prepared.Original(ReadTextFile(cimp::kDiagnosticsFile));
}

// The last line of a text, without its line end.
std::string LastLine(const std::string& text) {
    const std::size_t end = text.find_last_not_of("\r\n");
    if (end == std::string::npos) return "";
    const std::size_t newline = text.rfind('\n', end);
    const std::size_t start = newline == std::string::npos ? 0 : newline + 1;
    return text.substr(start, end + 1 - start);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The parse ends its diagnostics with its summary line: 0 when it found no
// syntax error, 1 when it counted some; 2 when a stage failed.
int ParseStatus(const ParsedHeader& parsed) {
    if (parsed.preprocessorResult == -1 || parsed.parseStatus == -1)
        throw CommandError("cannot write the diagnostics file");
    if (parsed.preprocessorResult != 0 || parsed.parseStatus != 0) return kExitFailed;
    const std::string summary = LastLine(parsed.diagnostics);
    if (summary == kNoSyntaxErrors) return kExitOk;
    return EndsWith(summary, kParseSummaryEnd) ? kExitErrors : kExitFailed;
}

int RunParse(const ParseOptions& options) {
    const std::string header = ExistingFile(options.header, "header");
    const HeaderInputOptions checked = CheckHeaderInputs(options.input);
    ParsedHeader parsed;
    Parse(header, checked, parsed);
    const int status = ParseStatus(parsed);
    std::cerr << WithPlainLineEnds(parsed.diagnostics);
    if (status == kExitErrors && !AddsNothing(checked)) std::cerr << SyntaxErrorHint(header, checked) << '\n';
    if (options.json)
        PrintDeclTreeJson(header, parsed.root, parsed.typedefs, std::cout);
    else
        PrintDeclTreeText(parsed.root, std::cout);
    return status;
}

}  // namespace

void AddParseCommand(CLI::App& app, CommandRunner& chosen) {
    auto options = std::make_shared<ParseOptions>();
    CLI::App* command = app.add_subcommand(
        "parse", "Preprocess and parse a header as an import does and print its declaration tree; "
                 "the diagnostics go to standard error");
    command->add_option("HEADER", options->header, "C header file")->type_name("FILE")->required();
    AddHeaderInputOptions(command, options->input);
    command->add_flag("--json", options->json, "Print the tree as JSON");
    ChooseOnParse(command, options, chosen, RunParse);
}

}  // namespace cimport_cli
