// The declaration scanner: turns the preprocessed header into token codes
// (tokens.def), skipping white space and comments, counting lines and telling
// typedef names from identifiers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "cimp/parse/scan_input.h"
#include "cimp/parse/typedef_index.h"
#include "cimp/text_file.h"

namespace cimp::parse {

// A fatal scanner error; its message has already gone to the standard error
// stream.  It unwinds to the parse driver.
class ScanError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Scanner {
public:
    // echo, when not null, receives the characters no rule takes; typedefs
    // tells typedef names (308) from identifiers (301).
    Scanner(ScanInput& input, TextFile* echo, const TypedefIndex& typedefs);
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    // The next token code; 0 at end of input and after ForceEndOfInput.
    int32_t NextToken();
    // The text of the token last returned; valid until the next call.
    std::string_view Text() const { return text_; }
    int32_t Line() const { return line_; }
    void ForceEndOfInput() { forcedEnd_ = true; }

    // The buffer holds kBufferSize characters and is refilled in blocks of
    // kBlockSize; a token must stay shorter than a block.
    static constexpr std::size_t kBufferSize = 1024;
    static constexpr std::size_t kBlockSize = 512;

private:
    enum class StartState { kInitial, kComment, kLineComment };

    int32_t ScanInitial();
    void ScanComment();
    void ScanLineComment();
    int32_t Finish(int32_t code);
    int32_t FinishName();
    void Echo();
    int Fill();
    [[noreturn]] void Fatal(const char* message);

    ScanInput& input_;
    TextFile* echo_;
    const TypedefIndex& typedefs_;
    unsigned char buffer_[kBufferSize + 1];  // one more for the end sentinel
    const unsigned char* cursor_;
    const unsigned char* marker_ = nullptr;
    const unsigned char* limit_;
    const unsigned char* token_;
    std::string_view text_;
    StartState state_ = StartState::kInitial;
    int32_t line_ = 1;
    bool inputEnded_ = false;  // the input has no more characters
    bool endOfInput_ = false;  // ... and the buffered ones are used up
    bool forcedEnd_ = false;
};

}  // namespace cimp::parse
