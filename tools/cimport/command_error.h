// Exit statuses of the command and the error that ends a subcommand early.
#pragma once

#include <stdexcept>
#include <string>

namespace cimport_cli {

enum ExitStatus : int {
    kExitOk = 0,      // ran and found no error
    kExitErrors = 1,  // ran, but reported errors
    kExitFailed = 2,  // could not start, or a stage failed
};

// Bad input or a failure before anything was changed: main prints
// "cimport: " + what() as one line and exits with kExitFailed.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace cimport_cli
