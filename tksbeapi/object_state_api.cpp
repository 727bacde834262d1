// Objects: deletion, completeness and identifiers.
#include "call_guard.h"
#include "records.h"
#include "store_api.h"

namespace tks::api {
namespace {

bool IsStringType(const Repository& repository, TKSHandle type) {
    const StoredObject* stored = repository.Load(type);
    return stored && stored->typeClass == TKS_TYPE_CLASS_SIMPLE && stored->simpleTypeCode == TKS_SIMPLE_STRING;
}

bool Complete(const Target& target) {
    const StoredObject& object = *target.object;
    switch (object.kind) {
        case TKS_KIND_TYPE:
            return object.typeClass == TKS_TYPE_CLASS_SIMPLE ||
                   target.repository->FirstMember(target.handle) != TKS_NO_HANDLE;
        case TKS_KIND_ELEMENT:
            return object.typeHandle != TKS_NO_HANDLE &&
                   (object.lengthHandle != TKS_NO_HANDLE || !IsStringType(*target.repository, object.typeHandle));
        default: return object.value >= 1;
    }
}

}  // namespace

int32_t Delete(TKSHandle object) {
    return Guarded([&](Registry& registry) -> int32_t {
        Target target;
        const int32_t result = registry.Resolve(object, 0, target);
        if (result != TKS_OK) return result;
        Repository& repository = *target.repository;
        if (repository.InUse(object)) return TKS_IN_USE;
        Repository::CallScope scope(repository);
        repository.Remove(object);
        scope.Keep();
        return TKS_OK;
    });
}

// Callers read any non-zero answer as complete, so an unknown handle and a
// failure of the storage both answer 0.
int32_t IsComplete(TKSHandle object) {
    const int32_t answer = Guarded([&](Registry& registry) -> int32_t {
        Target target;
        return registry.Resolve(object, 0, target) == TKS_OK && Complete(target) ? 1 : 0;
    });
    return answer == 1 ? 1 : 0;
}

int32_t GetIdentifier(TKSHandle object, char* buffer, int32_t size) {
    return Guarded([&](Registry& registry) -> int32_t {
        if (!buffer) return TKS_NULL_ARGUMENT;
        if (size < 1) return TKS_BUFFER_TOO_SMALL;
        buffer[0] = '\0';
        Target target;
        const int32_t result = registry.Resolve(object, 0, target);
        if (result != TKS_OK) return result;
        return CopyText(target.object->name, buffer, size);
    });
}

}  // namespace tks::api
