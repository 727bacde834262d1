// Runs the built cimport binary as a user would, in the current directory,
// and collects its exit status and output.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include "tests/support/file_bytes.h"

namespace cli_test {

struct CliRun {
    int status = -1;
    std::string out;  // standard output, bytes as written
    std::string err;  // standard error
};

CliRun RunCli(const std::vector<std::string>& args);

#if !defined(_WIN32)
// Runs two commands at the same time in the current directory.
std::pair<CliRun, CliRun> RunCliSideBySide(const std::vector<std::string>& first,
                                           const std::vector<std::string>& second);
#endif

using test_support::ReadFileBytes;
using test_support::WriteFileBytes;

// Absolute path of a file of the project's examples/ folder.
std::string Example(const std::string& name);

// Each test works in a fresh folder of its own inside the test executable's
// working directory, so tests that run side by side never meet.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

}  // namespace cli_test
