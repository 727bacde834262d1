// Helpers of the repository tests: records and objects made through the exported calls (a
// failed call fails the test), and answers read back as one text to compare whole.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "tksbeapi_host.h"

namespace repo_test {

// "a|b|c": the parts of a record or of an answer, joined.
template <class... Part>
std::string Join(const Part&... parts) {
    std::ostringstream out;
    ((out << parts << '|'), ...);
    return out.str().substr(0, out.str().size() - 1);
}
inline std::string Fields(const TypeDetails& r) {
    return Join(r.name, r.secondName, r.typeClass, r.simpleTypeCode);
}
inline std::string Fields(const ElementDetails& r) {
    return Join(r.name, r.secondName, r.typeHandle, r.lengthHandle);
}
inline std::string Fields(const LengthDetails& r) { return Join(r.name, r.secondName, r.value); }
inline std::string Fields(const MemberDetails& r) { return Join(r.memberFlag, r.repeating); }

// What TKSGetDetails answers for an object: its fields, or the code of the refusal.
template <class Record>
std::string Details(TKSHandle object) {
    Record record;
    std::memset(&record, 0x5A, sizeof record);
    const int32_t result = TKSGetDetails(object, 0, &record, sizeof record);
    return result == TKS_OK ? Fields(record) : std::to_string(result);
}

// The library's default record of a kind, named, and the fields of each kind set.
template <class Record>
Record Named(int32_t kind, const char* name) {
    Record record;
    EXPECT_EQ(TKSGetDefaultDetails(kind, &record, sizeof record), TKS_OK);
    std::strcpy(record.name, name);
    return record;
}
inline TypeDetails TypeRecord(const char* name, int32_t typeClass = 3, int32_t code = 0) {
    TypeDetails record = Named<TypeDetails>(TKS_KIND_TYPE, name);
    record.typeClass = typeClass, record.simpleTypeCode = code;
    return record;
}
inline ElementDetails ElementRecord(const char* name, TKSHandle type, TKSHandle length = 0) {
    ElementDetails record = Named<ElementDetails>(TKS_KIND_ELEMENT, name);
    record.typeHandle = int32_t(type), record.lengthHandle = int32_t(length);
    return record;
}
inline LengthDetails LengthRecord(const char* name, int32_t value) {
    LengthDetails record = Named<LengthDetails>(TKS_KIND_LENGTH, name);
    record.value = value;
    return record;
}
// The create call of the record's kind.
template <class Record>
int32_t Create(TKSHandle at, Record r, TKSHandle& out) {
    if constexpr (std::is_same_v<Record, TypeDetails>) return TKSCreateType(at, &out, &r);
    if constexpr (std::is_same_v<Record, ElementDetails>) return TKSCreateElement(at, &out, &r);
    if constexpr (std::is_same_v<Record, LengthDetails>) return TKSCreateLengthID(at, &out, &r);
}

// A fresh in-memory repository per test.
class RepositoryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(TKSOpenRepository(":memory:", &repository), TKS_OK); }
    void TearDown() override { EXPECT_EQ(TKSCloseRepository(repository), TKS_OK); }

    TKSHandle Simple(const char* name) {
        TKSHandle found = TKS_NO_HANDLE;
        EXPECT_EQ(TKSFindDefinition(repository, TKS_KIND_TYPE, &found, name), TKS_OK) << name;
        return found;
    }
    template <class Record>
    TKSHandle Make(const Record& record) {
        TKSHandle made = TKS_NO_HANDLE;
        EXPECT_EQ(Create(repository, record, made), TKS_OK) << record.name;
        return made;
    }
    TKSHandle MakeType(const char* name) { return Make(TypeRecord(name)); }
    TKSHandle MakeElement(const char* name, TKSHandle type, TKSHandle length = 0) {
        return Make(ElementRecord(name, type, length));
    }
    void Insert(TKSHandle type, TKSHandle element, int16_t repeating = 0) {
        MemberDetails record;
        ASSERT_EQ(TKSGetDefaultMemberDetails2(type, element, -1, &record, sizeof record), TKS_OK);
        record.repeating = repeating;
        ASSERT_EQ(TKSInsertMember(type, element, -1, &record), TKS_OK);
    }
    // The name, or the empty text a failed call leaves.
    std::string Identifier(TKSHandle object) {
        char buffer[TKS_NAME_SIZE] = "unchanged";
        TKSGetIdentifier(object, buffer, sizeof buffer);
        return buffer;
    }
    // The names along the walk over a kind's objects or a Type's members, and the code ending it.
    std::string Walk(int32_t kind, TKSHandle type = TKS_NO_HANDLE) {
        TKSHandle at = 99;
        int32_t result = type ? TKSGetNextDefinition(type, 0, &at, 3, 1)
                              : TKSGetFirstDefinition(repository, kind, &at, 0);
        std::string names;
        for (int n = 0; result == TKS_OK && at && at != TKS_LAST_MEMBER && n < 100; ++n) {
            names += Identifier(at) + ' ';
            result = TKSGetNextDefinition(at, type, &at, 1, type ? 1 : 0);
        }
        return names + std::to_string(result);
    }

    TKSHandle repository = TKS_NO_HANDLE;
};

}  // namespace repo_test
