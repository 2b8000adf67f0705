#include <algorithm>

#include "model/CCVNDoc.h"
#include "platform/ctl/CHeaderCtrl.h"
#include "platform/ctl/CListCtrl.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/WindowDCs.h"
#include "resources/LayerPropertiesTemplate.h"
#include "shell/CLayerPropertiesDialog.h"
#include "tests/shell/DialogDriving.h"

namespace {
class LayerPropertiesDialogTest : public DialogDriving {
  protected:
    void SetUp() override {
        DialogDriving::SetUp();
        document.m_bAutoDelete = false;
        document.SetActiveLayer(2);
        document.SetLayerVisible(5, 0);
        document.SetLayerLocked(6, 1);
    }
    CListCtrl& List(CLayerPropertiesDialog& dialog) {
        return *static_cast<CListCtrl*>(dialog.GetDlgItem(IDC_LAYER_LIST));
    }
    void ClickCell(CLayerPropertiesDialog& dialog, int row, int column) {
        CRect cell;
        ASSERT_TRUE(List(dialog).GetSubItemRect(row, column, LVIR_BOUNDS, &cell));
        host.ClickClient(&List(dialog), cell.CenterPoint());
    }
    void ClickHeader(CLayerPropertiesDialog& dialog, int column) {
        CRect item;
        CHeaderCtrl* header = List(dialog).GetHeaderCtrl();
        ASSERT_TRUE(header->GetItemRect(column, &item));
        // Apart in time, so that two clicks on one header are not a double click.
        host.AdvanceClock(1000);
        host.ClickClient(header, item.CenterPoint());
    }
    // Pixels of the ink colour in a cell of the list, as the dialog's picture shows them.
    int InkPixels(CLayerPropertiesDialog& dialog, int row, int column, COLORREF ink) {
        host.RunUntilIdle();
        CRect cell;
        List(dialog).GetSubItemRect(row, column, LVIR_BOUNDS, &cell);
        List(dialog).ClientToScreen(&cell);
        CRect window;
        dialog.GetWindowRect(&window);
        cell.OffsetRect(-window.left, -window.top);
        int count = 0;
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x)
                count += ColorFromPixel(dialog.Surface()->At(x, y)) == ink ? 1 : 0;
        return count;
    }
    static int ActiveCount(const CLayerPropertiesDialog& dialog) {
        return static_cast<int>(std::count_if(dialog.m_rows.begin(), dialog.m_rows.end(),
                                              [](const LayerRow& row) { return row.active != 0; }));
    }
    // The flags of every row as "avl" letters, a dash for a clear flag.
    static CString Flags(const CLayerPropertiesDialog& dialog) {
        CString flags;
        for (const LayerRow& row : dialog.m_rows) {
            flags += row.active ? "a" : "-";
            flags += row.visible ? "v" : "-";
            flags += row.locked ? "l" : "-";
            flags += " ";
        }
        return flags;
    }

    CCVNDoc document;
};
}  // namespace

TEST_F(LayerPropertiesDialogTest, ClicksKeepExactlyOneActiveLayerShownAndUnlocked) {
    CLayerPropertiesDialog dialog;
    dialog.LoadFromDocument(document);
    EXPECT_EQ(dialog.m_rows[0].name, "Layer 0");
    EXPECT_EQ(dialog.m_rows[7].name, "Layer 7");
    EXPECT_EQ(Flags(dialog), "-v- -v- av- -v- -v- --- -vl -v- ");
    std::vector<CString> steps;
    std::vector<int> activeCounts;
    CString nameShown;
    host.WhenModal("Layer properties", [&](CWnd&) {
        auto step = [&] {
            steps.push_back(Flags(dialog));
            activeCounts.push_back(ActiveCount(dialog));
        };
        nameShown = List(dialog).GetItemText(3, 0);
        EXPECT_GT(InkPixels(dialog, 2, 1, RGB(0, 0, 0)), 0);
        EXPECT_EQ(InkPixels(dialog, 5, 1, RGB(0, 0, 0)), 0);
        EXPECT_EQ(InkPixels(dialog, 5, 2, RGB(0, 0, 0)), 0);
        // The active layer's name is blue.
        EXPECT_GT(InkPixels(dialog, 2, 0, RGB(0, 0, 255)), 0);
        EXPECT_EQ(InkPixels(dialog, 3, 0, RGB(0, 0, 255)), 0);
        ClickCell(dialog, 5, 1);  // the hidden layer becomes active, and shown
        step();
        EXPECT_EQ(InkPixels(dialog, 2, 1, RGB(0, 0, 0)), 0);
        EXPECT_GT(InkPixels(dialog, 5, 1, RGB(0, 0, 0)), 0);
        EXPECT_GT(InkPixels(dialog, 5, 2, RGB(0, 0, 0)), 0);
        // Selected, the active name is cyan on the highlight.
        EXPECT_GT(InkPixels(dialog, 5, 0, RGB(0, 255, 255)), 0);
        ClickCell(dialog, 5, 2);  // the active layer stays shown
        ClickCell(dialog, 5, 3);  // and unlocked
        step();
        ClickCell(dialog, 1, 2);  // another layer is hidden, then locked
        ClickCell(dialog, 1, 3);
        step();
        ClickHeader(dialog, 3);  // every other layer locked
        step();
        ClickHeader(dialog, 3);  // and unlocked again
        ClickHeader(dialog, 2);  // every other layer shown
        step();
        ClickCell(dialog, 6, 3);
        ClickCell(dialog, 6, 1);  // a locked layer made active is unlocked
        step();
        ClickCell(dialog, 6, 1);  // clicking the active one again changes nothing
        step();
        EXPECT_EQ(List(dialog).GetSelectedCount(), 1);
        EXPECT_EQ(List(dialog).GetNextItem(-1, LVNI_SELECTED), 6);
        host.PressKey(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(nameShown, "Layer 3");
    EXPECT_EQ(steps, (std::vector<CString>{
                         "-v- -v- -v- -v- -v- av- -vl -v- ",
                         "-v- -v- -v- -v- -v- av- -vl -v- ",
                         "-v- --l -v- -v- -v- av- -vl -v- ",
                         "-vl --l -vl -vl -vl av- -vl -vl ",
                         "-v- -v- -v- -v- -v- av- -v- -v- ",
                         "-v- -v- -v- -v- -v- -v- av- -v- ",
                         "-v- -v- -v- -v- -v- -v- av- -v- ",
                     }));
    for (int count : activeCounts) EXPECT_EQ(count, 1);

    dialog.ApplyToDocument(document);
    EXPECT_EQ(document.GetActiveLayer(), 6);
    for (int layer = 0; layer < CTool::kLayerCount; ++layer) {
        EXPECT_TRUE(document.GetTool()->IsLayerVisible(layer)) << layer;
        EXPECT_FALSE(document.IsLayerLocked(layer)) << layer;
    }
}

TEST_F(LayerPropertiesDialogTest, TheFourColumnsShowWholeWithoutAScrollBar) {
    CLayerPropertiesDialog dialog;
    dialog.LoadFromDocument(document);
    host.WhenModal("Layer properties", [&](CWnd&) {
        host.RunUntilIdle();
        CListCtrl& list = List(dialog);
        CRect client, lock;
        list.GetClientRect(&client);
        ASSERT_TRUE(list.GetSubItemRect(7, CLayerListCtrl::kLockColumn, LVIR_BOUNDS, &lock));
        EXPECT_EQ(lock.Width(), 60);
        EXPECT_LE(lock.right, client.right);
        EXPECT_LE(lock.bottom, client.bottom);
        EXPECT_FALSE(list.GetStyle() & WS_HSCROLL);
        host.PressKey(VK_ESCAPE);
    });
    dialog.DoModal();
}

TEST_F(LayerPropertiesDialogTest, CancelLeavesTheDocumentsLayersAsTheyWere) {
    CLayerPropertiesDialog dialog;
    dialog.LoadFromDocument(document);
    host.WhenModal("Layer properties", [&](CWnd&) {
        ClickCell(dialog, 0, 1);
        ClickHeader(dialog, 3);
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(document.GetActiveLayer(), 2);
    EXPECT_FALSE(document.GetTool()->IsLayerVisible(5));
    EXPECT_TRUE(document.IsLayerLocked(6));
    EXPECT_FALSE(document.IsLayerLocked(0));
}

TEST_F(LayerPropertiesDialogTest, ALongNameIsCutWithDotsToTheColumn) {
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "Names", WS_POPUP, CRect(0, 0, 200, 50), nullptr, 0));
    CClientDC dc(&window);
    const CString name = "A layer with a name far too long for its column";
    const int width = dc.GetTextExtent("A layer with").cx + dc.GetTextExtent("...").cx + 2;
    const CString shown = CLayerListCtrl::FitName(dc, name, width);
    EXPECT_EQ(shown, "A layer with...");
    EXPECT_EQ(CLayerListCtrl::FitName(dc, "Layer 1", 150), "Layer 1");
    EXPECT_EQ(CLayerListCtrl::FitName(dc, name, 1), "A...");
    window.DestroyWindow();
}
