// Elements: refused members, the base type classification, Element names,
// reuse and numbered names.
#include "cimp/mapping/mapper.h"
#include "mapping_fixture.h"

namespace mapping_test {
namespace {

using Lines = std::vector<std::string>;
using repo_double::Call;

class ElementsTest : public MappingTest {
protected:
    // The messages of one structure's walk, from its first member on.
    Lines ImportMembers(std::initializer_list<DeclNode*> members) {
        Lines all = Import(tree_.Top({tree_.Struct("s", members)}));
        while (!all.empty() && all.front() != "Importing C structure s.") all.erase(all.begin());
        if (!all.empty()) all.erase(all.begin());
        return all;
    }
};

struct ClassifyCase {
    const char* typeName;
    int32_t isSigned;
    int32_t length;
    int32_t physicalType;
    TKSHandle typeHandle;  // 11 INTEGER, 12 STRING, 13 BINARY, 14 FLOAT; 99 left as it was
    const char* code;
    int32_t lengthAfter;
    int32_t signedAfter;
    const char* justification;
};

TEST(ClassifyBaseTypeTest, FollowsTheBaseTypeTable) {
    const ClassifyCase cases[] = {
        {"char", 0, 0, 1, 11, "1", 1, 0, ""},     {"char", 0, 1, 1, 11, "1", 1, 0, ""},
        {"char", 0, 16, 4, 13, "10", 16, -1, ""}, {"char", 1, 0, 3, 12, "8", 1, -1, "L"},
        {"char", 1, 20, 3, 12, "8", 20, -1, "L"}, {"short", 0, 0, 1, 11, "1", 2, 0, ""},
        {"int", 1, 0, 1, 11, "1", 4, 1, ""},      {"long", 0, 0, 1, 11, "1", 4, 0, ""},
        {"float", 1, 0, 2, 14, "3", 4, 1, ""},    {"double", 1, 0, 2, 14, "3", 8, 1, ""},
        {"addr", 1, 5, 7, 99, "", 5, -1, ""},     {"unsigned", 0, 0, 7, 99, "", 0, -1, ""},
        {"Int", 1, 0, 7, 99, "", 0, -1, ""},
    };
    cimp::ImportContext context(1, "", "", true, nullptr, nullptr);
    context.integerType = 11;
    context.stringType = 12;
    context.binaryType = 13;
    context.floatType = 14;
    cimp::mapping::Mapper mapper(context);
    for (const ClassifyCase& c : cases) {
        DeclNode node;
        node.typeName = c.typeName;
        node.isSigned = c.isSigned;
        node.length = c.length;
        node.typeHandle = 99;
        mapper.ClassifyBaseType(node);
        SCOPED_TRACE(std::string(c.typeName) + " signed " + std::to_string(c.isSigned) + " length " +
                     std::to_string(c.length));
        EXPECT_EQ(node.physicalType, c.physicalType);
        EXPECT_EQ(node.typeHandle, static_cast<int32_t>(c.typeHandle));
        EXPECT_STREQ(node.physicalTypeCode, c.code);
        EXPECT_EQ(node.length, c.lengthAfter);
        EXPECT_EQ(node.isSigned, c.signedAfter);
        EXPECT_STREQ(node.justification, c.justification);
    }
}

TEST_F(ElementsTest, LeadingUnderscoresAreRemovedFromElementNames) {
    EXPECT_EQ(ImportMembers({tree_.Member("__id", "int")}).at(0), "Created Element id.");
    EXPECT_NE(Find(TKS_KIND_ELEMENT, "id"), 0u);
}

TEST_F(ElementsTest, NameUsedWithAnotherTypeGetsANumberedElement) {
    ImportBefore(tree_.Top({tree_.Struct("a", {tree_.Member("total", "int")})}));
    EXPECT_EQ(ImportMembers({tree_.Member("total", "float")}).at(0),
              "Warning: Duplicate Element found. Element created and renamed from total to total_1.");
    EXPECT_EQ(ElementTypeName("total_1"), "FLOAT");
    EXPECT_EQ(MemberNames("s_TYPE"), (Lines{"total_1"}));
}

TEST_F(ElementsTest, EqualNumberedElementIsReused) {
    MakeElement("x", SimpleType(TKS_SIMPLE_FLOAT));
    MakeElement("x_1", SimpleType(TKS_SIMPLE_INTEGER));
    EXPECT_EQ(ImportMembers({tree_.Member("x", "int")}).at(0), "Warning: Using defined Element x_1.");
    EXPECT_EQ(counters_.elements, 0);
    EXPECT_EQ(MemberNames("s_TYPE"), (Lines{"x_1"}));
}

TEST_F(ElementsTest, NameHeldByAnotherKindIsRenamedAtOnce) {
    MakeType("rec");
    EXPECT_EQ(ImportMembers({tree_.Member("rec", "int")}).at(0),
              "Warning: Duplicate Element found. Element created and renamed from rec to rec_1.");
    EXPECT_EQ(repo_double::Count(Call::GetDetails), 5 + 2);  // no comparison; only the insertion reads
}

TEST_F(ElementsTest, AllNinetyNineCandidatesTakenFailsTheMember) {
    MakeElement("x", SimpleType(TKS_SIMPLE_FLOAT));
    for (int i = 1; i <= 99; ++i) MakeElement("x_" + std::to_string(i), SimpleType(TKS_SIMPLE_FLOAT));
    EXPECT_EQ(ImportMembers({tree_.Member("x", "int")}),
              (Lines{"Error: Failed to create Element x_99.", "Error: Failed to create the Element x_99.",
                     "Error: Failed to process Element and Children: s.",
                     "Error: Failed to create Type s as errors occured during creation of child Elements.",
                     "Rolling back created Elements.", "C Structure s not imported.",
                     "Errors occurred during import of s.", ""}));
    EXPECT_EQ(counters_.errors, 4);
    EXPECT_EQ(repo_double::Count(Call::CreateElement), 99);
}

TEST_F(ElementsTest, MemberOfUnknownStructureTypeFailsItsStructure) {
    EXPECT_EQ(ImportMembers({tree_.Member("k", "int"), tree_.Member("u", "nowhere")}),
              (Lines{"Created Element k.", "Created Element u.",
                     "Error: Failed to create Type s as errors occured during creation of child Elements.",
                     "Rolling back created Elements.", "Deleting Element k.", "Deleting Element u.",
                     "C Structure s not imported.", "Errors occurred during import of s.", ""}));
    EXPECT_EQ(repo_double::Texts(Call::FindDefinition).at(1), "FindDefinition 104 nowhere_TYPE");
}

TEST_F(ElementsTest, CharactersOfOtherLengthGetTheirOwnElement) {
    ImportBefore(tree_.Top({tree_.Struct("a", {tree_.Member("label", "char", 0, 8)})}));
    const Lines messages = ImportMembers({tree_.Member("label", "char", 0, 9)});
    EXPECT_EQ(messages.at(1), "Warning: Duplicate Element found. Element created and renamed from label to label_1.");
    EXPECT_EQ(ElementLengthName("label_1"), "LABEL_1_LEN");
}

// Names that do not fit the repository's 255-character name fields are
// refused whole, never cut to a different name.
TEST_F(ElementsTest, MemberNameTooLongForARecordIsRefused) {
    const std::string name(256, 'm');
    EXPECT_EQ(ImportMembers({tree_.Member("ok", "int"), tree_.Member("_" + name, "int")}),
              (Lines{"Created Element ok.", "Error: Name " + name + " is too long and will not be imported.",
                     "Error: Failed to create Type s as errors occured during creation of child Elements.",
                     "Rolling back created Elements.", "Deleting Element ok.", "C Structure s not imported.",
                     "Errors occurred during import of s.", ""}));
    EXPECT_EQ(counters_.errors, 2);
}

TEST_F(ElementsTest, NumberedElementNameTooLongIsRefused) {
    const std::string name(254, 'n');
    MakeElement(name, SimpleType(TKS_SIMPLE_FLOAT));
    const Lines messages = ImportMembers({tree_.Member(name, "int")});
    EXPECT_EQ(messages.at(0), "Error: Name " + name + "_1 is too long and will not be imported.");
    EXPECT_EQ(messages.at(1), "Error: Failed to create the Element " + name + ".");
    EXPECT_EQ(repo_double::Count(Call::CreateElement), 0);
}

TEST_F(ElementsTest, LengthNameTooLongRefusesTheMember) {
    const std::string name(252, 'c');
    const Lines messages = ImportMembers({tree_.Member(name, "char", 0, 4)});
    EXPECT_EQ(messages.at(0), "Error: Name " + std::string(252, 'C') + "_LEN is too long and will not be imported.");
    EXPECT_EQ(messages.at(1), "Error: Failed to create Type s as errors occured during creation of child Elements.");
    EXPECT_EQ(repo_double::Count(Call::CreateElement), 0);
    EXPECT_EQ(counters_.errors, 2);
}

TEST_F(ElementsTest, NumberedLengthNameTooLongRefusesTheMember) {
    const std::string name(251, 'c');
    MakeLength(std::string(251, 'C') + "_LEN", 3);
    const Lines messages = ImportMembers({tree_.Member(name, "char", 0, 4)});
    EXPECT_EQ(messages.at(0), "Error: Name " + std::string(251, 'C') + "_1_LEN is too long and will not be imported.");
    EXPECT_EQ(repo_double::Count(Call::CreateElement), 0);
}

}  // namespace
}  // namespace mapping_test
