// Throughput and peak heap of the declaration parser (scanner, LALR parser
// and tree builder, then the typedef resolution of the tree) on generated
// headers of 1000, 4000 and 8000 structures, and on one structure of 5000 and
// of 40000 members.  Run from any directory:
//   parse_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <new>
#include <sstream>
#include <string>

#include "cimp/parse/parse_session.h"
#include "cimp/text_file.h"

namespace {

// Heap accounting (the benchmark runs on one thread): every allocation
// carries its size in front of it.
std::size_t g_current = 0;
std::size_t g_peak = 0;
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    g_current += size;
    if (g_current > g_peak) g_peak = g_current;
    return block + kHeader;
}

void Release(void* pointer) {
    if (pointer == nullptr) return;
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    g_current -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

std::string ReadInput(int structures) {
    std::ifstream in(std::string(PARSE_BENCH_INPUTS) + "/gen" + std::to_string(structures) + ".i", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Parses text once per iteration; the tree and the typedef list are freed
// outside the timing.
void MeasureParse(benchmark::State& state, const std::string& text) {
    cimp::TextFile diagnostics;
    diagnostics.Open("parse_bench_errors.tmp", cimp::TextFile::Mode::kAppend);
    std::size_t peakHeap = 0;
    int64_t nodes = 0;
    for (auto _ : state) {
        const std::size_t before = g_current;
        g_peak = before;
        cimp::TypedefEntry* typedefs = nullptr;
        cimp::DeclNode* root = nullptr;
        {
            cimp::parse::StringScanInput input(text);
            cimp::parse::ParseSession session(input, nullptr, diagnostics, &typedefs);
            session.Run();
            session.ResolveTypedefNames();
            root = session.TakeRoot();
        }
        state.PauseTiming();
        peakHeap = g_peak - before;
        nodes = 0;
        for (const cimp::DeclNode* node = root; node != nullptr; node = node->nextSibling) ++nodes;
        cimp::FreeDeclTree(root);
        cimp::FreeTypedefList(typedefs);
        state.ResumeTiming();
    }
    diagnostics.Close();
    cimp::RemoveFile("parse_bench_errors.tmp");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["input_MB"] = static_cast<double>(text.size()) / 1e6;
    state.counters["peak_heap_MB"] = static_cast<double>(peakHeap) / 1e6;
    state.counters["top_nodes"] = static_cast<double>(nodes);
}

void BM_ParseGeneratedHeader(benchmark::State& state) {
    const std::string text = ReadInput(static_cast<int>(state.range(0)));
    if (text.empty()) {
        state.SkipWithError("generated header missing");
        return;
    }
    MeasureParse(state, text);
}

// One structure of many members: the time per member must not grow with
// their number.
void BM_ParseWideStructure(benchmark::State& state) {
    std::string text = "struct wide {\n";
    for (int64_t i = 0; i < state.range(0); ++i) text += "    unsigned long member" + std::to_string(i) + ";\n";
    text += "};\n";
    MeasureParse(state, text);
}

BENCHMARK(BM_ParseGeneratedHeader)->Arg(1000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseWideStructure)->Arg(5000)->Arg(40000)->Unit(benchmark::kMillisecond);

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* pointer) noexcept { Release(pointer); }
void operator delete[](void* pointer) noexcept { Release(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { Release(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { Release(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { Release(pointer); }

BENCHMARK_MAIN();
