// The stage entry points the import run calls, gathered so that a test can
// put doubles in their place.
#pragma once

#include <cstdint>

#include "cimp/import_context.h"
#include "cimp/parse/decl_tree.h"

namespace cimp {

struct ImportStages {
    // Preprocesses argv[1] (with its -I options) into "cprep.tmp"; 0, -1 (no
    // diagnostics file) or -2 (fatal error).
    int32_t (*runPreprocessor)(int argc, char** argv);
    // Parses "cprep.tmp"; writes *status only on failure (-1 to -4); returns the
    // tree root (also held in DeclTreeRoot()), null when nothing was parsed.
    DeclNode* (*parseHeaderFile)(int argc, char** argv, TypedefEntry** typedefs, int32_t* status);
    int32_t (*importStructures)(ImportContext& context, DeclNode* root);
    void (*reportImport)(ImportContext& context);
};

// The real stages, as DoCImport runs them.
const ImportStages& DefaultStages();

}  // namespace cimp
