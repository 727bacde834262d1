// The preprocessor's one diagnostic reporter.  Messages go as bare lines to
// the diagnostic stream (the driver opens "errorfile.err" and hands it over
// with SetStream).  Level 0 is a warning, 1 an error (sets the error flag),
// 2 fatal: the message is written, the error flag set, and PpFatalError
// unwinds to the preprocessor's entry.
//
// Placeholders: %s a C string, %d an int, %t a token (its text), %r a row from
// its current token up to the line's end (one blank between tokens that had
// white space).  '%' and any other letter writes that letter.
#pragma once

#include <exception>
#include <new>
#include <string>

#include "cimp/cpp/token_row.h"

namespace cimp {
class TextFile;
}

namespace cimp::cpp {

enum PpLevel : int { kPpWarning = 0, kPpError = 1, kPpFatal = 2 };

// Thrown after a fatal diagnostic has been written.
class PpFatalError : public std::exception {
public:
    const char* what() const noexcept override { return "fatal preprocessor diagnostic"; }
};

// One argument of a diagnostic; converts implicitly from what the
// placeholders take.
class DiagArg {
public:
    DiagArg() = default;
    DiagArg(const char* text) : kind_(kText), text_(text) {}
    DiagArg(const std::string& text) : kind_(kText), text_(text.c_str()) {}
    DiagArg(int number) : kind_(kNumber), number_(number) {}
    DiagArg(const PpToken& token) : kind_(kToken), token_(&token) {}
    DiagArg(const PpTokenRow& row) : kind_(kRow), row_(&row) {}

    void AppendTo(std::string& out, char placeholder) const;

private:
    enum Kind { kNone, kText, kNumber, kToken, kRow };
    Kind kind_ = kNone;
    union {
        const char* text_;
        int number_;
        const PpToken* token_;
        const PpTokenRow* row_;
    };
};

class PpDiagnostics {
public:
    // The stream messages go to; null drops them.  Not owned.
    void SetStream(TextFile* stream) { stream_ = stream; }
    TextFile* Stream() const { return stream_; }
    // Every message (with its newline) is also appended here; for tests.
    void SetCapture(std::string* capture) { capture_ = capture; }

    bool ErrorFlag() const { return errorFlag_; }
    void ClearErrorFlag() { errorFlag_ = false; }

    // Formats and writes one message; throws PpFatalError at level 2.
    void Report(int level, const char* format, const DiagArg* args, int count);

private:
    TextFile* stream_ = nullptr;
    std::string* capture_ = nullptr;
    bool errorFlag_ = false;
};

template <class... Args>
void ReportDiag(PpDiagnostics& diag, int level, const char* format, const Args&... args) {
    const DiagArg list[] = {DiagArg(args)..., DiagArg()};
    diag.Report(level, format, list, static_cast<int>(sizeof...(Args)));
}

// Runs body (the part of a run that may meet a fatal diagnostic).  Returns
// true when it completed, false when a fatal diagnostic stopped it; an
// allocation failure is reported first as "Out of memory from malloc".
template <class Body>
bool RunUntilFatal(PpDiagnostics& diag, Body&& body) {
    try {
        try {
            body();
        } catch (const std::bad_alloc&) {
            ReportDiag(diag, kPpFatal, "Out of memory from malloc");
        }
    } catch (const PpFatalError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;  // not even the report could be written
    }
    return true;
}

}  // namespace cimp::cpp
