// Every failure branch of the mapping, reached by making one repository call
// fail: the exact messages, the counters, and no crash.
#include <ostream>

#include "mapping_fixture.h"

namespace mapping_test {
namespace {

using Lines = std::vector<std::string>;
using repo_double::Call;

// The repository and header each case starts from.
enum class Start {
    kFresh,            // S { int a; char name[20]; } into an empty repository
    kRollback,         // S { int a; int *p; }
    kReimport,         // the kFresh header imported a second time
    kReimportArray,    // S { int v[3]; } imported a second time
    kChanged,          // S { int a; } imported, then S { int a; int b; }
    kRenamedReuse,     // S { int a; } and S { int a; int b; } imported, then the latter again
    kElementConflict,  // Elements x and x_1 of FLOAT exist; S { int x; }
    kStructureMember,  // addr { int z; } and S { addr h; }
    kTypeNameHeld,     // an Element holds S_TYPE; S { int a; }
    kElementNameHeld,  // a Type holds x; S { int x; }
};

struct FaultCase {
    const char* title;
    Start start;
    Call call;
    const char* text;  // only calls with this logged text count ("" any)
    int nth;
    int32_t code;
    Lines messages;
    Counters counters;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.title; }

constexpr const char* kDefaultLength = "Created Length DEFAULT_CHAR_LEN.";
constexpr const char* kFailedS = "Errors occurred during import of S.";
constexpr const char* kChildErrors = "Error: Failed to create Type S as errors occured during creation of child Elements.";

Lines Concat(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// Message sequences shared by several cases.
const Lines kFirstElementFailed = {kDefaultLength, "Importing C structure S.",
                                   "Error: Failed to process Element and Children: S.", "Created Length NAME_LEN.",
                                   "Created Element name.", kChildErrors, "Rolling back created Elements.",
                                   "Deleting Element name.", "C Structure S not imported.", kFailedS, ""};
const Lines kWithoutNameLength = {kDefaultLength, "Importing C structure S.", "Created Element a.",
                                  "Created Element name.", "Created Type S_TYPE.",
                                  "Inserted Element a into Type S_TYPE.", "Inserted Element name into Type S_TYPE.",
                                  "C Structure S successfully imported.", ""};
const Lines kLengthRenamed = {"Importing C structure S.", "Warning: Using defined Element a.",
                              "Warning: Duplicate Length found. Length created and renamed from NAME_LEN to NAME_1_LEN.",
                              "Warning: Duplicate Element found. Element created and renamed from name to name_1.",
                              "Warning: Duplicate Type found. Type created and renamed from S_TYPE to S_1_TYPE.",
                              "Inserted Element a into Type S_1_TYPE.", "Inserted Element name_1 into Type S_1_TYPE.",
                              "C Structure S successfully imported.", ""};
const Lines kTypeFailed = {kDefaultLength, "Importing C structure S.", "Created Element a.", "Created Length NAME_LEN.",
                           "Created Element name.", "Error: Failed to create Type: S_TYPE.",
                           "C Structure S not imported.", kFailedS, ""};
const Lines kReusedMembers = {"Importing C structure S.", "Warning: Using defined Element a.",
                              "Warning: Using defined Length NAME_LEN.", "Warning: Using defined Element name."};
const Lines kTypeInUseUnread = Concat(kReusedMembers, {"C Structure S not imported.", kFailedS, ""});
const Lines kComparisonFailedReused =
    Concat(kReusedMembers, {"Error: Failed to compare duplicate Element Type S_TYPE.",
                            "Warning: Using defined Type S_TYPE.", "C Structure S not imported.", kFailedS, ""});
const Lines kComparisonFailedRenamed =
    Concat(kReusedMembers, {"Error: Failed to compare duplicate Element Type S_TYPE.",
                            "Warning: Duplicate Type found. Type created and renamed from S_TYPE to S_1_TYPE.",
                            "Inserted Element a into Type S_1_TYPE.", "Inserted Element name into Type S_1_TYPE.",
                            "C Structure S successfully imported.", ""});
const Lines kReimported =
    Concat(kReusedMembers, {"Warning: Using defined Type S_TYPE.", "C Structure S not imported.", ""});
const Lines kInsertionFailed = {kDefaultLength, "Importing C structure S.", "Created Element a.",
                                "Created Length NAME_LEN.", "Created Element name.", "Created Type S_TYPE.",
                                "Error: Failed to insert Element a into Type S.", "C Structure S not imported.",
                                kFailedS, ""};

class FaultInjectionTest : public MappingTest, public ::testing::WithParamInterface<FaultCase> {
protected:
    DeclNode* Fresh() {
        return tree_.Top({tree_.Struct("S", {tree_.Member("a", "int"), tree_.Member("name", "char", 0, 20)})});
    }
    DeclNode* Ints(std::initializer_list<const char*> names) {
        DeclNode* s = tree_.Struct("S", {});
        DeclNode** link = &s->firstChild;
        for (const char* n : names) {
            *link = tree_.Member(n, "int");
            link = &(*link)->nextSibling;
        }
        return tree_.Top({s});
    }

    DeclNode* Prepare(Start start) {
        switch (start) {
            case Start::kFresh: return Fresh();
            case Start::kRollback:
                return tree_.Top({tree_.Struct("S", {tree_.Member("a", "int"), tree_.Member("p", "int", 0, 0, 1, 1)})});
            case Start::kReimport: ImportBefore(Fresh()); return Fresh();
            case Start::kReimportArray:
                ImportBefore(tree_.Top({tree_.Struct("S", {tree_.Member("v", "int", 3)})}));
                return tree_.Top({tree_.Struct("S", {tree_.Member("v", "int", 3)})});
            case Start::kChanged: ImportBefore(Ints({"a"})); return Ints({"a", "b"});
            case Start::kRenamedReuse:
                ImportBefore(Ints({"a"}));
                ImportBefore(Ints({"a", "b"}));
                return Ints({"a", "b"});
            case Start::kElementConflict:
                MakeElement("x", SimpleType(TKS_SIMPLE_FLOAT));
                MakeElement("x_1", SimpleType(TKS_SIMPLE_FLOAT));
                return Ints({"x"});
            case Start::kStructureMember:
                return tree_.Top({tree_.Struct("addr", {tree_.Member("z", "int")}),
                                  tree_.Struct("S", {tree_.Member("h", "addr")})});
            case Start::kTypeNameHeld: MakeElement("S_TYPE", SimpleType(TKS_SIMPLE_INTEGER)); return Ints({"a"});
            case Start::kElementNameHeld: MakeType("x"); return Ints({"x"});
        }
        return nullptr;
    }
};

TEST_P(FaultInjectionTest, ReportsAndCountsExactly) {
    const FaultCase& c = GetParam();
    DeclNode* root = Prepare(c.start);
    repo_double::ArmFault(c.call, c.nth, c.code, c.text);
    EXPECT_EQ(Import(root), c.messages);
    EXPECT_EQ(counters_, c.counters);
    // The fault was reached: the call it names was made.
    bool reached = false;
    for (const auto& r : repo_double::Log())
        reached = reached || (r.call == c.call && (*c.text == '\0' || r.text == c.text));
    EXPECT_TRUE(reached);
}

const FaultCase kCases[] = {
    // Element creation.
    {"element default record", Start::kFresh, Call::GetDefaultDetails, "GetDefaultDetails 103 832", 1, -5,
     kFirstElementFailed,
     {2, 0, 0, 2}},
    {"element lookup", Start::kFresh, Call::FindDefinition, "FindDefinition 103 a", 1, -7,
     kFirstElementFailed,
     {2, 0, 0, 2}},
    {"element creation", Start::kFresh, Call::CreateElement, "", 1, -5,
     {kDefaultLength, "Importing C structure S.", "Error: Failed to create Element a. (rc = -5)",
      "Error: Failed to process Element and Children: S.", "Created Length NAME_LEN.", "Created Element name.",
      kChildErrors, "Rolling back created Elements.", "Deleting Element name.", "C Structure S not imported.",
      kFailedS, ""},
     {3, 0, 0, 2}},
    {"existing element read", Start::kReimport, Call::GetDetails, "GetDetails 0 832", 1, -5,
     {"Importing C structure S.", "Error: Failed to process Element and Children: S.",
      "Warning: Using defined Length NAME_LEN.", "Warning: Using defined Element name.", kChildErrors,
      "Rolling back created Elements.", "C Structure S not imported.", kFailedS, ""},
     {2, 0, 0, 0}},
    {"numbered element creation", Start::kElementConflict, Call::CreateElement, "", 1, -5,
     {kDefaultLength, "Importing C structure S.", "Error: Failed to create Element x_1.",
      "Error: Failed to create the Element x_1.", "Error: Failed to process Element and Children: S.", kChildErrors,
      "Rolling back created Elements.", "C Structure S not imported.", kFailedS, ""},
     {4, 0, 0, 1}},
    {"numbered element read", Start::kElementConflict, Call::GetDetails, "GetDetails 0 832", 2, -5,
     {kDefaultLength, "Importing C structure S.", "Error: Failed to compare duplicate Elements x_1.",
      "Warning: Duplicate Element found. Element created and renamed from x_1 to x_2.", "Created Type S_TYPE.",
      "Inserted Element x_2 into Type S_TYPE.", "C Structure S successfully imported.", ""},
     {1, 1, 1, 1}},
    {"numbered element after a name of another kind", Start::kElementNameHeld, Call::CreateElement, "", 2, -5,
     {kDefaultLength, "Importing C structure S.", "Error: Failed to create Element x_1.",
      "Error: Failed to process Element and Children: S.", kChildErrors, "Rolling back created Elements.",
      "C Structure S not imported.", kFailedS, ""},
     {3, 0, 0, 1}},
    {"numbered element lookup", Start::kElementConflict, Call::FindDefinition, "FindDefinition 103 x_1", 1, -5,
     {kDefaultLength, "Importing C structure S.",
      "Warning: Duplicate Element found. Element created and renamed from x_1 to x_2.", "Created Type S_TYPE.",
      "Inserted Element x_2 into Type S_TYPE.", "C Structure S successfully imported.", ""},
     {0, 1, 1, 1}},
    {"structure type lookup", Start::kStructureMember, Call::FindDefinition, "FindDefinition 104 addr_TYPE", 1, -5,
     {kDefaultLength, "Importing C structure addr.", "Created Element z.", "Created Type addr_TYPE.",
      "Inserted Element z into Type addr_TYPE.", "C Structure addr successfully imported.", "",
      "Importing C structure S.", "Created Element h.", kChildErrors, "Rolling back created Elements.",
      "Deleting Element h.", "C Structure S not imported.", kFailedS, ""},
     {1, 1, 1, 1}},

    // Lengths.
    {"length default record", Start::kFresh, Call::GetDefaultDetails, "GetDefaultDetails 107 572", 2, -5,
     kWithoutNameLength,
     {1, 1, 2, 1}},
    {"length creation", Start::kFresh, Call::CreateLengthID, "", 2, -5,
     kWithoutNameLength,
     {0, 1, 2, 1}},
    {"existing length default record", Start::kReimport, Call::GetDefaultDetails, "GetDefaultDetails 107 572", 3,
     -5,
     kLengthRenamed,
     {0, 1, 1, 1}},
    {"existing length lookup", Start::kReimport, Call::FindDefinition, "FindDefinition 107 NAME_LEN", 1, -5,
     kLengthRenamed,
     {0, 1, 1, 1}},
    {"existing length read", Start::kReimport, Call::GetDetails, "GetDetails 0 572", 1, -5,
     kLengthRenamed,
     {0, 1, 1, 1}},
    {"reused length lookup", Start::kReimport, Call::FindDefinition, "FindDefinition 107 NAME_LEN", 2, -5,
     {"Importing C structure S.", "Warning: Using defined Element a.", "Warning: Using defined Length NAME_LEN.",
      "Warning: Duplicate Element found. Element created and renamed from name to name_1.",
      "Warning: Duplicate Type found. Type created and renamed from S_TYPE to S_1_TYPE.",
      "Inserted Element a into Type S_1_TYPE.", "Inserted Element name_1 into Type S_1_TYPE.",
      "C Structure S successfully imported.", ""},
     {0, 1, 1, 0}},

    // Types.
    {"type default record", Start::kFresh, Call::GetDefaultDetails, "GetDefaultDetails 104 580", 1, -5,
     kTypeFailed,
     {1, 0, 2, 2}},
    {"type creation", Start::kFresh, Call::CreateType, "", 1, -5,
     kTypeFailed,
     {1, 0, 2, 2}},
    {"type in use lookup", Start::kReimport, Call::FindDefinition, "FindDefinition 104 S_TYPE", 1, -5,
     kTypeInUseUnread,
     {0, 0, 0, 0}},
    {"type in use read", Start::kReimport, Call::GetDetails, "GetDetails 0 580", 6, -5,
     kTypeInUseUnread,
     {0, 0, 0, 0}},
    {"numbered type invalid", Start::kChanged, Call::CreateType, "", 2, -14,
     {"Importing C structure S.", "Warning: Using defined Element a.", "Created Element b.",
      "Error: Invalid or unknown Type found. S_1_TYPE.", "Error: Failed to create the Type S_1_TYPE.",
      "C Structure S not imported.", kFailedS, ""},
     {2, 0, 1, 0}},
    {"numbered type creation", Start::kChanged, Call::CreateType, "", 2, -5,
     {"Importing C structure S.", "Warning: Using defined Element a.", "Created Element b.",
      "Error: Failed to create Type S_1_TYPE.", "Error: Failed to create the Type S_1_TYPE.",
      "C Structure S not imported.", kFailedS, ""},
     {2, 0, 1, 0}},
    {"numbered type after a name of another kind", Start::kTypeNameHeld, Call::CreateType, "", 2, -5,
     {kDefaultLength, "Importing C structure S.", "Created Element a.", "Error: Failed to create Type S_1_TYPE.",
      "C Structure S not imported.", kFailedS, ""},
     {1, 0, 1, 1}},
    {"numbered type lookup", Start::kRenamedReuse, Call::FindDefinition, "FindDefinition 104 S_1_TYPE", 1, -5,
     {"Importing C structure S.", "Warning: Using defined Element a.", "Warning: Using defined Element b.",
      "Warning: Duplicate Type found. Type created and renamed from S_1_TYPE to S_2_TYPE.",
      "Inserted Element a into Type S_2_TYPE.", "Inserted Element b into Type S_2_TYPE.",
      "C Structure S successfully imported.", ""},
     {0, 1, 0, 0}},
    {"numbered type comparison", Start::kRenamedReuse, Call::GetMemberDetails, "", 1, -5,
     {"Importing C structure S.", "Warning: Using defined Element a.", "Warning: Using defined Element b.",
      "Error: Failed to compare duplicate Element Type S_1_TYPE.", "Warning: Using defined Type S_1_TYPE.",
      "C Structure S not imported.", ""},
     {1, 0, 0, 0}},

    // Comparison with the existing Type.
    {"first member", Start::kReimport, Call::GetNextDefinition, "GetNextDefinition 3 1", 1, -5,
     kComparisonFailedReused,
     {1, 0, 0, 0}},
    {"next member", Start::kReimport, Call::GetNextDefinition, "GetNextDefinition 1 1", 1, -5,
     kComparisonFailedRenamed,
     {1, 1, 0, 0}},
    // A member list cut short is never taken as equal, even when as many
    // members were read as the structure has.
    {"end of member list", Start::kReimport, Call::GetNextDefinition, "GetNextDefinition 1 1", 2, -5,
     kComparisonFailedRenamed,
     {1, 1, 0, 0}},
    {"member element read", Start::kReimport, Call::GetDetails, "GetDetails 0 832", 3, -5,
     kComparisonFailedRenamed,
     {1, 1, 0, 0}},
    {"membership read", Start::kReimport, Call::GetMemberDetails, "", 1, -5,
     kComparisonFailedReused,
     {1, 0, 0, 0}},
    {"repeat count read", Start::kReimportArray, Call::GetMemberAttrValue, "GetMemberAttrValue Repeat Count 32704",
     1, -5,
     {"Importing C structure S.", "Warning: Using defined Element v.",
      "Error: Failed to compare duplicate Element Type S_TYPE.",
      "Warning: Duplicate Type found. Type created and renamed from S_TYPE to S_1_TYPE.",
      "Inserted Element v into Type S_1_TYPE.", "C Structure S successfully imported.", ""},
     {1, 1, 0, 0}},
    {"physical type read skipped", Start::kReimport, Call::GetMemberAttrValue,
     "GetMemberAttrValue Physical Type 32704", 1, -5,
     kReimported,
     {0, 0, 0, 0}},
    {"length read skipped", Start::kReimport, Call::GetMemberAttrValue, "GetMemberAttrValue Length 32704", 2, -5,
     kReimported,
     {0, 0, 0, 0}},
    {"signed read skipped", Start::kReimport, Call::GetMemberAttrValue, "GetMemberAttrValue Signed 32704", 1, -5,
     kReimported,
     {0, 0, 0, 0}},
    {"justification read", Start::kReimport, Call::GetMemberAttrValue,
     "GetMemberAttrValue String Justification 32704", 1, -5,
     kComparisonFailedReused,
     {1, 0, 0, 0}},

    // Rollback.
    {"rollback read", Start::kRollback, Call::GetDetails, "GetDetails 0 832", 1, -5,
     {kDefaultLength, "Importing C structure S.", "Created Element a.", "Error: p is a pointer and will not be imported.",
      kChildErrors, "Rolling back created Elements.", "C Structure S not imported.", kFailedS, ""},
     {2, 0, 1, 1}},
    {"rollback delete", Start::kRollback, Call::Delete, "", 1, -5,
     {kDefaultLength, "Importing C structure S.", "Created Element a.", "Error: p is a pointer and will not be imported.",
      kChildErrors, "Rolling back created Elements.", "Deleting Element a.", "C Structure S not imported.", kFailedS,
      ""},
     {2, 0, 1, 1}},

    // Insertion and attributes.
    {"inserted type read", Start::kFresh, Call::GetDetails, "GetDetails 0 580", 6, -5,
     kInsertionFailed,
     {1, 1, 2, 2}},
    {"inserted element read", Start::kFresh, Call::GetDetails, "GetDetails 0 832", 1, -5,
     kInsertionFailed,
     {1, 1, 2, 2}},
    {"default membership", Start::kFresh, Call::GetDefaultMemberDetails2, "", 1, -5,
     kInsertionFailed,
     {1, 1, 2, 2}},
    {"insertion", Start::kFresh, Call::InsertMember, "", 1, -5,
     {kDefaultLength, "Importing C structure S.", "Created Element a.", "Created Length NAME_LEN.",
      "Created Element name.", "Created Type S_TYPE.", "Error: Failed to insert Element a into Type S_TYPE.",
      "Error: Failed to insert Element a into Type S.", "C Structure S not imported.", kFailedS, ""},
     {2, 1, 2, 2}},
    {"insertion of a member twice", Start::kFresh, Call::InsertMember, "", 2, -22,
     {kDefaultLength, "Importing C structure S.", "Created Element a.", "Created Length NAME_LEN.",
      "Created Element name.", "Created Type S_TYPE.", "Inserted Element a into Type S_TYPE.",
      "Error: Failed to insert Element name into Type S_TYPE.",
      "Error: Invalid C: Duplicate C element S_TYPE in structure.", "C Structure S not imported.", kFailedS, ""},
     {1, 1, 2, 2}},
    {"attribute", Start::kFresh, Call::SetMemberAttrValue, "", 3, -5,
     {kDefaultLength, "Importing C structure S.", "Created Element a.", "Created Length NAME_LEN.",
      "Created Element name.", "Created Type S_TYPE.", "Inserted Element a into Type S_TYPE.",
      "Error: Failed to set the CWF attribute Signed.", "Inserted Element name into Type S_TYPE.",
      "C Structure S successfully imported.", ""},
     {1, 1, 2, 2}},
};

INSTANTIATE_TEST_SUITE_P(Branches, FaultInjectionTest, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.title;
    for (char& ch : name)
        if (ch == ' ') ch = '_';
    return name;
});

}  // namespace
}  // namespace mapping_test
