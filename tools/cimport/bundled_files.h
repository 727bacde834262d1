// The headers and the compiler words that come with the command.
#pragma once

#include <string>

namespace cimport_cli {

struct BundledFiles {
    std::string headerDirectory;  // the standard and platform headers
    std::string compilerWords;    // the pre-include of compiler-specific words
};

// Looks in <executable dir>/../share/cimport (installed) and in
// <executable dir>/share/cimport (the build tree).  Throws CommandError when
// neither holds them.
BundledFiles FindBundledFiles();

// The pre-include that reads the user's pre-include, when there is one, and
// then the compiler words.
std::string PreludeText(const std::string& userPreInclude, const std::string& compilerWords);

}  // namespace cimport_cli
