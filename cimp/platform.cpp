// The importer's operating-system services: files named as the host names them,
// and the include variable.  Windows takes file names in the process's ANSI code
// page, as the host passes them, so its own narrow calls serve them there.
#include <cstdlib>

#include "cimp/import_run.h"
#include "cimp/text_file.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <filesystem>
#include <system_error>
#endif

namespace cimp {

#if defined(_WIN32)

bool IsDirectory(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const char* path) {
    return path != nullptr && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

long long FileSize(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path == nullptr || !GetFileAttributesExA(path, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return -1;
    return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

bool RemoveFile(const char* path) {
    if (path == nullptr) return false;
    DeleteFileA(path);
    return !FileExists(path);
}

// Windows compares environment names without regard to case.
const char* IncludeVariable() { return std::getenv("include"); }

#else

bool IsDirectory(const char* path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

bool FileExists(const char* path) {
    std::error_code ec;
    return path != nullptr && std::filesystem::exists(path, ec);
}

long long FileSize(const char* path) {
    std::error_code ec;
    if (path == nullptr) return -1;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? -1 : static_cast<long long>(size);
}

bool RemoveFile(const char* path) {
    std::error_code ec;
    if (path == nullptr) return false;
    std::filesystem::remove(path, ec);
    return !std::filesystem::exists(path, ec);
}

const char* IncludeVariable() {
    const char* value = std::getenv("include");
    return value != nullptr ? value : std::getenv("INCLUDE");
}

#endif

}  // namespace cimp
