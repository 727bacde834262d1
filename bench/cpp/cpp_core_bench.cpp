// Throughput of the preprocessor core on a large generated header (4000
// structures with their size macros): lexing alone, and lexing with macro
// definitions and expansion.  Reports bytes per second and the process's
// peak resident memory.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "cimp/cpp/expand.h"
#include "cimp/cpp/macros.h"
#include "cimp/cpp/pp_state.h"
#include "peak_memory.h"

namespace cimp::cpp {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The sub-headers first (their macros are used by the main header), then
// the main header.
const std::string& Input() {
    static const std::string text = [] {
        const std::string dir = CPP_BENCH_INPUT_DIR;
        return ReadFile(dir + "/gen_limits.h") + ReadFile(dir + "/gen_sub/gen_more.h") +
               ReadFile(dir + "/gen_types.h") + ReadFile(dir + "/gen.h");
    }();
    return text;
}

bool IsDirective(const PpTokenRow& row, const char* name) {
    const PpToken* t = row.base;
    return row.Size() >= 2 && t->kind == PpKind::Hash && t[1].kind == PpKind::Name &&
           t[1].length == std::strlen(name) && std::memcmp(t[1].text, name, t[1].length) == 0;
}

// One pass over the input: returns the number of tokens seen.
long long Pass(bool expand) {
    PpState pp;
    StartRun(pp);
    FixLexTable(pp.lexer);
    InitHideSets(pp);
    PushSource(pp, "gen.h", std::make_unique<MemoryInput>(Input()));
    PpTokenRow row(3);
    long long tokens = 0;
    for (;;) {
        BeginLine(pp);
        row.current = row.limit = row.base;
        const int mayExpand = ReadLine(pp, row, true);
        if (row.base->kind == PpKind::End) {
            break;
        }
        if (expand && IsDirective(row, "define")) {
            row.current = row.base + 1;
            DefineMacro(pp, row);
        } else if (expand && mayExpand != 0 && row.base->kind != PpKind::Hash) {
            ExpandRow(pp, row, nullptr);
        }
        tokens += row.Size();
        PpSource* source = pp.sources.Top();
        source->line += source->lineIncrement;
    }
    FreeHideSets(pp);
    return tokens;
}

void Run(benchmark::State& state, bool expand) {
    long long tokens = 0;
    for (auto _ : state) {
        tokens = Pass(expand);
        benchmark::DoNotOptimize(tokens);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Input().size()));
    state.counters["input_MB"] = static_cast<double>(Input().size()) / 1e6;
    state.counters["tokens"] = static_cast<double>(tokens);
    state.counters["peak_rss_MB"] = static_cast<double>(bench_support::PeakResidentBytes()) / (1024.0 * 1024.0);
}

void BM_Lex(benchmark::State& state) {
    Run(state, false);
}

void BM_LexAndExpand(benchmark::State& state) {
    Run(state, true);
}

BENCHMARK(BM_Lex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LexAndExpand)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cimp::cpp

BENCHMARK_MAIN();
