// Text the preprocessor makes up while one input line is processed (line
// markers, values of built-in macros): 16384 bytes, back to the start when the
// next line starts.  A line that needs more is fatal ("Too much generated text
// for one line"): the buffer is never overrun.
#pragma once

#include <cstddef>

namespace cimp::cpp {

struct PpState;

inline constexpr std::size_t kPpGeneratedSize = 16384;

class PpGeneratedText {
public:
    // Room for size more bytes at the write position; null when it does not fit.
    char* Reserve(std::size_t size);
    std::size_t Used() const { return used_; }
    void Rewind() { used_ = 0; }
    // Clears the whole buffer to zeros and rewinds.
    void Clear();

private:
    char buffer_[kPpGeneratedSize] = {};
    std::size_t used_ = 0;
};

// Copies text to the write position, advances past it and returns where it
// starts; fatal when the line's generated text would exceed the buffer.
char* GenerateText(PpState& pp, const char* text, std::size_t length);

}  // namespace cimp::cpp
