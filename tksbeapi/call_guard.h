// Runs one call alone (under the registry's lock) and turns every failure of
// the storage underneath into TKS_STORAGE_FAILED, so nothing escapes a call.
#ifndef TKSBEAPI_CALL_GUARD_H
#define TKSBEAPI_CALL_GUARD_H

#include <cstdint>
#include <mutex>

#include "registry.h"
#include "tksbeapi_host.h"

namespace tks {

template <class Body>
int32_t Guarded(Body&& body) noexcept {
    try {
        Registry& registry = Registry::Instance();
        std::lock_guard<std::mutex> lock(registry.Lock());
        return body(registry);
    } catch (...) {
        return TKS_STORAGE_FAILED;
    }
}

}  // namespace tks

#endif
