// Running a program as a child process and measuring it (POSIX only).
#pragma once

#include <string>
#include <vector>

namespace pp_bench {

struct ChildRun {
    bool succeeded = false;  // started and exited with status 0
    double wallSeconds = 0;
    double cpuSeconds = 0;   // user + system time of the child
    long peakKilobytes = 0;  // the child's peak resident set size
};

// Runs args[0] (searched on the PATH) with the arguments in directory.
ChildRun RunChild(const std::vector<std::string>& args, const std::string& directory);

}  // namespace pp_bench
