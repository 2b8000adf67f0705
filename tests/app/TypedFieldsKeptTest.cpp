#include <map>

#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/ctl/CEdit.h"
#include "resources/TerrainEditorTemplates.h"
#include "resources/TrackPropertiesTemplates.h"
#include "tests/app/DialogsInProgram.h"
#include "track/CArcTrack.h"
#include "track/CCircTrack.h"

namespace {

// A field of a dialog the menu bar opens on the selected object, and a text it refuses with a
// message naming its range, which begins as given.
struct KeptField {
    const char* selected;
    UINT command;
    const char* caption;
    UINT field;
    const char* refused;
    const char* refusal;
};

const KeptField kFields[] = {
    // A curve's sweep keeps its length from 1 mm: its radius is 100 mm.
    {"CCircTrack", ID_EDIT_PROPERTIES, "Track properties", IDC_TRACK_ARC_DEGREES, "400",
     "Please enter a number between 0.573 and 360."},
    {"CArcTrack", ID_EDIT_PROPERTIES, "Track properties", IDC_TRACK_START_ANGLE, "-1",
     "Please enter a number between 0 and 360."},
    {"CArcTrack", ID_EDIT_PROPERTIES, "Track properties", IDC_TRACK_ARC_DEGREES, "abc",
     "Please enter a number between 0.001 and 360."},
    {"CMount", ID_TERRAIN_EDITOR, "Terrain Editor", IDC_ELASTIC_PERCENT, "12.5",
     "Please enter an integer between 0 and 100."},
    {"CMount", ID_TERRAIN_EDITOR, "Terrain Editor", IDC_KNOT_ELEVATION, "1e30",
     "Please enter a number between -"},
};

// A curve and an elliptic arc starting at a full turn, the curve's sweep with more digits than
// its field shows, and a terrain.
class TypedFieldsKept : public DialogsInProgram {
  protected:
    void SetUp() override {
        DialogsInProgram::SetUp();
        DrawDragged(ID_TOOL_OVAL_TRACK);
        DrawTerrain();
        auto* curve = static_cast<CCircTrack*>(Layout().m_tool.CreateObjectForTool(kToolCurveTrack));
        curve->SetArc(0.0, 0.0, 1000.0, 0.0, 1.2345678901, 0, 0);
        curve->m_fStartAngle = kFullTurn;
        curve->RebuildShape();
        Layout().m_tool.AddObjectWithUndo(curve, 1, 1);
        auto* arc = static_cast<CArcTrack*>(SelectOnly("CArcTrack"));
        arc->m_fStartAngle = kFullTurn;
        Command(ID_TOOL_SELECTOR);
        // Its length measured along the samples of that angle, as a layout saved since holds it.
        host.WhenModal("Track properties", [&](CWnd&) { host.PressKey(VK_RETURN); });
        ChooseFromMenu(ID_EDIT_PROPERTIES);
    }
    std::map<int, CString> EditTexts(CWnd& dialog) {
        std::map<int, CString> texts;
        for (CWnd* child : dialog.Children())
            if (dynamic_cast<CEdit*>(child) != nullptr)
                texts[child->GetDlgCtrlID()] = TextOf(dialog, static_cast<UINT>(child->GetDlgCtrlID()));
        return texts;
    }
    // Opens the field's dialog; the work on it leaves the layout as it was, mark and undo too.
    void ExpectUnchangedAfter(const KeptField& row, const std::function<void(CWnd&)>& work) {
        SelectOnly(row.selected);
        const std::vector<BYTE> before = Stored(Layout());
        const int steps = Layout().m_tool.GetUndoCount();
        const BOOL modified = Layout().IsModified();
        const size_t unanswered = host.UnansweredModals().size();
        bool opened = false;
        host.WhenModal(row.caption, [&](CWnd& dialog) {
            opened = true;
            work(dialog);
        });
        ChooseFromMenu(row.command);
        ASSERT_TRUE(opened);
        EXPECT_EQ(host.UnansweredModals().size(), unanswered);
        EXPECT_EQ(Stored(Layout()), before);
        EXPECT_EQ(Layout().m_tool.GetUndoCount(), steps);
        EXPECT_EQ(Layout().IsModified(), modified);
    }
};

}  // namespace

TEST_F(TypedFieldsKept, UntouchedOrTypedBackAFieldChangesNothingAndARefusalOnlyItsOwnText) {
    for (int unit = 0; unit < kUnitCount; ++unit) {
        Layout().m_nUnitIndex = unit;
        for (const KeptField& row : kFields) {
            SCOPED_TRACE(testing::Message() << row.caption << " " << row.field << " unit " << unit);
            ExpectUnchangedAfter(row, [&](CWnd&) { host.PressKey(VK_RETURN); });
            ExpectUnchangedAfter(row, [&](CWnd& dialog) {
                Retype(dialog, row.field, TextOf(dialog, row.field));
                host.PressKey(VK_TAB);
                host.PressKey(VK_RETURN);
            });
            ExpectUnchangedAfter(row, [&](CWnd& dialog) {
                Retype(dialog, row.field, row.refused);
                const std::map<int, CString> typed = EditTexts(dialog);
                EXPECT_EQ(BoxesAfterAnswered(VK_RETURN), 1U);
                EXPECT_EQ(LastBoxText().Left(CString(row.refusal).GetLength()), row.refusal);
                ExpectFocusedAndSelected(dialog, row.field);
                EXPECT_EQ(EditTexts(dialog), typed);
                ClickControl(dialog, IDCANCEL);
            });
        }
    }
}
