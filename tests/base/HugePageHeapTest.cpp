#include <gtest/gtest.h>

#include "platform/base/HugePageHeap.h"

// The heap's huge pages join whatever tunables the user gave, and a choice the user made about
// them stands.
TEST(HugePageHeap, TheWishJoinsTheGivenTunablesAndLeavesAGivenChoice) {
    EXPECT_EQ(TunablesWithHugePages(nullptr), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(TunablesWithHugePages(""), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(TunablesWithHugePages("glibc.malloc.check=3"), "glibc.malloc.check=3:glibc.malloc.hugetlb=1");
    EXPECT_EQ(TunablesWithHugePages("glibc.malloc.hugetlb=0"), std::nullopt);
    EXPECT_EQ(TunablesWithHugePages("glibc.malloc.check=3:glibc.malloc.hugetlb=2"), std::nullopt);
}
