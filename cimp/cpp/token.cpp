#include "cimp/cpp/token.h"

namespace cimp::cpp {

namespace {

constexpr const char* kKindNames[] = {
#define PP_TOKEN(kind, spelling) #kind,
#include "cimp/cpp/token.def"
#undef PP_TOKEN
};

constexpr const char* kKindSpellings[] = {
#define PP_TOKEN(kind, spelling) spelling,
#include "cimp/cpp/token.def"
#undef PP_TOKEN
};

}  // namespace

const char* KindName(PpKind kind) {
    return kKindNames[static_cast<int>(kind)];
}

const char* KindSpelling(PpKind kind) {
    return kKindSpellings[static_cast<int>(kind)];
}

bool IsNoBlank(PpKind kind) {
    switch (kind) {
    case PpKind::Newline:
    case PpKind::LeftBracket:
    case PpKind::RightBracket:
    case PpKind::LeftParen:
    case PpKind::RightParen:
    case PpKind::Comma:
    case PpKind::Semicolon:
    case PpKind::LeftBrace:
    case PpKind::RightBrace:
        return true;
    default:
        return false;
    }
}

}  // namespace cimp::cpp
