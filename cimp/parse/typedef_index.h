// The typedef list of one parse with indexes beside it, so that the scanner's
// typedef test, the builder's lookups, retargeting and the resolution of the
// finished tree do not walk the list.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "cimp/parse/decl_tree.h"
#include "cimp/parse/name_table.h"

namespace cimp::parse {

class TypedefIndex {
public:
    // Indexes the entries already in the list whose head is *head.  While the
    // index lives, entries are added and retargeted only through it.
    explicit TypedefIndex(TypedefEntry** head);
    TypedefIndex(const TypedefIndex&) = delete;
    TypedefIndex& operator=(const TypedefIndex&) = delete;

    // The first entry of that name, as a search from the head finds it.
    TypedefEntry* Find(std::string_view name) const;
    bool Contains(std::string_view name) const { return Find(name) != nullptr; }
    const TypedefEntry* Head() const { return *head_; }

    // Links a new entry at the tail (or as the head); a null entry (out of
    // memory) is ignored.
    void Append(TypedefEntry* entry);

    // Gives every entry whose type is from the type to instead (what
    // RetargetTypedefs does over the list); returns how many changed.
    int Retarget(const std::string& from, const std::string& to);

    // Replaces the type of every node of the tree that names a typedef by
    // that typedef's type (what ResolveTypedefNames does over the list).
    void ResolveTypeNames(DeclNode* first) const;

private:
    TypedefEntry** head_;
    TypedefEntry* tail_ = nullptr;
    // The entries that have one type name.
    struct TypeGroup {
        std::string name;
        std::vector<TypedefEntry*> entries;
    };
    TypeGroup& GroupOf(const std::string& typeName);

    NameTable<TypedefEntry> first_;  // the first entry of each name
    NameTable<TypeGroup> groups_;
    std::deque<TypeGroup> groupStore_;
};

}  // namespace cimp::parse
