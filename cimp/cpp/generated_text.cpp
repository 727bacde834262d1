#include "cimp/cpp/generated_text.h"

#include <cstring>

#include "cimp/cpp/pp_state.h"

namespace cimp::cpp {

char* PpGeneratedText::Reserve(std::size_t size) {
    if (size > kPpGeneratedSize - used_) {
        return nullptr;
    }
    char* start = buffer_ + used_;
    used_ += size;
    return start;
}

void PpGeneratedText::Clear() {
    std::memset(buffer_, 0, sizeof buffer_);
    used_ = 0;
}

char* GenerateText(PpState& pp, const char* text, std::size_t length) {
    char* start = pp.generated.Reserve(length);
    if (start == nullptr) {
        ReportDiag(pp.diag, kPpFatal, "Too much generated text for one line");
        return nullptr;
    }
    if (length > 0) {
        std::memcpy(start, text, length);
    }
    return start;
}

}  // namespace cimp::cpp
