// Helpers of the preprocessor tests: every test case works in a folder of its
// own, writes its input files there and runs the preprocessor on them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
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
    std::string bytes;
    for (const char c : text) bytes += c == '\n' ? "\r\n" : std::string(1, c);
    return bytes;
}
inline std::string FromCrLf(const std::string& bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.compare(i, 2, "\r\n") != 0) text += bytes[i];
    }
    return text;
}

// The text without its line markers (lines /*#line... */).
inline std::string WithoutMarkers(const std::string& text) {
    std::string result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const bool marker = line.rfind("/*#line", 0) == 0 && line.size() >= 9 &&
                            line.compare(line.size() - 2, 2, "*/") == 0;
        if (!marker) result += line + "\n";
    }
    return result;
}

// Runs the preprocessor on these arguments (the program name first).
inline int RunWithArgs(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return cimp::cpp::RunPreprocessor(static_cast<int>(args.size()), argv.data());
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

// The cases of corpus/cases.json; their names ("absent", a case that skips,
// when the material is missing).
inline nlohmann::json CorpusCases() {
    std::ifstream in(kCorpusDir / "cases.json");
    return in ? nlohmann::json::parse(in) : nlohmann::json::array();
}
inline nlohmann::json CorpusCase(const std::string& name) {
    for (const auto& c : CorpusCases()) {
        if (c.at("name") == name) return c;
    }
    return nullptr;
}
inline std::vector<std::string> CorpusNames() {
    std::vector<std::string> names;
    for (const auto& c : CorpusCases()) names.push_back(c.at("name").get<std::string>());
    return names.empty() ? std::vector<std::string>{"absent"} : names;
}

class PreprocessorTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name) c = c == '/' ? '_' : c;
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
