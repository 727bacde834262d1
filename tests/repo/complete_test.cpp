// Which objects the repository considers complete.
#include "repo_fixture.h"

namespace repo_test {
namespace {

struct CompleteCase {
    const char* title;
    int32_t expected;
};

void PrintTo(const CompleteCase& c, std::ostream* out) { *out << c.title; }

class CompleteTest : public RepositoryTest, public ::testing::WithParamInterface<CompleteCase> {
protected:
    TKSHandle Subject() {
        const std::string title = GetParam().title;
        if (title == "SimpleType") return Simple("FLOAT");
        if (title == "StructureWithoutMembers") return MakeType("EMPTY_TYPE");
        if (title == "StructureWithAMember") {
            const TKSHandle type = MakeType("REC_TYPE");
            Insert(type, MakeElement("m", Simple("INTEGER")));
            return type;
        }
        if (title == "ElementWithType") return MakeElement("e", Simple("INTEGER"));
        if (title == "ElementWithoutType") return MakeElement("e", 0);
        if (title == "ElementWithoutTypeButLength") return MakeElement("e", 0, MakeLength("E_LEN", 3));
        if (title == "StringElementWithoutLength") return MakeElement("e", Simple("STRING"));
        if (title == "StringElementWithLength") return MakeElement("e", Simple("STRING"), MakeLength("E_LEN", 3));
        if (title == "ElementOfStructureType") return MakeElement("e", MakeType("EMPTY_TYPE"));
        if (title == "LengthZero") return MakeLength("Z_LEN", 0);
        if (title == "LengthOne") return MakeLength("O_LEN", 1);
        if (title == "NoHandle") return TKS_NO_HANDLE;
        if (title == "RepositoryHandle") return repository;
        return Simple("FLOAT") + 500;  // UnknownHandle
    }
};

TEST_P(CompleteTest, AnswersByKindAndContent) { EXPECT_EQ(TKSIsComplete(Subject()), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Objects, CompleteTest,
    ::testing::Values(CompleteCase{"SimpleType", 1}, CompleteCase{"StructureWithoutMembers", 0},
                      CompleteCase{"StructureWithAMember", 1}, CompleteCase{"ElementWithType", 1},
                      CompleteCase{"ElementWithoutType", 0}, CompleteCase{"ElementWithoutTypeButLength", 0},
                      CompleteCase{"StringElementWithoutLength", 0}, CompleteCase{"StringElementWithLength", 1},
                      CompleteCase{"ElementOfStructureType", 1}, CompleteCase{"LengthZero", 0},
                      CompleteCase{"LengthOne", 1}, CompleteCase{"NoHandle", 0}, CompleteCase{"RepositoryHandle", 0},
                      CompleteCase{"UnknownHandle", 0}),
    [](const auto& info) { return std::string(info.param.title); });

}  // namespace
}  // namespace repo_test
