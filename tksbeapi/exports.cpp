/* The exported C calls: each forwards to its twin in store_api.h. */
#include "store_api.h"

extern "C" {

TKS_API int32_t TKS_CALL TKSGetDefaultDetails(int32_t kind, void* record, int32_t size) { return tks::api::GetDefaultDetails(kind, record, size); }
TKS_API int32_t TKS_CALL TKSGetDetails(TKSHandle object, int32_t reserved, void* record, int32_t size) { return tks::api::GetDetails(object, reserved, record, size); }
TKS_API int32_t TKS_CALL TKSFindDefinition(TKSHandle repository, int32_t kind, TKSHandle* found, const char* name) { return tks::api::FindDefinition(repository, kind, found, name); }
TKS_API int32_t TKS_CALL TKSCreateType(TKSHandle repository, TKSHandle* created, void* typeDetails) { return tks::api::CreateType(repository, created, typeDetails); }
TKS_API int32_t TKS_CALL TKSCreateElement(TKSHandle repository, TKSHandle* created, void* elementDetails) { return tks::api::CreateElement(repository, created, elementDetails); }
TKS_API int32_t TKS_CALL TKSCreateLengthID(TKSHandle repository, TKSHandle* created, void* lengthDetails) { return tks::api::CreateLengthID(repository, created, lengthDetails); }
TKS_API int32_t TKS_CALL TKSGetFirstDefinition(TKSHandle repository, int32_t kind, TKSHandle* first, int32_t reserved) { return tks::api::GetFirstDefinition(repository, kind, first, reserved); }
TKS_API int32_t TKS_CALL TKSGetNextDefinition(TKSHandle current, TKSHandle parent, TKSHandle* next, int32_t mode, int32_t flag) { return tks::api::GetNextDefinition(current, parent, next, mode, flag); }
TKS_API int32_t TKS_CALL TKSGetDefaultMemberDetails2(TKSHandle type, TKSHandle element, int32_t position, void* memberDetails, int32_t size) { return tks::api::GetDefaultMemberDetails2(type, element, position, memberDetails, size); }
TKS_API int32_t TKS_CALL TKSInsertMember(TKSHandle type, TKSHandle element, int32_t position, void* memberDetails) { return tks::api::InsertMember(type, element, position, memberDetails); }
TKS_API int32_t TKS_CALL TKSGetMemberDetails(TKSHandle type, TKSHandle member, void* memberDetails, int32_t size) { return tks::api::GetMemberDetails(type, member, memberDetails, size); }
TKS_API int32_t TKS_CALL TKSSetMemberAttrValue(TKSHandle type, TKSHandle element, const char* attribute, const char* value) { return tks::api::SetMemberAttrValue(type, element, attribute, value); }
TKS_API int32_t TKS_CALL TKSGetMemberAttrValue(TKSHandle type, TKSHandle member, const char* attribute, char* value, int32_t size) { return tks::api::GetMemberAttrValue(type, member, attribute, value, size); }
TKS_API int32_t TKS_CALL TKSDelete(TKSHandle object) { return tks::api::Delete(object); }
TKS_API int32_t TKS_CALL TKSIsComplete(TKSHandle object) { return tks::api::IsComplete(object); }
TKS_API int32_t TKS_CALL TKSGetIdentifier(TKSHandle object, char* buffer, int32_t size) { return tks::api::GetIdentifier(object, buffer, size); }
TKS_API int32_t TKS_CALL TKSOpenRepository(const char* path, TKSHandle* repository) { return tks::api::OpenRepository(path, repository); }
TKS_API int32_t TKS_CALL TKSCloseRepository(TKSHandle repository) { return tks::api::CloseRepository(repository); }
TKS_API int32_t TKS_CALL TKSSetLockWait(int32_t milliseconds) { return tks::api::SetLockWait(milliseconds); }
TKS_API int32_t TKS_CALL TKSBeginWork(TKSHandle repository) { return tks::api::BeginWork(repository); }
TKS_API int32_t TKS_CALL TKSCommitWork(TKSHandle repository) { return tks::api::CommitWork(repository); }
TKS_API int32_t TKS_CALL TKSRollbackWork(TKSHandle repository) { return tks::api::RollbackWork(repository); }

}  // extern "C"
