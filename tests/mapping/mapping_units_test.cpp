// What no header reaches through the parser: attribute values read back as
// decimals, names of other lengths, the attributes of a member at file scope,
// signedness that does not apply, and comparisons called with a verdict set.
#include <gtest/gtest.h>

#include <climits>

#include "cimp/mapping/mapper.h"
#include "cimp/mapping/mapping.h"
#include "cimp/mapping/names.h"
#include "repository_double.h"
#include "store_api.h"

namespace cimp::mapping {
namespace {

TEST(MappingNames, DecimalsReadLikeTheRepositoryTextsAndNamesCompare) {
    const std::pair<const char*, int32_t> cases[] = {
        {"12", 12}, {" \t\n\v\f\r12x", 12}, {"-7", -7}, {"+3", 3}, {"- 4", 0}, {"0019", 19},
        {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN}, {"-2147483648", INT32_MIN}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseDecimal(text), value) << text;
    EXPECT_FALSE(EqualIgnoringCase("S_TYPE", "S_TYPES"));
    ElementDetails record{};  // a name too long leaves the record as it was
    EXPECT_FALSE(SetRecordNames(record, std::string(kMaxNameLength + 1, 'a')));
    EXPECT_TRUE(SetRecordNames(record, std::string(kMaxNameLength, 'a')));
    EXPECT_TRUE(SetRecordNames(record, "b"));
    EXPECT_EQ(RecordName(record.name) + RecordName(record.secondName), "bb");
}

TEST(MappingUnits, MemberAtFileScopeGetsNoRepeatCount) {
    DeclNode member{
        .name = "", .tag = "", .typeName = "char", .repeatCount = 3, .isSigned = 0, .level = 1};
    DeclNode parent;
    repo_double::Reset();
    repo_double::ArmFault("SetMemberAttrValue", 1, 0, "", true);  // taken, not stored
    ImportContext context(0, "", "", true, nullptr, nullptr);
    Mapper mapper(context);
    mapper.ClassifyBaseType(member);
    // Strings, binary data and structures have no signedness, whatever was declared.
    for (const auto& [type, isSigned] : {std::pair{"char", 1}, {"char", 0}, {"addr", 1}}) {
        DeclNode node{.name = "", .tag = "", .typeName = type, .length = 16, .isSigned = isSigned};
        mapper.ClassifyBaseType(node);
        EXPECT_EQ(node.isSigned, kSignNotApplicable) << type << isSigned;
    }
    EXPECT_EQ(mapper.SetMemberAttributes(5, nullptr, 6, &parent), kMappingFailure);
    EXPECT_EQ(mapper.SetMemberAttributes(5, &member, 6, &parent), 0);
    EXPECT_EQ(repo_double::Log(), (std::vector<std::string>{"SetMemberAttrValue Physical Type 1",
                                                            "SetMemberAttrValue Length 1",
                                                            "SetMemberAttrValue Signed 0"}));
}

TEST(MappingUnits, ComparisonsSetTheirVerdictWhateverItWas) {
    DeclNode member{.name = "a", .tag = "", .typeName = "int", .level = 2};
    DeclNode structure{.name = "S", .tag = "S", .typeName = "S", .level = 1, .kind = kStructureNode,
                       .firstChild = &member};
    repo_double::Reset();
    TKSHandle repository = 0;
    ASSERT_EQ(tks::api::OpenRepository(":memory:", &repository), 0);
    ImportContext context(repository, "", "", true, nullptr, nullptr);
    ASSERT_EQ(ImportStructures(context, &structure), 0);
    Mapper mapper(context);
    const TKSHandle type = static_cast<TKSHandle>(structure.typeHandle);
    const TKSHandle element = static_cast<TKSHandle>(member.elementHandle);
    bool same = false;
    EXPECT_EQ(mapper.CompareMember(member, type, element, same), 0);
    EXPECT_TRUE(same);
    same = false;
    EXPECT_EQ(mapper.CompareTypeMembers(structure, type, same), 0);
    EXPECT_TRUE(same);
    member.physicalType = kClassString;  // compared as a string: its justification differs
    member.justification[0] = 'R';
    EXPECT_EQ(mapper.CompareMember(member, type, element, same), 0);
    EXPECT_FALSE(same);
    tks::api::CloseRepository(repository);
}

}  // namespace
}  // namespace cimp::mapping
