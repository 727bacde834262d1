// A quick textual look at the files a preprocessor run can read, made
// before the run that lists them (-M), which costs as much as the import's
// own preprocessing: most headers include nothing missing and hold no
// #pragma line, and then that run is not needed.
#pragma once

#include <string>
#include <vector>

namespace cimport_cli {

// True unless a scan shows that the preprocessor run with this argument
// vector (as SurveyIncludes makes it, in the current directory) finds, with
// standIns, every <...> include it meets and, with pragmas, that none of the
// files it can read, nor header, holds a #pragma line.  The scan follows every #include
// line with a plain "..." or <...> name along the run's search path, in
// live and skipped branches alike; a line it cannot read for sure (a name
// made by a macro, a comment or a line splice where the directive's words
// are) makes it answer true.
bool NeedsIncludeListing(const std::vector<std::string>& args, const std::string& header, bool standIns,
                         bool pragmas);

}  // namespace cimport_cli
