// cimport check: tells, before an import, what the importer will read
// otherwise than a C compiler, and what the import then does with it.
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "check_findings.h"
#include "command_error.h"
#include "commands.h"
#include "input_paths.h"
#include "prepared_header.h"
#include "stage_files.h"

namespace cimport_cli {

namespace {

struct CheckOptions {
    std::string header;
    std::string repository;  // read only; empty: an empty repository
    HeaderInputOptions input;
    bool json = false;
    int waitSeconds = kDefaultWaitSeconds;
};

std::string NotReached(const Finding& finding, const CheckResult& result) {
    const std::string line = std::to_string(result.stopLine);
    const std::string place = finding.file == result.stopFile ? line : result.stopFile + ":" + line;
    return " (not reached: the parse stops at " + place + ")";
}

// "3 findings: 1 pointer-member, 2 bit-field", the kinds in the order they first appear.
std::string Summary(const std::vector<Finding>& findings) {
    if (findings.empty()) return "check: nothing found that the importer reads otherwise than a C compiler";
    std::vector<std::string> kinds;
    std::map<std::string, int> counts;
    for (const Finding& finding : findings)
        if (counts[finding.kind]++ == 0) kinds.push_back(finding.kind);
    std::string text = "check: " + std::to_string(findings.size());
    text += findings.size() == 1 ? " finding:" : " findings:";
    for (std::size_t i = 0; i < kinds.size(); ++i)
        text += (i == 0 ? " " : ", ") + std::to_string(counts[kinds[i]]) + " " + kinds[i];
    return text;
}

void PrintText(const CheckResult& result, std::ostream& out) {
    for (const Finding& finding : result.findings) {
        out << finding.file << ':' << finding.line << ": " << finding.message;
        if (!finding.reached) out << NotReached(finding, result);
        out << '\n';
    }
    out << Summary(result.findings) << '\n';
}

void PrintJson(const CheckResult& result, std::ostream& out) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Finding& finding : result.findings) {
        nlohmann::ordered_json item;
        item["file"] = finding.file;
        item["line"] = finding.line;
        item["kind"] = finding.kind;
        item["structure"] = finding.structure ? nlohmann::ordered_json(*finding.structure) : nullptr;
        item["message"] = finding.message;
        item["reached"] = finding.reached;
        list.push_back(std::move(item));
    }
    out << list.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

int RunCheck(const CheckOptions& options) {
    const std::string header = ExistingFile(options.header, "header");
    const HeaderInputOptions checked = CheckHeaderInputs(options.input);
    const PreparedHeader prepared(header, checked, PrepareImportInput, true);
    const CheckResult result = CheckHeader(options.header, prepared, options.repository, options.waitSeconds);
    if (options.json)
        PrintJson(result, std::cout);
    else
        PrintText(result, std::cout);
    return result.findings.empty() ? kExitOk : kExitErrors;
}

}  // namespace

void AddCheckCommand(CLI::App& app, CommandRunner& chosen) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* command = app.add_subcommand(
        "check", "Tell what the importer will read otherwise than a C compiler and what the import does with it");
    command->add_option("HEADER", options->header, "C header file")->type_name("FILE")->required();
    command->add_option("--repo", options->repository,
                        "Repository the import would go into (read only; default: an empty one)")
        ->type_name("PATH");
    AddHeaderInputOptions(command, options->input);
    command->add_flag("--json", options->json, "Print the findings as JSON");
    AddWaitOption(command, options->waitSeconds);
    ChooseOnParse(command, options, chosen, RunCheck);
}

}  // namespace cimport_cli
