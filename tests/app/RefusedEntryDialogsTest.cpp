#include <cmath>
#include <functional>

#include "model/CTool.h"
#include "resources/DocumentSetupTemplate.h"
#include "resources/GroupPropertiesTemplate.h"
#include "resources/Objects3DTemplates.h"
#include "resources/PreferencePagesTemplates.h"
#include "resources/TerrainEditorTemplates.h"
#include "resources/TrackPropertiesTemplates.h"
#include "resources/TrackToolTemplates.h"
#include "resources/WizardPageTemplates.h"
#include "tests/app/DialogsInProgram.h"
#include "track/CCircTrack.h"

namespace {

constexpr int kMillimetres = 8;
constexpr int kFeetDecimalInches = 2;
constexpr int kFractionalInches = 5;
constexpr const char* kMillimetreForms = "\n\nType a number of millimeters, as 12.5 or 1e3.";

// A value typed into a field of a dialog opened from the menu bar, closed with Enter.
struct Entry {
    UINT command;
    const char* caption;
    int page;
    UINT field;
    int unit;
    const char* typed;
    CString refusal = {};  // empty: the value is taken
    std::function<double()> taken = {};
    double expected = 0.0;
    // The class of the object selected first; none keeps the selection.
    const char* selected = "CCircTrack";
    // What the person does in the plan after choosing the command, for the dialog to open.
    std::function<void()> gesture = {};
    // The control a refusal gives the focus to, when it is not the field.
    UINT refocused = 0;
};

// The dialogs of the program that take typed numbers, on a layout with a curve, a terrain, a 3D
// object and a 3D bitmap; a value refused as a person types it.
class RefusedEntryDialogs : public DialogsInProgram {
  protected:
    void SetUp() override {
        DialogsInProgram::SetUp();
        layout = &Layout();
        layout->m_nUnitIndex = kMillimetres;
        DrawAsking(kAskingTools[2]);
        DrawAsking(kAskingTools[3]);
        DrawTerrain();
        curve = static_cast<CCircTrack*>(layout->m_tool.CreateObjectForTool(kToolCurveTrack));
        curve->SetArc(0.0, 0.0, 1000.0, 0.0, 1.0, 0, 0);
        curve->m_fBeginElevation = curve->m_fEndElevation = 1620.0;
        layout->m_tool.AddObjectWithUndo(curve, 1, 1);
        Command(ID_TOOL_STRAIGHT_TRACK);
        Drag(kStraightFrom, kStraightTo);
        Command(ID_TOOL_SELECTOR);
    }
    // A drag along the straight drawn from kStraightFrom to kStraightTo.
    void DragAlongStraight() { Drag(kStraightFrom + CSize(20, 0), kStraightTo - CSize(20, 0)); }

    const CPoint kStraightFrom{100, 400};
    const CPoint kStraightTo{250, 400};
    // Opens the entry's dialog from the menu, types into its field on its page and presses
    // Enter: a value taken leaves no box; a refused one leaves the dialog open with its field
    // focused and selected, and Cancel then closes it without a second box.
    void TypeAndEnter(const Entry& entry) {
        SCOPED_TRACE(entry.caption);
        SCOPED_TRACE(entry.typed);
        layout->m_nUnitIndex = entry.unit;
        if (entry.selected != nullptr)
            SelectOnly(entry.selected);
        const std::vector<BYTE> before = Stored(*layout);
        const int undoSteps = layout->m_tool.GetUndoCount();
        const size_t members = Members().size();
        const size_t boxes = host.MessageBoxes().size();
        const size_t unanswered = host.UnansweredModals().size();
        const bool refused = !entry.refusal.IsEmpty();
        bool opened = false;
        host.WhenModal(entry.caption, [&](CWnd& dialog) {
            opened = true;
            CWnd& page = Page(dialog, entry.page);
            Retype(page, entry.field, entry.typed);
            if (refused)
                host.AnswerMessageBox(IDOK);
            host.PressKey(VK_RETURN);
            if (!refused)
                return;
            EXPECT_TRUE(dialog.InModalLoop());
            if (entry.refocused != 0)
                EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), static_cast<int>(entry.refocused));
            else
                ExpectFocusedAndSelected(page, entry.field);
            ClickControl(dialog, IDCANCEL);
        });
        ChooseFromMenu(entry.command);
        if (entry.gesture)
            entry.gesture();
        ASSERT_TRUE(opened);
        EXPECT_EQ(host.UnansweredModals().size(), unanswered);
        if (!refused) {
            EXPECT_EQ(host.MessageBoxes().size(), boxes) << LastBoxText();
            EXPECT_DOUBLE_EQ(entry.taken(), entry.expected);
            return;
        }
        ASSERT_EQ(host.MessageBoxes().size(), boxes + 1);
        EXPECT_EQ(LastBoxText(), entry.refusal);
        // A gesture in the plan selects what it passes, with its own undo step: the refused
        // dialog then adds no object.
        if (entry.gesture) {
            EXPECT_EQ(Members().size(), members);
            return;
        }
        EXPECT_EQ(Stored(*layout), before);
        EXPECT_EQ(layout->m_tool.GetUndoCount(), undoSteps);
    }

    CCVNDoc* layout = nullptr;
    CCircTrack* curve = nullptr;
};

}  // namespace

TEST_F(RefusedEntryDialogs, DocumentSetupRefusesAPrintScaleOnceAtOkAndTakesTheNextOne) {
    host.WhenModal("Document setup", [&](CWnd& dialog) {
        host.ClickClient(dialog.GetDlgItem(IDC_SETUP_FIXED_SCALE), CPoint(3, 3));
        Retype(dialog, IDC_SETUP_PRINT_SCALE, "abc");
        // Leaving the field checks nothing yet; OK refuses it, once.
        host.PressKey(VK_TAB);
        EXPECT_TRUE(host.MessageBoxes().empty());
        host.AdvanceClock(kClickPause);
        host.ClickClient(dialog.GetDlgItem(IDC_SETUP_PRINT_SCALE), CPoint(3, 3));
        EXPECT_EQ(BoxesAfterAnswered(VK_RETURN), 1U);
        EXPECT_EQ(LastBoxText(), "Please enter a number between 1 and 300.");
        EXPECT_TRUE(dialog.InModalLoop());
        ExpectFocusedAndSelected(dialog, IDC_SETUP_PRINT_SCALE);
        host.Type("50");
        host.PressKey(VK_RETURN);
    });
    ChooseFromMenu(ID_DOCUMENT_SETUP);
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_EQ(layout->m_fPrintScale, 50.0);
    EXPECT_TRUE(Main().IsWindowEnabled());
    EXPECT_TRUE(MainMenuOpens());
}

TEST_F(RefusedEntryDialogs, TrackPropertiesRefuseALengthOnceEvenWhenOkIsClickedAndAnAngleOnceAtOk) {
    SelectOnly("CCircTrack");
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        // The length field refuses abc itself as it is left, and keeps it for mending.
        const CString length = TextOf(dialog, IDC_TRACK_LENGTH);
        Retype(dialog, IDC_TRACK_LENGTH, "abc");
        EXPECT_EQ(BoxesAfterAnswered(VK_TAB), 1U);
        // Its range: from 1 mm to the full turn of the held radius, 100 mm.
        EXPECT_EQ(LastBoxText(),
                  "Please enter a number between 1.000 and 628.319." + CString(kMillimetreForms));
        EXPECT_EQ(TextOf(dialog, IDC_TRACK_LENGTH), "abc");
        ExpectFocusedAndSelected(dialog, IDC_TRACK_LENGTH);
        // A click on OK that leaves the refused field: the box ends the press, the dialog stays.
        Retype(dialog, IDC_TRACK_LENGTH, "abc");
        host.AnswerMessageBox(IDOK);
        host.AdvanceClock(kClickPause);
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(3, 3));
        EXPECT_EQ(host.MessageBoxes().size(), 2U);
        EXPECT_TRUE(dialog.InModalLoop());
        Retype(dialog, IDC_TRACK_LENGTH, length);
        // The arc's degrees are checked at OK: one box naming the range, and the field has the
        // focus back.
        Retype(dialog, IDC_TRACK_ARC_DEGREES, "abc");
        EXPECT_EQ(BoxesAfterAnswered(VK_RETURN), 1U);
        EXPECT_EQ(LastBoxText(), "Please enter a number between 0.573 and 360.");
        EXPECT_TRUE(dialog.InModalLoop());
        ExpectFocusedAndSelected(dialog, IDC_TRACK_ARC_DEGREES);
        host.Type("45");
        host.PressKey(VK_TAB);
        host.PressKey(VK_RETURN);
    });
    ChooseFromMenu(ID_EDIT_PROPERTIES);
    EXPECT_EQ(host.MessageBoxes().size(), 3U);
    EXPECT_NEAR(curve->m_fSweep, kPi / 4.0, 1e-9);
    EXPECT_TRUE(Main().IsWindowEnabled());
    EXPECT_TRUE(MainMenuOpens());
}

// A refused OK changes no field but the refused one, which keeps what was typed, selected.
TEST_F(RefusedEntryDialogs, TrackPropertiesRefusalChangesNoOtherFieldAndKeepsTheTypedText) {
    layout->m_nUnitIndex = kFeetDecimalInches;
    SelectOnly("CCircTrack");
    const auto shapeTexts = [&](CWnd& dialog, UINT refused) {
        std::vector<CString> texts;
        for (UINT id : {IDC_TRACK_LENGTH, IDC_TRACK_RADIUS_1, IDC_TRACK_ARC_DEGREES, IDC_TRACK_START_ANGLE})
            texts.push_back(id == refused ? CString() : TextOf(dialog, id));
        return texts;
    };
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        // A sweep of 0 is refused as the field is left, and stays there to be mended.
        const CString sweep = TextOf(dialog, IDC_TRACK_ARC_DEGREES);
        Retype(dialog, IDC_TRACK_ARC_DEGREES, "0");
        std::vector<CString> shown = shapeTexts(dialog, IDC_TRACK_ARC_DEGREES);
        EXPECT_EQ(BoxesAfterAnswered(VK_TAB), 1U);
        EXPECT_EQ(shapeTexts(dialog, IDC_TRACK_ARC_DEGREES), shown);
        EXPECT_EQ(TextOf(dialog, IDC_TRACK_ARC_DEGREES), "0");
        ExpectFocusedAndSelected(dialog, IDC_TRACK_ARC_DEGREES);
        Retype(dialog, IDC_TRACK_ARC_DEGREES, sweep);
        for (const char* typed : {"-1' 6", "abc"}) {
            Retype(dialog, IDC_TRACK_RADIUS_1, typed);
            shown = shapeTexts(dialog, IDC_TRACK_RADIUS_1);
            EXPECT_EQ(BoxesAfterAnswered(VK_RETURN), 1U);
            EXPECT_EQ(shapeTexts(dialog, IDC_TRACK_RADIUS_1), shown);
            EXPECT_EQ(TextOf(dialog, IDC_TRACK_RADIUS_1), typed);
            ExpectFocusedAndSelected(dialog, IDC_TRACK_RADIUS_1);
        }
        ClickControl(dialog, IDCANCEL);
    });
    ChooseFromMenu(ID_EDIT_PROPERTIES);
    EXPECT_EQ(host.MessageBoxes().size(), 3U);
}

// Every kind of field that reads typed numbers: a text that holds a value is taken as that
// value; any other, a word among them, is refused with a message naming bounds the field takes
// and, for a text that is no length, the forms of its unit; the layout then stays as it was.
TEST_F(RefusedEntryDialogs, EveryFieldTakesATypedValueAsMeantOrRefusesItWithBoundsAndForms) {
    auto snapRange = [&] { return layout->m_tool.m_fSnapDistance; };
    auto gridWidth = [&] { return static_cast<double>(layout->m_nGridWidth); };
    auto pageWidth = [&] { return layout->m_fPageWidth; };
    auto gauge = [&] { return curve->m_fGauge; };
    const CString pageRange = "Please enter a document width between 0.100 and 32000.000.";
    const CString distanceRange = "Please enter a number between 0.000 and 64000.000.";
    const CString elevationRange = "Please enter a number between -64000.000 and 64000.000.";
    const CString trackRange = "Please enter a number between 0 and 64000.000";
    // The curve's rail spacing stays below its diameter, 200 mm.
    const CString gaugeRange = "Please enter a number between 0 and 200.000";
    // The band along the straight, pulled up to where the click lays the parallel track.
    const auto parallelBeside = [this] {
        DragAlongStraight();
        host.AdvanceClock(kClickPause);
        host.ClickClient(View(), kStraightTo + CSize(30, -50));
    };
    layout->m_bGridShown = 1;
    const Entry entries[] = {
        // Words and other texts that hold no value are refused in every kind of field.
        {ID_EDIT_PROPERTIES, "Track properties", -1, IDC_TRACK_GAUGE, kMillimetres, "abc",
         gaugeRange + kMillimetreForms},
        {ID_EDIT_PROPERTIES, "Track properties", -1, IDC_TRACK_BEGIN_ELEVATION, kMillimetres, "abc",
         trackRange + kMillimetreForms},
        {ID_EDIT_PROPERTIES, "Track properties", -1, IDC_TRACK_PRICE, kMillimetres, "abc",
         "Please enter a price between 0.00 and 1000000000.00."},
        {ID_EDIT_PROPERTIES, "Track properties", -1, IDC_TRACK_PRICE, kMillimetres, "1e30",
         "Please enter a price between 0.00 and 1000000000.00."},
        {ID_EDIT_PROPERTIES, "Track properties", -1, IDC_TRACK_GAUGE, kMillimetres, "nan",
         gaugeRange + kMillimetreForms},
        {ID_CREATE_PARALLEL_TRACK,
         "Parallel track",
         -1,
         IDC_PARALLEL_OFFSET,
         kMillimetres,
         "inf",
         distanceRange + kMillimetreForms,
         {},
         0.0,
         nullptr,
         parallelBeside},
        {ID_CHAIN_TRACK_ELEVATIONS,
         "Elevations",
         -1,
         IDC_ELEVATION_BEGIN,
         kMillimetres,
         "nan",
         CString("Please enter a number between 0.000 and 64000.000.") + kMillimetreForms,
         {},
         0.0,
         nullptr,
         [this] { DragAlongStraight(); }},
        {ID_TERRAIN_EDITOR,
         "Terrain Editor",
         -1,
         IDC_KNOT_ELEVATION,
         kMillimetres,
         "inf",
         elevationRange + kMillimetreForms,
         {},
         0.0,
         "CMount"},
        {ID_EDIT_PROPERTIES,
         "3D Objects properties",
         -1,
         IDC_3D_ELEVATION,
         kMillimetres,
         "-inf",
         "Please enter a number between -3200.000 and 3200.000" + CString(kMillimetreForms),
         {},
         0.0,
         "C3D"},
        {ID_EDIT_PROPERTIES,
         "3D Bitmap properties",
         -1,
         IDC_3D_ELEVATION,
         kMillimetres,
         "infinity",
         "Please enter a number between 0 and 3200.000" + CString(kMillimetreForms),
         {},
         0.0,
         "CSprite"},
        {ID_TRACK_WIZARD,
         "Track wizard",
         0,
         IDC_STRAIGHT_LENGTH,
         kMillimetres,
         "inf",
         "Please enter a length between 25.400 and 64000.000." + CString(kMillimetreForms),
         {},
         0.0,
         nullptr},
        {ID_DOCUMENT_SETUP, "Document setup", -1, IDC_SETUP_WIDTH, kMillimetres, "abc",
         pageRange + kMillimetreForms},
        {ID_DOCUMENT_SETUP, "Document setup", -1, IDC_SETUP_HEIGHT, kMillimetres, "2 m",
         "Please enter a document height between 0.100 and 32000.000." + CString(kMillimetreForms)},
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_SNAP_RANGE, kMillimetres, "inf",
         distanceRange + kMillimetreForms},
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_HANDLE_SIZE, kMillimetres, "nan",
         "Please enter a number between 5 and 50."},
        {ID_PREFERENCES, "Preferences", 2, IDC_TRAIN_CONNECTION_DISTANCE, kMillimetres, "NAN",
         distanceRange + kMillimetreForms},
        {ID_PREFERENCES, "Preferences", 2, IDC_TRAIN_ELEVATION_GAP, kMillimetres, "-infinity",
         distanceRange + kMillimetreForms},
        // An exponent reads in the decimal units.
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_SNAP_RANGE, kMillimetres, "1e3", "", snapRange, 10000.0},
        {ID_DOCUMENT_SETUP, "Document setup", -1, IDC_SETUP_WIDTH, kMillimetres, "1e3", "", pageWidth,
         10000.0},
        {ID_EDIT_PROPERTIES, "Track properties", -1, IDC_TRACK_GAUGE, kMillimetres, "1.5e1", "", gauge,
         150.0},
        // Each unit's forms mean their value, or are refused showing the forms.
        {ID_PREFERENCES, "Preferences", 0, IDC_METRIC_GRID_WIDTH, kFractionalInches, "12.5", "", gridWidth,
         3175.0},
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_SNAP_RANGE, kFeetDecimalInches, "0' 3 1/2\"", "",
         snapRange, 889.0},
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_SNAP_RANGE, kFeetDecimalInches, "1/2",
         "Please enter a number between 0' 0.000\" and 209' 10.039\".\n\n"
         "Type feet and inches as 5' 6.5\", 5', 6.5\" or 5 (feet)."},
        // Bounds are judged by value and named as the field's later checks allow them; a
        // field's largest value is one a person can use, not the file's limit.
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_SNAP_RANGE, kMillimetres, "0", "", snapRange, 0.0},
        {ID_PREFERENCES, "Preferences", 0, IDC_METRIC_GRID_WIDTH, kMillimetres, "999999999",
         "Please enter a grid size between 0.100 and 64000.000."},
        {ID_DOCUMENT_SETUP, "Document setup", -1, IDC_SETUP_WIDTH, kMillimetres, "0", pageRange},
        {ID_DOCUMENT_SETUP,
         "Document setup",
         -1,
         IDC_SETUP_WIDTH,
         kMillimetres,
         "32000.001",
         "Document size too large for current scale.",
         {},
         0.0,
         "CCircTrack",
         {},
         IDC_SETUP_VIEW_SCALE},
        {ID_DOCUMENT_SETUP, "Document setup", -1, IDC_SETUP_WIDTH, kMillimetres, "32000.000", "", pageWidth,
         320000.0},
        // A negative where none makes sense is refused with the range.
        {ID_CREATE_PARALLEL_TRACK,
         "Parallel track",
         -1,
         IDC_PARALLEL_OFFSET,
         kMillimetres,
         "-2",
         distanceRange,
         {},
         0.0,
         nullptr,
         parallelBeside},
        {ID_GROUP, nullptr, -1, 0, kMillimetres, ""},
        {ID_EDIT_PROPERTIES,
         "Group properties",
         -1,
         IDC_GROUP_ELEVATION,
         kMillimetres,
         "abc",
         "Please enter a number between 0.000 and 64000.000." + CString(kMillimetreForms),
         {},
         0.0,
         "CGroup"},
        {ID_EDIT_PROPERTIES,
         "Group properties",
         -1,
         IDC_GROUP_PRICE,
         kMillimetres,
         "1,50",
         "Please enter a price between 0.00 and 1000000000.00.",
         {},
         0.0,
         "CGroup"},
        {ID_EDIT_PROPERTIES,
         "Group properties",
         -1,
         IDC_GROUP_ELEVATION,
         kMillimetres,
         "-2",
         "Please enter a number between 0.000 and 64000.000.",
         {},
         0.0,
         "CGroup"},
    };
    for (const Entry& entry : entries) {
        if (entry.caption != nullptr) {
            TypeAndEnter(entry);
            continue;
        }
        SelectOnly(entry.selected);
        ChooseFromMenu(entry.command);
    }
}
