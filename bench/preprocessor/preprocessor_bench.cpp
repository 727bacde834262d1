// Preprocessing speed and peak memory of our preprocessor against the
// system's "cpp -P" on the same inputs, with the ratio of their times:
//   generated  tools/gen_header.py 8000 1 (about 10 MB, three sub-headers)
//   corpus     every public corpus header as the import driver hands it over
// Each run is a child process (cprep.tmp written by ours, cpp.out by cpp);
// the summary compares the fastest iteration of each, by wall and CPU time.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include "child_process.h"

namespace pp_bench {
namespace {

namespace fs = std::filesystem;

const fs::path kShared = CIMPORT_SHARED_DIR;
constexpr char kOurRunner[] = CIMPORT_PP_RUN;

struct Job {
    fs::path directory;  // working directory of the run
    std::string input;   // relative to it
    std::vector<std::string> includeDirectories;
};

struct InputSet {
    std::string name;
    std::vector<Job> jobs;
    double megabytes = 0;  // size of the main inputs
};

struct Best {
    double wall = 1e30;
    double cpu = 1e30;
    long peakKilobytes = 0;
};

std::map<std::string, Best> best;  // by "set/tool"

std::vector<std::string> Arguments(const Job& job, bool ours) {
    std::vector<std::string> args;
    if (ours) {
        args = {kOurRunner, job.input};
    } else {
        args = {"cpp", "-P", "-undef", "-nostdinc", "-std=gnu89", "-trigraphs"};
    }
    for (const std::string& dir : job.includeDirectories) args.push_back("-I" + dir);
    args.push_back(job.input);
    if (!ours) {
        args.push_back("-o");
        args.push_back("cpp.out");
    }
    return args;
}

void RunSet(benchmark::State& state, const InputSet* set, bool ours) {
    Best& record = best[set->name + (ours ? "/ours" : "/cpp")];
    for (auto _ : state) {
        ChildRun total;
        for (const Job& job : set->jobs) {
            if (ours) fs::remove(job.directory / "cprep.tmp");
            const ChildRun run = RunChild(Arguments(job, ours), job.directory.string());
            if (!run.succeeded) {
                state.SkipWithError("a run failed");
                return;
            }
            total.wallSeconds += run.wallSeconds;
            total.cpuSeconds += run.cpuSeconds;
            total.peakKilobytes = std::max(total.peakKilobytes, run.peakKilobytes);
        }
        state.SetIterationTime(total.wallSeconds);
        record.wall = std::min(record.wall, total.wallSeconds);
        record.cpu = std::min(record.cpu, total.cpuSeconds);
        record.peakKilobytes = std::max(record.peakKilobytes, total.peakKilobytes);
    }
    state.counters["MB/s"] = set->megabytes / record.wall;
    state.counters["cpu_ms"] = record.cpu * 1000;
    state.counters["peak_KB"] = static_cast<double>(record.peakKilobytes);
}

double Megabytes(const fs::path& path) { return static_cast<double>(fs::file_size(path)) / 1e6; }

InputSet GeneratedSet(const fs::path& work) {
    InputSet set{"generated", {}, 0};
    const fs::path dir = work / "generated";
    fs::create_directories(dir);
    const std::string command = "python3 \"" + (kShared / "tools" / "gen_header.py").string() + "\" 8000 1 -o \"" +
                                dir.string() + "\" --name big > \"" + (dir / "gen.log").string() + "\"";
    if (std::system(command.c_str()) != 0) return set;
    set.jobs.push_back({dir, "big.h", {"."}});
    set.megabytes = Megabytes(dir / "big.h");
    return set;
}

// "cpre.tmp" as the import driver writes it: an #include of the
// pre-include, then the header.
InputSet CorpusSet(const fs::path& work) {
    InputSet set{"corpus", {}, 0};
    const fs::path corpus = kShared / "corpus";
    std::ifstream in(corpus / "cases.json");
    if (!in) return set;
    for (const auto& c : nlohmann::json::parse(in)) {
        const fs::path dir = work / "corpus" / c.at("name").get<std::string>();
        fs::create_directories(dir);
        std::ofstream out(dir / "cpre.tmp", std::ios::binary);
        out << "#include \"" << (corpus / c.at("preinclude").get<std::string>()).string() << "\"\n";
        std::ifstream header(corpus / c.at("header").get<std::string>(), std::ios::binary);
        out << std::string(std::istreambuf_iterator<char>(header), std::istreambuf_iterator<char>());
        out.close();
        Job job{dir, "cpre.tmp", {}};
        for (const auto& include : c.at("include_dirs")) {
            job.includeDirectories.push_back((corpus / include.get<std::string>()).string());
        }
        set.jobs.push_back(job);
        set.megabytes += Megabytes(dir / "cpre.tmp");
    }
    return set;
}

void PrintSummary(const std::vector<InputSet>& sets) {
    std::printf("\n%-10s %9s %9s %7s %9s %9s %7s %9s %9s %10s %10s\n", "input", "ours ms", "cpp ms", "ratio",
                "ours cpu", "cpp cpu", "ratio", "ours MB/s", "cpp MB/s", "ours KB", "cpp KB");
    for (const InputSet& set : sets) {
        const Best& ours = best[set.name + "/ours"];
        const Best& cpp = best[set.name + "/cpp"];
        if (ours.wall >= 1e30 || cpp.wall >= 1e30) continue;
        std::printf("%-10s %9.1f %9.1f %7.2f %9.1f %9.1f %7.2f %9.1f %9.1f %10ld %10ld\n", set.name.c_str(),
                    ours.wall * 1000, cpp.wall * 1000, ours.wall / cpp.wall, ours.cpu * 1000, cpp.cpu * 1000,
                    ours.cpu / cpp.cpu, set.megabytes / ours.wall, set.megabytes / cpp.wall, ours.peakKilobytes,
                    cpp.peakKilobytes);
    }
}

}  // namespace
}  // namespace pp_bench

int main(int argc, char** argv) {
    using namespace pp_bench;
    benchmark::Initialize(&argc, argv);
    if (!fs::exists(kShared / "tools" / "gen_header.py")) {
        std::printf("shared test material not found: nothing to measure\n");
        return 0;
    }
    if (std::system("cpp --version > /dev/null 2>&1") != 0 || std::system("python3 -c \"\"") != 0) {
        std::printf("the system's cpp or python3 is missing: nothing to measure\n");
        return 0;
    }
    const fs::path work = fs::absolute("preprocessor_bench.work");
    fs::remove_all(work);
    static const std::vector<InputSet> sets{GeneratedSet(work), CorpusSet(work)};
    for (const InputSet& set : sets) {
        if (set.jobs.empty()) continue;
        for (const bool ours : {true, false}) {
            benchmark::RegisterBenchmark((set.name + (ours ? "/ours" : "/system_cpp")).c_str(), RunSet, &set, ours)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(5);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary(sets);
    fs::remove_all(work);
    return 0;
}
