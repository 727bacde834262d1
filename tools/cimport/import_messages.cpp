#include "import_messages.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "text_lines.h"

namespace cimport_cli {

namespace {

constexpr const char* kSummaryStart = "Summary: ";
constexpr const char* kErrorsLabel = "No. of Errors:";
constexpr const char* kErrorStart = "Error: ";
constexpr const char* kParseSummaryEnd = " found during parse.";

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// CR LF pairs become line ends; every message ends a line.
void PrintLines(const std::string& text) {
    std::string lines = WithPlainLineEnds(text);
    if (lines.empty() || lines.back() != '\n') lines += '\n';
    std::fwrite(lines.data(), 1, lines.size(), stdout);
}

// True when text is the importer's summary; *count is its error count.
bool ReadSummaryErrorCount(const std::string& text, long* count) {
    if (!StartsWith(text, kSummaryStart)) return false;
    const std::size_t label = text.find(kErrorsLabel);
    if (label == std::string::npos) return false;
    const char* digits = text.c_str() + label + std::char_traits<char>::length(kErrorsLabel);
    char* end = nullptr;
    *count = std::strtol(digits, &end, 10);  // skips the tabs
    return end != digits;
}

// The parse's summary is "N error found during parse." or "N errors ...";
// its clean form begins with "No", not with a digit.
bool CountsSyntaxErrors(const std::string& text) {
    for (std::size_t at = text.find(kParseSummaryEnd); at != std::string::npos;
         at = text.find(kParseSummaryEnd, at + 1)) {
        const std::size_t lineStart = text.find_last_of("\r\n", at);
        const char* line = text.c_str() + (lineStart == std::string::npos ? 0 : lineStart + 1);
        char* end = nullptr;
        if (std::strtol(line, &end, 10) > 0 && end != line) return true;
    }
    return false;
}

}  // namespace

void ImportMessages::Receive(void* context, const char* text) {
    auto* self = static_cast<ImportMessages*>(context);
    std::string message = text != nullptr ? text : "";
    if (self->rewrite_) message = self->rewrite_(message);
    long summaryErrors = 0;
    const bool isSummary = ReadSummaryErrorCount(message, &summaryErrors);
    const bool isError = StartsWith(message, kErrorStart);
    if (CountsSyntaxErrors(message)) self->reportedSyntaxErrors_ = true;
    if (summaryErrors > 0 || isError || self->reportedSyntaxErrors_) self->reportedErrors_ = true;
    if (!self->quiet_ || isSummary || isError) PrintLines(message);
}

}  // namespace cimport_cli
