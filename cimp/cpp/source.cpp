#include "cimp/cpp/source.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "cimp/cpp/pp_state.h"
#include "cimp/text_file.h"

namespace cimp::cpp {

namespace {

void WriteMarkers(char* at, unsigned char marker) {
    std::memset(at, marker, kPpMarkerBytes);
}

PpSource* NewSource(std::string name, std::size_t bufferSize) {
    auto* buffer = static_cast<char*>(PpAlloc(bufferSize + kPpMarkerBytes));
    PpSource* source = nullptr;
    try {
        source = new PpSource;
        source->name = std::move(name);
    } catch (...) {
        delete source;
        PpFree(buffer);
        throw;
    }
    source->bufferStart = source->readPos = source->bufferLimit = source->lineStart = buffer;
    source->bufferSize = bufferSize;
    WriteMarkers(buffer, kPpRefillMarker);
    return source;
}

void DeleteSource(PpSource* source) {
    PpFree(source->bufferStart);
    delete source;
}

}  // namespace

TextFileInput::TextFileInput(std::unique_ptr<TextFile> file) : file_(std::move(file)) {}

TextFileInput::~TextFileInput() = default;

std::size_t TextFileInput::Read(char* buffer, std::size_t size) {
    return file_ != nullptr ? file_->Read(buffer, size) : 0;
}

std::size_t MemoryInput::Read(char* buffer, std::size_t size) {
    const std::size_t count = std::min(size, text_.size() - position_);
    std::memcpy(buffer, text_.data() + position_, count);
    position_ += count;
    return count;
}

PpSource* PpSourceStack::InnermostFile() const {
    for (PpSource* source = top_; source != nullptr; source = source->next) {
        if (source->IsFile()) {
            return source;
        }
    }
    return top_;
}

void PpSourceStack::Push(PpSource* source) {
    source->next = top_;
    top_ = source;
}

PpSource* PpSourceStack::Unlink() {
    PpSource* source = top_;
    if (source != nullptr) {
        top_ = source->next;
        source->next = nullptr;
    }
    return source;
}

void PpSourceStack::Clear() {
    while (PpSource* source = Unlink()) {
        DeleteSource(source);
    }
}

PpSource* PushSource(PpState& pp, std::string name, std::unique_ptr<PpInput> input) {
    PpSource* source = NewSource(std::move(name), kPpBufferSize);
    source->input = std::move(input);
    pp.sources.Push(source);
    return source;
}

PpSource* PushSource(PpState& pp, std::string name, std::string_view text) {
    PpSource* source = NewSource(std::move(name), text.size());
    if (!text.empty()) {
        std::memcpy(source->bufferStart, text.data(), text.size());
    }
    source->bufferLimit = source->bufferStart + text.size();
    WriteMarkers(source->bufferLimit, kPpRefillMarker);
    pp.sources.Push(source);
    return source;
}

void PopSource(PpState& pp) {
    PpSource* source = pp.sources.Unlink();
    if (source == nullptr) {
        return;
    }
    if (!source->IsFile()) {
        // Tokens of the line being expanded may still point into it.
        char* buffer = std::exchange(source->bufferStart, nullptr);
        try {
            pp.lineArena.Adopt(buffer);
        } catch (...) {
            delete source;
            throw;
        }
    }
    DeleteSource(source);
}

int FillBuffer(PpSource& source) {
    std::size_t count = 0;
    if (source.input != nullptr) {
        const std::size_t room = source.bufferStart + source.bufferSize - source.bufferLimit;
        const std::size_t block = std::min(room, kPpReadBlock);
        count = block > 0 ? source.input->Read(source.bufferLimit, block) : 0;
    }
    source.bufferLimit += count;
    WriteMarkers(source.bufferLimit, count > 0 ? kPpRefillMarker : kPpEndMarker);
    return count > 0 ? 0 : -1;
}

}  // namespace cimp::cpp
