// Name texts and numbers read from the repository.
#include "cimp/mapping/names.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace cimp::mapping {
namespace {

TEST(NamesTest, NumberedTypeNameTrimsTheTypeLetters) {
    const struct {
        const char* typeName;
        int32_t n;
        const char* numbered;
    } cases[] = {
        {"employee_TYPE", 1, "employee_1_TYPE"}, {"POINT_TYPE", 1, "POIN_1_TYPE"}, {"DATE_TYPE", 12, "DA_12_TYPE"},
        {"type_TYPE", 99, "type_99_TYPE"},       {"TYPE_TYPE", 1, "_1_TYPE"},       {"", 3, "_3_TYPE"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberedTypeName(c.typeName, c.n), c.numbered) << c.typeName;
}

TEST(NamesTest, UnderscoresAndCase) {
    std::string text = "__rec_";
    StripLeadingUnderscores(text);
    EXPECT_EQ(text, "rec_");
    text = "___";
    StripLeadingUnderscores(text);
    EXPECT_EQ(text, "");
    EXPECT_EQ(UpperCase("_tag9x"), "_TAG9X");
    EXPECT_EQ(LengthNameOf("name_2"), "NAME_2_LEN");
    EXPECT_TRUE(EqualIgnoringCase("S_type", "s_TYPE"));
    EXPECT_FALSE(EqualIgnoringCase("S_TYPE", "S_TYPES"));
}

TEST(NamesTest, ParseDecimalReadsLikeTheRepositoryTexts) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"12", 12},          {"  12x", 12},          {"\t-7", -7},         {"+3", 3},
        {"", 0},             {"abc", 0},             {"- 4", 0},           {"0010", 10},
        {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN}, {"-2147483648", INT32_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << c.text;
}

TEST(NamesTest, RecordNamesNeverLeaveTheirField) {
    ElementDetails record{};
    std::memset(record.name, 'n', sizeof record.name);  // no terminator in the field
    EXPECT_EQ(RecordName(record.name), std::string(TKS_NAME_SIZE, 'n'));
    EXPECT_TRUE(SetRecordNames(record, std::string(kMaxNameLength, 'a')));
    EXPECT_EQ(RecordName(record.secondName), std::string(kMaxNameLength, 'a'));
    EXPECT_FALSE(SetRecordNames(record, std::string(kMaxNameLength + 1, 'b')));
    EXPECT_EQ(RecordName(record.name), std::string(kMaxNameLength, 'a'));
}

}  // namespace
}  // namespace cimp::mapping
