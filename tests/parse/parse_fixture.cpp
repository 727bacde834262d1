#include "parse_fixture.h"

#include <vector>

#include "cimp/parse/parse_driver.h"
#include "cimp/text_file.h"

namespace cimp::parse::test {
namespace {

std::string Flags(int32_t repeat, int32_t length, int32_t isSigned, int32_t isPointer) {
    std::string flags;
    if (repeat != 0) flags += "[r=" + std::to_string(repeat) + "]";
    if (length != 0) flags += "[l=" + std::to_string(length) + "]";
    if (isSigned == 0) flags += "[u]";
    if (isSigned != 0 && isSigned != 1) flags += "[!s=" + std::to_string(isSigned) + "]";
    if (isPointer != 0) flags += "[*]";
    return flags;
}

std::string Untouched(const DeclNode& node) {
    const bool clean = node.justification[0] == '\0' && node.physicalTypeCode[0] == '\0' &&
                       node.elementCreated == 0 && node.typeCreated == 0 && node.physicalType == 0 &&
                       node.typeHandle == 0 && node.elementHandle == 0 && node.lengthHandle == 0;
    return clean ? "" : "[!mapping fields]";
}

void Describe(const DeclNode* node, int32_t level, std::string& out) {
    for (bool first = true; node != nullptr; node = node->nextSibling, first = false) {
        if (!first) out += level == 1 ? " | " : "; ";
        out += node->name;
        if (node->kind == kStructureNode || !node->tag.empty()) out += "<" + node->tag + ">";
        out += ":" + node->typeName;
        out += Flags(node->repeatCount, node->length, node->isSigned, node->isPointer);
        if (node->level != level) out += "[!level=" + std::to_string(node->level) + "]";
        if (node->kind != kStructureNode && node->kind != kMemberNode) out += "[!kind]";
        out += Untouched(*node);
        if (node->kind == kStructureNode) {
            out += "{";
            Describe(node->firstChild, level + 1, out);
            out += "}";
        } else if (node->firstChild != nullptr) {
            out += "[!children]";
        }
    }
}

}  // namespace

std::string ParseOutcome::Tree() const { return DescribeTree(root); }
std::string ParseOutcome::Typedefs() const { return DescribeTypedefs(typedefs); }

void ParseText(const std::string& text, ParseOutcome& outcome) {
    RemoveFile("errorfile.err");
    WriteFileBytes("cprep.tmp", text);
    std::string name = "cprep.tmp";
    std::vector<char*> argv{name.data(), name.data()};
    outcome.root = ParseHeaderFile(2, argv.data(), &outcome.typedefs, &outcome.status);
    outcome.diagnostics = ReadFileBytes("errorfile.err");
}

std::string DescribeTree(const DeclNode* first) {
    std::string out;
    Describe(first, 1, out);
    return out;
}

std::string DescribeTypedefs(const TypedefEntry* head) {
    std::string out;
    for (const TypedefEntry* e = head; e != nullptr; e = e->next) {
        if (!out.empty()) out += ", ";
        out += e->name + "=" + e->typeName + Flags(e->repeatCount, e->length, e->isSigned, e->isPointer);
        if (!e->label.empty() || e->reserved != 0) out += "[!label]";
    }
    return out;
}

}  // namespace cimp::parse::test
