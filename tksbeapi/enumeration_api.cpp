// Walking the repository: objects of a kind in creation order, and the
// members of a Type in their order.
#include "call_guard.h"
#include "records.h"
#include "store_api.h"

namespace tks::api {
namespace {

// (Type, 0, out, 3, 1): the Type's first member; TKS_NOT_FOUND when it has none.
int32_t FirstMemberOf(Registry& registry, TKSHandle type, TKSHandle& next) {
    Target target;
    const int32_t result = registry.Resolve(type, TKS_KIND_TYPE, target);
    if (result != TKS_OK) return result;
    next = target.repository->FirstMember(type);
    return next == TKS_NO_HANDLE ? TKS_NOT_FOUND : TKS_OK;
}

// (member, Type, out, 1, 1): the member after this one; TKS_LAST_MEMBER after the last.
int32_t NextMemberOf(Registry& registry, TKSHandle member, TKSHandle type, TKSHandle& next) {
    Target target;
    const int32_t result = registry.Resolve(type, TKS_KIND_TYPE, target);
    if (result != TKS_OK) return result;
    const std::optional<StoredMember> stored = target.repository->LoadMember(type, member);
    if (!stored) return TKS_NOT_FOUND;
    next = target.repository->NextMember(type, stored->position);
    if (next == TKS_NO_HANDLE) next = TKS_LAST_MEMBER;
    return TKS_OK;
}

// (object, 0, out, 1, 0): the next object of the same kind; 0 after the last.
int32_t NextOfKind(Registry& registry, TKSHandle current, TKSHandle& next) {
    Target target;
    const int32_t result = registry.Resolve(current, 0, target);
    if (result != TKS_OK) return result;
    next = target.repository->NextOfKind(target.object->kind, current);
    return TKS_OK;
}

}  // namespace

// Answers 0 with the handle 0 when the repository holds no object of the kind.
int32_t GetFirstDefinition(TKSHandle repositoryHandle, int32_t kind, TKSHandle* first, int32_t /*reserved*/) {
    return Guarded([&](Registry& registry) -> int32_t {
        if (!first) return TKS_NULL_ARGUMENT;
        *first = TKS_NO_HANDLE;
        Repository* repository = registry.Find(repositoryHandle);
        if (!repository) return TKS_INVALID_REPOSITORY;
        if (RecordSize(kind) == 0) return TKS_INVALID_KIND;
        *first = repository->FirstOfKind(kind);
        return TKS_OK;
    });
}

int32_t GetNextDefinition(TKSHandle current, TKSHandle parent, TKSHandle* next, int32_t mode, int32_t flag) {
    return Guarded([&](Registry& registry) -> int32_t {
        if (!next) return TKS_NULL_ARGUMENT;
        *next = TKS_NO_HANDLE;
        if (mode == 3 && flag == 1 && parent == TKS_NO_HANDLE) return FirstMemberOf(registry, current, *next);
        if (mode == 1 && flag == 1) return NextMemberOf(registry, current, parent, *next);
        if (mode == 1 && flag == 0 && parent == TKS_NO_HANDLE) return NextOfKind(registry, current, *next);
        return TKS_INVALID_MODE;
    });
}

}  // namespace tks::api
