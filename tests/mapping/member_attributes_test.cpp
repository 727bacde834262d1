// The CWF attributes set on a membership from the member's declaration.
#include <cstdio>

#include "cimp/mapping/mapper.h"
#include "mapping_fixture.h"

namespace mapping_test {
namespace {

using Lines = std::vector<std::string>;
using repo_double::Call;

struct AttributeCase {
    const char* title;
    int32_t physicalType;
    const char* code;
    int32_t length;
    int32_t isSigned;
    int32_t repeat;
    int32_t level;
    Lines calls;
};

class MemberAttributesTest : public MappingTest {
protected:
    void SetUp() override {
        MappingTest::SetUp();
        context_ = NewContext();
        mapper_ = std::make_unique<cimp::mapping::Mapper>(*context_);
    }
    DeclNode Member(const AttributeCase& c) {
        DeclNode node;
        node.physicalType = c.physicalType;
        std::snprintf(node.physicalTypeCode, sizeof node.physicalTypeCode, "%s", c.code);
        node.length = c.length;
        node.isSigned = c.isSigned;
        node.repeatCount = c.repeat;
        node.level = c.level;
        return node;
    }
    std::unique_ptr<cimp::ImportContext> context_;
    std::unique_ptr<cimp::mapping::Mapper> mapper_;
    DeclNode parent_;
};

TEST_F(MemberAttributesTest, SetsTheApplicableAttributesInOrder) {
    const AttributeCase cases[] = {
        {"signed integer", 1, "1", 4, 1, 0, 2,
         {"SetMemberAttrValue Physical Type=1", "SetMemberAttrValue Length=4", "SetMemberAttrValue Signed=1"}},
        {"unsigned integer array", 1, "1", 4, 0, 12, 2,
         {"SetMemberAttrValue Physical Type=1", "SetMemberAttrValue Repeat Count=12", "SetMemberAttrValue Length=4",
          "SetMemberAttrValue Signed=0"}},
        {"character string", 3, "8", 10, -1, 0, 2,
         {"SetMemberAttrValue Physical Type=8", "SetMemberAttrValue Length=10"}},
        {"structure array", 7, "", 0, -1, 2, 2, {"SetMemberAttrValue Repeat Count=2"}},
        {"structure", 7, "", 0, -1, 0, 2, {}},
        {"binary", 4, "10", 16, 0, 0, 2, {"SetMemberAttrValue Physical Type=10", "SetMemberAttrValue Length=16"}},
        {"float", 2, "3", 8, 1, 0, 2,
         {"SetMemberAttrValue Physical Type=3", "SetMemberAttrValue Length=8", "SetMemberAttrValue Signed=1"}},
        {"array at level 1", 1, "1", 4, 1, 3, 1,
         {"SetMemberAttrValue Physical Type=1", "SetMemberAttrValue Length=4", "SetMemberAttrValue Signed=1"}},
        {"negative length", 1, "1", -7, 5, 0, 2,
         {"SetMemberAttrValue Physical Type=1", "SetMemberAttrValue Length=-7", "SetMemberAttrValue Signed=1"}},
    };
    for (const AttributeCase& c : cases) {
        repo_double::Reset();
        repo_double::ArmFaultFrom(Call::SetMemberAttrValue, 1, 0);  // accepted without reaching the store
        const DeclNode member = Member(c);
        EXPECT_EQ(mapper_->SetMemberAttributes(5, &member, 6, &parent_), 0) << c.title;
        EXPECT_EQ(repo_double::Texts(Call::SetMemberAttrValue), c.calls) << c.title;
        EXPECT_TRUE(messages_.empty()) << c.title;
    }
}

TEST_F(MemberAttributesTest, RefusalIsReportedCountedAndStopsTheMember) {
    struct Case {
        int refusedCall;
        int32_t code;
        std::string message;
        int callsMade;
    };
    const Case cases[] = {
        {1, -80, "Error: Failed to set the CWF attribute Physical Type - invalid attribute value.", 1},
        {2, -78, "Error: Failed to set the CWF attribute Repeat Count - invalid attribute name.", 2},
        {3, -5, "Error: Failed to set the CWF attribute Length.", 3},
        {4, -33, "Error: Failed to set the CWF attribute Signed.", 4},
    };
    const AttributeCase full{"", 1, "1", 4, 0, 12, 2, {}};
    for (const Case& c : cases) {
        repo_double::Reset();
        messages_.clear();
        context_->errorCount = 0;
        repo_double::ArmFault(Call::SetMemberAttrValue, c.refusedCall, c.code);
        repo_double::ArmFaultFrom(Call::SetMemberAttrValue, 1, 0);
        const DeclNode member = Member(full);
        EXPECT_EQ(mapper_->SetMemberAttributes(5, &member, 6, &parent_), c.code);
        EXPECT_EQ(messages_, (Lines{c.message}));
        EXPECT_EQ(context_->errorCount, 1);
        EXPECT_EQ(repo_double::Count(Call::SetMemberAttrValue), c.callsMade);
    }
}

TEST_F(MemberAttributesTest, MissingMemberOrParentSetsNothing) {
    const DeclNode member = Member({"", 1, "1", 4, 1, 0, 2, {}});
    EXPECT_EQ(mapper_->SetMemberAttributes(5, nullptr, 6, &parent_), -1);
    EXPECT_EQ(mapper_->SetMemberAttributes(5, &member, 6, nullptr), -1);
    EXPECT_EQ(repo_double::Count(Call::SetMemberAttrValue), 0);
}

TEST_F(MemberAttributesTest, RefusedAttributeLeavesTheMemberInserted) {
    repo_double::ArmFault(Call::SetMemberAttrValue, 1, -80);
    const Lines messages = Import(tree_.Top({tree_.Struct("S", {tree_.Member("a", "int"), tree_.Member("b", "int")})}));
    EXPECT_EQ(messages.at(5), "Inserted Element a into Type S_TYPE.");
    EXPECT_EQ(messages.at(6), "Error: Failed to set the CWF attribute Physical Type - invalid attribute value.");
    EXPECT_EQ(messages.at(7), "Inserted Element b into Type S_TYPE.");
    EXPECT_EQ(messages.at(8), "C Structure S successfully imported.");
    EXPECT_EQ(MemberNames("S_TYPE"), (Lines{"a", "b"}));
    EXPECT_EQ(Attribute("S_TYPE", "b", "Length"), "4");
    EXPECT_EQ(counters_, (Counters{1, 1, 2, 1}));
}

}  // namespace
}  // namespace mapping_test
