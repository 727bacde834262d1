// Inserting Elements into Types and reading the memberships.
#include <cstring>

#include "repo_fixture.h"

namespace repo_test {
namespace {

class MemberTest : public TypeAndElementTest {
protected:
    MemberDetails Defaults() {
        MemberDetails record;
        EXPECT_EQ(TKSGetDefaultMemberDetails2(type, element, -1, &record, sizeof record), TKS_OK);
        return record;
    }
};

TEST_F(MemberTest, DefaultsAreASingleMember) {
    const MemberDetails record = Defaults();
    EXPECT_EQ(record.memberFlag, 1);
    EXPECT_EQ(record.repeating, 0);
}

TEST_F(MemberTest, InsertKeepsTheRecordsFlags) {
    MemberDetails record = Defaults();
    record.repeating = 1;
    ASSERT_EQ(TKSInsertMember(type, element, -1, &record), TKS_OK);
    MemberDetails read;
    std::memset(&read, 0x5A, sizeof read);
    ASSERT_EQ(TKSGetMemberDetails(type, element, &read, sizeof read), TKS_OK);
    EXPECT_EQ(read.memberFlag, 1);
    EXPECT_EQ(read.repeating, 1);
}

TEST_F(MemberTest, SecondInsertIsAlreadyAMember) {
    MemberDetails record = Defaults();
    ASSERT_EQ(TKSInsertMember(type, element, -1, &record), TKS_OK);
    EXPECT_EQ(TKSInsertMember(type, element, -1, &record), TKS_ALREADY_MEMBER);
    TKSHandle member;
    ASSERT_EQ(TKSGetNextDefinition(type, 0, &member, 3, 1), TKS_OK);
    ASSERT_EQ(TKSGetNextDefinition(member, type, &member, 1, 1), TKS_OK);
    EXPECT_EQ(member, TKS_LAST_MEMBER) << "the refused insert added nothing";
}

struct MemberCase {
    const char* title;
    int32_t expected;
};

void PrintTo(const MemberCase& c, std::ostream* out) { *out << c.title; }

// Each case spoils one argument of both the defaults call and the insert.
class MemberArgumentTest : public MemberTest, public ::testing::WithParamInterface<MemberCase> {
protected:
    void Spoil(TKSHandle& typeArgument, TKSHandle& elementArgument, int32_t& position) {
        const std::string title = GetParam().title;
        if (title == "SimpleType") typeArgument = Simple("INTEGER");
        if (title == "TypeIsAnElement") typeArgument = element;
        if (title == "ElementIsAType") elementArgument = MakeType("OTHER_TYPE");
        if (title == "ElementUnknown") elementArgument = element + 100;
        if (title == "TypeUnknown") typeArgument = 0;
        if (title == "PositionZero") position = 0;
        if (title == "PositionTwo") position = 2;
    }
};

TEST_P(MemberArgumentTest, DefaultsAndInsertAgree) {
    TKSHandle typeArgument = type;
    TKSHandle elementArgument = element;
    int32_t position = -1;
    MemberDetails record = Defaults();
    Spoil(typeArgument, elementArgument, position);
    MemberDetails defaults;
    EXPECT_EQ(TKSGetDefaultMemberDetails2(typeArgument, elementArgument, position, &defaults, sizeof defaults),
              GetParam().expected);
    EXPECT_EQ(TKSInsertMember(typeArgument, elementArgument, position, &record), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Arguments, MemberArgumentTest,
                         ::testing::Values(MemberCase{"Sound", TKS_OK}, MemberCase{"SimpleType", TKS_INVALID_TYPE},
                                           MemberCase{"TypeIsAnElement", TKS_WRONG_KIND},
                                           MemberCase{"ElementIsAType", TKS_WRONG_KIND},
                                           MemberCase{"ElementUnknown", TKS_NOT_FOUND},
                                           MemberCase{"TypeUnknown", TKS_NOT_FOUND},
                                           MemberCase{"PositionZero", TKS_INVALID_POSITION},
                                           MemberCase{"PositionTwo", TKS_INVALID_POSITION}),
                         [](const auto& info) { return std::string(info.param.title); });

TEST_F(MemberTest, RecordsAreChecked) {
    MemberDetails record;
    EXPECT_EQ(TKSGetDefaultMemberDetails2(type, element, -1, &record, sizeof record - 1), TKS_RECORD_TOO_SMALL);
    EXPECT_EQ(TKSGetDefaultMemberDetails2(type, element, -1, nullptr, sizeof record), TKS_NULL_ARGUMENT);
    EXPECT_EQ(TKSInsertMember(type, element, -1, nullptr), TKS_NULL_ARGUMENT);
    std::memset(&record, 0, sizeof record);
    EXPECT_EQ(TKSInsertMember(type, element, -1, &record), TKS_INVALID_RECORD);
    TypeDetails typeRecord = TypeRecord("T");
    EXPECT_EQ(TKSInsertMember(type, element, -1, &typeRecord), TKS_INVALID_RECORD);
    TKSHandle member;
    EXPECT_EQ(TKSGetNextDefinition(type, 0, &member, 3, 1), TKS_NOT_FOUND);
}

TEST_F(MemberTest, MemberDetailsNeedAMembership) {
    MemberDetails record;
    EXPECT_EQ(TKSGetMemberDetails(type, element, &record, sizeof record), TKS_NOT_FOUND);
    Insert(type, element);
    EXPECT_EQ(TKSGetMemberDetails(type, element, &record, sizeof record - 1), TKS_RECORD_TOO_SMALL);
    EXPECT_EQ(TKSGetMemberDetails(type, element, nullptr, sizeof record), TKS_NULL_ARGUMENT);
    EXPECT_EQ(TKSGetMemberDetails(element, type, &record, sizeof record), TKS_WRONG_KIND);
    EXPECT_EQ(TKSGetMemberDetails(type, element, &record, sizeof record), TKS_OK);
}

TEST_F(MemberTest, ElementOfAnotherRepositoryIsNotFound) {
    TKSHandle other;
    ASSERT_EQ(TKSOpenRepository(":memory:", &other), TKS_OK);
    ElementDetails record = ElementRecord("foreign", 0);
    TKSHandle foreign;
    ASSERT_EQ(TKSCreateElement(other, &foreign, &record), TKS_OK);
    MemberDetails member = Defaults();
    EXPECT_EQ(TKSInsertMember(type, foreign, -1, &member), TKS_NOT_FOUND);
    EXPECT_EQ(TKSGetMemberDetails(type, foreign, &member, sizeof member), TKS_NOT_FOUND);
    EXPECT_EQ(TKSCloseRepository(other), TKS_OK);
}

TEST_F(MemberTest, TypeMayHoldAnElementOfItself) {
    const TKSHandle self = MakeElement("self", type);
    Insert(type, self);
    EXPECT_EQ(TKSIsComplete(type), 1);
}

}  // namespace
}  // namespace repo_test
