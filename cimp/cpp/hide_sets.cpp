#include "cimp/cpp/hide_sets.h"

#include <algorithm>
#include <functional>

#include "cimp/cpp/pp_state.h"

namespace cimp::cpp {

namespace {

// Indexes 0 to 0xFFFE name sets; 0xFFFF is the set that hides everything.
constexpr int kMaxSets = kPpHideAll;

}  // namespace

void PpHideSets::Init() {
    if (Count() == 1) {
        return;  // nothing but the empty set
    }
    pool_.clear();
    starts_.clear();
    byHash_.clear();
    Store({});
}

void PpHideSets::Free() {
    std::vector<const PpName*>().swap(pool_);
    std::vector<std::uint32_t>().swap(starts_);
    std::unordered_multimap<std::size_t, int>().swap(byHash_);
    std::vector<const PpName*>().swap(scratch_);
    std::vector<const PpName*>().swap(others_);
}

const PpName* const* PpHideSets::Members(int set) const {
    if (set < 0 || set >= Count()) {
        return nullptr;
    }
    return pool_.data() + starts_[set];
}

bool PpHideSets::Contains(int set, const PpName* entry) const {
    if (set == kPpHideAll) {
        return true;
    }
    const PpName* const* members = Members(set);
    for (; members != nullptr && *members != nullptr; ++members) {
        if (*members == entry) {
            return true;
        }
    }
    return false;
}

int PpHideSets::Add(int set, const PpName* entry) {
    const PpName* const* members = Members(set);
    if (members == nullptr) {
        return kPpHideAll;
    }
    scratch_.clear();
    for (; *members != nullptr; ++members) {
        if (*members == entry) {
            return set;
        }
        scratch_.push_back(*members);
    }
    const auto before = [](const PpName* a, const PpName* b) { return std::less<const PpName*>()(a, b); };
    scratch_.insert(std::upper_bound(scratch_.begin(), scratch_.end(), entry, before), entry);
    const int existing = Find(scratch_);
    if (existing >= 0) {
        return existing;
    }
    if (static_cast<int>(scratch_.size()) > kPpMaxHideSetNames || Count() >= kMaxSets) {
        return kPpHideAll;
    }
    return Store(scratch_);
}

int PpHideSets::Union(int a, int b) {
    const PpName* const* members = Members(b);
    if (members == nullptr) {
        return kPpHideAll;
    }
    // Add reuses the scratch list and may move the pool: copy b first.
    others_.clear();
    for (; *members != nullptr; ++members) {
        others_.push_back(*members);
    }
    for (const PpName* entry : others_) {
        a = Add(a, entry);
    }
    return a;
}

std::size_t PpHideSets::Hash(const std::vector<const PpName*>& members) {
    std::size_t hash = members.size();
    for (const PpName* entry : members) {
        hash = hash * 31 + std::hash<const PpName*>()(entry);
    }
    return hash;
}

int PpHideSets::Find(const std::vector<const PpName*>& members) const {
    const auto [first, last] = byHash_.equal_range(Hash(members));
    for (auto it = first; it != last; ++it) {
        const PpName* const* stored = pool_.data() + starts_[it->second];
        if (std::equal(members.begin(), members.end(), stored) && stored[members.size()] == nullptr) {
            return it->second;
        }
    }
    return -1;
}

int PpHideSets::Store(const std::vector<const PpName*>& members) {
    const int index = Count();
    starts_.push_back(static_cast<std::uint32_t>(pool_.size()));
    pool_.insert(pool_.end(), members.begin(), members.end());
    pool_.push_back(nullptr);
    byHash_.emplace(Hash(members), index);
    return index;
}

void InitHideSets(PpState& pp) {
    pp.hideSets.Init();
}

void FreeHideSets(PpState& pp) {
    pp.hideSets.Free();
}

int HideSetContains(PpState& pp, int set, const PpName* entry) {
    return pp.hideSets.Contains(set, entry) ? 1 : 0;
}

int HideSetAdd(PpState& pp, int set, const PpName* entry) {
    return pp.hideSets.Add(set, entry);
}

int HideSetUnion(PpState& pp, int a, int b) {
    return pp.hideSets.Union(a, b);
}

}  // namespace cimp::cpp
