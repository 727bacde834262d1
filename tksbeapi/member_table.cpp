#include "member_table.h"

#include <algorithm>
#include <utility>

namespace tks {

size_t MemberTable::Start(uint64_t key) const {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15u) >> 32) & (slots_.size() - 1);
}

size_t MemberTable::Locate(uint64_t key) const {
    size_t at = Start(key);
    while (slots_[at].key != kEmpty && slots_[at].key != key) at = (at + 1) & (slots_.size() - 1);
    return at;
}

Membership* MemberTable::Find(uint32_t type, uint32_t element) {
    return const_cast<Membership*>(std::as_const(*this).Find(type, element));
}

const Membership* MemberTable::Find(uint32_t type, uint32_t element) const {
    if (slots_.empty()) return nullptr;
    const Slot& slot = slots_[Locate(Key(type, element))];
    return slot.key == kEmpty ? nullptr : &slot.entry;
}

Membership& MemberTable::Place(uint32_t type, uint32_t element) {
    if (Membership* found = Find(type, element)) return *found = Membership();
    if ((used_ + 1) * 2 > slots_.size()) Grow();
    const uint64_t key = Key(type, element);
    size_t at = Start(key);
    while (slots_[at].key != kEmpty) at = (at + 1) & (slots_.size() - 1);
    ++used_;
    slots_[at] = Slot{key, Membership()};
    return slots_[at].entry;
}

void MemberTable::Erase(uint32_t type, uint32_t element) {
    if (slots_.empty()) return;
    Slot& slot = slots_[Locate(Key(type, element))];
    if (slot.key != kEmpty) slot.key = kGone;
}

// Doubles the table when the live entries fill more than a quarter of it, and
// otherwise only sweeps out the removed ones.
void MemberTable::Grow() {
    std::vector<Slot> old(std::max<size_t>(slots_.size(), 16));
    old.swap(slots_);
    size_t live = 0;
    for (const Slot& slot : old) live += slot.key != kEmpty && slot.key != kGone;
    if ((live + 1) * 4 > slots_.size()) slots_.assign(slots_.size() * 2, Slot());
    used_ = live;
    for (Slot& slot : old) {
        if (slot.key == kEmpty || slot.key == kGone) continue;
        size_t at = Start(slot.key);
        while (slots_[at].key != kEmpty) at = (at + 1) & (slots_.size() - 1);
        slots_[at] = std::move(slot);
    }
}

}  // namespace tks
