#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "drawing/CBMP.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/Cursors.h"
#include "resources/CommandIds.h"
#include "resources/PicturePropertiesTemplate.h"
#include "shell/CCVNView.h"
#include "tests/app/RunningProgram.h"

// A picture taken from the pictures' data folder into a picture on the plan, as a person
// browses for it: a file cut short inside its pixels still shows, the rest of it black.

namespace {

constexpr COLORREF kRed = RGB(200, 30, 40);
constexpr int kWidth = 40;
constexpr int kHeight = 20;
constexpr int kStoredRows = 10;

class DataFolderPicture : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        std::filesystem::create_directories(pictures);
        ASSERT_TRUE(Start());
        CProfile::Program().WriteProfileString("Paths", "Bitmaps", (pictures.string() + "/").c_str());
        host.AdvanceClock(CSplashWindow::kShowTime);
    }
    CCVNView& View() { return *dynamic_cast<CCVNView*>(Main().MDIGetActive()->GetActiveView()); }
    void Write(const char* name, const std::vector<BYTE>& bytes) {
        std::ofstream(pictures / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    // Drags a picture out on the plan; in its dialog browses for the file, answering the messages
    // expected, and closes the dialog with the button. The cursors shown from the choice of the
    // file to the end of the browse are kept.
    void PlacePicture(const char* file, int button) {
        host.WhenModal("Picture properties", [&, file, button](CWnd& dialog) {
            host.WhenModal("Open", [&, file](CWnd& open) {
                open.GetDlgItem(edt1)->SetWindowText((pictures / file).c_str());
                m_cursorsBefore = host.CursorChanges();
                for (int i = 0; i < m_messagesToAnswer; ++i) host.AnswerMessageBox(IDOK);
                host.PressKey(VK_RETURN);
            });
            host.ClickClient(dialog.GetDlgItem(IDC_PICTURE_BROWSE), CPoint(3, 3));
            m_cursorsWhileLoading = host.CursorsShownSince(m_cursorsBefore);
            host.ClickClient(dialog.GetDlgItem(button), CPoint(5, 5));
        });
        Main().SendMessage(WM_COMMAND, ID_TOOL_BITMAP_PICTURE);
        host.AdvanceClock(1000);
        host.DragClient(&View(), CPoint(100, 100), CPoint(300, 300), 6);
        host.RunUntilIdle();
    }
    COLORREF ShownAt(CPoint client) {
        View().ClientToScreen(&client);
        CRect frame;
        Main().GetWindowRect(&frame);
        return ColorFromPixel(Main().Surface()->At(client.x - frame.left, client.y - frame.top));
    }
    CBMP* OnlyPicture() {
        CCVNDoc* layout = ActiveLayout();
        return layout->m_rootGroup.m_members.size() == 1
                   ? dynamic_cast<CBMP*>(layout->m_rootGroup.m_members.front())
                   : nullptr;
    }

    std::filesystem::path pictures = folder / "pictures";
    int m_messagesToAnswer = 0;
    size_t m_cursorsBefore = 0;
    std::vector<HCURSOR> m_cursorsWhileLoading;
};

}  // namespace

TEST_F(DataFolderPicture, AFileCutShortShowsItsStoredRowsAndTheRestBlackWithTheWaitCursorMeanwhile) {
    std::vector<BYTE> bytes = EncodeBmpFile(PixelSurface(kWidth, kHeight, PixelFromColor(kRed)), 24);
    // Rows are stored from the bottom up: the lower half is in the file, the upper half not.
    bytes.resize(bytes.size() - static_cast<size_t>(DibStride(kWidth, 24)) * (kHeight - kStoredRows));
    Write("cut.bmp", bytes);
    PlacePicture("cut.bmp", IDOK);
    EXPECT_TRUE(host.MessageBoxes().empty());
    CBMP* picture = OnlyPicture();
    ASSERT_NE(picture, nullptr);
    ASSERT_NE(picture->GetPicture(), nullptr);
    EXPECT_EQ(picture->GetPicture()->GetBitmapDimension(), CSize(kWidth, kHeight));
    // The picture covers the dragged square, upright.
    EXPECT_EQ(ShownAt(CPoint(200, 120)), RGB(0, 0, 0));
    EXPECT_EQ(ShownAt(CPoint(150, 180)), RGB(0, 0, 0));
    EXPECT_EQ(ShownAt(CPoint(200, 220)), kRed);
    EXPECT_EQ(ShownAt(CPoint(250, 280)), kRed);
    const HCURSOR wait = LoadStandardCursor(IDC_WAIT);
    EXPECT_NE(std::find(m_cursorsWhileLoading.begin(), m_cursorsWhileLoading.end(), wait),
              m_cursorsWhileLoading.end());
    EXPECT_NE(host.ShownCursor(), wait);

    // A file whose headers describe no bitmap is refused with the message.
    std::ofstream(pictures / "junk.bmp") << "BM no picture at all, only words";
    m_messagesToAnswer = 2;
    PlacePicture("junk.bmp", IDCANCEL);
    ASSERT_FALSE(host.MessageBoxes().empty());
    const CString& refused = host.MessageBoxes().front().text;
    EXPECT_EQ(refused.Left(20), "Could not read file ");
    EXPECT_NE(refused.Find("junk.bmp"), -1) << refused.c_str();
}
