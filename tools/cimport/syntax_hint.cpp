#include "syntax_hint.h"

#include <utility>

namespace cimport_cli {

namespace {

std::string Argument(const std::string& text) {
    if (text.find_first_of(" \t\"'$&;|<>()*?") == std::string::npos) return " " + text;
    return " \"" + text + "\"";
}

}  // namespace

std::string SyntaxErrorHint(const std::string& header, const HeaderInputOptions& checked) {
    std::string command = "cimport preprocess --like-import";
    for (const std::string& directory : checked.includeDirectories) command += " -I" + Argument(directory);
    if (!checked.preInclude.empty()) command += " --pre-include" + Argument(checked.preInclude);
    const std::pair<bool, const char*> switches[] = {{checked.noStdHeaders, " --no-std-headers"},
                                                     {checked.noCompilerWords, " --no-compiler-words"},
                                                     {checked.dropSystemIncludes, " --drop-system-includes"},
                                                     {checked.keepPragmas, " --keep-pragmas"},
                                                     {checked.strictIncludes, " --strict-includes"}};
    for (const auto& [given, name] : switches)
        if (given) command += name;
    return "cimport: the line numbers of the syntax errors count lines of what this prints: " + command +
           Argument(header);
}

}  // namespace cimport_cli
