#include "cimp/report.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace cimp {
namespace {

constexpr const char* kSummaryFormat =
    "Summary: \r\nNo. of Errors:\t\t\t%d\r\nNo. of Types created:\t\t%d\r\nNo. of Elements created:\t%d\r\n"
    "No. of Lengths created:\t\t%d\r\n";
constexpr const char* kNothingDone =
    "No errors detected and nothing was created. This header file may have been previously imported.";

struct IncompleteList {
    const HandleMap ImportContext::*map;
    const char* heading;
};

constexpr IncompleteList kIncompleteLists[] = {
    {&ImportContext::createdTypes, "\r\nWarning: The following Types are incomplete:"},
    {&ImportContext::createdElements, "\r\nWarning: The following Elements are incomplete:"},
    {&ImportContext::createdLengths, "\r\nWarning: The following Lengths are incomplete:"},
};

void SendSummary(const ImportContext& context) {
    char summary[256];
    std::snprintf(summary, sizeof summary, kSummaryFormat, static_cast<int>(context.errorCount),
                  static_cast<int>(context.typesCreated), static_cast<int>(context.elementsCreated),
                  static_cast<int>(context.lengthsCreated));
    context.sink.Send(summary);
    if (context.errorCount == 0 && context.typesCreated == 0 && context.elementsCreated == 0 &&
        context.lengthsCreated == 0)
        context.sink.Send(kNothingDone);
}

// The repository's identifier text, read no further than the buffer.
std::string BufferText(const char (&buffer)[TKS_NAME_SIZE]) {
    const void* end = std::memchr(buffer, '\0', sizeof buffer);
    return std::string(buffer, end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - buffer)
                                              : sizeof buffer);
}

// Each map's objects that the repository still considers incomplete; a
// failed identifier read leaves the buffer as the previous read left it.
void SendIncompleteLists(const ImportContext& context) {
    char identifier[TKS_NAME_SIZE] = {};
    for (const auto& list : kIncompleteLists) {
        bool headingSent = false;
        (context.*list.map).ForEach([&](TKSHandle handle) {
            if (TKSIsComplete(handle) != 0) return;
            if (!headingSent) context.sink.Send(list.heading);
            headingSent = true;
            TKSGetIdentifier(handle, identifier, sizeof identifier);
            context.sink.Send("\t", BufferText(identifier));
        });
    }
}

}  // namespace

void ReportImport(ImportContext& context) {
    try {
        SendSummary(context);
        SendIncompleteLists(context);
    } catch (const std::bad_alloc&) {
        // Out of memory: the report ends where it stands; the import's result is unchanged.
    }
}

}  // namespace cimp
