#include "cimp/cpp/expand.h"

#include <cstring>
#include <string>
#include <utility>

#include "cimp/cpp/pp_state.h"

namespace cimp::cpp {

namespace {

constexpr char kNestedTooDeeply[] = "Macro expansion nested more than 30 deep";

bool IsExpandable(const PpName* entry) {
    return entry != nullptr && (entry->flags & (kPpDefined | kPpBuiltin)) != 0;
}

int ParameterIndex(const PpName& entry, const PpToken& token) {
    if (token.kind != PpKind::Name || entry.parameters == nullptr) {
        return -1;
    }
    const PpTokenRow& parameters = *entry.parameters;
    for (const PpToken* p = parameters.base; p < parameters.limit; ++p) {
        if (p->length == token.length && std::memcmp(p->text, token.text, token.length) == 0) {
            return static_cast<int>(p - parameters.base);
        }
    }
    return -1;
}

// InsertRow within the limits of one line's expansion: the row's size and
// the tokens moved to make room, summed over the line.
void InsertChecked(PpState& pp, PpTokenRow& row, int count, const PpTokenRow& src) {
    if (src.Size() != count) {
        pp.expansionWork += (row.limit - row.current) + src.Size();
    }
    if (pp.expansionWork > kPpMaxExpansionWork || row.Size() - count + src.Size() > kPpMaxRowTokens) {
        ReportDiag(pp.diag, kPpFatal, "Macro expansion too large");
    }
    InsertRow(pp.lineArena, row, count, src);
}

// Tokens put in place of a macro call or a parameter start with the white
// space of what they replace, so a blank written in front of a macro or a
// parameter stays a written blank (kept by # and by the output alike).
void TakeOverSpace(PpState& pp, PpTokenRow& src, const PpToken& replaced) {
    if (src.limit == src.base || replaced.spaceLength == 0) {
        return;
    }
    PpToken& first = *src.base;
    if (first.spaceLength == 0) {
        char* text = CopyString(pp.lineArena, first.text, first.length, 1);
        text[0] = ' ';
        first.text = text + 1;
        first.spaceLength = 1;
    }
    first.flags = static_cast<std::uint8_t>((first.flags & ~kPpInsertedBlank) | (replaced.flags & kPpInsertedBlank));
}

// Replaces count tokens at the row's current token by src.
void InsertReplacing(PpState& pp, PpTokenRow& row, int count, PpTokenRow src) {
    TakeOverSpace(pp, src, *row.current);
    InsertChecked(pp, row, count, src);
}

// Removes the token at offset from the row's current token.
void RemoveToken(PpTokenRow& row, std::ptrdiff_t offset) {
    PpToken* const current = row.current;
    const auto position = current - row.base;
    row.current = current + offset + 1;
    AdjustRow(row, -1);
    row.current = row.base + position;
}

// `defined` during #if: marks its operand.
void MarkDefined(PpState& pp, PpTokenRow& row) {
    PpToken* token = row.current;
    token->kind = PpKind::Defined;
    const auto remaining = row.limit - token - 1;
    if (remaining >= 1 && token[1].kind == PpKind::Name) {
        token[1].kind = PpKind::NameInDefined;
    } else if (remaining >= 3 && token[1].kind == PpKind::LeftParen && token[2].kind == PpKind::Name &&
               token[3].kind == PpKind::RightParen) {
        token[2].kind = PpKind::NameInDefined;
    } else {
        ReportDiag(pp.diag, kPpError, "Incorrect syntax for `defined'");
    }
    ++row.current;
}

// Reads the next line into the row; false when the input ended there (the
// End token is then removed).
bool ReadMore(PpState& pp, PpTokenRow& row) {
    ReadLine(pp, row, false);
    if (row.limit > row.base && row.limit[-1].kind == PpKind::End) {
        --row.limit;
        return false;
    }
    return true;
}

// Finds the '(' of a call after the name; its offset, or -1.
std::ptrdiff_t FindOpenParen(PpState& pp, PpTokenRow& row) {
    for (std::ptrdiff_t offset = 1;; ++offset) {
        if (row.current + offset >= row.limit && !ReadMore(pp, row)) {
            return -1;
        }
        const PpKind kind = row.current[offset].kind;
        if (kind == PpKind::LeftParen) {
            return offset;
        }
        if (kind != PpKind::Newline) {
            return -1;
        }
    }
}

// Finds the matching ')' (joining lines); its offset, or -(offset + 1) when
// the input ended at offset.
std::ptrdiff_t FindCloseParen(PpState& pp, PpTokenRow& row, std::ptrdiff_t open) {
    int depth = 1;
    for (std::ptrdiff_t offset = open + 1;;) {
        if (row.current + offset >= row.limit) {
            ReadLine(pp, row, false);
            continue;
        }
        PpToken& token = row.current[offset];
        switch (token.kind) {
        case PpKind::LeftParen:
            ++depth;
            break;
        case PpKind::RightParen:
            if (--depth == 0) {
                return offset;
            }
            break;
        case PpKind::Newline: {
            if (row.current + offset + 1 >= row.limit) {
                ReadLine(pp, row, false);  // the blank goes to the next line's first token
            }
            RemoveToken(row, offset);
            PpToken* const current = row.current;
            row.current += offset;
            EnsureSpace(pp.lineArena, row);
            row.current = current;
            continue;
        }
        case PpKind::End:
            RemoveToken(row, offset);
            ReportDiag(pp.diag, kPpError, "EOF in macro arglist");
            return -offset - 1;
        default:
            break;
        }
        ++offset;
    }
}

// Splits the tokens between the parentheses into normalized arguments.
void SplitArguments(PpState& pp, PpTokenRow& row, std::ptrdiff_t open, std::ptrdiff_t close,
                    PpTokenRow* arguments, int& count) {
    PpToken* const first = row.current + open + 1;
    PpToken* const last = row.current + close;
    PpToken* start = first;
    int depth = 0;
    PpToken* const current = row.current;
    for (PpToken* token = first; token <= last; ++token) {
        if (token->kind == PpKind::Paste) {
            token->kind = PpKind::PasteInArg;
        }
        const bool endsArgument = (token->kind == PpKind::Comma && depth == 0) || (token == last && last != first);
        depth += token->kind == PpKind::LeftParen ? 1 : token->kind == PpKind::RightParen ? -1 : 0;
        if (!endsArgument) {
            continue;
        }
        if (count == kPpMaxArguments) {
            ReportDiag(pp.diag, kPpFatal, "Sorry, too many macro arguments");
        }
        row.current = start;
        PpToken* const limit = row.limit;
        row.limit = token;
        arguments[count++] = NormalizeRow(pp.lineArena, row);
        row.limit = limit;
        row.current = current;
        start = token + 1;
    }
}

// The name token could not be expanded further: it and everything made from
// it keep every macro hidden.
void StopNesting(PpState& pp, PpTokenRow& row) {
    ReportDiag(pp.diag, kPpError, kNestedTooDeeply);
    row.current->hideSet = kPpHideAll;
    ++row.current;
}

// Gives the replacement's names the hide set of the call.
bool MarkReplacement(PpState& pp, PpTokenRow& copy, int hideSet) {
    bool complete = true;
    for (PpToken* token = copy.base; token < copy.limit; ++token) {
        if (token->kind != PpKind::Name || token->hideSet == kPpHideAll) {
            continue;
        }
        token->hideSet = static_cast<std::uint16_t>(
            token->hideSet == 0 ? hideSet : HideSetUnion(pp, token->hideSet, hideSet));
        complete = complete && token->hideSet != kPpHideAll;
    }
    return complete;
}

// Appends text to out with a backslash before every '"' and '\'.
void AppendEscaped(char*& out, const PpToken& token) {
    for (std::uint32_t i = 0; i < token.length; ++i) {
        const char c = token.text[i];
        if (c == '"' || c == '\\') {
            *out++ = '\\';
        }
        *out++ = c;
    }
}

// The one-token row of a text made while the line is expanded.
PpTokenRow TextRow(PpState& pp, PpKind kind, const char* text, std::size_t length) {
    char* copy = CopyString(pp.lineArena, text, length, 1);
    copy[0] = ' ';
    PpTokenRow row(1);
    *row.limit++ = PpToken{kind, 0, 0, 0, static_cast<std::uint32_t>(length), copy + 1};
    return row;
}

// Joins left and right through a "<##>" source; false when they are too long.
bool PasteAt(PpState& pp, PpTokenRow& copy) {
    const PpToken& left = copy.current[-1];
    const PpToken& right = copy.current[1];
    if (left.length + right.length >= static_cast<std::uint32_t>(kPpPasteBuffer)) {
        ReportDiag(pp.diag, kPpError, "Operands of ## too long");
        return false;
    }
    char joined[kPpPasteBuffer];
    std::memcpy(joined, left.text, left.length);
    std::memcpy(joined + left.length, right.text, right.length);
    PushSource(pp, "<##>", std::string_view(joined, left.length + right.length));
    PpTokenRow made(3);
    ReadLine(pp, made, true);
    PopSource(pp);
    if (!(made.Size() == 2 && made.base[0].kind != PpKind::Unclassified && made.base[1].kind == PpKind::End)) {
        ReportDiag(pp.diag, kPpWarning, "Bad token %r produced by ##", made);
    }
    made.limit = made.base + 1;
    --copy.current;
    InsertRow(pp.lineArena, copy, 3, made);
    return true;
}

// The generated text of a built-in macro; false for an unknown code.
bool BuiltinText(const PpState& pp, int code, const PpSource* source, std::string& text) {
    const std::string time = pp.timeText.size() >= 24 ? pp.timeText : std::string(24, '?');
    switch (code) {
    case kPpKeywordLineMacro:
        text = std::to_string(source != nullptr ? source->line : 0);
        return true;
    case kPpKeywordFileMacro:
        text.assign(1, '"');
        for (const char c : source != nullptr ? source->name : std::string()) {
            text += c;
            if (c == '\\') {
                text += c;
            }
        }
        text += '"';
        return true;
    case kPpKeywordDateMacro:
        text.assign(1, '"').append(time, 4, 7).append(time, 20, 4).append(1, '"');
        return true;
    case kPpKeywordTimeMacro:
        text.assign(1, '"').append(time, 11, 8).append(1, '"');
        return true;
    default:
        return false;
    }
}

// A copy of an argument with its macros expanded.  A ## that the expansion
// made is part of the argument, never an operator of the macro it is
// substituted into.  Expansion inside arguments nests; past
// kPpMaxArgumentDepth levels the argument is left as written.
PpTokenRow ExpandArgument(PpState& pp, const PpTokenRow& argument) {
    PpTokenRow expanded;
    CopyRow(expanded, argument);
    if (pp.argumentDepth >= kPpMaxArgumentDepth) {
        ReportDiag(pp.diag, kPpError, "Macro arguments nested too deeply");
        return expanded;
    }
    ++pp.argumentDepth;
    ExpandRow(pp, expanded, "<macro>");
    --pp.argumentDepth;
    for (PpToken* token = expanded.base; token < expanded.limit; ++token) {
        if (token->kind == PpKind::Paste) {
            token->kind = PpKind::PasteInArg;
        }
    }
    return expanded;
}

}  // namespace

void ExpandRow(PpState& pp, PpTokenRow& row, const char* tag) {
    if (tag != nullptr) {
        PushSource(pp, tag, std::string_view());
    }
    while (row.current < row.limit) {
        PpToken& token = *row.current;
        if (token.kind != PpKind::Name || !QuickLook(pp.lexer, token)) {
            ++row.current;
            continue;
        }
        PpName* entry = LookupName(pp, token, false);
        if (!IsExpandable(entry) || pp.hideSets.Contains(token.hideSet, entry)) {
            ++row.current;
        } else if (entry->keyword == kPpKeywordDefined) {
            MarkDefined(pp, row);
        } else if ((entry->flags & kPpBuiltin) != 0) {
            ExpandBuiltin(pp, row, entry->keyword);
        } else {
            ExpandMacro(pp, row, *entry);
        }
    }
    if (tag != nullptr) {
        PopSource(pp);
    }
}

void ExpandMacro(PpState& pp, PpTokenRow& row, PpName& entry) {
    const int hideSet = HideSetAdd(pp, row.current->hideSet, &entry);
    if (hideSet == kPpHideAll) {
        StopNesting(pp, row);
        return;
    }
    if (entry.value == nullptr) {
        ++row.current;
        return;
    }
    PpTokenRow copy;
    CopyRow(copy, *entry.value);
    int span = 1;
    if (entry.parameters != nullptr) {
        PpTokenRow arguments[kPpMaxArguments + 2];
        int count = 0;
        span = GatherArguments(pp, row, arguments, count);
        if (count < 0) {
            ++row.current;
            return;
        }
        if (count != entry.parameters->Size()) {
            ReportDiag(pp.diag, kPpError, "Disagreement in number of macro arguments");
            row.current->hideSet = static_cast<std::uint16_t>(hideSet);
            row.current += span;
            return;
        }
        SubstituteArguments(pp, entry, copy, arguments);
    }
    PasteTokens(pp, copy);
    if (!MarkReplacement(pp, copy, hideSet)) {
        ReportDiag(pp.diag, kPpError, kNestedTooDeeply);
    }
    const auto position = row.current - row.base;
    InsertReplacing(pp, row, span, std::move(copy));
    row.current = row.base + position;
}

int GatherArguments(PpState& pp, PpTokenRow& row, PpTokenRow* arguments, int& count) {
    count = -1;
    const std::ptrdiff_t open = FindOpenParen(pp, row);
    if (open < 0) {
        return 1;
    }
    count = 0;
    const std::ptrdiff_t close = FindCloseParen(pp, row, open);
    if (close < 0) {
        return static_cast<int>(-close - 1);
    }
    SplitArguments(pp, row, open, close, arguments, count);
    return static_cast<int>(close + 1);
}

void SubstituteArguments(PpState& pp, const PpName& entry, PpTokenRow& copy, PpTokenRow* arguments) {
    copy.current = copy.base;
    while (copy.current < copy.limit) {
        const PpToken& token = *copy.current;
        const bool hasNext = copy.current + 1 < copy.limit;
        if (token.kind == PpKind::Hash) {
            const int index = hasNext ? ParameterIndex(entry, copy.current[1]) : -1;
            if (index < 0) {
                ReportDiag(pp.diag, kPpError, "# not followed by macro parameter");
                ++copy.current;
            } else {
                InsertReplacing(pp, copy, 2, Stringize(pp, arguments[index]));
            }
            continue;
        }
        const int index = ParameterIndex(entry, token);
        if (index < 0) {
            ++copy.current;
            continue;
        }
        const bool nextToPaste = (hasNext && copy.current[1].kind == PpKind::Paste) ||
                                 (copy.current > copy.base && copy.current[-1].kind == PpKind::Paste);
        if (nextToPaste) {
            PpTokenRow written;
            CopyRow(written, arguments[index]);
            InsertReplacing(pp, copy, 1, std::move(written));
        } else {
            InsertReplacing(pp, copy, 1, ExpandArgument(pp, arguments[index]));
        }
    }
}

PpTokenRow Stringize(PpState& pp, const PpTokenRow& argument) {
    char buffer[kPpStringizeBuffer];
    char* out = buffer;
    *out++ = '"';
    for (const PpToken* token = argument.base; token < argument.limit; ++token) {
        if ((out - buffer) + 2 * static_cast<std::size_t>(token->length) >= kPpStringizeLimit) {
            ReportDiag(pp.diag, kPpError, "Stringified macro arg is too long");
            break;
        }
        if (token->spaceLength > 0 && (token->flags & kPpInsertedBlank) == 0) {
            *out++ = ' ';
        }
        if (token->kind == PpKind::String || token->kind == PpKind::CharConst) {
            AppendEscaped(out, *token);
        } else {
            std::memcpy(out, token->text, token->length);
            out += token->length;
        }
    }
    *out++ = '"';
    return TextRow(pp, PpKind::String, buffer, out - buffer);
}

void PasteTokens(PpState& pp, PpTokenRow& copy) {
    copy.current = copy.base;
    while (copy.current < copy.limit) {
        PpToken& token = *copy.current;
        if (token.kind == PpKind::PasteInArg) {
            token.kind = PpKind::Paste;
        } else if (token.kind == PpKind::Paste) {
            if (copy.current == copy.base || copy.current + 1 >= copy.limit) {
                ReportDiag(pp.diag, kPpError, "## occurs at border of replacement");
            } else if (PasteAt(pp, copy)) {
                continue;
            }
        }
        ++copy.current;
    }
}

void ExpandBuiltin(PpState& pp, PpTokenRow& row, int code) {
    std::string text;
    if (!BuiltinText(pp, code, pp.sources.InnermostFile(), text)) {
        ReportDiag(pp.diag, kPpError, "cpp botch: unknown internal macro");
        ++row.current;
        return;
    }
    PpToken& token = *row.current;
    token.kind = code == kPpKeywordLineMacro ? PpKind::Number : PpKind::String;
    const bool blank = token.spaceLength > 0;
    if (blank) {
        text.insert(text.begin(), ' ');
    }
    char* start = GenerateText(pp, text.data(), text.size());
    token.spaceLength = blank ? 1 : 0;
    token.text = start + (blank ? 1 : 0);
    token.length = static_cast<std::uint32_t>(text.size() - (blank ? 1 : 0));
    ++row.current;
}

}  // namespace cimp::cpp
