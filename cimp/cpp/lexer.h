// The lexer: a state machine driven by a table of 256 x 32 signed 16-bit
// entries (input byte x state), one lookup per input byte.  An entry >= 0 is
// the next state; a negative entry is the complement of an action word:
// action code in bits 0-5, the check flag (trigraph or splice) in bit 6, the
// token kind from bit 7 upwards.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cimp/cpp/token_row.h"

namespace cimp::cpp {

struct PpState;

inline constexpr int kPpLexStates = 32;

struct PpLexTables {
    std::int16_t table[256][kPpLexStates];
    // Bit (c1 % 32) of word (c0 % 64) is set for every name entered in the
    // name table whose first two bytes are c0, c1 (c1 = 0 for one byte).
    std::uint32_t quickLook[64];
    // 0 turns // comments off (FixLexTable); raised by the -+ option.
    int lineComments = 1;
};

// Builds the table from the lexer's rule list and clears the quick-look bits.
void BuildLexTable(PpLexTables& lex);
// Applies the line-comment setting.
void FixLexTable(PpLexTables& lex);

void SetQuickLook(PpLexTables& lex, const char* name, std::size_t length);
bool QuickLook(const PpLexTables& lex, const PpToken& token);

// Appends the tokens of the next logical line of the current source to row,
// up to and including its Newline (or End) token.  Returns non-zero when a
// Name of it may be a macro.  With startOfLine, lineIncrement starts at 0 and
// the buffer is compacted first.
//
// When a file buffer has no room left for the line, ReadLine moves the line's
// bytes to the buffer's start and adjusts the texts of row's tokens that point
// there; no other row may hold texts from a file buffer while a line is read.
// A logical line whose text (its comments aside) does not fit in the buffer
// at all is fatal.
int ReadLine(PpState& pp, PpTokenRow& row, bool startOfLine);

}  // namespace cimp::cpp
