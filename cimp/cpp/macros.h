// Macro definitions: #define, #undef, -D and -U.
#pragma once

#include "cimp/cpp/token_row.h"

namespace cimp::cpp {

struct PpState;

// #define; the row's current token is `define`.
void DefineMacro(PpState& pp, PpTokenRow& row);
// #undef; the row's current token is `undef`.
void UndefineMacro(PpState& pp, PpTokenRow& row);
// -D (letter 'D') and -U ('U'); the row holds the option argument's tokens
// (ended by the End token).  A malformed argument is fatal.
void DefineFromOption(PpState& pp, PpTokenRow& row, char letter);

}  // namespace cimp::cpp
