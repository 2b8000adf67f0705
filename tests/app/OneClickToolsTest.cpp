#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "tests/app/PlanInProgram.h"

// One click on the plan (press and release in place) with each tool, chosen from its menu, on a
// saved layout: a click that makes nothing leaves the layout as it was opened, with no undo step,
// and closing it asks nothing.

namespace {

// What the click makes, and what a person does next to take it back.
enum class AfterClick {
    kNothing,
    // A point entry starts with the clicked vertex; Escape ends it, too short to keep.
    kPointEntry,
    // An object that one click makes whole (a dimension of length 0, a camera); Undo takes it back.
    kObject,
    // A dialog asks for the new test train; Cancel refuses it.
    kCancelledDialog,
};

struct OneClick {
    UINT command;
    AfterClick after;
};

// Every tool of the menus that a layout opened with nothing selected offers.
constexpr OneClick kOneClicks[] = {{ID_TOOL_SKETCH, AfterClick::kNothing},
                                   {ID_TOOL_LINE, AfterClick::kNothing},
                                   {ID_TOOL_BOX, AfterClick::kNothing},
                                   {ID_TOOL_ROUND_BOX, AfterClick::kNothing},
                                   {ID_TOOL_ARC, AfterClick::kNothing},
                                   {ID_TOOL_OVAL, AfterClick::kNothing},
                                   {ID_TOOL_POLYGON, AfterClick::kPointEntry},
                                   {ID_TOOL_SPLINE, AfterClick::kPointEntry},
                                   {ID_TOOL_TEXT, AfterClick::kNothing},
                                   {ID_TOOL_BITMAP_PICTURE, AfterClick::kNothing},
                                   {ID_TOOL_DIMENSION_LINE, AfterClick::kObject},
                                   {ID_TOOL_DIMENSION_ANGLE, AfterClick::kObject},
                                   {ID_TOOL_MEASURE_LINE, AfterClick::kNothing},
                                   {ID_TOOL_MEASURE_BOX, AfterClick::kNothing},
                                   {ID_TOOL_STRAIGHT_TRACK, AfterClick::kNothing},
                                   {ID_TOOL_CURVE_TRACK, AfterClick::kNothing},
                                   {ID_TOOL_OVAL_TRACK, AfterClick::kNothing},
                                   {ID_TOOL_SPLINE_TRACK, AfterClick::kPointEntry},
                                   {ID_SELECT_TRACK_CHAIN, AfterClick::kNothing},
                                   {ID_CONNECT_USING_SPLINE, AfterClick::kNothing},
                                   {ID_CONNECT_USING_CURVE_STRAIGHT, AfterClick::kNothing},
                                   {ID_CUT_TRACK, AfterClick::kNothing},
                                   {ID_CHAIN_TRACK_ELEVATIONS, AfterClick::kNothing},
                                   {ID_TOOL_3D_OBJECT, AfterClick::kNothing},
                                   {ID_TOOL_3D_BITMAP, AfterClick::kNothing},
                                   {ID_TOOL_BENCHWORK, AfterClick::kPointEntry},
                                   {ID_TOOL_CAMERA, AfterClick::kObject},
                                   {ID_TOOL_TERRAIN, AfterClick::kPointEntry},
                                   {ID_TOOL_RUN_TEST_TRAIN, AfterClick::kCancelledDialog},
                                   {ID_TOOL_ROTATE_AROUND_ORIGIN, AfterClick::kNothing},
                                   {ID_TOOL_SELECTOR, AfterClick::kNothing}};

class OneClickTools : public PlanInProgram {
  protected:
    size_t ObjectCount() { return ActiveLayout()->m_rootGroup.m_members.size(); }
    void ClickOnce(CPoint client) {
        host.AdvanceClock(1000);
        host.ClickClient(View(), client);
        host.RunUntilIdle();
    }
    // A test train set down asks for its properties.
    void CancelTheTrain() {
        host.WhenModal("Train properties",
                       [this](CWnd& dialog) { host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3)); });
    }
    void TakeBack(AfterClick after) {
        if (after == AfterClick::kPointEntry)
            host.PressKey(VK_ESCAPE);
        if (after == AfterClick::kObject)
            ChooseFromMenu(ID_EDIT_UNDO);
        host.RunUntilIdle();
    }
};

}  // namespace

TEST_F(OneClickTools, AClickThatMakesNothingLeavesTheOpenedLayoutAsItWas) {
    DrawLine(CPoint(400, 300), CPoint(500, 350));
    const std::filesystem::path saved = folder / "Yard.cvn";
    ASSERT_TRUE(ActiveLayout()->OnSaveDocument(saved.c_str()));
    ChooseFromMenu(ID_FILE_CLOSE);
    for (const OneClick& row : kOneClicks) {
        SCOPED_TRACE(row.command);
        // A layout of its own for each tool: one left open does not reach the next.
        const std::filesystem::path path = folder / (std::to_string(row.command) + ".cvn");
        std::filesystem::copy_file(saved, path);
        ASSERT_NE(app.OpenDocumentFile(path.c_str()), nullptr);
        // The file keeps the chosen tool: that byte is the choice's, not the click's.
        ChooseFromMenu(row.command);
        CCVNDoc& layout = *ActiveLayout();
        const std::vector<BYTE> chosen = Stored(layout);
        const size_t objects = ObjectCount();
        if (row.after == AfterClick::kCancelledDialog)
            CancelTheTrain();
        ClickOnce(CPoint(150, 200));
        const bool makes = row.after == AfterClick::kPointEntry || row.after == AfterClick::kObject;
        EXPECT_EQ(ObjectCount(), objects + (makes ? 1 : 0));
        TakeBack(row.after);
        EXPECT_EQ(ObjectCount(), objects);
        EXPECT_EQ(layout.m_tool.GetUndoCount(), 0);
        EXPECT_EQ(Stored(layout), chosen);
        const size_t boxes = host.MessageBoxes().size();
        ChooseFromMenu(ID_FILE_CLOSE);
        EXPECT_EQ(host.MessageBoxes().size(), boxes);
        EXPECT_EQ(Main().MDIGetActive(), nullptr);
    }
}
