// The walk over whole trees: messages in order, counters, and what the
// repository holds afterwards.
#include "mapping_fixture.h"

namespace mapping_test {
namespace {

using Lines = std::vector<std::string>;
using repo_double::Call;

class StructureWalkTest : public MappingTest {};

TEST_F(StructureWalkTest, FirstImportCreatesTypeElementsLengthsAndInsertsMembers) {
    DeclNode* root = tree_.Top({tree_.Struct("S", {tree_.Member("a", "int"), tree_.Member("name", "char", 0, 20)})});
    EXPECT_EQ(Import(root), (Lines{
                                "Created Length DEFAULT_CHAR_LEN.",
                                "Importing C structure S.",
                                "Created Element a.",
                                "Created Length NAME_LEN.",
                                "Created Element name.",
                                "Created Type S_TYPE.",
                                "Inserted Element a into Type S_TYPE.",
                                "Inserted Element name into Type S_TYPE.",
                                "C Structure S successfully imported.",
                                "",
                            }));
    EXPECT_EQ(counters_, (Counters{0, 1, 2, 2}));
    EXPECT_EQ(MemberNames("S_TYPE"), (Lines{"a", "name"}));
    EXPECT_EQ(ElementTypeName("a"), "INTEGER");
    EXPECT_EQ(ElementTypeName("name"), "STRING");
    EXPECT_EQ(ElementLengthName("name"), "NAME_LEN");
    EXPECT_EQ(LengthValue("NAME_LEN"), 20);
    EXPECT_EQ(LengthValue("DEFAULT_CHAR_LEN"), 1);
    EXPECT_EQ(Attribute("S_TYPE", "a", "Physical Type"), "1");
    EXPECT_EQ(Attribute("S_TYPE", "a", "Length"), "4");
    EXPECT_EQ(Attribute("S_TYPE", "a", "Signed"), "1");
    EXPECT_EQ(Attribute("S_TYPE", "name", "Physical Type"), "8");
    EXPECT_EQ(Attribute("S_TYPE", "name", "Length"), "20");
}

TEST_F(StructureWalkTest, ReimportReusesEverythingAndCreatesNothing) {
    auto build = [this] {
        return tree_.Top({tree_.Struct("S", {tree_.Member("a", "int"), tree_.Member("name", "char", 0, 20),
                                             tree_.Member("c", "char"), tree_.Member("raw", "char", 0, 8, 0)})});
    };
    ImportBefore(build());
    EXPECT_EQ(Import(build(), true), (Lines{
                                         "Importing C structure S.",
                                         "Warning: Using defined Element a.",
                                         "Warning: Using defined Length NAME_LEN.",
                                         "Warning: Using defined Element name.",
                                         "Warning: Using defined Element c.",
                                         "Warning: Using defined Element raw.",
                                         "Warning: Using defined Type S_TYPE.",
                                         "C Structure S not imported.",
                                         "",
                                         Summary({0, 0, 0, 0}),
                                         "No errors detected and nothing was created. This header file may "
                                         "have been previously imported.",
                                     }));
    EXPECT_EQ(repo_double::Count(Call::InsertMember), 0);
    EXPECT_EQ(repo_double::Texts(Call::CreateType), (Lines{"CreateType S_TYPE class=3"}));  // found in use
}

TEST_F(StructureWalkTest, NestedStructuresAreImportedInDeclarationOrder) {
    DeclNode* inner = tree_.Struct("z", {tree_.Member("y", "int")});
    DeclNode* root = tree_.Top({tree_.Struct("A", {tree_.Member("x", "int"), inner, tree_.Member("q", "short")})});
    EXPECT_EQ(Import(root), (Lines{
                                "Created Length DEFAULT_CHAR_LEN.",
                                "Importing C structure A.",
                                "Created Element x.",
                                "Importing C structure z.",
                                "Created Element y.",
                                "Created Type z_TYPE.",
                                "Inserted Element y into Type z_TYPE.",
                                "Created Element z.",
                                "Created Element q.",
                                "Created Type A_TYPE.",
                                "Inserted Element x into Type A_TYPE.",
                                "Inserted Element z into Type A_TYPE.",
                                "Inserted Element q into Type A_TYPE.",
                                "C Structure A successfully imported.",
                                "",
                            }));
    EXPECT_EQ(MemberNames("A_TYPE"), (Lines{"x", "z", "q"}));
    EXPECT_EQ(ElementTypeName("z"), "z_TYPE");
    // The nested structure's membership gets no physical attributes.
    EXPECT_EQ(repo_double::Texts(Call::SetMemberAttrValue),
              (Lines{"SetMemberAttrValue Physical Type=1", "SetMemberAttrValue Length=4",
                     "SetMemberAttrValue Signed=1", "SetMemberAttrValue Physical Type=1",
                     "SetMemberAttrValue Length=4", "SetMemberAttrValue Signed=1",
                     "SetMemberAttrValue Physical Type=1", "SetMemberAttrValue Length=2",
                     "SetMemberAttrValue Signed=1"}));
}

TEST_F(StructureWalkTest, DeepNestingIsWalkedWithoutRecursion) {
    constexpr int kDepth = 3000;
    DeclNode* node = tree_.Struct("s0", {tree_.Member("leaf", "int")});
    for (int i = 1; i < kDepth; ++i) node = tree_.Struct("s" + std::to_string(i), {node});
    DeclNode* root = tree_.Top({node});
    const Lines messages = Import(root);
    EXPECT_EQ(counters_, (Counters{0, kDepth, kDepth, 1}));
    EXPECT_EQ(messages[1], "Importing C structure s" + std::to_string(kDepth - 1) + ".");
    EXPECT_EQ(messages[messages.size() - 2], "C Structure s" + std::to_string(kDepth - 1) + " successfully imported.");
    EXPECT_EQ(MemberNames("s1_TYPE"), (Lines{"s0"}));
}

TEST_F(StructureWalkTest, ArrayMembersAreInsertedAsRepeatingMemberships) {
    DeclNode* root = tree_.Top({tree_.Struct("S", {tree_.Member("v", "short", 3), tree_.Member("w", "short")})});
    Import(root);
    EXPECT_EQ(repo_double::Texts(Call::InsertMember),
              (Lines{"InsertMember -1 flag=1 repeating=1", "InsertMember -1 flag=1 repeating=0"}));
    EXPECT_EQ(repo_double::Texts(Call::GetDefaultMemberDetails2),
              (Lines{"GetDefaultMemberDetails2 -1 316", "GetDefaultMemberDetails2 -1 316"}));
    EXPECT_EQ(Attribute("S_TYPE", "v", "Repeat Count"), "3");
}

TEST_F(StructureWalkTest, MemberDeclarationWithoutMembersIsImportedAsElement) {
    DeclNode* root = tree_.Top({tree_.Member("lonely", "int")});
    EXPECT_EQ(Import(root), (Lines{
                                "Created Length DEFAULT_CHAR_LEN.",
                                "Created Element lonely.",
                                "C Structure lonely successfully imported.",
                                "",
                            }));
}

TEST_F(StructureWalkTest, MembersOfEarlierStructureTypesUseTheirType) {
    DeclNode* root = tree_.Top({tree_.Struct("_addr", {tree_.Member("street", "char", 0, 30)}),
                                tree_.Struct("person", {tree_.Member("home", "_addr")})});
    const Lines messages = Import(root);
    EXPECT_EQ(counters_.errors, 0);
    EXPECT_EQ(ElementTypeName("home"), "addr_TYPE");
    EXPECT_EQ(MemberNames("person_TYPE"), (Lines{"home"}));
}

TEST_F(StructureWalkTest, MembersOfRenamedStructureTypesUseTheNumberedType) {
    ImportBefore(tree_.Top({tree_.Struct("addr", {tree_.Member("zip", "int")})}));
    DeclNode* root = tree_.Top({tree_.Struct("addr", {tree_.Member("zip", "int"), tree_.Member("box", "int")}),
                                tree_.Struct("person", {tree_.Member("home", "addr")})});
    EXPECT_EQ(Import(root), (Lines{
                                "Importing C structure addr.",
                                "Warning: Using defined Element zip.",
                                "Created Element box.",
                                "Warning: Duplicate Type found. Type created and renamed from addr_TYPE to "
                                "addr_1_TYPE.",
                                "Inserted Element zip into Type addr_1_TYPE.",
                                "Inserted Element box into Type addr_1_TYPE.",
                                "C Structure addr successfully imported.",
                                "",
                                "Importing C structure person.",
                                "addr was renamed to addr_1_TYPE. Using this Type for Element.",
                                "Created Element home.",
                                "Created Type person_TYPE.",
                                "Inserted Element home into Type person_TYPE.",
                                "C Structure person successfully imported.",
                                "",
                            }));
    EXPECT_EQ(ElementTypeName("home"), "addr_1_TYPE");
}

TEST_F(StructureWalkTest, PointerMemberFailsItsStructureAndRollsBack) {
    DeclNode* root = tree_.Top({tree_.Struct("S", {tree_.Member("a", "int"), tree_.Member("p", "float", 0, 0, 1, 1),
                                                   tree_.Member("b", "double")}),
                                tree_.Struct("T", {tree_.Member("t", "int")})});
    EXPECT_EQ(Import(root), (Lines{
                                "Created Length DEFAULT_CHAR_LEN.",
                                "Importing C structure S.",
                                "Created Element a.",
                                "Error: p is a pointer and will not be imported.",
                                "Created Element b.",
                                "Error: Failed to create Type S as errors occured during creation of child "
                                "Elements.",
                                "Rolling back created Elements.",
                                "Deleting Element a.",
                                "Deleting Element b.",
                                "C Structure S not imported.",
                                "Errors occurred during import of S.",
                                "",
                                "Importing C structure T.",
                                "Created Element t.",
                                "Created Type T_TYPE.",
                                "Inserted Element t into Type T_TYPE.",
                                "C Structure T successfully imported.",
                                "",
                            }));
    EXPECT_EQ(counters_, (Counters{2, 1, 1, 1}));
    EXPECT_EQ(Find(TKS_KIND_ELEMENT, "a"), 0u);
    EXPECT_EQ(Find(TKS_KIND_TYPE, "S_TYPE"), 0u);
}

TEST_F(StructureWalkTest, LongDoubleMemberIsRefused) {
    DeclNode* root = tree_.Top({tree_.Struct("S", {tree_.Member("ld", "long double")})});
    const Lines messages = Import(root);
    EXPECT_EQ(messages[2], "Error: ld is a long double and will not be imported.");
    EXPECT_EQ(messages[3], "Error: Failed to create Type S as errors occured during creation of child Elements.");
    EXPECT_EQ(messages[4], "Rolling back created Elements.");
    EXPECT_EQ(counters_, (Counters{2, 0, 0, 1}));
}

TEST_F(StructureWalkTest, FailedNestedStructureFailsItsParent) {
    DeclNode* inner = tree_.Struct("in", {tree_.Member("p", "int", 0, 0, 1, 1)});
    DeclNode* root = tree_.Top({tree_.Struct("out", {tree_.Member("k", "int"), inner})});
    EXPECT_EQ(Import(root), (Lines{
                                "Created Length DEFAULT_CHAR_LEN.",
                                "Importing C structure out.",
                                "Created Element k.",
                                "Importing C structure in.",
                                "Error: p is a pointer and will not be imported.",
                                "Error: Failed to create Type in as errors occured during creation of child "
                                "Elements.",
                                "Rolling back created Elements.",
                                "Error: Failed to process Element and Children: out.",
                                "Created Element in.",
                                "Error: Failed to create Type out as errors occured during creation of child "
                                "Elements.",
                                "Rolling back created Elements.",
                                "Deleting Element k.",
                                "Deleting Element in.",
                                "C Structure out not imported.",
                                "Errors occurred during import of out.",
                                "",
                            }));
    EXPECT_EQ(counters_, (Counters{4, 0, 0, 1}));
}

TEST_F(StructureWalkTest, DuplicateMemberIsReportedAsInvalidC) {
    DeclNode* root = tree_.Top({tree_.Struct("S", {tree_.Member("a", "int"), tree_.Member("a", "int")})});
    EXPECT_EQ(Import(root), (Lines{
                                "Created Length DEFAULT_CHAR_LEN.",
                                "Importing C structure S.",
                                "Created Element a.",
                                "Warning: Using defined Element a.",
                                "Created Type S_TYPE.",
                                "Inserted Element a into Type S_TYPE.",
                                "Error: Failed to insert Element a into Type S_TYPE.",
                                "Error: Invalid C: Duplicate C element S_TYPE in structure.",
                                "C Structure S not imported.",
                                "Errors occurred during import of S.",
                                "",
                            }));
    EXPECT_EQ(counters_.errors, 1);
}

}  // namespace
}  // namespace mapping_test
