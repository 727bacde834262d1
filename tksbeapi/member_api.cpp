// Memberships of Elements in Types and their attributes.
#include "call_guard.h"
#include "member_attributes.h"
#include "records.h"
#include "store_api.h"

namespace tks::api {
namespace {

constexpr int32_t kAtEnd = -1;  // the only insert position: after the last member

struct Membership {
    Target type;
    Target element;
};

int32_t ResolveMembership(Registry& registry, TKSHandle type, TKSHandle element, Membership& membership) {
    int32_t result = registry.Resolve(type, TKS_KIND_TYPE, membership.type);
    if (result == TKS_OK) result = registry.Resolve(element, TKS_KIND_ELEMENT, membership.element);
    if (result != TKS_OK) return result;
    return membership.type.repository == membership.element.repository ? TKS_OK : TKS_NOT_FOUND;
}

// Only structure Types take members, and only at the end.
int32_t ResolveNewMember(Registry& registry, TKSHandle type, TKSHandle element, int32_t position,
                         Membership& membership) {
    const int32_t result = ResolveMembership(registry, type, element, membership);
    if (result != TKS_OK) return result;
    if (membership.type.object->typeClass != TKS_TYPE_CLASS_STRUCTURE) return TKS_INVALID_TYPE;
    return position == kAtEnd ? TKS_OK : TKS_INVALID_POSITION;
}

// The membership's repository and the attribute named: 0, or the code.
int32_t ResolveAttribute(Registry& registry, TKSHandle type, TKSHandle element, const char* name,
                         Repository*& repository, const MemberAttribute*& attribute) {
    Membership membership;
    const int32_t result = ResolveMembership(registry, type, element, membership);
    if (result != TKS_OK) return result;
    repository = membership.type.repository;
    if (!repository->LoadMember(type, element)) return TKS_NOT_FOUND;
    attribute = FindMemberAttribute(name);
    return attribute ? TKS_OK : TKS_INVALID_ATTR_NAME;
}

}  // namespace

int32_t GetDefaultMemberDetails2(TKSHandle type, TKSHandle element, int32_t position, void* memberDetails,
                                 int32_t size) {
    return Guarded([&](Registry& registry) -> int32_t {
        if (!memberDetails) return TKS_NULL_ARGUMENT;
        Membership membership;
        const int32_t result = ResolveNewMember(registry, type, element, position, membership);
        if (result != TKS_OK) return result;
        if (size < static_cast<int32_t>(sizeof(MemberDetails))) return TKS_RECORD_TOO_SMALL;
        WriteMemberRecord(memberDetails, StoredMember{0, 1, 0});
        return TKS_OK;
    });
}

// A new membership starts with the attributes that have an initial value.
int32_t InsertMember(TKSHandle type, TKSHandle element, int32_t position, void* memberDetails) {
    return Guarded([&](Registry& registry) -> int32_t {
        if (!memberDetails) return TKS_NULL_ARGUMENT;
        Membership membership;
        StoredMember member;
        int32_t result = ResolveNewMember(registry, type, element, position, membership);
        if (result == TKS_OK) result = ReadMemberRecord(memberDetails, member);
        if (result != TKS_OK) return result;
        Repository& repository = *membership.type.repository;
        if (repository.LoadMember(type, element)) return TKS_ALREADY_MEMBER;
        Repository::CallScope scope(repository);
        repository.AppendMember(type, element, member);
        for (const MemberAttribute& attribute : AllMemberAttributes()) {
            if (attribute.initialValue) repository.StoreAttribute(type, element, attribute.id, attribute.initialValue);
        }
        scope.Keep();
        return TKS_OK;
    });
}

int32_t GetMemberDetails(TKSHandle type, TKSHandle member, void* memberDetails, int32_t size) {
    return Guarded([&](Registry& registry) -> int32_t {
        if (!memberDetails) return TKS_NULL_ARGUMENT;
        Membership membership;
        const int32_t result = ResolveMembership(registry, type, member, membership);
        if (result != TKS_OK) return result;
        if (size < static_cast<int32_t>(sizeof(MemberDetails))) return TKS_RECORD_TOO_SMALL;
        const std::optional<StoredMember> stored = membership.type.repository->LoadMember(type, member);
        if (!stored) return TKS_NOT_FOUND;
        WriteMemberRecord(memberDetails, *stored);
        return TKS_OK;
    });
}

int32_t SetMemberAttrValue(TKSHandle type, TKSHandle element, const char* attribute, const char* value) {
    return Guarded([&](Registry& registry) -> int32_t {
        if (!attribute || !value) return TKS_NULL_ARGUMENT;
        Repository* repository = nullptr;
        const MemberAttribute* named = nullptr;
        const int32_t result = ResolveAttribute(registry, type, element, attribute, repository, named);
        if (result != TKS_OK) return result;
        const std::optional<std::string_view> text = AcceptedValue(*named, value);
        if (!text) return TKS_INVALID_ATTR_VALUE;
        repository->StoreAttribute(type, element, named->id, *text);
        return TKS_OK;
    });
}

// The buffer holds the empty text after any failure.
int32_t GetMemberAttrValue(TKSHandle type, TKSHandle member, const char* attribute, char* value, int32_t size) {
    return Guarded([&](Registry& registry) -> int32_t {
        if (!attribute || !value) return TKS_NULL_ARGUMENT;
        if (size < 1) return TKS_BUFFER_TOO_SMALL;
        value[0] = '\0';
        Repository* repository = nullptr;
        const MemberAttribute* named = nullptr;
        const int32_t result = ResolveAttribute(registry, type, member, attribute, repository, named);
        if (result != TKS_OK) return result;
        const std::optional<std::string_view> stored = repository->LoadAttribute(type, member, named->id);
        if (!stored) return TKS_NOT_FOUND;
        return CopyText(*stored, value, size);
    });
}

}  // namespace tks::api
