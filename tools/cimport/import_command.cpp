// cimport import: runs DoCImport from libcimport.so on each header, as a
// modelling host does, one unit of work per header.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cimport.h"
#include "command_error.h"
#include "commands.h"
#include "bundled_files.h"
#include "import_messages.h"
#include "input_paths.h"
#include "platform.h"
#include "prepared_header.h"
#include "repository.h"
#include "stage_files.h"
#include "syntax_hint.h"
#include "work_dir.h"

namespace cimport_cli {

namespace {

struct ImportOptions {
    std::vector<std::string> headers;
    std::string repository = "messages.db";
    HeaderInputOptions input;
    bool dryRun = false;
    bool quiet = false;
    int waitSeconds = kDefaultWaitSeconds;
};

// Absolute paths of everything the imports read, checked before the
// repository is touched.
struct ImportInputs {
    std::vector<std::string> headers;
    HeaderInputOptions input;
};

ImportInputs CheckInputs(const ImportOptions& options) {
    ImportInputs inputs;
    for (const std::string& header : options.headers) inputs.headers.push_back(ExistingFile(header, "header"));
    inputs.input = CheckHeaderInputs(options.input);
    if (!inputs.input.noStdHeaders || !inputs.input.noCompilerWords) FindBundledFiles();
    return inputs;
}

// A dry run on a repository that does not exist yet works on an empty one in
// memory, so that it leaves no file behind.
std::string RepositoryToOpen(const ImportOptions& options) {
    std::error_code error;
    if (options.dryRun && !std::filesystem::exists(options.repository, error)) return Repository::kInMemory;
    return options.repository;
}

int ImportOne(const Repository& repository, const std::string& header, const ImportInputs& inputs,
              const ImportOptions& options) {
    const PreparedHeader prepared(header, inputs.input, PrepareImportInput, options.quiet);
    const HeaderInputOptions& input = prepared.Input();
    SetIncludeVariable(IncludePathFor(input, prepared.Header()));
    UnitOfWork work(repository);
    ImportMessages::Rewrite rewrite;
    if (prepared.Mirrored()) rewrite = [&prepared](const std::string& text) { return prepared.Original(text); };
    ImportMessages messages(options.quiet, std::move(rewrite));
    int32_t result = 0;
    {
        PrivateWorkDir workDir;
        result = DoCImport(repository.Handle(), prepared.Header().c_str(), 0, 0, 0, 0, input.preInclude.c_str(), 0, 0,
                           input.keepSystemIncludes ? 1 : 0, &ImportMessages::Receive, &messages);
    }
    messages.Finish();
    if (messages.ReportedSyntaxErrors() && !AddsNothing(inputs.input))
        std::cout << SyntaxErrorHint(header, inputs.input) << '\n';
    std::fflush(stdout);
    if (result != 0) {
        work.Rollback();
        std::cerr << "cimport: the import of " << header << " failed; nothing of it was saved\n";
        return kExitFailed;
    }
    if (options.dryRun) {
        work.Rollback();
        std::cout << "Dry run: the import of " << header << " was rolled back; " << options.repository
                  << " is unchanged.\n";
    } else {
        work.Commit();
    }
    return messages.ReportedErrors() ? kExitErrors : kExitOk;
}

int RunImport(const ImportOptions& options) {
    const ImportInputs inputs = CheckInputs(options);
    const Repository repository(RepositoryToOpen(options), Repository::Access::kUpdate, options.waitSeconds);
    int status = kExitOk;
    for (const std::string& header : inputs.headers)
        status = std::max(status, ImportOne(repository, header, inputs, options));
    return status;
}

}  // namespace

void AddImportCommand(CLI::App& app, CommandRunner& chosen) {
    auto options = std::make_shared<ImportOptions>();
    CLI::App* command = app.add_subcommand("import", "Import the structures of C headers into a repository");
    command->add_option("HEADER", options->headers, "C header files to import, each in its own unit of work")
        ->type_name("FILE")
        ->required();
    command->add_option("--repo", options->repository, "Repository file, created when missing")
        ->type_name("PATH")
        ->capture_default_str();
    AddHeaderInputOptions(command, options->input);
    command->add_flag("--dry-run", options->dryRun, "Run the import, then roll it back");
    command->add_flag("--quiet", options->quiet, "Print only error messages and the summary");
    AddWaitOption(command, options->waitSeconds);
    ChooseOnParse(command, options, chosen, RunImport);
}

}  // namespace cimport_cli
