// cimport preprocess: runs the importer's C preprocessor on a header and
// streams exactly what it would write to "cprep.tmp" to standard output.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cimp/cpp/preprocessor.h"
#include "cimp/import_run.h"
#include "command_error.h"
#include "commands.h"
#include "input_paths.h"
#include "prepared_header.h"
#include "stage_files.h"
#include "work_dir.h"

namespace cimport_cli {

namespace {

struct PreprocessOptions {
    std::string header;
    HeaderInputOptions input;
    bool likeImport = false;
    std::vector<std::string> defines;
    std::vector<std::string> undefines;
};

// The preprocessor's own vector: program name, options, input.  Options are
// joined to their values, so that a value is never taken for an option.
// With likeImport the input is prepared in the current directory.
std::vector<std::string> PreprocessorArgs(const PreprocessOptions& options, const std::string& header,
                                          const HeaderInputOptions& checked) {
    std::vector<std::string> args;
    if (options.likeImport) {
        args = PrepareImportInput(header, checked);
        args.pop_back();  // the input goes last again below
    } else {
        args.push_back(header);
        for (const std::string& directory : checked.includeDirectories) args.push_back("-I" + directory);
        for (const std::string& directory : checked.lastDirectories) args.push_back("-I" + directory);
    }
    for (const std::string& define : options.defines) {
        if (define.empty()) throw CommandError("empty -D argument");
        args.push_back("-D" + define);
    }
    for (const std::string& name : options.undefines) {
        if (name.empty()) throw CommandError("empty -U argument");
        args.push_back("-U" + name);
    }
    args.push_back(args.front());
    return args;
}

struct PreprocessRun {
    int32_t result = 0;
    bool errors = false;  // a diagnostic of level error was written
    std::string output;   // when it was not streamed
    std::string diagnostics;
};

// The text goes straight to standard output unless it names a mirror's files.
PreprocessRun Preprocess(const PreprocessOptions& options, const std::string& header,
                         const HeaderInputOptions& checked, bool stream) {
    PreprocessRun run;
    PrivateWorkDir workDir;
    ArgumentVector vector(PreprocessorArgs(options, header, checked));
    cimp::cpp::Preprocessor preprocessor;
    // The error flag is looked at after every line, so that nothing the end
    // of the run does to it can hide an error.
    preprocessor.lineObserver = [&run](cimp::cpp::Preprocessor& pre, const cimp::cpp::PpSource&, int) {
        run.errors = run.errors || pre.pp.diag.ErrorFlag();
    };
    StartBinaryOutput();
    if (stream) preprocessor.output.StreamTo(stdout);
    run.result = preprocessor.Run(vector.Count(), vector.Vector());
    std::fflush(stdout);
    if (!stream) run.output = ReadFileBytes(cimp::kPreprocessedFile);
    run.errors = run.errors || preprocessor.pp.diag.ErrorFlag();
    run.diagnostics = ReadTextFile(cimp::cpp::kPpErrorFile);
    return run;
}

int RunPreprocess(const PreprocessOptions& options) {
    const std::string header = ExistingFile(options.header, "header");
    HeaderInputOptions checked = CheckHeaderInputs(options.input);
    if (!options.likeImport && (!checked.preInclude.empty() || checked.dropSystemIncludes))
        throw CommandError("--pre-include and --drop-system-includes need --like-import");
    // The header alone takes no pre-include, and its #pragma lines are part of
    // what the preprocessor writes.
    if (!options.likeImport) checked.noCompilerWords = checked.keepPragmas = true;
    const PreparedHeader prepared(header, checked, [&options](const std::string& input, const HeaderInputOptions& in) {
        return PreprocessorArgs(options, input, in);
    }, false);
    const PreprocessRun run = Preprocess(options, prepared.Header(), prepared.Input(), !prepared.Mirrored());
    if (run.result == -1) throw CommandError("cannot write the preprocessor's diagnostics file");
    const std::string output = prepared.Original(run.output);
    std::fwrite(output.data(), 1, output.size(), stdout);
    std::fflush(stdout);
    std::cerr << prepared.Original(run.diagnostics);
    if (run.result != 0) return kExitFailed;
    return run.errors ? kExitErrors : kExitOk;
}

}  // namespace

void AddPreprocessCommand(CLI::App& app, CommandRunner& chosen) {
    auto options = std::make_shared<PreprocessOptions>();
    CLI::App* command = app.add_subcommand(
        "preprocess", "Preprocess a header as the importer does; the text goes to standard output, "
                      "the diagnostics to standard error");
    command->add_option("HEADER", options->header, "C header file")->type_name("FILE")->required();
    AddHeaderInputOptions(command, options->input);
    command->add_flag("--like-import", options->likeImport,
                      "Preprocess what import and parse hand the preprocessor, so that the line numbers of "
                      "parse errors point into this text");
    command->add_option("-D", options->defines, "Define a macro: NAME (as 1) or NAME=TEXT (repeatable)")
        ->type_name("NAME[=TEXT]")
        ->allow_extra_args(false);
    command->add_option("-U", options->undefines, "Undefine a macro (repeatable)")
        ->type_name("NAME")
        ->allow_extra_args(false);
    ChooseOnParse(command, options, chosen, RunPreprocess);
}

}  // namespace cimport_cli
