// An in-process harness over the preprocessor core: sources held in memory,
// diagnostics captured as text, the run's time fixed.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cimp/cpp/pp_state.h"

namespace cimp::cpp::testing {

struct PpHarness {
    PpHarness() {
        pp.diag.SetCapture(&diagnostics);
        StartRun(pp);
        std::tm when{};  // 1973-09-16 01:03:52 local time, whatever the time zone
        when.tm_year = 73;
        when.tm_mon = 8;
        when.tm_mday = 16;
        when.tm_hour = 1;
        when.tm_min = 3;
        when.tm_sec = 52;
        when.tm_isdst = -1;
        SetTimeText(pp, std::mktime(&when));
        FixLexTable(pp.lexer);
        InitHideSets(pp);
    }
    ~PpHarness() { FreeHideSets(pp); }

    // A file source reading text (through the 4096-byte reads).
    void PushFile(const std::string& text, const std::string& name = "test.h") {
        PushSource(pp, name, std::make_unique<MemoryInput>(text));
    }
    // The next logical line as "Kind[white space and text]" items; sets
    // fatal after a fatal diagnostic.
    std::string LexLine(int* hint = nullptr) {
        BeginLine(pp);
        row.current = row.limit = row.base;
        fatal = !RunUntilFatal(pp.diag, [&] {
            const int found = ReadLine(pp, row, true);
            if (hint != nullptr) *hint = found;
        });
        std::string out;
        for (const PpToken* token = row.base; token < row.limit; ++token) {
            out += std::string(out.empty() ? "" : " ") + KindName(token->kind) + '[';
            for (const char c : Text(*token)) out += c == '\n' ? "\\n" : c == '\t' ? "\\t" : std::string(1, c);
            out += ']';
        }
        return out;
    }
    // Every line up to the end of the source.
    std::string LexAll() {
        std::string all = LexLine();
        while (!fatal && row.limit > row.base && row.limit[-1].kind != PpKind::End) all += ' ' + LexLine();
        return all;
    }
    // The white space and text of a token, and of every token of the row.
    static std::string Text(const PpToken& token) {
        return std::string(token.text - token.spaceLength, token.spaceLength + token.length);
    }
    std::string RowText() const {
        std::string text;
        for (const PpToken* token = row.base; token < row.limit; ++token) text += Text(*token);
        return text;
    }

    PpState pp;
    PpTokenRow row{3};
    std::string diagnostics;
    bool fatal = false;
};

struct PpTest : ::testing::Test, PpHarness {};

}  // namespace cimp::cpp::testing
