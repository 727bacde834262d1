// Helpers of the preprocessor tests: every test case works in a folder of its
// own, writes its input files there and runs the preprocessor on them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cimp/cpp/preprocessor.h"
#include "tests/support/file_bytes.h"

namespace pp_test {

namespace fs = std::filesystem;
using test_support::ReadFileBytes;
using test_support::WriteFileBytes;

const fs::path kSharedDir = CIMPORT_SHARED_DIR;
const fs::path kCorpusDir = kSharedDir / "corpus";
const std::string kFatal = "\nFatal error occurred during parse.\n";

// "\n" turned into CR LF, and back.
inline std::string ToCrLf(const std::string& text) {
    return std::regex_replace(text, std::regex("\n"), "\r\n");
}
inline std::string FromCrLf(const std::string& bytes) {
    return std::regex_replace(bytes, std::regex("\r\n"), "\n");
}

// The text without its line markers (lines /*#line12 "name"*/).
inline std::string WithoutMarkers(const std::string& text) {
    return std::regex_replace(text, std::regex("/\\*#line[0-9]+ \"[^\"\n]*\"\\*/\n"), "");
}

// The argument vector of args, ended by a null pointer.
inline std::vector<char*> Argv(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return argv;
}
// Runs the preprocessor on these arguments (the program name first).
inline int RunWithArgs(std::vector<std::string> args) {
    return cimp::cpp::RunPreprocessor(static_cast<int>(args.size()), Argv(args).data());
}

// Writes files given as "--- name\ncontent--- name\ncontent..."; a text
// without a first "--- " line is the file "in.h".  Returns the first name.
inline std::string WriteFiles(const std::string& files) {
    const std::string all = files.rfind("--- ", 0) == 0 ? files : "--- in.h\n" + files;
    std::string first;
    for (std::size_t at = 0; at < all.size();) {
        const std::size_t nameEnd = all.find('\n', at);
        const std::size_t next = all.find("\n--- ", nameEnd);
        const std::size_t end = next == std::string::npos ? all.size() : next + 1;
        const std::string name = all.substr(at + 4, nameEnd - at - 4);
        WriteFileBytes(name, all.substr(nameEnd + 1, end - nameEnd - 1));
        first = first.empty() ? name : first;
        at = end;
    }
    return first;
}

// The cases of corpus/cases.json by name ("absent", a case that skips, when
// the material is missing).
inline std::map<std::string, nlohmann::json> CorpusCases() {
    std::map<std::string, nlohmann::json> cases;
    std::ifstream in(kCorpusDir / "cases.json");
    for (const auto& c : in ? nlohmann::json::parse(in) : nlohmann::json::array()) {
        cases[c.at("name").get<std::string>()] = c;
    }
    return cases.empty() ? std::map<std::string, nlohmann::json>{{"absent", {}}} : cases;
}
inline std::vector<std::string> CorpusNames() {
    std::vector<std::string> names;
    for (const auto& entry : CorpusCases()) names.push_back(entry.first);
    return names;
}

class PreprocessorTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = std::regex_replace(
            std::string(info->test_suite_name()) + "." + info->name(), std::regex("/"), "_");
        previous_ = fs::current_path();
        fs::remove_all(name);
        fs::create_directories(name);
        fs::current_path(name);
    }
    void TearDown() override { fs::current_path(previous_); }

    // Writes the files (see WriteFiles) and preprocesses the first one with
    // the options, into a fresh "cprep.tmp".
    int Preprocess(const std::string& files, std::vector<std::string> options = {}) {
        const std::string input = WriteFiles(files);
        fs::remove("cprep.tmp");
        options.insert(options.begin(), input);
        options.push_back(input);
        return RunWithArgs(options);
    }
    // Output and diagnostics of the last run, with "\n" line ends.
    std::string Output() const { return FromCrLf(ReadFileBytes("cprep.tmp")); }
    std::string Diagnostics() const { return FromCrLf(ReadFileBytes(cimp::cpp::kPpErrorFile)); }
    std::string Text() const { return WithoutMarkers(Output()); }

private:
    fs::path previous_;
};

}  // namespace pp_test
