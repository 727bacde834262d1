// Creating Types, Elements and Lengths from their records.
#include <cstring>
#include <functional>

#include "repo_fixture.h"

namespace repo_test {
namespace {

struct TypeCase {
    const char* title;
    std::function<void(TypeDetails&)> change;
    int32_t expected;
};

void PrintTo(const TypeCase& c, std::ostream* out) { *out << c.title; }

class CreateTypeTest : public RepositoryTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(CreateTypeTest, AnswersByRecord) {
    TypeDetails record = TypeRecord("NEW_TYPE");
    GetParam().change(record);
    TKSHandle created = 12345;
    EXPECT_EQ(TKSCreateType(repository, &created, &record), GetParam().expected);
    if (GetParam().expected == TKS_OK) {
        EXPECT_NE(created, TKS_NO_HANDLE);
    } else {
        EXPECT_EQ(created, TKS_NO_HANDLE);
        TKSHandle found;
        EXPECT_EQ(TKSFindDefinition(repository, TKS_KIND_TYPE, &found, "NEW_TYPE"), TKS_NOT_FOUND);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, CreateTypeTest,
    ::testing::Values(
        TypeCase{"Structure", [](TypeDetails&) {}, TKS_OK},
        TypeCase{"SimpleInteger", [](TypeDetails& r) { r.typeClass = 1, r.simpleTypeCode = 4; }, TKS_OK},
        TypeCase{"SimpleBoolean", [](TypeDetails& r) { r.typeClass = 1, r.simpleTypeCode = 12; }, TKS_OK},
        TypeCase{"SimpleCodeUnknown", [](TypeDetails& r) { r.typeClass = 1, r.simpleTypeCode = 3; }, TKS_INVALID_TYPE},
        TypeCase{"SimpleCodeZero", [](TypeDetails& r) { r.typeClass = 1; }, TKS_INVALID_TYPE},
        TypeCase{"ClassTwo", [](TypeDetails& r) { r.typeClass = 2; }, TKS_INVALID_TYPE},
        TypeCase{"ClassZero", [](TypeDetails& r) { r.typeClass = 0; }, TKS_INVALID_TYPE},
        TypeCase{"SecondNameIgnored", [](TypeDetails& r) { std::strcpy(r.secondName, "OTHER"); }, TKS_OK},
        TypeCase{"EmptyName", [](TypeDetails& r) { r.name[0] = '\0'; }, TKS_INVALID_NAME},
        TypeCase{"NameWithoutNul", [](TypeDetails& r) { std::memset(r.name, 'A', sizeof r.name); }, TKS_INVALID_NAME},
        TypeCase{"HeaderCleared", [](TypeDetails& r) { std::memset(r.header, 0, sizeof r.header); },
                 TKS_INVALID_RECORD},
        TypeCase{"HeaderOfAnElement",
                 [](TypeDetails& r) {
                     ElementDetails element = ElementRecord("x", 0);
                     std::memcpy(r.header, element.header, sizeof r.header);
                 },
                 TKS_INVALID_RECORD}),
    [](const auto& info) { return std::string(info.param.title); });

class CreateTest : public RepositoryTest {};

TEST_F(CreateTest, LongestNameFits) {
    const std::string name(TKS_NAME_SIZE - 1, 'N');
    const TKSHandle type = MakeType(name.c_str());
    EXPECT_EQ(Identifier(type), name);
}

TEST_F(CreateTest, StructureForgetsASimpleCode) {
    TypeDetails record = TypeRecord("S_TYPE", TKS_TYPE_CLASS_STRUCTURE, 4);
    TKSHandle created;
    ASSERT_EQ(TKSCreateType(repository, &created, &record), TKS_OK);
    TypeDetails read;
    ASSERT_EQ(TKSGetDetails(created, 0, &read, sizeof read), TKS_OK);
    EXPECT_EQ(read.simpleTypeCode, 0);
    EXPECT_STREQ(read.secondName, "S_TYPE");
}

TEST_F(CreateTest, NameIsTakenByAnyKind) {
    MakeType("SHARED");
    TKSHandle created = TKS_NO_HANDLE;
    ElementDetails element = ElementRecord("SHARED", Simple("INTEGER"));
    LengthDetails length = LengthRecord("SHARED", 4);
    TypeDetails type = TypeRecord("SHARED");
    EXPECT_EQ(TKSCreateElement(repository, &created, &element), TKS_NAME_TAKEN);
    EXPECT_EQ(TKSCreateLengthID(repository, &created, &length), TKS_NAME_TAKEN);
    EXPECT_EQ(TKSCreateType(repository, &created, &type), TKS_NAME_TAKEN);
    EXPECT_EQ(created, TKS_NO_HANDLE);
    TypeDetails simple = TypeRecord("INTEGER");
    EXPECT_EQ(TKSCreateType(repository, &created, &simple), TKS_NAME_TAKEN);
}

TEST_F(CreateTest, NamesAreCaseSensitive) {
    const TKSHandle upper = MakeType("CASE");
    const TKSHandle lower = MakeElement("case", Simple("INTEGER"));
    EXPECT_NE(upper, lower);
    EXPECT_EQ(Find(TKS_KIND_TYPE, "CASE"), upper);
    EXPECT_EQ(Find(TKS_KIND_ELEMENT, "case"), lower);
}

struct ElementCase {
    const char* title;
    int32_t expected;
};

void PrintTo(const ElementCase& c, std::ostream* out) { *out << c.title; }

class CreateElementTest : public RepositoryTest, public ::testing::WithParamInterface<ElementCase> {
protected:
    // Each case names its Type and Length by title.
    ElementDetails Record() {
        const std::string title = GetParam().title;
        const TKSHandle length = MakeLength("SOME_LEN", 8);
        const TKSHandle integer = Simple("INTEGER");
        if (title == "NoTypeYet") return ElementRecord("e", 0);
        if (title == "TypeUnknown") return ElementRecord("e", integer + 100);
        if (title == "TypeIsALength") return ElementRecord("e", length);
        if (title == "LengthIsAType") return ElementRecord("e", integer, integer);
        if (title == "LengthUnknown") return ElementRecord("e", integer, length + 100);
        if (title == "StringWithLength") return ElementRecord("e", Simple("STRING"), length);
        return ElementRecord("e", integer);
    }
};

TEST_P(CreateElementTest, ChecksTheHandlesItNames) {
    ElementDetails record = Record();
    TKSHandle created = 1;
    EXPECT_EQ(TKSCreateElement(repository, &created, &record), GetParam().expected);
    EXPECT_EQ(created != TKS_NO_HANDLE, GetParam().expected == TKS_OK);
}

INSTANTIATE_TEST_SUITE_P(Handles, CreateElementTest,
                         ::testing::Values(ElementCase{"Integer", TKS_OK}, ElementCase{"NoTypeYet", TKS_OK},
                                           ElementCase{"StringWithLength", TKS_OK},
                                           ElementCase{"TypeUnknown", TKS_INVALID_TYPE},
                                           ElementCase{"TypeIsALength", TKS_INVALID_TYPE},
                                           ElementCase{"LengthIsAType", TKS_INVALID_LENGTH},
                                           ElementCase{"LengthUnknown", TKS_INVALID_LENGTH}),
                         [](const auto& info) { return std::string(info.param.title); });

TEST_F(CreateTest, ElementCannotNameAnotherRepositorysType) {
    TKSHandle other;
    ASSERT_EQ(TKSOpenRepository(":memory:", &other), TKS_OK);
    TKSHandle foreign;
    ASSERT_EQ(TKSFindDefinition(other, TKS_KIND_TYPE, &foreign, "INTEGER"), TKS_OK);
    EXPECT_NE(foreign, Simple("INTEGER"));
    ElementDetails record = ElementRecord("e", foreign);
    TKSHandle created;
    EXPECT_EQ(TKSCreateElement(repository, &created, &record), TKS_INVALID_TYPE);
    EXPECT_EQ(TKSCloseRepository(other), TKS_OK);
}

TEST_F(CreateTest, LengthValueIsNotNegative) {
    TKSHandle created;
    LengthDetails negative = LengthRecord("NEG_LEN", -1);
    LengthDetails zero = LengthRecord("ZERO_LEN", 0);
    EXPECT_EQ(TKSCreateLengthID(repository, &created, &negative), TKS_INVALID_VALUE);
    EXPECT_EQ(TKSCreateLengthID(repository, &created, &zero), TKS_OK);
}

TEST_F(CreateTest, BadArgumentsAreRefused) {
    TypeDetails record = TypeRecord("T");
    TKSHandle created = 7;
    EXPECT_EQ(TKSCreateType(repository, nullptr, &record), TKS_NULL_ARGUMENT);
    EXPECT_EQ(TKSCreateType(repository, &created, nullptr), TKS_NULL_ARGUMENT);
    EXPECT_EQ(created, 7u) << "a null record is refused before the handle is touched";
    EXPECT_EQ(TKSCreateType(TKS_NO_HANDLE, &created, &record), TKS_INVALID_REPOSITORY);
    EXPECT_EQ(TKSCreateType(repository + 1, &created, &record), TKS_INVALID_REPOSITORY);
    EXPECT_EQ(TKSCreateType(Simple("INTEGER"), &created, &record), TKS_INVALID_REPOSITORY);
    EXPECT_EQ(created, TKS_NO_HANDLE);
}

TEST_F(CreateTest, HandlesFollowCreationAndAreNeverReused) {
    const TKSHandle first = MakeType("FIRST");
    const TKSHandle second = MakeType("SECOND");
    EXPECT_GT(second, first);
    ASSERT_EQ(TKSDelete(second), TKS_OK);
    const TKSHandle third = MakeType("THIRD");
    EXPECT_GT(third, second);
}

}  // namespace
}  // namespace repo_test
