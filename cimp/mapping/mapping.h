// The repository mapping stage: every structure of the declaration tree
// becomes repository Types, Elements and Lengths.
#pragma once

#include <cstdint>

#include "cimp/import_context.h"
#include "cimp/parse/decl_tree.h"

namespace cimp::mapping {

// Imports the top-level structures of root and its siblings.  0 when the
// structures were walked (whatever errors were counted); -1 when none could
// be walked (simple Types or the default Length missing, or out of memory).
// Errors of the walk are reported and counted in context, never thrown.
int32_t ImportStructures(ImportContext& context, DeclNode* root);

}  // namespace cimp::mapping
