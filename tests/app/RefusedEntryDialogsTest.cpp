#include <cmath>
#include <functional>

#include "model/CTool.h"
#include "platform/ctl/CPropertyPage.h"
#include "platform/ctl/CPropertySheet.h"
#include "platform/ctl/DataExchange.h"
#include "resources/DocumentSetupTemplate.h"
#include "resources/GroupPropertiesTemplate.h"
#include "resources/PreferencePagesTemplates.h"
#include "resources/TrackPropertiesTemplates.h"
#include "tests/app/RunningProgram.h"
#include "tests/support/DialogInput.h"
#include "track/CCircTrack.h"

namespace {

constexpr int kMillimetres = 8;

// The dialogs of the program that take typed numbers, a value refused as a person types it.
class RefusedEntryDialogs : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
        layout = ActiveLayout();
        ASSERT_NE(layout, nullptr);
        layout->m_nUnitIndex = kMillimetres;
    }
    // Selects all of the field's text and types over it.
    // A property sheet shows the field on its page, chosen by a click on its tab; answers the page.
    CWnd& RetypeOnPage(CWnd& dialog, int pageIndex, UINT id, const CString& text) {
        CWnd* page = &dialog;
        if (auto* sheet = dynamic_cast<CPropertySheet*>(&dialog)) {
            DialogInput::ClickTab(host, sheet->GetTabControl(), pageIndex);
            page = sheet->GetActivePage();
        }
        Retype(*page, id, text);
        return *page;
    }
    void Retype(CWnd& dialog, UINT id, const CString& text) {
        host.AdvanceClock(kClickPause);
        DialogInput::Retype(host, dialog.GetDlgItem(static_cast<int>(id)), text);
    }
    // Presses the key, answering OK to a box; answers how many boxes came up.
    size_t BoxesAfterAnswered(UINT key) {
        const size_t before = host.MessageBoxes().size();
        host.AnswerMessageBox(IDOK);
        host.PressKey(key);
        return host.MessageBoxes().size() - before;
    }
    void ClickButton(CWnd& dialog, UINT id) {
        host.AdvanceClock(kClickPause);
        host.ClickClient(dialog.GetDlgItem(static_cast<int>(id)), CPoint(3, 3));
    }
    CString TextOf(CWnd& dialog, UINT id) {
        CString text;
        dialog.GetDlgItem(static_cast<int>(id))->GetWindowText(text);
        return text;
    }
    CString Length(double value) const {
        CString text;
        layout->FormatLength(text, value);
        return text;
    }

    static constexpr DWORD kClickPause = 1000;
    CCVNDoc* layout = nullptr;
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
        EXPECT_EQ(LastBoxText(), DataExchangeMessages::kEnterNumber);
        EXPECT_TRUE(dialog.InModalLoop());
        ExpectFocusedAndSelected(dialog, IDC_SETUP_PRINT_SCALE);
        host.Type("50");
        host.PressKey(VK_RETURN);
    });
    Main().SendMessage(WM_COMMAND, ID_DOCUMENT_SETUP);
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_EQ(layout->m_fPrintScale, 50.0);
    EXPECT_TRUE(Main().IsWindowEnabled());
    EXPECT_TRUE(MainMenuOpens());
}

TEST_F(RefusedEntryDialogs, TrackPropertiesRefuseALengthOnceEvenWhenOkIsClickedAndAnAngleOnceAtOk) {
    CTool& tool = layout->m_tool;
    auto* curve = static_cast<CCircTrack*>(tool.CreateObjectForTool(kToolCurveTrack));
    curve->SetArc(0.0, 0.0, 1000.0, 0.0, 1.0, 0, 0);
    tool.AddObjectWithUndo(curve, 1, 1);
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        // The length field refuses abc itself as it is left, and shows the length again.
        const CString length = TextOf(dialog, IDC_TRACK_LENGTH);
        Retype(dialog, IDC_TRACK_LENGTH, "abc");
        EXPECT_EQ(BoxesAfterAnswered(VK_TAB), 1U);
        EXPECT_EQ(LastBoxText(), "Illegal value");
        EXPECT_EQ(TextOf(dialog, IDC_TRACK_LENGTH), length);
        // A click on OK that leaves the refused field: the box ends the press, the dialog stays.
        Retype(dialog, IDC_TRACK_LENGTH, "abc");
        host.AnswerMessageBox(IDOK);
        host.AdvanceClock(kClickPause);
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(3, 3));
        EXPECT_EQ(host.MessageBoxes().size(), 2U);
        EXPECT_TRUE(dialog.InModalLoop());
        // The arc's degrees are checked at OK: one box, and the field has the focus back.
        Retype(dialog, IDC_TRACK_ARC_DEGREES, "abc");
        EXPECT_EQ(BoxesAfterAnswered(VK_RETURN), 1U);
        EXPECT_EQ(LastBoxText(), DataExchangeMessages::kEnterNumber);
        EXPECT_TRUE(dialog.InModalLoop());
        ExpectFocusedAndSelected(dialog, IDC_TRACK_ARC_DEGREES);
        host.Type("45");
        host.PressKey(VK_TAB);
        host.PressKey(VK_RETURN);
    });
    Main().MDIGetActive()->GetActiveView()->SendMessage(WM_COMMAND, ID_EDIT_PROPERTIES);
    EXPECT_EQ(host.MessageBoxes().size(), 3U);
    EXPECT_NEAR(curve->m_fSweep, kPi / 4.0, 1e-9);
    EXPECT_TRUE(Main().IsWindowEnabled());
    EXPECT_TRUE(MainMenuOpens());
}

// Every length and number field: a text that is no value, or one beyond the field's range, is
// refused at Enter with a message naming what the field takes, and the layout stays as it was;
// Cancel then closes the dialog.
TEST_F(RefusedEntryDialogs, AFieldsTextThatIsNoValueIsRefusedAtEnterAndTheLayoutStays) {
    struct Entry {
        UINT command;
        const char* caption;
        int page;
        UINT field;
        const char* typed;
        const char* message;
    };
    const Entry entries[] = {
        {ID_EDIT_PROPERTIES, "Track properties", -1, IDC_TRACK_GAUGE, "abc",
         "Please enter a number between 0 and 64000.000"},
        {ID_EDIT_PROPERTIES, "Track properties", -1, IDC_TRACK_BEGIN_ELEVATION, "abc",
         "Please enter a number between 0 and 64000.000"},
        {ID_EDIT_PROPERTIES, "Track properties", -1, IDC_TRACK_PRICE, "abc",
         "Please enter a positive number "},
        {ID_GROUP, "", -1, 0, "", ""},
        {ID_EDIT_PROPERTIES, "Group properties", -1, IDC_GROUP_ELEVATION, "abc",
         "Please enter a number between 0.000 and 64000.000.\n\nType a number of millimeters, as 12.5 or "
         "1e3."},
        {ID_EDIT_PROPERTIES, "Group properties", -1, IDC_GROUP_PRICE, "1,50",
         "Please enter a positive number "},
        {ID_DOCUMENT_SETUP, "Document setup", -1, IDC_SETUP_WIDTH, "abc",
         "Please enter a document width between 0.100 and 32000.000.\n\nType a number of millimeters, as "
         "12.5 or 1e3."},
        {ID_DOCUMENT_SETUP, "Document setup", -1, IDC_SETUP_HEIGHT, "2 m",
         "Please enter a document height between 0.100 and 32000.000.\n\nType a number of millimeters, as "
         "12.5 or 1e3."},
        {ID_PREFERENCES, "Preferences", 0, IDC_METRIC_GRID_WIDTH, "999999999",
         "Please enter a grid size between 0.100 and 64000.000."},
        {ID_PREFERENCES, "Preferences", 2, IDC_TRAIN_ELEVATION_GAP, "abc",
         "Please enter a number between 0.000 and 64000.000.\n\nType a number of millimeters, as 12.5 or "
         "1e3."},
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_SNAP_RANGE, "abc",
         "Please enter a number between 0.000 and 64000.000.\n\nType a number of millimeters, as 12.5 or "
         "1e3."},
    };
    layout->m_bGridShown = 1;
    auto* curve = static_cast<CCircTrack*>(layout->m_tool.CreateObjectForTool(kToolCurveTrack));
    curve->SetArc(0.0, 0.0, 1000.0, 0.0, 1.0, 0, 0);
    curve->m_fBeginElevation = curve->m_fEndElevation = 1620.0;
    layout->m_tool.AddObjectWithUndo(curve, 1, 1);
    for (const Entry& entry : entries) {
        if (entry.field == 0) {
            View()->SendMessage(WM_COMMAND, entry.command);
            continue;
        }
        const std::vector<BYTE> before = Stored(*layout);
        const int undoSteps = layout->m_tool.GetUndoCount();
        const size_t boxes = host.MessageBoxes().size();
        bool opened = false;
        host.WhenModal(entry.caption, [&](CWnd& dialog) {
            opened = true;
            CWnd& page = RetypeOnPage(dialog, entry.page, entry.field, entry.typed);
            host.AnswerMessageBox(IDOK);
            host.PressKey(VK_RETURN);
            EXPECT_TRUE(dialog.InModalLoop()) << entry.typed;
            ExpectFocusedAndSelected(page, entry.field);
            // Leaving the field for Cancel closes the dialog without a second refusal.
            host.AdvanceClock(kClickPause);
            host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3));
        });
        View()->SendMessage(WM_COMMAND, entry.command);
        ASSERT_EQ(host.MessageBoxes().size(), boxes + 1) << entry.caption << " " << entry.field;
        EXPECT_EQ(LastBoxText(), entry.message);
        EXPECT_EQ(Stored(*layout), before) << entry.caption << " " << entry.field;
        EXPECT_EQ(layout->m_tool.GetUndoCount(), undoSteps);
    }
}

// Every kind of field that reads typed numbers, typed into as a person does and closed with
// Enter: a text that holds a value is taken as that value, any other is refused with a message
// naming bounds the field takes and, for a text that is no length, the forms of its unit.
TEST_F(RefusedEntryDialogs, EveryFieldTakesATypedValueAsMeantOrRefusesItWithBoundsAndForms) {
    constexpr int kFeetDecimalInches = 2;
    constexpr int kFractionalInches = 5;
    constexpr const char* kMillimetreForms = "\n\nType a number of millimeters, as 12.5 or 1e3.";
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
        // A field of a dialog that this button of the first one opens.
        UINT opener = 0;
        const char* nested = "";
    };
    auto curve = static_cast<CCircTrack*>(layout->m_tool.CreateObjectForTool(kToolCurveTrack));
    curve->SetArc(0.0, 0.0, 1000.0, 0.0, 1.0, 0, 0);
    layout->m_tool.AddObjectWithUndo(curve, 1, 1);
    auto snapRange = [&] { return layout->m_tool.m_fSnapDistance; };
    auto gridWidth = [&] { return static_cast<double>(layout->m_nGridWidth); };
    auto pageWidth = [&] { return layout->m_fPageWidth; };
    auto gauge = [&] { return curve->m_fGauge; };
    const CString pageRange = "Please enter a document width between 0.100 and 32000.000.";
    const CString distanceRange = "Please enter a number between 0.000 and 64000.000.";
    layout->m_bGridShown = 1;
    const Entry entries[] = {
        // Words are refused in every kind of field.
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_SNAP_RANGE, kMillimetres, "inf",
         distanceRange + kMillimetreForms},
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_HANDLE_SIZE, kMillimetres, "nan",
         DataExchangeMessages::kEnterNumber},
        {ID_PREFERENCES, "Preferences", 2, IDC_TRAIN_CONNECTION_DISTANCE, kMillimetres, "NAN",
         distanceRange + kMillimetreForms},
        {ID_PREFERENCES, "Preferences", 2, IDC_TRAIN_ELEVATION_GAP, kMillimetres, "-infinity",
         distanceRange + kMillimetreForms},
        // An exponent reads in the decimal units.
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_SNAP_RANGE, kMillimetres, "1e3", "", snapRange, 10000.0},
        {ID_DOCUMENT_SETUP, "Document setup", -1, IDC_SETUP_WIDTH, kMillimetres, "1e3", "", pageWidth,
         10000.0},
        // Each unit's forms mean their value, or are refused showing the forms.
        {ID_PREFERENCES, "Preferences", 0, IDC_METRIC_GRID_WIDTH, kFractionalInches, "12.5", "", gridWidth,
         3175.0},
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_SNAP_RANGE, kFeetDecimalInches, "0' 3 1/2\"", "",
         snapRange, 889.0},
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_SNAP_RANGE, kFeetDecimalInches, "1/2",
         "Please enter a number between 0' 0.000\" and 209' 10.039\".\n\n"
         "Type feet and inches as 5' 6.5\", 5', 6.5\" or 5 (feet)."},
        // Bounds are judged by value and named as the field's later checks allow them.
        {ID_PREFERENCES, "Preferences", 3, IDC_OTHER_SNAP_RANGE, kMillimetres, "0", "", snapRange, 0.0},
        {ID_DOCUMENT_SETUP, "Document setup", -1, IDC_SETUP_WIDTH, kMillimetres, "0", pageRange},
        {ID_DOCUMENT_SETUP, "Document setup", -1, IDC_SETUP_WIDTH, kMillimetres, "32000.001",
         "Document size too large for current scale."},
        {ID_DOCUMENT_SETUP, "Document setup", -1, IDC_SETUP_WIDTH, kMillimetres, "32000.000", "", pageWidth,
         320000.0},
        {ID_EDIT_PROPERTIES, "Track properties", -1, IDC_TRACK_GAUGE, kMillimetres, "nan",
         "Please enter a number between 0 and 64000.000"},
        {ID_EDIT_PROPERTIES, "Track properties", -1, IDC_TRACK_GAUGE, kMillimetres, "1.5e1", "", gauge,
         150.0},
        // A negative where none makes sense is refused with the range.
        {ID_GROUP, "", -1, 0, kMillimetres, ""},
        {ID_EDIT_PROPERTIES, "Group properties", -1, IDC_GROUP_ELEVATION, kMillimetres, "-2",
         "Please enter a number between 0.000 and 64000.000."},
    };
    for (const Entry& entry : entries) {
        layout->m_nUnitIndex = entry.unit;
        if (entry.field == 0) {
            View()->SendMessage(WM_COMMAND, entry.command);
            continue;
        }
        const std::vector<BYTE> before = Stored(*layout);
        const size_t boxes = host.MessageBoxes().size();
        bool opened = false;
        auto typeAndEnter = [&](CWnd& dialog) {
            opened = true;
            RetypeOnPage(dialog, entry.page, entry.field, entry.typed);
            if (!entry.refusal.IsEmpty())
                host.AnswerMessageBox(IDOK);
            host.PressKey(VK_RETURN);
            if (entry.refusal.IsEmpty())
                return;
            EXPECT_TRUE(dialog.InModalLoop()) << entry.typed;
            ClickButton(dialog, IDCANCEL);
        };
        host.WhenModal(entry.caption, [&](CWnd& dialog) {
            if (entry.opener == 0)
                return typeAndEnter(dialog);
            host.WhenModal(entry.nested, typeAndEnter);
            ClickButton(dialog, entry.opener);
            ClickButton(dialog, entry.refusal.IsEmpty() ? IDOK : IDCANCEL);
        });
        View()->SendMessage(WM_COMMAND, entry.command);
        ASSERT_TRUE(opened) << entry.caption << " " << entry.typed;
        if (entry.refusal.IsEmpty()) {
            EXPECT_EQ(host.MessageBoxes().size(), boxes) << entry.typed << ": " << LastBoxText();
            EXPECT_DOUBLE_EQ(entry.taken(), entry.expected) << entry.typed;
            continue;
        }
        ASSERT_EQ(host.MessageBoxes().size(), boxes + 1) << entry.typed;
        EXPECT_EQ(LastBoxText(), entry.refusal) << entry.typed;
        EXPECT_EQ(Stored(*layout), before) << entry.typed;
    }
}
