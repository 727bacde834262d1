// A repository double for the mapping's tests: the sixteen repository calls
// forward to the stand-in repository, record what was asked, and can be made
// to fail: the Nth call of a given function returns a given code instead.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tksbeapi.h"

namespace repo_double {

enum class Call {
#define REPOSITORY_CALL(name) name,
#include "repository_calls.def"
#undef REPOSITORY_CALL
};

const char* CallName(Call call);

// One call as the mapping made it: the function, its non-handle arguments as
// text (record names and values included), and its handle arguments.
struct CallRecord {
    Call call;
    std::string text;
    std::vector<TKSHandle> handles;
};

// Forgets faults, counts and the log.
void Reset();
// The nth call (1 = the next one) of call, counted from now, returns code
// without reaching the repository.  With text, only calls whose logged text
// is exactly text count.  Several faults may be armed; the first armed one
// that is due answers a call.
void ArmFault(Call call, int nth, int32_t code, const std::string& text = "");
// Every counted call of call from the nth on returns code.
void ArmFaultFrom(Call call, int nth, int32_t code, const std::string& text = "");
const std::vector<CallRecord>& Log();
// The texts of the logged calls of one function, in order.
std::vector<std::string> Texts(Call call);
// The texts of all logged calls, in order.
std::vector<std::string> AllTexts();
int Count(Call call);

}  // namespace repo_double
