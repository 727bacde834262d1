// The declaration parser's entry, called once per import after the
// preprocessor has written its output.
#pragma once

#include <cstdint>

#include "cimp/parse/decl_tree.h"

namespace cimp::parse {

// Parses argv[1] (argc >= 2).  Appends the syntax-error report and a summary
// line to "errorfile.err", echoes characters no rule takes to "out.tmp" (which
// it deletes), appends new typedef entries to *typedefs and returns the tree
// root, which DeclTreeRoot() also holds; null when there is none or after a
// fatal scanner error.  *status is written only on the early failures: -1 no
// diagnostics file, -2 too few arguments, -3 no echo file, -4 no source file.
DeclNode* ParseHeaderFile(int argc, char** argv, TypedefEntry** typedefs, int32_t* status);

}  // namespace cimp::parse
