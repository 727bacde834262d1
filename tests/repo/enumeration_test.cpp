// Walking objects of a kind and the members of a Type.
#include <vector>

#include "repo_fixture.h"

namespace repo_test {
namespace {

class EnumerationTest : public RepositoryTest {
protected:
    std::vector<std::string> NamesOfKind(int32_t kind) {
        std::vector<std::string> names;
        TKSHandle handle = 99;
        EXPECT_EQ(TKSGetFirstDefinition(repository, kind, &handle, 0), TKS_OK);
        while (handle != TKS_NO_HANDLE && names.size() < 100) {
            names.push_back(Identifier(handle));
            EXPECT_EQ(TKSGetNextDefinition(handle, 0, &handle, 1, 0), TKS_OK);
        }
        return names;
    }
    std::vector<TKSHandle> Members(TKSHandle type) {
        std::vector<TKSHandle> members;
        TKSHandle member = TKS_NO_HANDLE;
        int32_t result = TKSGetNextDefinition(type, 0, &member, 3, 1);
        while (result == TKS_OK && member != TKS_LAST_MEMBER && members.size() < 100) {
            members.push_back(member);
            result = TKSGetNextDefinition(member, type, &member, 1, 1);
        }
        EXPECT_EQ(result, members.empty() ? TKS_NOT_FOUND : TKS_OK);
        return members;
    }
};

TEST_F(EnumerationTest, TypesComeInCreationOrder) {
    MakeType("Z_TYPE");
    MakeType("A_TYPE");
    MakeElement("between", Simple("INTEGER"));
    MakeType("M_TYPE");
    EXPECT_EQ(NamesOfKind(TKS_KIND_TYPE), (std::vector<std::string>{"INTEGER", "STRING", "FLOAT", "BINARY",
                                                                    "BOOLEAN", "Z_TYPE", "A_TYPE", "M_TYPE"}));
}

TEST_F(EnumerationTest, OtherKindsToo) {
    MakeLength("B_LEN", 2);
    MakeElement("e", 0);
    MakeLength("A_LEN", 1);
    EXPECT_EQ(NamesOfKind(TKS_KIND_LENGTH), (std::vector<std::string>{"B_LEN", "A_LEN"}));
    EXPECT_EQ(NamesOfKind(TKS_KIND_ELEMENT), (std::vector<std::string>{"e"}));
}

TEST_F(EnumerationTest, EmptyKindGivesNoHandle) { EXPECT_TRUE(NamesOfKind(TKS_KIND_LENGTH).empty()); }

TEST_F(EnumerationTest, DeletedObjectsAreSkipped) {
    MakeType("A_TYPE");
    ASSERT_EQ(TKSDelete(MakeType("B_TYPE")), TKS_OK);
    MakeType("C_TYPE");
    const std::vector<std::string> names = NamesOfKind(TKS_KIND_TYPE);
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names[5], "A_TYPE");
    EXPECT_EQ(names[6], "C_TYPE");
}

TEST_F(EnumerationTest, FirstDefinitionRefusesBadArguments) {
    TKSHandle first = 3;
    EXPECT_EQ(TKSGetFirstDefinition(repository, TKS_KIND_TYPE, nullptr, 0), TKS_NULL_ARGUMENT);
    EXPECT_EQ(TKSGetFirstDefinition(repository, 200, &first, 0), TKS_INVALID_KIND);
    EXPECT_EQ(TKSGetFirstDefinition(TKS_NO_HANDLE, TKS_KIND_TYPE, &first, 0), TKS_INVALID_REPOSITORY);
    EXPECT_EQ(first, TKS_NO_HANDLE);
}

TEST_F(EnumerationTest, MembersComeInInsertionOrder) {
    const TKSHandle type = MakeType("REC_TYPE");
    const TKSHandle c = MakeElement("c", Simple("INTEGER"));
    const TKSHandle a = MakeElement("a", Simple("FLOAT"));
    const TKSHandle b = MakeElement("b", Simple("BOOLEAN"));
    Insert(type, a);
    Insert(type, c);
    Insert(type, b);
    EXPECT_EQ(Members(type), (std::vector<TKSHandle>{a, c, b}));
}

TEST_F(EnumerationTest, TypeWithoutMembersIsNotFound) {
    const TKSHandle type = MakeType("EMPTY_TYPE");
    TKSHandle member = 7;
    EXPECT_EQ(TKSGetNextDefinition(type, 0, &member, 3, 1), TKS_NOT_FOUND);
    EXPECT_EQ(member, TKS_NO_HANDLE);
    EXPECT_EQ(TKSGetNextDefinition(Simple("INTEGER"), 0, &member, 3, 1), TKS_NOT_FOUND);
}

TEST_F(EnumerationTest, AnElementInTwoTypesFollowsEachTypesOrder) {
    const TKSHandle first = MakeType("ONE_TYPE");
    const TKSHandle second = MakeType("TWO_TYPE");
    const TKSHandle shared = MakeElement("shared", Simple("INTEGER"));
    const TKSHandle other = MakeElement("other", Simple("INTEGER"));
    Insert(first, shared);
    Insert(first, other);
    Insert(second, other);
    Insert(second, shared);
    EXPECT_EQ(Members(first), (std::vector<TKSHandle>{shared, other}));
    EXPECT_EQ(Members(second), (std::vector<TKSHandle>{other, shared}));
}

TEST_F(EnumerationTest, NextMemberNeedsAMemberOfTheType) {
    const TKSHandle type = MakeType("REC_TYPE");
    const TKSHandle member = MakeElement("member", Simple("INTEGER"));
    const TKSHandle stranger = MakeElement("stranger", Simple("INTEGER"));
    Insert(type, member);
    TKSHandle next = 9;
    EXPECT_EQ(TKSGetNextDefinition(stranger, type, &next, 1, 1), TKS_NOT_FOUND);
    EXPECT_EQ(TKSGetNextDefinition(member, member, &next, 1, 1), TKS_WRONG_KIND);
    EXPECT_EQ(TKSGetNextDefinition(member, TKS_NO_HANDLE, &next, 1, 1), TKS_NOT_FOUND);
    EXPECT_EQ(TKSGetNextDefinition(member, 0, &next, 3, 1), TKS_WRONG_KIND);
    EXPECT_EQ(next, TKS_NO_HANDLE);
}

struct ModeCase {
    TKSHandle parentOffset;  // 0: no parent; 1: the Type
    int32_t mode;
    int32_t flag;
};

void PrintTo(const ModeCase& c, std::ostream* out) {
    *out << (c.parentOffset ? "with parent" : "no parent") << " mode " << c.mode << " flag " << c.flag;
}

class EnumerationModeTest : public EnumerationTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(EnumerationModeTest, UnknownModesAreRefused) {
    const TKSHandle type = MakeType("REC_TYPE");
    const TKSHandle element = MakeElement("e", Simple("INTEGER"));
    Insert(type, element);
    const TKSHandle current = GetParam().parentOffset ? element : type;
    const TKSHandle parent = GetParam().parentOffset ? type : TKS_NO_HANDLE;
    TKSHandle next = 4;
    EXPECT_EQ(TKSGetNextDefinition(current, parent, &next, GetParam().mode, GetParam().flag), TKS_INVALID_MODE);
    EXPECT_EQ(next, TKS_NO_HANDLE);
}

INSTANTIATE_TEST_SUITE_P(Modes, EnumerationModeTest,
                         ::testing::Values(ModeCase{0, 3, 0}, ModeCase{0, 2, 1}, ModeCase{0, 0, 0},
                                           ModeCase{1, 3, 1}, ModeCase{1, 1, 0}, ModeCase{1, 1, 2}));

TEST_F(EnumerationTest, NullOutputIsRefused) {
    EXPECT_EQ(TKSGetNextDefinition(Simple("INTEGER"), 0, nullptr, 1, 0), TKS_NULL_ARGUMENT);
}

TEST_F(EnumerationTest, NextOfAnUnknownObjectIsNotFound) {
    TKSHandle next = 1;
    EXPECT_EQ(TKSGetNextDefinition(Simple("BOOLEAN") + 50, 0, &next, 1, 0), TKS_NOT_FOUND);
    EXPECT_EQ(next, TKS_NO_HANDLE);
}

}  // namespace
}  // namespace repo_test
