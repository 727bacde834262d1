// The preprocessor's allocator.  Every allocation goes through PpAlloc, whose
// failure unwinds to the preprocessor's entry as std::bad_alloc; the entry
// reports it as the fatal "Out of memory from malloc" (RunUntilFatal in
// diagnostics.h).  Callers never see a null result.
#pragma once

#include <cstddef>
#include <vector>

namespace cimp::cpp {

void* PpAlloc(std::size_t size);
void PpFree(void* block);

// Text storage released all at once: macro bodies and names live in the run's
// arena, texts made while one line is expanded live in the line arena, which
// is reset when the next line starts (BeginLine in pp_state.h).
class PpArena {
public:
    PpArena() = default;
    ~PpArena() { Release(); }
    PpArena(const PpArena&) = delete;
    PpArena& operator=(const PpArena&) = delete;

    // size bytes, never null, not initialised.
    char* Allocate(std::size_t size);
    // Takes over a block from PpAlloc; it is freed with the arena's texts.
    void Adopt(void* block);
    // Frees everything but keeps the first chunk for reuse.
    void Reset();
    // Bytes handed out since the last reset (for measurements).
    std::size_t BytesUsed() const { return used_; }

private:
    void Release();

    std::vector<char*> chunks_;   // chunks_[0] is kept across resets
    std::vector<void*> adopted_;
    char* next_ = nullptr;
    char* end_ = nullptr;
    std::size_t used_ = 0;
};

}  // namespace cimp::cpp
