/* The importer's single entry point. */
#ifndef CIMPORT_H
#define CIMPORT_H

#include <stdint.h>
#include "tksbeapi.h"

#if defined(_WIN32) && !defined(_WIN64)
#define CIMPORT_CALL __stdcall
#else
#define CIMPORT_CALL
#endif

#if defined(_WIN32)
#if defined(CIMPORT_BUILD)
#define CIMPORT_API __declspec(dllexport)
#else
#define CIMPORT_API __declspec(dllimport)
#endif
#else
#define CIMPORT_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Receives every message of an import; text is valid only during the call. */
typedef void (*CImportCallback)(void* context, const char* text);

/* Imports the structures of the C header at headerPath into repository.
 * preInclude names a file included ahead of the header ("" or null: none);
 * keepSystemIncludes nonzero keeps the header's lines holding '<' and '>'.
 * The unnamed arguments are accepted and not used.  Result 0 when the import
 * ran to its end, -1 when a stage failed. */
CIMPORT_API int32_t CIMPORT_CALL DoCImport(TKSHandle repository, const char* headerPath, int32_t unused3,
                                           int32_t unused4, int32_t unused5, int32_t unused6,
                                           const char* preInclude, int32_t unused8, int32_t unused9,
                                           int32_t keepSystemIncludes, CImportCallback callback,
                                           void* context);

#ifdef __cplusplus
}
#endif

#endif
