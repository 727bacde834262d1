// Member attribute names and the texts each one accepts.
#ifndef TKSBEAPI_MEMBER_ATTRIBUTES_H
#define TKSBEAPI_MEMBER_ATTRIBUTES_H

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tks {

enum class ValueRule {
    Integer,  // a decimal integer within 32 bits: an optional '-', then digits
    Flag,     // "0" or "1"
    Text,     // any text
};

struct MemberAttribute {
    int32_t id;
    const char* name;
    ValueRule rule;
    const char* initialValue;
};

std::span<const MemberAttribute> AllMemberAttributes();

// The attribute of that name (case-sensitive); reads no more of the text than
// the longest name and its NUL.
const MemberAttribute* FindMemberAttribute(const char* name);

// The value text when it is NUL-terminated within the size of a value buffer
// and follows the attribute's rule.
std::optional<std::string_view> AcceptedValue(const MemberAttribute& attribute, const char* value);

}  // namespace tks

#endif
