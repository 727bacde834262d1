#include "cimp/handle_map.h"

#include <gtest/gtest.h>

#include <vector>

namespace cimp {
namespace {

std::vector<TKSHandle> Walk(const HandleMap& map) {
    std::vector<TKSHandle> order;
    map.ForEach([&](TKSHandle h) { order.push_back(h); });
    return order;
}

TEST(HandleMap, WalksBucketsInOrderNewestFirst) {
    HandleMap map;
    // 0x10 -> bucket 1, 0x120 -> 18 % 17 = 1, 0x20 -> bucket 2, 5 -> bucket 0, 0x110 -> 17 % 17 = 0
    for (TKSHandle h : {0x10u, 0x20u, 0x120u, 5u, 0x110u}) map.Insert(h);
    EXPECT_EQ(Walk(map), (std::vector<TKSHandle>{0x110, 5, 0x120, 0x10, 0x20}));
    EXPECT_TRUE(map.Erase(0x120));
    EXPECT_FALSE(map.Erase(0x120));
    EXPECT_FALSE(map.Contains(0x120));
    EXPECT_TRUE(map.Contains(0x10));
    EXPECT_EQ(Walk(map), (std::vector<TKSHandle>{0x110, 5, 0x10, 0x20}));
    EXPECT_EQ(HandleMap::BucketOf(0xFFFFFFFFu), (0xFFFFFFFFu >> 4) % 17);
}

}  // namespace
}  // namespace cimp
