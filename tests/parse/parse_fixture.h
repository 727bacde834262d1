// Runs the parse stage on a text written to "cprep.tmp" and describes what it built
// in compact, comparable strings; the includes the parse and driver tests share.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cimp/parse/parse_driver.h"
#include "cimp/text_file.h"
#include "tests/support/file_bytes.h"

namespace cimp::parse::test {

using test_support::ReadFileBytes;
using test_support::WriteFileBytes;

inline const std::string kClean = "No syntax errors found during parse.\r\r\n";

// [r=N] [l=N] for repeat count and length when not 0, [u] unsigned, [*] pointer.
inline std::string Flags(int32_t repeat, int32_t length, int32_t isSigned, int32_t isPointer) {
    return (repeat != 0 ? "[r=" + std::to_string(repeat) + "]" : "") +
           (length != 0 ? "[l=" + std::to_string(length) + "]" : "") +
           (isSigned == 1 ? "" : isSigned == 0 ? "[u]" : "[!s=" + std::to_string(isSigned) + "]") +
           (isPointer != 0 ? "[*]" : "");
}

// Siblings joined by " | " at file scope and "; " below.  A member is name:type, a
// structure name<tag>:type{members}, with flags, and [!level=N] for a wrong level.
inline std::string DescribeTree(const DeclNode* node, int32_t level = 1) {
    std::string out;
    for (bool first = true; node != nullptr; node = node->nextSibling, first = false) {
        const bool structure = node->kind == kStructureNode;
        out += (first ? "" : level == 1 ? " | " : "; ") + node->name;
        if (structure || !node->tag.empty()) out += "<" + node->tag + ">";
        out += ":" + node->typeName;
        out += Flags(node->repeatCount, node->length, node->isSigned, node->isPointer);
        if (node->level != level) out += "[!level=" + std::to_string(node->level) + "]";
        const std::string children = DescribeTree(node->firstChild, level + 1);
        out += structure ? "{" + children + "}" : children;
    }
    return out;
}

// Entries joined by ", ": name=type with the same flags.
inline std::string DescribeTypedefs(const TypedefEntry* head) {
    std::string out;
    for (const TypedefEntry* e = head; e != nullptr; e = e->next)
        out += (out.empty() ? "" : ", ") + e->name + "=" + e->typeName +
               Flags(e->repeatCount, e->length, e->isSigned, e->isPointer);
    return out;
}

struct ParseOutcome : ParsedDeclarations {
    int32_t status = 0;
    std::string diagnostics;  // the raw bytes of "errorfile.err"
    std::string Tree() const { return DescribeTree(root); }
    std::string Typedefs() const { return DescribeTypedefs(typedefs); }
};

// Parses text through ParseHeaderFile with a fresh "errorfile.err".
inline void ParseText(const std::string& text, ParseOutcome& outcome) {
    RemoveFile("errorfile.err");
    WriteFileBytes("cprep.tmp", text);
    char name[] = "cprep.tmp";
    char* argv[] = {name, name};
    outcome.root = ParseHeaderFile(2, argv, &outcome.typedefs, &outcome.status);
    outcome.diagnostics = ReadFileBytes("errorfile.err");
}

}  // namespace cimp::parse::test
