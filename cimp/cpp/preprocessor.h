// The preprocessor's entry: one Preprocessor object per run holds the run's
// whole state (sources, names, conditionals, include list, output), so
// nothing carries over from one run to the next.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "cimp/cpp/directives.h"
#include "cimp/cpp/include.h"
#include "cimp/cpp/output.h"
#include "cimp/cpp/pp_state.h"

namespace cimp::cpp {

inline constexpr char kPpErrorFile[] = "errorfile.err";
inline constexpr char kPpOptionString[] = "MNOVv+I:D:U:F:lg";
inline constexpr char kPpVersionText[] = "$ZAR C pre-processor $";
inline constexpr char kPpFatalNote[] = "\nFatal error occurred during parse.\n";

// Preprocesses the input named by the operands into "cprep.tmp" (appending)
// and writes diagnostics to "errorfile.err".  Result: 0 when the run
// completed (also with errors), -1 when "errorfile.err" cannot be opened, -2
// after a fatal error.
std::int32_t RunPreprocessor(int argc, char** argv);

class Preprocessor {
public:
    Preprocessor();
    Preprocessor(const Preprocessor&) = delete;
    Preprocessor& operator=(const Preprocessor&) = delete;

    // One run; the object is not used again afterwards.
    std::int32_t Run(int argc, char** argv);

    // Where a run without an input operand reads from (the standard input
    // unless a test puts something else here).
    std::function<std::unique_ptr<PpInput>()> standardInput;
    // Called after every logical line has been handled, with the source it
    // came from and the number of its first physical line (for checks that
    // tie diagnostics to lines).
    std::function<void(Preprocessor& pre, const PpSource& source, int line)> lineObserver;

    PpState pp;
    PpConditionals conditionals;
    PpIncludeList includes;
    PpOutput output;
    int includeDepth = 0;     // #include files open, the main file not counted
    int dependencyLevel = 0;  // -M

private:
    void Start(int argc, char** argv);
    void ParseOptions(int argc, char** argv, int& firstOperand);
    void DefineOption(const char* argument, char letter);
    void OpenOperands(int argc, char** argv, int firstOperand);
    void MainLoop();
    bool EndOfSource();

    PpTokenRow row_;
};

}  // namespace cimp::cpp
