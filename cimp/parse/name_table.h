// A flat hash table from names to records that carry their own name (a
// `name` member that never changes); it keeps the first record of each name.
// The scanner asks it about every identifier, so a lookup stays inside the
// table's own compact arrays: open addressing with the hash kept in the slot,
// and a copy of each name beside its record, so the records themselves
// (spread over the heap) are never read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cimp::parse {

template <class Record>
class NameTable {
public:
    Record* Find(std::string_view name) const {
        if (slots_.empty()) return nullptr;
        const Slot& slot = slots_[SlotOf(Hash(name), name)];
        return slot.index == kFree ? nullptr : entries_[slot.index].record;
    }

    // Adds the record unless one of the same name is already there.
    void AddFirst(Record* record) {
        if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
        const std::string_view name = record->name;
        const uint64_t hash = Hash(name);
        Slot& slot = slots_[SlotOf(hash, name)];
        if (slot.index != kFree) return;
        slot = Slot{hash, entries_.size()};
        entries_.push_back(Entry{std::string(name), record});
    }

private:
    static constexpr std::size_t kFree = SIZE_MAX;
    struct Slot {
        uint64_t hash = 0;
        std::size_t index = kFree;  // into entries_; kFree: the slot is free
    };
    struct Entry {
        std::string name;
        Record* record;
    };
    static constexpr std::size_t kInitialSlots = 1024;

    static uint64_t Hash(std::string_view name) { return std::hash<std::string_view>()(name); }

    // The slot holding that name, or the free slot where it would go.
    std::size_t SlotOf(uint64_t hash, std::string_view name) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.index == kFree || (slot.hash == hash && entries_[slot.index].name == name)) return i;
        }
    }

    void Grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.empty() ? kInitialSlots : old.size() * 2, Slot{});
        for (const Slot& slot : old) {
            if (slot.index != kFree) slots_[SlotOf(slot.hash, entries_[slot.index].name)] = slot;
        }
    }

    std::vector<Slot> slots_;  // a power of two in size, at most half full
    std::vector<Entry> entries_;
};

}  // namespace cimp::parse
