#include "bundled_files.h"

#include <filesystem>
#include <system_error>

#include "command_error.h"
#include "platform.h"

namespace cimport_cli {

namespace fs = std::filesystem;

BundledFiles FindBundledFiles() {
    const fs::path executable = ExecutableDirectory();
    const fs::path candidates[] = {executable / ".." / "share" / "cimport", executable / "share" / "cimport"};
    for (const fs::path& candidate : candidates) {
        std::error_code error;
        const fs::path words = candidate / "compiler_words.h";
        if (fs::is_directory(candidate / "headers", error) && fs::is_regular_file(words, error))
            return {(candidate / "headers").lexically_normal().string(), words.lexically_normal().string()};
    }
    throw CommandError("the bundled headers are missing (looked in " + candidates[0].lexically_normal().string() +
                       " and " + candidates[1].lexically_normal().string() +
                       "); --no-std-headers --no-compiler-words run without them");
}

std::string PreludeText(const std::string& userPreInclude, const std::string& compilerWords) {
    std::string text;
    if (!userPreInclude.empty()) text += "#include \"" + userPreInclude + "\"\n";
    return text + "#include \"" + compilerWords + "\"\n";
}

}  // namespace cimport_cli
