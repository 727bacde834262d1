// The message model held in a repository, as the show command reports it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tksbeapi.h"

namespace cimport_cli {

struct LengthEntry {
    std::string name;
    int32_t value = 0;
    bool complete = true;
};

struct ElementEntry {
    std::string name;
    std::string type;                   // name of its Type, empty when it has none
    std::optional<LengthEntry> length;  // only Elements of string Types have one
    bool complete = true;
};

struct MemberAttribute {
    std::string name;
    std::string value;
};

struct MemberEntry {
    ElementEntry element;
    int16_t memberFlag = 0;
    int16_t repeating = 0;
    std::vector<MemberAttribute> attributes;  // only those set, in a fixed order
};

struct TypeEntry {
    std::string name;
    int32_t typeClass = 0;       // TKS_TYPE_CLASS_SIMPLE or TKS_TYPE_CLASS_STRUCTURE
    int32_t simpleTypeCode = 0;  // for simple Types
    bool complete = true;
    std::vector<MemberEntry> members;  // in order
};

struct MessageModel {
    std::vector<TypeEntry> types;
    std::vector<ElementEntry> elements;
    std::vector<LengthEntry> lengths;
};

// Reads every Type, Element and Length in the repository's own order.
// Throws CommandError when the repository refuses a read.
MessageModel ReadModel(TKSHandle repository);

// "STRING", "INTEGER", "FLOAT", "BINARY", "BOOLEAN", or the code in decimal.
std::string SimpleTypeName(int32_t code);

}  // namespace cimport_cli
