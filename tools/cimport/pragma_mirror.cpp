#include "pragma_mirror.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "command_error.h"
#include "line_text.h"
#include "stage_files.h"

namespace cimport_cli {

namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// True when the physical line [start, end) begins a #pragma directive.
bool IsPragmaLine(const std::string& text, std::size_t start, std::size_t end) {
    std::size_t at = start;
    while (at < end && IsBlank(text[at])) ++at;
    if (at == end || text[at] != '#') return false;
    for (++at; at < end && IsBlank(text[at]);) ++at;
    static const std::string kWord = "pragma";
    if (text.compare(at, kWord.size(), kWord) != 0) return false;
    at += kWord.size();
    return at >= end || !IsNameChar(text[at]);
}

// The path of file relative to directory, when file lies under it.
bool RelativePath(const std::string& file, const std::string& directory, std::string& relative) {
    if (file.size() <= directory.size() + 1 || file.compare(0, directory.size(), directory) != 0) return false;
    if (file[directory.size()] != '/' && file[directory.size()] != '\\') return false;
    relative = file.substr(directory.size() + 1);
    return true;
}

// How many levels a relative path climbs above its directory ("../x.h": 1).
int Climb(const std::string& relative) {
    int levels = 0;
    for (const fs::path& part : fs::path(relative).lexically_normal()) {
        if (part != "..") break;
        ++levels;
    }
    return levels;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (error || !out.flush()) throw CommandError("cannot write the mirror file " + path.string());
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

std::string BlankPragmas(const std::string& text, int& count) {
    if (text.find("pragma") == std::string::npos) return text;
    std::string blanked;
    blanked.reserve(text.size());
    bool continued = false;  // the line before was a blanked one ending in a backslash
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = LineEnd(text, start);
        const std::size_t next = std::min(text.find('\n', end), text.size() - 1) + 1;
        const bool pragma = IsPragmaLine(text, start, end);
        if (pragma) ++count;
        if (pragma || continued) {
            blanked.append(text, end, next - end);
            continued = end > start && text[end - 1] == '\\';
        } else {
            blanked.append(text, start, next - start);
        }
        start = next;
    }
    return blanked;
}

PragmaMirror::PragmaMirror(const fs::path& root, const std::vector<std::string>& directories,
                           const std::vector<std::string>& files)
    : mirrors_(directories), root_(root) {
    for (const std::string& file : files)
        texts_.emplace_back(file, BlankPragmas(ReadFileBytes(file.c_str()), blanked_));
    if (blanked_ == 0) return;
    int climb = 0;
    std::string relative;
    for (const std::string& file : files)
        for (const std::string& directory : directories)
            if (RelativePath(file, directory, relative)) climb = std::max(climb, Climb(relative));
    for (std::size_t i = 0; i < directories.size(); ++i) {
        fs::path mirror = root / std::to_string(i);
        for (int level = 0; level < climb; ++level) mirror /= "d";
        mirrors_[i] = mirror.string();
        for (const char* separator : {"/", "\\"})
            paths_.emplace_back(mirrors_[i] + separator, directories[i] + separator);
        for (const auto& [file, text] : texts_)
            if (RelativePath(file, directories[i], relative)) WriteFile((mirror / relative).lexically_normal(), text);
    }
}

std::string PragmaMirror::CopyLoose(const std::string& file) {
    const auto found =
        std::find_if(texts_.begin(), texts_.end(), [&](const auto& entry) { return entry.first == file; });
    int ignored = 0;
    const std::string text = found != texts_.end() ? found->second : BlankPragmas(ReadFileBytes(file.c_str()), ignored);
    const fs::path copy = root_ / "p" / std::to_string(paths_.size()) / fs::path(file).filename();
    WriteFile(copy, text);
    paths_.emplace_back(copy.string(), file);
    return copy.string();
}

std::string PragmaMirror::Original(std::string text) const {
    for (const auto& [mirror, original] : paths_) ReplaceAll(text, mirror, original);
    return text;
}

}  // namespace cimport_cli
