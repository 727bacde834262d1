// Token codes of the declaration scanner, shared by the scanner, the grammar
// and the diagnostics.
#pragma once

#include <cstdint>

namespace cimp::parse {

enum TokenCode : int32_t {
    TK_END_OF_INPUT = 0,
    TK_ERROR = 256,
#define CIMP_KEYWORD(name, code, spelling, report) TK_##name = code,
#define CIMP_TOKEN(name, code, report) TK_##name = code,
#define CIMP_OPERATOR(name, code, spelling) TK_##name = code,
#include "cimp/parse/tokens.def"
};

}  // namespace cimp::parse
