#include "cimp/parse/typedef_index.h"

namespace cimp::parse {

TypedefIndex::TypedefIndex(TypedefEntry** head) : head_(head) {
    for (TypedefEntry* entry = *head_; entry != nullptr; entry = entry->next) {
        first_.AddFirst(entry);
        GroupOf(entry->typeName).entries.push_back(entry);
        tail_ = entry;
    }
}

TypedefEntry* TypedefIndex::Find(std::string_view name) const {
    return first_.Find(name);
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
    first_.AddFirst(entry);
    GroupOf(entry->typeName).entries.push_back(entry);
}

TypedefIndex::TypeGroup& TypedefIndex::GroupOf(const std::string& typeName) {
    if (TypeGroup* group = groups_.Find(typeName)) return *group;
    TypeGroup& group = groupStore_.emplace_back(TypeGroup{typeName, {}});
    groups_.AddFirst(&group);
    return group;
}

int TypedefIndex::Retarget(const std::string& from, const std::string& to) {
    TypeGroup* source = groups_.Find(from);
    if (source == nullptr) return 0;
    const auto count = static_cast<int>(source->entries.size());
    if (from == to || count == 0) return count;
    std::vector<TypedefEntry*>& target = GroupOf(to).entries;
    for (TypedefEntry* entry : source->entries) {
        entry->typeName = to;
        target.push_back(entry);
    }
    source->entries.clear();
    return count;
}

void TypedefIndex::ResolveTypeNames(DeclNode* first) const {
    // Depth first in source order; the stack holds the siblings still to
    // visit after a child chain.
    std::vector<DeclNode*> pending;
    for (DeclNode* node = first; node != nullptr || !pending.empty();) {
        if (node == nullptr) {
            node = pending.back();
            pending.pop_back();
        }
        const TypedefEntry* entry = Find(node->typeName);
        if (entry != nullptr && entry->typeName != node->typeName) {
            SetDeclField(kFieldTypeName, entry->typeName.c_str(), node);
        }
        if (node->firstChild != nullptr && node->nextSibling != nullptr) pending.push_back(node->nextSibling);
        node = node->firstChild != nullptr ? node->firstChild : node->nextSibling;
    }
}

}  // namespace cimp::parse
