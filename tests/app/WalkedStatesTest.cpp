#include <iostream>
#include <map>
#include <sstream>

#include "model/Units.h"
#include "platform/r3d/Clump.h"
#include "terrain/CMount.h"
#include "tests/app/WalkedFieldsInProgram.h"
#include "tests/app/WalkedUnits.h"

// Every field of every dialog, opened in each state a person opens it in: each unit of the
// program's table, everything selected, the members inside Edit Group, objects holding values
// beyond what the fields take, and the common dialogs. In each, an untouched OK and a field typed
// away and back change nothing, and a refused OK changes no other field and keeps what was
// typed; the correction after it then changes nothing.

namespace {

// The dialogs a state opens: every command's; those of Properties and of the commands grey with
// nothing selected, which follow the selection; or the system's common ones.
enum class Reach { kEveryCommand, kBySelection, kCommonDialogs };

struct WalkState {
    std::string name;
    Reach reach;
    int unit;
    // The selection the commands that follow it are chosen with: none, one object of each class;
    // everything, every object selected and every object of each class, two of each made.
    std::string selection;
    bool beyondFields;
};

// A number past every field's bounds, and one a field is typed away to.
const CString kRefused = "1e30";
const CString kAway = "2";

std::string NameOfUnit(int unit) {
    std::string name = "Unit_";
    for (const char* letter = UnitTable[unit].name; *letter != '\0'; ++letter)
        if (std::isalnum(static_cast<unsigned char>(*letter)) || *letter == ' ')
            name += *letter == ' ' ? '_' : *letter;
    return name;
}

std::vector<WalkState> States() {
    std::vector<WalkState> states = {
        {"OneObjectOfEachClass", Reach::kEveryCommand, kDefaultUnitIndex, "", false},
        {"ManyObjects", Reach::kBySelection, kDefaultUnitIndex, MenuDialogsInProgram::kEverything, false},
        {"MembersInsideEditGroup", Reach::kBySelection, kDefaultUnitIndex,
         MenuDialogsInProgram::kGroupMembers, false},
        {"ValuesBeyondTheFields", Reach::kBySelection, kDefaultUnitIndex, "", true},
        {"CommonDialogs", Reach::kCommonDialogs, kDefaultUnitIndex, "", false}};
    for (const int unit : WalkedUnits())
        if (unit != kDefaultUnitIndex)
            states.push_back({NameOfUnit(unit), Reach::kEveryCommand, unit, "", false});
    return states;
}

void PrintTo(const WalkState& state, std::ostream* out) {
    *out << state.name;
}

// The texts of every field of the window, shown or not, by field.
void CollectTexts(CWnd& window, std::map<CWnd*, CString>& texts) {
    for (CWnd* child : window.Children()) {
        // A combo box's edit part shows the box's own text.
        if (dynamic_cast<CEdit*>(child) != nullptr || dynamic_cast<CComboBox*>(child) != nullptr)
            child->GetWindowText(texts[child]);
        else
            CollectTexts(*child, texts);
    }
}

std::string Changes(const std::vector<BYTE>& before, const std::vector<BYTE>& after) {
    size_t bytes = before.size() > after.size() ? before.size() - after.size() : after.size() - before.size();
    for (size_t at = 0; at < std::min(before.size(), after.size()); ++at)
        bytes += before[at] != after[at] ? 1 : 0;
    return bytes == 0 ? "sets the modified mark" : "changes " + std::to_string(bytes) + " bytes";
}

class WalkedStates : public WalkedFieldsInProgram, public testing::WithParamInterface<WalkState> {
  protected:
    // The layout as its 3D view last built it: a texture found in the data folders is named by
    // its full path from then on.
    void ShapeLayout() override {
        const CPose world;
        for (CPaint* member : Members()) member->Build3D(&world);
        Layout().m_nUnitIndex = GetParam().unit;
        Layout().m_nUnitIndexCopy = GetParam().unit;
        if (GetParam().beyondFields)
            PushBeyondTheFields();
        if (GetParam().selection == kEverything) {
            Command(ID_EDIT_SELECT_ALL);
            Command(ID_EDIT_DUPLICATE);
            Layout().m_tool.DeselectAll(0, 0);
        }
    }
    // Every object turned past two full turns, with its lengths a thousandfold and its elevations
    // below the ground: the program's own walks over each object's stored values set them on the
    // turned object, each object readied for the rescale as a drag of its group's corner readies
    // it, and the extent follows as in every layout the program saves. A terrain's grid is as
    // coarse as it goes, so that the layout opens as it was saved: an open coarsens a finer grid
    // of a terrain this large to what it builds, and tells so.
    void PushBeyondTheFields() {
        const CPose world;
        for (CPaint* member : Members()) {
            member->m_pose.angle += 2.0 * kFullTurn + 1.0;
            if (auto* terrain = dynamic_cast<CMount*>(member))
                terrain->m_fGridSpacing = CMount::kLargestSpacing;
            member->TrackCreate(&world, -1);
            member->RescaleWithUndo(&world, 1000.0, 0);
            member->LowerElevations(&world, 1e5);
            member->ComputeExtent(&world);
        }
    }
    std::vector<std::string> Selections() {
        std::vector<std::string> selections;
        if (GetParam().reach == Reach::kCommonDialogs || !GetParam().selection.empty())
            selections.push_back(GetParam().selection);
        if (GetParam().selection == kEverything)
            for (const std::string& stored : StoredClasses()) selections.push_back(kEvery + stored);
        return selections;
    }
    // The places of the state's dialogs and fields; in a unit of its own, of the fields with a
    // length and their dialogs.
    void DiscoverState() {
        const WalkState& state = GetParam();
        const std::vector<std::string> selections = Selections();
        WalkMenuCommands([this](UINT command, const std::string& selected) { Discover(command, selected); },
                         state.reach != Reach::kBySelection, selections.empty() ? nullptr : &selections);
        if (state.reach == Reach::kEveryCommand)
            for (const Route& tool : tools) DiscoverPasses(tool);
        const std::set<std::string> lengths =
            state.unit == kDefaultUnitIndex ? std::set<std::string>{} : Lengths();
        const auto leftOut = [&](const FieldPlace& place) {
            const bool common = place.route.pass < 0 && commonCommands.count(place.route.command) != 0;
            std::ostringstream name;
            name << place;
            return common != (state.reach == Reach::kCommonDialogs) ||
                   (state.unit != kDefaultUnitIndex && lengths.count(name.str()) == 0);
        };
        std::erase_if(places, leftOut);
        std::erase_if(dialogPlaces, leftOut);
    }
    // The fields that show another text in the program's first unit, and their dialogs.
    std::set<std::string> Lengths() {
        std::map<std::string, std::vector<const FieldPlace*>> byDialog;
        for (const FieldPlace& place : places) byDialog[DialogOf(place)].push_back(&place);
        std::set<std::string> found;
        for (const auto& [name, fields] : byDialog) {
            Restore(fields.front()->route.selected);
            Layout().m_nUnitIndex = kDefaultUnitIndex;
            Open(fields.front()->route, [&, name = name](CWnd& dialog) {
                AnswerEveryBox();
                for (const FieldPlace* place : fields) {
                    const std::vector<CWnd*> shown = FieldsOn(dialog, place->tab);
                    CString text;
                    if (place->index < shown.size())
                        shown[place->index]->GetWindowText(text);
                    std::ostringstream field;
                    field << *place;
                    if (text == place->shown)
                        continue;
                    found.insert(field.str());
                    found.insert(name);
                }
                Cancel(dialog);
            });
            host.ForgetModalActions();
            Layout().m_nUnitIndex = GetParam().unit;
        }
        return found;
    }
    // A fault is told once for its dialog; the same in another field of it only counts.
    void Report(const FieldPlace& place, const std::string& fault) {
        std::string kind = DialogOf(place) + fault;
        std::erase_if(kind, [](char letter) { return std::isdigit(static_cast<unsigned char>(letter)); });
        if (m_reported.insert(kind).second)
            ADD_FAILURE() << place << ": " << fault;
        else
            ++m_repeated;
    }
    // The work on the place's field, then its dialog's OK, changes nothing; a box counts from
    // where the work last sets m_boxes.
    void ExpectNoChange(const FieldPlace& place, const char* what,
                        const std::function<void(CWnd&, CWnd&)>& work) {
        Restore(place.route.selected);
        const std::vector<BYTE> before = Kept(place);
        m_boxes = host.MessageBoxes().size();
        m_taken = false;
        const size_t reported = m_reported.size();
        Work(place, work);
        if (m_taken)
            return;
        if (host.MessageBoxes().size() > m_boxes)
            Report(place,
                   std::string(what) + ", it is refused: " + host.MessageBoxes()[m_boxes].text.c_str());
        else if (!IsActing(place) && m_changedUntouched.count(DialogOf(place)) == 0 &&
                 (Kept(place) != before || Layout().IsModified()))
            Report(place, std::string(what) + ", the OK " + Changes(before, Kept(place)));
        // A dialog whose untouched OK changes the layout tells nothing more by its fields' OK.
        if (place.index == kWholeDialog && m_reported.size() > reported)
            m_changedUntouched.insert(DialogOf(place));
    }
    void CheckUntouched(const FieldPlace& place) {
        ExpectNoChange(place, "left untouched", [&](CWnd& dialog, CWnd& field) {
            if (&field != &dialog) {
                host.ClickClient(&field, CPoint(3, 3));
                host.PressKey(VK_TAB);
            }
            // A window that shows only, with no button to confirm it, has nothing to keep.
            if (ConfirmingButton(dialog) != nullptr)
                ClickConfirming(dialog);
        });
    }
    // A field of lines is left out: its lines typed back are a person's new text.
    void CheckTypedBack(const FieldPlace& place) {
        ExpectNoChange(place, "typed away and back", [&](CWnd& dialog, CWnd& field) {
            auto* edit = dynamic_cast<CEdit*>(&field);
            m_taken = edit != nullptr && edit->IsMultiLine();
            if (m_taken)
                return;
            CString shown;
            field.GetWindowText(shown);
            DialogInput::Retype(host, &field, kAway);
            host.PressKey(VK_TAB);
            m_boxes = host.MessageBoxes().size();
            TypeBack(field, shown);
            host.PressKey(VK_TAB);
            ClickConfirming(dialog);
        });
    }
    // Types the text over the field's, too late after the last click to make a double click; an
    // empty text clears the field.
    void TypeBack(CWnd& field, const CString& text) {
        host.AdvanceClock(kClickPause);
        DialogInput::Retype(host, &field, text);
        if (text.IsEmpty())
            host.PressKey(VK_BACK);
    }
    // A refused OK leaves the dialog open, every other field as it was and the typed text in its
    // own; the shown text typed back is then taken and changes nothing. A field that takes the
    // text holds words.
    void CheckRefusal(const FieldPlace& place) {
        ExpectNoChange(place, "refused, then typed back", [&](CWnd& dialog, CWnd& field) {
            CString shown;
            field.GetWindowText(shown);
            std::map<CWnd*, CString> before;
            CollectTexts(dialog, before);
            const size_t boxes = host.MessageBoxes().size();
            DialogInput::Retype(host, &field, kRefused);
            host.PressKey(VK_TAB);
            const bool refusedOnLeaving = host.MessageBoxes().size() > boxes;
            ClickConfirming(dialog);
            if (refusedOnLeaving && !dialog.InModalLoop())
                Report(place, "refused as it is left, the OK then closes the dialog");
            // A field of words takes the number; a warning at OK lets it through.
            m_taken = host.MessageBoxes().size() == boxes || !dialog.InModalLoop();
            if (m_taken)
                return;
            ExpectRefusalKeeps(place, dialog, field, before);
            m_boxes = host.MessageBoxes().size();
            TypeBack(field, shown);
            host.PressKey(VK_TAB);
            ClickConfirming(dialog);
        });
    }
    void ExpectRefusalKeeps(const FieldPlace& place, CWnd& dialog, CWnd& field,
                            const std::map<CWnd*, CString>& before) {
        std::map<CWnd*, CString> after;
        CollectTexts(dialog, after);
        if (after[&field] != kRefused)
            Report(place,
                   std::string("refused, it shows ") + after[&field].c_str() + " for " + kRefused.c_str());
        for (const auto& [other, text] : before)
            if (other != &field && after.count(other) != 0 && after[other] != text)
                Report(place, std::string("refused, the field \"") + LabelOf(*other).c_str() + "\" showing " +
                                  text.c_str() + " shows " + after[other].c_str());
    }

    size_t m_boxes = 0;
    // Whether the work changed the field as a person means to, so that the OK may change the layout.
    bool m_taken = false;
    std::set<std::string> m_reported;
    std::set<std::string> m_changedUntouched;
    size_t m_repeated = 0;
};

}  // namespace

TEST_P(WalkedStates, EveryFieldChangesOnlyWhatIsTyped) {
    DiscoverState();
    std::cout << GetParam().name << ", one of " << States().size() << " states: " << places.size()
              << " fields in " << dialogPlaces.size() << " dialogs\n";
    RecordProperty("states", static_cast<int>(States().size()));
    RecordProperty("dialogs", static_cast<int>(dialogPlaces.size()));
    RecordProperty("fields", static_cast<int>(places.size()));
    EXPECT_FALSE(dialogPlaces.empty());
    for (const FieldPlace& dialog : dialogPlaces) CheckUntouched(dialog);
    for (const FieldPlace& place : places) {
        CheckUntouched(place);
        CheckTypedBack(place);
        CheckRefusal(place);
    }
    if (m_repeated != 0)
        std::cout << m_repeated << " faults more, each told in another field of its dialog\n";
    // The layout left as built, so closing the program asks nothing.
    Restore("");
}

INSTANTIATE_TEST_SUITE_P(EachState, WalkedStates, testing::ValuesIn(States()),
                         [](const testing::TestParamInfo<WalkState>& info) { return info.param.name; });
