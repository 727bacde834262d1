#include "name_table.h"

#include <functional>

namespace tks {

uint32_t NameTable::Hash(std::string_view name) { return static_cast<uint32_t>(std::hash<std::string_view>{}(name)); }

void NameTable::Erase(std::string_view name, uint32_t number) {
    if (Slot* found = slots_.Find(Hash(name), [&](const Slot& slot) { return slot.number == number; }))
        found->number = Slot::kGone;
}

}  // namespace tks
