// The repositories open in this process, by slot, and the lock that makes
// every call run alone.
#ifndef TKSBEAPI_REGISTRY_H
#define TKSBEAPI_REGISTRY_H

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "handles.h"
#include "repository.h"

namespace tks {

// An object found through its handle.
struct Target {
    Repository* repository = nullptr;
    TKSHandle handle = 0;
    const StoredObject* object = nullptr;  // held by the repository's memory
};

class Registry {
public:
    static Registry& Instance();

    std::mutex& Lock() { return lock_; }

    // The result code, and the repository handle on success.
    int32_t Open(const std::string& path, TKSHandle& repository);
    int32_t Close(TKSHandle repository);
    void SetLockWait(int32_t milliseconds);  // for every repository, open now or later

    // The open repository, its memory in step with its database.
    Repository* Find(TKSHandle repository);

    // 0 and the object, TKS_NOT_FOUND for a handle of no object, or
    // TKS_WRONG_KIND when kind is not 0 and the object is of another kind.
    int32_t Resolve(TKSHandle handle, int32_t kind, Target& target);

private:
    std::mutex lock_;
    int32_t lockWait_ = 0;
    std::array<std::unique_ptr<Repository>, kMaxSlot + 1> slots_;  // slot 0 stays empty
};

}  // namespace tks

#endif
