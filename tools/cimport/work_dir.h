// A private working directory for one run of the stages, which write their
// fixed-name temporary files into the current directory.
#pragma once

#include <filesystem>

namespace cimport_cli {

class PrivateWorkDir {
public:
    // Creates the directory and makes it current; throws CommandError.
    PrivateWorkDir();
    // Returns to the previous directory and removes this one with its contents.
    ~PrivateWorkDir();
    PrivateWorkDir(const PrivateWorkDir&) = delete;
    PrivateWorkDir& operator=(const PrivateWorkDir&) = delete;

private:
    std::filesystem::path previous_;
    std::filesystem::path directory_;
};

}  // namespace cimport_cli
