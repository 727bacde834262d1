#include "records.h"

#include <cstring>

#include "tksbeapi_host.h"

namespace tks {
namespace {

struct RecordHeader {
    char mark[4];
    int32_t kind;
    uint32_t handle;
    int32_t size;
    unsigned char unused[8];
};
static_assert(sizeof(RecordHeader) == 24);

constexpr char kMark[4] = {'T', 'K', 'S', 'R'};

template <class Record>
void WriteHeader(Record& record, int32_t kind, TKSHandle handle) {
    RecordHeader header{};
    std::memcpy(header.mark, kMark, sizeof kMark);
    header.kind = kind;
    header.handle = handle;
    header.size = static_cast<int32_t>(sizeof(Record));
    std::memcpy(record.header, &header, sizeof header);
}

template <class Record>
bool HasHeader(const Record& record, int32_t kind) {
    RecordHeader header;
    std::memcpy(&header, record.header, sizeof header);
    return std::memcmp(header.mark, kMark, sizeof kMark) == 0 && header.kind == kind &&
           header.size == static_cast<int32_t>(sizeof(Record));
}

// Writes the parts every object record shares and copies it out; the caller's
// buffer may lie at any address.
template <class Record>
void WriteNamed(Record& record, void* out, TKSHandle handle, const StoredObject& object) {
    WriteHeader(record, object.kind, handle);
    const size_t length = object.name.copy(record.name, sizeof record.name - 1);
    record.name[length] = '\0';
    std::memcpy(record.secondName, record.name, sizeof record.name);
    std::memcpy(out, &record, sizeof record);
}

// Reads a record and its name; the second name is the library's to write.
template <class Record>
int32_t ReadNamed(const void* in, Record& record, StoredObject& object) {
    std::memcpy(&record, in, sizeof record);
    if (!HasHeader(record, object.kind)) return TKS_INVALID_RECORD;
    const std::optional<std::string_view> name = BoundedText(record.name, sizeof record.name);
    if (!name || name->empty()) return TKS_INVALID_NAME;
    object.name = *name;
    return TKS_OK;
}

}  // namespace

int32_t RecordSize(int32_t kind) {
    switch (kind) {
        case TKS_KIND_TYPE: return sizeof(TypeDetails);
        case TKS_KIND_ELEMENT: return sizeof(ElementDetails);
        case TKS_KIND_LENGTH: return sizeof(LengthDetails);
        default: return 0;
    }
}

std::optional<std::string_view> BoundedText(const char* text, size_t limit) {
    const void* end = std::memchr(text, '\0', limit);
    if (!end) return std::nullopt;
    return std::string_view(text, static_cast<size_t>(static_cast<const char*>(end) - text));
}

int32_t CopyText(std::string_view text, char* buffer, int32_t size) {
    const size_t length = text.copy(buffer, static_cast<size_t>(size) - 1);
    buffer[length] = '\0';
    return length < text.size() ? TKS_BUFFER_TOO_SMALL : TKS_OK;
}

StoredObject DefaultObject(int32_t kind) {
    StoredObject object;
    object.kind = kind;
    if (kind == TKS_KIND_TYPE) object.typeClass = TKS_TYPE_CLASS_STRUCTURE;
    return object;
}

void WriteObjectRecord(void* out, TKSHandle handle, const StoredObject& object) {
    if (object.kind == TKS_KIND_TYPE) {
        TypeDetails record{};
        record.typeClass = object.typeClass;
        record.simpleTypeCode = object.simpleTypeCode;
        WriteNamed(record, out, handle, object);
    } else if (object.kind == TKS_KIND_ELEMENT) {
        ElementDetails record{};
        record.typeHandle = static_cast<int32_t>(object.typeHandle);
        record.lengthHandle = static_cast<int32_t>(object.lengthHandle);
        WriteNamed(record, out, handle, object);
    } else {
        LengthDetails record{};
        record.value = object.value;
        WriteNamed(record, out, handle, object);
    }
}

int32_t ReadObjectRecord(const void* in, int32_t kind, StoredObject& object) {
    object = DefaultObject(kind);
    if (kind == TKS_KIND_TYPE) {
        TypeDetails record;
        const int32_t result = ReadNamed(in, record, object);
        object.typeClass = record.typeClass;
        object.simpleTypeCode = record.simpleTypeCode;
        return result;
    }
    if (kind == TKS_KIND_ELEMENT) {
        ElementDetails record;
        const int32_t result = ReadNamed(in, record, object);
        object.typeHandle = static_cast<TKSHandle>(record.typeHandle);
        object.lengthHandle = static_cast<TKSHandle>(record.lengthHandle);
        return result;
    }
    LengthDetails record;
    const int32_t result = ReadNamed(in, record, object);
    object.value = record.value;
    return result;
}

void WriteMemberRecord(void* out, const StoredMember& member) {
    MemberDetails record{};
    WriteHeader(record, kMemberRecordKind, TKS_NO_HANDLE);
    record.memberFlag = member.memberFlag;
    record.repeating = member.repeating;
    std::memcpy(out, &record, sizeof record);
}

int32_t ReadMemberRecord(const void* in, StoredMember& member) {
    MemberDetails record;
    std::memcpy(&record, in, sizeof record);
    if (!HasHeader(record, kMemberRecordKind)) return TKS_INVALID_RECORD;
    member.memberFlag = record.memberFlag;
    member.repeating = record.repeating;
    return TKS_OK;
}

}  // namespace tks
