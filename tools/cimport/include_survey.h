// A preprocessor run made only to learn which files a header reads: the
// dependency list (-M) and the system headers it could not find.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cimport_cli {

struct IncludeSurvey {
    std::vector<std::string> files;           // every file opened by #include, in order, once each
    std::vector<std::string> missingHeaders;  // names of <...> includes not found, in order, once each
};

// argumentsFor returns the preprocessor's argument vector of the run to
// survey; it is called in the private working directory of the survey.
// Throws CommandError.
IncludeSurvey SurveyIncludes(const std::function<std::vector<std::string>()>& argumentsFor);

}  // namespace cimport_cli
