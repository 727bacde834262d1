// Receives the importer's messages, prints them as lines on standard output
// and notes whether the import reported errors.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace cimport_cli {

class ImportMessages {
public:
    // quiet: print only "Error: " messages and the summary.
    // rewrite, when given, is applied to every message before it is printed.
    explicit ImportMessages(bool quiet, std::function<std::string(const std::string&)> rewrite = {})
        : quiet_(quiet), rewrite_(std::move(rewrite)) {}

    // The importer's callback; context is an ImportMessages.
    static void Receive(void* context, const char* text);

    // True when the summary counted errors, a message began with "Error: ",
    // or the relayed parse diagnostics counted syntax errors.
    bool ReportedErrors() const { return reportedErrors_; }
    // True when the relayed parse diagnostics counted syntax errors.
    bool ReportedSyntaxErrors() const { return reportedSyntaxErrors_; }

private:
    bool quiet_;
    std::function<std::string(const std::string&)> rewrite_;
    bool reportedErrors_ = false;
    bool reportedSyntaxErrors_ = false;
};

}  // namespace cimport_cli
