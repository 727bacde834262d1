// The tree builder's texts (the last name, the declaration's type, the last
// decimal constant): fixed buffers of kTypeTextBufferSize bytes, so that
// recording a token copies its characters and never allocates.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "cimp/parse/decl_tree.h"

namespace cimp::parse {

// Texts of the builder (and names compared with them) hold at most this many
// characters; longer texts are cut.
constexpr std::size_t kMaxTextLength = kTypeTextBufferSize - 1;

inline std::string_view CutText(std::string_view text) { return text.substr(0, kMaxTextLength); }

class BuilderText {
public:
    void Assign(std::string_view text) {
        text = CutText(text);
        std::copy(text.begin(), text.end(), chars_);
        size_ = text.size();
        chars_[size_] = '\0';
    }
    void Clear() {
        size_ = 0;
        chars_[0] = '\0';
    }

    bool Empty() const { return size_ == 0; }
    bool Is(std::string_view text) const { return View() == text; }
    std::string_view View() const { return std::string_view(chars_, size_); }
    const char* CString() const { return chars_; }

private:
    char chars_[kMaxTextLength + 1] = {};
    std::size_t size_ = 0;
};

}  // namespace cimp::parse
