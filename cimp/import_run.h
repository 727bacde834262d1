// One import: the stages in order, the temporary files and the relay of the
// stages' diagnostics.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cimp/import_context.h"
#include "cimp/stages.h"

namespace cimp {

// Fixed names of the files the stages exchange in the current directory.
inline constexpr char kPreprocessorSourceFile[] = "cpre.tmp";
inline constexpr char kPreprocessedFile[] = "cprep.tmp";
inline constexpr char kDiagnosticsFile[] = "errorfile.err";

inline constexpr char kMsgTempFileFailed[] =
    "Failed to create temporary preprocessor file. Check for necessary space and retry.";
inline constexpr char kMsgErrorFileFailed[] = "Failed to open error file. Check for necessary space and retry.";
inline constexpr char kMsgNoStructures[] = "No valid C structures found in header file: ";

// Argument strings with the writable, null-terminated char* vector that the
// stage entries take.
class ArgumentVector {
public:
    explicit ArgumentVector(std::vector<std::string> args);
    ArgumentVector(const ArgumentVector&) = delete;
    ArgumentVector& operator=(const ArgumentVector&) = delete;

    int Count() const { return static_cast<int>(args_.size()); }
    char** Vector() { return pointers_.data(); }

private:
    std::vector<std::string> args_;
    std::vector<char*> pointers_;
};

// Runs the stages on the context; 0, or -1 when a stage failed.
int32_t RunImport(ImportContext& context, const ImportStages& stages);

// A whole import as DoCImport runs it: the opening messages, then the stages.
int32_t ImportHeader(ImportContext& context, const ImportStages& stages);

// Writes "cpre.tmp": the pre-include line, then the header without the lines
// holding both '<' and '>' unless system includes are kept.
bool WritePreprocessorSource(const ImportContext& context, const char* headerPath);

// For each line of the "cpre.tmp" that WritePreprocessorSource writes, the
// number of the header's line it comes from; 0 for the pre-include line.
std::vector<int32_t> PreprocessorSourceLines(const ImportContext& context, const char* headerPath);

// The preprocessor's argument vector: input, one -I element per directory of
// the include variable (value given; empty pieces are skipped), input again.
std::vector<std::string> BuildPreprocessorArgs(const std::string& input, const char* includeVariable);

// The include variable: "include", else "INCLUDE" (Windows itself matches every
// spelling); null when it is not set.
const char* IncludeVariable();

// Sends "errorfile.err" to the host as one message and removes it.
void RelayDiagnostics(const StatusSink& sink);

}  // namespace cimp
