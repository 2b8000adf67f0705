#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <set>

#include "model/CDataFolders.h"
#include "model/CLengthFormat.h"
#include "model/CPaint.h"
#include "platform/cdlg/CFileDialog.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/CMessageBoxWnd.h"
#include "platform/ctl/CStatic.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/ctl/ListControlDefs.h"
#include "tests/app/DialogsInProgram.h"
#include "tools/datagen/DataPictures.h"

// Every field a person can type into, in every dialog the menu bar opens and in the properties
// dialog of every stored class, found by walking the menus, the class records, the tabs and the
// dialogs' own children: no field is named here.

namespace {

// Commands that leave the layout the walk works on; their dialogs are none.
const std::set<UINT> kLeavingTheLayout = {ID_FILE_NEW, ID_FILE_CLOSE, ID_APP_EXIT, ID_FILE_PRINT_PREVIEW,
                                          ID_WINDOW_NEW};

// Dialogs whose OK does what they show, untouched or not, and open afresh: a turn, a piece
// placed, a print.
const std::set<UINT> kActing = {ID_ROTATE_BY_DEGREES, ID_TRACK_WIZARD, ID_FILE_PRINT};

// The bases of every object and track piece, and the wizard's labels, which live in its preview.
const std::set<std::string> kNoObjectAtPlan = {"CPaint", "CParTrack", "CWizardLabel"};

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

CTabCtrl* TabsOf(CWnd& window) {
    for (CWnd* child : window.Children()) {
        if (auto* tabs = dynamic_cast<CTabCtrl*>(child))
            return tabs;
        if (CTabCtrl* inner = TabsOf(*child))
            return inner;
    }
    return nullptr;
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

class WalkedFields : public DialogsInProgram {
  protected:
    // The program's data folders as installed, with their pictures.
    void SetUp() override {
        DialogsInProgram::SetUp();
        KeepDataFolders();
        ASSERT_TRUE(DataPictures::WriteAll(CWinPath::Resolve(CDataFolders::GetBaseFolder())));
        BuildEveryClass();
        ASSERT_TRUE(Layout().OnSaveDocument(m_saved.c_str()));
        Layout().OnOpenDocument(m_saved.c_str());
        m_built = Stored(Layout());
    }
    // The data folders the program is told of are the installed ones.
    void KeepDataFolders() {
        for (const CDataFolders::Entry& entry : CDataFolders::Table()) {
            const CString stored = CDataFolders::GetBaseFolder() + entry.subFolder;
            std::filesystem::create_directories(CWinPath::Resolve(stored));
            CProfile::Program().WriteProfileString("Paths", entry.key, stored);
        }
    }
    // The layout as it was built, unmodified, in its first plan window, the selection the
    // place's; the data folders as installed.
    void Restore(const std::string& selected) {
        KeepDataFolders();
        Main().MDIActivate(plan->GetParentFrame());
        if (Layout().IsModified() || Layout().m_tool.GetUndoCount() != 0 || Stored(Layout()) != m_built)
            Layout().OnOpenDocument(m_saved.c_str());
        Layout().SetModifiedFlag(FALSE);
        Command(ID_TOOL_SELECTOR);
        if (!selected.empty())
            SelectOnly(selected.c_str());
    }
    // Chooses the command with the selection; every modal window it opens, but for a message
    // box, is walked for its fields.
    void Discover(UINT command, const std::string& selected) {
        Restore(selected);
        if (!IsEnabled(command))
            return;
        const bool checked = IsChecked(command);
        ChooseThen(command, [=, this](CWnd& modal) {
            if (dynamic_cast<CMessageBoxWnd*>(&modal) == nullptr &&
                dynamic_cast<CFileDialog*>(&modal) == nullptr)
                CollectPlaces(modal, command, selected);
            modal.EndModalLoop(IDCANCEL);
        });
        // A window the command shows beside the plan, its mark now set, goes as it came.
        if (IsChecked(command) != checked)
            ChooseFromMenu(command);
    }
    // Chooses the command from the menu bar; the first modal window it opens, if any, runs the
    // action.
    void ChooseThen(UINT command, HeadlessHost::ModalAction action) {
        CMenu* bar = Main().GetMenu();
        for (int title = 0; title < bar->GetMenuItemCount(); ++title)
            for (int item = 0; item < bar->GetSubMenu(title)->GetMenuItemCount(); ++item)
                if (bar->GetSubMenu(title)->GetMenuItemID(item) == command) {
                    host.WhenModal("", [&, item](CWnd& popup) {
                        host.WhenModal("", action);
                        host.AdvanceClock(kClickPause);
                        host.ClickClient(&popup,
                                         static_cast<CMenuPopupWnd&>(popup).ItemRect(item).CenterPoint());
                    });
                    CRect window;
                    Main().GetWindowRect(&window);
                    host.AdvanceClock(kClickPause);
                    host.Click(NonClientPainter::MenuBarItemRect(Main(), title).CenterPoint() +
                               window.TopLeft());
                    host.RunUntilIdle();
                    host.ForgetModalActions();
                    return;
                }
    }
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

    const std::filesystem::path m_saved = folder / "walked.cvn";
    std::vector<FieldPlace> places;
    size_t dialogs = 0;
    size_t m_indexOnTab = 0;
    std::vector<BYTE> m_built;
};

}  // namespace

TEST_F(WalkedFields, EveryFieldKeepsWhatIsLeftTakesWhatItNamesAndRefusesTheRest) {
    // The classes a layout stores, each with an object at the plan.
    std::vector<std::string> stored;
    for (const CRuntimeClass* record : CRuntimeClass::Creatable())
        if (record->IsDerivedFrom(RUNTIME_CLASS(CPaint)) && record->m_wSchema != 0xFFFF &&
            kNoObjectAtPlan.count(record->m_lpszClassName) == 0)
            stored.push_back(record->m_lpszClassName);
    ASSERT_EQ(std::set<std::string>(stored.begin(), stored.end()), ClassesAtPlan());
    // Every command of the menu bar with nothing selected; one grey then, and Properties, with
    // an object of each class selected.
    CMenu* bar = Main().GetMenu();
    for (int title = 0; title < bar->GetMenuItemCount(); ++title)
        for (int item = 0; item < bar->GetSubMenu(title)->GetMenuItemCount(); ++item) {
            const UINT command = bar->GetSubMenu(title)->GetMenuItemID(item);
            if (command == 0 || kLeavingTheLayout.count(command) != 0)
                continue;
            Restore("");
            const bool grey = !IsEnabled(command);
            for (const std::string& selected :
                 grey || command == ID_EDIT_PROPERTIES ? stored : std::vector<std::string>{""})
                Discover(command, selected);
        }
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
