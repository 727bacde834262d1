// Walking objects and members; inserting Elements into Types; member attributes.
#include <map>

#include "repo_fixture.h"

using namespace repo_test;

// A structure Type and an INTEGER Element, not yet its member.
class MemberTest : public RepositoryTest {
protected:
    void SetUp() override {
        RepositoryTest::SetUp();
        type = MakeType("REC_TYPE");
        element = MakeElement("count", Simple("INTEGER"));
    }
    std::string Member(TKSHandle of, TKSHandle member, int32_t size = sizeof(MemberDetails)) {
        MemberDetails record;
        const int32_t result = TKSGetMemberDetails(of, member, &record, size);
        return result ? std::to_string(result) : Fields(record);
    }
    // The code and the text TKSGetMemberAttrValue answers for the membership in a Type.
    std::string Read(TKSHandle of, const char* name, int32_t size = TKS_ATTR_VALUE_SIZE) {
        std::string buffer(TKS_ATTR_VALUE_SIZE, 'x');
        return Join(TKSGetMemberAttrValue(of, element, name, buffer.data(), size), buffer.c_str());
    }
    TKSHandle type, element;
};

TEST_F(MemberTest, ObjectsAndMembersComeInCreationOrder) {
    EXPECT_EQ(Walk(TKS_KIND_LENGTH), "0");
    Make(LengthRecord("B_LEN", 2));
    ASSERT_EQ(TKSDelete(MakeType("DELETED_TYPE")), TKS_OK);
    Make(LengthRecord("A_LEN", 1));
    const TKSHandle other = MakeType("OTHER_TYPE"), a = MakeElement("a", Simple("FLOAT"));
    EXPECT_EQ(Walk(TKS_KIND_TYPE), "INTEGER STRING FLOAT BINARY BOOLEAN REC_TYPE OTHER_TYPE 0");
    EXPECT_EQ(Walk(TKS_KIND_LENGTH), "B_LEN A_LEN 0");
    EXPECT_EQ(Walk(TKS_KIND_ELEMENT), "count a 0");
    EXPECT_EQ(Walk(0, type) + Walk(0, Simple("INTEGER")), "-4-4");
    for (auto [of, member] : {std::pair{type, a}, {type, element}, {other, element}, {other, a}}) {
        Insert(of, member, of == type && member == element);
    }
    EXPECT_EQ(Walk(0, type), "a count 0");
    EXPECT_EQ(Walk(0, other), "count a 0");
    EXPECT_EQ(Join(Member(type, element), Member(other, element)), "1|1|1|0");
    // Each mode answers only for its own arguments (codes of tksbeapi_host.h).
    const TKSHandle stranger = MakeElement("stranger", 0);
    const struct { TKSHandle current, parent; int32_t mode, flag, expected; } cases[] = {
        {stranger, type, 1, 1, -4}, {a, a, 1, 1, -104}, {a, 0, 1, 1, -4}, {a, 0, 3, 1, -104},
        {type, 0, 3, 0, -111}, {type, 0, 2, 1, -111}, {type, 0, 0, 0, -111},
        {a, type, 3, 1, -111}, {a, type, 1, 0, -111}, {a, type, 1, 2, -111}};
    for (const auto& c : cases) {
        TKSHandle next = 9;
        EXPECT_EQ(TKSGetNextDefinition(c.current, c.parent, &next, c.mode, c.flag), c.expected);
        EXPECT_EQ(next, TKS_NO_HANDLE) << c.mode << c.flag;
    }
    TKSHandle first;
    EXPECT_EQ(TKSGetFirstDefinition(repository, 200, &first, 0), TKS_INVALID_KIND);
}

TEST_F(MemberTest, InsertChecksItsArguments) {
    MemberDetails record, defaults;
    ASSERT_EQ(TKSGetDefaultMemberDetails2(type, element, -1, &record, sizeof record), TKS_OK);
    EXPECT_EQ(Fields(record), "1|0");
    const struct { TKSHandle type, element; int32_t position, expected; } cases[] = {
        {Simple("INTEGER"), element, -1, -14}, {element, element, -1, -104},
        {type, MakeType("OTHER_TYPE"), -1, -104}, {type, element + 100, -1, -4},
        {0, element, -1, -4}, {type, element, 0, -110}, {type, element, 2, -110}};
    for (const auto& [of, member, position, expected] : cases) {
        EXPECT_EQ(TKSGetDefaultMemberDetails2(of, member, position, &defaults, 316), expected);
        EXPECT_EQ(TKSInsertMember(of, member, position, &record), expected);
    }
    EXPECT_EQ(TKSGetDefaultMemberDetails2(type, element, -1, &defaults, 315), -102);
    TypeDetails typeRecord = TypeRecord("T");
    EXPECT_EQ(TKSInsertMember(type, element, -1, &typeRecord), TKS_INVALID_RECORD);
    EXPECT_EQ(Member(type, element), "-4");
    ASSERT_EQ(TKSInsertMember(type, element, -1, &record), TKS_OK);
    EXPECT_EQ(TKSInsertMember(type, element, -1, &record), TKS_ALREADY_MEMBER);
    EXPECT_EQ(Walk(0, type), "count 0");
    EXPECT_EQ(Join(Member(type, element, 315), Member(element, type)), "-102|-104");
    Insert(type, MakeElement("self", type));
    EXPECT_EQ(TKSIsComplete(type), 1) << "a Type may hold an Element of itself";
}

// Repositories stay apart even where they hold the same objects under the same numbers.
TEST_F(MemberTest, ElementOfAnotherRepositoryIsNotFound) {
    Insert(type, element);
    TKSHandle other, twinType, twin, next = 9;
    ASSERT_EQ(TKSOpenRepository(":memory:", &other), TKS_OK);
    ASSERT_EQ(Create(other, TypeRecord("REC_TYPE"), twinType), TKS_OK);
    ASSERT_EQ(Create(other, ElementRecord("count", 0), twin), TKS_OK);
    MemberDetails record;
    ASSERT_EQ(TKSGetDefaultMemberDetails2(type, element, -1, &record, sizeof record), TKS_OK);
    EXPECT_EQ(TKSInsertMember(type, twin, -1, &record), TKS_NOT_FOUND);
    EXPECT_EQ(Join(Member(type, twin), Member(twinType, element)), "-4|-4");
    EXPECT_EQ(TKSGetNextDefinition(twin, type, &next, 1, 1), TKS_NOT_FOUND);
    EXPECT_EQ(TKSSetMemberAttrValue(type, twin, "Length", "1"), TKS_NOT_FOUND);
    EXPECT_EQ(Create(repository, ElementRecord("e", twinType), next), TKS_INVALID_TYPE);
    EXPECT_EQ(TKSCloseRepository(other), TKS_OK);
}

TEST_F(MemberTest, AttributesTakeOnlyValidNamesAndValues) {
    Insert(type, element);
    const struct { const char* name; const char* value; int32_t expected; } cases[] = {
        {"Physical Type", "3", 0}, {"Physical Type", "-12", 0}, {"Physical Type", "007", 0},
        {"Physical Type", "2147483647", 0}, {"Physical Type", "-2147483648", 0},
        {"Physical Type", "2147483648", -80}, {"Physical Type", "", -80},
        {"Physical Type", "12a", -80}, {"Physical Type", " 1", -80}, {"Physical Type", "+1", -80},
        {"Physical Type", "-", -80}, {"Repeat Count", "10", 0}, {"Repeat Count", "ten", -80},
        {"Repeat Count", "1.5", -80}, {"Length", "255", 0}, {"Length", "0x10", -80},
        {"Signed", "0", 0}, {"Signed", "1", 0}, {"Signed", "2", -80}, {"Signed", "01", -80},
        {"Signed", "", -80}, {"String Justification", "R", 0}, {"String Justification", "", 0},
        {"physical type", "1", -78}, {"Repeat count", "1", -78}, {"Length ", "1", -78},
        {"Colour", "1", -78}, {"", "1", -78}, {"String Justification and more", "L", -78}};
    std::map<std::string, std::string> held = {{"String Justification", "0|L"}};
    for (const auto& [name, value, expected] : cases) {
        EXPECT_EQ(TKSSetMemberAttrValue(type, element, name, value), expected) << name << value;
        if (expected == TKS_OK) held[name] = Join(0, value);
        EXPECT_EQ(Read(type, name), held.count(name) ? held[name] : Join(expected, ""));
    }
    const std::string value(TKS_ATTR_VALUE_SIZE - 1, 'J');  // the longest that ends in its buffer
    EXPECT_EQ(TKSSetMemberAttrValue(type, element, "Signed", (value + 'J').c_str()), -80);
    EXPECT_EQ(TKSSetMemberAttrValue(type, element, "String Justification", value.c_str()), 0);
    EXPECT_EQ(Read(type, "String Justification"), Join(0, value));
}

TEST_F(MemberTest, NewMembershipHoldsOnlyTheJustification) {
    const TKSHandle other = MakeType("OTHER_TYPE"), stranger = MakeElement("x", 0);
    Insert(type, element);
    Insert(other, element);
    ASSERT_EQ(TKSSetMemberAttrValue(type, element, "Repeat Count", "3"), TKS_OK);
    EXPECT_EQ(Read(other, "String Justification"), "0|L");
    for (const char* absent : {"Physical Type", "Repeat Count", "Length", "Signed"}) {
        EXPECT_EQ(Read(other, absent), "-4|") << "a failed read leaves the empty text";
    }
    char value[8];
    EXPECT_EQ(TKSGetMemberAttrValue(type, stranger, "Signed", value, 8), TKS_NOT_FOUND);
    EXPECT_EQ(TKSSetMemberAttrValue(type, stranger, "Length", "1"), TKS_NOT_FOUND);
    // A small buffer gets the text cut short; a buffer of no bytes is not written.
    ASSERT_EQ(TKSSetMemberAttrValue(type, element, "String Justification", "LEFT"), TKS_OK);
    EXPECT_EQ(Join(Read(type, "String Justification", 3), Read(type, "String Justification", 1),
                   Read(type, "String Justification", 5)), "-112|LE|-112||0|LEFT");
    EXPECT_EQ(Read(type, "String Justification", 0).substr(0, 6), "-112|x");
}

