// What one repository holds, in memory: objects by number, by name and by
// kind, the members of each Type in order, and the attribute values of each
// membership.  It answers every read; the repository keeps it in step with
// the database, which stays the store of record.  Objects are keyed by their
// database number; the fields of a StoredObject hold caller handles.
#ifndef TKSBEAPI_MEMORY_INDEX_H
#define TKSBEAPI_MEMORY_INDEX_H

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "member_table.h"
#include "name_table.h"
#include "stored_object.h"

namespace tks {

class MemoryIndex {
public:
    static constexpr int32_t kAttributeSlots = Membership::kAttributeSlots;

    void Clear();

    const StoredObject* Find(uint32_t number) const;
    // The number of the object of that name, 0 when there is none.
    uint32_t FindName(std::string_view name) const;
    // The first object of the kind after the number given (0: from the start), or 0.
    uint32_t NextOfKind(int32_t kind, uint32_t after) const;
    // True while another object or a membership refers to the object.
    bool InUse(uint32_t number) const;

    void AddObject(uint32_t number, StoredObject object);
    // Drops the object with its memberships (those of a Type) and their attributes.
    void RemoveObject(uint32_t number);

    const StoredMember* FindMember(uint32_t type, uint32_t element) const;
    // The element of the Type's first member after the position given, or 0.
    uint32_t NextMember(uint32_t type, int64_t afterPosition) const;
    // The position after the Type's last member.
    int64_t NextPosition(uint32_t type) const;
    void AddMember(uint32_t type, uint32_t element, const StoredMember& member);

    std::optional<std::string_view> FindAttribute(uint32_t type, uint32_t element, int32_t attribute) const;
    // Ignores a membership that does not exist and attribute numbers beyond the slots.
    void StoreAttribute(uint32_t type, uint32_t element, int32_t attribute, std::string_view value);

private:
    std::vector<uint32_t>& OfKind(int32_t kind);
    void Refer(uint32_t number, int delta);
    uint32_t ValueNumber(std::string_view value);

    // Objects by number, in pages of 4096 allocated when first used; kind 0 marks a free place.
    static constexpr uint32_t kPageBits = 12;
    using Page = std::array<StoredObject, size_t{1} << kPageBits>;
    StoredObject* Place(uint32_t number) const;
    std::vector<std::unique_ptr<Page>> pages_;
    NameTable names_;
    std::array<std::vector<uint32_t>, 3> kinds_;            // ascending numbers: Elements, Types, Lengths
    std::vector<uint32_t> references_;                      // by number: how often each object is referred to
    MemberTable members_;  // attribute values are numbers into values_
    std::unordered_map<uint32_t, std::vector<std::pair<int64_t, uint32_t>>> order_;  // per Type: (position, element)
    std::deque<std::string> values_{std::string()};  // every distinct attribute value, once
    std::unordered_map<std::string_view, uint32_t> valueNumbers_;
};

}  // namespace tks

#endif
