#include "import_messages.h"

#include <cstdio>
#include <cstdlib>

#include "text_lines.h"

namespace cimport_cli {

namespace {

constexpr const char* kSummaryStart = "Summary: ";
constexpr const char* kErrorsLabel = "No. of Errors:";
constexpr const char* kErrorStart = "Error: ";

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// CR LF pairs become line ends; every message ends a line.
void PrintLines(const std::string& text) {
    std::string lines = WithPlainLineEnds(text);
    if (lines.empty() || lines.back() != '\n') lines += '\n';
    std::fwrite(lines.data(), 1, lines.size(), stdout);
}

}  // namespace

bool ReadSummaryErrorCount(const std::string& text, int32_t* count) {
    if (!StartsWith(text, kSummaryStart)) return false;
    const std::size_t label = text.find(kErrorsLabel);
    if (label == std::string::npos) return false;
    const char* digits = text.c_str() + label + std::char_traits<char>::length(kErrorsLabel);
    char* end = nullptr;
    const long value = std::strtol(digits, &end, 10);  // skips the tabs
    if (end == digits) return false;
    *count = static_cast<int32_t>(value);
    return true;
}

void ImportMessages::Receive(void* context, const char* text) {
    auto* self = static_cast<ImportMessages*>(context);
    const std::string message = text != nullptr ? text : "";
    const bool isSummary = ReadSummaryErrorCount(message, &self->errorCount_);
    if (!self->quiet_ || isSummary || StartsWith(message, kErrorStart)) PrintLines(message);
}

}  // namespace cimport_cli
