#include <algorithm>
#include <fstream>
#include <list>

#include "catalog/CLibraryDialog.h"
#include "drawing/CBMP.h"
#include "drawing/CBox.h"
#include "drawing/CSizeAngle.h"
#include "model/CGroup.h"
#include "platform/base/CWinPath.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/WindowDCs.h"
#include "resources/CatalogTemplates.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "tests/app/RunningProgram.h"
#include "track/CTrack.h"

namespace {

class CatalogInProgram : public RunningProgram {
  protected:
    CView* View() { return Main().MDIGetActive()->GetActiveView(); }
    // The window of the caption appears when the command is sent to the window, and is closed.
    void ExpectDialog(CWnd* target, UINT command, const CString& caption) {
        bool shown = false;
        host.WhenModal(caption, [&](CWnd& modal) {
            shown = true;
            modal.EndModalLoop(IDCANCEL);
        });
        target->SendMessage(WM_COMMAND, command);
        EXPECT_TRUE(shown) << caption.c_str();
    }
    // Places the library's first row on the plan through the dialog's "Add to plan".
    void AddFirstRowToPlan() {
        host.WhenModal("Library", [&](CWnd& modal) {
            auto& dialog = static_cast<CLibraryDialog&>(modal);
            dialog.GetList().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
            CWnd* button = dialog.GetDlgItem(IDC_LIBRARY_ADD_TO_PLAN);
            CRect client;
            button->GetClientRect(&client);
            host.ClickClient(button, client.CenterPoint());
        });
        Main().SendMessage(WM_COMMAND, ID_LIBRARY_GET_OBJECT);
        host.RunUntilIdle();
    }
    // The layout point at the middle of the plan window, mapped as a mouse press there is.
    CDoublePoint VisibleCentre(CCVNView& view) {
        CRect client;
        view.GetClientRect(&client);
        CClientDC dc(&view);
        view.OnPrepareDC(&dc);
        CPoint logical = client.CenterPoint();
        dc.DPtoLP(&logical);
        return ActiveLayout()->m_tool.DeviceToLayout(logical.x, logical.y);
    }
    static CDoublePoint Centre(CPaint* object) {
        double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
        object->GetBounds(nullptr, minX, minY, maxX, maxY);
        return {(minX + maxX) / 2, (minY + maxY) / 2};
    }
};

}  // namespace

TEST_F(CatalogInProgram, EveryCatalogueDialogOpensFromTheMenusAndThePlanView) {
    ASSERT_TRUE(Start());
    CCVNDoc* layout = ActiveLayout();
    ASSERT_NE(layout, nullptr);
    std::ofstream(folder / "parts.cvp", std::ios::binary) << "Track;Acme;HO;S;D;1;1;1.00;N;\r\n";
    layout->m_strPartsPath = CWinPath::FromReal(folder / "parts.cvp");
    layout->m_strLibraryPath = CWinPath::FromReal(folder / "symbols.cvl");
    for (UINT command : {ID_LIBRARY_GET_OBJECT, ID_LIBRARY_PUT_SELECTION, ID_MATERIALS_REPORT, ID_PARTS_LIST})
        EXPECT_TRUE(IsEnabled(command)) << command;

    ExpectDialog(&Main(), ID_MATERIALS_REPORT, "Materials Report");
    ExpectDialog(&Main(), ID_PARTS_LIST, "Manufacturer Parts List");
    ExpectDialog(&Main(), ID_LIBRARY_GET_OBJECT, "Library");
    ExpectDialog(View(), ID_PLAN_MATERIALS_REPORT, "Materials Report");
    ExpectDialog(View(), ID_PLAN_PARTS_LIST, "Manufacturer Parts List");

    // Putting the selection into the library shows the notice.
    auto* piece = new CTrack();
    piece->SetTool(&layout->m_tool);
    layout->m_rootGroup.m_members.push_back(piece);
    piece->SetOwnerGroup(&layout->m_rootGroup);
    piece->SelectWithUndo(0, 0);
    ExpectDialog(&Main(), ID_LIBRARY_PUT_SELECTION, "");
    EXPECT_EQ(layout->m_libraryGroup.m_members.size(), 1U);
}

TEST_F(CatalogInProgram, AddToPlanCentresTheCopyInTheVisiblePlan) {
    ASSERT_TRUE(Start());
    CCVNDoc* layout = ActiveLayout();
    auto* view = dynamic_cast<CCVNView*>(View());
    ASSERT_NE(view, nullptr);
    layout->m_strLibraryPath = CWinPath::FromReal(folder / "symbols.cvl");
    CBitmap bitmap;
    CClientDC screen(view);
    bitmap.CreateCompatibleBitmap(&screen, 40, 30);
    ASSERT_TRUE(bitmap.SaveBmpFile((folder / "picture.bmp").c_str(), 24));
    CTool* tool = &layout->m_tool;
    auto* box = new CBox(0, tool, 0.0, 0.0);
    box->MoveBoxCorner(3, 100.0, -100.0, nullptr);
    auto* angle = new CSizeAngle(0, tool, 1000.0, 1000.0);
    angle->SetPoints(1500.0, 1000.0, 1000.0, 1500.0, 1000.0, 1000.0, 1300.0, 1300.0, 1, 0, 0);
    auto* picture = new CBMP(0, tool, -2000.0, -2000.0);
    picture->MoveBoxCorner(3, 1200.0, -800.0, nullptr);
    picture->m_strFile = CWinPath::FromReal(folder / "picture.bmp");
    // At the zoom a new layout opens with, then scrolled away from the page's corner.
    for (const bool scrolled : {false, true})
        for (CPaint* part : std::initializer_list<CPaint*>{box, angle, picture}) {
            layout->m_libraryGroup.m_members.clear();
            part->m_strCategory = "Track";
            layout->m_libraryGroup.m_members.push_back(part);
            part->SetOwnerGroup(&layout->m_libraryGroup);
            if (scrolled)
                view->ScrollToPosition(CPoint(3000, -2000));
            host.RunUntilIdle();
            const CDoublePoint target = VisibleCentre(*view);
            const std::list<CPaint*> before(layout->m_rootGroup.m_members.begin(),
                                            layout->m_rootGroup.m_members.end());
            AddFirstRowToPlan();
            const auto copy = std::find_if(
                layout->m_rootGroup.m_members.begin(), layout->m_rootGroup.m_members.end(),
                [&](CPaint* member) { return std::count(before.begin(), before.end(), member) == 0; });
            ASSERT_NE(copy, layout->m_rootGroup.m_members.end());
            const CDoublePoint placed = Centre(*copy);
            const CString kind = part->GetRuntimeClass()->m_lpszClassName;
            EXPECT_NEAR(placed.x, target.x, 20.0) << kind.c_str() << scrolled;
            EXPECT_NEAR(placed.y, target.y, 20.0) << kind.c_str() << scrolled;
        }
    EXPECT_TRUE(host.MessageBoxes().empty());
    layout->m_libraryGroup.m_members.clear();
    for (CPaint* part :
         {static_cast<CPaint*>(box), static_cast<CPaint*>(angle), static_cast<CPaint*>(picture)})
        layout->m_libraryGroup.m_members.push_back(part);
}
