// The memberships of every Type, keyed by (Type, Element) number, in one flat
// table: open addressing with linear probing, the entries held in the slots,
// so that a lookup touches one slot and, rarely, its neighbours.
#ifndef TKSBEAPI_MEMBER_TABLE_H
#define TKSBEAPI_MEMBER_TABLE_H

#include <array>
#include <cstdint>
#include <vector>

#include "stored_object.h"

namespace tks {

struct Membership {
    static constexpr int32_t kAttributeSlots = 8;  // attribute numbers 1 to 7
    StoredMember member;
    std::array<uint32_t, kAttributeSlots> values{};  // numbers of attribute values; 0: not set
};

class MemberTable {
public:
    Membership* Find(uint32_t type, uint32_t element);
    const Membership* Find(uint32_t type, uint32_t element) const;
    // The membership, made empty when there was none.
    Membership& Place(uint32_t type, uint32_t element);
    void Erase(uint32_t type, uint32_t element);

private:
    struct Slot {
        uint64_t key = kEmpty;
        Membership entry;
    };
    // No Type has number 0 and none has the highest: neither key belongs to a membership.
    static constexpr uint64_t kEmpty = 0;
    static constexpr uint64_t kGone = ~uint64_t{0};  // a removed entry: lookups go on past it

    static uint64_t Key(uint32_t type, uint32_t element) { return uint64_t{type} << 32 | element; }
    size_t Start(uint64_t key) const;
    size_t Locate(uint64_t key) const;  // the slot of the key, or an empty one
    void Grow();

    std::vector<Slot> slots_;  // a power of two of them, at most half in use
    size_t used_ = 0;          // slots not empty, removed ones included
};

}  // namespace tks

#endif
