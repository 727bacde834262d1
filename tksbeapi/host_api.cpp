// The host's calls: opening and closing repositories, units of work.
#include "call_guard.h"
#include "store_api.h"

namespace tks::api {
namespace {

// Runs a unit-of-work step on an open repository whose state allows it.
template <class Step>
int32_t WorkStep(TKSHandle repositoryHandle, bool inWork, Step step) {
    return Guarded(
        [&](Registry& registry) -> int32_t {
            Repository* repository = registry.Find(repositoryHandle);
            if (!repository) return TKS_INVALID_REPOSITORY;
            if (repository->InWork() != inWork) return TKS_WORK_STATE;
            step(*repository);
            return TKS_OK;
        },
        TKS_LOCKED);
}

}  // namespace

int32_t OpenRepository(const char* path, TKSHandle* repository) {
    return Guarded(
        [&](Registry& registry) -> int32_t {
            if (!path || !repository) return TKS_NULL_ARGUMENT;
            *repository = TKS_NO_HANDLE;
            if (*path == '\0') return TKS_INVALID_NAME;
            return registry.Open(path, *repository);
        },
        TKS_LOCKED);
}

int32_t CloseRepository(TKSHandle repository) {
    return Guarded([&](Registry& registry) { return registry.Close(repository); });
}

int32_t SetLockWait(int32_t milliseconds) {
    return Guarded([&](Registry& registry) -> int32_t {
        if (milliseconds < 0) return TKS_INVALID_VALUE;
        registry.SetLockWait(milliseconds);
        return TKS_OK;
    });
}

int32_t BeginWork(TKSHandle repository) {
    return WorkStep(repository, false, [](Repository& open) { open.BeginWork(); });
}

int32_t CommitWork(TKSHandle repository) {
    return WorkStep(repository, true, [](Repository& open) { open.CommitWork(); });
}

int32_t RollbackWork(TKSHandle repository) {
    return WorkStep(repository, true, [](Repository& open) { open.RollbackWork(); });
}

}  // namespace tks::api
