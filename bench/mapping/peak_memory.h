// The process's peak resident memory so far, in bytes (0 where unknown).
#pragma once

#include <cstdint>

namespace mapping_bench {

uint64_t PeakResidentBytes();

}  // namespace mapping_bench
