// The Type of a structure: created under the structure's name, reused when an
// equal Type holds that name, else created under a numbered name; a structure
// whose members did not all get an Element has its new Elements deleted.
#include "cimp/mapping/mapper.h"
#include "cimp/mapping/names.h"

namespace cimp::mapping {

bool Mapper::ChildrenComplete(const DeclNode& structure) {
    for (const DeclNode* child = structure.firstChild; child != nullptr; child = child->nextSibling)
        if (child->elementHandle == 0 || child->typeHandle == 0) return false;
    return true;
}

int32_t Mapper::RollBackElements(const DeclNode& structure) {
    ctx_.sink.Send("Rolling back created Elements.");
    for (const DeclNode* child = structure.firstChild; child != nullptr; child = child->nextSibling) {
        if (child->elementCreated != 1) continue;
        const TKSHandle handle = static_cast<TKSHandle>(child->elementHandle);
        ElementDetails record{};
        int32_t rc = TKSGetDetails(handle, 0, &record, sizeof record);
        if (rc != TKS_OK) return rc;
        ctx_.sink.Send("Deleting Element ", RecordName(record.name), ".");
        rc = TKSDelete(handle);
        if (rc != TKS_OK) return rc;
        ctx_.createdElements.Erase(handle);
        --ctx_.elementsCreated;
    }
    return TKS_OK;
}

void Mapper::NoteCreatedType(DeclNode& structure, TKSHandle handle, bool& anythingCreated) {
    anythingCreated = true;
    ctx_.createdTypes.Insert(handle);
    ++ctx_.typesCreated;
    structure.typeHandle = static_cast<int32_t>(handle);
    structure.typeCreated = 1;
}

void Mapper::UseExistingType(DeclNode& structure, TKSHandle found, const std::string& typeName) {
    structure.typeCreated = 0;
    structure.typeHandle = static_cast<int32_t>(found);
    ctx_.sink.Send("Warning: Using defined Type ", typeName, ".");
}

int32_t Mapper::CreateType(DeclNode& structure, bool& anythingCreated) {
    if (!ChildrenComplete(structure)) {
        Error("Error: Failed to create Type ", structure.typeName,
              " as errors occured during creation of child Elements.");
        RollBackElements(structure);
        return kMappingFailure;
    }
    StripLeadingUnderscores(structure.typeName);
    const std::string typeName = structure.typeName + "_TYPE";
    if (!NameFits(typeName)) {
        RollBackElements(structure);
        return kMappingFailure;
    }
    TypeDetails record{};
    int32_t rc = TKSGetDefaultDetails(TKS_KIND_TYPE, &record, sizeof record);
    if (rc != TKS_OK) {
        // Without the default record no nameless Type is made.
        Error("Error: Failed to create Type: ", typeName, ".");
        return rc;
    }
    SetRecordNames(record, typeName);
    record.typeClass = TKS_TYPE_CLASS_STRUCTURE;
    TKSHandle handle = 0;
    rc = TKSCreateType(ctx_.repository, &handle, &record);
    if (rc == TKS_OK) {
        NoteCreatedType(structure, handle, anythingCreated);
        ctx_.sink.Send("Created Type ", typeName, ".");
        structure.typeName = typeName;
        return TKS_OK;
    }
    if (rc != TKS_NAME_TAKEN) {
        Error("Error: Failed to create Type: ", typeName, ".");
        return rc;
    }

    TKSHandle found = 0;
    rc = TKSFindDefinition(ctx_.repository, TKS_KIND_TYPE, &found, typeName.c_str());
    if (rc == TKS_NOT_FOUND) return CreateRenamedType(structure, record, anythingCreated);
    if (rc != TKS_OK) return rc;
    TypeDetails existing{};
    rc = TKSGetDetails(found, 0, &existing, sizeof existing);
    if (rc != TKS_OK) return rc;
    const bool qualifies = EqualIgnoringCase(RecordName(existing.name), typeName) &&
                           EqualIgnoringCase(RecordName(existing.secondName), typeName) &&
                           existing.typeClass == record.typeClass;
    if (qualifies) {
        bool same = true;
        const int32_t compared = CompareTypeMembers(structure, found, same);
        if (compared != TKS_OK) Error("Error: Failed to compare duplicate Element Type ", typeName, ".");
        if (same) {
            UseExistingType(structure, found, typeName);
            return compared;
        }
    }
    rc = CreateRenamedType(structure, record, anythingCreated);
    if (rc != TKS_OK) Error("Error: Failed to create the Type ", RecordName(record.name), ".");
    return rc;
}

int32_t Mapper::CreateRenamedType(DeclNode& structure, TypeDetails& record, bool& anythingCreated) {
    const std::string typeName = RecordName(record.name);
    std::string renamedFrom = typeName;
    for (int32_t n = 1;; ++n) {
        const std::string candidate = NumberedTypeName(typeName, n);
        if (!NameFits(candidate)) return kMappingFailure;
        SetRecordNames(record, candidate);
        TKSHandle handle = 0;
        const int32_t rc = TKSCreateType(ctx_.repository, &handle, &record);
        if (rc == TKS_OK) {
            NoteCreatedType(structure, handle, anythingCreated);
            ctx_.sink.Send("Warning: Duplicate Type found. Type created and renamed from ", renamedFrom, " to ",
                           candidate, ".");
            ctx_.renamedTypes[structure.typeName] = candidate;
            return TKS_OK;
        }
        if (rc == TKS_INVALID_TYPE) {
            Error("Error: Invalid or unknown Type found. ", candidate, ".");
            return rc;
        }
        if (rc != TKS_NAME_TAKEN) {
            Error("Error: Failed to create Type ", candidate, ".");
            return rc;
        }
        renamedFrom = candidate;
        TKSHandle found = 0;
        if (TKSFindDefinition(ctx_.repository, TKS_KIND_TYPE, &found, candidate.c_str()) == TKS_OK) {
            bool same = true;
            if (CompareTypeMembers(structure, found, same) != TKS_OK)
                Error("Error: Failed to compare duplicate Element Type ", candidate, ".");
            if (same) {
                UseExistingType(structure, found, candidate);
                ctx_.renamedTypes[structure.typeName] = candidate;
                return TKS_OK;
            }
        }
        if (n == kMaxCandidates) {
            Error("Error: Failed to create Type ", candidate, ".");
            return TKS_NAME_TAKEN;
        }
    }
}

}  // namespace cimp::mapping
