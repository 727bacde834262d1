// Object numbers by name, in one flat table: each slot holds a name's hash and
// its object's number, and the names themselves stay with their objects, so a
// lookup touches one slot and, for a matching hash, one name.
#ifndef TKSBEAPI_NAME_TABLE_H
#define TKSBEAPI_NAME_TABLE_H

#include <cstdint>
#include <string_view>

#include "open_slots.h"

namespace tks {

class NameTable {
public:
    // The number of the name, 0 when it has none; nameOf(number) gives a number's name.
    template <class NameOf>
    uint32_t Find(std::string_view name, NameOf nameOf) const {
        const uint32_t hash = Hash(name);
        const Slot* found =
            slots_.Find(hash, [&](const Slot& slot) { return slot.hash == hash && nameOf(slot.number) == name; });
        return found ? found->number : 0;
    }
    void Insert(std::string_view name, uint32_t number) { slots_.Add(Slot{Hash(name), number}); }  // a new name
    void Erase(std::string_view name, uint32_t number);
    void Clear() { slots_.Clear(); }

private:
    struct Slot {
        static constexpr uint32_t kGone = 0xFFFFFFFFu;
        uint32_t hash = 0;
        uint32_t number = 0;  // 0: empty
        bool Empty() const { return number == 0; }
        bool Gone() const { return number == kGone; }
        size_t Hash() const { return hash; }
    };
    static uint32_t Hash(std::string_view name);

    OpenSlots<Slot> slots_;
};

}  // namespace tks

#endif
