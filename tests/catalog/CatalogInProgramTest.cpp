#include <fstream>

#include "model/CGroup.h"
#include "platform/base/CWinPath.h"
#include "platform/win/CMDIChildWnd.h"
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
