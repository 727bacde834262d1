#include "cimp/cpp/pp_state.h"

namespace cimp::cpp {

namespace {

constexpr char kFallbackTime[] = "Thu Jan  1 00:00:00 1970\n";
constexpr std::size_t kTimeTextLength = 25;

}  // namespace

void StartRun(PpState& pp) {
    SetTimeText(pp, std::time(nullptr));
    BuildLexTable(pp.lexer);
    InstallKeywords(pp);
}

void SetTimeText(PpState& pp, std::time_t when) {
    const char* text = when == static_cast<std::time_t>(-1) ? nullptr : std::ctime(&when);
    pp.timeText = text != nullptr ? text : kFallbackTime;
    if (pp.timeText.size() != kTimeTextLength) {
        pp.timeText = kFallbackTime;  // the built-in macros read fixed offsets
    }
}

void BeginLine(PpState& pp) {
    pp.generated.Rewind();
    pp.lineArena.Reset();
    pp.hideSets.Init();
    pp.expansionWork = 0;
    pp.argumentDepth = 0;
}

}  // namespace cimp::cpp
