// Finding objects by kind and name.
#include <cstring>

#include "repo_fixture.h"

namespace repo_test {
namespace {

struct FindCase {
    int32_t kind;
    const char* name;
    int32_t expected;
};

void PrintTo(const FindCase& c, std::ostream* out) { *out << c.kind << " \"" << c.name << '"'; }

class FindTest : public RepositoryTest, public ::testing::WithParamInterface<FindCase> {
protected:
    void SetUp() override {
        RepositoryTest::SetUp();
        MakeElement("count", Simple("INTEGER"));
        MakeLength("NAME_LEN", 10);
    }
};

TEST_P(FindTest, AnswersByKindAndName) {
    TKSHandle found = 99;
    EXPECT_EQ(TKSFindDefinition(repository, GetParam().kind, &found, GetParam().name), GetParam().expected);
    EXPECT_EQ(found != TKS_NO_HANDLE, GetParam().expected == TKS_OK);
    if (GetParam().expected == TKS_OK) {
        EXPECT_EQ(Identifier(found), GetParam().name);
    }
}

INSTANTIATE_TEST_SUITE_P(Names, FindTest,
                         ::testing::Values(FindCase{TKS_KIND_TYPE, "INTEGER", TKS_OK},
                                           FindCase{TKS_KIND_TYPE, "BOOLEAN", TKS_OK},
                                           FindCase{TKS_KIND_ELEMENT, "count", TKS_OK},
                                           FindCase{TKS_KIND_LENGTH, "NAME_LEN", TKS_OK},
                                           FindCase{TKS_KIND_ELEMENT, "INTEGER", TKS_NOT_FOUND},
                                           FindCase{TKS_KIND_TYPE, "count", TKS_NOT_FOUND},
                                           FindCase{TKS_KIND_TYPE, "integer", TKS_NOT_FOUND},
                                           FindCase{TKS_KIND_ELEMENT, "Count", TKS_NOT_FOUND},
                                           FindCase{TKS_KIND_TYPE, "MISSING", TKS_NOT_FOUND},
                                           FindCase{TKS_KIND_TYPE, "", TKS_NOT_FOUND},
                                           FindCase{105, "INTEGER", TKS_INVALID_KIND}));

TEST_F(FindTest, NameMustEndWithinItsField) {
    char name[300];
    std::memset(name, 'A', sizeof name);
    name[TKS_NAME_SIZE] = '\0';  // 256 letters: one too many
    TKSHandle found;
    EXPECT_EQ(TKSFindDefinition(repository, TKS_KIND_TYPE, &found, name), TKS_INVALID_NAME);
    name[TKS_NAME_SIZE - 1] = '\0';
    EXPECT_EQ(TKSFindDefinition(repository, TKS_KIND_TYPE, &found, name), TKS_NOT_FOUND);
}

TEST_F(FindTest, BadArgumentsAreRefused) {
    TKSHandle found = 5;
    EXPECT_EQ(TKSFindDefinition(repository, TKS_KIND_TYPE, nullptr, "INTEGER"), TKS_NULL_ARGUMENT);
    EXPECT_EQ(TKSFindDefinition(repository, TKS_KIND_TYPE, &found, nullptr), TKS_NULL_ARGUMENT);
    EXPECT_EQ(TKSFindDefinition(TKS_NO_HANDLE, TKS_KIND_TYPE, &found, "INTEGER"), TKS_INVALID_REPOSITORY);
    EXPECT_EQ(found, TKS_NO_HANDLE);
}

}  // namespace
}  // namespace repo_test
