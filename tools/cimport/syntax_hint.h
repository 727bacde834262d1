// The line that ends the output of an import or a parse with syntax errors
// (unless the switches turn off everything the command adds).
#pragma once

#include <string>

#include "input_paths.h"

namespace cimport_cli {

// Names the command that prints the text whose lines the syntax errors count:
// cimport preprocess --like-import with the same header options.  checked
// holds the options as the user gave them, with the paths made absolute.
std::string SyntaxErrorHint(const std::string& header, const HeaderInputOptions& checked);

}  // namespace cimport_cli
