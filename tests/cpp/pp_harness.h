// An in-process harness over the preprocessor core: sources held in memory,
// diagnostics captured as text, lines expanded the way the driver does.
#pragma once

#include <string>
#include <vector>

#include "cimp/cpp/pp_state.h"

namespace cimp::cpp::testing {

struct LexedToken {
    PpKind kind;
    std::string text;
    std::string space;  // the white-space bytes in front of the text
};

class PpHarness {
public:
    PpHarness();
    ~PpHarness();

    // A file source named "test.h" reading text (through the 4096-byte reads).
    void PushFile(const std::string& text, const std::string& name = "test.h");

    // Every token of the current source up to and including End.
    std::vector<LexedToken> LexAll();
    // The tokens of the next logical line, with the line's increment.
    std::vector<LexedToken> LexLine(int* lineIncrement = nullptr, int* hint = nullptr);

    // Preprocesses text as a file: #define and #undef lines are handled and
    // give an empty line, every other line is expanded; returns the text
    // written (each token's white space and text).  Stops after a fatal
    // diagnostic (fatal() then tells).
    std::string Run(const std::string& text);

    // Defines from an option argument ("X=1"); false after a fatal diagnostic.
    bool Option(const std::string& argument, char letter);

    const std::string& diagnostics() const { return diagnostics_; }
    bool fatal() const { return fatal_; }
    PpState& pp() { return pp_; }

    // The text of a row (white space and text of each token).
    static std::string Render(const PpTokenRow& row);

private:
    void RunLines();
    void HandleLine(PpTokenRow& row);

    PpState pp_;
    std::string diagnostics_;
    std::string output_;
    bool fatal_ = false;
};

// Shorthand: a fresh harness, text run through it.
struct RunResult {
    std::string output;
    std::string diagnostics;
    bool fatal;
};
RunResult Preprocess(const std::string& text);

}  // namespace cimp::cpp::testing
