// A fresh in-memory repository per test, with helpers that make objects
// through the exported calls and fail the test when a call fails.
#ifndef TESTS_REPO_REPO_FIXTURE_H
#define TESTS_REPO_REPO_FIXTURE_H

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tksbeapi_host.h"

namespace repo_test {

inline TypeDetails TypeRecord(const char* name, int32_t typeClass = TKS_TYPE_CLASS_STRUCTURE, int32_t code = 0) {
    TypeDetails record;
    EXPECT_EQ(TKSGetDefaultDetails(TKS_KIND_TYPE, &record, sizeof record), TKS_OK);
    std::strcpy(record.name, name);
    std::strcpy(record.secondName, name);
    record.typeClass = typeClass;
    record.simpleTypeCode = code;
    return record;
}

inline ElementDetails ElementRecord(const char* name, TKSHandle type, TKSHandle length = TKS_NO_HANDLE) {
    ElementDetails record;
    EXPECT_EQ(TKSGetDefaultDetails(TKS_KIND_ELEMENT, &record, sizeof record), TKS_OK);
    std::strcpy(record.name, name);
    std::strcpy(record.secondName, name);
    record.typeHandle = static_cast<int32_t>(type);
    record.lengthHandle = static_cast<int32_t>(length);
    return record;
}

inline LengthDetails LengthRecord(const char* name, int32_t value) {
    LengthDetails record;
    EXPECT_EQ(TKSGetDefaultDetails(TKS_KIND_LENGTH, &record, sizeof record), TKS_OK);
    std::strcpy(record.name, name);
    std::strcpy(record.secondName, name);
    record.value = value;
    return record;
}

class RepositoryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(TKSOpenRepository(":memory:", &repository), TKS_OK); }
    void TearDown() override { EXPECT_EQ(TKSCloseRepository(repository), TKS_OK); }

    TKSHandle Find(int32_t kind, const char* name) {
        TKSHandle found = TKS_NO_HANDLE;
        EXPECT_EQ(TKSFindDefinition(repository, kind, &found, name), TKS_OK) << name;
        return found;
    }
    TKSHandle Simple(const char* name) { return Find(TKS_KIND_TYPE, name); }

    TKSHandle MakeType(const char* name) {
        TypeDetails record = TypeRecord(name);
        TKSHandle created = TKS_NO_HANDLE;
        EXPECT_EQ(TKSCreateType(repository, &created, &record), TKS_OK) << name;
        return created;
    }
    TKSHandle MakeElement(const char* name, TKSHandle type, TKSHandle length = TKS_NO_HANDLE) {
        ElementDetails record = ElementRecord(name, type, length);
        TKSHandle created = TKS_NO_HANDLE;
        EXPECT_EQ(TKSCreateElement(repository, &created, &record), TKS_OK) << name;
        return created;
    }
    TKSHandle MakeLength(const char* name, int32_t value) {
        LengthDetails record = LengthRecord(name, value);
        TKSHandle created = TKS_NO_HANDLE;
        EXPECT_EQ(TKSCreateLengthID(repository, &created, &record), TKS_OK) << name;
        return created;
    }
    void Insert(TKSHandle type, TKSHandle element, int16_t repeating = 0) {
        MemberDetails record;
        ASSERT_EQ(TKSGetDefaultMemberDetails2(type, element, -1, &record, sizeof record), TKS_OK);
        record.memberFlag = 1;
        record.repeating = repeating;
        ASSERT_EQ(TKSInsertMember(type, element, -1, &record), TKS_OK);
    }
    std::string Identifier(TKSHandle object) {
        char buffer[TKS_NAME_SIZE] = "unchanged";
        TKSGetIdentifier(object, buffer, sizeof buffer);
        return buffer;
    }

    TKSHandle repository = TKS_NO_HANDLE;
};

// A structure Type and an INTEGER Element, not yet its member.
class TypeAndElementTest : public RepositoryTest {
protected:
    void SetUp() override {
        RepositoryTest::SetUp();
        type = MakeType("REC_TYPE");
        element = MakeElement("count", Simple("INTEGER"));
    }

    TKSHandle type = TKS_NO_HANDLE;
    TKSHandle element = TKS_NO_HANDLE;
};

}  // namespace repo_test

#endif
