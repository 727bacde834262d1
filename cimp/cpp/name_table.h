// The name table: every name the preprocessor knows (directive keywords,
// built-in macros, user macros), in 128 hash chains.  The hash of a name is
// the sum of its bytes modulo 128; new entries go to the head of a chain.
// The table belongs to one run, so no macro survives from one run to the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

#include "cimp/cpp/token_row.h"

namespace cimp::cpp {

struct PpState;

// PpName flag bits.
inline constexpr std::uint8_t kPpDefined = 1;
inline constexpr std::uint8_t kPpDirective = 2;
inline constexpr std::uint8_t kPpNoRedefine = 4;
inline constexpr std::uint8_t kPpBuiltin = 8;

// Keyword codes (keywords.def).
enum PpKeyword : int {
#define PP_KEYWORD(id, name, code, flags) kPpKeyword##id = code,
#include "cimp/cpp/keywords.def"
#undef PP_KEYWORD
};
// The code of `defined` outside #if, where it is an ordinary macro that
// expands to itself; #if evaluation sets kPpKeywordDefined while it expands.
inline constexpr int kPpKeywordDefinedIdle = 2;

struct PpName {
    PpName* next = nullptr;        // next entry of the same chain
    const char* name = nullptr;    // own, terminated copy
    int length = 0;
    std::unique_ptr<PpTokenRow> value;       // replacement; none when never defined
    std::unique_ptr<PpTokenRow> parameters;  // none for an object-like macro
    std::uint8_t keyword = 0;
    std::uint8_t flags = 0;
};

inline constexpr int kPpNameChains = 128;

class PpNameTable {
public:
    PpName* Find(const char* text, std::size_t length) const;
    // A new entry at the head of its chain; its name is copied into arena.
    PpName* Add(PpArena& arena, const char* text, std::size_t length);
    // The entry of `defined` (after InstallKeywords).
    PpName* definedEntry = nullptr;

private:
    static int Hash(const char* text, std::size_t length);

    PpName* chains_[kPpNameChains] = {};
    std::deque<PpName> entries_;  // stable addresses
};

// The entry of the token's text; with install a missing one is created (no
// value, code 0, flags 0) and its quick-look bit set.  Null when absent.
PpName* LookupName(PpState& pp, const PpToken& token, bool install);
// Enters the keyword table (an existing entry gets its code and flags again)
// and sets up the `defined` entry.
void InstallKeywords(PpState& pp);

}  // namespace cimp::cpp
