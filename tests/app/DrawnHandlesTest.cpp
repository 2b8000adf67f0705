#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "model/CCVNDoc.h"
#include "resources/CommandIds.h"
#include "tests/app/EveryClassLayout.h"
#include "tests/model/LayoutBytes.h"
#include "tests/support/FileBytes.h"
#include "tests/track/LargeLayout.h"

// Drawing a selected object places its handles for the zoom it is drawn at; what a save
// writes is the object as it was edited, whatever zooms it was drawn at since.

namespace {

class DrawnHandles : public EveryClassLayout {
  protected:
    void ZoomAndPaint(UINT command, int times) {
        for (int step = 0; step < times; ++step) {
            Command(command);
            View()->UpdateWindow();
            host.RunUntilIdle();
        }
    }
    void Paint() {
        View()->Invalidate();
        View()->UpdateWindow();
    }
};

}  // namespace

TEST_F(DrawnHandles, DrawingSelectedObjectsAtAnyZoomLeavesTheSavedBytesAsTheyWere) {
    const std::filesystem::path path = SavedEveryClass("handles.cvn");
    const std::vector<BYTE> file = ReadFileBytes(path);
    QuietDoc undrawn;
    LoadLayoutBytes(undrawn, file);
    const std::vector<BYTE> savedUndrawn = SaveLayoutBytes(undrawn);

    ASSERT_NE(app.OpenDocumentFile(path.c_str()), nullptr);
    host.RunUntilIdle();
    CCVNDoc& opened = *ActiveLayout();
    ASSERT_EQ(ClassesAtPlan(), kStoredClasses);
    Command(ID_EDIT_SELECT_ALL);
    ZoomAndPaint(ID_ZOOM_IN, 3);
    ZoomAndPaint(ID_ZOOM_OUT, 5);
    // The layout stores its zoom: back at the zoom it was saved at, not drawn there again.
    for (int step = 0; step < 2; ++step) Main().SendMessage(WM_COMMAND, ID_ZOOM_IN);
    EXPECT_EQ(SaveLayoutBytes(opened), savedUndrawn);
}

// One object of every class, selected and drawn at other zooms and handle sizes, then back at
// the zoom and size it was made at: the layout saves the bytes it saved before, unmodified.
TEST_F(DrawnHandles, DrawingAnySelectedObjectLeavesTheSavedBytesAndTheLayoutUnchanged) {
    BuildEveryClass();
    CTool& tool = Layout().m_tool;
    const double handleSize = tool.m_fHandleSize;
    std::set<std::string> walked;
    for (CPaint* member : Members()) {
        SCOPED_TRACE(member->GetClassName().c_str());
        walked.insert(member->GetClassName().c_str());
        tool.DeselectAll(0, 0);
        member->SelectWithUndo(0, 0);
        Layout().SetModifiedFlag(FALSE);
        const std::vector<BYTE> before = SaveLayoutBytes(Layout());
        for (const double size : {handleSize, 3.0 * handleSize}) {
            tool.m_fHandleSize = size;
            for (const UINT zoom : {ID_ZOOM_OUT, ID_ZOOM_IN, ID_ZOOM_IN}) {
                Main().SendMessage(WM_COMMAND, zoom);
                Paint();
            }
            Main().SendMessage(WM_COMMAND, ID_ZOOM_OUT);
        }
        tool.m_fHandleSize = handleSize;
        EXPECT_EQ(SaveLayoutBytes(Layout()), before);
        host.RunUntilIdle();
        EXPECT_FALSE(Layout().IsModified());
    }
    EXPECT_EQ(walked, kStoredClasses);
}
