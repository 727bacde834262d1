#include "registry.h"

#include <filesystem>
#include <system_error>

#include "tksbeapi_host.h"

namespace tks {
namespace {

constexpr const char* kInMemory = ":memory:";

// Paths are UTF-8, as the database library reads them.
bool FileExists(const std::string& path) {
    std::error_code error;
    return path != kInMemory && std::filesystem::exists(std::u8string(path.begin(), path.end()), error);
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
        slots_[slot] = std::make_unique<Repository>(slot, path, FileExists(path));
    } catch (const Repository::NotARepository&) {
        return TKS_NOT_A_REPOSITORY;
    }
    repository = slot;
    return TKS_OK;
}

int32_t Registry::Close(TKSHandle repository) {
    if (!Find(repository)) return TKS_INVALID_REPOSITORY;
    slots_[repository].reset();
    return TKS_OK;
}

Repository* Registry::Find(TKSHandle repository) const {
    return repository >= 1 && repository <= kMaxSlot ? slots_[repository].get() : nullptr;
}

int32_t Registry::Resolve(TKSHandle handle, int32_t kind, Target& target) const {
    Repository* repository = Find(SlotOf(handle));
    if (!repository) return TKS_NOT_FOUND;
    std::optional<StoredObject> object = repository->Load(handle);
    if (!object) return TKS_NOT_FOUND;
    if (kind != 0 && object->kind != kind) return TKS_WRONG_KIND;
    target = Target{repository, handle, std::move(*object)};
    return TKS_OK;
}

}  // namespace tks
