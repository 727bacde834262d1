// Name texts of the mapping: underscores, upper case, numbered candidates and
// the name fields of the repository's detail records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "tksbeapi.h"

namespace cimp::mapping {

// Longest name a record's name field holds (the field keeps a NUL after it).
constexpr std::size_t kMaxNameLength = TKS_NAME_SIZE - 1;

// An attribute name as the repository reads it: text in a zero-filled
// field of 116 bytes.
class AttributeNameField {
public:
    explicit AttributeNameField(const char* name) { std::snprintf(text_, sizeof text_, "%s", name); }
    const char* c_str() const { return text_; }

private:
    char text_[116] = {};
};

// Removes every leading '_' (an all-underscore text becomes empty).
void StripLeadingUnderscores(std::string& text);
std::string StripLeadingUnderscoresCopy(const std::string& text);
// ASCII upper case; other bytes unchanged.
std::string UpperCase(std::string text);
bool EqualIgnoringCase(const std::string& a, const std::string& b);

// base_n_TYPE, the base being typeName with every trailing '_', 'T', 'Y',
// 'P' or 'E' removed (POINT_TYPE gives POIN_1_TYPE).
std::string NumberedTypeName(const std::string& typeName, int32_t n);
// NAME_LEN for a base text.
std::string LengthNameOf(const std::string& base);

// The text of a record's name field, never read past the field.
std::string RecordName(const char (&field)[TKS_NAME_SIZE]);
// Sets name and secondName; false (record untouched) when the text does not fit.
template <typename Record>
bool SetRecordNames(Record& record, const std::string& text);

// Reads a decimal integer: leading blanks, an optional sign, then digits up
// to the first other character; no digits give 0.  Saturates at the int32 range.
int32_t ParseDecimal(const char* text);

template <typename Record>
bool SetRecordNames(Record& record, const std::string& text) {
    if (text.size() > kMaxNameLength) return false;
    text.copy(record.name, text.size());
    record.name[text.size()] = '\0';
    text.copy(record.secondName, text.size());
    record.secondName[text.size()] = '\0';
    return true;
}

}  // namespace cimp::mapping
