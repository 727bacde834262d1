#include "repository_file.h"

#include <sqlite3.h>

#include <random>
#include <system_error>

#include "schema.h"
#include "sqlite_db.h"

namespace tks {
namespace {

// A name beside path that no other process picks at the same time.
std::string BuildingName(const std::string& path) {
    std::random_device random;
    return path + ".new-" + std::to_string(random()) + std::to_string(random());
}

void RemoveQuietly(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(FilePath(path), error);
    std::filesystem::remove(FilePath(path + "-journal"), error);
}

}  // namespace

std::filesystem::path FilePath(const std::string& path) { return std::u8string(path.begin(), path.end()); }

void CreateRepositoryFile(const std::string& path) {
    const std::string building = BuildingName(path);
    try {
        {
            Database db(building, false);
            CreateSchema(db);
        }
        MoveIfAbsent(FilePath(building), FilePath(path));
    } catch (const std::filesystem::filesystem_error& error) {
        RemoveQuietly(building);
        throw StorageError(SQLITE_CANTOPEN, error.what());
    } catch (...) {
        RemoveQuietly(building);
        throw;
    }
    RemoveQuietly(building);
}

}  // namespace tks
