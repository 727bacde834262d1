// The simple Types and the default character Length found before the walk.
#include "cimp/mapping/mapper.h"
#include "mapping_fixture.h"
#include "store_api.h"

namespace mapping_test {
namespace {

using Lines = std::vector<std::string>;
using repo_double::Call;

class SimpleTypesTest : public MappingTest {};

TEST_F(SimpleTypesTest, EnumerationStopsAtTheTypeThatCompletesTheSet) {
    MakeType("LATER_TYPE");
    Import(tree_.Top({tree_.Struct("s", {tree_.Member("a", "int")})}));
    // The stand-in hands out its five simple Types first.
    EXPECT_EQ(repo_double::Texts(Call::GetFirstDefinition), (Lines{"GetFirstDefinition 104 0"}));
    EXPECT_EQ(repo_double::Texts(Call::GetNextDefinition), (Lines(5, "GetNextDefinition 1 0")));
    const auto& log = repo_double::Log();
    for (std::size_t i = 1; i <= 5; ++i) EXPECT_EQ(log.at(2 * i - 1).text, "GetDetails 0 580");
    EXPECT_EQ(log.at(11).text, "GetDefaultDetails 107 572");
}

// Only Types of the simple class count, and a later simple Type of a code
// replaces an earlier one until all five are known.
TEST_F(SimpleTypesTest, SimpleClassOnlyAndTheLaterTypeOfACodeWins) {
    ASSERT_EQ(tks::api::Delete(SimpleType(TKS_SIMPLE_INTEGER)), 0);
    MakeType("NOT_SIMPLE", TKS_TYPE_CLASS_STRUCTURE, TKS_SIMPLE_INTEGER);
    const TKSHandle laterString = MakeType("TEXT", TKS_TYPE_CLASS_SIMPLE, TKS_SIMPLE_STRING);
    const TKSHandle integer = MakeType("INTEGER", TKS_TYPE_CLASS_SIMPLE, TKS_SIMPLE_INTEGER);
    MakeType("AFTER", TKS_TYPE_CLASS_SIMPLE, TKS_SIMPLE_FLOAT);
    auto context = NewContext();
    cimp::mapping::Mapper mapper(*context);
    EXPECT_TRUE(mapper.LoadSimpleTypes());
    EXPECT_EQ(context->integerType, integer);
    EXPECT_EQ(context->stringType, laterString);
    EXPECT_EQ(context->floatType, SimpleType(TKS_SIMPLE_FLOAT));
    EXPECT_EQ(repo_double::Count(Call::GetDetails), 7);  // four simple Types, NOT_SIMPLE, TEXT, INTEGER
}

TEST_F(SimpleTypesTest, MissingTypesAreNamedInOrderAndNothingIsWalked) {
    struct Case {
        int failingRead;  // the enumeration's failing record read (1 to 5)
        Lines messages;
    };
    const std::vector<Case> cases = {
        {5, {"Error: Simple Type BOOLEAN not found."}},
        {4, {"Error: Simple Type BINARY not found.", "Error: Simple Type BOOLEAN not found."}},
        {1,
         {"Error: Simple Type INTEGER not found.", "Error: Simple Type STRING not found.",
          "Error: Simple Type FLOAT not found.", "Error: Simple Type BINARY not found.",
          "Error: Simple Type BOOLEAN not found."}},
    };
    for (const Case& c : cases) {
        repo_double::Reset();
        repo_double::ArmFault(Call::GetDetails, c.failingRead, -5);
        EXPECT_EQ(Import(tree_.Top({tree_.Struct("s", {tree_.Member("a", "int")})})), c.messages);
        EXPECT_EQ(counters_, (Counters{0, 0, 0, 0}));
        EXPECT_EQ(repo_double::Count(Call::GetDefaultDetails), 0) << "DEFAULT_CHAR_LEN is not touched";
        EXPECT_EQ(repo_double::Count(Call::GetDetails), c.failingRead);
    }
}

TEST_F(SimpleTypesTest, EnumerationThatGivesNoHandleFindsNothing) {
    repo_double::ArmFault(Call::GetFirstDefinition, 1, 0);
    const Lines messages = Import(tree_.Top({tree_.Struct("s", {tree_.Member("a", "int")})}));
    EXPECT_EQ(messages.size(), 5u);
    EXPECT_EQ(repo_double::Count(Call::GetDetails), 0);
}

TEST_F(SimpleTypesTest, FirstImportCreatesTheDefaultLengthAndCountsIt) {
    const Lines messages = Import(tree_.Top({tree_.Struct("s", {tree_.Member("a", "int")})}));
    EXPECT_EQ(messages.at(0), "Created Length DEFAULT_CHAR_LEN.");
    EXPECT_EQ(counters_, (Counters{0, 1, 1, 1}));
    EXPECT_EQ(repo_double::Texts(Call::CreateLengthID), (Lines{"CreateLengthID DEFAULT_CHAR_LEN 1"}));
}

TEST_F(SimpleTypesTest, FailedDefaultRecordIsCountedThenTheLengthIsLookedUp) {
    MakeLength("DEFAULT_CHAR_LEN", 1);
    repo_double::ArmFault(Call::GetDefaultDetails, 1, -5);
    const Lines messages = Import(tree_.Top({tree_.Struct("s", {tree_.Member("a", "int")})}));
    EXPECT_EQ(messages.at(0), "Importing C structure s.");
    EXPECT_EQ(counters_, (Counters{1, 1, 1, 0}));
    EXPECT_EQ(repo_double::Texts(Call::FindDefinition).at(0), "FindDefinition 107 DEFAULT_CHAR_LEN");
}

TEST_F(SimpleTypesTest, DefaultLengthThatCannotBeMadeOrFoundStopsTheImport) {
    struct Case {
        Call call;
        Counters counters;
    };
    for (const Case& c : {Case{Call::GetDefaultDetails, {1, 0, 0, 0}}, Case{Call::CreateLengthID, {0, 0, 0, 0}}}) {
        repo_double::Reset();
        repo_double::ArmFault(c.call, 1, -5);
        EXPECT_EQ(Import(tree_.Top({tree_.Struct("s", {tree_.Member("a", "int")})})),
                  (Lines{"Error: Default char Length not found."}));
        EXPECT_EQ(counters_, c.counters);
    }
}

}  // namespace
}  // namespace mapping_test
