// Evaluation of #if, #elif and #eval expressions: an operator-precedence
// evaluator over 32-bit wrapping values that tracks whether a value is signed,
// unsigned or undefined (a division by zero makes it undefined).  Binary
// operators group left to right as in C, except ?: which groups to the right.
#pragma once

#include <cstdint>

#include "cimp/cpp/token_row.h"

namespace cimp::cpp {

struct PpState;

enum class PpValueType : std::uint8_t { Signed = 0, Unsigned = 1, Undefined = 2 };

struct PpValue {
    std::int32_t value = 0;
    PpValueType type = PpValueType::Signed;
};

// Entries of each evaluator stack.  A deeper expression is rejected with
// "Expression too complex in #if/#elsif" and yields 0.
inline constexpr int kPpEvalStackSize = 32;

// The condition of the directive whose keyword (code keywordCode) is the row's
// current token; 0 for false and after any error.
std::int32_t EvalCondition(PpState& pp, PpTokenRow& row, int keywordCode);

// The value of an operand token of a #if expression.
PpValue TokenValue(PpState& pp, const PpToken& token);

}  // namespace cimp::cpp
