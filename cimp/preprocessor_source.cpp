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

}  // namespace cimp
