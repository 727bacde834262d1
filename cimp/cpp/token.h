// A preprocessor token: a kind and a text that still points into the text it
// came from (an input buffer, a macro body, the generated-text buffer).  The
// spaceLength bytes in front of the text are the token's leading white space.
#pragma once

#include <cstdint>

namespace cimp::cpp {

enum class PpKind : std::uint8_t {
#define PP_TOKEN(kind, spelling) kind,
#include "cimp/cpp/token.def"
#undef PP_TOKEN
};

inline constexpr int kPpKindCount = static_cast<int>(PpKind::UnaryMinus) + 1;
static_assert(kPpKindCount == 60, "the token kinds are numbered 0 to 59");

// Flag bit: the blank in front of the text was inserted by the preprocessor.
inline constexpr std::uint8_t kPpInsertedBlank = 1;

struct PpToken {
    PpKind kind;
    std::uint8_t flags;
    std::uint16_t hideSet;     // index into the run's hide sets; 0: empty
    std::uint32_t spaceLength; // white-space bytes directly in front of text
    std::uint32_t length;      // bytes of text (not terminated)
    char* text;
};

// "LeftParen" for PpKind::LeftParen.
const char* KindName(PpKind kind);
// The fixed spelling of a kind ("(" for LeftParen); "" when the text varies.
const char* KindSpelling(PpKind kind);
// Kinds that never need a separating blank before or after them.
bool IsNoBlank(PpKind kind);
// The token that ends a line: its newline, or the end of the input on a last
// line without one.
inline bool IsLineEnd(PpKind kind) { return kind == PpKind::Newline || kind == PpKind::End; }

}  // namespace cimp::cpp
