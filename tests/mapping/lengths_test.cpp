// Lengths of character string members: names, reuse by value, numbered
// names, the default character Length.
#include <ostream>

#include "mapping_fixture.h"

namespace mapping_test {
namespace {

using Lines = std::vector<std::string>;
using repo_double::Call;

class LengthsTest : public MappingTest {
protected:
    // Imports one structure holding one char array member; returns the
    // messages between the structure's opening line and its Element.
    Lines ImportString(const std::string& structure, const std::string& member, int32_t length) {
        const Lines all = Import(tree_.Top({tree_.Struct(structure, {tree_.Member(member, "char", 0, length)})}));
        Lines lengthLines;
        for (const std::string& m : all)
            if (m.find("Length") != std::string::npos && m.find("DEFAULT_CHAR_LEN") == std::string::npos)
                lengthLines.push_back(m);
        return lengthLines;
    }
};

struct LengthCase {
    const char* title;
    std::vector<int32_t> earlierLengths;  // earlier imports of member "name"
    int32_t length;
    Lines messages;
    const char* element;
    const char* lengthOfElement;
};

void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.title; }

class LengthVariantsTest : public LengthsTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(LengthVariantsTest, CreatesReusesOrRenames) {
    const LengthCase& c = GetParam();
    int n = 0;
    for (int32_t earlier : c.earlierLengths) {
        ImportBefore(tree_.Top({tree_.Struct("s" + std::to_string(n++), {tree_.Member("name", "char", 0, earlier)})}));
    }
    EXPECT_EQ(ImportString("t", "name", c.length), c.messages);
    EXPECT_EQ(ElementLengthName(c.element), c.lengthOfElement);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, LengthVariantsTest,
    ::testing::Values(
        LengthCase{"first", {}, 20, {"Created Length NAME_LEN."}, "name", "NAME_LEN"},
        LengthCase{"same again", {20}, 20, {"Warning: Using defined Length NAME_LEN."}, "name", "NAME_LEN"},
        LengthCase{"second value",
                   {20},
                   30,
                   {"Warning: Duplicate Length found. Length created and renamed from NAME_LEN to NAME_1_LEN."},
                   "name_1",
                   "NAME_1_LEN"},
        LengthCase{"third value",
                   {20, 30},
                   40,
                   {"Warning: Duplicate Length found. Length created and renamed from NAME_1_LEN to NAME_2_LEN."},
                   "name_2",
                   "NAME_2_LEN"},
        LengthCase{"numbered reuse", {20, 30}, 30, {"Warning: Using defined Length NAME_1_LEN."}, "name_1", "NAME_1_LEN"}),
    [](const auto& info) {
        std::string name = info.param.title;
        for (char& ch : name)
            if (ch == ' ') ch = '_';
        return name;
    });

TEST_F(LengthsTest, FirstBaseKeepsLeadingUnderscoresNumberedBasesDoNot) {
    MakeLength("_TAG_LEN", 5);
    EXPECT_EQ(ImportString("s", "_tag", 6),
              (Lines{"Warning: Duplicate Length found. Length created and renamed from _TAG_LEN to TAG_1_LEN."}));
    EXPECT_EQ(LengthValue("TAG_1_LEN"), 6);
    EXPECT_EQ(ElementLengthName("tag"), "TAG_1_LEN");
}

TEST_F(LengthsTest, SingleCharactersUseTheDefaultLength) {
    Import(tree_.Top({tree_.Struct("s", {tree_.Member("c", "char"), tree_.Member("d", "char", 0, 1)})}));
    EXPECT_EQ(counters_, (Counters{0, 1, 2, 1}));
    EXPECT_EQ(ElementLengthName("c"), "DEFAULT_CHAR_LEN");
    EXPECT_EQ(ElementLengthName("d"), "DEFAULT_CHAR_LEN");
    EXPECT_EQ(repo_double::Texts(Call::CreateLengthID), (Lines{"CreateLengthID DEFAULT_CHAR_LEN 1"}));
}

TEST_F(LengthsTest, UnsignedCharArrayIsBinaryWithoutLength) {
    Import(tree_.Top({tree_.Struct("s", {tree_.Member("buf", "char", 0, 16, 0)})}));
    EXPECT_EQ(ElementTypeName("buf"), "BINARY");
    EXPECT_EQ(ElementLengthName("buf"), "");
    EXPECT_EQ(counters_.lengths, 1);
}

TEST_F(LengthsTest, NinetyNinthCandidateCreatedWithoutError) {
    MakeLength("N_LEN", 1);
    for (int i = 1; i < 99; ++i) MakeLength("N_" + std::to_string(i) + "_LEN", 1);
    const Lines lines = ImportString("s", "n", 7);
    EXPECT_EQ(lines, (Lines{"Warning: Duplicate Length found. Length created and renamed from N_98_LEN to N_99_LEN."}));
    EXPECT_EQ(counters_.errors, 0);
}

TEST_F(LengthsTest, NinetyNinthCandidateOfEqualValueIsReused) {
    MakeLength("N_LEN", 1);
    for (int i = 1; i < 99; ++i) MakeLength("N_" + std::to_string(i) + "_LEN", 1);
    MakeLength("N_99_LEN", 7);
    EXPECT_EQ(ImportString("s", "n", 7), (Lines{"Warning: Using defined Length N_99_LEN."}));
    EXPECT_EQ(counters_.errors, 0);
    EXPECT_EQ(ElementLengthName("n"), "N_99_LEN");
}

TEST_F(LengthsTest, AllCandidatesTakenLeavesTheElementWithoutLength) {
    MakeLength("N_LEN", 1);
    for (int i = 1; i <= 99; ++i) MakeLength("N_" + std::to_string(i) + "_LEN", 1);
    const Lines all = Import(tree_.Top({tree_.Struct("s", {tree_.Member("n", "char", 0, 7)})}));
    EXPECT_EQ(all[2], "Error: Failed to create Length for n.");
    EXPECT_EQ(all[3], "Created Element n.");
    EXPECT_EQ(counters_, (Counters{1, 1, 1, 1}));
    EXPECT_EQ(ElementLengthName("n"), "");
    EXPECT_EQ(repo_double::Count(Call::CreateLengthID), 101);  // DEFAULT_CHAR, N, N_1 to N_99
}

TEST_F(LengthsTest, DefaultLengthOfAnotherValueIsFoundByName) {
    MakeLength("DEFAULT_CHAR_LEN", 4);
    const Lines all = Import(tree_.Top({tree_.Struct("s", {tree_.Member("c", "char")})}));
    EXPECT_EQ(all[0], "Importing C structure s.");
    EXPECT_EQ(counters_, (Counters{0, 1, 1, 0}));
    EXPECT_EQ(ElementLengthName("c"), "DEFAULT_CHAR_LEN");
}

TEST_F(LengthsTest, DefaultLengthNameHeldByAnElementStopsTheImport) {
    MakeElement("DEFAULT_CHAR_LEN", SimpleType(TKS_SIMPLE_INTEGER));
    EXPECT_EQ(Import(tree_.Top({tree_.Struct("s", {tree_.Member("c", "char")})})),
              (Lines{"Error: Default char Length not found."}));
    EXPECT_EQ(counters_, (Counters{0, 0, 0, 0}));
}

}  // namespace
}  // namespace mapping_test
