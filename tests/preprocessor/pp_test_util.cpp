#include "pp_test_util.h"

#include <sstream>

namespace pp_test {

namespace fs = std::filesystem;

std::string FromCrLf(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return text;
}

std::string WithoutMarkers(const std::string& text) {
    std::string result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("/*#line", 0) == 0 && line.size() >= 2 && line.compare(line.size() - 2, 2, "*/") == 0) continue;
        result += line + "\n";
    }
    return result;
}

int RunWithArgs(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return cimp::cpp::RunPreprocessor(static_cast<int>(args.size()), argv.data());
}

void PreprocessorTest::SetUp() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    previous_ = fs::current_path();
    fs::remove_all(name);
    fs::create_directories(name);
    fs::current_path(name);
}

void PreprocessorTest::TearDown() { fs::current_path(previous_); }

int PreprocessorTest::Preprocess(const std::string& source, const std::vector<std::string>& options) {
    WriteFileBytes("in.h", source);
    fs::remove("cprep.tmp");
    std::vector<std::string> args{"in.h"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back("in.h");
    return RunWithArgs(args);
}

}  // namespace pp_test
