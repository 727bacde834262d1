// Runs one call alone (under the registry's lock) and turns every failure of
// the storage underneath into TKS_STORAGE_FAILED, so nothing escapes a call;
// a lock that another connection held too long answers whenLocked.
#ifndef TKSBEAPI_CALL_GUARD_H
#define TKSBEAPI_CALL_GUARD_H

#include <cstdint>
#include <mutex>

#include "registry.h"
#include "sqlite_db.h"
#include "tksbeapi_host.h"

namespace tks {

template <class Body>
int32_t Guarded(Body&& body, int32_t whenLocked = TKS_STORAGE_FAILED) noexcept {
    try {
        Registry& registry = Registry::Instance();
        std::lock_guard<std::mutex> lock(registry.Lock());
        return body(registry);
    } catch (const StorageError& error) {
        return error.Locked() ? whenLocked : TKS_STORAGE_FAILED;
    } catch (...) {
        return TKS_STORAGE_FAILED;
    }
}

}  // namespace tks

#endif
