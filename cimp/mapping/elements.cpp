// Elements for members and nested structures: refusal of members that
// cannot be imported, classification of the C base type, the Element's Type
// and Length, reuse of an equal Element and numbered names on conflicts.
#include <array>
#include <cstdio>
#include <string_view>

#include "cimp/mapping/mapper.h"
#include "cimp/mapping/names.h"

namespace cimp::mapping {
namespace {

// The justification code of character strings (left).
constexpr const char* kStringJustification = "L";

// The simple C types of fixed size.
struct FixedSimpleType {
    std::string_view typeName;
    PhysicalClass physicalType;
    TKSHandle ImportContext::*type;
    const char* physicalTypeCode;
    int32_t length;
};

constexpr std::array<FixedSimpleType, 5> kFixedSimpleTypes{{
    {"short", kClassInteger, &ImportContext::integerType, "1", 2},
    {"int", kClassInteger, &ImportContext::integerType, "1", 4},
    {"long", kClassInteger, &ImportContext::integerType, "1", 4},
    {"float", kClassFloat, &ImportContext::floatType, "3", 4},
    {"double", kClassFloat, &ImportContext::floatType, "3", 8},
}};

void SetCode(DeclNode& member, const char* code) {
    std::snprintf(member.physicalTypeCode, sizeof member.physicalTypeCode, "%s", code);
}

void Classify(DeclNode& member, PhysicalClass physicalType, TKSHandle type, const char* code) {
    member.physicalType = physicalType;
    member.typeHandle = static_cast<int32_t>(type);
    SetCode(member, code);
}

// char: signed (the default) is a string, unsigned a one-byte integer or,
// for a longer array, binary data.
bool ClassifyChar(const ImportContext& ctx, DeclNode& member) {
    if (member.isSigned == 0) {
        if (member.length == 0 || member.length == 1) {
            Classify(member, kClassInteger, ctx.integerType, "1");
            member.length = 1;
        } else {
            Classify(member, kClassBinary, ctx.binaryType, "10");
            member.isSigned = kSignNotApplicable;
        }
        return true;
    }
    if (member.isSigned != 1) return false;
    Classify(member, kClassString, ctx.stringType, "8");
    if (member.length == 0) member.length = 1;
    member.isSigned = kSignNotApplicable;
    std::snprintf(member.justification, sizeof member.justification, "%s", kStringJustification);
    return true;
}

}  // namespace

bool Mapper::IsImportable(const DeclNode& member) {
    if (member.isPointer == 1) {
        Error("Error: ", member.name, " is a pointer and will not be imported.");
        return false;
    }
    if (member.typeName == "long double") {
        Error("Error: ", member.name, " is a long double and will not be imported.");
        return false;
    }
    return true;
}

void Mapper::ClassifyBaseType(DeclNode& member) const {
    if (member.typeName == "char" && ClassifyChar(ctx_, member)) return;
    for (const auto& simple : kFixedSimpleTypes) {
        if (member.typeName == simple.typeName) {
            Classify(member, simple.physicalType, ctx_.*simple.type, simple.physicalTypeCode);
            member.length = simple.length;
            return;
        }
    }
    member.physicalType = kClassCompound;
    SetCode(member, "");
    member.isSigned = kSignNotApplicable;
}

void Mapper::RefuseMember(DeclNode& member) {
    member.elementHandle = 0;
    member.typeHandle = 0;
    member.lengthHandle = 0;
    member.elementCreated = 0;
}

// The Type of a member whose type is a structure: the structure's Type, under
// its numbered name when this import created or reused it under one.
TKSHandle Mapper::ElementTypeFor(const DeclNode& member) {
    if (member.typeHandle != 0 || member.physicalType != kClassCompound)
        return static_cast<TKSHandle>(member.typeHandle);
    const std::string base = StripLeadingUnderscoresCopy(member.typeName);
    std::string typeName;
    const auto renamed = ctx_.renamedTypes.find(base);
    if (renamed != ctx_.renamedTypes.end()) {
        typeName = renamed->second;
        ctx_.sink.Send(base, " was renamed to ", typeName, ". Using this Type for Element.");
    } else {
        typeName = base + "_TYPE";
    }
    TKSHandle found = 0;
    if (TKSFindDefinition(ctx_.repository, TKS_KIND_TYPE, &found, typeName.c_str()) != TKS_OK) return 0;
    return found;
}

void Mapper::NoteCreatedElement(DeclNode& member, TKSHandle handle, const ElementDetails& record,
                                bool& anythingCreated) {
    anythingCreated = true;
    ctx_.createdElements.Insert(handle);
    ++ctx_.elementsCreated;
    member.elementHandle = static_cast<int32_t>(handle);
    member.elementCreated = 1;
    member.typeHandle = record.typeHandle;
}

int32_t Mapper::CreateElement(DeclNode& member, bool& anythingCreated) {
    const std::string upperName = UpperCase(member.name);
    if (!IsImportable(member)) {
        RefuseMember(member);
        return TKS_OK;
    }
    ElementDetails record{};
    int32_t rc = TKSGetDefaultDetails(TKS_KIND_ELEMENT, &record, sizeof record);
    if (rc != TKS_OK) return rc;
    StripLeadingUnderscores(member.name);
    if (!NameFits(member.name)) {
        RefuseMember(member);
        return TKS_OK;
    }
    SetRecordNames(record, member.name);
    ClassifyBaseType(member);
    record.typeHandle = static_cast<int32_t>(ElementTypeFor(member));
    if (member.physicalType == kClassString && member.length != 1) {
        if (!AssignStringLength(member, record, anythingCreated, upperName)) {
            RefuseMember(member);
            return TKS_OK;
        }
    } else {
        const bool single = member.physicalType == kClassString;
        record.lengthHandle = single ? static_cast<int32_t>(ctx_.defaultCharLength) : 0;
        member.lengthHandle = record.lengthHandle;
    }

    TKSHandle handle = 0;
    rc = TKSFindDefinition(ctx_.repository, TKS_KIND_ELEMENT, &handle, record.name);
    if (rc == TKS_NOT_FOUND) {
        rc = TKSCreateElement(ctx_.repository, &handle, &record);
        if (rc == TKS_OK) {
            NoteCreatedElement(member, handle, record, anythingCreated);
            ctx_.sink.Send("Created Element ", member.name, ".");
            return TKS_OK;
        }
        if (rc == TKS_NAME_TAKEN) return CreateRenamedElement(member, record, anythingCreated);
        char text[64 + TKS_NAME_SIZE];
        std::snprintf(text, sizeof text, "Error: Failed to create Element %s. (rc = %d)", record.name,
                      static_cast<int>(rc));
        Error(text);
        return rc;
    }
    if (rc != TKS_OK) return rc;

    ElementDetails existing{};
    rc = TKSGetDetails(handle, 0, &existing, sizeof existing);
    if (rc != TKS_OK) return rc;
    const bool sameLength = static_cast<TKSHandle>(record.typeHandle) != ctx_.stringType ||
                            existing.lengthHandle == record.lengthHandle;
    if (EqualIgnoringCase(RecordName(existing.name), RecordName(record.name)) &&
        existing.typeHandle == record.typeHandle && sameLength) {
        member.elementHandle = static_cast<int32_t>(handle);
        member.elementCreated = 0;
        member.typeHandle = existing.typeHandle;
        member.lengthHandle = existing.lengthHandle;
        ctx_.sink.Send("Warning: Using defined Element ", RecordName(existing.name), ".");
        return TKS_OK;
    }
    rc = CreateRenamedElement(member, record, anythingCreated);
    if (rc != TKS_OK) Error("Error: Failed to create the Element ", RecordName(record.name), ".");
    return rc;
}

int32_t Mapper::CreateRenamedElement(DeclNode& member, ElementDetails& record, bool& anythingCreated) {
    const std::string base = RecordName(record.name);
    std::string renamedFrom = base;
    for (int32_t n = 1;; ++n) {
        const std::string candidate = base + "_" + std::to_string(n);
        if (!NameFits(candidate)) return kMappingFailure;
        SetRecordNames(record, candidate);
        TKSHandle handle = 0;
        const int32_t rc = TKSCreateElement(ctx_.repository, &handle, &record);
        if (rc == TKS_OK) {
            NoteCreatedElement(member, handle, record, anythingCreated);
            ctx_.sink.Send("Warning: Duplicate Element found. Element created and renamed from ", renamedFrom,
                           " to ", candidate, ".");
            return TKS_OK;
        }
        if (rc != TKS_NAME_TAKEN) {
            Error("Error: Failed to create Element ", candidate, ".");
            return rc;
        }
        renamedFrom = candidate;
        TKSHandle found = 0;
        if (TKSFindDefinition(ctx_.repository, TKS_KIND_ELEMENT, &found, candidate.c_str()) == TKS_OK) {
            ElementDetails existing{};
            if (TKSGetDetails(found, 0, &existing, sizeof existing) != TKS_OK) {
                Error("Error: Failed to compare duplicate Elements ", candidate, ".");
            } else if (existing.typeHandle == record.typeHandle &&
                       (static_cast<TKSHandle>(record.typeHandle) != ctx_.stringType ||
                        existing.lengthHandle == member.lengthHandle)) {
                member.typeHandle = existing.typeHandle;
                member.lengthHandle = existing.lengthHandle;
                member.elementHandle = static_cast<int32_t>(found);
                member.elementCreated = 0;
                ctx_.sink.Send("Warning: Using defined Element ", RecordName(existing.name), ".");
                return TKS_OK;
            }
        }
        if (n == kMaxCandidates) {
            Error("Error: Failed to create Element ", candidate, ".");
            return TKS_NAME_TAKEN;
        }
    }
}

}  // namespace cimp::mapping
