// Every repository call of an import made to fail in turn, by its position in
// the sequence of calls, with each code the repository gives and one it never
// gives: the import still ends, and what it leaves agrees with its messages.
#include <gtest/gtest.h>

#include <cstdio>

#include "cimport.h"
#include "repository_double.h"
#include "store_api.h"
#include "tests/support/file_bytes.h"
#include "tests/support/import_invariants.h"

namespace {

// A first import (creation, Lengths, nested structures, pointer members and
// the rollback), then one over what it made (reuse and numbered names).
const char* const kHeaders[] = {
    "struct S { int a; char name[20]; unsigned char raw[4]; struct in { short v[3]; char c; } in; "
    "float f; };\n"
    "struct Y { int q; struct Z { int q; } z; int *p; int r; };\n",
    "struct S { long a; char name[8]; struct in { short v[3]; char c; } in; };\n"
    "struct T { struct S s[2]; char name[20]; int q; };\n",
};
const int32_t kCodes[] = {TKS_NOT_FOUND,         TKS_NAME_TAKEN,         TKS_ALREADY_MEMBER,
                          TKS_INVALID_ATTR_NAME, TKS_INVALID_ATTR_VALUE, -999};

void Collect(void* messages, const char* text) {
    static_cast<test_support::Messages*>(messages)->push_back(text);
}

std::vector<std::string> callsMade;  // by the latest import

// One import of header in a unit of work that is rolled back afterwards (or
// kept); a fault at position (0: none) with code.  Returns the problems found.
// calls: the calls of the import without a fault.
std::string Import(TKSHandle repository, const char* header, std::size_t position, int32_t code,
                   const std::vector<std::string>& calls = {}, bool keep = false) {
    test_support::WriteFileBytes("fail.h", header);
    std::string problems;
    const test_support::Census before = test_support::TakeCensus(repository, problems);
    EXPECT_EQ(tks::api::BeginWork(repository), 0);
    repo_double::Reset();
    repo_double::ArmCallAt(position, code);
    test_support::Messages messages;
    const int32_t rc = DoCImport(repository, "fail.h", 0, 0, 0, 0, "", 0, 0, 1, Collect, &messages);
    callsMade = repo_double::Log();
    repo_double::Reset();
    if (rc != 0 && rc != -1) problems += "result " + std::to_string(rc) + "; ";
    // A Length's default record read for its creation is counted when it fails.
    const bool silent = position > 0 && position < calls.size() &&
                        calls[position - 1] == "GetDefaultDetails 107 572" &&
                        calls[position].rfind("CreateLengthID", 0) == 0;
    problems += test_support::CheckImport(repository, before, messages, true, silent ? 1 : 0);
    if (!problems.empty())
        for (const std::string& m : messages) problems += "\n  | " + m;
    EXPECT_EQ(keep ? tks::api::CommitWork(repository) : tks::api::RollbackWork(repository), 0);
    return problems;
}

TEST(RepositoryFailures, EveryCallFailsInTurnWithEveryCode) {
    TKSHandle repository = 0;
    ASSERT_EQ(tks::api::OpenRepository(":memory:", &repository), 0);
    int cases = 0;
    for (const char* header : kHeaders) {
        ASSERT_EQ(Import(repository, header, 0, 0), "");
        const std::vector<std::string> calls = callsMade;
        for (std::size_t position = 1; position <= calls.size(); ++position) {
            for (const int32_t code : kCodes) {
                ++cases;
                const std::string problems = Import(repository, header, position, code, calls);
                EXPECT_EQ(problems, "") << "call " << position << " failing with " << code;
            }
        }
        Import(repository, header, 0, 0, calls, true);
    }
    std::printf("%d failure cases ran\n", cases);
    tks::api::CloseRepository(repository);
}

}  // namespace
