// The closing report: summary, the "nothing was created" line and the lists
// of incomplete objects in the created-handle maps' order.
#include "cimp/report.h"

#include "mapping_fixture.h"

namespace mapping_test {
namespace {

using Lines = std::vector<std::string>;
using repo_double::Call;

constexpr const char* kNothingCreated =
    "No errors detected and nothing was created. This header file may have been previously imported.";

class ReportTest : public MappingTest {
protected:
    Lines Report(cimp::ImportContext& context) {
        cimp::ReportImport(context);
        return messages_;
    }
};

TEST_F(ReportTest, SummaryCarriesTheCountersInOrder) {
    auto context = NewContext();
    context->errorCount = 2;
    context->typesCreated = 3;
    context->elementsCreated = 4;
    context->lengthsCreated = 5;
    EXPECT_EQ(Report(*context), (Lines{"Summary: \r\nNo. of Errors:\t\t\t2\r\nNo. of Types created:\t\t3\r\n"
                                       "No. of Elements created:\t4\r\nNo. of Lengths created:\t\t5\r\n"}));
}

TEST_F(ReportTest, NothingCreatedLineOnlyWhenAllCountersAreZero) {
    struct Case {
        Counters counters;
        bool nothingLine;
    };
    for (const Case& c : {Case{{0, 0, 0, 0}, true}, Case{{2, 0, 0, 0}, false}, Case{{0, 0, 0, 1}, false},
                          Case{{0, 0, -1, 0}, false}}) {
        auto context = NewContext();
        context->errorCount = c.counters.errors;
        context->typesCreated = c.counters.types;
        context->elementsCreated = c.counters.elements;
        context->lengthsCreated = c.counters.lengths;
        Lines expected{Summary(c.counters)};
        if (c.nothingLine) expected.push_back(kNothingCreated);
        EXPECT_EQ(Report(*context), expected);
    }
}

TEST_F(ReportTest, MapsAreWalkedByBucketThenNewestFirst) {
    auto context = NewContext();
    // Buckets: 16 -> 1, 1 -> 0, 272 -> 0, 544 -> 0, 32 -> 2.
    for (TKSHandle h : {16u, 1u, 272u, 544u, 32u}) context->createdElements.Insert(h);
    repo_double::ArmFaultFrom(Call::IsComplete, 1, 1);
    Report(*context);
    std::vector<TKSHandle> asked;
    for (const auto& r : repo_double::Log())
        if (r.call == Call::IsComplete) asked.push_back(r.handles.at(0));
    EXPECT_EQ(asked, (std::vector<TKSHandle>{544, 272, 1, 16, 32}));
    EXPECT_EQ(messages_.size(), 2u);  // summary and nothing-created line: complete objects list nothing
}

TEST_F(ReportTest, OneIncompleteTypeGivesHeadingAndIdentifier) {
    auto context = NewContext();
    context->createdTypes.Insert(MakeType("A_TYPE"));
    context->createdElements.Insert(MakeElement("e", SimpleType(TKS_SIMPLE_INTEGER)));
    context->createdLengths.Insert(MakeLength("L_LEN", 3));
    context->typesCreated = 1;
    repo_double::ArmFault(Call::IsComplete, 1, 0);
    repo_double::ArmFaultFrom(Call::IsComplete, 1, 1);
    EXPECT_EQ(Report(*context), (Lines{Summary({0, 1, 0, 0}), "\r\nWarning: The following Types are incomplete:",
                                       "\tA_TYPE"}));
    EXPECT_EQ(repo_double::Texts(Call::GetIdentifier), (Lines{"GetIdentifier 256"}));
}

TEST_F(ReportTest, IncompleteListsComeInTypeElementLengthOrder) {
    auto context = NewContext();
    context->createdLengths.Insert(MakeLength("L_LEN", 3));
    context->createdElements.Insert(MakeElement("e", SimpleType(TKS_SIMPLE_INTEGER)));
    context->createdTypes.Insert(MakeType("A_TYPE"));
    repo_double::ArmFaultFrom(Call::IsComplete, 1, 0);
    EXPECT_EQ(Report(*context), (Lines{Summary({0, 0, 0, 0}), kNothingCreated,
                                       "\r\nWarning: The following Types are incomplete:", "\tA_TYPE",
                                       "\r\nWarning: The following Elements are incomplete:", "\te",
                                       "\r\nWarning: The following Lengths are incomplete:", "\tL_LEN"}));
}

TEST_F(ReportTest, RolledBackElementsAreNeitherCountedNorListed) {
    DeclNode* root = tree_.Top({tree_.Struct("S", {tree_.Member("a", "int"), tree_.Member("p", "int", 0, 0, 1, 1)}),
                                tree_.Struct("T", {tree_.Member("t", "int")})});
    repo_double::ArmFaultFrom(Call::IsComplete, 1, 0);
    const Lines messages = Import(root, true);
    const Lines tail(messages.end() - 7, messages.end());
    EXPECT_EQ(tail, (Lines{Summary({2, 1, 1, 1}), "\r\nWarning: The following Types are incomplete:", "\tT_TYPE",
                           "\r\nWarning: The following Elements are incomplete:", "\tt",
                           "\r\nWarning: The following Lengths are incomplete:", "\tDEFAULT_CHAR_LEN"}));
}

TEST_F(ReportTest, FailingIdentifierReadLeavesTheBufferAsItWas) {
    auto context = NewContext();
    context->createdTypes.Insert(MakeType("A_TYPE"));
    context->createdElements.Insert(MakeElement("e", SimpleType(TKS_SIMPLE_INTEGER)));
    repo_double::ArmFaultFrom(Call::IsComplete, 1, 0);
    repo_double::ArmFault(Call::GetIdentifier, 2, -5);
    EXPECT_EQ(Report(*context), (Lines{Summary({0, 0, 0, 0}), kNothingCreated,
                                       "\r\nWarning: The following Types are incomplete:", "\tA_TYPE",
                                       "\r\nWarning: The following Elements are incomplete:", "\tA_TYPE"}));
}

TEST_F(ReportTest, MissingSimpleTypesStillGiveTheSummary) {
    repo_double::ArmFault(Call::GetFirstDefinition, 1, -4);
    DeclNode* root = tree_.Top({tree_.Struct("S", {tree_.Member("a", "int")})});
    EXPECT_EQ(Import(root, true), (Lines{"Error: Simple Type INTEGER not found.", "Error: Simple Type STRING not found.",
                                         "Error: Simple Type FLOAT not found.", "Error: Simple Type BINARY not found.",
                                         "Error: Simple Type BOOLEAN not found.", Summary({0, 0, 0, 0}),
                                         kNothingCreated}));
}

TEST_F(ReportTest, NullCallbackRunsSilently) {
    cimp::ImportContext context(repository_, "test.h", "", true, nullptr, nullptr);
    DeclNode* root = tree_.Top({tree_.Struct("S", {tree_.Member("a", "int")})});
    EXPECT_EQ(cimp::mapping::ImportStructures(context, root), 0);
    cimp::ReportImport(context);
    EXPECT_EQ(context.typesCreated, 1);
    EXPECT_EQ(MemberNames("S_TYPE"), (Lines{"a"}));
}

}  // namespace
}  // namespace mapping_test
