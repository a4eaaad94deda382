#include "core/IntList.h"

#include "core/Exceptions.h"

#include <gtest/gtest.h>
#include <random>

namespace {

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EListError& e) {
        return e.Message;
    }
    return "no error";
}

TEST(IntList, RangeErrorsNameTheOffendingValue) {
    TIntList list;
    list.Add(5);
    EXPECT_EQ(ErrorOf([&] { list.Items(1); }), "List index out of bounds (1)");
    EXPECT_EQ(ErrorOf([&] { list.Items(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ErrorOf([&] { list.Delete(3); }), "List index out of bounds (3)");
    EXPECT_EQ(ErrorOf([&] { list.SetCount(-2); }), "List index out of bounds (-2)");
    EXPECT_EQ(ErrorOf([&] { list.SetCount(134217728); }), "List index out of bounds (134217728)");
    EXPECT_EQ(ErrorOf([&] { list.SetCapacity(0); }), "List index out of bounds (0)");
    EXPECT_EQ(ErrorOf([&] { list.SetCapacity(134217728); }), "List index out of bounds (134217728)");
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), 5);
}

TEST(IntList, GrowsByTheListRules) {
    TIntList list;
    std::vector<int> capacities;
    for (int i = 0; i < 200; ++i) {
        list.Add(i);
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147, 183, 228}));
}

TEST(IntList, CountChangesAppendZerosOrDropTheTail) {
    TIntList list;
    list.Add(7);
    list.SetCount(3);
    EXPECT_EQ(list.Items(1), 0);
    EXPECT_EQ(list.Items(2), 0);
    list.SetCount(1);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), 7);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 0);
    list.Add(1);
    list.Clear();
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(IntList, QuickSortMatchesStandardSort) {
    std::mt19937 rng(7);
    for (int n : {0, 1, 2, 17, 1000}) {
        TIntList list;
        std::vector<int> expected;
        for (int i = 0; i < n; ++i) {
            const int v = static_cast<int>(rng() % 50) - 25;
            list.Add(v);
            expected.push_back(v);
        }
        list.Sort([](int a, int b) { return a < b ? -1 : a > b ? 1 : 0; });
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(std::vector<int>(list.begin(), list.end()), expected);
    }
}

TEST(IntList, StrictlyAscendingDetectsRepeatsAndDescents) {
    TIntList list;
    EXPECT_TRUE(list.StrictlyAscending());
    for (int v : {1, 3, 4})
        list.Add(v);
    EXPECT_TRUE(list.StrictlyAscending());
    list.Add(4);
    EXPECT_FALSE(list.StrictlyAscending());
}

} // namespace
