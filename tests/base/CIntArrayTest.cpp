#include "platform/base/CIntArray.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CIntArray, GrowsByAnEighthOfItsSizeBetweenFourAndTenTwentyFour) {
    CIntArray links;
    std::vector<int> capacities;
    for (int i = 0; i < 14; ++i) {
        links.Add(i);
        if (capacities.empty() || capacities.back() != links.GetCapacity())
            capacities.push_back(links.GetCapacity());
    }
    // A first block of exactly one, then steps of four while an eighth is smaller.
    EXPECT_EQ(capacities, (std::vector<int>{1, 5, 9, 13, 17}));
    for (int i = 0; i < 14; ++i) EXPECT_EQ(links[i], i);

    links.SetSize(800);
    links.FreeExtra();
    links.Add(-1);
    EXPECT_EQ(links.GetCapacity(), 900);  // 800 / 8
    EXPECT_EQ(links[800], -1);
    EXPECT_EQ(links[13], 13);

    links.SetSize(16000);
    links.FreeExtra();
    links.Add(7);
    EXPECT_EQ(links.GetCapacity(), 16000 + 1024);  // an eighth would be 2000

    // Removing keeps the order of the rest and the block.
    links.SetSize(4);
    links.RemoveAt(1);
    EXPECT_EQ(std::vector<int>(links.begin(), links.end()), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(links.GetCapacity(), 16000 + 1024);
}
