// Checks of the paths a user names, made before anything runs: every path is
// made absolute, because the stages run in a temporary working directory.
#pragma once

#include <string>
#include <vector>

namespace cimport_cli {

// How a header reaches the preprocessor, as import and parse take it.
struct HeaderInputOptions {
    std::vector<std::string> includeDirectories;
    std::string preInclude;
    bool keepSystemIncludes = true;
    // Searched after the header's own directory: the bundled headers, the stand-ins.
    std::vector<std::string> lastDirectories;
    // The switches that turn off what the command adds around the importer.
    bool dropSystemIncludes = false;
    bool noStdHeaders = false;
    bool noCompilerWords = false;
    bool keepPragmas = false;
    bool strictIncludes = false;
};

// The absolute path of an existing, readable regular file; what names the
// file in the error message ("header", "pre-include file").  Throws CommandError.
std::string ExistingFile(const std::string& path, const char* what);

// The options with every path checked and made absolute.  A directory name
// holding ';' cannot travel in the include variable and is refused.  Throws
// CommandError.
HeaderInputOptions CheckHeaderInputs(const HeaderInputOptions& options);

// The include path of one header in the form of the "include" variable: the
// include directories joined with ";", then the header's own directory, so
// that its quoted includes are found although the importer reads a copy of it
// made in the working directory, then the last directories.
std::string IncludePathFor(const HeaderInputOptions& input, const std::string& header);

}  // namespace cimport_cli
