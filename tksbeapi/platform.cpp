// The repository's only calls of the operating system that the standard
// library does not offer.
#include "repository_file.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <unistd.h>
#endif

namespace tks {

#if defined(_WIN32)

bool MoveIfAbsent(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return false;
    throw std::filesystem::filesystem_error("cannot move", from, to,
                                            std::error_code(static_cast<int>(error), std::system_category()));
}

#else

// A hard link fails when the name is taken, where rename would replace the file.
bool MoveIfAbsent(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (link(from.c_str(), to.c_str()) != 0) {
        if (errno == EEXIST) return false;
        throw std::filesystem::filesystem_error("cannot move", from, to, std::error_code(errno, std::generic_category()));
    }
    std::filesystem::remove(from);
    return true;
}

#endif

}  // namespace tks
