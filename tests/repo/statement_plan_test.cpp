// Every statement the repository runs is served by an index: its plan neither scans a table nor
// sorts.  (A plan step that scans reads "SCAN object", one that sorts "USE TEMP B-TREE".)
#include <gtest/gtest.h>

#include "schema.h"
#include "statements.h"

TEST(StatementPlan, EveryStatementUsesAnIndex) {
    tks::Database db(":memory:", false);
    tks::CreateSchema(db);
    for (const tks::StatementText& statement : tks::AllStatements()) {
        tks::Statement plan(db, (std::string("EXPLAIN QUERY PLAN ") + statement.sql).c_str());
        for (tks::Query query(plan); query.Next();) {
            const std::string step = query.Text(3);
            EXPECT_NE(step.rfind("SCAN", 0), 0u) << statement.name << ": " << step;
            EXPECT_EQ(step.find("TEMP B-TREE"), std::string::npos) << statement.name << ": " << step;
        }
    }
}
