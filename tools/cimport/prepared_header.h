// What the command puts around the importer for one header: the bundled
// headers searched last, the compiler words read after the user's
// pre-include, empty stand-ins for missing system headers and a mirror of
// the files read with their #pragma lines blanked.  The library itself
// takes none of this; a host that calls it directly gets none of it.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "input_paths.h"
#include "pragma_mirror.h"

namespace cimport_cli {

// True when the switches turn off everything the command adds: the stages
// then get what a host that calls the library gets, and the output is theirs.
bool AddsNothing(const HeaderInputOptions& checked);

class PreparedHeader {
public:
    // The preprocessor's argument vector for a header and its input options,
    // made in the current directory (as the stage runs it).
    using ArgumentsFor = std::function<std::vector<std::string>(const std::string&, const HeaderInputOptions&)>;

    // header and checked as CheckHeaderInputs gives them; quiet leaves out
    // the note on blanked #pragma lines.  Throws CommandError.
    PreparedHeader(const std::string& header, const HeaderInputOptions& checked, const ArgumentsFor& argumentsFor,
                   bool quiet);
    ~PreparedHeader();
    PreparedHeader(const PreparedHeader&) = delete;
    PreparedHeader& operator=(const PreparedHeader&) = delete;

    // The header and the options to hand the stages.
    const std::string& Header() const { return header_; }
    const HeaderInputOptions& Input() const { return input_; }
    // A text of the stages with the mirror's paths replaced by the original ones.
    std::string Original(const std::string& text) const { return mirror_ ? mirror_->Original(text) : text; }
    // True when the stages read a mirror, so their texts need Original.
    bool Mirrored() const { return mirror_ != nullptr; }

private:
    void UseCompilerWords(const std::string& userPreInclude, const std::string& compilerWords);
    void MirrorPragmas(const std::vector<std::string>& included, bool quiet);

    std::string header_;
    HeaderInputOptions input_;
    std::filesystem::path root_;  // private; removed with everything in it
    std::string userPreInclude_;
    std::string compilerWords_;  // empty when they are not read
    std::unique_ptr<PragmaMirror> mirror_;
};

}  // namespace cimport_cli
