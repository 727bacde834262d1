// Whether an existing Type equals a structure being imported again.
#include <ostream>

#include "mapping_fixture.h"
#include "store_api.h"

namespace mapping_test {
namespace {

using Lines = std::vector<std::string>;
using repo_double::Call;

constexpr const char* kReused = "Warning: Using defined Type S_TYPE.";
constexpr const char* kRenamed = "Warning: Duplicate Type found. Type created and renamed from S_TYPE to S_1_TYPE.";

// A structure S as a test declares it: member name, type, repeat, length, signedness.
struct MemberSpec {
    const char* name;
    const char* type;
    int32_t repeat = 0;
    int32_t length = 0;
    int32_t isSigned = 1;
};

struct CompareCase {
    const char* title;
    std::vector<MemberSpec> before;
    std::vector<MemberSpec> after;
    const char* verdictLine;
};

void PrintTo(const CompareCase& c, std::ostream* os) { *os << c.title; }

class TypeCompareTest : public MappingTest, public ::testing::WithParamInterface<CompareCase> {
protected:
    DeclNode* Structure(const std::vector<MemberSpec>& members) {
        DeclNode* s = tree_.Struct("S", {});
        DeclNode** link = &s->firstChild;
        for (const MemberSpec& m : members) {
            *link = tree_.Member(m.name, m.type, m.repeat, m.length, m.isSigned);
            link = &(*link)->nextSibling;
        }
        return tree_.Top({s});
    }
    // The line that tells the comparison's outcome.
    static std::string VerdictLine(const Lines& messages) {
        for (const std::string& m : messages)
            if (m.rfind("Warning: Using defined Type", 0) == 0 || m.rfind("Warning: Duplicate Type", 0) == 0) return m;
        return "<none>";
    }
};

TEST_P(TypeCompareTest, DecidesBetweenReuseAndNumberedType) {
    const CompareCase& c = GetParam();
    MakeType("inner_TYPE");  // the Type of structure-typed members
    ImportBefore(Structure(c.before));
    EXPECT_EQ(VerdictLine(Import(Structure(c.after))), c.verdictLine);
    EXPECT_EQ(counters_.errors, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Members, TypeCompareTest,
    ::testing::Values(
        CompareCase{"same", {{"a", "int"}, {"b", "char", 0, 10}}, {{"a", "int"}, {"b", "char", 0, 10}}, kReused},
        CompareCase{"other order", {{"a", "int"}, {"b", "int"}}, {{"b", "int"}, {"a", "int"}}, kRenamed},
        CompareCase{"one more", {{"a", "int"}}, {{"a", "int"}, {"b", "int"}}, kRenamed},
        CompareCase{"one less", {{"a", "int"}, {"b", "int"}}, {{"a", "int"}}, kRenamed},
        CompareCase{"array of another integer size", {{"a", "int", 10}}, {{"a", "short", 10}}, kReused},
        CompareCase{"other repeat count", {{"a", "int", 10}}, {{"a", "int", 11}}, kRenamed},
        CompareCase{"array against scalar", {{"a", "int", 10}}, {{"a", "int"}}, kRenamed},
        CompareCase{"other integer size", {{"a", "int"}}, {{"a", "short"}}, kRenamed},
        CompareCase{"other signedness", {{"a", "int"}}, {{"a", "int", 0, 0, 0}}, kRenamed},
        CompareCase{"binary member then changed member", {{"buf", "char", 0, 16, 0}, {"x", "int"}},
                    {{"buf", "char", 0, 16, 0}, {"y", "int"}}, kRenamed},
        CompareCase{"binary member unchanged", {{"buf", "char", 0, 16, 0}, {"x", "int"}},
                    {{"buf", "char", 0, 16, 0}, {"x", "int"}}, kReused},
        CompareCase{"structure member then changed member", {{"t", "inner"}, {"x", "int"}},
                    {{"t", "inner"}, {"y", "int"}}, kRenamed}),
    [](const auto& info) {
        std::string name = info.param.title;
        for (char& ch : name)
            if (ch == ' ') ch = '_';
        return name;
    });

class TypeCompareDetailTest : public TypeCompareTest {};

TEST_F(TypeCompareDetailTest, TypeWithoutMembersDiffersWithoutError) {
    MakeType("S_TYPE");
    const Lines messages = Import(Structure({{"a", "int"}}));
    EXPECT_EQ(VerdictLine(messages), kRenamed);
    EXPECT_EQ(counters_.errors, 0);
    EXPECT_EQ(repo_double::Texts(Call::GetNextDefinition).back(), "GetNextDefinition 3 1");
}

TEST_F(TypeCompareDetailTest, StringJustificationMustMatchExactly) {
    ImportBefore(Structure({{"b", "char", 0, 10}}));
    ASSERT_EQ(tks::api::SetMemberAttrValue(Find(TKS_KIND_TYPE, "S_TYPE"), Find(TKS_KIND_ELEMENT, "b"),
                                           "String Justification", "l"),
              0);
    EXPECT_EQ(VerdictLine(Import(Structure({{"b", "char", 0, 10}}))), kRenamed);
}

TEST_F(TypeCompareDetailTest, AttributesAreReadInOrder) {
    ImportBefore(Structure({{"a", "int"}, {"b", "char", 0, 10}, {"v", "int", 4}}));
    Import(Structure({{"a", "int"}, {"b", "char", 0, 10}, {"v", "int", 4}}));
    EXPECT_EQ(repo_double::Texts(Call::GetMemberAttrValue),
              (Lines{"GetMemberAttrValue Physical Type 32704", "GetMemberAttrValue Length 32704",
                     "GetMemberAttrValue Signed 32704", "GetMemberAttrValue Physical Type 32704",
                     "GetMemberAttrValue Length 32704", "GetMemberAttrValue Signed 32704",
                     "GetMemberAttrValue String Justification 32704", "GetMemberAttrValue Repeat Count 32704"}));
    EXPECT_EQ(repo_double::Texts(Call::GetMemberDetails), (Lines(3, "GetMemberDetails 316")));
}

}  // namespace
}  // namespace mapping_test
