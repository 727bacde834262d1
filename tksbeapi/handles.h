// Object handles.  The database stores each object under a number of 24 bits
// (1 to 0xFFFFFE, never reused); the handle a caller sees puts the slot of
// the open repository (1 to 255) in the high 8 bits, so a handle alone names
// its repository.  The repository handle is the slot number itself, which is
// never a valid object handle.  The first repository opened in a process gets
// slot 1, so its handles are the same in every process that opens it first.
#ifndef TKSBEAPI_HANDLES_H
#define TKSBEAPI_HANDLES_H

#include <cstdint>

#include "tksbeapi.h"

namespace tks {

constexpr uint32_t kLocalBits = 24;
constexpr uint32_t kLocalMask = (1u << kLocalBits) - 1;
constexpr uint32_t kMaxLocal = kLocalMask - 1;  // keeps 0xFFFFFFFF free for the end of a member list
constexpr uint32_t kMaxSlot = 255;

constexpr TKSHandle ObjectHandle(uint32_t slot, int64_t local) {
    return local == 0 ? TKS_NO_HANDLE : static_cast<TKSHandle>((slot << kLocalBits) | static_cast<uint32_t>(local));
}
constexpr uint32_t SlotOf(TKSHandle handle) { return handle >> kLocalBits; }
constexpr uint32_t LocalOf(TKSHandle handle) { return handle & kLocalMask; }

}  // namespace tks

#endif
