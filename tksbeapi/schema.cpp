#include "schema.h"

#include <string>

#include "sqlite_db.h"
#include "tksbeapi.h"

namespace tks {
namespace {

// Object handles are the object table's numbers: AUTOINCREMENT never gives a
// deleted number again, and the CHECK keeps them within 24 bits.  Reads are
// answered from memory, so the tables carry no index beyond their keys and
// the unique names (files made before may have more: they serve no query).
constexpr const char* kTables = R"sql(
CREATE TABLE object (
  handle INTEGER PRIMARY KEY AUTOINCREMENT CHECK (handle BETWEEN 1 AND 16777214),
  kind INTEGER NOT NULL CHECK (kind IN (103, 104, 107)),
  name TEXT NOT NULL UNIQUE,
  type_class INTEGER NOT NULL DEFAULT 0,
  simple_code INTEGER NOT NULL DEFAULT 0,
  type_handle INTEGER NOT NULL DEFAULT 0,
  length_handle INTEGER NOT NULL DEFAULT 0,
  length_value INTEGER NOT NULL DEFAULT 0);
CREATE TABLE member (
  type_handle INTEGER NOT NULL,
  element_handle INTEGER NOT NULL,
  position INTEGER NOT NULL,
  member_flag INTEGER NOT NULL,
  repeating INTEGER NOT NULL,
  PRIMARY KEY (type_handle, element_handle)) WITHOUT ROWID;
CREATE TABLE member_attribute (
  type_handle INTEGER NOT NULL,
  element_handle INTEGER NOT NULL,
  attribute INTEGER NOT NULL,
  value TEXT NOT NULL,
  PRIMARY KEY (type_handle, element_handle, attribute)) WITHOUT ROWID;
)sql";

struct SimpleType {
    const char* name;
    int32_t code;
};

// In this order: enumeration hands them out in creation order.
constexpr SimpleType kSimpleTypes[] = {{"INTEGER", TKS_SIMPLE_INTEGER},
                                       {"STRING", TKS_SIMPLE_STRING},
                                       {"FLOAT", TKS_SIMPLE_FLOAT},
                                       {"BINARY", TKS_SIMPLE_BINARY},
                                       {"BOOLEAN", TKS_SIMPLE_BOOLEAN}};

int64_t PragmaValue(Database& db, const char* pragma) {
    Statement statement(db, pragma);
    Query query(statement);
    return query.Next() ? query.Int(0) : 0;
}

}  // namespace

void CreateSchema(Database& db) {
    db.Execute("BEGIN");
    try {
        db.Execute(kTables);
        Statement insert(db, "INSERT INTO object (kind, name, type_class, simple_code) VALUES (?1, ?2, ?3, ?4)");
        for (const SimpleType& type : kSimpleTypes) {
            Query(insert).Bind(TKS_KIND_TYPE).Bind(type.name).Bind(TKS_TYPE_CLASS_SIMPLE).Bind(type.code).Run();
        }
        db.Execute(("PRAGMA application_id = " + std::to_string(kApplicationId) + ";" +
                    "PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";COMMIT")
                       .c_str());
    } catch (...) {
        db.ExecuteQuietly("ROLLBACK");
        throw;
    }
}

bool HasSchema(Database& db) {
    return PragmaValue(db, "PRAGMA application_id") == kApplicationId &&
           PragmaValue(db, "PRAGMA user_version") == kSchemaVersion;
}

}  // namespace tks
