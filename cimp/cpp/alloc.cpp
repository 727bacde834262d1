#include "cimp/cpp/alloc.h"

#include <cstdlib>
#include <new>

namespace cimp::cpp {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

}  // namespace

void* PpAlloc(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

void PpFree(void* block) {
    std::free(block);
}

char* PpArena::Allocate(std::size_t size) {
    used_ += size;
    if (size > kChunkSize / 4) {
        // Large texts get a block of their own, so chunks stay well used.
        adopted_.reserve(adopted_.size() + 1);
        char* block = static_cast<char*>(PpAlloc(size));
        adopted_.push_back(block);
        return block;
    }
    if (static_cast<std::size_t>(end_ - next_) < size) {
        chunks_.reserve(chunks_.size() + 1);
        next_ = static_cast<char*>(PpAlloc(kChunkSize));
        end_ = next_ + kChunkSize;
        chunks_.push_back(next_);
    }
    char* result = next_;
    next_ += size;
    return result;
}

void PpArena::Adopt(void* block) {
    try {
        adopted_.push_back(block);
    } catch (...) {
        PpFree(block);
        throw;
    }
}

void PpArena::Reset() {
    for (void* block : adopted_) {
        PpFree(block);
    }
    adopted_.clear();
    for (std::size_t i = 1; i < chunks_.size(); ++i) {
        PpFree(chunks_[i]);
    }
    if (!chunks_.empty()) {
        chunks_.resize(1);
        next_ = chunks_[0];
        end_ = next_ + kChunkSize;
    }
    used_ = 0;
}

void PpArena::Release() {
    Reset();
    if (!chunks_.empty()) {
        PpFree(chunks_[0]);
        chunks_.clear();
    }
    next_ = end_ = nullptr;
}

}  // namespace cimp::cpp
