#include "import_messages.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace cimport_cli {

namespace {

constexpr std::string_view kSummaryStart = "Summary: ";
constexpr std::string_view kErrorsLabel = "No. of Errors:";
constexpr std::string_view kErrorStart = "Error: ";
constexpr std::string_view kStructureDone = "C Structure ";
constexpr std::string_view kParseSummaryEnd = " found during parse.";

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// CR LF pairs become line ends; every message ends a line.  The pieces go
// straight into the stream's buffer.
void PrintLines(std::string_view text) {
    const bool empty = text.empty();
    for (std::size_t end; (end = text.find("\r\n")) != std::string_view::npos; text.remove_prefix(end + 2)) {
        std::fwrite(text.data(), 1, end, stdout);
        std::putc('\n', stdout);
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (empty || !text.empty()) std::putc('\n', stdout);
}

// True when text is the importer's summary; *count is its error count.
bool ReadSummaryErrorCount(std::string_view text, long* count) {
    if (!StartsWith(text, kSummaryStart)) return false;
    const std::size_t label = text.find(kErrorsLabel);
    if (label == std::string_view::npos) return false;
    const char* digits = text.data() + label + kErrorsLabel.size();
    char* end = nullptr;
    *count = std::strtol(digits, &end, 10);  // skips the tabs
    return end != digits;
}

// The parse's summary is "N error found during parse." or "N errors ...";
// its clean form begins with "No", not with a digit.
bool CountsSyntaxErrors(std::string_view text) {
    for (std::size_t at = text.find(kParseSummaryEnd); at != std::string_view::npos;
         at = text.find(kParseSummaryEnd, at + 1)) {
        const std::size_t lineStart = text.find_last_of("\r\n", at);
        const char* line = text.data() + (lineStart == std::string_view::npos ? 0 : lineStart + 1);
        char* end = nullptr;
        if (std::strtol(line, &end, 10) > 0 && end != line) return true;
    }
    return false;
}

}  // namespace

void ImportMessages::Receive(void* context, const char* text) {
    static_cast<ImportMessages*>(context)->Take(text != nullptr ? text : "");
}

void ImportMessages::Take(const char* text) {
    std::string rewritten;
    if (rewrite_) rewritten = rewrite_(text);
    const std::string_view message = rewrite_ ? std::string_view(rewritten) : std::string_view(text);
    long summaryErrors = 0;
    const bool isSummary = ReadSummaryErrorCount(message, &summaryErrors);
    const bool isError = StartsWith(message, kErrorStart);
    if (CountsSyntaxErrors(message)) reportedSyntaxErrors_ = true;
    if (summaryErrors > 0 || isError || reportedSyntaxErrors_) reportedErrors_ = true;
    if (isError) progress_.CountError();
    if (StartsWith(message, kStructureDone)) progress_.CountStructure();
    if (isSummary) progress_.Clear(true);
    if (!quiet_ || isSummary || isError) {
        progress_.BeforeOutput();
        PrintLines(message);
        progress_.AfterOutput();
    }
    progress_.Update();
}

}  // namespace cimport_cli
