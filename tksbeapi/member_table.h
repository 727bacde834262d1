// The memberships of every Type, keyed by (Type, Element) number, in one flat
// table with the entries held in the slots, so that a lookup touches one slot
// and, rarely, its neighbours.
#ifndef TKSBEAPI_MEMBER_TABLE_H
#define TKSBEAPI_MEMBER_TABLE_H

#include <array>
#include <cstdint>

#include "open_slots.h"
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
    // No Type has number 0 and none has the highest: neither key belongs to a membership.
    struct Slot {
        static constexpr uint64_t kGone = ~uint64_t{0};
        uint64_t key = 0;  // 0: empty
        Membership entry;
        bool Empty() const { return key == 0; }
        bool Gone() const { return key == kGone; }
        size_t Hash() const { return HashOf(key); }
    };
    static uint64_t Key(uint32_t type, uint32_t element) { return uint64_t{type} << 32 | element; }
    static size_t HashOf(uint64_t key) { return static_cast<size_t>((key * 0x9E3779B97F4A7C15u) >> 32); }

    OpenSlots<Slot> slots_;
};

}  // namespace tks

#endif
