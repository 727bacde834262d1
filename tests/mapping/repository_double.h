// A repository double for the mapping's tests: the sixteen repository calls
// forward to the stand-in repository, are logged, and can be made to fail.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace repo_double {

// Forgets faults and the log.
void Reset();
// The nth call (1 = the next one) of the function named call, e.g.
// "GetDetails", returns code without reaching the repository; with every, so
// do all later ones.  With text, only calls logged exactly so count.  Of
// several armed faults, the first one due answers a call.
void ArmFault(const std::string& call, int nth, int32_t code, const std::string& text = "",
              bool every = false);
// The call at this position of the log (1 = the first after Reset) returns
// code without reaching the repository.
void ArmCallAt(std::size_t position, int32_t code);
// Each call made, in order: the function's name and its arguments but
// handles and buffers, e.g. "GetDetails 0 832" or "FindDefinition 104 S_TYPE".
const std::vector<std::string>& Log();

}  // namespace repo_double
