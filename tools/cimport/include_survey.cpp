#include "include_survey.h"

#include <algorithm>
#include <sstream>

#include "cimp/cpp/preprocessor.h"
#include "cimp/import_run.h"
#include "command_error.h"
#include "stage_files.h"
#include "work_dir.h"

namespace cimport_cli {

namespace {

constexpr const char* kNotFound = "Could not find include file ";

void AddOnce(std::vector<std::string>& list, std::string item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(std::move(item));
}

// The preprocessor's prefix of a dependency line: the input's name, its last
// character replaced when it has a one-letter extension, and "$O: ".
std::string DependencyPrefix(std::string input) {
    if (input.size() >= 2 && input[input.size() - 2] == '.') input.pop_back();
    return input + "$O: ";
}

// The dependency lines are written between blocks of the output text, so
// they may begin inside one of its lines.
std::vector<std::string> DependencyPaths(const std::string& output, const std::string& prefix) {
    std::vector<std::string> paths;
    for (std::size_t at = output.find(prefix); at != std::string::npos; at = output.find(prefix, at)) {
        at += prefix.size();
        const std::size_t end = output.find_first_of("\r\n", at);
        AddOnce(paths, output.substr(at, end - at));
    }
    return paths;
}

std::vector<std::string> MissingSystemHeaders(const std::string& diagnostics) {
    std::vector<std::string> names;
    std::istringstream lines(diagnostics);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(kNotFound, 0) != 0) continue;
        std::string name = line.substr(std::char_traits<char>::length(kNotFound));
        std::erase_if(name, [](char c) { return c == ' ' || c == '\t'; });
        if (name.size() > 2 && name.front() == '<' && name.back() == '>')
            AddOnce(names, name.substr(1, name.size() - 2));
    }
    return names;
}

}  // namespace

IncludeSurvey SurveyIncludes(const std::function<std::vector<std::string>()>& argumentsFor) {
    PrivateWorkDir workDir;
    std::vector<std::string> args = argumentsFor();
    args.insert(args.begin() + 1, {"-M", "-M"});
    ArgumentVector vector(args);
    if (cimp::cpp::RunPreprocessor(vector.Count(), vector.Vector()) == -1)
        throw CommandError("cannot write the preprocessor's diagnostics file");
    IncludeSurvey survey;
    survey.files = DependencyPaths(ReadFileBytes(cimp::kPreprocessedFile), DependencyPrefix(args.back()));
    survey.missingHeaders = MissingSystemHeaders(ReadTextFile(cimp::cpp::kPpErrorFile));
    return survey;
}

}  // namespace cimport_cli
