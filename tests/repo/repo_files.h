// Repository files in the test's working directory.
#ifndef TESTS_REPO_REPO_FILES_H
#define TESTS_REPO_REPO_FILES_H

#include <filesystem>
#include <string>
#include "tests/support/file_bytes.h"

namespace repo_test {

// A file name of its own for each test, removed first.
inline std::string FreshFile(const std::string& name) {
    std::filesystem::remove(name);
    std::filesystem::remove(name + "-journal");
    return name;
}

using test_support::ReadFileBytes;
using test_support::WriteFileBytes;

}  // namespace repo_test

#endif
