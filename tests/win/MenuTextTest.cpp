#include <gtest/gtest.h>

#include "platform/win/MenuText.h"

TEST(MenuText, ADoubledAmpersandIsShownAsOneAndIsNoAccessKey) {
    EXPECT_EQ(MenuText::AccessKey("&File"), 'F');
    EXPECT_EQ(MenuText::AccessKey("Save && &exit"), 'E');
    EXPECT_EQ(MenuText::AccessKey("Track && roads"), 0);
    EXPECT_EQ(MenuText::AccessKey("Ends with &"), 0);
    EXPECT_EQ(MenuText::WithoutPrefixMarks("Save && &exit"), "Save & exit");
    EXPECT_EQ(MenuText::WithoutPrefixMarks("&File&"), "File");
    EXPECT_GT(MenuText::Width("A && B"), MenuText::Width("A  B"));
    EXPECT_EQ(MenuText::Width("&File"), MenuText::Width("File"));
}
