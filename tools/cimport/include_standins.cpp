#include "include_standins.h"

#include <fstream>
#include <iostream>
#include <system_error>

#include "command_error.h"

namespace cimport_cli {

namespace {

namespace fs = std::filesystem;

bool StaysInside(const fs::path& name) {
    if (name.empty() || name.has_root_name() || name.has_root_directory()) return false;
    for (const fs::path& part : name.lexically_normal())
        if (part == "..") return false;
    return true;
}

}  // namespace

bool WriteStandIns(const fs::path& directory, const std::vector<std::string>& names) {
    bool wrote = false;
    for (const std::string& name : names) {
        if (!StaysInside(name)) continue;
        const fs::path file = (directory / name).lexically_normal();
        std::error_code error;
        fs::create_directories(file.parent_path(), error);
        if (error || !std::ofstream(file, std::ios::binary))
            throw CommandError("cannot write the stand-in " + file.string());
        std::cerr << "cimport: <" << name << "> not found; read as empty. Add -I DIR for the real one.\n";
        wrote = true;
    }
    return wrote;
}

}  // namespace cimport_cli
