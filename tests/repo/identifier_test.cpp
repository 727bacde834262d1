// Reading an object's identifier into a caller's buffer.
#include <cstring>

#include "repo_fixture.h"

namespace repo_test {
namespace {

class IdentifierTest : public RepositoryTest {};

TEST_F(IdentifierTest, GivesTheName) {
    char buffer[TKS_NAME_SIZE];
    EXPECT_EQ(TKSGetIdentifier(MakeLength("DEFAULT_CHAR_LEN", 1), buffer, sizeof buffer), TKS_OK);
    EXPECT_STREQ(buffer, "DEFAULT_CHAR_LEN");
}

TEST_F(IdentifierTest, SmallBufferGetsTheNameCutShort) {
    const TKSHandle type = MakeType("LONG_NAME_TYPE");
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(TKSGetIdentifier(type, buffer, 5), TKS_BUFFER_TOO_SMALL);
    EXPECT_STREQ(buffer, "LONG");
    EXPECT_EQ(TKSGetIdentifier(type, buffer, 0), TKS_BUFFER_TOO_SMALL);
    EXPECT_STREQ(buffer, "LONG") << "a buffer of no bytes is not written";
    EXPECT_EQ(TKSGetIdentifier(type, buffer, -3), TKS_BUFFER_TOO_SMALL);
}

TEST_F(IdentifierTest, UnknownHandleLeavesTheEmptyText) {
    char buffer[16] = "previous";
    EXPECT_EQ(TKSGetIdentifier(TKS_NO_HANDLE, buffer, sizeof buffer), TKS_NOT_FOUND);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(TKSGetIdentifier(Simple("INTEGER"), nullptr, 16), TKS_NULL_ARGUMENT);
}

}  // namespace
}  // namespace repo_test
