// Receives the importer's messages and prints them as lines on standard
// output, keeping the error count of the summary.
#pragma once

#include <cstdint>
#include <string>

namespace cimport_cli {

class ImportMessages {
public:
    // quiet: print only "Error: " messages and the summary.
    explicit ImportMessages(bool quiet) : quiet_(quiet) {}

    // The importer's callback; context is an ImportMessages.
    static void Receive(void* context, const char* text);

    // The error count of the last summary received, 0 when none came.
    int32_t ErrorCount() const { return errorCount_; }

private:
    bool quiet_;
    int32_t errorCount_ = 0;
};

// The number after "No. of Errors:" when text is the importer's summary.
bool ReadSummaryErrorCount(const std::string& text, int32_t* count);

}  // namespace cimport_cli
