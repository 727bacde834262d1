/* Host-side calls of the stand-in repository: opening, closing and units of
 * work.  These are not part of the importer's interface; a host uses them to
 * obtain the repository handle it passes to DoCImport. */
#ifndef TKSBEAPI_HOST_H
#define TKSBEAPI_HOST_H

#include "tksbeapi.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the repository at path, creating it (schema and the five simple Types)
 * when the file does not exist.  ":memory:" opens a private in-memory
 * repository.  A file that exists but is not a repository is refused. */
TKS_API int32_t TKS_CALL TKSOpenRepository(const char* path, TKSHandle* repository);
TKS_API int32_t TKS_CALL TKSCloseRepository(TKSHandle repository);

/* One unit of work: everything between Begin and Commit becomes durable at
 * once; Rollback discards it. */
TKS_API int32_t TKS_CALL TKSBeginWork(TKSHandle repository);
TKS_API int32_t TKS_CALL TKSCommitWork(TKSHandle repository);
TKS_API int32_t TKS_CALL TKSRollbackWork(TKSHandle repository);

#ifdef __cplusplus
}
#endif

#endif
