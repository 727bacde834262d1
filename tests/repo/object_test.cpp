// Objects: records, refusals, creating, finding, completeness and deleting.  The tables give the
// codes of tksbeapi.h and tksbeapi_host.h as numbers.
#include "repo_fixture.h"

using namespace repo_test;

// Each call checks its pointers first, then its repository or handles, then the rest; a refused
// call leaves the caller's record alone, and its buffer and handle empty.
TEST_F(RepositoryTest, CallsRefuseBadArguments) {
    const TKSHandle type = MakeType("LONG_NAME_TYPE"), element = MakeElement("e", 0);
    TypeDetails record = TypeRecord("T");
    MemberDetails member;
    std::string buffer(900, 'x');
    char* text = buffer.data();
    TKSHandle out = 7;
    const int32_t nulls[] = {
        TKSGetDefaultDetails(104, nullptr, 580), TKSGetDetails(type, 0, nullptr, 580),
        TKSFindDefinition(repository, 104, nullptr, "T"),
        TKSFindDefinition(repository, 104, &out, 0), TKSCreateType(repository, nullptr, &record),
        TKSCreateType(repository, &out, nullptr),
        TKSGetFirstDefinition(repository, 104, nullptr, 0), TKSGetNextDefinition(type, 0, 0, 1, 0),
        TKSGetDefaultMemberDetails2(type, element, -1, nullptr, 316),
        TKSInsertMember(type, element, -1, nullptr), TKSGetMemberDetails(type, element, 0, 316),
        TKSSetMemberAttrValue(type, element, nullptr, "1"),
        TKSSetMemberAttrValue(type, element, "L", 0),
        TKSGetMemberAttrValue(type, element, nullptr, text, 8),
        TKSGetMemberAttrValue(type, element, "Length", nullptr, 8),
        TKSGetIdentifier(type, nullptr, 8), TKSOpenRepository(nullptr, &out),
        TKSOpenRepository(":memory:", nullptr)};
    for (int32_t answer : nulls) EXPECT_EQ(answer, TKS_NULL_ARGUMENT) << &answer - nulls;
    EXPECT_EQ(out, 7u) << "a null argument is refused before the handle is touched";
    for (TKSHandle closed : {TKS_NO_HANDLE, repository + 1, type}) {
        const int32_t codes[] = {
            TKSCreateType(closed, &out, &record), TKSFindDefinition(closed, 104, &out, "INTEGER"),
            TKSGetFirstDefinition(closed, 104, &out, 0), TKSBeginWork(closed),
            TKSCommitWork(closed), TKSRollbackWork(closed), TKSCloseRepository(closed)};
        for (int32_t code : codes) EXPECT_EQ(code, TKS_INVALID_REPOSITORY) << &code - codes;
        EXPECT_EQ(out, TKS_NO_HANDLE);
    }
    for (TKSHandle unknown : {TKS_NO_HANDLE, repository, type + 99, 0xFFFFFFFFu}) {
        EXPECT_EQ(Join(Details<TypeDetails>(unknown), Identifier(unknown), TKSDelete(unknown),
                       TKSIsComplete(unknown), TKSGetNextDefinition(unknown, 0, &out, 1, 0),
                       TKSGetDefaultMemberDetails2(unknown, element, -1, &member, 316),
                       TKSInsertMember(type, unknown, -1, &member),
                       TKSSetMemberAttrValue(unknown, element, "L", "")),
                  "-4||-4|0|-4|-4|-4|-4");
        EXPECT_EQ(out, TKS_NO_HANDLE);
    }
    const int32_t sizes[][2] = {
        {TKSGetDefaultMemberDetails2(type, element, -1, &member, 315), -102},
        {TKSGetMemberDetails(type, element, &member, 315), -102},
        {TKSGetFirstDefinition(repository, 200, &out, 0), -105},
        {TKSOpenRepository("no-such-folder/x", &out), -116}, {TKSOpenRepository("", &out), -103},
        {TKSInsertMember(type, element, -1, &record), -106},
        {TKSGetDefaultDetails(104, text, 579), -102}, {TKSGetDefaultDetails(103, text, 831), -102},
        {TKSGetDefaultDetails(107, text, 571), -102}, {TKSGetDefaultDetails(105, text, 832), -105},
        {TKSGetDefaultDetails(107, text, -1), -102}, {TKSGetDefaultDetails(0, text, 832), -105},
        {TKSGetDetails(type, 0, text, 579), -102}, {TKSGetIdentifier(type, text, -3), -112},
        {TKSGetIdentifier(type, text, 0), -112}};
    for (const auto& [answer, expected] : sizes) EXPECT_EQ(answer, expected) << &answer - sizes[0];
    EXPECT_EQ(buffer, std::string(900, 'x'));
    EXPECT_EQ(TKSGetDefaultDetails(TKS_KIND_TYPE, text, 900), TKS_OK);
    EXPECT_EQ(buffer.find('x'), sizeof(TypeDetails)) << "no byte past the record is written";
    EXPECT_EQ(Fields(Named<TypeDetails>(104, "")) + ' ' + Fields(Named<ElementDetails>(103, "")) +
                  ' ' + Fields(Named<LengthDetails>(107, "")), "||3|0 ||0|0 ||0");
    // A small buffer gets the name cut short.
    EXPECT_EQ(Join(TKSGetIdentifier(type, text, 5), text), "-112|LONG");
    EXPECT_EQ(Join(TKSGetIdentifier(type, text, 1), text), "-112|");
}

// Each record is tried alone: what it creates is deleted again.
TEST_F(RepositoryTest, CreateTypeAnswersByRecord) {
    using Change = void (*)(TypeDetails&);  // expected: the Type's fields, or the code
    const struct { int32_t typeClass, code; Change change; const char* expected; } cases[] = {
        {3, 0, {}, "NEW|NEW|3|0"}, {3, 4, {}, "NEW|NEW|3|0"}, {1, 4, {}, "NEW|NEW|1|4"},
        {1, 12, {}, "NEW|NEW|1|12"}, {1, 3, {}, "-14"}, {1, 0, {}, "-14"}, {2, 0, {}, "-14"},
        {0, 0, {}, "-14"}, {3, 0, [](TypeDetails& r) { r.secondName[0] = 'X'; }, "NEW|NEW|3|0"},
        {3, 0, [](TypeDetails& r) { r.name[0] = '\0'; }, "-103"},
        {3, 0, [](TypeDetails& r) { std::memset(r.name, 'A', sizeof r.name); }, "-103"},
        {3, 0, [](TypeDetails& r) { std::memset(r.header, 0, sizeof r.header); }, "-106"},
        {3, 0, [](TypeDetails& r) { r.header[0] ^= 1; }, "-106"},
        {3, 0, [](TypeDetails& r) { std::memcpy(&r, ElementRecord("", 0).header, 24); }, "-106"}};
    for (const auto& c : cases) {
        TypeDetails record = TypeRecord("NEW", c.typeClass, c.code);
        if (c.change) c.change(record);
        TKSHandle created = 12345, found;
        const int32_t result = TKSCreateType(repository, &created, &record);
        EXPECT_EQ(result ? std::to_string(result) : Details<TypeDetails>(created), c.expected);
        EXPECT_EQ(Join(created == TKS_NO_HANDLE, TKSDelete(created)), result ? "1|-4" : "0|0");
        EXPECT_EQ(TKSFindDefinition(repository, TKS_KIND_TYPE, &found, "NEW"), TKS_NOT_FOUND);
    }
}

TEST_F(RepositoryTest, CreateElementAndLengthThenFind) {
    const TKSHandle integer = Simple("INTEGER"), length = Make(LengthRecord("SOME_LEN", 8));
    const struct { TKSHandle type, length; int32_t expected; } cases[] = {
        {integer, 0, 0}, {0, 0, 0}, {Simple("STRING"), length, 0}, {integer + 9, 0, -14},
        {length, 0, -14}, {integer, integer, -108}, {integer, length + 9, -108}};
    for (const auto& [type, length, expected] : cases) {
        TKSHandle created = 1;
        const int32_t result = Create(repository, ElementRecord("e", type, length), created);
        EXPECT_EQ(result ? std::to_string(result) : Details<ElementDetails>(created),
                  expected ? std::to_string(expected) : Join("e|e", type, length));
        EXPECT_EQ(TKSDelete(created), result ? TKS_NOT_FOUND : TKS_OK);
    }
    TKSHandle created;
    EXPECT_EQ(Join(Create(repository, LengthRecord("NEG_LEN", -1), created),
                   Details<LengthDetails>(length)), "-113|SOME_LEN|SOME_LEN|8");
    Make(LengthRecord("ZERO_LEN", 0));
    // A name is taken by an object of any kind; names differ by case.
    MakeElement("case", 0);
    EXPECT_EQ(Create(repository, LengthRecord("case", 4), created), TKS_NAME_TAKEN);
    EXPECT_EQ(Create(repository, ElementRecord("INTEGER", 0), created), TKS_NAME_TAKEN);
    MakeType("CASE");
    // Finding answers by kind and name.
    std::string tooLong(TKS_NAME_SIZE, 'A'), longest(TKS_NAME_SIZE - 1, 'A');
    const struct { int32_t kind; const char* name; int32_t expected; } names[] = {
        {104, "INTEGER", 0}, {104, "BOOLEAN", 0}, {103, "case", 0}, {107, "ZERO_LEN", 0},
        {103, "INTEGER", -4}, {104, "case", -4}, {104, "integer", -4}, {103, "Case", -4},
        {104, "", -4}, {104, longest.c_str(), -4}, {104, tooLong.c_str(), -103},
        {105, "INTEGER", -105}};
    for (const auto& [kind, name, expected] : names) {
        TKSHandle found = 99;
        EXPECT_EQ(TKSFindDefinition(repository, kind, &found, name), expected) << name;
        EXPECT_EQ(Identifier(found), expected ? "" : name);
    }
}

TEST_F(RepositoryTest, CompleteByKindAndContent) {
    const TKSHandle integer = Simple("INTEGER"), string = Simple("STRING");
    const TKSHandle full = MakeType("FULL_TYPE"), empty = MakeType("EMPTY_TYPE");
    Insert(full, MakeElement("m", integer));
    const TKSHandle length = Make(LengthRecord("E_LEN", 3));
    const TKSHandle cases[][2] = {
        {Simple("FLOAT"), 1}, {empty, 0}, {full, 1}, {MakeElement("a", integer), 1},
        {MakeElement("b", 0), 0}, {MakeElement("c", 0, length), 0}, {MakeElement("d", string), 0},
        {MakeElement("e", string, length), 1}, {MakeElement("f", empty), 1},
        {Make(LengthRecord("Z_LEN", 0)), 0}, {Make(LengthRecord("O_LEN", 1)), 1}};
    for (const auto& [object, expected] : cases) {
        EXPECT_EQ(TKSIsComplete(object), int32_t(expected)) << Identifier(object);
    }
}

// REC_TYPE holds a STRING Element of a Length, and is the Type of another Element.
TEST_F(RepositoryTest, DeleteRefusesWhatIsInUse) {
    const TKSHandle length = Make(LengthRecord("NAME_LEN", 12)), type = MakeType("REC_TYPE");
    const TKSHandle member = MakeElement("name", Simple("STRING"), length);
    Insert(type, member);
    const TKSHandle user = MakeElement("rec", type);
    for (TKSHandle object : {member, type, length, Simple("STRING")}) {
        const std::string name = Identifier(object);
        EXPECT_EQ(TKSDelete(object), TKS_IN_USE) << name;
        EXPECT_EQ(Identifier(object) + ' ' + Walk(0, type), name + " name 0");
    }
    ASSERT_EQ(TKSDelete(user), TKS_OK);
    EXPECT_EQ(Join(Details<ElementDetails>(user), TKSDelete(user), Identifier(user)), "-4|-4|");
    EXPECT_GT(MakeElement("rec", 0), user) << "the name is free again, the handle is not";
    ASSERT_EQ(TKSBeginWork(repository), TKS_OK);  // made and removed inside a unit of work
    const TKSHandle brief = MakeElement("brief", 0);
    ASSERT_EQ(TKSDelete(brief), TKS_OK);
    ASSERT_EQ(TKSCommitWork(repository), TKS_OK);
    EXPECT_GT(MakeElement("after", 0), brief) << "a number given inside a unit of work stays given";
    ASSERT_EQ(TKSDelete(type), TKS_OK);
    EXPECT_EQ(TKSDelete(member), TKS_OK) << "no longer a member of anything";
    EXPECT_EQ(TKSDelete(length), TKS_OK) << "no longer used by an Element";
    EXPECT_EQ(Walk(0, MakeType("REC_TYPE")), "-4") << "a new Type of the name starts empty";
}
