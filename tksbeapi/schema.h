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

// Gives this connection (and no other) the triggers that complete a change
// within its one statement: a new membership gets the attributes that have an
// initial value, and a removed Type takes its memberships with it.
void AddConnectionTriggers(Database& db);

}  // namespace tks

#endif
