#include "member_attributes.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <cstring>

#include "records.h"
#include "tksbeapi.h"

namespace tks {
namespace {

constexpr MemberAttribute kAttributes[] = {
#define TKS_MEMBER_ATTRIBUTE(id, name, rule, initial) {id, name, ValueRule::rule, initial},
#include "member_attributes.def"
#undef TKS_MEMBER_ATTRIBUTE
};

constexpr size_t LongestName() {
    size_t longest = 0;
    for (const MemberAttribute& attribute : kAttributes) {
        longest = std::max(longest, std::char_traits<char>::length(attribute.name));
    }
    return longest;
}

bool IsInteger(std::string_view text) {
    if (text.empty() || text.front() == '+') return false;  // from_chars takes no '+' either
    int32_t number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    return error == std::errc() && stop == end;
}

bool Follows(ValueRule rule, std::string_view text) {
    switch (rule) {
        case ValueRule::Integer: return IsInteger(text);
        case ValueRule::Flag: return text == "0" || text == "1";
        case ValueRule::Text: return true;
    }
    return false;
}

}  // namespace

std::span<const MemberAttribute> AllMemberAttributes() { return kAttributes; }

const MemberAttribute* FindMemberAttribute(const char* name) {
    const std::optional<std::string_view> text = BoundedText(name, LongestName() + 1);
    if (!text) return nullptr;
    for (const MemberAttribute& attribute : kAttributes) {
        if (*text == attribute.name) return &attribute;
    }
    return nullptr;
}

std::optional<std::string_view> AcceptedValue(const MemberAttribute& attribute, const char* value) {
    const std::optional<std::string_view> text = BoundedText(value, TKS_ATTR_VALUE_SIZE);
    if (!text || !Follows(attribute.rule, *text)) return std::nullopt;
    return text;
}

}  // namespace tks
