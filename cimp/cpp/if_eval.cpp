#include "cimp/cpp/if_eval.h"

#include <array>

#include "cimp/cpp/diagnostics.h"
#include "cimp/cpp/directives.h"
#include "cimp/cpp/expand.h"
#include "cimp/cpp/name_table.h"
#include "cimp/cpp/pp_state.h"

namespace cimp::cpp {

namespace {

enum class OpClass : std::uint8_t { None, Special, Logical, Arithmetic, Relational, Shift, Unary };

struct OpInfo {
    std::uint8_t priority = 0;
    std::uint8_t operands = 0;
    OpClass cls = OpClass::None;
};

constexpr std::array<OpInfo, kPpKindCount> BuildOperatorTable() {
    std::array<OpInfo, kPpKindCount> table{};
#define PP_IF_OPERATOR(kind, priority, operands, cls) \
    table[static_cast<int>(PpKind::kind)] = OpInfo{priority, operands, OpClass::cls};
#include "cimp/cpp/if_operators.def"
#undef PP_IF_OPERATOR
    return table;
}

constexpr std::array<OpInfo, kPpKindCount> kOperators = BuildOperatorTable();

constexpr const OpInfo& Operator(PpKind kind) { return kOperators[static_cast<int>(kind)]; }

constexpr int kParenPriority = Operator(PpKind::LeftParen).priority;
constexpr int kConditionalPriority = Operator(PpKind::Question).priority;

PpValue Signed(bool truth) { return PpValue{truth ? 1 : 0, PpValueType::Signed}; }

std::uint32_t Bits(const PpValue& v) { return static_cast<std::uint32_t>(v.value); }

std::int32_t FromBits(std::uint32_t bits) { return static_cast<std::int32_t>(bits); }

// The result of a relational operator; compared as unsigned when either
// operand is unsigned.
PpValue Compare(PpKind op, const PpValue& left, const PpValue& right, bool asUnsigned) {
    const std::int64_t l = asUnsigned ? static_cast<std::int64_t>(Bits(left)) : left.value;
    const std::int64_t r = asUnsigned ? static_cast<std::int64_t>(Bits(right)) : right.value;
    switch (op) {
        case PpKind::Equal: return Signed(l == r);
        case PpKind::NotEqual: return Signed(l != r);
        case PpKind::Less: return Signed(l < r);
        case PpKind::Greater: return Signed(l > r);
        case PpKind::LessEqual: return Signed(l <= r);
        default: return Signed(l >= r);
    }
}

// Quotient or remainder; the most negative value divided by -1 wraps to
// itself and leaves the remainder 0 instead of trapping.
std::int32_t Divide(PpKind op, const PpValue& left, const PpValue& right, bool asUnsigned) {
    if (asUnsigned) {
        return FromBits(op == PpKind::Slash ? Bits(left) / Bits(right) : Bits(left) % Bits(right));
    }
    if (right.value == -1) return op == PpKind::Slash ? FromBits(0u - Bits(left)) : 0;
    return op == PpKind::Slash ? left.value / right.value : left.value % right.value;
}

std::int32_t Arithmetic(PpKind op, const PpValue& left, const PpValue& right) {
    const std::uint32_t l = Bits(left);
    const std::uint32_t r = Bits(right);
    switch (op) {
        case PpKind::Ampersand: return FromBits(l & r);
        case PpKind::Bar: return FromBits(l | r);
        case PpKind::Caret: return FromBits(l ^ r);
        case PpKind::Plus: return FromBits(l + r);
        case PpKind::Minus: return FromBits(l - r);
        default: return FromBits(l * r);
    }
}

class Evaluator {
public:
    explicit Evaluator(PpState& pp) : pp_(pp) {}

    std::int32_t Run(const PpToken* token, const PpToken* limit);

private:
    // Each returns true when the evaluation has failed (result 0).
    bool ReduceOperators(int priority, PpKind incoming = PpKind::End);
    bool ReduceOne();
    bool ReduceConditional(const PpValue& left, const PpValue& right);
    template <class T>
    bool Push(std::array<T, kPpEvalStackSize>& stack, int& count, const T& item);
    bool PushValue(const PpValue& value) { return Push(values_, valueCount_, value); }
    bool PushOperator(PpKind kind) { return Push(operators_, operatorCount_, kind); }
    bool Operand(const PpToken& token, bool& operandRead);
    bool Binary(const PpToken& token, bool& operandRead);
    bool Prefix(const PpToken& token, bool operandRead);
    bool SyntaxError();

    PpValue BinaryResult(PpKind op, OpClass cls, const PpValue& left, const PpValue& right);
    PpValue UnaryResult(PpKind op, const PpValue& operand);

    PpKind Top() const { return operators_[operatorCount_ - 1]; }

    PpState& pp_;
    std::array<PpValue, kPpEvalStackSize> values_{};
    std::array<PpKind, kPpEvalStackSize> operators_{};
    int valueCount_ = 0;
    int operatorCount_ = 0;
};

bool Evaluator::SyntaxError() {
    ReportDiag(pp_.diag, kPpError, "Syntax error in #if/#elsif");
    return true;
}

// Pushes on a full stack are rejected in order: the expression is too deep.
template <class T>
bool Evaluator::Push(std::array<T, kPpEvalStackSize>& stack, int& count, const T& item) {
    if (count == kPpEvalStackSize) {
        ReportDiag(pp_.diag, kPpError, "Expression too complex in #if/#elsif");
        return true;
    }
    stack[count++] = item;
    return false;
}

// Reduces while the top operator binds at least as tightly as the incoming
// one, so equal priorities group left to right; an open parenthesis stops a
// closing one, and ?: keeps grouping to the right: a `?` or `:` stops at a
// pending `?` or `:`, except that a `:` first completes the conditional whose
// `:` is on top (the middle operand of `a ? b ? c : d : e`).
bool Evaluator::ReduceOperators(int priority, PpKind incoming) {
    for (;;) {
        const PpKind top = Top();
        const int topPriority = Operator(top).priority;
        if (top == PpKind::End || topPriority < priority) return false;
        if (topPriority == priority && priority == kParenPriority) return false;
        if (topPriority == priority && priority == kConditionalPriority &&
            !(incoming == PpKind::Colon && top == PpKind::Colon)) {
            return false;
        }
        if (ReduceOne()) return true;
    }
}

bool Evaluator::ReduceOne() {
    const PpKind op = operators_[--operatorCount_];
    const OpInfo& info = Operator(op);
    if (info.cls == OpClass::None) {
        ReportDiag(pp_.diag, kPpWarning, "Syntax error in #if/#endif");
        return true;
    }
    if (valueCount_ < info.operands) {
        ReportDiag(pp_.diag, kPpError, "Botch in #if/#elsif");
        return true;
    }
    if (info.operands == 1) {
        values_[valueCount_ - 1] = UnaryResult(op, values_[valueCount_ - 1]);
        return false;
    }
    const PpValue right = values_[--valueCount_];
    const PpValue left = values_[--valueCount_];
    if (op == PpKind::Colon) return ReduceConditional(left, right);
    if (op == PpKind::Question) {
        ReportDiag(pp_.diag, kPpError, "Eval botch (unknown operator)");
        return true;
    }
    values_[valueCount_++] = BinaryResult(op, info.cls, left, right);
    return false;
}

// `c ? a : b`: the `:` is reduced with a and b; the `?` and c lie below.
bool Evaluator::ReduceConditional(const PpValue& left, const PpValue& right) {
    if (Top() != PpKind::Question || valueCount_ < 1) {
        ReportDiag(pp_.diag, kPpError, "Bad ?: in #if/endif");
        values_[valueCount_++] = left;
        return false;
    }
    --operatorCount_;
    const PpValue condition = values_[--valueCount_];
    values_[valueCount_++] = condition.value != 0 ? left : right;
    return false;
}

PpValue Evaluator::UnaryResult(PpKind op, const PpValue& operand) {
    PpValue result = operand;
    switch (op) {
        case PpKind::Tilde: result.value = FromBits(~Bits(operand)); break;
        case PpKind::UnaryMinus: result.value = FromBits(0u - Bits(operand)); break;
        case PpKind::Not:
            result.value = operand.value == 0 ? 1 : 0;
            if (operand.type != PpValueType::Undefined) result.type = PpValueType::Signed;
            break;
        default: break;  // defined: the operand unchanged
    }
    return result;
}

PpValue LogicalResult(PpKind op, const PpValue& left, const PpValue& right) {
    const bool decidedByLeft = op == PpKind::LogicalAnd ? left.value == 0 : left.value != 0;
    if (left.type == PpValueType::Undefined) {
        return PpValue{decidedByLeft ? left.value != 0 : right.value != 0, PpValueType::Undefined};
    }
    if (decidedByLeft) return Signed(op == PpKind::LogicalOr);
    return PpValue{right.value != 0 ? 1 : 0,
                   right.type == PpValueType::Undefined ? PpValueType::Undefined : PpValueType::Signed};
}

PpValue Evaluator::BinaryResult(PpKind op, OpClass cls, const PpValue& left, const PpValue& right) {
    const bool anyUndefined = left.type == PpValueType::Undefined || right.type == PpValueType::Undefined;
    const bool anyUnsigned = left.type == PpValueType::Unsigned || right.type == PpValueType::Unsigned;
    const PpValueType undefinedOr = anyUndefined ? PpValueType::Undefined : PpValueType::Signed;
    switch (cls) {
        case OpClass::Logical: return LogicalResult(op, left, right);
        case OpClass::Relational: {
            PpValue result = Compare(op, left, right, anyUnsigned);
            result.type = undefinedOr;
            return result;
        }
        case OpClass::Shift: {
            const std::uint32_t count = Bits(right) % 32;
            const bool logical = left.type == PpValueType::Unsigned;
            const PpValueType type = anyUndefined ? PpValueType::Undefined : left.type;
            if (op == PpKind::ShiftLeft) return PpValue{FromBits(Bits(left) << count), type};
            return PpValue{logical ? FromBits(Bits(left) >> count) : left.value >> count, type};
        }
        default: break;
    }
    const PpValueType type = anyUndefined ? PpValueType::Undefined
                             : anyUnsigned ? PpValueType::Unsigned
                                           : PpValueType::Signed;
    if (op == PpKind::Slash || op == PpKind::Percent) {
        if (right.value == 0) return PpValue{left.value, PpValueType::Undefined};
        return PpValue{Divide(op, left, right, anyUnsigned), type};
    }
    return PpValue{Arithmetic(op, left, right), type};
}

bool Evaluator::Operand(const PpToken& token, bool& operandRead) {
    if (operandRead) return SyntaxError();
    operandRead = true;
    return PushValue(TokenValue(pp_, token));
}

// An operator that needs an operand before it.
bool Evaluator::Binary(const PpToken& token, bool& operandRead) {
    if (!operandRead) return SyntaxError();
    if (ReduceOperators(Operator(token.kind).priority, token.kind)) return true;
    operandRead = false;
    return PushOperator(token.kind);
}

// An operator that may not follow an operand: ( ~ ! defined.
bool Evaluator::Prefix(const PpToken& token, bool operandRead) {
    if (operandRead) return SyntaxError();
    return PushOperator(token.kind);
}

std::int32_t Evaluator::Run(const PpToken* token, const PpToken* limit) {
    operators_[operatorCount_++] = PpKind::End;
    bool operandRead = false;
    for (; token < limit; ++token) {
        bool failed = false;
        switch (token->kind) {
            case PpKind::Newline:
            case PpKind::End:
            case PpKind::Whitespace: break;
            case PpKind::Name:
            case PpKind::NameInDefined:
            case PpKind::Number:
            case PpKind::CharConst:
            case PpKind::String: failed = Operand(*token, operandRead); break;
            case PpKind::Defined:
            case PpKind::Tilde:
            case PpKind::Not:
            case PpKind::LeftParen: failed = Prefix(*token, operandRead); break;
            case PpKind::RightParen:
                if (!operandRead) return SyntaxError(), 0;
                if (ReduceOperators(kParenPriority)) return 0;
                if (Top() != PpKind::LeftParen) return SyntaxError(), 0;
                --operatorCount_;
                break;
            case PpKind::Plus:
            case PpKind::Minus:
            case PpKind::Star:
            case PpKind::Ampersand:
                if (operandRead) {
                    failed = Binary(*token, operandRead);
                } else if (token->kind == PpKind::Minus) {
                    failed = PushOperator(PpKind::UnaryMinus);
                } else if (token->kind != PpKind::Plus) {
                    ReportDiag(pp_.diag, kPpError, "Illegal operator * or & in #if/#elsif");
                    return 0;
                }
                break;
            case PpKind::Equal: case PpKind::NotEqual: case PpKind::LessEqual: case PpKind::GreaterEqual:
            case PpKind::ShiftLeft: case PpKind::ShiftRight: case PpKind::LogicalAnd: case PpKind::LogicalOr:
            case PpKind::Slash: case PpKind::Percent: case PpKind::Less: case PpKind::Greater:
            case PpKind::Caret: case PpKind::Bar: case PpKind::Question: case PpKind::Colon:
            case PpKind::Comma: failed = Binary(*token, operandRead); break;
            default:
                ReportDiag(pp_.diag, kPpError, "Bad operator (%t) in #if/#elsif", *token);
                return 0;
        }
        if (failed) return 0;
    }
    if (!operandRead) return SyntaxError(), 0;
    if (ReduceOperators(0)) return 0;
    if (operatorCount_ != 1 || valueCount_ != 1) {
        ReportDiag(pp_.diag, kPpError, "Botch in #if/#elsif");
        return 0;
    }
    if (values_[0].type == PpValueType::Undefined) ReportDiag(pp_.diag, kPpError, "Undefined expression value");
    return values_[0].value;
}

// #ifdef / #ifndef: exactly one name after the keyword.
std::int32_t IfdefCondition(PpState& pp, const PpTokenRow& row, int keywordCode) {
    const PpToken* name = row.current;
    if (row.limit - name != 2 || name->kind != PpKind::Name || !IsLineEnd(name[1].kind)) {
        ReportDiag(pp.diag, kPpError, "Syntax error in #ifdef/#ifndef");
        return 0;
    }
    const PpName* entry = LookupName(pp, *name, false);
    const bool defined = entry != nullptr && (entry->flags & (kPpDefined | kPpBuiltin)) != 0;
    return defined == (keywordCode == kPpKeywordIfdef) ? 1 : 0;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

PpValue NumberValue(PpState& pp, const PpToken& token) {
    const char* p = token.text;
    const char* end = p + token.length;
    std::uint32_t base = 10;
    if (end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    } else if (p < end && p[0] == '0') {
        base = 8;
    }
    std::uint32_t value = 0;
    bool badDigit = false;
    for (; p < end && DigitValue(*p) >= 0; ++p) {
        const auto digit = static_cast<std::uint32_t>(DigitValue(*p));
        if (digit >= base) badDigit = true;
        value = value * base + digit;
    }
    if (badDigit) ReportDiag(pp.diag, kPpWarning, "Bad digit in number %t", token);
    PpValue result{FromBits(value), base != 10 && value >= 0x80000000u ? PpValueType::Unsigned : PpValueType::Signed};
    for (; p < end; ++p) {
        if (*p == 'u' || *p == 'U') {
            result.type = PpValueType::Unsigned;
        } else if (*p != 'l' && *p != 'L') {
            ReportDiag(pp.diag, kPpError, "Bad number %t in #if/#elsif", token);
            break;
        }
    }
    return result;
}

// The value of the escape sequence after a backslash at p; p ends after it.
// Octal and hexadecimal escapes keep their low 8 bits, as a character does.
int EscapeValue(PpState& pp, const char*& p, const char* end) {
    static constexpr char kLetters[] = "bfnrtv'\"?\\";
    static constexpr int kValues[] = {8, 12, 10, 13, 9, 11, 39, 34, 63, 92};
    if (p < end && IsOctal(*p)) {
        unsigned value = 0;
        for (int n = 0; n < 3 && p < end && IsOctal(*p); ++n) value = value * 8 + static_cast<unsigned>(*p++ - '0');
        return static_cast<int>(value & 0xFF);
    }
    if (p < end && *p == 'x') {
        unsigned value = 0;
        for (++p; p < end && DigitValue(*p) >= 0; ++p) value = value * 16 + static_cast<unsigned>(DigitValue(*p));
        return static_cast<int>(value & 0xFF);
    }
    for (int i = 0; p < end && kLetters[i] != '\0'; ++i) {
        if (*p == kLetters[i]) {
            ++p;
            return kValues[i];
        }
    }
    ReportDiag(pp.diag, kPpWarning, "Undefined escape in character constant");
    if (p < end) ++p;
    return 0;
}

PpValue CharValue(PpState& pp, const PpToken& token) {
    const char* p = token.text;
    const char* end = p + token.length;
    if (p < end && *p == 'L') {
        ReportDiag(pp.diag, kPpWarning, "Wide char constant value undefined");
        ++p;
    }
    ++p;  // the opening quote
    if (p >= end || *p == '\'') {
        ReportDiag(pp.diag, kPpError, "Empty character constant");
        return Signed(false);
    }
    int value;
    if (*p == '\\') {
        ++p;
        value = EscapeValue(pp, p, end);
    } else {
        value = static_cast<unsigned char>(*p++);
    }
    if (p >= end || *p != '\'') {
        ReportDiag(pp.diag, kPpWarning, "Multibyte character constant undefined");
    } else if (value > 127) {
        ReportDiag(pp.diag, kPpWarning, "Character constant taken as not signed");
    }
    return PpValue{value, PpValueType::Signed};
}

}  // namespace

PpValue TokenValue(PpState& pp, const PpToken& token) {
    switch (token.kind) {
        case PpKind::NameInDefined: {
            const PpName* entry = LookupName(pp, token, false);
            return Signed(entry != nullptr && (entry->flags & (kPpDefined | kPpBuiltin)) != 0);
        }
        case PpKind::Number: return NumberValue(pp, token);
        case PpKind::CharConst: return CharValue(pp, token);
        case PpKind::String:
            ReportDiag(pp.diag, kPpError, "String in #if/#elsif");
            return Signed(false);
        default: return Signed(false);  // a name left after expansion
    }
}

std::int32_t EvalCondition(PpState& pp, PpTokenRow& row, int keywordCode) {
    ++row.current;
    if (keywordCode == kPpKeywordIfdef || keywordCode == kPpKeywordIfndef) {
        return IfdefCondition(pp, row, keywordCode);
    }
    const auto offset = row.current - row.base;
    PpName* defined = pp.names.definedEntry;
    defined->keyword = kPpKeywordDefined;
    ExpandRow(pp, row, "<if>");
    defined->keyword = kPpKeywordDefinedIdle;
    return Evaluator(pp).Run(row.base + offset, row.limit);
}

}  // namespace cimp::cpp
