#include "name_table.h"

#include <algorithm>
#include <functional>

namespace tks {

uint32_t NameTable::Hash(std::string_view name) { return static_cast<uint32_t>(std::hash<std::string_view>{}(name)); }

void NameTable::Insert(std::string_view name, uint32_t number) {
    if ((used_ + 1) * 2 > slots_.size()) Grow();
    Place(Slot{Hash(name), number});
    ++used_;
}

void NameTable::Erase(std::string_view name, uint32_t number) {
    if (slots_.empty()) return;
    for (size_t at = Hash(name) & Mask(); slots_[at].number != kEmpty; at = (at + 1) & Mask()) {
        if (slots_[at].number == number) {
            slots_[at].number = kGone;
            return;
        }
    }
}

void NameTable::Clear() {
    slots_.clear();
    used_ = 0;
}

void NameTable::Place(Slot slot) {
    size_t at = slot.hash & Mask();
    while (slots_[at].number != kEmpty) at = (at + 1) & Mask();
    slots_[at] = slot;
}

// Doubles the table when the live entries fill more than a quarter of it, and
// otherwise only sweeps out the removed ones.
void NameTable::Grow() {
    std::vector<Slot> old(std::max<size_t>(slots_.size(), 16), Slot{0, kEmpty});
    old.swap(slots_);
    size_t live = 0;
    for (const Slot& slot : old) live += slot.number != kEmpty && slot.number != kGone;
    if ((live + 1) * 4 > slots_.size()) slots_.assign(slots_.size() * 2, Slot{0, kEmpty});
    used_ = live;
    for (const Slot& slot : old) {
        if (slot.number != kEmpty && slot.number != kGone) Place(slot);
    }
}

}  // namespace tks
