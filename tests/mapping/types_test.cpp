// Types of structures: names, reuse of equal Types, numbered Types and the
// trim of the numbered base.
#include "mapping_fixture.h"

namespace mapping_test {
namespace {

using Lines = std::vector<std::string>;
using repo_double::Call;

class TypesTest : public MappingTest {
protected:
    DeclNode* Structure(const std::string& name, std::initializer_list<std::string> intMembers) {
        DeclNode* s = tree_.Struct(name, {});
        DeclNode** link = &s->firstChild;
        for (const std::string& m : intMembers) {
            *link = tree_.Member(m, "int");
            link = &(*link)->nextSibling;
        }
        return tree_.Top({s});
    }
    // The messages about Types, and refused names.
    Lines TypeLines(const Lines& messages) {
        Lines lines;
        for (const std::string& m : messages)
            if ((m.find("Type") != std::string::npos && m.find("Inserted") == std::string::npos) ||
                m.rfind("Error: Name ", 0) == 0)
                lines.push_back(m);
        return lines;
    }
};

TEST_F(TypesTest, ChangedStructuresGetNumberedTypes) {
    ImportBefore(Structure("S", {"a"}));
    EXPECT_EQ(TypeLines(Import(Structure("S", {"a", "b"}))),
              (Lines{"Warning: Duplicate Type found. Type created and renamed from S_TYPE to S_1_TYPE."}));
    EXPECT_EQ(TypeLines(Import(Structure("S", {"a", "c"}))),
              (Lines{"Warning: Duplicate Type found. Type created and renamed from S_1_TYPE to S_2_TYPE."}));
    EXPECT_EQ(MemberNames("S_2_TYPE"), (Lines{"a", "c"}));
    // The second variant again: its numbered Type is found equal and reused.
    const Lines again = Import(Structure("S", {"a", "b"}));
    EXPECT_EQ(TypeLines(again), (Lines{"Warning: Using defined Type S_1_TYPE."}));
    EXPECT_EQ(again.at(again.size() - 2), "C Structure S not imported.");
    EXPECT_EQ(counters_, (Counters{0, 0, 0, 0}));
}

TEST_F(TypesTest, NumberedBaseTrimsTypeLettersFromTheEnd) {
    struct Case {
        const char* structure;
        const char* numbered;
    };
    for (const Case& c : {Case{"POINT", "POIN_1_TYPE"}, Case{"DATE", "DA_1_TYPE"},
                          Case{"employee", "employee_1_TYPE"}, Case{"TYPE", "_1_TYPE"}}) {
        ImportBefore(Structure(c.structure, {"a"}));
        const Lines lines = TypeLines(Import(Structure(c.structure, {"a", "b"})));
        EXPECT_EQ(lines, (Lines{std::string("Warning: Duplicate Type found. Type created and renamed from ") +
                                c.structure + "_TYPE to " + c.numbered + "."}));
    }
}

TEST_F(TypesTest, LeadingUnderscoresLeaveTheStructureTypeName) {
    DeclNode* root = Structure("_hdr", {"a"});
    EXPECT_EQ(TypeLines(Import(root)), (Lines{"Created Type hdr_TYPE."}));
    EXPECT_EQ(root->typeName, "hdr_TYPE");
    EXPECT_EQ(root->name, "_hdr");
    EXPECT_EQ(root->typeCreated, 1);
    EXPECT_EQ(static_cast<TKSHandle>(root->typeHandle), Find(TKS_KIND_TYPE, "hdr_TYPE"));
}

TEST_F(TypesTest, ReusedTypeKeepsTheStructureTypeName) {
    ImportBefore(Structure("_hdr", {"a"}));
    DeclNode* root = Structure("_hdr", {"a"});
    Import(root);
    EXPECT_EQ(root->typeName, "hdr");
    EXPECT_EQ(root->typeCreated, 0);
    EXPECT_EQ(static_cast<TKSHandle>(root->typeHandle), Find(TKS_KIND_TYPE, "hdr_TYPE"));
}

TEST_F(TypesTest, NameHeldByAnotherKindIsNumberedWithoutComparison) {
    MakeElement("S_TYPE", SimpleType(TKS_SIMPLE_INTEGER));
    EXPECT_EQ(TypeLines(Import(Structure("S", {"a"}))),
              (Lines{"Warning: Duplicate Type found. Type created and renamed from S_TYPE to S_1_TYPE."}));
    EXPECT_EQ(repo_double::Count(Call::GetMemberDetails), 0);
    EXPECT_EQ(repo_double::Texts(Call::GetNextDefinition), (Lines(5, "GetNextDefinition 1 0")));
}

TEST_F(TypesTest, TypeOfAnotherClassIsNotReusedButNumbered) {
    MakeType("S_TYPE", TKS_TYPE_CLASS_SIMPLE, TKS_SIMPLE_BOOLEAN);
    EXPECT_EQ(TypeLines(Import(Structure("S", {"a"}))),
              (Lines{"Warning: Duplicate Type found. Type created and renamed from S_TYPE to S_1_TYPE."}));
    EXPECT_EQ(repo_double::Count(Call::GetMemberDetails), 0);
}

TEST_F(TypesTest, AllNinetyNineCandidatesTakenFailsTheStructure) {
    MakeType("S_TYPE");
    for (int i = 1; i <= 99; ++i) MakeType("S_" + std::to_string(i) + "_TYPE");
    EXPECT_EQ(TypeLines(Import(Structure("S", {"a"}))),
              (Lines{"Error: Failed to create Type S_99_TYPE.", "Error: Failed to create the Type S_99_TYPE."}));
    EXPECT_EQ(counters_, (Counters{2, 0, 1, 1}));
    EXPECT_EQ(repo_double::Count(Call::CreateType), 100);
}

TEST_F(TypesTest, StructureNameTooLongForATypeIsRefusedAndRolledBack) {
    const std::string name(251, 's');
    EXPECT_EQ(Import(Structure(name, {"a"})),
              (Lines{"Created Length DEFAULT_CHAR_LEN.", "Importing C structure " + name + ".", "Created Element a.",
                     "Error: Name " + name + "_TYPE is too long and will not be imported.",
                     "Rolling back created Elements.", "Deleting Element a.", "C Structure " + name + " not imported.",
                     "Errors occurred during import of " + name + ".", ""}));
    EXPECT_EQ(counters_, (Counters{1, 0, 0, 1}));
    EXPECT_EQ(repo_double::Count(Call::CreateType), 0);
}

TEST_F(TypesTest, NumberedTypeNameTooLongIsRefused) {
    const std::string name(250, 's');
    ImportBefore(Structure(name, {"a"}));
    EXPECT_EQ(TypeLines(Import(Structure(name, {"a", "b"}))),
              (Lines{"Error: Name " + name + "_1_TYPE is too long and will not be imported.",
                     "Error: Failed to create the Type " + name + "_TYPE."}));
    EXPECT_EQ(counters_.errors, 2);
}

}  // namespace
}  // namespace mapping_test
