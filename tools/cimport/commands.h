// The subcommands of cimport.  Each Add function registers one subcommand
// with its options; when the user chooses it, chosen is set to the function
// that runs it and returns the exit status.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "input_paths.h"

namespace cimport_cli {

using CommandRunner = std::function<int()>;

void AddImportCommand(CLI::App& app, CommandRunner& chosen);
void AddPreprocessCommand(CLI::App& app, CommandRunner& chosen);
void AddParseCommand(CLI::App& app, CommandRunner& chosen);
void AddShowCommand(CLI::App& app, CommandRunner& chosen);
void AddCheckCommand(CLI::App& app, CommandRunner& chosen);

void AddHeaderInputOptions(CLI::App* command, HeaderInputOptions& options);

// --wait SECONDS: how long to wait for another import that holds the repository.
constexpr int kDefaultWaitSeconds = 30;
void AddWaitOption(CLI::App* command, int& seconds);

// Once command is parsed, chosen runs run(*options).
template <typename Options>
void ChooseOnParse(CLI::App* command, std::shared_ptr<Options> options, CommandRunner& chosen,
                   int (*run)(const Options&)) {
    command->callback([options, &chosen, run] { chosen = [options, run] { return run(*options); }; });
}

}  // namespace cimport_cli
