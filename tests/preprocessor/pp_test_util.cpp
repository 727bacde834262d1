#include "pp_test_util.h"

#include <fstream>
#include <sstream>

namespace pp_test {

std::string ToCrLf(const std::string& text) {
    std::string bytes;
    for (const char c : text) bytes += c == '\n' ? "\r\n" : std::string(1, c);
    return bytes;
}

std::string FromCrLf(const std::string& bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.compare(i, 2, "\r\n") != 0) text += bytes[i];
    }
    return text;
}

std::string WithoutMarkers(const std::string& text) {
    std::string result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const bool marker = line.rfind("/*#line", 0) == 0 && line.size() >= 9 &&
                            line.compare(line.size() - 2, 2, "*/") == 0;
        if (!marker) result += line + "\n";
    }
    return result;
}

int RunWithArgs(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return cimp::cpp::RunPreprocessor(static_cast<int>(args.size()), argv.data());
}

std::string WriteFiles(const std::string& files) {
    const std::string all = files.rfind("--- ", 0) == 0 ? files : "--- in.h\n" + files;
    std::string first;
    for (std::size_t at = 0; at < all.size();) {
        const std::size_t nameEnd = all.find('\n', at);
        std::size_t end = all.find("\n--- ", nameEnd);
        end = end == std::string::npos ? all.size() : end + 1;
        const std::string name = all.substr(at + 4, nameEnd - at - 4);
        WriteFileBytes(name, all.substr(nameEnd + 1, end - nameEnd - 1));
        if (first.empty()) first = name;
        at = end;
    }
    return first;
}

static nlohmann::json CorpusCases() {
    std::ifstream in(kCorpusDir / "cases.json");
    return in ? nlohmann::json::parse(in) : nlohmann::json::array();
}

std::vector<std::string> CorpusNames() {
    std::vector<std::string> names;
    for (const auto& c : CorpusCases()) names.push_back(c.at("name").get<std::string>());
    if (names.empty()) names.push_back("absent");
    return names;
}

nlohmann::json CorpusCase(const std::string& name) {
    for (const auto& c : CorpusCases()) {
        if (c.at("name") == name) return c;
    }
    return nullptr;
}

void PreprocessorTest::SetUp() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) c = c == '/' ? '_' : c;
    previous_ = fs::current_path();
    fs::remove_all(name);
    fs::create_directories(name);
    fs::current_path(name);
}

int PreprocessorTest::Preprocess(const std::string& files, std::vector<std::string> options) {
    const std::string input = WriteFiles(files);
    fs::remove("cprep.tmp");
    options.insert(options.begin(), input);
    options.push_back(input);
    return RunWithArgs(options);
}

}  // namespace pp_test
