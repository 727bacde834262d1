#include "commands.h"

namespace cimport_cli {

void AddHeaderInputOptions(CLI::App* command, HeaderInputOptions& options) {
    command->add_option("-I", options.includeDirectories, "Directory searched for included files (repeatable)")
        ->type_name("DIR")
        ->allow_extra_args(false);
    command->add_option("--pre-include", options.preInclude, "File included ahead of each header")->type_name("FILE");
    CLI::Option* drop = command->add_flag("--drop-system-includes", options.dropSystemIncludes,
                                          "Drop the header's lines that hold both '<' and '>' (#include <...>)");
    command->add_flag("--keep-system-includes", options.keepSystemIncludes, "Keep those lines (the default)")
        ->excludes(drop);
    command->add_flag("--no-std-headers", options.noStdHeaders, "Do not search the bundled standard headers");
    command->add_flag("--no-compiler-words", options.noCompilerWords,
                      "Do not read the bundled definitions of compiler-specific words");
    command->add_flag("--keep-pragmas", options.keepPragmas, "Hand the importer the #pragma lines as they are");
    command->add_flag("--strict-includes", options.strictIncludes,
                      "Report missing system headers instead of reading them as empty");
}

void AddWaitOption(CLI::App* command, int& seconds) {
    command->add_option("--wait", seconds, "Seconds to wait for another import that holds the repository")
        ->type_name("SECONDS")
        ->check(CLI::Range(0, 86400))
        ->capture_default_str();
}

}  // namespace cimport_cli
