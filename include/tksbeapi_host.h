/* Host-side calls of the stand-in repository: opening, closing and units of
 * work.  These are not part of the importer's interface; a host uses them to
 * obtain the repository handle it passes to DoCImport. */
#ifndef TKSBEAPI_HOST_H
#define TKSBEAPI_HOST_H

#include "tksbeapi.h"

/* Result codes of the stand-in beyond the standard ones.  The calls answer
 * TKS_NOT_FOUND for a handle that names no object. */
#define TKS_NULL_ARGUMENT (-101)      /* a pointer the call needs is null */
#define TKS_RECORD_TOO_SMALL (-102)   /* the record size given is below the record's size */
#define TKS_INVALID_NAME (-103)       /* a name empty, or not NUL-terminated within its 256 bytes */
#define TKS_WRONG_KIND (-104)         /* a handle of another kind than the call needs */
#define TKS_INVALID_KIND (-105)       /* a kind code other than 103, 104 and 107 */
#define TKS_INVALID_RECORD (-106)     /* a record not prepared by this library for that kind */
#define TKS_INVALID_REPOSITORY (-107) /* not the handle of an open repository */
#define TKS_INVALID_LENGTH (-108)     /* an Element's lengthHandle is not a Length of the repository */
#define TKS_IN_USE (-109)             /* delete refused: the object is still referenced */
#define TKS_INVALID_POSITION (-110)   /* a member position other than -1 (at the end) */
#define TKS_INVALID_MODE (-111)       /* an enumeration mode, flag or parent the call does not know */
#define TKS_BUFFER_TOO_SMALL (-112)   /* the answer did not fit: the buffer holds it cut short */
#define TKS_INVALID_VALUE (-113)      /* a record field out of range (a negative Length value) */
#define TKS_REPOSITORY_FULL (-114)    /* no handle left: objects, or repositories open at once */
#define TKS_NOT_A_REPOSITORY (-115)   /* the file is not a repository: refused and left unchanged */
#define TKS_STORAGE_FAILED (-116)     /* the database failed (I/O, disk full, locked, out of memory) */
#define TKS_WORK_STATE (-117)         /* begin inside a unit of work, or commit/rollback outside one */
#define TKS_LOCKED (-118)             /* another connection held the file for longer than the lock wait */

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the repository at path (UTF-8, always a file name, never a URI),
 * creating it (schema and the five simple Types) when the file does not
 * exist: it is built under a name of its own beside path and then moved to
 * path, unless another process has created path meanwhile, so that nobody
 * ever sees a half-made repository.  ":memory:" opens a private
 * in-memory repository.  A file that exists but is not a repository is
 * refused.  At most 255 repositories are open at once. */
TKS_API int32_t TKS_CALL TKSOpenRepository(const char* path, TKSHandle* repository);
TKS_API int32_t TKS_CALL TKSCloseRepository(TKSHandle repository);

/* How long, in milliseconds, a call waits for a lock another connection
 * holds on a repository file (0, the default: it does not wait).  Applies to
 * every repository of the process, open now or later.  When the wait runs
 * out, opening, TKSBeginWork and TKSCommitWork answer TKS_LOCKED (a commit
 * that answers so leaves the unit of work open); the other calls answer
 * TKS_STORAGE_FAILED.  TKS_INVALID_VALUE for a negative wait. */
TKS_API int32_t TKS_CALL TKSSetLockWait(int32_t milliseconds);

/* One unit of work: everything between Begin and Commit becomes durable at
 * once; Rollback discards it, and so does closing the repository before
 * Commit.  Outside a unit of work every call is durable on its own.
 * The answers come from memory, read from the file when the repository is
 * opened; TKSBeginWork reads it again when another connection has committed
 * changes since. */
TKS_API int32_t TKS_CALL TKSBeginWork(TKSHandle repository);
TKS_API int32_t TKS_CALL TKSCommitWork(TKSHandle repository);
TKS_API int32_t TKS_CALL TKSRollbackWork(TKSHandle repository);

#ifdef __cplusplus
}
#endif

#endif
