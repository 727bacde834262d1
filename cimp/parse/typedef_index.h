// The typedef list of one parse with a name index beside it, so that the
// scanner's typedef test and the builder's lookups do not walk the list.
#pragma once

#include <string_view>
#include <unordered_map>

#include "cimp/parse/decl_tree.h"

namespace cimp::parse {

// Texts of the builder (and names compared with them) hold at most this many
// characters; longer texts are cut.
constexpr std::size_t kMaxTextLength = kTypeTextBufferSize - 1;

inline std::string_view CutText(std::string_view text) { return text.substr(0, kMaxTextLength); }

class TypedefIndex {
public:
    // Indexes the entries already in the list whose head is *head.
    explicit TypedefIndex(TypedefEntry** head);
    TypedefIndex(const TypedefIndex&) = delete;
    TypedefIndex& operator=(const TypedefIndex&) = delete;

    // The first entry of that name, as a search from the head finds it.
    TypedefEntry* Find(std::string_view name) const;
    bool Contains(std::string_view name) const { return Find(name) != nullptr; }
    bool Empty() const { return *head_ == nullptr; }
    const TypedefEntry* Head() const { return *head_; }
    TypedefEntry* MutableHead() { return *head_; }

    // Links a new entry at the tail (or as the head); a null entry (out of
    // memory) is ignored.
    void Append(TypedefEntry* entry);

private:
    TypedefEntry** head_;
    TypedefEntry* tail_ = nullptr;
    // Keys view the entries' own names, which never change once linked.
    std::unordered_map<std::string_view, TypedefEntry*> first_;
};

}  // namespace cimp::parse
