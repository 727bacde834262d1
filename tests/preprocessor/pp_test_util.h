// Helpers of the preprocessor tests: every test case works in a folder of its
// own (test cases may run in parallel in the same working directory), writes
// its input files there and runs the preprocessor on them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cimp/cpp/preprocessor.h"
#include "tests/support/file_bytes.h"

namespace pp_test {

// The file's bytes as they are on disk; "" when it cannot be read.
using test_support::ReadFileBytes;
using test_support::WriteFileBytes;
// CR LF turned into "\n".
std::string FromCrLf(const std::string& bytes);
// Line-marker comments (/*#line... */ followed by a newline) removed.
std::string WithoutMarkers(const std::string& text);

// Runs RunPreprocessor with the given vector (the program name first).
int RunWithArgs(std::vector<std::string> args);

class PreprocessorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes "in.h" and preprocesses it with the given options.
    int Preprocess(const std::string& source, const std::vector<std::string>& options = {});
    // Output and diagnostics of the last run, with "\n" line ends.
    std::string Output() const { return FromCrLf(ReadFileBytes("cprep.tmp")); }
    std::string Diagnostics() const { return FromCrLf(ReadFileBytes(cimp::cpp::kPpErrorFile)); }
    // The output without line markers.
    std::string Text() const { return WithoutMarkers(Output()); }

private:
    std::filesystem::path previous_;
};

}  // namespace pp_test
