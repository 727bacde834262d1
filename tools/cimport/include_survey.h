// A preprocessor run made only to learn which files a header reads: the
// dependency list (-M) and the system headers it could not find.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cimport_cli {

struct IncludeSurvey {
    bool listed = false;                      // false: nothing to do, and no run was made
    std::vector<std::string> files;           // every file opened by #include, in order, once each
    std::vector<std::string> missingHeaders;  // names of <...> includes not found, in order, once each
};

// argumentsFor returns the preprocessor's argument vector of the run to
// survey; it is called in the private working directory of the survey.  The
// run is made only when a quick scan of the files it can read finds, with
// standIns, a <...> include that no directory provides or, with pragmas, a
// #pragma line (in them or in header), or a line it cannot read for sure.
// Throws CommandError.
IncludeSurvey SurveyIncludes(const std::function<std::vector<std::string>()>& argumentsFor,
                             const std::string& header, bool standIns, bool pragmas);

}  // namespace cimport_cli
