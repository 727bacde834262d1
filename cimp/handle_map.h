// The maps of created handles: 17 buckets, a handle h in bucket (h >> 4) % 17,
// new entries at the front of their bucket.  The report walks them in exactly
// that order, so the layout is part of the behaviour.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>
#include <unordered_set>
#include <vector>

#include "tksbeapi.h"

namespace cimp {

class HandleMap {
public:
    static constexpr uint32_t kBuckets = 17;

    void Insert(TKSHandle handle) {
        if (!present_.insert(handle).second) return;
        buckets_[BucketOf(handle)].push_back(handle);  // stored oldest first; walked newest first
    }

    // Searches from the newest entry: erased handles are recent ones.
    bool Erase(TKSHandle handle) {
        if (present_.erase(handle) == 0) return false;
        auto& bucket = buckets_[BucketOf(handle)];
        for (auto it = bucket.rbegin(); it != bucket.rend(); ++it) {
            if (*it == handle) {
                bucket.erase(std::next(it).base());
                break;
            }
        }
        return true;
    }

    bool Contains(TKSHandle handle) const { return present_.count(handle) != 0; }

    bool Empty() const { return present_.empty(); }

    // Buckets 0 to 16, within a bucket from the most recently added entry.
    template <typename F>
    void ForEach(F&& visit) const {
        for (const auto& bucket : buckets_)
            for (auto it = bucket.rbegin(); it != bucket.rend(); ++it) visit(*it);
    }

    static uint32_t BucketOf(TKSHandle handle) { return (static_cast<uint32_t>(handle) >> 4) % kBuckets; }

private:
    std::array<std::vector<TKSHandle>, kBuckets> buckets_;
    std::unordered_set<TKSHandle> present_;  // keeps Insert and Contains constant-time
};

}  // namespace cimp
