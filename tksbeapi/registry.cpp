#include "registry.h"

#include <filesystem>
#include <system_error>

#include "repository_file.h"
#include "tksbeapi_host.h"

namespace tks {
namespace {

constexpr const char* kInMemory = ":memory:";

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(FilePath(path), error);
}

}  // namespace

Registry& Registry::Instance() {
    static Registry registry;
    return registry;
}

int32_t Registry::Open(const std::string& path, TKSHandle& repository) {
    uint32_t slot = 1;
    while (slot <= kMaxSlot && slots_[slot]) ++slot;
    if (slot > kMaxSlot) return TKS_REPOSITORY_FULL;
    try {
        const bool inMemory = path == kInMemory;
        if (!inMemory && !FileExists(path)) CreateRepositoryFile(path);
        slots_[slot] = std::make_unique<Repository>(slot, path, !inMemory, lockWait_);
    } catch (const Repository::NotARepository&) {
        return TKS_NOT_A_REPOSITORY;
    }
    repository = slot;
    return TKS_OK;
}

void Registry::SetLockWait(int32_t milliseconds) {
    lockWait_ = milliseconds;
    for (const std::unique_ptr<Repository>& repository : slots_) {
        if (repository) repository->SetLockWait(milliseconds);
    }
}

int32_t Registry::Close(TKSHandle repository) {
    if (repository < 1 || repository > kMaxSlot || !slots_[repository]) return TKS_INVALID_REPOSITORY;
    slots_[repository].reset();
    return TKS_OK;
}

Repository* Registry::Find(TKSHandle repository) {
    if (repository < 1 || repository > kMaxSlot || !slots_[repository]) return nullptr;
    slots_[repository]->Refresh();
    return slots_[repository].get();
}

int32_t Registry::Resolve(TKSHandle handle, int32_t kind, Target& target) {
    Repository* repository = Find(SlotOf(handle));
    if (!repository) return TKS_NOT_FOUND;
    const StoredObject* object = repository->Load(handle);
    if (!object) return TKS_NOT_FOUND;
    if (kind != 0 && object->kind != kind) return TKS_WRONG_KIND;
    target = Target{repository, handle, object};
    return TKS_OK;
}

}  // namespace tks
