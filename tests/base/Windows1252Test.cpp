#include "platform/base/Windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, ConvertsEveryByteToUtf8AndBack) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    std::string back;
    EXPECT_TRUE(Utf8ToAnsi(AnsiToUtf8(all), back));
    EXPECT_EQ(back, all);

    EXPECT_EQ(AnsiToUtf8("\xB0"), "\xC2\xB0");      // degree sign
    EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign

    EXPECT_FALSE(
        Utf8ToAnsi("a\xE2\x88\x9E"
                   "b",
                   back));  // infinity has no byte
    EXPECT_EQ(back, "a?b");
    EXPECT_FALSE(Utf8ToAnsi("\xC3", back));  // cut short
    EXPECT_EQ(back, "?");
}

TEST(Windows1252, ComparesLettersWithoutRegardToCase) {
    EXPECT_EQ(CompareAnsiNoCase("Gel\xE4nde", "GEL\xC4NDE"), 0);
    EXPECT_EQ(CompareAnsiNoCase("\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"), 0);
    EXPECT_NE(CompareAnsiNoCase("\xF7", "\xD7"), 0);  // division and multiplication signs are not letters
    EXPECT_LT(CompareAnsiNoCase("abc", "ABD"), 0);
    EXPECT_GT(CompareAnsiNoCase("abcd", "ABC"), 0);
}
