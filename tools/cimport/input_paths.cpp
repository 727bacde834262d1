#include "input_paths.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "command_error.h"

namespace cimport_cli {

namespace {

std::string Absolute(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) throw CommandError("cannot resolve the path " + path + ": " + error.message());
    return absolute.lexically_normal().string();
}

// The absolute paths of existing directories, in order.
std::vector<std::string> IncludeDirectories(const std::vector<std::string>& paths) {
    std::vector<std::string> directories;
    directories.reserve(paths.size());
    for (const std::string& path : paths) {
        if (path.empty()) throw CommandError("empty include directory name");
        std::string absolute = Absolute(path);
        if (absolute.find(';') != std::string::npos)
            throw CommandError("include directory name holds ';': " + absolute);
        std::error_code error;
        if (!std::filesystem::is_directory(absolute, error))
            throw CommandError("include directory not found: " + path);
        directories.push_back(std::move(absolute));
    }
    return directories;
}

}  // namespace

std::string ExistingFile(const std::string& path, const char* what) {
    if (path.empty()) throw CommandError(std::string("empty ") + what + " name");
    const std::string absolute = Absolute(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(absolute, error))
        throw CommandError(std::string(what) + " not found: " + path);
    if (!std::ifstream(absolute, std::ios::binary))
        throw CommandError(std::string(what) + " cannot be read: " + path);
    return absolute;
}

HeaderInputOptions CheckHeaderInputs(const HeaderInputOptions& options) {
    HeaderInputOptions checked = options;
    checked.includeDirectories = IncludeDirectories(options.includeDirectories);
    if (!options.preInclude.empty()) checked.preInclude = ExistingFile(options.preInclude, "pre-include file");
    checked.keepSystemIncludes = !options.dropSystemIncludes;
    return checked;
}

std::string IncludePathFor(const HeaderInputOptions& input, const std::string& header) {
    std::vector<std::string> directories = input.includeDirectories;
    const std::string own = std::filesystem::path(header).parent_path().string();
    if (own.find(';') == std::string::npos) directories.push_back(own);
    directories.insert(directories.end(), input.lastDirectories.begin(), input.lastDirectories.end());
    std::string joined;
    for (const std::string& directory : directories) joined += (joined.empty() ? "" : ";") + directory;
    return joined;
}

}  // namespace cimport_cli
