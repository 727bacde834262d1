// Repository files: their names and how a new one comes into being.
#ifndef TKSBEAPI_REPOSITORY_FILE_H
#define TKSBEAPI_REPOSITORY_FILE_H

#include <filesystem>
#include <string>

namespace tks {

// The file of a path given in UTF-8, as the database library reads it.
std::filesystem::path FilePath(const std::string& path);

// Builds a new repository under a name of its own beside path and moves it to
// path, unless a file has appeared there meanwhile (then that file is left as
// it is): no other process ever sees a half-made repository at path.  Throws
// StorageError when the repository cannot be built.
void CreateRepositoryFile(const std::string& path);

// Gives the file at from the name to, unless a file of that name exists: then
// false, and from is left as it is.  Throws std::filesystem::filesystem_error
// on any other failure.
bool MoveIfAbsent(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace tks

#endif
