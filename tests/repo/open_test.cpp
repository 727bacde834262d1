// Repositories in files and in memory: opening, reopening, units of work, files of others, and
// the store's limits.
#include <sqlite3.h>

#include <filesystem>

#include "repo_fixture.h"
#include "tests/support/file_bytes.h"

using namespace repo_test;


// SQL run on a file by a connection of its own: 0 when it went well.
int RunSql(const std::string& path, const char* sql) {
    sqlite3* db = nullptr;
    const int failed = sqlite3_open(path.c_str(), &db) || sqlite3_exec(db, sql, 0, 0, 0);
    sqlite3_close(db);
    return failed;
}

// A new repository in a file of its own.
class FileTest : public RepositoryTest {
protected:
    void SetUp() override {
        for (const std::string& name : {path, path + "-journal"}) std::filesystem::remove(name);
        ASSERT_EQ(TKSOpenRepository(path.c_str(), &repository), TKS_OK);
    }
    const std::string path = "file_test.repo";
};

TEST_F(FileTest, UnitsOfWorkAndReopening) {
    const TKSHandle type = MakeType("REC_TYPE"), element = MakeElement("count", Simple("INTEGER"));
    // A call refused by the file that another connection holds leaves no transaction behind.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    MemberDetails record;
    ASSERT_EQ(TKSGetDefaultMemberDetails2(type, element, -1, &record, sizeof record), TKS_OK);
    EXPECT_EQ(Join(TKSInsertMember(type, element, -1, &record), TKSDelete(element)), "-116|-116");
    sqlite3_close(other);
    EXPECT_EQ(Join(TKSCommitWork(repository), TKSRollbackWork(repository)), "-117|-117");
    Insert(type, element, 1);  // durable at once, outside a unit of work
    ASSERT_EQ(TKSSetMemberAttrValue(type, element, "Repeat Count", "10"), TKS_OK);
    const std::string before = test_support::ReadFileBytes(path);
    ASSERT_EQ(TKSBeginWork(repository), TKS_OK);
    EXPECT_EQ(TKSBeginWork(repository), TKS_WORK_STATE);
    MakeType("DISCARDED");
    ASSERT_EQ(TKSRollbackWork(repository), TKS_OK);
    EXPECT_EQ(test_support::ReadFileBytes(path), before);
    ASSERT_EQ(TKSBeginWork(repository), TKS_OK);
    MakeType("KEPT");
    TKSHandle taken;
    EXPECT_EQ(Create(repository, TypeRecord("KEPT"), taken), TKS_NAME_TAKEN);
    MakeType("ALSO_KEPT");  // a refused call leaves the unit of work going
    ASSERT_EQ(TKSCommitWork(repository), TKS_OK);
    EXPECT_EQ(TKSCommitWork(repository), TKS_WORK_STATE);
    ASSERT_EQ(TKSBeginWork(repository), TKS_OK);
    MakeType("LOST");
    const TKSHandle slot = repository;
    ASSERT_EQ(TKSCloseRepository(repository), TKS_OK);  // discards the open unit of work
    ASSERT_EQ(TKSOpenRepository(path.c_str(), &repository), TKS_OK);
    EXPECT_EQ(repository, slot) << "the same slot, so the same handles";
    EXPECT_EQ(Walk(TKS_KIND_TYPE), "INTEGER STRING FLOAT BINARY BOOLEAN REC_TYPE KEPT ALSO_KEPT 0");
    char value[16];
    ASSERT_EQ(TKSGetMemberAttrValue(type, element, "Repeat Count", value, sizeof value), TKS_OK);
    EXPECT_EQ(Join(Walk(0, type), value), "count 0|10");
    for (auto [name, code] :
         {std::pair{"INTEGER", 4}, {"STRING", 2}, {"FLOAT", 6}, {"BINARY", 10}, {"BOOLEAN", 12}}) {
        EXPECT_EQ(Details<TypeDetails>(Simple(name)), Join(name, name, 1, code));
    }
}

TEST_F(FileTest, NoHandleLeftAfterTheLastNumber) {
    ASSERT_EQ(TKSCloseRepository(repository), TKS_OK);
    ASSERT_EQ(RunSql(path, "UPDATE sqlite_sequence SET seq = 16777213 WHERE name = 'object'"), 0);
    ASSERT_EQ(TKSOpenRepository(path.c_str(), &repository), TKS_OK);
    ASSERT_EQ(TKSBeginWork(repository), TKS_OK);  // the library numbers what a unit of work makes
    const TKSHandle last = MakeType("LAST_TYPE");
    EXPECT_EQ(last & 0xFFFFFFu, 0xFFFFFEu);
    TKSHandle refused = 9;
    EXPECT_EQ(Create(repository, TypeRecord("ONE_TOO_MANY"), refused), TKS_REPOSITORY_FULL);
    EXPECT_EQ(refused, TKS_NO_HANDLE);
    ASSERT_EQ(TKSCommitWork(repository), TKS_OK);  // the database numbers what is made outside one
    EXPECT_EQ(Create(repository, TypeRecord("ONE_TOO_MANY"), refused), TKS_REPOSITORY_FULL);
    EXPECT_EQ(Details<TypeDetails>(last), "LAST_TYPE|LAST_TYPE|3|0");
    EXPECT_EQ(Walk(TKS_KIND_TYPE), "INTEGER STRING FLOAT BINARY BOOLEAN LAST_TYPE 0");
}

// A file that is no repository is refused, left as it was, and left free for others to write.
TEST(OpenRepository, OtherFilesAreRefusedAndLeftAlone) {
    const struct { const char* bytes; const char* sql; } cases[] = {
        {"struct s { int a; };\n", nullptr}, {"", nullptr}, {"SQLite format 3", nullptr},
        {"\x7f" "ELF\x02\x01\x01", nullptr}, {nullptr, "CREATE TABLE object (handle INTEGER)"},
        {nullptr, "PRAGMA application_id = 42; CREATE TABLE t (x)"},
        {nullptr, "PRAGMA application_id = 1414222674; PRAGMA user_version = 2;"
                  " CREATE TABLE t (x)"}};
    for (const auto& [bytes, sql] : cases) {
        const std::string path = "other" + std::to_string(&bytes - &cases[0].bytes) + ".repo";
        std::filesystem::remove(path);
        if (bytes) test_support::WriteFileBytes(path, bytes);
        ASSERT_EQ(sql ? RunSql(path, sql) : 0, 0) << sql;
        const std::string before = test_support::ReadFileBytes(path);
        TKSHandle repository = 77;
        EXPECT_EQ(TKSOpenRepository(path.c_str(), &repository), TKS_NOT_A_REPOSITORY) << path;
        EXPECT_EQ(repository, TKS_NO_HANDLE);
        EXPECT_EQ(test_support::ReadFileBytes(path), before);
        EXPECT_EQ(sql ? RunSql(path, "BEGIN EXCLUSIVE; CREATE TABLE u (x); COMMIT") : 0, 0);
    }
}

TEST(OpenRepository, AtMost255AreOpenAtOnce) {
    std::vector<TKSHandle> open;
    TKSHandle last;
    while (open.size() < 300 && TKSOpenRepository(":memory:", &last) == 0) open.push_back(last);
    ASSERT_EQ(open.size(), 255u);
    EXPECT_EQ(TKSOpenRepository(":memory:", &last), TKS_REPOSITORY_FULL);
    ASSERT_EQ(TKSFindDefinition(open[254], 104, &last, "INTEGER"), TKS_OK);
    for (size_t n = 0; n < 254; ++n) EXPECT_EQ(TKSCloseRepository(open[n]), TKS_OK);
    EXPECT_EQ(TKSIsComplete(last), 1) << "closing a repository leaves the others";
    EXPECT_EQ(TKSCloseRepository(open[254]), TKS_OK);
}


// A name beginning with "file:" is the file of that name in the current directory.
TEST(OpenRepository, NamesAreFileNames) {
    const std::string path = "file:uri.repo?mode=memory";
    std::filesystem::remove(path);
    TKSHandle repository = TKS_NO_HANDLE, found = TKS_NO_HANDLE;
    ASSERT_EQ(TKSOpenRepository(path.c_str(), &repository), TKS_OK);
    const TypeDetails record = TypeRecord("KEPT_TYPE");
    ASSERT_EQ(Create(repository, record, found), TKS_OK);
    ASSERT_EQ(TKSCloseRepository(repository), TKS_OK);
    ASSERT_TRUE(std::filesystem::exists(path));
    ASSERT_EQ(TKSOpenRepository(path.c_str(), &repository), TKS_OK);
    EXPECT_EQ(TKSFindDefinition(repository, TKS_KIND_TYPE, &found, "KEPT_TYPE"), TKS_OK);
    EXPECT_EQ(TKSCloseRepository(repository), TKS_OK);
}
