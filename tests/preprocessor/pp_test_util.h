// Helpers of the preprocessor tests: every test case works in a folder of its
// own (test cases may run in parallel in the same working directory), writes
// its input files there and runs the preprocessor on them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cimp/cpp/preprocessor.h"
#include "tests/support/file_bytes.h"

namespace pp_test {

namespace fs = std::filesystem;
using test_support::ReadFileBytes;
using test_support::WriteFileBytes;

const fs::path kCorpusDir = fs::path(CIMPORT_SHARED_DIR) / "corpus";

// "\n" turned into CR LF, and back.
std::string ToCrLf(const std::string& text);
std::string FromCrLf(const std::string& bytes);
// The text without its line markers (lines /*#line... */).
std::string WithoutMarkers(const std::string& text);
// Runs the preprocessor on these arguments (the program name comes first).
int RunWithArgs(std::vector<std::string> args);
// Writes files given as "--- name\ncontent--- name\ncontent..."; a text
// without a first "--- " line is the file "in.h".  Returns the first name.
std::string WriteFiles(const std::string& files);

// The cases of corpus/cases.json: their names (the single name "absent", a
// case that skips, when the material is missing) and one case by name.
std::vector<std::string> CorpusNames();
nlohmann::json CorpusCase(const std::string& name);

class PreprocessorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { fs::current_path(previous_); }

    // Writes the files (see WriteFiles) and preprocesses the first one with
    // the options, into a fresh "cprep.tmp".
    int Preprocess(const std::string& files, std::vector<std::string> options = {});
    // Output and diagnostics of the last run, with "\n" line ends.
    std::string Output() const { return FromCrLf(ReadFileBytes("cprep.tmp")); }
    std::string Diagnostics() const { return FromCrLf(ReadFileBytes(cimp::cpp::kPpErrorFile)); }
    std::string Text() const { return WithoutMarkers(Output()); }

private:
    fs::path previous_;
};

}  // namespace pp_test
