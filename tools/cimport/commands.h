// The subcommands of cimport.  Each Add function registers one subcommand
// with its options; when the user chooses it, chosen is set to the function
// that runs it and returns the exit status.
#pragma once

#include <functional>

#include <CLI/CLI.hpp>

namespace cimport_cli {

using CommandRunner = std::function<int()>;

void AddImportCommand(CLI::App& app, CommandRunner& chosen);
void AddShowCommand(CLI::App& app, CommandRunner& chosen);
#if defined(CIMPORT_HAVE_PREPROCESSOR)
void AddPreprocessCommand(CLI::App& app, CommandRunner& chosen);
#endif
#if defined(CIMPORT_HAVE_PARSER)
void AddParseCommand(CLI::App& app, CommandRunner& chosen);
#endif

}  // namespace cimport_cli
