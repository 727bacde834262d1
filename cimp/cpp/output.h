// The preprocessed text: rows are copied from the input buffers in runs of
// adjacent text into an 8192-byte buffer, and every 4096 bytes a block is
// appended to "cprep.tmp" (opened and closed for each block, in text mode, so
// every "\n" arrives as CR LF).  Line markers announce where the text comes
// from: /*#line12 "name"*/.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "cimp/cpp/token_row.h"

namespace cimp::cpp {

struct PpState;

inline constexpr char kPpOutputFile[] = "cprep.tmp";
inline constexpr std::size_t kPpOutputBufferSize = 8192;
inline constexpr std::size_t kPpOutputBlock = 4096;
inline constexpr int kPpDumpTokens = 32;

class PpOutput {
public:
    // Writes the row's text (current ends at its limit).  When the buffer is
    // full and "cprep.tmp" still cannot be opened, the run stops with the
    // fatal "Can't write output file cprep.tmp" instead of losing text.
    void WriteRow(PpState& pp, PpTokenRow& row);
    // Appends everything buffered to "cprep.tmp" (the text stays when the
    // file cannot be opened); the first flush of a run also clears the buffer.
    void Flush();
    // A marker for the current source's line and name.
    void EmitLineMarker(PpState& pp);
    // The -V dump of a row to the standard error stream.
    void DumpRow(PpState& pp, const PpTokenRow& row, const char* label);
    // -M: "x.c" gives "x.$O: ", "cpre.tmp" gives "cpre.tmp$O: ".
    void SetObjectName(const char* fileName);
    // -M: the object name, the path and a newline, appended at once.
    void WriteDependency(const std::string& path);

    // Sends the text (and -M lines) to an open stream instead of appending it
    // to "cprep.tmp", with the same line ends.
    void StreamTo(std::FILE* stream) { stream_ = stream; }

    std::size_t Buffered() const { return used_; }
    int dumpLevel = 0;  // -V

private:
    void Append(PpState& pp, const char* text, std::size_t length);
    // Appends the first size bytes to the file; false when it cannot be opened.
    bool WriteOut(std::size_t size);

    char buffer_[kPpOutputBufferSize] = {};
    std::size_t used_ = 0;
    bool firstFlush_ = true;
    std::string objectName_;
    std::FILE* stream_ = nullptr;
};

}  // namespace cimp::cpp
