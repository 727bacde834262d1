// Input sources: a stack of files and strings, each with its own buffer.  A
// file buffer holds 32768 bytes plus four marker bytes and is filled in blocks
// of 4096; after every fill the valid bytes are followed by four 0xFE bytes
// (refill: more may follow) or, at the end of the input, four 0xFD bytes.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace cimp {
class TextFile;
}

namespace cimp::cpp {

struct PpState;

inline constexpr std::size_t kPpBufferSize = 32768;
inline constexpr std::size_t kPpMarkerBytes = 4;
inline constexpr std::size_t kPpReadBlock = 4096;
inline constexpr unsigned char kPpRefillMarker = 0xFE;
inline constexpr unsigned char kPpEndMarker = 0xFD;

// Where a file source's bytes come from.  Reads return 0 at the end.
class PpInput {
public:
    virtual ~PpInput() = default;
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    // Output is flushed after every line while the standard input is read.
    virtual bool IsStandardInput() const { return false; }
};

// A text file (CR LF arrives as "\n").
class TextFileInput : public PpInput {
public:
    explicit TextFileInput(std::unique_ptr<TextFile> file);
    ~TextFileInput() override;
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::unique_ptr<TextFile> file_;
};

// Bytes held in memory, read like a file (tests, generated inputs).
class MemoryInput : public PpInput {
public:
    explicit MemoryInput(std::string text) : text_(std::move(text)) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::string text_;
    std::size_t position_ = 0;
};

struct PpSource {
    std::string name;        // used in line markers and __FILE__
    int line = 1;            // line being read, from 1
    int lineIncrement = 0;   // newlines consumed by the row being read
    char* bufferStart = nullptr;
    char* readPos = nullptr;      // next unread byte
    char* bufferLimit = nullptr;  // end of valid bytes; markers follow
    std::unique_ptr<PpInput> input;  // null for a string source
    int openConditionals = 0;     // conditionals opened here, not yet closed
    PpSource* next = nullptr;     // the source below (the includer)

    // Bookkeeping of the buffer: its size without the markers, and where the
    // line being read starts (bytes before it may be moved away).
    std::size_t bufferSize = 0;
    char* lineStart = nullptr;

    bool IsFile() const { return input != nullptr; }
};

// The stack of sources of one run; pops everything left when destroyed.
class PpSourceStack {
public:
    PpSourceStack() = default;
    ~PpSourceStack() { Clear(); }
    PpSourceStack(const PpSourceStack&) = delete;
    PpSourceStack& operator=(const PpSourceStack&) = delete;

    PpSource* Top() const { return top_; }
    bool Empty() const { return top_ == nullptr; }
    // The innermost file source, else the top (null when empty).
    PpSource* InnermostFile() const;

    void Push(PpSource* source);
    // Unlinks the top and returns it; the caller disposes of it.
    PpSource* Unlink();
    void Clear();

private:
    PpSource* top_ = nullptr;
};

// A file source on top of the stack, with an empty buffer of 32768 + 4 bytes.
PpSource* PushSource(PpState& pp, std::string name, std::unique_ptr<PpInput> input);
// A string source on top of the stack holding a copy of text.
PpSource* PushSource(PpState& pp, std::string name, std::string_view text);
// Pops the top source.  A file's input is closed and its buffer released; a
// string source's buffer stays alive until the next line starts, because
// tokens read from it may still be in use.
void PopSource(PpState& pp);
// Reads up to 4096 bytes (never past the buffer) at bufferLimit and writes the
// markers; returns -1 at the end of the input (0xFD markers), else 0.
int FillBuffer(PpSource& source);

}  // namespace cimp::cpp
