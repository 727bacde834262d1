// Hide sets: the set of macros that produced a token.  Sets are shared (equal
// sets have one index), ordered by the address of their entries, and hold at
// most 30 names.  Index 0 is the empty set.  A set that would need more names
// becomes kPpHideAll, which hides every macro, so no expansion can go on
// forever; the caller reports it.  Only tokens of the line being expanded
// carry hide sets (macro bodies never do), so the sets start afresh with each
// line (BeginLine), and the 16-bit index never runs out on long inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace cimp::cpp {

struct PpName;
struct PpState;

inline constexpr int kPpMaxHideSetNames = 30;
inline constexpr int kPpHideAll = 0xFFFF;

class PpHideSets {
public:
    // Starts with the empty set only.
    void Init();
    void Free();
    bool Contains(int set, const PpName* entry) const;
    int Add(int set, const PpName* entry);
    int Union(int a, int b);
    int Count() const { return static_cast<int>(starts_.size()); }

    // The members of a set (null-terminated, ordered); none for kPpHideAll.
    const PpName* const* Members(int set) const;

private:
    int Find(const std::vector<const PpName*>& members) const;
    int Store(const std::vector<const PpName*>& members);
    static std::size_t Hash(const std::vector<const PpName*>& members);

    std::vector<const PpName*> pool_;  // all sets, each ended by null
    std::vector<std::uint32_t> starts_;  // index -> start in pool_
    std::unordered_multimap<std::size_t, int> byHash_;
    std::vector<const PpName*> scratch_;
    std::vector<const PpName*> others_;
};

void InitHideSets(PpState& pp);
void FreeHideSets(PpState& pp);
int HideSetContains(PpState& pp, int set, const PpName* entry);
int HideSetAdd(PpState& pp, int set, const PpName* entry);
int HideSetUnion(PpState& pp, int a, int b);

}  // namespace cimp::cpp
