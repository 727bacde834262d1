/* The repository's calls as C++ functions, one for each exported C call and
 * with the same signature.  libtksbeapi.so forwards every C call here; a test
 * double that defines the C calls itself can forward to these as well. */
#ifndef TKSBEAPI_STORE_API_H
#define TKSBEAPI_STORE_API_H

#include "tksbeapi.h"
#include "tksbeapi_host.h"

namespace tks::api {

int32_t GetDefaultDetails(int32_t kind, void* record, int32_t size);
int32_t GetDetails(TKSHandle object, int32_t reserved, void* record, int32_t size);
int32_t FindDefinition(TKSHandle repository, int32_t kind, TKSHandle* found, const char* name);
int32_t CreateType(TKSHandle repository, TKSHandle* created, void* typeDetails);
int32_t CreateElement(TKSHandle repository, TKSHandle* created, void* elementDetails);
int32_t CreateLengthID(TKSHandle repository, TKSHandle* created, void* lengthDetails);
int32_t GetFirstDefinition(TKSHandle repository, int32_t kind, TKSHandle* first, int32_t reserved);
int32_t GetNextDefinition(TKSHandle current, TKSHandle parent, TKSHandle* next, int32_t mode, int32_t flag);
int32_t GetDefaultMemberDetails2(TKSHandle type, TKSHandle element, int32_t position, void* memberDetails,
                                 int32_t size);
int32_t InsertMember(TKSHandle type, TKSHandle element, int32_t position, void* memberDetails);
int32_t GetMemberDetails(TKSHandle type, TKSHandle member, void* memberDetails, int32_t size);
int32_t SetMemberAttrValue(TKSHandle type, TKSHandle element, const char* attribute, const char* value);
int32_t GetMemberAttrValue(TKSHandle type, TKSHandle member, const char* attribute, char* value, int32_t size);
int32_t Delete(TKSHandle object);
int32_t IsComplete(TKSHandle object);
int32_t GetIdentifier(TKSHandle object, char* buffer, int32_t size);

int32_t OpenRepository(const char* path, TKSHandle* repository);
int32_t CloseRepository(TKSHandle repository);
int32_t SetLockWait(int32_t milliseconds);
int32_t BeginWork(TKSHandle repository);
int32_t CommitWork(TKSHandle repository);
int32_t RollbackWork(TKSHandle repository);

}  // namespace tks::api

#endif
