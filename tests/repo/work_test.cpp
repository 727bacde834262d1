// Units of work: commit, rollback, and the states they need.
#include "repo_files.h"
#include "repo_fixture.h"

namespace repo_test {
namespace {

class WorkTest : public ::testing::Test {
protected:
    void Open(const char* name) {
        path = FreshFile(name);
        ASSERT_EQ(TKSOpenRepository(path.c_str(), &repository), TKS_OK);
    }
    void Reopen() {
        ASSERT_EQ(TKSCloseRepository(repository), TKS_OK);
        ASSERT_EQ(TKSOpenRepository(path.c_str(), &repository), TKS_OK);
    }
    void TearDown() override { TKSCloseRepository(repository); }

    int32_t Create(const char* name) {
        TypeDetails record = TypeRecord(name);
        TKSHandle created;
        return TKSCreateType(repository, &created, &record);
    }
    int32_t Find(const char* name) {
        TKSHandle found;
        return TKSFindDefinition(repository, TKS_KIND_TYPE, &found, name);
    }

    std::string path;
    TKSHandle repository = TKS_NO_HANDLE;
};

TEST_F(WorkTest, RollbackLeavesTheFileUnchanged) {
    Open("rollback.repo");
    const std::string before = ReadFileBytes(path);
    ASSERT_EQ(TKSBeginWork(repository), TKS_OK);
    ASSERT_EQ(Create("DISCARDED_TYPE"), TKS_OK);
    EXPECT_EQ(Find("DISCARDED_TYPE"), TKS_OK) << "visible inside the unit of work";
    ASSERT_EQ(TKSRollbackWork(repository), TKS_OK);
    EXPECT_EQ(Find("DISCARDED_TYPE"), TKS_NOT_FOUND);
    Reopen();
    EXPECT_EQ(Find("DISCARDED_TYPE"), TKS_NOT_FOUND);
    EXPECT_EQ(ReadFileBytes(path), before);
}

TEST_F(WorkTest, CommitKeepsEverything) {
    Open("commit.repo");
    ASSERT_EQ(TKSBeginWork(repository), TKS_OK);
    ASSERT_EQ(Create("KEPT_TYPE"), TKS_OK);
    ASSERT_EQ(Create("KEPT_TYPE"), TKS_NAME_TAKEN) << "a refused call leaves the unit of work going";
    ASSERT_EQ(Create("ALSO_KEPT_TYPE"), TKS_OK);
    ASSERT_EQ(TKSCommitWork(repository), TKS_OK);
    Reopen();
    EXPECT_EQ(Find("KEPT_TYPE"), TKS_OK);
    EXPECT_EQ(Find("ALSO_KEPT_TYPE"), TKS_OK);
}

TEST_F(WorkTest, CloseDiscardsAnOpenUnitOfWork) {
    Open("close.repo");
    ASSERT_EQ(TKSBeginWork(repository), TKS_OK);
    ASSERT_EQ(Create("LOST_TYPE"), TKS_OK);
    Reopen();
    EXPECT_EQ(Find("LOST_TYPE"), TKS_NOT_FOUND);
}

TEST_F(WorkTest, WithoutUnitOfWorkEachCallIsDurable) {
    Open("durable.repo");
    ASSERT_EQ(Create("AT_ONCE_TYPE"), TKS_OK);
    Reopen();
    EXPECT_EQ(Find("AT_ONCE_TYPE"), TKS_OK);
}

TEST_F(WorkTest, StepsNeedTheRightState) {
    Open("state.repo");
    EXPECT_EQ(TKSCommitWork(repository), TKS_WORK_STATE);
    EXPECT_EQ(TKSRollbackWork(repository), TKS_WORK_STATE);
    ASSERT_EQ(TKSBeginWork(repository), TKS_OK);
    EXPECT_EQ(TKSBeginWork(repository), TKS_WORK_STATE);
    EXPECT_EQ(TKSCommitWork(repository), TKS_OK);
    EXPECT_EQ(TKSCommitWork(repository), TKS_WORK_STATE);
    EXPECT_EQ(TKSBeginWork(TKS_NO_HANDLE), TKS_INVALID_REPOSITORY);
    EXPECT_EQ(TKSCommitWork(repository + 1), TKS_INVALID_REPOSITORY);
    EXPECT_EQ(TKSRollbackWork(repository + 1), TKS_INVALID_REPOSITORY);
}

TEST_F(WorkTest, InMemoryRollbackToo) {
    ASSERT_EQ(TKSOpenRepository(":memory:", &repository), TKS_OK);
    ASSERT_EQ(TKSBeginWork(repository), TKS_OK);
    ASSERT_EQ(Create("GONE_TYPE"), TKS_OK);
    ASSERT_EQ(TKSRollbackWork(repository), TKS_OK);
    EXPECT_EQ(Find("GONE_TYPE"), TKS_NOT_FOUND);
    EXPECT_EQ(Find("BOOLEAN"), TKS_OK);
}

}  // namespace
}  // namespace repo_test
