// The process's peak resident memory so far, in bytes (0 where unknown).
#pragma once

#include <cstdint>

namespace bench_support {

uint64_t PeakResidentBytes();

}  // namespace bench_support
