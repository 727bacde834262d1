// The names by which tokens appear in syntax-error reports.
#pragma once

#include <cstdint>
#include <string>

namespace cimp::parse {

// "LC", "IDENTIFIER", a keyword's text, an operator's spelling, "[\\t]",
// "[char 1]", ...
std::string TokenName(int32_t code);

}  // namespace cimp::parse
