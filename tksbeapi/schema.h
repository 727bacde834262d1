// The repository's database layout: creating it in a new file and recognising
// it in an existing one.
#ifndef TKSBEAPI_SCHEMA_H
#define TKSBEAPI_SCHEMA_H

#include <cstdint>

namespace tks {

class Database;

constexpr int32_t kApplicationId = 0x544B5352;  // "TKSR" in the database header
constexpr int32_t kSchemaVersion = 1;

// Creates the tables and the five simple Types, all in one transaction.
void CreateSchema(Database& db);

// True when the database carries this repository's mark and version.
// Throws StorageError when the file cannot be read as a database.
bool HasSchema(Database& db);

}  // namespace tks

#endif
