// Every fuzz target works in a private folder of its own, because the stages
// write their working files under fixed names into the current directory.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace fuzz {

// Moves into a new, empty folder below the system's temporary folder, which
// is removed again at the end of the process.
inline void EnterWorkDir(const char* target) {
    namespace fs = std::filesystem;
    static struct Dir {
        fs::path path;
        ~Dir() {
            std::error_code ignored;
            fs::current_path(path.parent_path(), ignored);
            fs::remove_all(path, ignored);
        }
    } dir{fs::temp_directory_path() /
          (std::string("cimport-") + target + "-" + std::to_string(std::random_device{}()))};
    fs::create_directories(dir.path);
    fs::current_path(dir.path);
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace fuzz
