#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "model/CDataFolders.h"
#include "platform/base/CFileException.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/gdi/CFont.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"
#include "resources/Resources.h"
#include "shell/CCreditsCtrl.h"
#include "shell/CCreditsDialog.h"
#include "tests/support/TestFolder.h"

namespace {

constexpr int kControlHeight = 50;

class Credits : public testing::Test {
  protected:
    void SetUp() override {
        WindowManager::Instance().Reset();
        RegisterResources();
        std::ofstream file(folder / "CREDITS.DAT", std::ios::binary);
        file << "  ^Corvane  \r\nThe team\n\n^Thanks\nEveryone\n";
        file.close();
        ASSERT_TRUE(parent.Create(nullptr, "Parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200),
                                  nullptr, 0));
    }
    void TearDown() override {
        if (IsWindow(&parent))
            parent.DestroyWindow();
    }
    // The control over the test's credits, painted once so its image exists.
    void Show(CCreditsCtrl& credits) {
        ASSERT_TRUE(credits.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 10 + kControlHeight),
                                   &parent, 1292));
        credits.UpdateWindow();
        credits.StartAnimation();
    }

    TestFolder folder;
    HeadlessHost host;
    CWnd parent;
};

}  // namespace

TEST_F(Credits, LinesAreTrimmedAndScrollOnePixelPerTickAtEachSpeed) {
    CCreditsCtrl credits(folder / "CREDITS.DAT");
    EXPECT_EQ(credits.Lines(), (std::vector<CString>{"^Corvane", "The team", "", "^Thanks", "Everyone"}));
    Show(credits);
    const int imageHeight = credits.GetImageHeight();
    ASSERT_GT(imageHeight, 2 * kControlHeight);
    EXPECT_EQ((imageHeight - 2 * kControlHeight) % 5, 0);

    host.AdvanceClock(20);
    EXPECT_EQ(credits.GetOffset(), 1);
    int expected = 1;
    for (int speed = 2; speed <= CCreditsCtrl::kMaxSpeed; ++speed) {
        credits.Faster();
        EXPECT_EQ(credits.GetSpeed(), speed);
        host.AdvanceClock(20);
        expected += speed;
        if (expected >= imageHeight - kControlHeight)
            expected = 0;
        EXPECT_EQ(credits.GetOffset(), expected) << speed;
    }
    credits.Faster();
    EXPECT_EQ(credits.GetSpeed(), CCreditsCtrl::kMaxSpeed);

    // Stopped, nothing moves; running again, it goes on.
    credits.SetRunning(FALSE);
    host.AdvanceClock(100);
    EXPECT_EQ(credits.GetOffset(), expected);
}

TEST_F(Credits, RunningBackwardFromTheFirstRowJumpsToTheEnd) {
    CCreditsCtrl credits(folder / "CREDITS.DAT");
    Show(credits);
    credits.SetDirection(FALSE);
    host.AdvanceClock(20);
    EXPECT_EQ(credits.GetOffset(), credits.GetImageHeight() - kControlHeight);
    for (int i = 0; i < 9; ++i) credits.Slower();
    EXPECT_EQ(credits.GetSpeed(), CCreditsCtrl::kMinSpeed);
    host.AdvanceClock(40);
    EXPECT_EQ(credits.GetOffset(), credits.GetImageHeight() - kControlHeight - 2);
}

TEST_F(Credits, AMissingOrUnreadableCreditsFileGivesTheFileErrorWhenTheDialogIsBuilt) {
    auto causeOf = [](const std::filesystem::path& path) {
        try {
            CCreditsCtrl credits(path);
        } catch (const CFileException& failure) {
            return failure.m_cause;
        }
        return static_cast<int>(CFileException::none);
    };
    EXPECT_EQ(causeOf(folder / "NONE.DAT"), CFileException::fileNotFound);
    std::filesystem::create_directory(folder / "FOLDER.DAT");
    EXPECT_EQ(causeOf(folder / "FOLDER.DAT"), CFileException::isFolder);

    // The dialog reads the file of the program's data folder: without one it is not built.
    const CString previousBase = CDataFolders::GetBaseFolder();
    std::filesystem::create_directory(folder / "empty");
    CDataFolders::SetBaseFolder(CWinPath::FromReal(folder / "empty") + "\\");
    EXPECT_THROW(CCreditsDialog(), CFileException);

    CDataFolders::SetBaseFolder(CWinPath::FromReal(folder.Path()) + "\\");
    bool shown = false;
    host.WhenModal("Credits", [&](CWnd& dialog) {
        shown = true;
        CWnd* faster = dialog.GetDlgItem(1297);
        CWnd* slower = dialog.GetDlgItem(1298);
        ASSERT_NE(faster, nullptr);
        ASSERT_NE(slower, nullptr);
        EXPECT_FALSE(slower->IsWindowEnabled());
        for (int press = 0; press < 9; ++press) dialog.SendMessage(WM_COMMAND, 1297);
        EXPECT_FALSE(faster->IsWindowEnabled());
        EXPECT_TRUE(slower->IsWindowEnabled());
        dialog.SendMessage(WM_COMMAND, 1298);
        EXPECT_TRUE(faster->IsWindowEnabled());
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    CCreditsDialog dialog;
    EXPECT_EQ(dialog.Credits().Lines().size(), 5u);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(shown);
    CDataFolders::SetBaseFolder(previousBase);
}

// The lines are drawn in the control's own face: the image's line height follows it.
TEST_F(Credits, TheTextIsDrawnInTheControlsFace) {
    std::vector<int> heights;
    for (const char* face : {"DejaVu Sans", "Liberation Mono"}) {
        CFont controlFont;
        controlFont.CreateFont(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, face);
        CCreditsCtrl credits(folder / "CREDITS.DAT");
        ASSERT_TRUE(credits.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 10 + kControlHeight),
                                   &parent, 1292));
        credits.SetFont(&controlFont, FALSE);
        credits.UpdateWindow();
        CClientDC dc(&credits);
        LOGFONT shape{};
        controlFont.GetLogFont(&shape);
        shape.lfHeight = -(10 * dc.GetDeviceCaps(LOGPIXELSY) / 72);
        int lineHeight = 0;
        for (const LONG weight : {FW_NORMAL, FW_BOLD}) {
            shape.lfWeight = weight;
            shape.lfUnderline = weight == FW_BOLD;
            CFont lineFont;
            lineFont.CreateFontIndirect(&shape);
            CFont* old = dc.SelectObject(&lineFont);
            lineHeight = std::max(lineHeight, static_cast<int>(dc.GetTextExtent("Wq").cy));
            dc.SelectObject(old);
        }
        EXPECT_EQ(credits.GetImageHeight(), 5 * lineHeight + 2 * kControlHeight) << face;
        heights.push_back(credits.GetImageHeight());
        credits.DestroyWindow();
    }
    EXPECT_NE(heights[0], heights[1]);
}
