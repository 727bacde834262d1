#include "cimp/parse/token_name.h"

#include "cimp/parse/tokens.h"

namespace cimp::parse {
namespace {

const char* ClassName(int32_t code) {
    switch (code) {
#define CIMP_KEYWORD(name, code, spelling, report) \
    case code:                                     \
        return report;
#define CIMP_TOKEN(name, code, report) \
    case code:                         \
        return report;
#define CIMP_OPERATOR(name, code, spelling) \
    case code:                              \
        return spelling;
#include "cimp/parse/tokens.def"
    default:
        return nullptr;
    }
}

const char* CharacterName(int32_t code) {
    switch (code) {
    case 0: return "[end of file]";
    case '{': return "LC";
    case '}': return "RC";
    case '[': return "LB";
    case ']': return "RB";
    case ';': return "SEMICOLON";
    case ',': return "COMMA";
    case '*': return "POINTER";
    case '\a': return "[\\a]";
    case '\b': return "[\\b]";
    case '\t': return "[\\t]";
    case '\n': return "[\\n]";
    case '\v': return "[\\v]";
    case '\f': return "[\\f]";
    case '\r': return "[\\r]";
    default: return nullptr;
    }
}

}  // namespace

std::string TokenName(int32_t code) {
    if (code == TK_ERROR) return "[error]";
    if (code >= 0 && code < TK_ERROR) {
        if (const char* name = CharacterName(code)) return name;
        if (code >= 0x20 && code < 0x7f) return std::string(1, static_cast<char>(code));
        return "[char " + std::to_string(code) + "]";
    }
    if (const char* name = ClassName(code)) return name;
    return "[token " + std::to_string(code) + "]";
}

}  // namespace cimp::parse
