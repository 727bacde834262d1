// The two forms in which parse prints a declaration tree: an indented tree
// of text and JSON.
#pragma once

#include <ostream>
#include <string>

#include "cimp/parse/decl_tree.h"

namespace cimport_cli {

void PrintDeclTreeText(const cimp::DeclNode* root, std::ostream& out);

// The JSON form, documented in README.md; its keys and their order are stable.
void PrintDeclTreeJson(const std::string& header, const cimp::DeclNode* root, const cimp::TypedefEntry* typedefs,
                       std::ostream& out);

}  // namespace cimport_cli
