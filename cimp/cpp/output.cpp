#include "cimp/cpp/output.h"

#include <cstdio>
#include <cstring>

#include "cimp/cpp/diagnostics.h"
#include "cimp/cpp/pp_state.h"
#include "cimp/text_file.h"

namespace cimp::cpp {

bool PpOutput::WriteOut(std::size_t size) {
    if (stream_ != nullptr) {
        WriteWithCrLf(stream_, buffer_, size);
    } else {
        TextFile file;
        if (!file.Open(kPpOutputFile, TextFile::Mode::kAppend)) return false;
        file.Write(buffer_, size);
    }
    std::memmove(buffer_, buffer_ + size, used_ - size);
    used_ -= size;
    return true;
}

// Copies text in pieces that fit, writing a block whenever 4096 bytes are
// buffered, so no run of any length can overflow the buffer.
void PpOutput::Append(PpState& pp, const char* text, std::size_t length) {
    while (length > 0) {
        const std::size_t room = kPpOutputBufferSize - used_;
        if (room == 0) {
            ReportDiag(pp.diag, kPpFatal, "Can't write output file %s", kPpOutputFile);
        }
        const std::size_t n = length < room ? length : room;
        std::memcpy(buffer_ + used_, text, n);
        used_ += n;
        text += n;
        length -= n;
        if (used_ >= kPpOutputBlock) WriteOut(kPpOutputBlock);
    }
}

void PpOutput::WriteRow(PpState& pp, PpTokenRow& row) {
    if (dumpLevel != 0) DumpRow(pp, row, "");
    for (const PpToken* t = row.base; t < row.limit;) {
        const char* start = t->text - t->spaceLength;
        const char* end = t->text + t->length;
        for (++t; t < row.limit && t->text - t->spaceLength == end; ++t) end = t->text + t->length;
        Append(pp, start, static_cast<std::size_t>(end - start));
    }
    row.current = row.limit;
    const PpSource* source = pp.sources.Top();
    if (source != nullptr && source->input != nullptr && source->input->IsStandardInput()) Flush();
}

void PpOutput::Flush() {
    if (used_ > 0) WriteOut(used_);
    if (firstFlush_) {
        if (used_ > 0) return;  // the text stays until the file can be written
        std::memset(buffer_, 0, sizeof buffer_);
        firstFlush_ = false;
    }
}

void PpOutput::EmitLineMarker(PpState& pp) {
    const PpSource& source = *pp.sources.Top();
    char number[16];
    const std::size_t digits = static_cast<std::size_t>(FormatDecimal(number, source.line) - number);
    std::string marker;
    marker.reserve(source.name.size() + digits + 16);
    marker.append("/*#line").append(number, digits).append(" \"").append(source.name).append("\"*/\n");
    char* text = GenerateText(pp, marker.data(), marker.size());
    PpTokenRow row(1);
    *row.limit++ = PpToken{PpKind::Unclassified, 0, 0, 0, static_cast<std::uint32_t>(marker.size()), text};
    WriteRow(pp, row);
}

void PpOutput::DumpRow(PpState& pp, const PpTokenRow& row, const char* label) {
    Flush();
    std::fprintf(stderr, "%s ", label);
    if (row.current < row.base || row.current > row.limit) {
        std::fprintf(stderr, "(tp offset %d) ", static_cast<int>(row.current - row.base));
    }
    int shown = 0;
    for (const PpToken* t = row.base; t < row.limit && shown < kPpDumpTokens; ++t, ++shown) {
        const bool isCurrent = t == row.current;
        if (t->kind != PpKind::Newline) std::fwrite(t->text, 1, t->length, stderr);
        if (t->kind != PpKind::Name) {
            std::fprintf(stderr, isCurrent ? "{%x*} " : "{%x} ", static_cast<unsigned>(t->kind));
            continue;
        }
        std::fputs(isCurrent ? "{*" : "{", stderr);
        const PpName* const* member = pp.hideSets.Members(t->hideSet);
        for (; member != nullptr && *member != nullptr; ++member) std::fprintf(stderr, "%s ", (*member)->name);
        std::fputs("} ", stderr);
    }
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

void PpOutput::SetObjectName(const char* fileName) {
    objectName_ = fileName;
    const std::size_t n = objectName_.size();
    if (n >= 2 && objectName_[n - 2] == '.') objectName_.pop_back();
    objectName_ += "$O: ";
}

void PpOutput::WriteDependency(const std::string& path) {
    const std::string line = objectName_ + path + "\n";
    if (stream_ != nullptr) {
        WriteWithCrLf(stream_, line.data(), line.size());
        return;
    }
    TextFile file;
    if (!file.Open(kPpOutputFile, TextFile::Mode::kAppend)) return;
    file.Write(line);
}

}  // namespace cimp::cpp
