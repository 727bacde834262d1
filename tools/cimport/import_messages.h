// Receives the importer's messages, prints them as lines on standard output
// and notes whether the import reported errors.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "progress_line.h"

namespace cimport_cli {

class ImportMessages {
public:
    // quiet: print only "Error: " messages and the summary.
    // rewrite, when given, is applied to every message before it is printed.
    using Rewrite = std::function<std::string(const std::string&)>;
    explicit ImportMessages(bool quiet, Rewrite rewrite = {})
        : quiet_(quiet), rewrite_(std::move(rewrite)), progress_(WantsProgress(quiet)) {}

    // The importer's callback; context is an ImportMessages.
    static void Receive(void* context, const char* text);

    // True when the summary counted errors, a message began with "Error: ",
    // or the relayed parse diagnostics counted syntax errors.
    bool ReportedErrors() const { return reportedErrors_; }
    // True when the relayed parse diagnostics counted syntax errors.
    bool ReportedSyntaxErrors() const { return reportedSyntaxErrors_; }

    // The import has returned: the progress line goes away for good.
    void Finish() { progress_.Clear(true); }

private:
    void Take(const char* text);

    bool quiet_;
    Rewrite rewrite_;
    bool reportedErrors_ = false;
    bool reportedSyntaxErrors_ = false;
    ProgressLine progress_;
};

}  // namespace cimport_cli
