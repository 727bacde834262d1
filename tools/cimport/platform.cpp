#include "platform.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <random>
#else
#include <stdlib.h>
#include <strings.h>
#include <unistd.h>
extern char** environ;
#endif

namespace cimport_cli {

namespace {
constexpr const char* kIncludeVariable = "include";
}

#if defined(_WIN32)

std::filesystem::path CreatePrivateDirectory() {
    // The per-user temporary directory is private already; a fresh name is enough.
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = base / ("cimport-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) return candidate;
    }
    throw std::filesystem::filesystem_error("cannot create a temporary directory", base,
                                            std::make_error_code(std::errc::file_exists));
}

void SetIncludeVariable(const std::string& value) {
    // Windows compares environment names without regard to case.
    _putenv_s(kIncludeVariable, value.c_str());
}

void UseBinaryMode(std::FILE* stream) { _setmode(_fileno(stream), _O_BINARY); }

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

std::filesystem::path ExecutableDirectory() {
    std::vector<wchar_t> name(32768);
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0 || length >= name.size()) return {};
    return std::filesystem::path(std::wstring(name.data(), length)).parent_path();
}

#else

std::filesystem::path CreatePrivateDirectory() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::string pattern = (base / "cimport-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::filesystem::filesystem_error("cannot create a temporary directory", base,
                                                std::error_code(errno, std::generic_category()));
    return pattern;
}

void SetIncludeVariable(const std::string& value) {
    // The importer looks the name up without regard to case, so no other
    // spelling may stay behind to shadow ours.
    std::vector<std::string> spellings;
    const std::size_t nameLength = std::char_traits<char>::length(kIncludeVariable);
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        if (text.size() > nameLength && text[nameLength] == '=' &&
            strncasecmp(text.c_str(), kIncludeVariable, nameLength) == 0)
            spellings.push_back(text.substr(0, nameLength));
    }
    for (const std::string& name : spellings) unsetenv(name.c_str());
    if (!value.empty()) setenv(kIncludeVariable, value.c_str(), 1);
}

void UseBinaryMode(std::FILE*) {}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

std::filesystem::path ExecutableDirectory() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

#endif

}  // namespace cimport_cli
