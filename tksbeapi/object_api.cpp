// Objects: records, lookup by name and creation.
#include "call_guard.h"
#include "records.h"
#include "store_api.h"

namespace tks::api {
namespace {

bool IsSimpleTypeCode(int32_t code) {
    switch (code) {
        case TKS_SIMPLE_STRING:
        case TKS_SIMPLE_INTEGER:
        case TKS_SIMPLE_FLOAT:
        case TKS_SIMPLE_BINARY:
        case TKS_SIMPLE_BOOLEAN: return true;
        default: return false;
    }
}

int32_t CheckType(StoredObject& type) {
    if (type.typeClass == TKS_TYPE_CLASS_STRUCTURE) {
        type.simpleTypeCode = 0;
        return TKS_OK;
    }
    const bool simple = type.typeClass == TKS_TYPE_CLASS_SIMPLE && IsSimpleTypeCode(type.simpleTypeCode);
    return simple ? TKS_OK : TKS_INVALID_TYPE;
}

// An Element may name no Type or Length yet; what it names must be in its own repository.
int32_t CheckElement(Repository& repository, const StoredObject& element) {
    if (element.typeHandle != TKS_NO_HANDLE) {
        const StoredObject* type = repository.Load(element.typeHandle);
        if (!type || type->kind != TKS_KIND_TYPE) return TKS_INVALID_TYPE;
    }
    if (element.lengthHandle != TKS_NO_HANDLE) {
        const StoredObject* length = repository.Load(element.lengthHandle);
        if (!length || length->kind != TKS_KIND_LENGTH) return TKS_INVALID_LENGTH;
    }
    return TKS_OK;
}

int32_t CheckFields(Repository& repository, StoredObject& object) {
    switch (object.kind) {
        case TKS_KIND_TYPE: return CheckType(object);
        case TKS_KIND_ELEMENT: return CheckElement(repository, object);
        default: return object.value < 0 ? TKS_INVALID_VALUE : TKS_OK;
    }
}

int32_t CreateObject(int32_t kind, TKSHandle repositoryHandle, TKSHandle* created, const void* record) {
    return Guarded([&](Registry& registry) -> int32_t {
        if (!created || !record) return TKS_NULL_ARGUMENT;
        *created = TKS_NO_HANDLE;
        Repository* repository = registry.Find(repositoryHandle);
        if (!repository) return TKS_INVALID_REPOSITORY;
        StoredObject object;
        int32_t result = ReadObjectRecord(record, kind, object);
        if (result == TKS_OK) result = CheckFields(*repository, object);
        if (result != TKS_OK) return result;
        if (repository->FindName(object.name)) return TKS_NAME_TAKEN;
        *created = repository->Insert(std::move(object));
        return *created == TKS_NO_HANDLE ? TKS_REPOSITORY_FULL : TKS_OK;
    });
}

}  // namespace

int32_t GetDefaultDetails(int32_t kind, void* record, int32_t size) {
    return Guarded([&](Registry&) -> int32_t {
        const int32_t needed = RecordSize(kind);
        if (needed == 0) return TKS_INVALID_KIND;
        if (!record) return TKS_NULL_ARGUMENT;
        if (size < needed) return TKS_RECORD_TOO_SMALL;
        WriteObjectRecord(record, TKS_NO_HANDLE, DefaultObject(kind));
        return TKS_OK;
    });
}

int32_t GetDetails(TKSHandle object, int32_t /*reserved*/, void* record, int32_t size) {
    return Guarded([&](Registry& registry) -> int32_t {
        if (!record) return TKS_NULL_ARGUMENT;
        Target target;
        const int32_t result = registry.Resolve(object, 0, target);
        if (result != TKS_OK) return result;
        if (size < RecordSize(target.object->kind)) return TKS_RECORD_TOO_SMALL;
        WriteObjectRecord(record, object, *target.object);
        return TKS_OK;
    });
}

int32_t FindDefinition(TKSHandle repositoryHandle, int32_t kind, TKSHandle* found, const char* name) {
    return Guarded([&](Registry& registry) -> int32_t {
        if (!found || !name) return TKS_NULL_ARGUMENT;
        *found = TKS_NO_HANDLE;
        Repository* repository = registry.Find(repositoryHandle);
        if (!repository) return TKS_INVALID_REPOSITORY;
        if (RecordSize(kind) == 0) return TKS_INVALID_KIND;
        const std::optional<std::string_view> text = BoundedText(name, TKS_NAME_SIZE);
        if (!text) return TKS_INVALID_NAME;
        const std::optional<NameHolder> holder = repository->FindName(*text);
        if (!holder || holder->kind != kind) return TKS_NOT_FOUND;
        *found = holder->handle;
        return TKS_OK;
    });
}

int32_t CreateType(TKSHandle repository, TKSHandle* created, void* typeDetails) {
    return CreateObject(TKS_KIND_TYPE, repository, created, typeDetails);
}

int32_t CreateElement(TKSHandle repository, TKSHandle* created, void* elementDetails) {
    return CreateObject(TKS_KIND_ELEMENT, repository, created, elementDetails);
}

int32_t CreateLengthID(TKSHandle repository, TKSHandle* created, void* lengthDetails) {
    return CreateObject(TKS_KIND_LENGTH, repository, created, lengthDetails);
}

}  // namespace tks::api
