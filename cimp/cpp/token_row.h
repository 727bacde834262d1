// A row of tokens: the unit the lexer fills, macro expansion rewrites and the
// output writes.  The row owns its token array; token texts belong elsewhere.
#pragma once

#include <cstddef>

#include "cimp/cpp/alloc.h"
#include "cimp/cpp/token.h"

namespace cimp::cpp {

struct PpTokenRow {
    PpToken* current = nullptr;  // scan position
    PpToken* base = nullptr;     // first token
    PpToken* limit = nullptr;    // one past the last token
    int capacity = 0;            // tokens the array can hold

    PpTokenRow() = default;
    explicit PpTokenRow(int size);
    ~PpTokenRow();
    PpTokenRow(PpTokenRow&& other) noexcept;
    PpTokenRow& operator=(PpTokenRow&& other) noexcept;
    PpTokenRow(const PpTokenRow&) = delete;
    PpTokenRow& operator=(const PpTokenRow&) = delete;

    int Size() const { return static_cast<int>(limit - base); }
};

// capacity = size; an array of size tokens (none when size < 1); current,
// base and limit at its start.  A previous array is released.
void MakeRow(int size, PpTokenRow& row);
// capacity * 3 / 2 + 1; current and limit keep their offsets; returns limit.
PpToken* GrowRow(PpTokenRow& row);
// dst becomes a copy of src's tokens (base to limit), current at its base.
void CopyRow(PpTokenRow& dst, const PpTokenRow& src);
// A new row holding the tokens from current to limit, each non-empty text
// copied into arena with a blank byte in front; spaceLength becomes 1 when the
// token had white space (0 for the first token).
PpTokenRow NormalizeRow(PpArena& arena, const PpTokenRow& row);
// 0 when both rows (current to limit) hold the same tokens: kind, having white
// space or not, length and text; 1 otherwise.
int CompareRows(const PpTokenRow& a, const PpTokenRow& b);
// Room for delta more tokens at current (or -delta fewer).
void AdjustRow(PpTokenRow& row, int delta);
// Copies src's tokens over dst's from dst.current.
void MoveTokens(PpTokenRow& dst, const PpTokenRow& src);
// Replaces count tokens at dst.current by src's tokens; separating blanks at
// both ends (EnsureSpace); current ends after the inserted tokens.
void InsertRow(PpArena& arena, PpTokenRow& dst, int count, const PpTokenRow& src);
// Gives the token at current a separating blank when it needs one and drops
// an inserted blank it does not need.  Fresh texts come from arena.
void EnsureSpace(PpArena& arena, PpTokenRow& row);
// The row becomes one Newline token ("\n"), current at it.
void EmptyRow(PpTokenRow& row);
// length + offset + 1 bytes from arena: offset free bytes, the text, a NUL.
// Returns the allocation's start.
char* CopyString(PpArena& arena, const char* text, std::size_t length, std::size_t offset);
// Writes n in decimal (at most 11 bytes); returns the position after it.
char* FormatDecimal(char* out, int n);

}  // namespace cimp::cpp
