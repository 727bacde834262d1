#include "cimp/cpp/directives.h"

#include <string>

#include "cimp/cpp/diagnostics.h"
#include "cimp/cpp/expand.h"
#include "cimp/cpp/if_eval.h"
#include "cimp/cpp/include.h"
#include "cimp/cpp/macros.h"
#include "cimp/cpp/name_table.h"
#include "cimp/cpp/preprocessor.h"

namespace cimp::cpp {

namespace {

// Line numbers at or beyond this are out of range for #line.
constexpr long kMaxLineNumber = 32768;

// The line is exactly `#`, the keyword at current and the line end.
bool KeywordAlone(const PpTokenRow& row) {
    return row.limit - row.current == 2 && IsLineEnd(row.current[1].kind);
}

void ClearRow(PpTokenRow& row) { row.current = row.limit = row.base; }

// The leading decimal part of a number token: blanks, a sign, digits.  The
// magnitude stops growing at a billion, so any line number fits an int.
long LeadingDecimal(const PpToken& token) {
    constexpr long kCap = 1000000000L;
    const char* p = token.text;
    const char* end = p + token.length;
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    long value = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) value = value < kCap / 10 ? value * 10 + (*p - '0') : kCap;
    return negative ? -value : value;
}

// Opens a conditional; reaching the depth limit is fatal.
void OpenConditional(Preprocessor& pre) {
    if (++pre.conditionals.depth >= kPpMaxConditionalDepth) {
        ReportDiag(pre.pp.diag, kPpFatal, "#if too deeply nested");
    }
    ++pre.pp.sources.Top()->openConditionals;
}

void CloseConditional(Preprocessor& pre) {
    --pre.conditionals.depth;
    int& open = pre.pp.sources.Top()->openConditionals;
    if (open > 0) --open;
}

void DoIf(Preprocessor& pre, PpTokenRow& row, int code) {
    OpenConditional(pre);
    PpConditionals& c = pre.conditionals;
    c.branch[c.depth] = PpBranch::NoneTaken;
    if (EvalCondition(pre.pp, row, code) != 0) {
        c.branch[c.depth] = PpBranch::Taken;
    } else {
        c.skipLevel = c.depth;
    }
    EmptyRow(row);
}

void DoElif(Preprocessor& pre, PpTokenRow& row) {
    PpConditionals& c = pre.conditionals;
    if (c.depth == 0) {
        ReportDiag(pre.pp.diag, kPpError, "#elif with no #if");
        return;
    }
    PpBranch& branch = c.branch[c.depth];
    if (branch == PpBranch::ElseSeen) ReportDiag(pre.pp.diag, kPpError, "#elif after #else");
    if (EvalCondition(pre.pp, row, kPpKeywordElif) != 0 && branch == PpBranch::NoneTaken) {
        c.skipLevel = 0;
        branch = PpBranch::Taken;
    } else {
        c.skipLevel = c.depth;
    }
    EmptyRow(row);
}

void DoElse(Preprocessor& pre, PpTokenRow& row) {
    PpConditionals& c = pre.conditionals;
    if (c.depth == 0 || pre.pp.sources.Top()->openConditionals == 0) {
        ReportDiag(pre.pp.diag, kPpError, "#else with no #if");
        return;
    }
    PpBranch& branch = c.branch[c.depth];
    if (branch == PpBranch::ElseSeen) ReportDiag(pre.pp.diag, kPpError, "#else after #else");
    if (!KeywordAlone(row)) ReportDiag(pre.pp.diag, kPpError, "Syntax error in #else");
    c.skipLevel = branch != PpBranch::NoneTaken ? c.depth : 0;
    branch = PpBranch::ElseSeen;
    EmptyRow(row);
}

void DoEndif(Preprocessor& pre, PpTokenRow& row) {
    if (pre.conditionals.depth == 0 || pre.pp.sources.Top()->openConditionals == 0) {
        ReportDiag(pre.pp.diag, kPpError, "#endif with no #if");
        return;
    }
    CloseConditional(pre);
    if (!KeywordAlone(row)) ReportDiag(pre.pp.diag, kPpWarning, "Syntax error in #endif");
    EmptyRow(row);
}

void DoLine(Preprocessor& pre, PpTokenRow& row) {
    ++row.current;
    ExpandRow(pre.pp, row, "<line>");
    LineControl(pre.pp, row, row.base + 2);
}

// Inside a skipped group only the nesting is followed, and #elif / #else of
// the conditional being skipped may end the skip.
void SkippedDirective(Preprocessor& pre, PpTokenRow& row, int code) {
    PpConditionals& c = pre.conditionals;
    switch (code) {
        case kPpKeywordIf:
        case kPpKeywordIfdef:
        case kPpKeywordIfndef: OpenConditional(pre); break;
        case kPpKeywordEndif:
            CloseConditional(pre);
            if (c.depth < c.skipLevel) c.skipLevel = 0;
            break;
        case kPpKeywordElif:
            if (c.depth <= c.skipLevel) DoElif(pre, row);
            break;
        case kPpKeywordElse:
            if (c.depth <= c.skipLevel) DoElse(pre, row);
            break;
        default: break;
    }
}

void ActiveDirective(Preprocessor& pre, PpTokenRow& row, int code) {
    PpState& pp = pre.pp;
    switch (code) {
        case kPpKeywordDefine: DefineMacro(pp, row); EmptyRow(row); break;
        case kPpKeywordUndef: UndefineMacro(pp, row); EmptyRow(row); break;
        case kPpKeywordIf:
        case kPpKeywordIfdef:
        case kPpKeywordIfndef: DoIf(pre, row, code); break;
        case kPpKeywordElif: DoElif(pre, row); break;
        case kPpKeywordElse: DoElse(pre, row); break;
        case kPpKeywordEndif: DoEndif(pre, row); break;
        case kPpKeywordInclude: DoInclude(pre, row); ClearRow(row); break;
        case kPpKeywordLine: DoLine(pre, row); break;
        case kPpKeywordError:
            ++row.current;
            ReportDiag(pp.diag, kPpWarning, "#error directive: %r", row);
            EmptyRow(row);
            break;
        case kPpKeywordEval: EvalCondition(pp, row, code); EmptyRow(row); break;
        default: break;  // #pragma and the like pass through unexpanded
    }
}

}  // namespace

void LineControl(PpState& pp, const PpTokenRow& row, const PpToken* number) {
    const auto count = row.limit - number;
    const PpToken* name = number + 1;
    if (count < 2 || count > 3 || number->kind != PpKind::Number ||
        (count == 3 && name->kind != PpKind::String) || (name->length > 0 && name->text[0] == 'L')) {
        ReportDiag(pp.diag, kPpError, "Syntax error in #line");
        return;
    }
    PpSource& source = *pp.sources.Top();
    const long line = LeadingDecimal(*number) - 1;
    source.line = static_cast<int>(line);
    if (line < 0 || line >= kMaxLineNumber) ReportDiag(pp.diag, kPpWarning, "#line specifies number out of range");
    if (count == 3) source.name.assign(name->length >= 2 ? std::string(name->text + 1, name->length - 2) : "");
}

void DoDirective(Preprocessor& pre, PpTokenRow& row) {
    PpState& pp = pre.pp;
    const PpToken& first = *row.current;
    if (first.kind == PpKind::Number) {
        LineControl(pp, row, row.current);
        return;
    }
    if (IsLineEnd(first.kind)) return;  // a lone #
    if (first.kind != PpKind::Name) {
        ReportDiag(pp.diag, kPpError, "Unidentifiable control line");
        return;
    }
    const PpName* entry = LookupName(pp, first, false);
    const bool skipping = pre.conditionals.Skipping();
    if (entry == nullptr || (entry->flags & kPpDirective) == 0) {
        if (entry == nullptr || !skipping) ReportDiag(pp.diag, kPpWarning, "Unknown preprocessor control %t", first);
        return;
    }
    if (skipping) {
        SkippedDirective(pre, row, entry->keyword);
    } else {
        ActiveDirective(pre, row, entry->keyword);
    }
}

}  // namespace cimp::cpp
