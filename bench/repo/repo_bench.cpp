// What a large import asks of the repository: per member, look its Element up
// by name, create it, insert it into a structure Type (a new Type every ten
// members, also looked up first), set three attributes, and read the Element
// and one attribute back.  The repository already holds N objects; the same
// 10,000 member imports are timed at each N, so calls per second at 10,000
// and at 100,000 objects show whether the cost per call grows.  The changes
// are committed every 1,000 members, inside the timing: the repository writes
// a unit of work's changes to the database at its commit.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "peak_memory.h"
#include "tksbeapi_host.h"

namespace repo_bench {
namespace {

constexpr int kMembersPerType = 10;
constexpr int kTimedMembers = 10000;
constexpr int kMembersPerCommit = 1000;

// Makes one object per call of the importer's kind, counting the calls.
class Importer {
public:
    explicit Importer(TKSHandle repository) : repository_(repository) {
        Call(TKSFindDefinition(repository_, TKS_KIND_TYPE, &integer_, "INTEGER"));
    }

    // Imports one member named by number; a new Type opens every ten members.
    void ImportMember(int number) {
        if (number % kMembersPerType == 0) OpenType(number / kMembersPerType);
        std::snprintf(name_, sizeof name_, "member_%d", number);
        TKSHandle element = TKS_NO_HANDLE;
        Expect(TKSFindDefinition(repository_, TKS_KIND_ELEMENT, &element, name_), TKS_NOT_FOUND);
        ElementDetails record;
        Call(TKSGetDefaultDetails(TKS_KIND_ELEMENT, &record, sizeof record));
        Named(record.name, record.secondName);
        record.typeHandle = static_cast<int32_t>(integer_);
        Call(TKSCreateElement(repository_, &element, &record));
        MemberDetails member;
        Call(TKSGetDefaultMemberDetails2(type_, element, -1, &member, sizeof member));
        Call(TKSInsertMember(type_, element, -1, &member));
        Call(TKSSetMemberAttrValue(type_, element, "Physical Type", "4"));
        Call(TKSSetMemberAttrValue(type_, element, "Length", "4"));
        Call(TKSSetMemberAttrValue(type_, element, "Signed", "1"));
        Call(TKSGetDetails(element, 0, &record, sizeof record));
        Call(TKSGetMemberAttrValue(type_, element, "Physical Type", value_, sizeof value_));
    }

    int64_t Calls() const { return calls_; }
    bool Failed() const { return failed_; }

private:
    void OpenType(int number) {
        std::snprintf(name_, sizeof name_, "STRUCT_%d_TYPE", number);
        Expect(TKSFindDefinition(repository_, TKS_KIND_TYPE, &type_, name_), TKS_NOT_FOUND);
        TypeDetails record;
        Call(TKSGetDefaultDetails(TKS_KIND_TYPE, &record, sizeof record));
        Named(record.name, record.secondName);
        Call(TKSCreateType(repository_, &type_, &record));
    }
    void Named(char* name, char* secondName) {
        std::strcpy(name, name_);
        std::strcpy(secondName, name_);
    }
    void Call(int32_t result) { Expect(result, TKS_OK); }
    void Expect(int32_t result, int32_t expected) {
        ++calls_;
        failed_ = failed_ || result != expected;
    }

    TKSHandle repository_;
    TKSHandle integer_ = TKS_NO_HANDLE;
    TKSHandle type_ = TKS_NO_HANDLE;
    char name_[64] = {};
    char value_[TKS_ATTR_VALUE_SIZE] = {};
    int64_t calls_ = 0;
    bool failed_ = false;
};

// Arguments: objects already in the repository, 1 for a file repository.
void ImportCalls(benchmark::State& state) {
    const int objects = static_cast<int>(state.range(0));
    const bool inFile = state.range(1) != 0;
    const std::string path = inFile ? "repo_bench.repo" : ":memory:";
    if (inFile) {
        std::filesystem::remove(path);
        std::filesystem::remove(path + "-journal");
    }
    sqlite3_memory_highwater(1);
    TKSHandle repository = TKS_NO_HANDLE;
    if (TKSOpenRepository(path.c_str(), &repository) != TKS_OK || TKSBeginWork(repository) != TKS_OK) {
        state.SkipWithError("cannot open the repository");
        return;
    }
    // Each member import makes one Element and, every ten, one Type.
    Importer importer(repository);
    const int fillMembers = objects * kMembersPerType / (kMembersPerType + 1);
    for (int number = 0; number < fillMembers; ++number) importer.ImportMember(number);
    const int64_t fillCalls = importer.Calls();
    bool committed = TKSCommitWork(repository) == TKS_OK && TKSBeginWork(repository) == TKS_OK;

    int number = fillMembers + kMembersPerType - fillMembers % kMembersPerType;
    int made = 0;
    for (auto _ : state) {
        importer.ImportMember(number++);
        if (++made % kMembersPerCommit == 0)
            committed = committed && TKSCommitWork(repository) == TKS_OK && TKSBeginWork(repository) == TKS_OK;
    }
    if (!committed) state.SkipWithError("a unit of work failed");

    if (importer.Failed()) state.SkipWithError("a repository call failed");
    state.counters["calls"] = benchmark::Counter(static_cast<double>(importer.Calls() - fillCalls));
    state.counters["calls_per_s"] =
        benchmark::Counter(static_cast<double>(importer.Calls() - fillCalls), benchmark::Counter::kIsRate);
    state.counters["sqlite_peak_MiB"] = static_cast<double>(sqlite3_memory_highwater(0)) / (1 << 20);
    state.counters["process_peak_MiB"] = static_cast<double>(bench_support::PeakResidentBytes()) / (1 << 20);
    TKSCommitWork(repository);
    TKSCloseRepository(repository);
}

BENCHMARK(ImportCalls)
    ->ArgNames({"objects", "file"})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Iterations(kTimedMembers)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace repo_bench

BENCHMARK_MAIN();
