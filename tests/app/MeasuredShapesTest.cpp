#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "model/CCVNDoc.h"
#include "tests/app/EveryClassLayout.h"
#include "tests/model/LayoutBytes.h"

// What a drawing shows of a shape (a perimeter, a length, tangent points) is measured by the
// edit that changed it: after any edit of any object, and after its Undo, drawing the layout
// and measuring every object anew leave the saved bytes as they were.

namespace {

struct Edit {
    const char* name;
    std::function<void(CTool&, CPaint&)> apply;
};

const std::vector<Edit> kEdits = {
    {"move", [](CTool& tool, CPaint&) { tool.MoveSelection(13.37, -7.71, 0, 1, 1); }},
    {"turn", [](CTool& tool, CPaint&) { tool.RotateSelection(0.3217, nullptr, 0, 1, 1); }},
    {"flip vertical", [](CTool& tool, CPaint&) { tool.FlipVertical(1); }},
    {"flip horizontal", [](CTool& tool, CPaint&) { tool.FlipHorizontal(1); }},
    {"rescale", [](CTool&, CPaint& object) { object.RescaleWithUndo(nullptr, 1.7, 1); }},
};

class MeasuredShapes : public EveryClassLayout {
  protected:
    void Paint() {
        View()->Invalidate();
        View()->UpdateWindow();
        host.RunUntilIdle();
    }
    // The saved bytes hold what the object's drawing and a new measure would.
    void ExpectMeasured(const char* when) {
        SCOPED_TRACE(when);
        const std::vector<BYTE> edited = SaveLayoutBytes(Layout());
        Paint();
        EXPECT_EQ(SaveLayoutBytes(Layout()), edited);
        for (CPaint* member : Members()) member->MeasureShape();
        EXPECT_EQ(SaveLayoutBytes(Layout()), edited);
    }
};

}  // namespace

TEST_F(MeasuredShapes, EveryEditOfEveryClassSavesWhatItsDrawingShows) {
    BuildEveryClass();
    CTool& tool = Layout().m_tool;
    std::set<std::string> walked;
    const std::vector<CPaint*> objects(Members().begin(), Members().end());
    for (CPaint* object : objects) {
        SCOPED_TRACE(object->GetClassName().c_str());
        walked.insert(object->GetClassName().c_str());
        for (const Edit& edit : kEdits) {
            SCOPED_TRACE(edit.name);
            tool.DeselectAll(0, 0);
            object->SelectWithUndo(0, 0);
            edit.apply(tool, *object);
            ExpectMeasured("edited");
            tool.Undo();
            ExpectMeasured("undone");
        }
    }
    EXPECT_EQ(walked, kStoredClasses);
}

// A layout read in and drawn twice saves the bytes it saved when read.
TEST_F(MeasuredShapes, DrawingAReadLayoutTwiceChangesNoByte) {
    BuildEveryClass();
    const std::filesystem::path path = folder / "measured.cvn";
    ASSERT_TRUE(Layout().OnSaveDocument(path.c_str()));
    Layout().SetModifiedFlag(FALSE);
    Main().MDIGetActive()->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    ASSERT_NE(app.OpenDocumentFile(path.c_str()), nullptr);
    host.RunUntilIdle();
    const std::vector<BYTE> read = SaveLayoutBytes(Layout());
    Command(ID_EDIT_SELECT_ALL);
    for (int drawing = 0; drawing < 2; ++drawing) {
        Paint();
        EXPECT_EQ(SaveLayoutBytes(Layout()), read);
    }
}
