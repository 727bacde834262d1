#include "cimp/parse/typedef_index.h"

namespace cimp::parse {

TypedefIndex::TypedefIndex(TypedefEntry** head) : head_(head) {
    for (TypedefEntry* entry = *head_; entry != nullptr; entry = entry->next) {
        first_.try_emplace(entry->name, entry);
        tail_ = entry;
    }
}

TypedefEntry* TypedefIndex::Find(std::string_view name) const {
    const auto found = first_.find(name);
    return found == first_.end() ? nullptr : found->second;
}

void TypedefIndex::Append(TypedefEntry* entry) {
    if (entry == nullptr) return;
    entry->next = nullptr;
    if (tail_ == nullptr) {
        *head_ = entry;
    } else {
        tail_->next = entry;
    }
    tail_ = entry;
    first_.try_emplace(entry->name, entry);
}

}  // namespace cimp::parse
