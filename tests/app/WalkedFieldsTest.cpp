#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

#include "model/CLengthFormat.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/CStatic.h"
#include "platform/ctl/ListControlDefs.h"
#include "tests/app/MenuDialogsInProgram.h"

// Every field a person can type into, in every dialog the menu bar opens and in the properties
// dialog of every stored class, found by walking the menus, the class records, the tabs and the
// dialogs' own children: no field is named here.

namespace {

// Dialogs whose OK does what they show, untouched or not, and open afresh: a turn, a piece
// placed, a print.
const std::set<UINT> kActing = {ID_ROTATE_BY_DEGREES, ID_TRACK_WIZARD, ID_FILE_PRINT};

// What a field can do wrong.
enum class Fault {
    kChangesUntouched,
    kRefusesUntouched,
    kTakesHuge,
    kRefusesNamedBound,
    kShowsOther,
    kNotReopened
};

// Faults still open, by dialog: each is told once more here so that every other field of every
// dialog stays held to the rule.
const std::set<std::pair<std::string, Fault>> kOpenFaults = {};

// Where a field lies: the dialog the command opens with an object of the class selected (none:
// nothing), the tab turned to, the field's place among the fields shown there, and its label.
struct FieldPlace {
    UINT command;
    std::string selected;
    CString caption;
    int tab;
    size_t index;
    CString label;
};

bool IsOpenFault(const FieldPlace& place, Fault fault) {
    return kOpenFaults.count({place.caption.c_str(), fault}) != 0;
}

std::ostream& operator<<(std::ostream& out, const FieldPlace& place) {
    out << place.caption.c_str();
    if (!place.selected.empty())
        out << " of " << place.selected;
    return out << ", tab " << place.tab << ", field " << place.index << " \"" << place.label.c_str() << "\"";
}

// Whether a field shows the value typed: "0.000" shows the "0" a refusal names.
bool ShowsValue(const CString& shown, const CString& typed, int unit) {
    const CLengthFormat lengths(unit);
    double shownValue = 0.0;
    double typedValue = 0.0;
    if (!lengths.ReadTypedLength(shown, shownValue) || !lengths.ReadTypedLength(typed, typedValue))
        return shown == typed;
    return std::fabs(shownValue - typedValue) <= 1e-9 * std::max(1.0, std::fabs(typedValue));
}

bool IsTypedInto(CWnd& control) {
    if (!control.IsWindowVisible() || !control.IsWindowEnabled())
        return false;
    if (auto* edit = dynamic_cast<CEdit*>(&control))
        return !edit->IsReadOnly();
    return dynamic_cast<CComboBox*>(&control) != nullptr && (control.GetStyle() & 3) == CBS_DROPDOWN;
}

// The fields shown in the window and its children, in their order; a drop-down list's edit
// part is the list's own.
void CollectFields(CWnd& window, std::vector<CWnd*>& fields) {
    for (CWnd* child : window.Children()) {
        if (IsTypedInto(*child))
            fields.push_back(child);
        else if (child->IsWindowVisible())
            CollectFields(*child, fields);
    }
}

// The text of the label just before the field, where the dialog has one.
CString LabelOf(CWnd& field) {
    const auto& siblings = field.GetParent()->Children();
    const auto at = std::find(siblings.begin(), siblings.end(), &field);
    CString text;
    if (at != siblings.begin() && dynamic_cast<CStatic*>(*(at - 1)) != nullptr)
        (*(at - 1))->GetWindowText(text);
    return text;
}

// The bounds a refusal names: "between A and B", the sentence's full stop left out.
bool NamedBounds(const CString& refusal, CString& low, CString& high) {
    const std::string text = refusal.c_str();
    const size_t between = text.find("between ");
    const size_t andAt = text.find(" and ", between);
    if (between == std::string::npos || andAt == std::string::npos)
        return false;
    std::string upper = text.substr(andAt + 5, text.find('\n', andAt) - andAt - 5);
    while (!upper.empty() && (upper.back() == '.' || upper.back() == ' ')) upper.pop_back();
    low = text.substr(between + 8, andAt - between - 8).c_str();
    high = upper.c_str();
    return true;
}

class WalkedFields : public MenuDialogsInProgram {
  protected:
    void CollectPlaces(CWnd& dialog, UINT command, const std::string& selected) {
        CString caption;
        dialog.GetWindowText(caption);
        const CTabCtrl* tabs = TabsOf(dialog);
        for (int tab = 0; tab < (tabs ? tabs->GetItemCount() : 1); ++tab) {
            for (CWnd* field : FieldsOn(dialog, tab))
                places.push_back({command, selected, caption, tab, m_indexOnTab++, LabelOf(*field)});
            m_indexOnTab = 0;
        }
        ++dialogs;
    }
    std::vector<CWnd*> FieldsOn(CWnd& dialog, int tab) {
        if (auto* sheet = dynamic_cast<CPropertySheet*>(&dialog))
            TurnTo(*sheet, tab);
        else if (CTabCtrl* tabs = TabsOf(dialog))
            DialogInput::ClickTab(host, tabs, tab);
        std::vector<CWnd*> fields;
        CollectFields(dialog, fields);
        return fields;
    }
    // A sheet's tabs may scroll out of sight: its pages are turned with Ctrl+PgDn, as a person
    // turns them.
    void TurnTo(CPropertySheet& sheet, int page) {
        for (int turns = 0; sheet.GetActiveIndex() != page && turns < sheet.GetPageCount(); ++turns) {
            host.KeyDown(VK_CONTROL);
            host.PressKey(VK_NEXT);
            host.KeyUp(VK_CONTROL);
        }
    }
    // Opens the place's dialog and works its field.
    void Work(const FieldPlace& place, std::function<void(CWnd& dialog, CWnd& field)> work) {
        bool opened = false;
        CString caption = "none";
        size_t count = 0;
        ChooseThen(place.command, [&](CWnd& dialog) {
            dialog.GetWindowText(caption);
            const std::vector<CWnd*> fields = FieldsOn(dialog, place.tab);
            count = fields.size();
            opened = caption == place.caption && place.index < fields.size();
            AnswerEveryBox();
            if (opened)
                work(dialog, *fields[place.index]);
            if (dialog.InModalLoop())
                ClickControl(dialog, IDCANCEL);
        });
        if (!opened && !IsOpenFault(place, Fault::kNotReopened))
            ADD_FAILURE() << place << ": the dialog or its field does not open again, but " << caption.c_str()
                          << " with " << count << " fields";
    }
    // Types over the field's text and confirms the dialog: the first refusal, or nothing.
    CString Typed(const FieldPlace& place, const CString& text) {
        Restore(place.selected);
        const size_t boxes = host.MessageBoxes().size();
        Work(place, [&](CWnd& dialog, CWnd& field) {
            DialogInput::Retype(host, &field, text);
            Confirm(dialog, field);
        });
        return host.MessageBoxes().size() > boxes ? host.MessageBoxes()[boxes].text : CString();
    }
    // Every message box the dialog shows is answered OK, as long as it stays open.
    void AnswerEveryBox() {
        host.WhenModal("", [this](CWnd& box) {
            AnswerEveryBox();
            box.EndModalLoop(IDOK);
        });
    }
    CString Shown(const FieldPlace& place) {
        CString text;
        Work(place, [&](CWnd&, CWnd& field) { field.GetWindowText(text); });
        return text;
    }
    // Enter, as a person confirms a dialog; OK where Enter is a new line of the field.
    void Confirm(CWnd& dialog, CWnd& field) {
        auto* edit = dynamic_cast<CEdit*>(&field);
        if (edit != nullptr && edit->IsMultiLine())
            ClickControl(dialog, IDOK);
        else
            host.PressKey(VK_RETURN);
    }

    std::vector<FieldPlace> places;
    size_t dialogs = 0;
    size_t m_indexOnTab = 0;
};

}  // namespace

TEST_F(WalkedFields, EveryFieldKeepsWhatIsLeftTakesWhatItNamesAndRefusesTheRest) {
    WalkMenuDialogs([this](CWnd& dialog, UINT command, const std::string& selected) {
        CollectPlaces(dialog, command, selected);
    });
    std::cout << places.size() << " fields in " << dialogs << " dialogs\n";
    RecordProperty("fields", static_cast<int>(places.size()));
    for (const FieldPlace& place : places) {
        Restore(place.selected);
        const std::vector<BYTE> before = Stored(Layout());
        const size_t boxes = host.MessageBoxes().size();
        Work(place, [&](CWnd& dialog, CWnd& field) {
            host.ClickClient(&field, CPoint(3, 3));
            host.PressKey(VK_TAB);
            ClickControl(dialog, IDOK);
        });
        if (kActing.count(place.command) == 0) {
            if (host.MessageBoxes().size() != boxes && !IsOpenFault(place, Fault::kRefusesUntouched))
                ADD_FAILURE() << place
                              << ": left and confirmed untouched, it is refused: " << LastBoxText().c_str();
            else if ((Stored(Layout()) != before || Layout().IsModified()) &&
                     !IsOpenFault(place, Fault::kChangesUntouched))
                ADD_FAILURE() << place << ": left and confirmed untouched, it changes the layout";
        }
        const CString word = Typed(place, "abc");
        if (word.IsEmpty()) {
            // A field of words shows the words it took.
            if (kActing.count(place.command) == 0 && Shown(place) != "abc" &&
                !IsOpenFault(place, Fault::kShowsOther))
                ADD_FAILURE() << place << ": takes abc but shows " << Shown(place).c_str();
            continue;
        }
        CString low;
        CString high;
        bool named = NamedBounds(word, low, high);
        for (const char* huge : {"1e30", "-1e30"}) {
            const CString refusal = Typed(place, huge);
            if (refusal.IsEmpty() && !IsOpenFault(place, Fault::kTakesHuge))
                ADD_FAILURE() << place << ": takes " << huge;
            named = named || NamedBounds(refusal, low, high);
        }
        // A wizard field's bounds make a piece only with what the page's other fields hold, and
        // the pages keep what was placed: its own walk sets those fields for each bound.
        if (!named || place.command == ID_TRACK_WIZARD)
            continue;
        for (const CString& bound : {low, high}) {
            const CString refusal = Typed(place, bound);
            const CString shown =
                refusal.IsEmpty() && kActing.count(place.command) == 0 ? Shown(place) : bound;
            if (!refusal.IsEmpty()) {
                if (!IsOpenFault(place, Fault::kRefusesNamedBound))
                    ADD_FAILURE() << place << ": refuses the bound " << bound.c_str()
                                  << " it names: " << refusal.c_str();
            } else if (!ShowsValue(shown, bound, Layout().GetUnitIndex()) &&
                       !IsOpenFault(place, Fault::kShowsOther)) {
                ADD_FAILURE() << place << ": takes " << bound.c_str() << " but shows " << shown.c_str();
            }
        }
    }
    // The layout left as built, so closing the program asks nothing.
    Restore("");
}
