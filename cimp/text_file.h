// Text-mode files that behave the same on every platform: a "\n" written
// arrives in the file as CR LF, and a CR LF read from a file arrives as "\n".
// Every text file of the importer ("cpre.tmp", "cprep.tmp", "errorfile.err",
// "out.tmp", the headers) goes through this class.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace cimp {

class TextFile {
public:
    enum class Mode { kRead, kWrite, kAppend };

    TextFile() = default;
    ~TextFile() { Close(); }
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    bool Open(const char* path, Mode mode);
    bool IsOpen() const { return file_ != nullptr; }
    bool Close();  // flushes; false when a write or the close failed

    // Reads up to size bytes with CR LF turned into "\n"; returns the count,
    // 0 at end of file or on error (see Failed()).
    std::size_t Read(char* buffer, std::size_t size);
    // fgets: at most size-1 bytes, stopping after a "\n"; NUL-terminated.
    // Returns the count of bytes read (which may include NULs), 0 at the end.
    std::size_t ReadLine(char* buffer, std::size_t size);

    // Writes with every "\n" turned into CR LF.
    bool Write(const char* data, std::size_t size);
    bool Write(const std::string& text) { return Write(text.data(), text.size()); }
    bool Flush();

    bool Failed() const { return failed_; }

private:
    int GetByte();  // next byte with CR LF folded, or EOF
    // Folds CR LF in buffer[from, to) in place; returns the new end.
    std::size_t FoldLineEnds(char* buffer, std::size_t from, std::size_t to);

    std::FILE* file_ = nullptr;
    bool failed_ = false;
    int pending_ = EOF;  // a byte read ahead after a lone CR
};

// Writes to an open stream with every "\n" turned into CR LF; false when a
// write failed.
bool WriteWithCrLf(std::FILE* stream, const char* data, std::size_t size);

// File-system helpers used by the stages (the platform's own, for file names in
// the code page of the host process).
bool IsDirectory(const char* path);
bool FileExists(const char* path);
long long FileSize(const char* path);  // -1 when it cannot be read
bool RemoveFile(const char* path);     // true when the file is gone afterwards

}  // namespace cimp
