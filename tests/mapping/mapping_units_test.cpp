// What no header reaches through the parser: attribute values read back as
// decimals, the attributes of a member at file scope, the signedness of binary
// data, and the verdicts of a comparison called with a verdict already set.
#include <gtest/gtest.h>

#include <climits>

#include "cimp/mapping/mapper.h"
#include "cimp/mapping/mapping.h"
#include "cimp/mapping/names.h"
#include "repository_double.h"
#include "store_api.h"

namespace cimp::mapping {
namespace {

TEST(MappingDecimals, ReadLikeTheRepositoryTexts) {
    const std::pair<const char*, int32_t> cases[] = {
        {"12", 12}, {" \t\n\v\f\r12x", 12}, {"-7", -7}, {"+3", 3}, {"- 4", 0}, {"0019", 19},
        {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN}, {"-2147483648", INT32_MIN}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseDecimal(text), value) << text;
}

// Binary data has no signedness, whatever the declaration said.
TEST(MappingUnits, MemberAtFileScopeGetsNoRepeatCountBinaryNoSignedness) {
    DeclNode member, parent, binary;
    member.typeName = binary.typeName = "char";
    member.isSigned = binary.isSigned = 0;
    binary.length = 16;
    member.repeatCount = 3;
    member.level = 1;
    repo_double::Reset();
    repo_double::ArmFault("SetMemberAttrValue", 1, 0, "", true);  // taken, not stored
    ImportContext context(0, "", "", true, nullptr, nullptr);
    Mapper mapper(context);
    mapper.ClassifyBaseType(member);
    mapper.ClassifyBaseType(binary);
    EXPECT_EQ(binary.isSigned, kSignNotApplicable);
    EXPECT_EQ(mapper.SetMemberAttributes(5, &member, 6, &parent), 0);
    EXPECT_EQ(repo_double::Log(), (std::vector<std::string>{"SetMemberAttrValue Physical Type 1",
                                                            "SetMemberAttrValue Length 1",
                                                            "SetMemberAttrValue Signed 0"}));
}

TEST(MappingUnits, ComparisonsSetTheirVerdictWhateverItWas) {
    DeclNode structure, member;
    structure.name = structure.tag = structure.typeName = "S";
    structure.kind = kStructureNode;
    structure.level = 1;
    structure.firstChild = &member;
    member.name = "a";
    member.typeName = "int";
    member.level = 2;
    repo_double::Reset();
    TKSHandle repository = 0;
    ASSERT_EQ(tks::api::OpenRepository(":memory:", &repository), 0);
    ImportContext context(repository, "", "", true, nullptr, nullptr);
    ASSERT_EQ(ImportStructures(context, &structure), 0);
    Mapper mapper(context);
    const TKSHandle type = static_cast<TKSHandle>(structure.typeHandle);
    bool same = false;
    EXPECT_EQ(
        mapper.CompareMember(member, type, static_cast<TKSHandle>(member.elementHandle), same), 0);
    EXPECT_TRUE(same);
    same = false;
    EXPECT_EQ(mapper.CompareTypeMembers(structure, type, same), 0);
    EXPECT_TRUE(same);
    tks::api::CloseRepository(repository);
}

}  // namespace
}  // namespace cimp::mapping
