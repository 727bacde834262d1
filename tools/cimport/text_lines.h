// Texts of the stages shown to a user: CR LF pairs become plain line ends.
#pragma once

#include <string>

namespace cimport_cli {

std::string WithPlainLineEnds(const std::string& text);

}  // namespace cimport_cli
