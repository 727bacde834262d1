#include "cimp/cpp/name_table.h"

#include <cstring>

#include "cimp/cpp/pp_state.h"

namespace cimp::cpp {

namespace {

struct Keyword {
    const char* name;
    int code;
    std::uint8_t flags;
};

constexpr Keyword kKeywords[] = {
#define PP_KEYWORD(id, name, code, flags) {name, code, static_cast<std::uint8_t>(flags)},
#include "cimp/cpp/keywords.def"
#undef PP_KEYWORD
};

}  // namespace

int PpNameTable::Hash(const char* text, std::size_t length) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        sum += static_cast<unsigned char>(text[i]);
    }
    return static_cast<int>(sum % kPpNameChains);
}

PpName* PpNameTable::Find(const char* text, std::size_t length) const {
    for (PpName* entry = chains_[Hash(text, length)]; entry != nullptr; entry = entry->next) {
        if (entry->name[0] == text[0] && static_cast<std::size_t>(entry->length) == length &&
            std::memcmp(entry->name, text, length) == 0) {
            return entry;
        }
    }
    return nullptr;
}

PpName* PpNameTable::Add(PpArena& arena, const char* text, std::size_t length) {
    PpName& entry = entries_.emplace_back();
    entry.name = CopyString(arena, text, length, 0);
    entry.length = static_cast<int>(length);
    PpName*& chain = chains_[Hash(text, length)];
    entry.next = chain;
    chain = &entry;
    return &entry;
}

PpName* LookupName(PpState& pp, const PpToken& token, bool install) {
    if (token.length == 0) {
        return nullptr;
    }
    PpName* entry = pp.names.Find(token.text, token.length);
    if (entry == nullptr && install) {
        entry = pp.names.Add(pp.runArena, token.text, token.length);
        SetQuickLook(pp.lexer, token.text, token.length);
    }
    return entry;
}

void InstallKeywords(PpState& pp) {
    for (const Keyword& keyword : kKeywords) {
        char* text = const_cast<char*>(keyword.name);
        const PpToken token{PpKind::Name, 0, 0, 0, static_cast<std::uint32_t>(std::strlen(text)), text};
        PpName* entry = LookupName(pp, token, true);
        entry->keyword = static_cast<std::uint8_t>(keyword.code);
        entry->flags = keyword.flags;
    }
    // Its value is itself, normalized like every macro body.
    char* text = CopyString(pp.runArena, "defined", 7, 1);
    text[0] = ' ';
    const PpToken defined{PpKind::Name, 0, 0, 0, 7, text + 1};
    PpName* entry = LookupName(pp, defined, true);
    entry->keyword = kPpKeywordDefinedIdle;
    entry->value = std::make_unique<PpTokenRow>(1);
    *entry->value->limit++ = defined;
    entry->parameters.reset();
    pp.names.definedEntry = entry;
}

}  // namespace cimp::cpp
