// Hide sets: shared, ordered, at most 30 names.
#include <gtest/gtest.h>

#include <deque>

#include "cimp/cpp/pp_state.h"

namespace cimp::cpp {
namespace {

class HideSetsTest : public ::testing::Test {
protected:
    void SetUp() override { sets.Init(); }
    const PpName* Name(int i) {
        while (static_cast<int>(names.size()) <= i) {
            names.emplace_back();
        }
        return &names[i];
    }
    std::vector<const PpName*> Members(int set) {
        std::vector<const PpName*> list;
        for (const PpName* const* m = sets.Members(set); m != nullptr && *m != nullptr; ++m) {
            list.push_back(*m);
        }
        return list;
    }

    PpHideSets sets;
    std::deque<PpName> names;
};

TEST_F(HideSetsTest, StartsWithTheEmptySet) {
    EXPECT_EQ(sets.Count(), 1);
    EXPECT_TRUE(Members(0).empty());
    EXPECT_FALSE(sets.Contains(0, Name(0)));
}

TEST_F(HideSetsTest, EqualSetsAreShared) {
    const int a = sets.Add(0, Name(0));
    const int ab = sets.Add(a, Name(1));
    const int b = sets.Add(0, Name(1));
    const int ba = sets.Add(b, Name(0));
    EXPECT_EQ(ab, ba);
    EXPECT_EQ(sets.Add(ab, Name(0)), ab);
    EXPECT_EQ(sets.Count(), 4);
    EXPECT_TRUE(sets.Contains(ab, Name(0)));
    EXPECT_TRUE(sets.Contains(ab, Name(1)));
    EXPECT_FALSE(sets.Contains(a, Name(1)));
}

TEST_F(HideSetsTest, MembersAreOrderedByAddress) {
    int set = 0;
    for (int i : {3, 0, 2, 1}) {
        set = sets.Add(set, Name(i));
    }
    const std::vector<const PpName*> expected{Name(0), Name(1), Name(2), Name(3)};
    EXPECT_EQ(Members(set), expected);
}

TEST_F(HideSetsTest, Union) {
    const int a = sets.Add(sets.Add(0, Name(0)), Name(1));
    const int b = sets.Add(sets.Add(0, Name(1)), Name(2));
    const int both = sets.Union(a, b);
    const std::vector<const PpName*> expected{Name(0), Name(1), Name(2)};
    EXPECT_EQ(Members(both), expected);
    EXPECT_EQ(sets.Union(a, 0), a);
    EXPECT_EQ(sets.Union(0, b), b);
}

TEST_F(HideSetsTest, ThirtyNamesAtMostThenEverythingIsHidden) {
    int set = 0;
    for (int i = 0; i < kPpMaxHideSetNames; ++i) {
        set = sets.Add(set, Name(i));
        ASSERT_NE(set, kPpHideAll);
    }
    EXPECT_EQ(Members(set).size(), 30u);
    const int full = sets.Add(set, Name(30));
    EXPECT_EQ(full, kPpHideAll);
    EXPECT_TRUE(sets.Contains(full, Name(99)));
    EXPECT_EQ(sets.Add(full, Name(0)), kPpHideAll);
    EXPECT_EQ(sets.Union(0, full), kPpHideAll);
    EXPECT_EQ(sets.Union(full, 0), kPpHideAll);
}

TEST_F(HideSetsTest, InitStartsAfresh) {
    sets.Add(0, Name(0));
    sets.Init();
    EXPECT_EQ(sets.Count(), 1);
    sets.Free();
    sets.Init();
    EXPECT_EQ(sets.Add(0, Name(0)), 1);
}

}  // namespace
}  // namespace cimp::cpp
