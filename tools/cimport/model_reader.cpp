#include <array>
#include <cstring>
#include <unordered_set>

#include "command_error.h"
#include "model.h"

namespace cimport_cli {

namespace {

// The attributes a membership can hold, in the order the importer sets them.
constexpr std::array<const char*, 5> kMemberAttributes = {"Physical Type", "Repeat Count", "Length", "Signed",
                                                          "String Justification"};

// Mode and flag words of TKSGetNextDefinition.
constexpr int32_t kNextMode = 1;
constexpr int32_t kFirstMemberMode = 3;
constexpr int32_t kDefinitionFlag = 0;
constexpr int32_t kMemberFlag = 1;

std::string FixedText(const char* text, std::size_t size) { return std::string(text, strnlen(text, size)); }

template <typename Record>
Record ReadDetails(TKSHandle object) {
    Record record{};
    if (TKSGetDetails(object, 0, &record, sizeof record) != TKS_OK)
        throw CommandError("the repository refused to read object " + std::to_string(object));
    return record;
}

std::string Identifier(TKSHandle object) {
    std::array<char, TKS_NAME_SIZE> buffer{};
    TKSGetIdentifier(object, buffer.data(), static_cast<int32_t>(buffer.size()));
    return FixedText(buffer.data(), buffer.size());
}

bool IsComplete(TKSHandle object) { return TKSIsComplete(object) != 0; }

LengthEntry ReadLength(TKSHandle length) {
    const auto record = ReadDetails<LengthDetails>(length);
    return {FixedText(record.name, sizeof record.name), record.value, IsComplete(length)};
}

ElementEntry ReadElement(TKSHandle element) {
    const auto record = ReadDetails<ElementDetails>(element);
    ElementEntry entry;
    entry.name = FixedText(record.name, sizeof record.name);
    if (record.typeHandle != 0) entry.type = Identifier(static_cast<TKSHandle>(record.typeHandle));
    if (record.lengthHandle != 0) entry.length = ReadLength(static_cast<TKSHandle>(record.lengthHandle));
    entry.complete = IsComplete(element);
    return entry;
}

MemberEntry ReadMember(TKSHandle type, TKSHandle member) {
    MemberEntry entry;
    entry.element = ReadElement(member);
    MemberDetails details{};
    if (TKSGetMemberDetails(type, member, &details, sizeof details) != TKS_OK)
        throw CommandError("the repository refused to read a member of " + Identifier(type));
    entry.memberFlag = details.memberFlag;
    entry.repeating = details.repeating;
    std::string value(TKS_ATTR_VALUE_SIZE, '\0');
    for (const char* name : kMemberAttributes) {
        if (TKSGetMemberAttrValue(type, member, name, value.data(), TKS_ATTR_VALUE_SIZE) != TKS_OK) continue;
        entry.attributes.push_back({name, FixedText(value.data(), value.size())});
    }
    return entry;
}

// Calls visit for each handle of a chain; a handle met twice ends the walk,
// so a damaged repository cannot make it loop.
template <typename Next, typename Visit>
void WalkChain(TKSHandle first, Next next, Visit visit) {
    std::unordered_set<TKSHandle> seen;
    for (TKSHandle current = first; current != TKS_NO_HANDLE && current != TKS_LAST_MEMBER;
         current = next(current)) {
        if (!seen.insert(current).second) break;
        visit(current);
    }
}

TKSHandle NextDefinition(TKSHandle current) {
    TKSHandle next = TKS_NO_HANDLE;
    if (TKSGetNextDefinition(current, TKS_NO_HANDLE, &next, kNextMode, kDefinitionFlag) != TKS_OK)
        return TKS_NO_HANDLE;
    return next;
}

template <typename Visit>
void WalkDefinitions(TKSHandle repository, int32_t kind, Visit visit) {
    TKSHandle first = TKS_NO_HANDLE;
    if (TKSGetFirstDefinition(repository, kind, &first, 0) != TKS_OK) return;
    WalkChain(first, NextDefinition, visit);
}

std::vector<MemberEntry> ReadMembers(TKSHandle type) {
    std::vector<MemberEntry> members;
    TKSHandle first = TKS_NO_HANDLE;
    if (TKSGetNextDefinition(type, TKS_NO_HANDLE, &first, kFirstMemberMode, kMemberFlag) != TKS_OK)
        return members;
    const auto next = [type](TKSHandle current) {
        TKSHandle following = TKS_NO_HANDLE;
        if (TKSGetNextDefinition(current, type, &following, kNextMode, kMemberFlag) != TKS_OK)
            return TKS_NO_HANDLE;
        return following;
    };
    WalkChain(first, next, [&](TKSHandle member) { members.push_back(ReadMember(type, member)); });
    return members;
}

TypeEntry ReadType(TKSHandle type) {
    const auto record = ReadDetails<TypeDetails>(type);
    TypeEntry entry;
    entry.name = FixedText(record.name, sizeof record.name);
    entry.typeClass = record.typeClass;
    entry.simpleTypeCode = record.simpleTypeCode;
    entry.complete = IsComplete(type);
    if (entry.typeClass == TKS_TYPE_CLASS_STRUCTURE) entry.members = ReadMembers(type);
    return entry;
}

}  // namespace

MessageModel ReadModel(TKSHandle repository) {
    MessageModel model;
    WalkDefinitions(repository, TKS_KIND_TYPE, [&](TKSHandle h) { model.types.push_back(ReadType(h)); });
    WalkDefinitions(repository, TKS_KIND_ELEMENT, [&](TKSHandle h) { model.elements.push_back(ReadElement(h)); });
    WalkDefinitions(repository, TKS_KIND_LENGTH, [&](TKSHandle h) { model.lengths.push_back(ReadLength(h)); });
    return model;
}

std::string SimpleTypeName(int32_t code) {
    switch (code) {
        case TKS_SIMPLE_STRING: return "STRING";
        case TKS_SIMPLE_INTEGER: return "INTEGER";
        case TKS_SIMPLE_FLOAT: return "FLOAT";
        case TKS_SIMPLE_BINARY: return "BINARY";
        case TKS_SIMPLE_BOOLEAN: return "BOOLEAN";
        default: return std::to_string(code);
    }
}

}  // namespace cimport_cli
