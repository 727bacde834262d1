// Member attributes: names, value rules, reading back.
#include <cstring>
#include <vector>

#include "repo_fixture.h"

namespace repo_test {
namespace {

class AttributeTest : public TypeAndElementTest {
protected:
    void SetUp() override {
        TypeAndElementTest::SetUp();
        Insert(type, element);
    }
    int32_t Read(const char* name, std::string& value) {
        std::vector<char> buffer(TKS_ATTR_VALUE_SIZE, 'x');
        const int32_t result = TKSGetMemberAttrValue(type, element, name, buffer.data(), TKS_ATTR_VALUE_SIZE);
        value = buffer.data();
        return result;
    }
};

struct SetCase {
    const char* name;
    const char* value;
    int32_t expected;
};

void PrintTo(const SetCase& c, std::ostream* out) { *out << '"' << c.name << "\" = \"" << c.value << '"'; }

class SetAttributeTest : public AttributeTest, public ::testing::WithParamInterface<SetCase> {};

TEST_P(SetAttributeTest, AcceptsOnlyValidNamesAndValues) {
    EXPECT_EQ(TKSSetMemberAttrValue(type, element, GetParam().name, GetParam().value), GetParam().expected);
    std::string read;
    if (GetParam().expected == TKS_OK) {
        EXPECT_EQ(Read(GetParam().name, read), TKS_OK);
        EXPECT_EQ(read, GetParam().value);
    } else if (GetParam().expected == TKS_INVALID_ATTR_VALUE && std::strcmp(GetParam().name, "String Justification")) {
        EXPECT_EQ(Read(GetParam().name, read), TKS_NOT_FOUND) << "a refused value is not stored";
        EXPECT_EQ(read, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, SetAttributeTest,
    ::testing::Values(SetCase{"Physical Type", "3", TKS_OK}, SetCase{"Physical Type", "-12", TKS_OK},
                      SetCase{"Physical Type", "007", TKS_OK}, SetCase{"Physical Type", "2147483647", TKS_OK},
                      SetCase{"Physical Type", "-2147483648", TKS_OK},
                      SetCase{"Physical Type", "2147483648", TKS_INVALID_ATTR_VALUE},
                      SetCase{"Physical Type", "", TKS_INVALID_ATTR_VALUE},
                      SetCase{"Physical Type", "12a", TKS_INVALID_ATTR_VALUE},
                      SetCase{"Physical Type", " 1", TKS_INVALID_ATTR_VALUE},
                      SetCase{"Physical Type", "+1", TKS_INVALID_ATTR_VALUE},
                      SetCase{"Physical Type", "-", TKS_INVALID_ATTR_VALUE},
                      SetCase{"Repeat Count", "10", TKS_OK}, SetCase{"Repeat Count", "ten", TKS_INVALID_ATTR_VALUE},
                      SetCase{"Repeat Count", "1.5", TKS_INVALID_ATTR_VALUE}, SetCase{"Length", "255", TKS_OK},
                      SetCase{"Length", "0x10", TKS_INVALID_ATTR_VALUE}, SetCase{"Signed", "0", TKS_OK},
                      SetCase{"Signed", "1", TKS_OK}, SetCase{"Signed", "2", TKS_INVALID_ATTR_VALUE},
                      SetCase{"Signed", "01", TKS_INVALID_ATTR_VALUE}, SetCase{"Signed", "", TKS_INVALID_ATTR_VALUE},
                      SetCase{"String Justification", "R", TKS_OK}, SetCase{"String Justification", "", TKS_OK},
                      SetCase{"physical type", "1", TKS_INVALID_ATTR_NAME},
                      SetCase{"Repeat count", "1", TKS_INVALID_ATTR_NAME},
                      SetCase{"Length ", "1", TKS_INVALID_ATTR_NAME}, SetCase{"Colour", "1", TKS_INVALID_ATTR_NAME},
                      SetCase{"", "1", TKS_INVALID_ATTR_NAME},
                      SetCase{"String Justification and more", "L", TKS_INVALID_ATTR_NAME}));

TEST_F(AttributeTest, NewMembershipHoldsOnlyTheJustification) {
    std::string value;
    EXPECT_EQ(Read("String Justification", value), TKS_OK);
    EXPECT_EQ(value, "L");
    for (const char* absent : {"Physical Type", "Repeat Count", "Length", "Signed"}) {
        EXPECT_EQ(Read(absent, value), TKS_NOT_FOUND) << absent;
        EXPECT_EQ(value, "") << "a failed read leaves the empty text";
    }
}

TEST_F(AttributeTest, LaterValueReplacesEarlierOne) {
    ASSERT_EQ(TKSSetMemberAttrValue(type, element, "Length", "4"), TKS_OK);
    ASSERT_EQ(TKSSetMemberAttrValue(type, element, "Length", "8"), TKS_OK);
    EXPECT_EQ(TKSSetMemberAttrValue(type, element, "Length", "x"), TKS_INVALID_ATTR_VALUE);
    std::string value;
    EXPECT_EQ(Read("Length", value), TKS_OK);
    EXPECT_EQ(value, "8");
}

TEST_F(AttributeTest, AttributesBelongToOneMembership) {
    const TKSHandle other = MakeType("OTHER_TYPE");
    Insert(other, element);
    ASSERT_EQ(TKSSetMemberAttrValue(type, element, "Repeat Count", "3"), TKS_OK);
    char value[16];
    EXPECT_EQ(TKSGetMemberAttrValue(other, element, "Repeat Count", value, sizeof value), TKS_NOT_FOUND);
}

TEST_F(AttributeTest, NeedsAMembership) {
    const TKSHandle stranger = MakeElement("stranger", Simple("INTEGER"));
    char value[16];
    EXPECT_EQ(TKSSetMemberAttrValue(type, stranger, "Length", "1"), TKS_NOT_FOUND);
    EXPECT_EQ(TKSGetMemberAttrValue(type, stranger, "String Justification", value, sizeof value), TKS_NOT_FOUND);
    EXPECT_EQ(TKSSetMemberAttrValue(element, type, "Length", "1"), TKS_WRONG_KIND);
    EXPECT_EQ(TKSSetMemberAttrValue(type + 999, element, "Length", "1"), TKS_NOT_FOUND);
}

TEST_F(AttributeTest, NullArgumentsAreRefused) {
    char value[16];
    EXPECT_EQ(TKSSetMemberAttrValue(type, element, nullptr, "1"), TKS_NULL_ARGUMENT);
    EXPECT_EQ(TKSSetMemberAttrValue(type, element, "Length", nullptr), TKS_NULL_ARGUMENT);
    EXPECT_EQ(TKSGetMemberAttrValue(type, element, nullptr, value, sizeof value), TKS_NULL_ARGUMENT);
    EXPECT_EQ(TKSGetMemberAttrValue(type, element, "Length", nullptr, 16), TKS_NULL_ARGUMENT);
}

TEST_F(AttributeTest, SmallBufferGetsTheTextCutShort) {
    ASSERT_EQ(TKSSetMemberAttrValue(type, element, "String Justification", "LEFT"), TKS_OK);
    char value[8] = "abcdefg";
    EXPECT_EQ(TKSGetMemberAttrValue(type, element, "String Justification", value, 3), TKS_BUFFER_TOO_SMALL);
    EXPECT_STREQ(value, "LE");
    EXPECT_EQ(value[3], 'd');
    EXPECT_EQ(TKSGetMemberAttrValue(type, element, "String Justification", value, 0), TKS_BUFFER_TOO_SMALL);
    EXPECT_STREQ(value, "LE") << "a buffer of no bytes is not written";
    EXPECT_EQ(TKSGetMemberAttrValue(type, element, "String Justification", value, 5), TKS_OK);
    EXPECT_STREQ(value, "LEFT");
}

TEST_F(AttributeTest, ValueMustEndWithinAValueBuffer) {
    std::vector<char> value(TKS_ATTR_VALUE_SIZE, 'J');
    EXPECT_EQ(TKSSetMemberAttrValue(type, element, "String Justification", value.data()), TKS_INVALID_ATTR_VALUE);
    value.back() = '\0';
    EXPECT_EQ(TKSSetMemberAttrValue(type, element, "String Justification", value.data()), TKS_OK);
    std::string read;
    EXPECT_EQ(Read("String Justification", read), TKS_OK);
    EXPECT_EQ(read.size(), static_cast<size_t>(TKS_ATTR_VALUE_SIZE - 1));
}

TEST_F(AttributeTest, NameIsReadNoFurtherThanTheLongestName) {
    char name[21];  // the longest name and one more letter, with no NUL anywhere
    std::memcpy(name, "String Justification", 20);
    name[20] = 'X';
    EXPECT_EQ(TKSSetMemberAttrValue(type, element, name, "L"), TKS_INVALID_ATTR_NAME);
}

}  // namespace
}  // namespace repo_test
