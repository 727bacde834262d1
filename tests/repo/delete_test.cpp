// Deleting objects, and the refusals for objects still referenced.
#include <vector>

#include "repo_fixture.h"

namespace repo_test {
namespace {

class DeleteTest : public RepositoryTest {
protected:
    void SetUp() override {
        RepositoryTest::SetUp();
        length = MakeLength("NAME_LEN", 12);
        type = MakeType("REC_TYPE");
        member = MakeElement("name", Simple("STRING"), length);
        Insert(type, member);
        user = MakeElement("rec", type);
    }

public:  // the refusal cases name these
    TKSHandle length = TKS_NO_HANDLE;
    TKSHandle type = TKS_NO_HANDLE;
    TKSHandle member = TKS_NO_HANDLE;
    TKSHandle user = TKS_NO_HANDLE;  // an Element of Type REC_TYPE
};

struct RefusalCase {
    const char* title;
    TKSHandle DeleteTest::*object;
};

void PrintTo(const RefusalCase& refusal, std::ostream* out) { *out << refusal.title; }

class DeleteRefusalTest : public DeleteTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(DeleteRefusalTest, ReferencedObjectStays) {
    const TKSHandle object = this->*GetParam().object;
    const std::string name = Identifier(object);
    EXPECT_EQ(TKSDelete(object), TKS_IN_USE);
    EXPECT_EQ(Identifier(object), name);
    MemberDetails details;
    EXPECT_EQ(TKSGetMemberDetails(type, member, &details, sizeof details), TKS_OK);
    char justification[4];
    EXPECT_EQ(TKSGetMemberAttrValue(type, member, "String Justification", justification, 4), TKS_OK);
}

INSTANTIATE_TEST_SUITE_P(References, DeleteRefusalTest,
                         ::testing::Values(RefusalCase{"ElementIsAMember", &DeleteTest::member},
                                           RefusalCase{"TypeOfAnElement", &DeleteTest::type},
                                           RefusalCase{"LengthOfAnElement", &DeleteTest::length}),
                         [](const auto& info) { return std::string(info.param.title); });

TEST_F(DeleteTest, SimpleTypeInUseStays) { EXPECT_EQ(TKSDelete(Simple("STRING")), TKS_IN_USE); }

TEST_F(DeleteTest, DeletedObjectIsGone) {
    ASSERT_EQ(TKSDelete(user), TKS_OK);
    ElementDetails record;
    EXPECT_EQ(TKSGetDetails(user, 0, &record, sizeof record), TKS_NOT_FOUND);
    TKSHandle found;
    EXPECT_EQ(TKSFindDefinition(repository, TKS_KIND_ELEMENT, &found, "rec"), TKS_NOT_FOUND);
    EXPECT_EQ(TKSDelete(user), TKS_NOT_FOUND);
    EXPECT_EQ(MakeElement("rec", type) == user, false) << "the name is free again, the handle is not reused";
}

TEST_F(DeleteTest, TypeGoesWithItsMemberships) {
    ASSERT_EQ(TKSDelete(user), TKS_OK);
    ASSERT_EQ(TKSDelete(type), TKS_OK);
    MemberDetails details;
    EXPECT_EQ(TKSGetMemberDetails(type, member, &details, sizeof details), TKS_NOT_FOUND);
    EXPECT_EQ(TKSDelete(member), TKS_OK) << "no longer a member of anything";
    EXPECT_EQ(TKSDelete(length), TKS_OK) << "no longer used by an Element";
}

TEST_F(DeleteTest, NewTypeOfTheSameNameStartsEmpty) {
    ASSERT_EQ(TKSDelete(user), TKS_OK);
    ASSERT_EQ(TKSDelete(type), TKS_OK);
    const TKSHandle again = MakeType("REC_TYPE");
    TKSHandle first;
    EXPECT_EQ(TKSGetNextDefinition(again, 0, &first, 3, 1), TKS_NOT_FOUND);
}

TEST_F(DeleteTest, UnknownHandlesAreNotFound) {
    EXPECT_EQ(TKSDelete(TKS_NO_HANDLE), TKS_NOT_FOUND);
    EXPECT_EQ(TKSDelete(repository), TKS_NOT_FOUND);
    EXPECT_EQ(TKSDelete(user + 1000), TKS_NOT_FOUND);
}

}  // namespace
}  // namespace repo_test
