#include <cstring>

#include "cimp/import_run.h"
#include "cimp/text_file.h"

namespace cimp {
namespace {

// Longest piece of the header copied at once (the read stops after a line feed).
constexpr std::size_t kCopyPiece = 9998;

bool HoldsBothAngles(const char* piece, std::size_t n) {
    return std::memchr(piece, '<', n) != nullptr && std::memchr(piece, '>', n) != nullptr;
}

}  // namespace

bool WritePreprocessorSource(const ImportContext& context, const char* headerPath) {
    // A stale file of an earlier run must never be imported in place of this one.
    RemoveFile(kPreprocessorSourceFile);
    TextFile out;
    TextFile header;
    if (!out.Open(kPreprocessorSourceFile, TextFile::Mode::kWrite) ||
        !header.Open(headerPath, TextFile::Mode::kRead))
        return false;
    if (!context.preInclude.empty()) out.Write("#include \"" + context.preInclude + "\"\n");
    std::string piece(kCopyPiece + 1, '\0');
    while (const std::size_t n = header.ReadLine(piece.data(), piece.size())) {
        if (!context.keepSystemIncludes && HoldsBothAngles(piece.data(), n)) continue;
        out.Write(piece.data(), n);
    }
    return out.Close();
}

std::vector<int32_t> PreprocessorSourceLines(const ImportContext& context, const char* headerPath) {
    std::vector<int32_t> lines;
    if (!context.preInclude.empty()) lines.push_back(0);
    TextFile header;
    if (!header.Open(headerPath, TextFile::Mode::kRead)) return lines;
    // The same pieces as the copy reads: a kept piece continues the copy's
    // line until a piece ends one.
    std::string piece(kCopyPiece + 1, '\0');
    int32_t headerLine = 1;
    bool copyLineOpen = false;
    while (const std::size_t n = header.ReadLine(piece.data(), piece.size())) {
        const bool endsLine = piece[n - 1] == '\n';
        if (context.keepSystemIncludes || !HoldsBothAngles(piece.data(), n)) {
            if (!copyLineOpen) lines.push_back(headerLine);
            copyLineOpen = !endsLine;
        }
        if (endsLine) ++headerLine;
    }
    return lines;
}

}  // namespace cimp
