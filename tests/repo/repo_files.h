// Repository files in the test's working directory.
#ifndef TESTS_REPO_REPO_FILES_H
#define TESTS_REPO_REPO_FILES_H

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace repo_test {

// A file name of its own for each test, removed first.
inline std::string FreshFile(const std::string& name) {
    std::filesystem::remove(name);
    std::filesystem::remove(name + "-journal");
    return name;
}

inline std::string FileBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

}  // namespace repo_test

#endif
