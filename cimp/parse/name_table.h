// A flat hash table from names to records that carry their own name (a
// `name` member); it keeps the first record of each name.  The scanner asks
// it about every identifier, so it stays small and cache-friendly: open
// addressing with the hash kept beside the record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace cimp::parse {

template <class Record>
class NameTable {
public:
    Record* Find(std::string_view name) const {
        if (slots_.empty()) return nullptr;
        return slots_[SlotOf(Hash(name), name)].record;
    }

    // Adds the record unless one of the same name is already there.
    void AddFirst(Record* record) {
        if ((used_ + 1) * 2 > slots_.size()) Grow();
        const uint64_t hash = Hash(record->name);
        Slot& slot = slots_[SlotOf(hash, record->name)];
        if (slot.record != nullptr) return;
        slot = Slot{hash, record};
        ++used_;
    }

private:
    struct Slot {
        uint64_t hash = 0;
        Record* record = nullptr;  // null: the slot is free
    };
    static constexpr std::size_t kInitialSlots = 1024;

    static uint64_t Hash(std::string_view name) { return std::hash<std::string_view>()(name); }

    // The slot holding that name, or the free slot where it would go.
    std::size_t SlotOf(uint64_t hash, std::string_view name) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.record == nullptr || (slot.hash == hash && slot.record->name == name)) return i;
        }
    }

    void Grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.empty() ? kInitialSlots : old.size() * 2, Slot{});
        for (const Slot& slot : old) {
            if (slot.record != nullptr) slots_[SlotOf(slot.hash, slot.record->name)] = slot;
        }
    }

    std::vector<Slot> slots_;  // a power of two in size, at most half full
    std::size_t used_ = 0;
};

}  // namespace cimp::parse
