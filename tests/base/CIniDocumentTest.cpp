#include "platform/base/CIniDocument.h"

#include <gtest/gtest.h>

TEST(CIniDocument, EditsEntriesAndKeepsEveryOtherLine) {
    CIniDocument document(
        "[A]\n"
        "key=first\n"
        "KEY=second\n"
        "; note about B\n"
        "[b]\n"
        "x = 1\n"
        "\n"
        "[C]\n"
        "y=2");
    EXPECT_EQ(document.Value("a", "Key"), "first");  // the first of equal names
    EXPECT_EQ(document.Value("B", "X"), "1");
    EXPECT_EQ(document.Value("C", "x"), std::nullopt);
    EXPECT_EQ(document.Value("D", "x"), std::nullopt);

    document.SetValue("B", "z", "3");
    document.RemoveKey("A", "key");
    document.RemoveSection("c");
    document.SetValue("New", "k", " v ");
    EXPECT_EQ(document.Content(),
              "[A]\n"
              "KEY=second\n"
              "; note about B\n"
              "[b]\n"
              "x = 1\n"
              "z=3\n"
              "\n"
              "[New]\n"
              "k=\" v \"\n");
    EXPECT_EQ(document.Value("new", "K"), " v ");
    EXPECT_EQ(CIniDocument().Content(), "");
}
