#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CEditStep.h"
#include "model/CGroup.h"
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
    // A rescale is a step of the commands that give it (a group's corner drag, a new scale),
    // which keep the object's former state for Undo.
    {"rescale",
     [](CTool& tool, CPaint& object) {
         auto former = std::make_unique<CEditStep>(kStepRestoreProperties, &object, 1);
         former->SetPayload(std::make_unique<ObjectCopyPayload>(object.Clone()));
         tool.PushUndo(former.release());
         object.RescaleWithUndo(nullptr, 1.7, 1);
     }},
};

class MeasuredShapes : public EveryClassLayout {
  protected:
    void Paint() {
        View()->Invalidate();
        View()->UpdateWindow();
        host.RunUntilIdle();
    }
    static void MeasureAll(CPaint& object) {
        object.MeasureShape();
        if (auto* group = dynamic_cast<CGroup*>(&object))
            for (CPaint* member : group->m_members) MeasureAll(*member);
    }
    // The saved bytes hold what the objects' drawing and a new measure would.
    void ExpectMeasured(const char* when) {
        SCOPED_TRACE(when);
        const std::vector<BYTE> edited = SaveLayoutBytes(Layout());
        Paint();
        EXPECT_EQ(SaveLayoutBytes(Layout()), edited);
        for (CPaint* member : Members()) MeasureAll(*member);
        EXPECT_EQ(SaveLayoutBytes(Layout()), edited);
    }
    // Where the object's handles lie in the plan window: a group's at its frame's corners.
    std::vector<CPoint> HandlesOf(CPaint& object) {
        std::vector<CDoublePoint> local;
        if (auto* group = dynamic_cast<CGroup*>(&object)) {
            const double w = group->m_fFrameWidth, h = group->m_fFrameHeight;
            local = {{0.0, 0.0}, {0.0, h}, {w, h}, {w, 0.0}};
        } else {
            for (int i = 0; i < object.m_points.GetSize(); ++i) local.push_back(object.HandlePoint(i));
        }
        std::vector<CPoint> handles;
        for (const CDoublePoint& point : local) {
            CPoint at = ScreenOfPlan(object.LocalToWorldInFrame(object.m_parentPose, point.x, point.y));
            View()->ScreenToClient(&at);
            handles.push_back(at);
        }
        return handles;
    }
    CPaint& MemberAt(size_t index) { return **std::next(Members().begin(), static_cast<long>(index)); }
    // Each handle of the layout's object at the index dragged a little way, and each drag taken
    // back by one Undo to the byte; a handle that takes no press leaves the layout as it was.
    void DragEveryHandle(size_t index) {
        Command(ID_TOOL_SELECTOR);
        const size_t handles = HandlesOf(MemberAt(index)).size();
        for (size_t handle = 0; handle < handles; ++handle) {
            SCOPED_TRACE(handle);
            CPaint& object = MemberAt(index);
            Layout().m_tool.DeselectAll(0, 0);
            object.SelectWithUndo(0, 0);
            Paint();
            const std::vector<CPoint> shown = HandlesOf(object);
            ASSERT_EQ(shown.size(), handles);
            const std::vector<BYTE> before = SaveLayoutBytes(Layout());
            const int steps = Layout().m_tool.GetUndoCount();
            Drag(shown[handle], shown[handle] + CSize(9, 7));
            ExpectMeasured("dragged");
            if (Layout().m_tool.GetUndoCount() != steps)
                Command(ID_EDIT_UNDO);
            ExpectMeasured("drag undone");
            EXPECT_EQ(SaveLayoutBytes(Layout()), before);
            EXPECT_EQ(Layout().m_tool.GetUndoCount(), steps);
        }
    }
};

}  // namespace

TEST_F(MeasuredShapes, EveryEditOfEveryClassSavesWhatItsDrawingShows) {
    BuildEveryClass();
    CTool& tool = Layout().m_tool;
    std::set<std::string> walked;
    for (size_t index = 0; index < Members().size(); ++index) {
        CPaint* object = &MemberAt(index);
        SCOPED_TRACE(object->GetClassName().c_str());
        walked.insert(object->GetClassName().c_str());
        for (const Edit& edit : kEdits) {
            SCOPED_TRACE(edit.name);
            tool.DeselectAll(0, 0);
            object->SelectWithUndo(0, 0);
            const std::vector<BYTE> before = SaveLayoutBytes(Layout());
            edit.apply(tool, *object);
            ExpectMeasured("edited");
            tool.Undo();
            ExpectMeasured("undone");
            EXPECT_EQ(SaveLayoutBytes(Layout()), before);
        }
        DragEveryHandle(index);
    }
    EXPECT_EQ(walked, kStoredClasses);
}

// Every class in one group, whose corners are dragged: each member is rescaled where it lies.
TEST_F(MeasuredShapes, ACornerDragOfAGroupOfEveryClassSavesWhatItsDrawingShows) {
    BuildEveryClass();
    Command(ID_EDIT_SELECT_ALL);
    Command(ID_GROUP);
    ASSERT_EQ(Members().size(), 1u);
    DragEveryHandle(0);
}

// A layout read in and drawn twice saves the bytes it saved when read.
TEST_F(MeasuredShapes, DrawingAReadLayoutTwiceChangesNoByte) {
    const std::filesystem::path path = SavedEveryClass("measured.cvn");
    ASSERT_NE(app.OpenDocumentFile(path.c_str()), nullptr);
    host.RunUntilIdle();
    const std::vector<BYTE> read = SaveLayoutBytes(Layout());
    Command(ID_EDIT_SELECT_ALL);
    for (int drawing = 0; drawing < 2; ++drawing) {
        Paint();
        EXPECT_EQ(SaveLayoutBytes(Layout()), read);
    }
}
