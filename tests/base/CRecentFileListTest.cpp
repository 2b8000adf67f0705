#include "platform/base/CRecentFileList.h"

#include <gtest/gtest.h>

#include "tests/support/TestFolder.h"

TEST(CRecentFileList, KeepsTheNewestFirstWithoutDuplicates) {
    TestFolder folder;
    CProfile profile(folder / "corvane.ini");
    CRecentFileList list(profile);
    ASSERT_EQ(list.GetSize(), 4);

    for (const char* name : {"C:\\a.cvn", "C:\\b.cvn", "C:\\c.cvn", "C:\\d.cvn"}) {
        list.Add(name);
    }
    EXPECT_EQ(list[0], "C:\\d.cvn");
    EXPECT_EQ(list[3], "C:\\a.cvn");

    list.Add("c:\\B.CVN");  // the same file in other letters moves up
    EXPECT_EQ(list[0], "c:\\B.CVN");
    EXPECT_EQ(list[1], "C:\\d.cvn");
    EXPECT_EQ(list[2], "C:\\c.cvn");
    EXPECT_EQ(list[3], "C:\\a.cvn");

    list.Add("C:\\e.cvn");  // the oldest drops out
    EXPECT_EQ(list[0], "C:\\e.cvn");
    EXPECT_EQ(list[3], "C:\\c.cvn");

    list.Add("");
    EXPECT_EQ(list[0], "C:\\e.cvn");

    list.Remove(1);
    EXPECT_EQ(list[1], "C:\\d.cvn");
    EXPECT_EQ(list[3], "");
    EXPECT_EQ(list[4], "");
    EXPECT_EQ(list[-1], "");
}

TEST(CRecentFileList, LoadsAndSavesItsProfileSection) {
    TestFolder folder;
    CProfile profile(folder / "corvane.ini");
    profile.WriteProfileString("Recent File List", "File1", "C:\\old1.cvn");
    profile.WriteProfileString("Recent File List", "File2", "C:\\old2.cvn");
    profile.WriteProfileString("Recent File List", "File9", "C:\\stray.cvn");

    CRecentFileList list(profile);
    list.ReadList();
    EXPECT_EQ(list[0], "C:\\old1.cvn");
    EXPECT_EQ(list[1], "C:\\old2.cvn");
    EXPECT_EQ(list[2], "");

    list.Add("C:\\new.cvn");
    list.WriteList();
    EXPECT_EQ(profile.GetProfileString("recent file list", "file1"), "C:\\new.cvn");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File2"), "C:\\old1.cvn");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File3"), "C:\\old2.cvn");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File4", "none"), "none");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File9", "none"), "none");

    CRecentFileList reread(profile);
    reread.ReadList();
    EXPECT_EQ(reread[2], "C:\\old2.cvn");
}
