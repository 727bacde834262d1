#include "prepared_header.h"

#include <fstream>
#include <iostream>
#include <system_error>

#include "bundled_files.h"
#include "command_error.h"
#include "include_standins.h"
#include "include_survey.h"
#include "platform.h"

namespace cimport_cli {

namespace fs = std::filesystem;

bool AddsNothing(const HeaderInputOptions& checked) {
    return checked.noStdHeaders && checked.noCompilerWords && checked.keepPragmas && checked.strictIncludes;
}

PreparedHeader::PreparedHeader(const std::string& header, const HeaderInputOptions& checked,
                               const ArgumentsFor& argumentsFor, bool quiet)
    : header_(header), input_(checked), userPreInclude_(checked.preInclude) {
    if (AddsNothing(checked)) return;
    try {
        root_ = CreatePrivateDirectory();
    } catch (const fs::filesystem_error& error) {
        throw CommandError(std::string("cannot create a temporary directory: ") + error.what());
    }
    if (!checked.noStdHeaders || !checked.noCompilerWords) {
        const BundledFiles bundled = FindBundledFiles();
        if (!checked.noStdHeaders) input_.lastDirectories.push_back(bundled.headerDirectory);
        if (!checked.noCompilerWords) UseCompilerWords(checked.preInclude, bundled.compilerWords);
    }
    if (checked.strictIncludes && checked.keepPragmas) return;
    const IncludeSurvey survey = SurveyIncludes([&] { return argumentsFor(header_, input_); });
    if (!checked.strictIncludes && WriteStandIns(root_ / "s", survey.missingHeaders))
        input_.lastDirectories.push_back((root_ / "s").string());
    if (!checked.keepPragmas) MirrorPragmas(survey.files, quiet);
}

PreparedHeader::~PreparedHeader() {
    std::error_code ignored;
    if (!root_.empty()) fs::remove_all(root_, ignored);
}

void PreparedHeader::UseCompilerWords(const std::string& userPreInclude, const std::string& compilerWords) {
    compilerWords_ = compilerWords;
    const fs::path prelude = root_ / "words.h";
    std::ofstream out(prelude, std::ios::binary);
    out << PreludeText(userPreInclude, compilerWords);
    if (!out.flush()) throw CommandError("cannot write " + prelude.string());
    input_.preInclude = prelude.string();
}

// The user's directories and the header's own one are mirrored; the bundled
// headers and the stand-ins hold no #pragma lines.
void PreparedHeader::MirrorPragmas(const std::vector<std::string>& included, bool quiet) {
    std::vector<std::string> directories = input_.includeDirectories;
    directories.push_back(fs::path(header_).parent_path().string());
    std::vector<std::string> files = included;
    files.push_back(header_);
    mirror_ = std::make_unique<PragmaMirror>(root_ / "m", directories, files);
    if (mirror_->Blanked() == 0) {
        mirror_.reset();
        return;
    }
    for (std::size_t i = 0; i + 1 < directories.size(); ++i) input_.includeDirectories[i] = mirror_->Directory(i);
    header_ = (fs::path(mirror_->Directory(directories.size() - 1)) / fs::path(header_).filename()).string();
    if (!userPreInclude_.empty()) {
        const std::string copy = mirror_->CopyLoose(userPreInclude_);
        if (compilerWords_.empty())
            input_.preInclude = copy;
        else
            UseCompilerWords(copy, compilerWords_);
    }
    if (!quiet)
        std::cerr << "cimport: " << mirror_->Blanked()
                  << " #pragma lines read as empty lines (the importer stops at them; --keep-pragmas keeps them)\n";
}

}  // namespace cimport_cli
