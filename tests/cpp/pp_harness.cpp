#include "pp_harness.h"

#include <cstring>

#include "cimp/cpp/expand.h"
#include "cimp/cpp/macros.h"

namespace cimp::cpp::testing {

namespace {

// 1973-09-16 01:03:52 local time, whatever the time zone.
std::time_t FixedTime() {
    std::tm when{};
    when.tm_year = 73;
    when.tm_mon = 8;
    when.tm_mday = 16;
    when.tm_hour = 1;
    when.tm_min = 3;
    when.tm_sec = 52;
    when.tm_isdst = -1;
    return std::mktime(&when);
}

LexedToken Describe(const PpToken& token) {
    return LexedToken{token.kind, std::string(token.text, token.length),
                      std::string(token.text - token.spaceLength, token.spaceLength)};
}

bool IsDirective(const PpTokenRow& row, const char* name) {
    const PpToken* token = row.base;
    if (row.limit - token < 2 || token->kind != PpKind::Hash || token[1].kind != PpKind::Name) {
        return false;
    }
    return token[1].length == std::strlen(name) && std::memcmp(token[1].text, name, token[1].length) == 0;
}

}  // namespace

PpHarness::PpHarness() {
    pp_.diag.SetCapture(&diagnostics_);
    StartRun(pp_);
    SetTimeText(pp_, FixedTime());
    FixLexTable(pp_.lexer);
    InitHideSets(pp_);
}

PpHarness::~PpHarness() {
    FreeHideSets(pp_);
}

void PpHarness::PushFile(const std::string& text, const std::string& name) {
    PushSource(pp_, name, std::make_unique<MemoryInput>(text));
}

std::vector<LexedToken> PpHarness::LexLine(int* lineIncrement, int* hint) {
    std::vector<LexedToken> tokens;
    BeginLine(pp_);
    PpTokenRow row(3);
    fatal_ = !RunUntilFatal(pp_.diag, [&] {
        const int found = ReadLine(pp_, row, true);
        if (hint != nullptr) {
            *hint = found;
        }
    });
    for (const PpToken* token = row.base; token < row.limit; ++token) {
        tokens.push_back(Describe(*token));
    }
    if (lineIncrement != nullptr) {
        *lineIncrement = pp_.sources.Top()->lineIncrement;
    }
    return tokens;
}

std::vector<LexedToken> PpHarness::LexAll() {
    std::vector<LexedToken> all;
    while (!fatal_) {
        std::vector<LexedToken> line = LexLine();
        all.insert(all.end(), line.begin(), line.end());
        if (line.empty() || line.back().kind == PpKind::End) {
            break;
        }
    }
    return all;
}

std::string PpHarness::Render(const PpTokenRow& row) {
    std::string text;
    for (const PpToken* token = row.base; token < row.limit; ++token) {
        text.append(token->text - token->spaceLength, token->spaceLength + token->length);
    }
    return text;
}

void PpHarness::HandleLine(PpTokenRow& row) {
    if (IsDirective(row, "define") || IsDirective(row, "undef")) {
        row.current = row.base + 1;
        if (IsDirective(row, "define")) {
            DefineMacro(pp_, row);
        } else {
            UndefineMacro(pp_, row);
        }
        EmptyRow(row);
        return;
    }
    row.current = row.base;
    ExpandRow(pp_, row, nullptr);
}

void PpHarness::RunLines() {
    PpTokenRow row(3);
    for (;;) {
        BeginLine(pp_);
        row.current = row.limit = row.base;
        ReadLine(pp_, row, true);
        if (row.base->kind == PpKind::End) {
            return;
        }
        HandleLine(row);
        output_ += Render(row);
        PpSource* source = pp_.sources.Top();
        source->line += source->lineIncrement;
    }
}

std::string PpHarness::Run(const std::string& text) {
    PushFile(text);
    output_.clear();
    fatal_ = !RunUntilFatal(pp_.diag, [this] { RunLines(); });
    PopSource(pp_);
    return output_;
}

bool PpHarness::Option(const std::string& argument, char letter) {
    PushSource(pp_, "<cmdarg>", argument);
    PpTokenRow row(3);
    const bool completed = RunUntilFatal(pp_.diag, [&] {
        ReadLine(pp_, row, true);
        DefineFromOption(pp_, row, letter);
    });
    PopSource(pp_);
    return completed;
}

RunResult Preprocess(const std::string& text) {
    PpHarness harness;
    std::string output = harness.Run(text);
    return RunResult{output, harness.diagnostics(), harness.fatal()};
}

}  // namespace cimp::cpp::testing
