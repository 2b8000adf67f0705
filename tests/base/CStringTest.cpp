#include "platform/base/CString.h"

#include <gtest/gtest.h>

#include "platform/base/CStringTable.h"

TEST(CString, KeepsEmbeddedZerosAndComparesByteWise) {
    CString face("Arial\0\0\0", 8);
    EXPECT_EQ(face.GetLength(), 8);
    EXPECT_NE(face, CString("Arial"));
    EXPECT_EQ(face.Left(5), "Arial");

    EXPECT_LT(CString("CTrack"), CString("CTracks"));
    EXPECT_LT(CString("B"), CString("a"));  // bytes, not letters
    EXPECT_GT(CString("\xB0"), CString("z"));  // unsigned bytes
    EXPECT_EQ(CString("cTrAcK").CompareNoCase("CTRACK"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("abcd").CompareNoCase("ABC"), 0);
}

TEST(CString, FormatsWithPrintfSemantics) {
    CString s;
    s.Format("%s %d %.3f %%", "Page", 3, 2.0 / 3.0);
    EXPECT_EQ(s, "Page 3 0.667 %");

    CString built;
    built.Format("%%.%df", 2);
    CString value;
    value.Format(built, 3.14159);
    EXPECT_EQ(value, "3.14");

    CString degrees;
    degrees.Format("%.1f\xB0", 45.0);
    EXPECT_EQ(degrees.GetLength(), 5);
    EXPECT_EQ(static_cast<unsigned char>(degrees[4]), 0xB0);

    CString longText;
    longText.Format("%s", std::string(5000, 'x').c_str());
    EXPECT_EQ(longText.GetLength(), 5000);
}

TEST(CString, CutsFindsAndTrims) {
    CString path("C:\\DATA\\x.bmp");
    EXPECT_EQ(path.Mid(3), "DATA\\x.bmp");
    EXPECT_EQ(path.Mid(3, 4), "DATA");
    EXPECT_EQ(path.Mid(20), "");
    EXPECT_EQ(path.Mid(-2, 2), "C:");
    EXPECT_EQ(path.Left(99), path);
    EXPECT_EQ(path.Right(3), "bmp");
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.Find('\\', 3), 7);
    EXPECT_EQ(path.Find("x.b"), 8);
    EXPECT_EQ(path.Find('q'), -1);
    EXPECT_EQ(path.Find('C', 99), -1);
    EXPECT_EQ(path.ReverseFind('\\'), 7);
    EXPECT_EQ(path.FindOneOf(".:"), 1);

    CString padded("  \t HO  \r\n");
    EXPECT_EQ(CString(padded).TrimLeft(), "HO  \r\n");
    EXPECT_EQ(CString(padded).TrimRight(), "  \t HO");
    EXPECT_EQ(padded.Trim(), "HO");
    EXPECT_EQ(CString("   ").Trim(), "");
    EXPECT_EQ(CString("^^Title").TrimLeft('^'), "Title");

    CString word("Straight \xB0Track");
    word.MakeUpper();
    EXPECT_EQ(word, "STRAIGHT \xB0TRACK");
    word.MakeLower();
    EXPECT_EQ(word, "straight \xB0track");

    CString text("a-b-c");
    EXPECT_EQ(text.Replace("-", "--"), 2);
    EXPECT_EQ(text, "a--b--c");
    EXPECT_EQ(text.Remove('-'), 4);
    EXPECT_EQ(text, "abc");
    text.Insert(1, "XY");
    text.Delete(0, 2);
    EXPECT_EQ(text, "Ybc");
}

TEST(CString, ConcatenatesAndUsesBuffers) {
    CString a("Page");
    EXPECT_EQ(a + " " + CString("1"), "Page 1");
    EXPECT_EQ('[' + a + ']', "[Page]");

    CString buffer;
    char* raw = buffer.GetBuffer(260);
    std::snprintf(raw, 260, "%s", "/opt/corvane/");
    buffer.ReleaseBuffer();
    EXPECT_EQ(buffer, "/opt/corvane/");
    EXPECT_EQ(buffer.GetLength(), 13);
}

TEST(CString, LoadsFromTheStringTable) {
    static const CStringTable::Entry entries[] = {{61001, "Could not create the 3D world"}};
    CStringTable::Register(entries);
    CString message("unchanged");
    EXPECT_FALSE(message.LoadString(61999));
    EXPECT_EQ(message, "unchanged");
    EXPECT_TRUE(message.LoadString(61001));
    EXPECT_EQ(message, "Could not create the 3D world");
}
