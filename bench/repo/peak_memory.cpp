#include "peak_memory.h"

#include <fstream>
#include <string>

namespace repo_bench {

int64_t PeakResidentBytes() {
#if defined(__linux__)
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stoll(line.substr(6)) * 1024;  // given in kB
    }
#endif
    return 0;
}

}  // namespace repo_bench
