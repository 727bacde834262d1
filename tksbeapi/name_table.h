// Object numbers by name, in one flat table: each slot holds a name's hash and
// its object's number, and the names themselves stay with their objects, so a
// lookup touches one slot and, for a matching hash, one name.
#ifndef TKSBEAPI_NAME_TABLE_H
#define TKSBEAPI_NAME_TABLE_H

#include <cstdint>
#include <string_view>
#include <vector>

namespace tks {

class NameTable {
public:
    // The number of the name, 0 when it has none; nameOf(number) gives a number's name.
    template <class NameOf>
    uint32_t Find(std::string_view name, NameOf nameOf) const {
        if (slots_.empty()) return 0;
        const uint32_t hash = Hash(name);
        for (size_t at = hash & Mask();; at = (at + 1) & Mask()) {
            const Slot& slot = slots_[at];
            if (slot.number == kEmpty) return 0;
            if (slot.hash == hash && slot.number != kGone && nameOf(slot.number) == name) return slot.number;
        }
    }
    void Insert(std::string_view name, uint32_t number);  // a name not in the table
    void Erase(std::string_view name, uint32_t number);
    void Clear();

private:
    struct Slot {
        uint32_t hash;
        uint32_t number;
    };
    static constexpr uint32_t kEmpty = 0;
    static constexpr uint32_t kGone = 0xFFFFFFFFu;  // a removed entry: lookups go on past it

    static uint32_t Hash(std::string_view name);
    size_t Mask() const { return slots_.size() - 1; }
    void Place(Slot slot);
    void Grow();

    std::vector<Slot> slots_;  // a power of two of them, at most half in use
    size_t used_ = 0;          // slots not empty, removed ones included
};

}  // namespace tks

#endif
