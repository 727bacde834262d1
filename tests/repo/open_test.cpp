// Opening, creating and closing repositories; persistence across reopening.
#include <vector>

#include "repo_files.h"
#include "repo_fixture.h"

namespace repo_test {
namespace {

TEST(OpenRepository, NewFileGetsTheFiveSimpleTypes) {
    const std::string path = FreshFile("new.repo");
    TKSHandle repository;
    ASSERT_EQ(TKSOpenRepository(path.c_str(), &repository), TKS_OK);
    std::vector<std::pair<std::string, int32_t>> types;
    TKSHandle handle;
    TKSGetFirstDefinition(repository, TKS_KIND_TYPE, &handle, 0);
    for (; handle != TKS_NO_HANDLE; TKSGetNextDefinition(handle, 0, &handle, 1, 0)) {
        TypeDetails record;
        ASSERT_EQ(TKSGetDetails(handle, 0, &record, sizeof record), TKS_OK);
        EXPECT_EQ(record.typeClass, TKS_TYPE_CLASS_SIMPLE);
        types.emplace_back(record.name, record.simpleTypeCode);
    }
    EXPECT_EQ(types, (std::vector<std::pair<std::string, int32_t>>{
                         {"INTEGER", 4}, {"STRING", 2}, {"FLOAT", 6}, {"BINARY", 10}, {"BOOLEAN", 12}}));
    EXPECT_EQ(TKSCloseRepository(repository), TKS_OK);
    EXPECT_FALSE(ReadFileBytes(path).empty());
}

TEST(OpenRepository, ObjectsPersistAcrossReopening) {
    const std::string path = FreshFile("persist.repo");
    TKSHandle repository;
    ASSERT_EQ(TKSOpenRepository(path.c_str(), &repository), TKS_OK);
    TKSHandle integer, type, element;
    ASSERT_EQ(TKSFindDefinition(repository, TKS_KIND_TYPE, &integer, "INTEGER"), TKS_OK);
    TypeDetails typeRecord = TypeRecord("REC_TYPE");
    ElementDetails elementRecord = ElementRecord("count", integer);
    ASSERT_EQ(TKSCreateType(repository, &type, &typeRecord), TKS_OK);
    ASSERT_EQ(TKSCreateElement(repository, &element, &elementRecord), TKS_OK);
    MemberDetails member;
    ASSERT_EQ(TKSGetDefaultMemberDetails2(type, element, -1, &member, sizeof member), TKS_OK);
    member.repeating = 1;
    ASSERT_EQ(TKSInsertMember(type, element, -1, &member), TKS_OK);
    ASSERT_EQ(TKSSetMemberAttrValue(type, element, "Repeat Count", "10"), TKS_OK);
    ASSERT_EQ(TKSCloseRepository(repository), TKS_OK);
    EXPECT_EQ(TKSIsComplete(type), 0) << "handles of a closed repository name nothing";

    TKSHandle reopened;
    ASSERT_EQ(TKSOpenRepository(path.c_str(), &reopened), TKS_OK);
    EXPECT_EQ(reopened, repository) << "the same slot, so the same handles";
    TKSHandle found;
    ASSERT_EQ(TKSFindDefinition(reopened, TKS_KIND_TYPE, &found, "REC_TYPE"), TKS_OK);
    EXPECT_EQ(found, type);
    TKSHandle first;
    ASSERT_EQ(TKSGetNextDefinition(type, 0, &first, 3, 1), TKS_OK);
    EXPECT_EQ(first, element);
    ASSERT_EQ(TKSGetMemberDetails(type, element, &member, sizeof member), TKS_OK);
    EXPECT_EQ(member.repeating, 1);
    char value[16];
    ASSERT_EQ(TKSGetMemberAttrValue(type, element, "Repeat Count", value, sizeof value), TKS_OK);
    EXPECT_STREQ(value, "10");
    EXPECT_EQ(TKSCloseRepository(reopened), TKS_OK);
}

struct ForeignFile {
    const char* title;
    const char* bytes;
};

void PrintTo(const ForeignFile& c, std::ostream* out) { *out << c.title; }

class ForeignFileTest : public ::testing::TestWithParam<ForeignFile> {};

TEST_P(ForeignFileTest, IsRefusedAndLeftAlone) {
    const std::string path = FreshFile(std::string(GetParam().title) + ".repo");
    WriteFileBytes(path, GetParam().bytes);
    TKSHandle repository = 77;
    EXPECT_EQ(TKSOpenRepository(path.c_str(), &repository), TKS_NOT_A_REPOSITORY);
    EXPECT_EQ(repository, TKS_NO_HANDLE);
    EXPECT_EQ(ReadFileBytes(path), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ForeignFileTest,
    ::testing::Values(ForeignFile{"Text", "struct s { int a; };\n"}, ForeignFile{"Empty", ""},
                      ForeignFile{"DatabaseHeaderOnly", "SQLite format 3\0"},
                      ForeignFile{"Binary", "\x7f"
                                            "ELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00"}),
    [](const auto& info) { return std::string(info.param.title); });

TEST(OpenRepository, BadArgumentsAreRefused) {
    TKSHandle repository = 5;
    EXPECT_EQ(TKSOpenRepository(nullptr, &repository), TKS_NULL_ARGUMENT);
    EXPECT_EQ(TKSOpenRepository(":memory:", nullptr), TKS_NULL_ARGUMENT);
    EXPECT_EQ(TKSOpenRepository("", &repository), TKS_INVALID_NAME);
    EXPECT_EQ(repository, TKS_NO_HANDLE);
    EXPECT_EQ(TKSOpenRepository("no-such-directory/x.repo", &repository), TKS_STORAGE_FAILED);
}

TEST(OpenRepository, CloseNeedsAnOpenRepository) {
    TKSHandle repository;
    ASSERT_EQ(TKSOpenRepository(":memory:", &repository), TKS_OK);
    EXPECT_EQ(TKSCloseRepository(repository), TKS_OK);
    EXPECT_EQ(TKSCloseRepository(repository), TKS_INVALID_REPOSITORY);
    EXPECT_EQ(TKSCloseRepository(TKS_NO_HANDLE), TKS_INVALID_REPOSITORY);
    EXPECT_EQ(TKSCloseRepository(0x01000001u), TKS_INVALID_REPOSITORY);
}

TEST(OpenRepository, RepositoriesAreApart) {
    TKSHandle first, second;
    ASSERT_EQ(TKSOpenRepository(":memory:", &first), TKS_OK);
    ASSERT_EQ(TKSOpenRepository(":memory:", &second), TKS_OK);
    EXPECT_NE(first, second);
    TypeDetails record = TypeRecord("ONLY_HERE_TYPE");
    TKSHandle created, found;
    ASSERT_EQ(TKSCreateType(first, &created, &record), TKS_OK);
    EXPECT_EQ(TKSFindDefinition(second, TKS_KIND_TYPE, &found, "ONLY_HERE_TYPE"), TKS_NOT_FOUND);
    TKSHandle firstInteger, secondInteger;
    ASSERT_EQ(TKSFindDefinition(first, TKS_KIND_TYPE, &firstInteger, "INTEGER"), TKS_OK);
    ASSERT_EQ(TKSFindDefinition(second, TKS_KIND_TYPE, &secondInteger, "INTEGER"), TKS_OK);
    EXPECT_NE(firstInteger, secondInteger) << "object handles name their repository";
    EXPECT_EQ(TKSCloseRepository(first), TKS_OK);
    EXPECT_EQ(TKSIsComplete(secondInteger), 1);
    EXPECT_EQ(TKSCloseRepository(second), TKS_OK);
}

TEST(OpenRepository, AtMost255AreOpenAtOnce) {
    std::vector<TKSHandle> open;
    TKSHandle repository = TKS_NO_HANDLE;
    while (open.size() < 300 && TKSOpenRepository(":memory:", &repository) == TKS_OK) open.push_back(repository);
    EXPECT_EQ(open.size(), 255u);
    EXPECT_EQ(TKSOpenRepository(":memory:", &repository), TKS_REPOSITORY_FULL);
    for (TKSHandle handle : open) EXPECT_EQ(TKSCloseRepository(handle), TKS_OK);
    ASSERT_EQ(TKSOpenRepository(":memory:", &repository), TKS_OK);
    EXPECT_EQ(TKSCloseRepository(repository), TKS_OK);
}

}  // namespace
}  // namespace repo_test
