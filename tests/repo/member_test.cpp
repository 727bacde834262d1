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
    std::string Member(TKSHandle of, TKSHandle member) {
        MemberDetails record;
        const int32_t result = TKSGetMemberDetails(of, member, &record, sizeof record);
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
}

TEST_F(MemberTest, InsertChecksItsArgumentsAndRepository) {
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
    EXPECT_EQ(Member(type, element), "-4");
    ASSERT_EQ(TKSInsertMember(type, element, -1, &record), TKS_OK);
    EXPECT_EQ(TKSInsertMember(type, element, -1, &record), TKS_ALREADY_MEMBER);
    EXPECT_EQ(Walk(0, type), "count 0");
    Insert(type, MakeElement("self", type));
    EXPECT_EQ(TKSIsComplete(type), 1) << "a Type may hold an Element of itself";
    // Repositories stay apart even where they hold the same objects under the same numbers.
    TKSHandle other, twinType, twin, next = 9;
    ASSERT_EQ(TKSOpenRepository(":memory:", &other), TKS_OK);
    ASSERT_EQ(Create(other, TypeRecord("REC_TYPE"), twinType), TKS_OK);
    ASSERT_EQ(Create(other, ElementRecord("count", 0), twin), TKS_OK);
    EXPECT_EQ(TKSInsertMember(type, twin, -1, &record), TKS_NOT_FOUND);
    EXPECT_EQ(Member(type, twin) + Member(twinType, element) + Member(element, type), "-4-4-104");
    EXPECT_EQ(TKSGetNextDefinition(twin, type, &next, 1, 1), TKS_NOT_FOUND);
    EXPECT_EQ(TKSSetMemberAttrValue(type, twin, "Length", "1"), TKS_NOT_FOUND);
    EXPECT_EQ(Create(repository, ElementRecord("e", twinType), next), TKS_INVALID_TYPE);
    EXPECT_EQ(TKSCloseRepository(other), TKS_OK);
}

TEST_F(MemberTest, AttributesTakeOnlyValidNamesAndValues) {
    Insert(type, element);
    const char *p = "Physical Type", *r = "Repeat Count", *l = "Length", *s = "Signed";
    const char* j = "String Justification";
    const struct { const char* name; const char* value; int32_t expected; } cases[] = {
        {p, "3", 0}, {p, "-12", 0}, {p, "007", 0}, {p, "2147483647", 0}, {p, "-2147483648", 0},
        {p, "2147483648", -80}, {p, "", -80}, {p, "12a", -80}, {p, " 1", -80}, {p, "+1", -80},
        {p, "-", -80}, {r, "10", 0}, {r, "ten", -80}, {r, "1.5", -80}, {l, "255", 0},
        {l, "0x10", -80}, {s, "0", 0}, {s, "1", 0}, {s, "2", -80}, {s, "01", -80}, {s, "", -80},
        {j, "R", 0}, {j, "", 0}, {"physical type", "1", -78}, {"Repeat count", "1", -78},
        {"Length ", "1", -78}, {"Colour", "1", -78}, {"", "1", -78},
        {"String Justification and more", "L", -78}};
    std::map<std::string, std::string> held = {{j, "0|L"}};
    for (const auto& [name, value, expected] : cases) {
        EXPECT_EQ(TKSSetMemberAttrValue(type, element, name, value), expected) << name << value;
        if (expected == TKS_OK) held[name] = Join(0, value);
        EXPECT_EQ(Read(type, name), held.count(name) ? held[name] : Join(expected, ""));
    }
    const std::string value(TKS_ATTR_VALUE_SIZE - 1, 'J');  // the longest that ends in its buffer
    EXPECT_EQ(TKSSetMemberAttrValue(type, element, "Signed", (value + 'J').c_str()), -80);
    EXPECT_EQ(TKSSetMemberAttrValue(type, element, j, value.c_str()), 0);
    EXPECT_EQ(Read(type, j), Join(0, value));
    // A new membership holds only the justification.
    const TKSHandle other = MakeType("OTHER_TYPE"), stranger = MakeElement("x", 0);
    Insert(other, element);
    EXPECT_EQ(Read(other, j), "0|L");
    EXPECT_EQ(Read(other, p) + Read(other, r) + Read(other, l) + Read(other, s), "-4|-4|-4|-4|")
        << "a failed read leaves the empty text";
    char text[8];
    EXPECT_EQ(TKSGetMemberAttrValue(type, stranger, "Signed", text, 8), TKS_NOT_FOUND);
    EXPECT_EQ(TKSSetMemberAttrValue(type, stranger, "Length", "1"), TKS_NOT_FOUND);
    // A small buffer gets the text cut short; a buffer of no bytes is not written.
    ASSERT_EQ(TKSSetMemberAttrValue(type, element, j, "LEFT"), TKS_OK);
    EXPECT_EQ(Join(Read(type, j, 3), Read(type, j, 1), Read(type, j, 5)), "-112|LE|-112||0|LEFT");
    EXPECT_EQ(Read(type, j, 0).substr(0, 6), "-112|x");
}

