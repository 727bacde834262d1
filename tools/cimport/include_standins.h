// Empty stand-ins for the system headers that no include directory provides,
// so that a missing <sys/socket.h> costs only its own declarations.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace cimport_cli {

// Writes an empty file under directory for each name (as written between
// '<' and '>') and prints one warning line per name on standard error.
// Names that would leave the directory are skipped.  Returns true when it
// wrote any.  Throws CommandError.
bool WriteStandIns(const std::filesystem::path& directory, const std::vector<std::string>& names);

}  // namespace cimport_cli
