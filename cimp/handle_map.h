// The maps of created handles: 17 buckets, a handle h in bucket (h >> 4) % 17,
// new entries at the front of their bucket.  The report walks them in exactly
// that order, so the layout is part of the behaviour.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tksbeapi.h"

namespace cimp {

class HandleMap {
public:
    static constexpr uint32_t kBuckets = 17;

    void Insert(TKSHandle handle) {
        auto& bucket = buckets_[BucketOf(handle)];
        for (TKSHandle h : bucket)
            if (h == handle) return;
        bucket.push_back(handle);  // stored oldest first; walked newest first
    }

    bool Erase(TKSHandle handle) {
        auto& bucket = buckets_[BucketOf(handle)];
        for (auto it = bucket.begin(); it != bucket.end(); ++it) {
            if (*it == handle) {
                bucket.erase(it);
                return true;
            }
        }
        return false;
    }

    bool Contains(TKSHandle handle) const {
        for (TKSHandle h : buckets_[BucketOf(handle)])
            if (h == handle) return true;
        return false;
    }

    bool Empty() const {
        for (const auto& b : buckets_)
            if (!b.empty()) return false;
        return true;
    }

    // Buckets 0 to 16, within a bucket from the most recently added entry.
    template <typename F>
    void ForEach(F&& visit) const {
        for (const auto& bucket : buckets_)
            for (auto it = bucket.rbegin(); it != bucket.rend(); ++it) visit(*it);
    }

    static uint32_t BucketOf(TKSHandle handle) { return (static_cast<uint32_t>(handle) >> 4) % kBuckets; }

private:
    std::array<std::vector<TKSHandle>, kBuckets> buckets_;
};

}  // namespace cimp
