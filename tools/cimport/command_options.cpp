#include "commands.h"

namespace cimport_cli {

void AddHeaderInputOptions(CLI::App* command, HeaderInputOptions& options) {
    command->add_option("-I", options.includeDirectories, "Directory searched for included files (repeatable)")
        ->type_name("DIR")
        ->allow_extra_args(false);
    command->add_option("--pre-include", options.preInclude, "File included ahead of each header")->type_name("FILE");
    command->add_flag("--keep-system-includes", options.keepSystemIncludes,
                      "Keep the header's lines that hold both '<' and '>' (#include <...>)");
}

void AddWaitOption(CLI::App* command, int& seconds) {
    command->add_option("--wait", seconds, "Seconds to wait for another import that holds the repository")
        ->type_name("SECONDS")
        ->check(CLI::Range(0, 86400))
        ->capture_default_str();
}

}  // namespace cimport_cli
