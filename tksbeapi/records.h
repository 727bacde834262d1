// The detail records exchanged with callers.  The library marks the first 24
// bytes of every record it fills ("TKSR", the kind, the handle, the size), and
// the calls that read a record accept only one so marked for the right kind.
#ifndef TKSBEAPI_RECORDS_H
#define TKSBEAPI_RECORDS_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "stored_object.h"
#include "tksbeapi.h"

namespace tks {

constexpr int32_t kMemberRecordKind = 1;  // the kind marked in MemberDetails records

// The size of the record of an object kind, 0 for any other code.
int32_t RecordSize(int32_t kind);

// The text up to its NUL, when a NUL comes within limit bytes; reads no further.
std::optional<std::string_view> BoundedText(const char* text, size_t limit);

// Copies text into a caller's buffer of size bytes (at least 1), NUL-terminated;
// TKS_BUFFER_TOO_SMALL when it had to be cut short.
int32_t CopyText(std::string_view text, char* buffer, int32_t size);

StoredObject DefaultObject(int32_t kind);
void WriteObjectRecord(void* record, TKSHandle handle, const StoredObject& object);
// What a create call takes from a record: 0 and the object, or the code.
int32_t ReadObjectRecord(const void* record, int32_t kind, StoredObject& object);

void WriteMemberRecord(void* record, const StoredMember& member);
int32_t ReadMemberRecord(const void* record, StoredMember& member);

}  // namespace tks

#endif
