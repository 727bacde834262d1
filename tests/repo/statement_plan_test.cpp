// Every statement the repository runs is served by an index: its query plan
// never scans a table nor sorts.
#include <gtest/gtest.h>

#include <string>

#include "schema.h"
#include "sqlite_db.h"
#include "statements.h"

namespace tks {
void PrintTo(const StatementText& statement, std::ostream* out) { *out << statement.name; }
}  // namespace tks

namespace repo_test {
namespace {

class StatementPlanTest : public ::testing::TestWithParam<tks::StatementText> {};

TEST_P(StatementPlanTest, UsesAnIndex) {
    tks::Database db(":memory:", false);
    tks::CreateSchema(db);
    tks::Statement plan(db, (std::string("EXPLAIN QUERY PLAN ") + GetParam().sql).c_str());
    tks::Query query(plan);
    while (query.Next()) {
        const std::string detail = query.Text(3);
        EXPECT_EQ(detail.rfind("SCAN", 0), std::string::npos) << detail;
        EXPECT_EQ(detail.find("TEMP B-TREE"), std::string::npos) << detail;
    }
}

TEST(StatementPlan, SeesAScan) {
    tks::Database db(":memory:", false);
    tks::CreateSchema(db);
    tks::Statement plan(db, "EXPLAIN QUERY PLAN SELECT handle FROM object WHERE length_value = 1");
    tks::Query query(plan);
    ASSERT_TRUE(query.Next());
    EXPECT_EQ(query.Text(3).rfind("SCAN", 0), 0u) << "the check above would notice a scan";
}

INSTANTIATE_TEST_SUITE_P(Statements, StatementPlanTest, ::testing::ValuesIn(tks::AllStatements()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace repo_test
