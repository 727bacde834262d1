#include "decl_tree_output.h"

#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace cimport_cli {

namespace {

using cimp::DeclNode;
using cimp::TypedefEntry;
using Json = nlohmann::ordered_json;

bool IsStructure(const DeclNode& node) { return node.kind == cimp::kStructureNode; }

// The node's line, built whole so that it reaches the stream in one write.
void PrintNodeText(const DeclNode& node, int depth, std::string& line, std::ostream& out) {
    line.assign(2 * static_cast<std::size_t>(depth), ' ');
    if (IsStructure(node))
        line.append("struct ").append(node.name).append(": tag \"").append(node.tag).append("\", type \"");
    else
        line.append(node.name).append(": type \"");
    line.append(node.typeName).append("\"");
    const std::pair<const char*, int32_t> numbers[] = {{", repeat ", node.repeatCount}, {", length ", node.length},
                                                       {", signed ", node.isSigned},      {", pointer ", node.isPointer},
                                                       {", level ", node.level}};
    for (const auto& [label, value] : numbers) line.append(label).append(std::to_string(value));
    line += '\n';
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
}

Json NodeJson(const DeclNode& node) {
    Json json{{"kind", IsStructure(node) ? "structure" : "member"}, {"name", node.name}};
    if (IsStructure(node)) json["tag"] = node.tag;
    json["type"] = node.typeName;
    json["repeatCount"] = node.repeatCount;
    json["length"] = node.length;
    json["signed"] = node.isSigned != 0;
    json["pointer"] = node.isPointer != 0;
    json["level"] = node.level;
    if (IsStructure(node)) json["members"] = Json::array();
    return json;
}

Json TypedefsJson(const TypedefEntry* typedefs) {
    Json list = Json::array();
    for (const TypedefEntry* entry = typedefs; entry != nullptr; entry = entry->next)
        list.push_back(Json{{"name", entry->name},
                            {"type", entry->typeName},
                            {"repeatCount", entry->repeatCount},
                            {"length", entry->length},
                            {"signed", entry->isSigned != 0},
                            {"pointer", entry->isPointer != 0}});
    return list;
}

}  // namespace

// Depth first with an explicit stack, so that deep nesting cannot exhaust
// the call stack.
void PrintDeclTreeText(const DeclNode* root, std::ostream& out) {
    std::vector<std::pair<const DeclNode*, int>> pending;
    std::string line;
    if (root != nullptr) pending.emplace_back(root, 0);
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        PrintNodeText(*node, depth, line, out);
        if (node->nextSibling != nullptr) pending.emplace_back(node->nextSibling, depth);
        if (node->firstChild != nullptr) pending.emplace_back(node->firstChild, depth + 1);
    }
}

void PrintDeclTreeJson(const std::string& header, const DeclNode* root, const TypedefEntry* typedefs,
                       std::ostream& out) {
    Json structures = Json::array();
    // Each entry: a node still to add and the array it goes into.  A child's
    // array is only written to while its subtree is on top of the stack, so
    // the pointers stay valid.
    std::vector<std::pair<const DeclNode*, Json*>> pending;
    if (root != nullptr) pending.emplace_back(root, &structures);
    while (!pending.empty()) {
        const auto [node, into] = pending.back();
        pending.pop_back();
        into->push_back(NodeJson(*node));
        Json& added = into->back();
        if (node->nextSibling != nullptr) pending.emplace_back(node->nextSibling, into);
        if (node->firstChild != nullptr) pending.emplace_back(node->firstChild, &added["members"]);
    }
    const Json document{{"header", header}, {"structures", std::move(structures)}, {"typedefs", TypedefsJson(typedefs)}};
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace cimport_cli
