#include "cimp/mapping/names.h"

#include <cstring>
#include <limits>

namespace cimp::mapping {
namespace {

// The characters trimmed from the end of a Type name to form a numbered base.
constexpr const char* kTypeSuffixChars = "_TYPE";

char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

void StripLeadingUnderscores(std::string& text) { text.erase(0, text.find_first_not_of('_')); }

std::string StripLeadingUnderscoresCopy(const std::string& text) {
    std::string copy = text;
    StripLeadingUnderscores(copy);
    return copy;
}

std::string UpperCase(std::string text) {
    for (char& c : text) c = UpperChar(c);
    return text;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperChar(a[i]) != UpperChar(b[i])) return false;
    return true;
}

std::string NumberedTypeName(const std::string& typeName, int32_t n) {
    const std::size_t end = typeName.find_last_not_of(kTypeSuffixChars);
    const std::string base = end == std::string::npos ? std::string() : typeName.substr(0, end + 1);
    return base + "_" + std::to_string(n) + "_TYPE";
}

std::string LengthNameOf(const std::string& base) { return UpperCase(base) + "_LEN"; }

std::string RecordName(const char (&field)[TKS_NAME_SIZE]) {
    const void* end = std::memchr(field, '\0', TKS_NAME_SIZE);
    const std::size_t size = end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - field)
                                            : TKS_NAME_SIZE;
    return std::string(field, size);
}

int32_t ParseDecimal(const char* text) {
    while (IsBlank(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) return static_cast<int32_t>(-value);
    return static_cast<int32_t>(value > kLimit - 1 ? kLimit - 1 : value);
}

}  // namespace cimp::mapping
