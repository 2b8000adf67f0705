#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/GlobalMemory.h"

TEST(GlobalMemory, BlocksAreZeroedKeepTheirBytesWhenResizedAndCountLocks) {
    HGLOBAL block = GlobalAlloc(GHND, 16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 16u);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], 0) << i;
    std::memcpy(bytes, "layout", 6);
    // A second lock nests: the first unlock leaves the block locked.
    EXPECT_EQ(GlobalLock(block), bytes);
    EXPECT_TRUE(GlobalUnlock(block));
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_FALSE(GlobalUnlock(block)) << "unlocking an unlocked block fails";

    block = GlobalReAlloc(block, 64, GMEM_ZEROINIT);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 64u);
    bytes = static_cast<unsigned char*>(GlobalLock(block));
    EXPECT_EQ(std::memcmp(bytes, "layout", 6), 0);
    for (int i = 16; i < 64; ++i) EXPECT_EQ(bytes[i], 0) << i;
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, NoBlockIsHandledWithoutHarm) {
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
    EXPECT_FALSE(GlobalUnlock(nullptr));
    EXPECT_EQ(GlobalSize(nullptr), 0u);
    EXPECT_EQ(GlobalReAlloc(nullptr, 8, 0), nullptr);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
}
