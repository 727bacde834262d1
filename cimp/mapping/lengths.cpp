// Lengths of character string members: created by name, reused when a Length
// of that name holds the same value, else created under a numbered name.
#include "cimp/mapping/mapper.h"
#include "cimp/mapping/names.h"

namespace cimp::mapping {

int32_t Mapper::CreateLength(const std::string& base, int32_t value, TKSHandle& handle, bool& anythingCreated,
                             const std::string& renamedFrom) {
    LengthDetails record{};
    const int32_t rc = TKSGetDefaultDetails(TKS_KIND_LENGTH, &record, sizeof record);
    if (rc != TKS_OK) {
        ++ctx_.errorCount;
        return rc;
    }
    const std::string name = LengthNameOf(base);
    if (!SetRecordNames(record, name)) return kMappingFailure;  // callers check the name first
    record.value = value;
    TKSHandle created = 0;
    const int32_t created_rc = TKSCreateLengthID(ctx_.repository, &created, &record);
    if (created_rc != TKS_OK) return created_rc;
    anythingCreated = true;
    handle = created;
    ctx_.createdLengths.Insert(created);
    if (renamedFrom.empty())
        ctx_.sink.Send("Created Length ", name, ".");
    else
        ctx_.sink.Send("Warning: Duplicate Length found. Length created and renamed from ", renamedFrom, " to ",
                       name, ".");
    ++ctx_.lengthsCreated;
    return TKS_OK;
}

int32_t Mapper::ExistingLengthValue(const std::string& base) {
    LengthDetails record{};
    TKSHandle handle = 0;
    if (TKSGetDefaultDetails(TKS_KIND_LENGTH, &record, sizeof record) != TKS_OK) return -1;
    if (TKSFindDefinition(ctx_.repository, TKS_KIND_LENGTH, &handle, LengthNameOf(base).c_str()) != TKS_OK)
        return -1;
    if (TKSGetDetails(handle, 0, &record, sizeof record) != TKS_OK) return -1;
    return record.value;
}

// Gives a character string member its Length.  False when a Length name
// would not fit the repository's records: the member is then refused.  After
// a creation failure the member and its Element have no Length (handle 0).
bool Mapper::AssignStringLength(DeclNode& member, ElementDetails& element, bool& anythingCreated,
                                const std::string& upperName) {
    const int32_t length = member.length;
    std::string base = upperName;
    std::string renamedFrom;
    int32_t n = 0;
    TKSHandle handle = 0;
    element.lengthHandle = 0;
    if (!NameFits(LengthNameOf(base))) return false;
    int32_t rc = CreateLength(base, length, handle, anythingCreated, renamedFrom);
    bool reused = false;
    while (rc == TKS_NAME_TAKEN) {
        if (ExistingLengthValue(base) == length) {
            const std::string name = LengthNameOf(base);
            ctx_.sink.Send("Warning: Using defined Length ", name, ".");
            if (TKSFindDefinition(ctx_.repository, TKS_KIND_LENGTH, &handle, name.c_str()) != TKS_OK) handle = 0;
            reused = true;
            break;
        }
        if (n == kMaxCandidates) break;
        renamedFrom = LengthNameOf(base);
        base = member.name + "_" + std::to_string(++n);
        if (!NameFits(LengthNameOf(base))) return false;
        rc = CreateLength(base, length, handle, anythingCreated, renamedFrom);
    }
    element.lengthHandle = static_cast<int32_t>(handle);
    member.lengthHandle = element.lengthHandle;
    if (n == kMaxCandidates && rc != TKS_OK && !reused) {
        Error("Error: Failed to create Length for ", member.name, ".");
        member.lengthHandle = 0;
    }
    return true;
}

}  // namespace cimp::mapping
