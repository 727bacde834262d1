// Runs the parse stage on a text written to "cprep.tmp" and describes what it
// built in compact, comparable strings.
#pragma once

#include <cstdint>
#include <string>

#include "cimp/parse/decl_tree.h"
#include "tests/support/file_bytes.h"

namespace cimp::parse::test {

using test_support::ReadFileBytes;
using test_support::WriteFileBytes;

struct ParseOutcome : ParsedDeclarations {
    int32_t status = 0;
    std::string diagnostics;  // the raw bytes of "errorfile.err"

    std::string Tree() const;      // see DescribeTree
    std::string Typedefs() const;  // see DescribeTypedefs
};

// Writes text to "cprep.tmp" (raw bytes) and parses it through
// ParseHeaderFile with a fresh "errorfile.err".
void ParseText(const std::string& text, ParseOutcome& outcome);

// Siblings joined by " | ", members by "; ".  A member is name:type, a
// structure name<tag>:type{members}; then [r=N] [l=N] for repeat count and
// length when not 0, [u] when not signed, [*] for a pointer.  A level that
// does not match the node's depth, or a field the parser must leave zero that
// is not, shows as [!...].
std::string DescribeTree(const DeclNode* first);
// Entries joined by ", ": name=type with the same flags.
std::string DescribeTypedefs(const TypedefEntry* head);

}  // namespace cimp::parse::test
