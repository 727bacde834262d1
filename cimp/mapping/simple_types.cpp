// The repository's simple Types and the Length of single characters, found
// before any structure is walked.
#include <array>

#include "cimp/mapping/mapper.h"

namespace cimp::mapping {
namespace {

struct SimpleTypeSlot {
    int32_t code;
    TKSHandle ImportContext::*field;
    const char* missingMessage;
};

// In the order the missing ones are reported.
constexpr std::array<SimpleTypeSlot, 5> kSimpleTypes{{
    {TKS_SIMPLE_INTEGER, &ImportContext::integerType, "Error: Simple Type INTEGER not found."},
    {TKS_SIMPLE_STRING, &ImportContext::stringType, "Error: Simple Type STRING not found."},
    {TKS_SIMPLE_FLOAT, &ImportContext::floatType, "Error: Simple Type FLOAT not found."},
    {TKS_SIMPLE_BINARY, &ImportContext::binaryType, "Error: Simple Type BINARY not found."},
    {TKS_SIMPLE_BOOLEAN, &ImportContext::booleanType, "Error: Simple Type BOOLEAN not found."},
}};

constexpr const char* kDefaultCharBase = "DEFAULT_CHAR";
constexpr const char* kDefaultCharLengthName = "DEFAULT_CHAR_LEN";

bool AllSimpleTypesKnown(const ImportContext& ctx) {
    for (const auto& slot : kSimpleTypes)
        if (ctx.*slot.field == 0) return false;
    return true;
}

void NoteSimpleType(ImportContext& ctx, const TypeDetails& details, TKSHandle handle) {
    if (details.typeClass != TKS_TYPE_CLASS_SIMPLE) return;
    for (const auto& slot : kSimpleTypes)
        if (slot.code == details.simpleTypeCode) ctx.*slot.field = handle;
}

}  // namespace

bool Mapper::LoadSimpleTypes() {
    TKSHandle handle = 0;
    TKSGetFirstDefinition(ctx_.repository, TKS_KIND_TYPE, &handle, 0);
    while (handle != 0) {
        TypeDetails details{};
        if (TKSGetDetails(handle, 0, &details, sizeof details) != TKS_OK) break;
        NoteSimpleType(ctx_, details, handle);
        const bool complete = AllSimpleTypesKnown(ctx_);
        // A call that gives nothing back ends the enumeration.
        TKSHandle next = 0;
        TKSGetNextDefinition(handle, 0, &next, 1, 0);
        handle = next;
        if (complete) break;
    }
    if (!AllSimpleTypesKnown(ctx_)) {
        for (const auto& slot : kSimpleTypes)
            if (ctx_.*slot.field == 0) ctx_.sink.Send(slot.missingMessage);
        return false;
    }
    bool created = false;  // the default Length does not count as a structure's work
    if (CreateLength(kDefaultCharBase, 1, ctx_.defaultCharLength, created, "") == TKS_OK) return true;
    if (TKSFindDefinition(ctx_.repository, TKS_KIND_LENGTH, &ctx_.defaultCharLength, kDefaultCharLengthName) ==
        TKS_OK)
        return true;
    ctx_.sink.Send("Error: Default char Length not found.");
    return false;
}

}  // namespace cimp::mapping
