// The process's peak resident memory, where the platform tells it.
#ifndef BENCH_REPO_PEAK_MEMORY_H
#define BENCH_REPO_PEAK_MEMORY_H

#include <cstdint>

namespace repo_bench {

// Bytes; 0 where the platform does not say.
int64_t PeakResidentBytes();

}  // namespace repo_bench

#endif
