// DoCImport end to end on an arbitrary header, imported twice (the second
// time over what the first made) into a fresh in-memory stand-in repository,
// each import in a unit of work kept only when it succeeded; after each, the
// repository must agree with the messages and hold no dangling reference.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cimport.h"
#include "tests/support/import_invariants.h"
#include "tksbeapi_host.h"
#include "work_dir.h"

namespace {

void Collect(void* messages, const char* text) {
    static_cast<test_support::Messages*>(messages)->push_back(text);
}

void ImportOnce(TKSHandle repository) {
    std::string problems;
    const test_support::Census before = test_support::TakeCensus(repository, problems);
    test_support::Messages messages;
    if (TKSBeginWork(repository) != TKS_OK) std::abort();
    const int32_t rc = DoCImport(repository, "fuzz.h", 0, 0, 0, 0, "", 0, 0, 1, Collect, &messages);
    if ((rc == 0 ? TKSCommitWork(repository) : TKSRollbackWork(repository)) != TKS_OK) std::abort();
    problems += test_support::CheckImport(repository, before, messages, rc == 0);
    if (problems.empty()) return;
    std::fprintf(stderr, "broken invariant: %s\n", problems.c_str());
    for (const std::string& m : messages) std::fprintf(stderr, "  | %s\n", m.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterWorkDir("import");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("fuzz.h", std::string(reinterpret_cast<const char*>(data), size));
    TKSHandle repository = 0;
    if (TKSOpenRepository(":memory:", &repository) != TKS_OK) std::abort();
    ImportOnce(repository);
    ImportOnce(repository);
    TKSCloseRepository(repository);
    return 0;
}
