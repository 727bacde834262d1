// Default and stored detail records.
#include <array>
#include <cstring>

#include "repo_fixture.h"

namespace repo_test {
namespace {

struct DefaultCase {
    int32_t kind;
    int32_t size;
    int32_t expected;
};

void PrintTo(const DefaultCase& c, std::ostream* out) { *out << c.kind << " size " << c.size; }

class DefaultDetailsTest : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultDetailsTest, AnswersByKindAndSize) {
    std::array<unsigned char, 1000> buffer;
    buffer.fill(0xAB);
    EXPECT_EQ(TKSGetDefaultDetails(GetParam().kind, buffer.data(), GetParam().size), GetParam().expected);
    if (GetParam().expected != TKS_OK) {
        EXPECT_EQ(buffer[0], 0xAB) << "a refused call leaves the record alone";
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, DefaultDetailsTest,
                         ::testing::Values(DefaultCase{TKS_KIND_TYPE, 580, TKS_OK},
                                           DefaultCase{TKS_KIND_ELEMENT, 832, TKS_OK},
                                           DefaultCase{TKS_KIND_LENGTH, 572, TKS_OK},
                                           DefaultCase{TKS_KIND_TYPE, 1000, TKS_OK},
                                           DefaultCase{TKS_KIND_TYPE, 579, TKS_RECORD_TOO_SMALL},
                                           DefaultCase{TKS_KIND_ELEMENT, 831, TKS_RECORD_TOO_SMALL},
                                           DefaultCase{TKS_KIND_LENGTH, 571, TKS_RECORD_TOO_SMALL},
                                           DefaultCase{TKS_KIND_LENGTH, -1, TKS_RECORD_TOO_SMALL},
                                           DefaultCase{105, 832, TKS_INVALID_KIND},
                                           DefaultCase{0, 832, TKS_INVALID_KIND}));

TEST(DefaultDetails, NullRecordIsRefused) {
    EXPECT_EQ(TKSGetDefaultDetails(TKS_KIND_TYPE, nullptr, 580), TKS_NULL_ARGUMENT);
}

TEST(DefaultDetails, TypeDefaultsToAnUnnamedStructure) {
    TypeDetails record;
    std::memset(&record, 0x5A, sizeof record);
    ASSERT_EQ(TKSGetDefaultDetails(TKS_KIND_TYPE, &record, sizeof record), TKS_OK);
    EXPECT_EQ(std::memcmp(record.header, "TKSR", 4), 0);
    EXPECT_STREQ(record.name, "");
    EXPECT_STREQ(record.secondName, "");
    EXPECT_EQ(record.typeClass, TKS_TYPE_CLASS_STRUCTURE);
    EXPECT_EQ(record.simpleTypeCode, 0);
}

TEST(DefaultDetails, ElementAndLengthDefaultToNothing) {
    ElementDetails element;
    LengthDetails length;
    std::memset(&element, 0x5A, sizeof element);
    std::memset(&length, 0x5A, sizeof length);
    ASSERT_EQ(TKSGetDefaultDetails(TKS_KIND_ELEMENT, &element, sizeof element), TKS_OK);
    ASSERT_EQ(TKSGetDefaultDetails(TKS_KIND_LENGTH, &length, sizeof length), TKS_OK);
    EXPECT_EQ(element.typeHandle, 0);
    EXPECT_EQ(element.lengthHandle, 0);
    EXPECT_STREQ(element.name, "");
    EXPECT_EQ(length.value, 0);
    EXPECT_STREQ(length.name, "");
}

class DetailsTest : public RepositoryTest {};

TEST_F(DetailsTest, DescribesEachKind) {
    const TKSHandle stringType = Simple("STRING");
    const TKSHandle length = MakeLength("NAME_LEN", 20);
    const TKSHandle element = MakeElement("name", stringType, length);

    TypeDetails type;
    ASSERT_EQ(TKSGetDetails(stringType, 0, &type, sizeof type), TKS_OK);
    EXPECT_STREQ(type.name, "STRING");
    EXPECT_STREQ(type.secondName, "STRING");
    EXPECT_EQ(type.typeClass, TKS_TYPE_CLASS_SIMPLE);
    EXPECT_EQ(type.simpleTypeCode, TKS_SIMPLE_STRING);

    ElementDetails read;
    ASSERT_EQ(TKSGetDetails(element, 0, &read, sizeof read), TKS_OK);
    EXPECT_STREQ(read.name, "name");
    EXPECT_STREQ(read.secondName, "name");
    EXPECT_EQ(static_cast<TKSHandle>(read.typeHandle), stringType);
    EXPECT_EQ(static_cast<TKSHandle>(read.lengthHandle), length);

    LengthDetails value;
    ASSERT_EQ(TKSGetDetails(length, 0, &value, sizeof value), TKS_OK);
    EXPECT_STREQ(value.name, "NAME_LEN");
    EXPECT_EQ(value.value, 20);
}

TEST_F(DetailsTest, WritesNoMoreThanTheRecord) {
    std::array<unsigned char, 900> buffer;
    buffer.fill(0xAB);
    ASSERT_EQ(TKSGetDetails(Simple("INTEGER"), 0, buffer.data(), static_cast<int32_t>(buffer.size())), TKS_OK);
    EXPECT_EQ(buffer[sizeof(TypeDetails) - 1], 0);
    EXPECT_EQ(buffer[sizeof(TypeDetails)], 0xAB);
}

TEST_F(DetailsTest, RefusesASmallRecordAndLeavesItAlone) {
    const TKSHandle element = MakeElement("count", Simple("INTEGER"));
    std::array<unsigned char, 831> buffer;
    buffer.fill(0xAB);
    EXPECT_EQ(TKSGetDetails(element, 0, buffer.data(), 831), TKS_RECORD_TOO_SMALL);
    EXPECT_EQ(buffer[0], 0xAB);
    EXPECT_EQ(buffer[100], 0xAB);
}

TEST_F(DetailsTest, UnknownHandlesAreNotFound) {
    TypeDetails record;
    EXPECT_EQ(TKSGetDetails(TKS_NO_HANDLE, 0, &record, sizeof record), TKS_NOT_FOUND);
    EXPECT_EQ(TKSGetDetails(repository, 0, &record, sizeof record), TKS_NOT_FOUND);
    EXPECT_EQ(TKSGetDetails(Simple("INTEGER") + 1000, 0, &record, sizeof record), TKS_NOT_FOUND);
    EXPECT_EQ(TKSGetDetails(0xFFFFFFFFu, 0, &record, sizeof record), TKS_NOT_FOUND);
    EXPECT_EQ(TKSGetDetails(Simple("INTEGER"), 0, nullptr, 580), TKS_NULL_ARGUMENT);
}

}  // namespace
}  // namespace repo_test
