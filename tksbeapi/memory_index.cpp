#include "memory_index.h"

#include <algorithm>

#include "handles.h"

namespace tks {
namespace {

size_t KindSlot(int32_t kind) {
    switch (kind) {
        case TKS_KIND_ELEMENT: return 0;
        case TKS_KIND_TYPE: return 1;
        default: return 2;
    }
}

template <class Sequence>
void EraseSorted(Sequence& sequence, typename Sequence::value_type value) {
    const auto at = std::lower_bound(sequence.begin(), sequence.end(), value);
    if (at != sequence.end() && *at == value) sequence.erase(at);
}

}  // namespace

void MemoryIndex::Clear() { *this = MemoryIndex(); }

StoredObject* MemoryIndex::Place(uint32_t number) const {
    const size_t page = number >> kPageBits;
    return page < pages_.size() && pages_[page] ? &(*pages_[page])[number & ((1u << kPageBits) - 1)] : nullptr;
}

const StoredObject* MemoryIndex::Find(uint32_t number) const {
    const StoredObject* object = Place(number);
    return object && object->kind != 0 ? object : nullptr;
}

uint32_t MemoryIndex::FindName(std::string_view name) const {
    return names_.Find(name, [this](uint32_t number) { return std::string_view(Place(number)->name); });
}

std::vector<uint32_t>& MemoryIndex::OfKind(int32_t kind) { return kinds_[KindSlot(kind)]; }

uint32_t MemoryIndex::NextOfKind(int32_t kind, uint32_t after) const {
    const std::vector<uint32_t>& numbers = kinds_[KindSlot(kind)];
    const auto next = std::upper_bound(numbers.begin(), numbers.end(), after);
    return next == numbers.end() ? 0 : *next;
}

bool MemoryIndex::InUse(uint32_t number) const { return number < references_.size() && references_[number] != 0; }

void MemoryIndex::Refer(uint32_t number, int delta) {
    if (number == 0) return;
    if (number >= references_.size()) references_.resize(number + 1);  // grows by doubling
    if (delta > 0 || references_[number] != 0) references_[number] += delta;
}

void MemoryIndex::AddObject(uint32_t number, StoredObject object) {
    if (number == 0 || Find(number)) return;
    const size_t page = number >> kPageBits;
    if (page >= pages_.size()) pages_.resize(page + 1);
    if (!pages_[page]) pages_[page] = std::make_unique<Page>();
    StoredObject& held = *Place(number);
    held = std::move(object);
    names_.Insert(held.name, number);
    Refer(LocalOf(held.typeHandle), 1);
    Refer(LocalOf(held.lengthHandle), 1);
    std::vector<uint32_t>& numbers = OfKind(held.kind);
    numbers.insert(std::upper_bound(numbers.begin(), numbers.end(), number), number);
}

void MemoryIndex::RemoveObject(uint32_t number) {
    StoredObject* object = Place(number);
    if (!object || object->kind == 0) return;
    Refer(LocalOf(object->typeHandle), -1);
    Refer(LocalOf(object->lengthHandle), -1);
    EraseSorted(OfKind(object->kind), number);
    names_.Erase(object->name, number);
    *object = StoredObject();
    const auto members = order_.find(number);
    if (members == order_.end()) return;
    for (const auto& [position, element] : members->second) {
        members_.Erase(number, element);
        Refer(element, -1);
    }
    order_.erase(members);
}

const StoredMember* MemoryIndex::FindMember(uint32_t type, uint32_t element) const {
    const Membership* found = members_.Find(type, element);
    return found ? &found->member : nullptr;
}

uint32_t MemoryIndex::NextMember(uint32_t type, int64_t afterPosition) const {
    const auto members = order_.find(type);
    if (members == order_.end()) return 0;
    const auto& list = members->second;
    const auto next = std::upper_bound(list.begin(), list.end(), afterPosition,
                                       [](int64_t position, const auto& entry) { return position < entry.first; });
    return next == list.end() ? 0 : next->second;
}

int64_t MemoryIndex::NextPosition(uint32_t type) const {
    const auto members = order_.find(type);
    return members == order_.end() || members->second.empty() ? 1 : members->second.back().first + 1;
}

void MemoryIndex::AddMember(uint32_t type, uint32_t element, const StoredMember& member) {
    members_.Place(type, element).member = member;
    auto& list = order_[type];
    const std::pair<int64_t, uint32_t> entry{member.position, element};
    list.insert(std::upper_bound(list.begin(), list.end(), entry), entry);
    Refer(element, 1);
}

std::optional<std::string_view> MemoryIndex::FindAttribute(uint32_t type, uint32_t element, int32_t attribute) const {
    const Membership* found = members_.Find(type, element);
    if (!found || attribute < 1 || attribute >= kAttributeSlots) return std::nullopt;
    const uint32_t value = found->values[attribute];
    if (value == 0) return std::nullopt;
    return std::string_view(values_[value]);
}

void MemoryIndex::StoreAttribute(uint32_t type, uint32_t element, int32_t attribute, std::string_view value) {
    Membership* found = members_.Find(type, element);
    if (!found || attribute < 1 || attribute >= kAttributeSlots) return;
    found->values[attribute] = ValueNumber(value);
}

uint32_t MemoryIndex::ValueNumber(std::string_view value) {
    const auto found = valueNumbers_.find(value);
    if (found != valueNumbers_.end()) return found->second;
    const uint32_t number = static_cast<uint32_t>(values_.size());
    valueNumbers_.emplace(values_.emplace_back(value), number);
    return number;
}

}  // namespace tks
