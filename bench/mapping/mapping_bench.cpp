// Imports a generated declaration tree: N structures of 20 members each, with
// scalars, character strings, binary arrays, repeating members, Element
// names shared by every structure and a member typed by the previous
// structure.  Time per member must stay flat from N = 2,500 to 10,000.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cimp/import_context.h"
#include "cimp/mapping/mapping.h"
#include "peak_memory.h"
#include "tksbeapi_host.h"

namespace {

constexpr int kMembersPerStructure = 20;

void CountMessage(void* context, const char*) { ++*static_cast<int64_t*>(context); }

struct MemberShape {
    const char* type;
    int32_t repeat;
    int32_t length;
    int32_t isSigned;
};

// Member j of every structure; even members share their name across structures.
MemberShape ShapeOf(int j) {
    switch (j % 5) {
        case 0: return {"int", 0, 0, 1};
        case 1: return {"char", 0, 8 + j, 1};
        case 2: return {"short", 4, 0, 0};
        case 3: return {"double", 0, 0, 1};
        default: return {"char", 0, 16, 0};
    }
}

// The tree lives in one vector; links point into it.
std::vector<cimp::DeclNode> MakeTree(int structures) {
    std::vector<cimp::DeclNode> nodes(static_cast<std::size_t>(structures) * (kMembersPerStructure + 1));
    std::size_t next = 0;
    cimp::DeclNode* previous = nullptr;
    for (int i = 0; i < structures; ++i) {
        cimp::DeclNode& s = nodes[next++];
        s.name = s.tag = s.typeName = "S" + std::to_string(i);
        s.level = 1;
        s.kind = cimp::kStructureNode;
        if (previous != nullptr) previous->nextSibling = &s;
        previous = &s;
        cimp::DeclNode** link = &s.firstChild;
        for (int j = 0; j < kMembersPerStructure; ++j) {
            cimp::DeclNode& m = nodes[next++];
            const bool last = j == kMembersPerStructure - 1 && i > 0;
            const MemberShape shape = ShapeOf(j);
            m.name = (j % 2 == 0) ? "f" + std::to_string(j) : "s" + std::to_string(i) + "_f" + std::to_string(j);
            m.typeName = last ? "S" + std::to_string(i - 1) : shape.type;
            m.repeatCount = last ? 0 : shape.repeat;
            m.length = last ? 0 : shape.length;
            m.isSigned = last ? 1 : shape.isSigned;
            m.level = 2;
            m.kind = cimp::kMemberNode;
            *link = &m;
            link = &m.nextSibling;
        }
    }
    return nodes;
}

void RunImport(benchmark::State& state, const char* path) {
    const int structures = static_cast<int>(state.range(0));
    int64_t messages = 0;
    int32_t errors = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<cimp::DeclNode> tree = MakeTree(structures);
        std::filesystem::remove(path);
        TKSHandle repository = 0;
        if (TKSOpenRepository(path, &repository) != 0 || TKSBeginWork(repository) != 0) {
            state.SkipWithError("repository not opened");
            break;
        }
        cimp::ImportContext context(repository, "bench.h", "", true, CountMessage, &messages);
        state.ResumeTiming();

        cimp::mapping::ImportStructures(context, tree.data());
        TKSCommitWork(repository);

        state.PauseTiming();
        errors = context.errorCount;
        TKSCloseRepository(repository);
        std::filesystem::remove(path);
        state.ResumeTiming();
    }
    if (errors != 0) state.SkipWithError("the import counted errors");
    state.SetItemsProcessed(state.iterations() * structures * kMembersPerStructure);
    state.counters["structures"] = structures;
    state.counters["peak_MB"] = static_cast<double>(bench_support::PeakResidentBytes()) / (1024.0 * 1024.0);
}

void BM_ImportInMemory(benchmark::State& state) { RunImport(state, ":memory:"); }
void BM_ImportIntoFile(benchmark::State& state) { RunImport(state, "mapping_bench.db"); }

BENCHMARK(BM_ImportInMemory)->Arg(2500)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ImportIntoFile)->Arg(2500)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
