#include "cimp/cpp/macros.h"

#include <cstring>

#include "cimp/cpp/pp_state.h"

namespace cimp::cpp {

namespace {

bool SameText(const PpToken& a, const PpToken& b) {
    return a.length == b.length && std::memcmp(a.text, b.text, a.length) == 0;
}

// A normalized copy of the tokens from first to last (exclusive) of row.
PpTokenRow NormalizeRange(PpArena& arena, PpTokenRow& row, PpToken* first, PpToken* last) {
    PpToken* const current = row.current;
    PpToken* const limit = row.limit;
    row.current = first;
    row.limit = last;
    PpTokenRow result = NormalizeRow(arena, row);
    row.current = current;
    row.limit = limit;
    return result;
}

// Reads "( a, b )" from token; returns the parameter row (null after a
// syntax error) and leaves token after the ')'.
std::unique_ptr<PpTokenRow> ReadParameters(PpState& pp, const PpTokenRow& row, PpToken*& token) {
    auto parameters = std::make_unique<PpTokenRow>(2);
    ++token;
    if (token < row.limit && token->kind == PpKind::RightParen) {
        ++token;
        return parameters;
    }
    for (;;) {
        if (token >= row.limit || token->kind != PpKind::Name) {
            break;
        }
        for (const PpToken* seen = parameters->base; seen < parameters->limit; ++seen) {
            if (SameText(*seen, *token)) {
                ReportDiag(pp.diag, kPpError, "Duplicate macro argument");
                break;
            }
        }
        if (parameters->Size() >= parameters->capacity) {
            GrowRow(*parameters);
        }
        *parameters->limit++ = *token++;
        if (token < row.limit && token->kind == PpKind::RightParen) {
            ++token;
            return parameters;
        }
        if (token >= row.limit || token->kind != PpKind::Comma) {
            break;
        }
        ++token;
    }
    ReportDiag(pp.diag, kPpError, "Syntax error in macro parameters");
    return nullptr;
}

bool SameDefinition(const PpName& entry, const PpTokenRow& value, const PpTokenRow* parameters) {
    if (entry.value == nullptr || CompareRows(*entry.value, value) != 0) {
        return false;
    }
    if ((entry.parameters != nullptr) != (parameters != nullptr)) {
        return false;
    }
    return parameters == nullptr || CompareRows(*entry.parameters, *parameters) == 0;
}

void ClearDefined(PpState& pp, const PpToken& name) {
    if (PpName* entry = LookupName(pp, name, false)) {
        entry->flags &= static_cast<std::uint8_t>(~kPpDefined);
    }
}

PpTokenRow OneNumberRow(PpState& pp) {
    char* text = CopyString(pp.runArena, " 1", 2, 0);
    PpTokenRow row(1);
    *row.limit++ = PpToken{PpKind::Number, 0, 0, 0, 1, text + 1};
    return row;
}

}  // namespace

void DefineMacro(PpState& pp, PpTokenRow& row) {
    PpToken* token = row.current + 1;
    if (token >= row.limit || token->kind != PpKind::Name) {
        ReportDiag(pp.diag, kPpError, "#defined token is not a name");
        return;
    }
    const PpToken& name = *token;
    PpName* entry = LookupName(pp, name, true);
    if ((entry->flags & kPpNoRedefine) != 0) {
        ReportDiag(pp.diag, kPpError, "#defined token %t can't be redefined", name);
        return;
    }
    ++token;
    std::unique_ptr<PpTokenRow> parameters;
    if (token < row.limit && token->kind == PpKind::LeftParen && token->spaceLength == 0) {
        std::unique_ptr<PpTokenRow> written = ReadParameters(pp, row, token);
        if (written == nullptr) {
            return;
        }
        parameters = std::make_unique<PpTokenRow>(NormalizeRow(pp.runArena, *written));
    }
    // The replacement goes without the line's end.
    PpToken* last = row.limit;
    if (last > token && (last[-1].kind == PpKind::Newline || last[-1].kind == PpKind::End)) {
        --last;
    }
    auto value = std::make_unique<PpTokenRow>(NormalizeRange(pp.runArena, row, token, last));
    if ((entry->flags & kPpDefined) != 0 && !SameDefinition(*entry, *value, parameters.get())) {
        ReportDiag(pp.diag, kPpError, "Macro redefinition of %t", name);
    }
    entry->value = std::move(value);
    entry->parameters = std::move(parameters);
    entry->flags |= kPpDefined;
}

void UndefineMacro(PpState& pp, PpTokenRow& row) {
    const PpToken* token = row.current;
    if (row.limit - token != 3 || token[1].kind != PpKind::Name || !IsLineEnd(token[2].kind)) {
        ReportDiag(pp.diag, kPpError, "Syntax error in #undef");
        return;
    }
    ClearDefined(pp, token[1]);
}

void DefineFromOption(PpState& pp, PpTokenRow& row, char letter) {
    PpToken* token = row.current;
    const auto atEnd = [&row](const PpToken* at) { return at >= row.limit || at->kind == PpKind::End; };
    if (atEnd(token) || token->kind != PpKind::Name) {
        ReportDiag(pp.diag, kPpFatal, "Illegal -D or -U argument %r", row);
        return;
    }
    if (letter == 'U') {
        if (!atEnd(token + 1)) {
            ReportDiag(pp.diag, kPpFatal, "Illegal -D or -U argument %r", row);
            return;
        }
        ClearDefined(pp, *token);
        return;
    }
    PpTokenRow value;
    if (atEnd(token + 1)) {
        value = OneNumberRow(pp);
    } else if (token[1].kind == PpKind::Assign) {
        PpToken* last = token + 2;
        while (!atEnd(last)) {
            ++last;
        }
        value = NormalizeRange(pp.runArena, row, token + 2, last);
    } else {
        ReportDiag(pp.diag, kPpFatal, "Illegal -D or -U argument %r", row);
        return;
    }
    PpName* entry = LookupName(pp, *token, true);
    entry->value = std::make_unique<PpTokenRow>(std::move(value));
    entry->parameters.reset();
    entry->flags |= kPpDefined;
}

}  // namespace cimp::cpp
