#include "member_table.h"

#include <utility>

namespace tks {

const Membership* MemberTable::Find(uint32_t type, uint32_t element) const {
    const uint64_t key = Key(type, element);
    const Slot* slot = slots_.Find(HashOf(key), [key](const Slot& at) { return at.key == key; });
    return slot ? &slot->entry : nullptr;
}

Membership* MemberTable::Find(uint32_t type, uint32_t element) {
    return const_cast<Membership*>(std::as_const(*this).Find(type, element));
}

Membership& MemberTable::Place(uint32_t type, uint32_t element) {
    if (Membership* found = Find(type, element)) return *found = Membership();
    return slots_.Add(Slot{Key(type, element), Membership()}).entry;
}

void MemberTable::Erase(uint32_t type, uint32_t element) {
    const uint64_t key = Key(type, element);
    if (Slot* slot = slots_.Find(HashOf(key), [key](const Slot& at) { return at.key == key; })) slot->key = Slot::kGone;
}

}  // namespace tks
