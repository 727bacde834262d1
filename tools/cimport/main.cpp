// cimport: the command-line host of the C header importer.
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "command_error.h"
#include "commands.h"
#include "platform.h"

namespace {

// Every refusal of the command line is one line, like the command's own errors.
constexpr std::size_t kOutputBlock = 1 << 16;

std::string FailureLine(const CLI::App*, const CLI::Error& error) {
    return std::string("cimport: ") + error.what() + " (see --help)\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace cimport_cli;
    // Into a file or a pipe, standard output leaves in large blocks; on a
    // terminal the C library writes it line by line.
    if (!IsTerminal(stdout)) std::setvbuf(stdout, nullptr, _IOFBF, kOutputBlock);
    CLI::App app{"Imports the structures of C headers into a message repository and shows the result.", "cimport"};
    app.set_version_flag("--version", std::string("cimport ") + CIMPORT_VERSION);
    app.require_subcommand(1);
    app.failure_message(FailureLine);
    CommandRunner chosen;
    AddImportCommand(app, chosen);
    AddPreprocessCommand(app, chosen);
    AddParseCommand(app, chosen);
    AddShowCommand(app, chosen);
    AddCheckCommand(app, chosen);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? kExitOk : kExitFailed;
    }
    try {
        return chosen();
    } catch (const CommandError& error) {
        std::cout.flush();
        std::cerr << "cimport: " << error.what() << '\n';
        return kExitFailed;
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << "cimport: unexpected failure: " << error.what() << '\n';
        return kExitFailed;
    }
}
