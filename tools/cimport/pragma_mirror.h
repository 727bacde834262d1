// The importer's parser stops at the first #pragma line, so the command can
// hand it a private mirror of the header and of the files it includes, with
// every #pragma line blanked and the line numbers unchanged.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace cimport_cli {

// The text with each #pragma directive (with the lines it continues onto)
// replaced by empty lines; count grows by the number of directives blanked.
std::string BlankPragmas(const std::string& text, int& count);

class PragmaMirror {
public:
    // Mirrors each directory under root, which exists and is empty; a file
    // keeps its path relative to the directory it was found in, so that the
    // mirrored directories searched in the same order find the same files.
    PragmaMirror(const std::filesystem::path& root, const std::vector<std::string>& directories,
                 const std::vector<std::string>& files);

    int Blanked() const { return blanked_; }  // 0: nothing was mirrored
    // The mirror of directories[i].
    const std::string& Directory(std::size_t i) const { return mirrors_[i]; }
    // A blanked copy of a file found in none of the directories.
    std::string CopyLoose(const std::string& file);
    // The text with the mirror's paths replaced by the original ones.
    std::string Original(std::string text) const;

private:
    std::vector<std::pair<std::string, std::string>> texts_;  // file, blanked text
    std::vector<std::string> mirrors_;
    std::vector<std::pair<std::string, std::string>> paths_;  // mirror path, original path
    std::filesystem::path root_;
    int blanked_ = 0;
};

}  // namespace cimport_cli
