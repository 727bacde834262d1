// The constructs of a preprocessed header that the importer reads otherwise
// than a C compiler, found in its tokens (and its #pragma lines) with the
// structure bodies a C compiler sees.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "header_scan.h"

namespace cimport_cli {

enum class ConstructKind {
    kUnionInStructure,
    kEnumInStructure,
    kSplitConstant,
    kCxxKeyword,
    kPragma,
    kBitField,
    kArraySize,
    kLongName,
    kFileScopeUnion,
};

constexpr std::size_t kNoBody = static_cast<std::size_t>(-1);

struct Construct {
    ConstructKind kind;
    std::size_t first;  // its tokens
    std::size_t last;
    std::string what;  // the construct in words
    std::size_t body = kNoBody;  // the '{' token of the innermost structure body around it
    std::string spelled;  // its token as the header spells it, unless a macro made it
};

struct Constructs {
    std::vector<Construct> list;  // in the order of their first tokens
    // The members a C compiler sees in each structure body, by the body's '{' token.
    std::map<std::size_t, std::vector<std::string>> bodyMembers;
};

Constructs FindConstructs(const std::vector<ScannedToken>& tokens, const std::string& preprocessed);

}  // namespace cimport_cli
