// What check reports: each construct of the header that the importer reads
// otherwise than a C compiler, at its place in the header as written, with
// what the import does with it, taken from an import into a scratch
// repository.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "prepared_header.h"

namespace cimport_cli {

struct Finding {
    std::string file;
    int32_t line = 0;
    std::string kind;
    std::optional<std::string> structure;  // the structure it belongs to
    std::string message;                   // what it is: what the import does
    bool reached = true;                   // false after the parse has stopped
};

struct CheckResult {
    std::vector<Finding> findings;
    // Where the parse stops; an empty file when it does not.
    std::string stopFile;
    int32_t stopLine = 0;
};

// header: the path as the user wrote it.  repository: the user's, read only;
// empty for an empty one.  Throws CommandError on bad input and when the
// importer cannot read the header at all.
CheckResult CheckHeader(const std::string& header, const PreparedHeader& prepared, const std::string& repository,
                        int waitSeconds);

}  // namespace cimport_cli
