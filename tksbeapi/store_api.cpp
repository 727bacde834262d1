/* Temporary: every call answers "failed" until the store is filled in. */
#include "store_api.h"

namespace tks::api {

int32_t GetDefaultDetails(int32_t,  void*,  int32_t) { return -116; }
int32_t GetDetails(TKSHandle,  int32_t,  void*,  int32_t) { return -116; }
int32_t FindDefinition(TKSHandle,  int32_t,  TKSHandle*,  const char*) { return -116; }
int32_t CreateType(TKSHandle,  TKSHandle*,  void*) { return -116; }
int32_t CreateElement(TKSHandle,  TKSHandle*,  void*) { return -116; }
int32_t CreateLengthID(TKSHandle,  TKSHandle*,  void*) { return -116; }
int32_t GetFirstDefinition(TKSHandle,  int32_t,  TKSHandle*,  int32_t) { return -116; }
int32_t GetNextDefinition(TKSHandle,  TKSHandle,  TKSHandle*,  int32_t,  int32_t) { return -116; }
int32_t GetDefaultMemberDetails2(TKSHandle,  TKSHandle,  int32_t,  void*,  int32_t) { return -116; }
int32_t InsertMember(TKSHandle,  TKSHandle,  int32_t,  void*) { return -116; }
int32_t GetMemberDetails(TKSHandle,  TKSHandle,  void*,  int32_t) { return -116; }
int32_t SetMemberAttrValue(TKSHandle,  TKSHandle,  const char*,  const char*) { return -116; }
int32_t GetMemberAttrValue(TKSHandle,  TKSHandle,  const char*,  char*,  int32_t) { return -116; }
int32_t Delete(TKSHandle) { return -116; }
int32_t IsComplete(TKSHandle) { return -116; }
int32_t GetIdentifier(TKSHandle,  char*,  int32_t) { return -116; }
int32_t OpenRepository(const char*,  TKSHandle*) { return -116; }
int32_t CloseRepository(TKSHandle) { return -116; }
int32_t BeginWork(TKSHandle) { return -116; }
int32_t CommitWork(TKSHandle) { return -116; }
int32_t RollbackWork(TKSHandle) { return -116; }

}  // namespace tks::api
