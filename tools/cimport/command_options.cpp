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

}  // namespace cimport_cli
