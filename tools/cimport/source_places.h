// Places in the header as written for lines of the preprocessed text: through
// the line markers the preprocessor writes, and through the importer's copy
// of the header ("cpre.tmp": the pre-include line first, dropped lines left
// out).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cimport_cli {

struct SourcePlace {
    std::string file;
    int32_t line = 0;
};

class SourcePlaces {
public:
    // preprocessed: the preprocessor's output with plain line ends.  The
    // markers that name copyName count lines of the copy, whose lines come
    // from header's lines copyLines (0: the pre-include line).
    SourcePlaces(const std::string& preprocessed, std::string copyName, std::vector<int32_t> copyLines,
                 std::string header);

    // The place of a line of the preprocessed text (counted from 1).
    SourcePlace Of(int32_t preprocessedLine) const;

private:
    struct Marker {
        int32_t at;  // line of the preprocessed text that holds the marker
        int32_t line;
        std::string file;
    };
    std::vector<Marker> markers_;
    std::string copyName_;
    std::vector<int32_t> copyLines_;
    std::string header_;
};

}  // namespace cimport_cli
