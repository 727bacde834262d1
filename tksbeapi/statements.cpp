#include "statements.h"

namespace tks {
namespace {

constexpr StatementText kStatements[] = {
#define TKS_STATEMENT(name, sql) {#name, sql},
#include "statements.def"
#undef TKS_STATEMENT
};

}  // namespace

std::span<const StatementText> AllStatements() { return kStatements; }

// Each member is prepared from its own list entry, in declaration order.
Statements::Statements(const Database& db)
    :
#define TKS_STATEMENT(name, sql) name(db, sql),
#include "statements.def"
#undef TKS_STATEMENT
      end_() {
}

}  // namespace tks
