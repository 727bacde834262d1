#include "work_dir.h"

#include <system_error>

#include "command_error.h"
#include "platform.h"

namespace cimport_cli {

PrivateWorkDir::PrivateWorkDir() {
    try {
        previous_ = std::filesystem::current_path();
        directory_ = CreatePrivateDirectory();
        std::filesystem::current_path(directory_);
    } catch (const std::filesystem::filesystem_error& error) {
        if (!directory_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(directory_, ignored);
        }
        throw CommandError(std::string("cannot set up a temporary working directory: ") + error.what());
    }
}

PrivateWorkDir::~PrivateWorkDir() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(directory_, ignored);
}

}  // namespace cimport_cli
