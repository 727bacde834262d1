// The repository's prepared statements (listed in statements.def).
#ifndef TKSBEAPI_STATEMENTS_H
#define TKSBEAPI_STATEMENTS_H

#include <span>

#include "sqlite_db.h"

namespace tks {

struct StatementText {
    const char* name;
    const char* sql;
};

// Every statement of the list, for checks over all of them.
std::span<const StatementText> AllStatements();

struct Statements {
    explicit Statements(const Database& db);

#define TKS_STATEMENT(name, sql) Statement name;
#include "statements.def"
#undef TKS_STATEMENT

private:
    struct End {};
    [[no_unique_address]] End end_;  // closes the generated initialiser list
};

}  // namespace tks

#endif
