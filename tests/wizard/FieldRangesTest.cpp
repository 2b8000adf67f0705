#include <cmath>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "model/RecordReading.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/CEdit.h"
#include "platform/win/MessageBoxes.h"
#include "resources/WizardPageTemplates.h"
#include "tests/support/NamedBounds.h"
#include "tests/wizard/WizardFixture.h"
#include "wizard/CPageWizard.h"

namespace {

// The fields of a window a person can type into: every edit among its descendants (the edit
// part of a drop-down list too) that is shown, enabled and not read-only.
void CollectTypedFields(CWnd& window, std::vector<CEdit*>& fields) {
    for (CWnd* child : window.Children()) {
        auto* edit = dynamic_cast<CEdit*>(child);
        const DWORD style = child->GetStyle();
        if (edit != nullptr && (style & WS_VISIBLE) != 0 && child->IsWindowEnabled() &&
            (style & ES_READONLY) == 0)
            fields.push_back(edit);
        CollectTypedFields(*child, fields);
    }
}

// The largest value a refusal names: the text after its last " and ", without the full stop.
CString NamedLargest(const CString& refusal) {
    const int line = refusal.Find('\n');
    const CString first = line < 0 ? refusal : refusal.Left(line);
    const int at = first.ReverseFind(' ');
    return first.Mid(at + 1).TrimRight('.');
}

class WizardFieldRanges : public WizardInProgram {
  protected:
    // Every message box is answered OK, however many come.
    void AnswerEveryBox() {
        host.WhenModal(AfxGetAppName(), [this](CWnd& box) {
            AnswerEveryBox();
            box.EndModalLoop(IDOK);
        });
    }
    // Calls the action with each field a person can type into, on each page under each of its
    // choices of editable fields.
    void ForEachTypedField(CSheetWizard& sheet, const std::function<void(CPageWizard&, int, UINT)>& action) {
        for (int index = 0; index < sheet.GetPageCount(); ++index) {
            auto& page = Show<CPageWizard>(sheet, index);
            auto* choice = dynamic_cast<CComboBox*>(page.GetDlgItem(IDC_WIZARD_EDITABLE));
            for (int entry = 0; entry < (choice != nullptr ? choice->GetCount() : 1); ++entry) {
                if (choice != nullptr)
                    ChooseEditable(page, entry);
                std::vector<CEdit*> fields;
                CollectTypedFields(page, fields);
                for (CEdit* field : fields) action(page, index, static_cast<UINT>(field->GetDlgCtrlID()));
            }
        }
    }
    // Types the text over the field's and leaves it; answers the boxes that came up.
    std::vector<CString> BoxesAfter(CWnd& page, UINT id, const CString& text) {
        const size_t before = host.MessageBoxes().size();
        Enter(page, id, text);
        std::vector<CString> texts;
        for (size_t box = before; box < host.MessageBoxes().size(); ++box)
            texts.push_back(host.MessageBoxes()[box].text);
        // Tab into a field selects all of its text, however the field left wrote it anew.
        CWnd* focus = CWnd::GetFocus();
        if (texts.empty() && dynamic_cast<CEdit*>(focus) != nullptr && focus->GetParent() == &page)
            ExpectFocusedAndSelected(page, static_cast<UINT>(focus->GetDlgCtrlID()));
        return texts;
    }
    // Every coordinate of the piece lies within those a layout file keeps.
    static void ExpectWithinFile(CPaint& piece, int page) {
        piece.ComputeExtent(nullptr);
        for (double coordinate : {piece.m_fMinX, piece.m_fMinY, piece.m_fMaxX, piece.m_fMaxY}) {
            EXPECT_TRUE(std::isfinite(coordinate)) << page;
            EXPECT_LE(std::fabs(coordinate), kLargestCoordinate) << page;
        }
    }
};

}  // namespace

// Each field found on each page, under each choice of editable fields, refuses what no piece
// can be with one box, the last naming its range, and keeps its text; typed again, its text
// changes nothing. Then the largest value each names is taken, or the page says no branch or
// helix has it, and the piece stays within a layout file's coordinates.
TEST_F(WizardFieldRanges, EveryTypedFieldRefusesWhatNoPieceCanBeAndTakesTheLargestItNames) {
    AnswerEveryBox();
    int walked = 0;
    std::map<std::pair<int, UINT>, CString> largest;
    RunWizard([&](CSheetWizard& sheet) {
        ForEachTypedField(sheet, [&](CPageWizard& page, int index, UINT id) {
            const CString shown = TextOf(page, id);
            std::vector<CString> boxes;
            for (const char* typed : {"abc", "1e30", "-1e30", "999999999"}) {
                boxes = BoxesAfter(page, id, typed);
                ASSERT_EQ(boxes.size(), 1U) << index << " " << id << " " << typed;
                ExpectFocusedAndSelected(page, id);
            }
            EXPECT_NE(boxes.front().Find(" between "), -1) << boxes.front();
            largest[{index, id}] = NamedLargest(boxes.front());
            EXPECT_TRUE(BoxesAfter(page, id, shown).empty()) << index << " " << id;
            EXPECT_EQ(TextOf(page, id), shown) << index << " " << id;
            ++walked;
        });
        ForEachTypedField(sheet, [&](CPageWizard& page, int index, UINT id) {
            for (const CString& box : BoxesAfter(page, id, largest[{index, id}])) {
                // A helix too high takes the focus to its grade: none is low enough.
                if (box.Find("A helix climbs") == 0) {
                    EXPECT_EQ(CWnd::GetFocus(), page.GetDlgItem(IDC_HELIX_GRADE));
                    DialogInput::TypeOverAll(host, "0");
                    host.PressKey(VK_TAB);
                    continue;
                }
                EXPECT_EQ(box.Find("No branch has these values"), 0) << box;
            }
            ExpectWithinFile(*page.m_pPiece, index);
        });
        sheet.PressButton(PSBTN_CANCEL);
    });
    // Eleven pages, those with a choice of editable fields under each of their six choices.
    EXPECT_EQ(walked, 108);
    EXPECT_TRUE(MainMenuOpens());
}

// In a unit that shows sixty-fourths of an inch, each field found on each page refuses a
// thousandth of an inch beyond either bound its refusal names, as it does below and above them.
TEST_F(WizardFieldRanges, EveryTypedFieldRefusesAThousandthBeyondTheBoundsItNames) {
    constexpr int kFractionalInches = 5;
    layout->m_nUnitIndex = kFractionalInches;
    AnswerEveryBox();
    RunWizard([&](CSheetWizard& sheet) {
        ForEachTypedField(sheet, [&](CPageWizard& page, int index, UINT id) {
            const CString shown = TextOf(page, id);
            // A word is no number; one too large for any field names the bounds where a word does
            // not. A field whose bounds follow from the others' says no piece has the value.
            const std::vector<CString> word = BoxesAfter(page, id, "abc");
            const std::vector<CString> huge = BoxesAfter(page, id, "1e30");
            CString low;
            CString high;
            ASSERT_TRUE(!word.empty() && !huge.empty());
            const bool length = word.back().Find("\n\n") >= 0;
            const bool named = NamedBounds(word.back(), low, high) || NamedBounds(huge.back(), low, high);
            for (const CString& beyond : {ThousandthBeyond(low, -1.0, length, kFractionalInches),
                                          ThousandthBeyond(high, 1.0, length, kFractionalInches)})
                EXPECT_TRUE(!named || !BoxesAfter(page, id, beyond).empty())
                    << index << " " << id << " takes " << beyond << " beyond " << low << " and " << high;
            BoxesAfter(page, id, shown);
        });
        sheet.PressButton(PSBTN_CANCEL);
    });
}
