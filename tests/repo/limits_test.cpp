// Limits of the store, and database files of others.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>

#include "repo_files.h"
#include "store_api.h"

namespace repo_test {
namespace {

void RunSql(const std::string& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

int32_t CreateType(TKSHandle repository, const char* name, TKSHandle& created) {
    TypeDetails record;
    EXPECT_EQ(tks::api::GetDefaultDetails(TKS_KIND_TYPE, &record, sizeof record), TKS_OK);
    std::strcpy(record.name, name);
    return tks::api::CreateType(repository, &created, &record);
}

TEST(StoreLimits, NoHandleLeftAfterTheLastNumber) {
    const std::string path = FreshFile("full.repo");
    TKSHandle repository;
    ASSERT_EQ(tks::api::OpenRepository(path.c_str(), &repository), TKS_OK);
    ASSERT_EQ(tks::api::CloseRepository(repository), TKS_OK);
    RunSql(path, "UPDATE sqlite_sequence SET seq = 16777213 WHERE name = 'object'");

    ASSERT_EQ(tks::api::OpenRepository(path.c_str(), &repository), TKS_OK);
    TKSHandle last = 0, refused = 9;
    ASSERT_EQ(CreateType(repository, "LAST_TYPE", last), TKS_OK);
    EXPECT_EQ(last & 0xFFFFFFu, 0xFFFFFEu);
    EXPECT_EQ(CreateType(repository, "ONE_TOO_MANY_TYPE", refused), TKS_REPOSITORY_FULL);
    EXPECT_EQ(refused, TKS_NO_HANDLE);
    TKSHandle found;
    EXPECT_EQ(tks::api::FindDefinition(repository, TKS_KIND_TYPE, &found, "LAST_TYPE"), TKS_OK);
    EXPECT_EQ(found, last);
    EXPECT_EQ(tks::api::FindDefinition(repository, TKS_KIND_TYPE, &found, "ONE_TOO_MANY_TYPE"), TKS_NOT_FOUND);
    EXPECT_EQ(tks::api::CloseRepository(repository), TKS_OK);
}

struct OtherDatabase {
    const char* title;
    const char* sql;
};

void PrintTo(const OtherDatabase& c, std::ostream* out) { *out << c.title; }

class OtherDatabaseTest : public ::testing::TestWithParam<OtherDatabase> {};

TEST_P(OtherDatabaseTest, IsRefusedAndLeftAlone) {
    const std::string path = FreshFile(std::string(GetParam().title) + ".db");
    RunSql(path, GetParam().sql);
    const std::string before = ReadFileBytes(path);
    TKSHandle repository = 3;
    EXPECT_EQ(tks::api::OpenRepository(path.c_str(), &repository), TKS_NOT_A_REPOSITORY);
    EXPECT_EQ(repository, TKS_NO_HANDLE);
    EXPECT_EQ(ReadFileBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Databases, OtherDatabaseTest,
    ::testing::Values(OtherDatabase{"Unmarked", "CREATE TABLE object (handle INTEGER PRIMARY KEY)"},
                      OtherDatabase{"OtherApplication", "PRAGMA application_id = 42; CREATE TABLE t (x)"},
                      OtherDatabase{"LaterVersion", "PRAGMA application_id = 1414222674; PRAGMA user_version = 2;"
                                                    " CREATE TABLE t (x)"}),
    [](const auto& info) { return std::string(info.param.title); });

}  // namespace
}  // namespace repo_test
