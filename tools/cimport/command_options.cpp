#include "commands.h"

namespace cimport_cli {

void AddIncludeOption(CLI::App* command, std::vector<std::string>& directories) {
    command->add_option("-I", directories, "Directory searched for included files (repeatable)")
        ->allow_extra_args(false);
}

void AddHeaderInputOptions(CLI::App* command, HeaderInputOptions& options) {
    AddIncludeOption(command, options.includeDirectories);
    command->add_option("--pre-include", options.preInclude, "File included ahead of each header");
    command->add_flag("--keep-system-includes", options.keepSystemIncludes,
                      "Keep the header's lines that hold both '<' and '>' (#include <...>)");
}

}  // namespace cimport_cli
