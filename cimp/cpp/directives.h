// The directive dispatcher and the state of conditional compilation.
#pragma once

#include "cimp/cpp/token_row.h"

namespace cimp::cpp {

class Preprocessor;
struct PpState;

// Reaching this many open conditionals is fatal ("#if too deeply nested").
inline constexpr int kPpMaxConditionalDepth = 32;

enum class PpBranch : unsigned char { NoneTaken = 0, Taken = 1, ElseSeen = 2 };

struct PpConditionals {
    int depth = 0;      // open conditionals, all sources together
    int skipLevel = 0;  // 0: processing; else the depth whose group is skipped
    PpBranch branch[kPpMaxConditionalDepth] = {};

    bool Skipping() const { return skipLevel != 0; }
};

// Handles the line whose `#` is just before the row's current token.  The
// row is left emptied (a single newline: handled directives), cleared (no
// tokens: #include) or as it was (lines passed through as written).
void DoDirective(Preprocessor& pre, PpTokenRow& row);

// #line and `# number`: the tokens from number (T0) to the row's limit.
void LineControl(PpState& pp, const PpTokenRow& row, const PpToken* number);

}  // namespace cimp::cpp
