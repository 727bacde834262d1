// The state of one preprocessor run: sources, lexer tables, names, hide sets,
// diagnostics, texts.  The driver's Preprocessor owns one for the length of a
// run, so nothing (no macro either) carries over to the next run.
//
// Life of a run, as the driver uses it:
//   pp.diag.SetStream(&errorFile);      diagnostics go to "errorfile.err"
//   StartRun(pp);                       time text, lexer table, keywords
//   ... options: DefineFromOption ..., then FixLexTable(pp.lexer),
//   InitHideSets(pp), PushSource(pp, name, input) for the main file ...
//   per line:  BeginLine(pp); ReadLine(pp, row, true); ExpandRow(...) ...
//   FreeHideSets(pp); the rest goes with the object.
#pragma once

#include <ctime>
#include <string>

#include "cimp/cpp/alloc.h"
#include "cimp/cpp/diagnostics.h"
#include "cimp/cpp/generated_text.h"
#include "cimp/cpp/hide_sets.h"
#include "cimp/cpp/lexer.h"
#include "cimp/cpp/name_table.h"
#include "cimp/cpp/source.h"

namespace cimp::cpp {

struct PpState {
    PpDiagnostics diag;
    PpSourceStack sources;
    PpLexTables lexer;
    PpNameTable names;
    PpHideSets hideSets;
    PpArena runArena;    // names, macro bodies: the whole run
    PpArena lineArena;   // texts made while one line is expanded
    PpGeneratedText generated;
    // The run's start time in the ctime layout ("Sun Sep 16 01:03:52 1973\n").
    std::string timeText;
    // Tokens moved by expansion since the line started (see expand.h).
    long long expansionWork = 0;
    // Arguments being pre-expanded inside each other.
    int argumentDepth = 0;
};

// The run's start: takes the time, builds the lexer table, enters the
// keywords.
void StartRun(PpState& pp);
// Sets the time text from a given time (the run takes the current time).
void SetTimeText(PpState& pp, std::time_t when);
// Before each new input line is read into the main row: rewinds the
// generated-text buffer, releases the previous line's texts and hide sets.
// No token of an earlier line may be in use afterwards.
void BeginLine(PpState& pp);

}  // namespace cimp::cpp
