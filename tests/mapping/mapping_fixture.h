// Shared ground of the mapping tests: declaration trees built by hand, an
// import into a fresh in-memory stand-in repository behind the recording
// double, and views of the repository's contents afterwards.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "cimp/import_context.h"
#include "cimp/mapping/mapping.h"
#include "cimp/parse/decl_tree.h"
#include "repository_double.h"

namespace mapping_test {

using cimp::DeclNode;

// Owns the nodes of the trees of one test.
class Tree {
public:
    // A member node; isSigned 0 stands for "unsigned".
    DeclNode* Member(const std::string& name, const std::string& type, int32_t repeat = 0, int32_t length = 0,
                     int32_t isSigned = 1, int32_t isPointer = 0);
    // A structure node named (and typed) name with these members in order.
    DeclNode* Struct(const std::string& name, std::initializer_list<DeclNode*> members);
    // Chains the file-scope structures and sets every node's level.
    DeclNode* Top(std::initializer_list<DeclNode*> structures);

private:
    std::deque<DeclNode> nodes_;
};

struct Counters {
    int32_t errors = 0;
    int32_t types = 0;
    int32_t elements = 0;
    int32_t lengths = 0;
    bool operator==(const Counters&) const = default;
};

void PrintTo(const Counters& c, std::ostream* os);

// The summary message for these counters.
std::string Summary(const Counters& c);

class MappingTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A context on the test's repository whose messages land in messages.
    std::unique_ptr<cimp::ImportContext> NewContext();
    // Runs the mapping over root (and the report when asked); returns the
    // messages of this import.
    std::vector<std::string> Import(DeclNode* root, bool report = false);
    // Imports an earlier header: its messages and counters are dropped, the
    // double's log and faults are reset afterwards.
    void ImportBefore(DeclNode* root);

    // Views of the repository, read around the double.
    TKSHandle Find(int32_t kind, const std::string& name) const;
    std::vector<std::string> MemberNames(const std::string& typeName) const;
    std::string Attribute(const std::string& typeName, const std::string& elementName,
                          const std::string& attribute) const;
    int32_t LengthValue(const std::string& lengthName) const;
    std::string ElementTypeName(const std::string& elementName) const;
    std::string ElementLengthName(const std::string& elementName) const;
    std::string NameOf(TKSHandle handle) const;
    // Creates an object directly in the repository (for conflicts).
    TKSHandle MakeType(const std::string& name, int32_t typeClass = TKS_TYPE_CLASS_STRUCTURE,
                       int32_t simpleTypeCode = 0);
    TKSHandle MakeElement(const std::string& name, TKSHandle type, TKSHandle length = 0);
    TKSHandle MakeLength(const std::string& name, int32_t value);
    TKSHandle SimpleType(int32_t code) const;

    TKSHandle repository_ = 0;
    std::vector<std::string> messages_;
    Counters counters_;  // of the last Import
    Tree tree_;
};

}  // namespace mapping_test
