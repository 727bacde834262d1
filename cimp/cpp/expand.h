// Macro expansion by hide sets: a Name token is expanded unless its own hide
// set holds the macro; the replacement's names carry the macro in theirs, and
// the replacement is rescanned in place.
//
// Limits: 31 arguments per call (one more is fatal); a hide set of more than
// 30 names stops the expansion of that name with an error; one line may not
// grow beyond kPpMaxRowTokens tokens nor move more than kPpMaxExpansionWork
// tokens while it is expanded (fatal), so no input expands without bound;
// arguments are pre-expanded at most kPpMaxArgumentDepth levels deep; the two
// operands of ## must fit in 127 bytes (else an error, and the ## stays).
#pragma once

#include "cimp/cpp/token_row.h"

namespace cimp::cpp {

struct PpName;
struct PpState;

inline constexpr int kPpMaxArguments = 31;
inline constexpr int kPpMaxRowTokens = 1 << 18;
inline constexpr long long kPpMaxExpansionWork = 1LL << 28;
// Pre-expansion of arguments inside arguments nests at most this deep.
inline constexpr int kPpMaxArgumentDepth = 64;
// Buffers of stringizing and pasting.
inline constexpr int kPpStringizeBuffer = 512;
inline constexpr int kPpStringizeLimit = 502;
inline constexpr int kPpPasteBuffer = 128;

// Expands every macro from current to limit.  With a tag (such as "<if>") an
// empty string source of that name is pushed meanwhile, so that arguments are
// never gathered past the row.
void ExpandRow(PpState& pp, PpTokenRow& row, const char* tag);
// Expands the macro whose name is the row's current token.
void ExpandMacro(PpState& pp, PpTokenRow& row, PpName& entry);
// Gathers the arguments of a call starting after the current token (reading
// further lines when needed).  count is -1 when there is no call; returns the
// number of tokens the call spans (name included).
int GatherArguments(PpState& pp, PpTokenRow& row, PpTokenRow* arguments, int& count);
// Replaces # parameter, parameters next to ## and the other parameters
// (pre-expanded) in copy.
void SubstituteArguments(PpState& pp, const PpName& entry, PpTokenRow& copy,
                         PpTokenRow* arguments);
// A one-token row holding the String made from the argument.
PpTokenRow Stringize(PpState& pp, const PpTokenRow& argument);
// Performs the ## operators of copy, left to right.
void PasteTokens(PpState& pp, PpTokenRow& copy);
// __LINE__, __FILE__, __DATE__, __TIME__ at the current token.
void ExpandBuiltin(PpState& pp, PpTokenRow& row, int code);

}  // namespace cimp::cpp
