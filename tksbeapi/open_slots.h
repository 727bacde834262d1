// Entries in one flat table: a power of two of slots, linear probing, at most
// half of them in use.  A removed entry stays as a mark that lookups go past
// until the table is next rebuilt.  A Slot tells whether it is empty (a
// default-made one is) or removed, and gives its hash.
#ifndef TKSBEAPI_OPEN_SLOTS_H
#define TKSBEAPI_OPEN_SLOTS_H

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace tks {

template <class Slot>
class OpenSlots {
public:
    // The first live slot on the hash's probe path that match accepts; nullptr when none does.
    template <class Match>
    const Slot* Find(size_t hash, Match match) const {
        if (slots_.empty()) return nullptr;
        for (size_t at = hash & Mask(); !slots_[at].Empty(); at = (at + 1) & Mask()) {
            if (!slots_[at].Gone() && match(slots_[at])) return &slots_[at];
        }
        return nullptr;
    }
    template <class Match>
    Slot* Find(size_t hash, Match match) {
        return const_cast<Slot*>(std::as_const(*this).Find(hash, match));
    }
    // Places an entry that is not in the table yet.
    Slot& Add(Slot slot) {
        if ((used_ + 1) * 2 > slots_.size()) Grow();
        ++used_;
        return Put(std::move(slot));
    }
    void Clear() { *this = OpenSlots(); }

private:
    size_t Mask() const { return slots_.size() - 1; }
    Slot& Put(Slot slot) {
        size_t at = slot.Hash() & Mask();
        while (!slots_[at].Empty()) at = (at + 1) & Mask();
        slots_[at] = std::move(slot);
        return slots_[at];
    }
    // Doubles the table when the live entries fill more than a quarter of it,
    // and otherwise only sweeps out the removed ones.
    void Grow() {
        std::vector<Slot> old(std::max<size_t>(slots_.size(), 16));
        old.swap(slots_);
        size_t live = 0;
        for (const Slot& slot : old) live += !slot.Empty() && !slot.Gone();
        if ((live + 1) * 4 > slots_.size()) slots_.assign(slots_.size() * 2, Slot());
        used_ = live;
        for (Slot& slot : old) {
            if (!slot.Empty() && !slot.Gone()) Put(std::move(slot));
        }
    }

    std::vector<Slot> slots_;
    size_t used_ = 0;  // slots not empty, removed ones included
};

}  // namespace tks

#endif
