#include <gtest/gtest.h>

#include <fstream>

#include "platform/ctl/CListCtrl.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "resources/FilePreviewTemplate.h"
#include "tests/support/TestFolder.h"
#include "ui/CFileDialogWithPreview.h"

namespace {
constexpr const char* kBitmaps = "Bitmap Files (*.bmp)|*.bmp||";
constexpr COLORREF kRed = RGB(200, 0, 0);
// A colour of the 4-bit default table.
constexpr COLORREF kBlue = RGB(0, 0, 255);

class FileDialogWithPreviewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WindowManager::Instance().Reset();
        WriteBitmap("a-red.bmp", kRed, 24);
        WriteBitmap("b-blue.bmp", kBlue, 4);
        std::ofstream(folder / "c-junk.bmp") << "PK not a bitmap at all";
    }
    void TearDown() override { WindowManager::Instance().Reset(); }

    void WriteBitmap(const char* name, COLORREF colour, int bitCount) {
        const std::vector<BYTE> bytes = EncodeBmpFile(PixelSurface(6, 3, PixelFromColor(colour)), bitCount);
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void ClickFile(CWnd& dialog, int index) {
        auto* list = static_cast<CListCtrl*>(dialog.GetDlgItem(lst1));
        CRect rect;
        list->GetItemRect(index, &rect, LVIR_LABEL);
        host.ClickClient(list, rect.CenterPoint());
    }
    // The colours at the centre and near two corners of the preview area.
    std::vector<COLORREF> Preview(CWnd& dialog) {
        host.RunUntilIdle();
        CWnd* area = dialog.GetDlgItem(IDC_FILE_PREVIEW_AREA);
        CRect client;
        area->GetClientRect(&client);
        std::vector<COLORREF> colours;
        for (CPoint point :
             {client.CenterPoint(), CPoint(1, 1), CPoint(client.right - 2, client.bottom - 2)}) {
            area->ClientToScreen(&point);
            CRect frame;
            dialog.GetWindowRect(&frame);
            colours.push_back(
                ColorFromPixel(dialog.Surface()->At(point.x - frame.left, point.y - frame.top)));
        }
        return colours;
    }

    HeadlessHost host;
    TestFolder folder;
};
}  // namespace

TEST_F(FileDialogWithPreviewTest, TheSelectedBitmapFillsThePreviewAndJunkLeavesItAsItWas) {
    const CString initial(folder.Path().string().c_str());
    CFileDialogWithPreview dialog(TRUE, "bmp", "*.bmp", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kBitmaps);
    dialog.m_ofn.lpstrInitialDir = initial.c_str();
    std::vector<std::vector<COLORREF>> shown;
    bool checkedAtOpen = false;
    bool nameFocusedAtOpen = false;
    host.WhenModal("Open", [&](CWnd& modal) {
        checkedAtOpen = dialog.IsDlgButtonChecked(IDC_FILE_SHOW_PREVIEW) == BST_CHECKED;
        nameFocusedAtOpen = CWnd::GetFocus() == modal.GetDlgItem(edt1);
        ClickFile(modal, 0);
        shown.push_back(Preview(modal));
        ClickFile(modal, 2);  // not a bitmap: the red stays
        shown.push_back(Preview(modal));
        ClickFile(modal, 1);
        shown.push_back(Preview(modal));
        host.ClickClient(modal.GetDlgItem(IDC_FILE_SHOW_PREVIEW), CPoint(3, 3));
        shown.push_back(Preview(modal));
        ClickFile(modal, 0);  // unchecked: nothing is drawn
        shown.push_back(Preview(modal));
        host.ClickClient(modal.GetDlgItem(IDC_FILE_SHOW_PREVIEW), CPoint(3, 3));
        shown.push_back(Preview(modal));
        host.PressKey(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(checkedAtOpen);
    // It opens with the focus in the file name, ready for typing.
    EXPECT_TRUE(nameFocusedAtOpen);
    const COLORREF window = GetSysColor(COLOR_BTNFACE);
    const std::vector<COLORREF> red(3, kRed), blue(3, kBlue);
    ASSERT_EQ(shown.size(), 6U);
    EXPECT_EQ(shown[0], red);
    EXPECT_EQ(shown[1], red);
    EXPECT_EQ(shown[2], blue);
    EXPECT_NE(shown[3][0], kBlue);
    EXPECT_TRUE(shown[3][0] == window || shown[3][0] == GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(shown[4][0], shown[3][0]);
    EXPECT_EQ(shown[5], red);
    EXPECT_EQ(dialog.GetFileName(), "a-red.bmp");
}
