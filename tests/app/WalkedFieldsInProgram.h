#pragma once

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <set>

#include "model/CLengthFormat.h"
#include "model/CPaint.h"
#include "platform/cdlg/CFileDialog.h"
#include "platform/cdlg/CPrintDialog.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/CMessageBoxWnd.h"
#include "platform/ctl/CStatic.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/ctl/ListControlDefs.h"
#include "tests/app/MenuDialogsInProgram.h"
#include "tests/support/NamedBounds.h"
#include "track/CParTrack.h"

// Every field a person can type into, in every dialog the menu bar opens and in the properties
// dialog of every stored class, found by walking the menus, the class records, the tabs and the
// dialogs' own children: no field is named here.

// Dialogs whose OK does what they show, untouched or not, and open afresh: a turn, a piece
// placed, a print.
inline const std::set<UINT> kActing = {ID_ROTATE_BY_DEGREES, ID_TRACK_WIZARD, ID_FILE_PRINT};

// Buttons that close their dialog or show its help; every other push button may open one.
inline const std::set<UINT> kClosingOrHelp = {IDOK, IDCANCEL, IDHELP, ID_APPLY_NOW};

// Dialogs whose OK does what they show, untouched or not, and open afresh, reached by a button
// or a gesture: a piece placed beside the track.
inline const std::set<std::string> kActingCaptions = {"Parallel track"};

// A push button pressed on the way to a dialog: the tab it lies on, its place among the buttons
// shown there, and its text.
struct ButtonPress {
    int tab;
    size_t index;
    CString text;
};

// A press at a share of the way along a track piece and its release at another, the mouse a
// number of pixels beside the piece.
struct Stroke {
    double from;
    double to;
    int beside;
};

// The passes a tool is tried with, until one opens a dialog: a drag from end to end (spans),
// and a click on the piece then one beside it (chains, and a band pulled from one).
inline const std::vector<std::vector<Stroke>> kPasses = {{{0.0, 1.0, 0}}, {{0.5, 0.5, 0}, {0.5, 0.5, 30}}};

// How a dialog is reached: the command chosen with an object of the class selected (none:
// nothing); for a tool, one of the passes along a track piece (none: -1); then the buttons pressed.
struct Route {
    UINT command;
    std::string selected;
    int pass = -1;
    std::vector<ButtonPress> presses;
};

// Where a field lies: the dialog its route reaches, the tab turned to, the field's place among
// the fields shown there, its label and the text it showed when found.
struct FieldPlace {
    Route route;
    CString caption;
    int tab;
    size_t index;
    CString label;
    CString shown;
};

inline bool IsActing(const FieldPlace& place) {
    return kActing.count(place.route.command) != 0 || kActingCaptions.count(place.caption.c_str()) != 0;
}

// The place of a dialog as a whole, before any field.
inline constexpr size_t kWholeDialog = SIZE_MAX;

// The dialog a field lies in, as the walk names it.
inline std::string DialogOf(const FieldPlace& place) {
    std::string name = place.caption.c_str();
    if (!place.route.selected.empty())
        name += " of " + place.route.selected;
    if (place.route.pass >= 0)
        name += " after pass " + std::to_string(place.route.pass) + " along track";
    for (const ButtonPress& press : place.route.presses)
        name += " through \"" + std::string(press.text.c_str()) + "\"";
    return name;
}

inline std::ostream& operator<<(std::ostream& out, const FieldPlace& place) {
    if (place.index == kWholeDialog)
        return out << DialogOf(place);
    return out << DialogOf(place) << ", tab " << place.tab << ", field " << place.index << " \""
               << place.label.c_str() << "\"";
}

// Whether a field shows the value typed: "0.000" shows the "0" a refusal names.
inline bool ShowsValue(const CString& shown, const CString& typed, int unit) {
    const CLengthFormat lengths(unit);
    double shownValue = 0.0;
    double typedValue = 0.0;
    if (!lengths.ReadTypedLength(shown, shownValue) || !lengths.ReadTypedLength(typed, typedValue))
        return shown == typed;
    return std::fabs(shownValue - typedValue) <= 1e-9 * std::max(1.0, std::fabs(typedValue));
}

inline bool IsTypedInto(CWnd& control) {
    if (!control.IsWindowVisible() || !control.IsWindowEnabled())
        return false;
    if (auto* edit = dynamic_cast<CEdit*>(&control))
        return !edit->IsReadOnly();
    return dynamic_cast<CComboBox*>(&control) != nullptr && (control.GetStyle() & 3) == CBS_DROPDOWN;
}

// The fields shown in the window and its children, in their order; a drop-down list's edit
// part is the list's own.
inline void CollectFields(CWnd& window, std::vector<CWnd*>& fields) {
    for (CWnd* child : window.Children()) {
        if (IsTypedInto(*child))
            fields.push_back(child);
        else if (child->IsWindowVisible())
            CollectFields(*child, fields);
    }
}

// The push buttons shown in the window and its children that may open a dialog, in their order.
inline void CollectButtons(CWnd& window, std::vector<CWnd*>& buttons) {
    for (CWnd* child : window.Children()) {
        auto* button = dynamic_cast<CButton*>(child);
        if (button != nullptr && button->IsPushButton() && button->IsWindowVisible() &&
            button->IsWindowEnabled() && kClosingOrHelp.count(static_cast<UINT>(button->GetDlgCtrlID())) == 0)
            buttons.push_back(button);
        else if (child->IsWindowVisible())
            CollectButtons(*child, buttons);
    }
}

// The button that confirms the dialog: OK, or the default push button where it has no OK.
inline CWnd* ConfirmingButton(CWnd& dialog) {
    if (CWnd* ok = dialog.GetDlgItem(IDOK))
        return ok;
    std::vector<CWnd*> buttons;
    CollectButtons(dialog, buttons);
    for (CWnd* button : buttons)
        if (static_cast<CButton*>(button)->GetButtonStyle() == BS_DEFPUSHBUTTON)
            return button;
    return nullptr;
}

// A window of fields: no message box, file dialog or menu.
inline bool IsDialogOfFields(CWnd& modal) {
    return dynamic_cast<CMessageBoxWnd*>(&modal) == nullptr &&
           dynamic_cast<CFileDialog*>(&modal) == nullptr && dynamic_cast<CMenuPopupWnd*>(&modal) == nullptr;
}

// The text of the label just before the field, where the dialog has one.
inline CString LabelOf(CWnd& field) {
    const auto& siblings = field.GetParent()->Children();
    const auto at = std::find(siblings.begin(), siblings.end(), &field);
    CString text;
    if (at != siblings.begin() && dynamic_cast<CStatic*>(*(at - 1)) != nullptr)
        (*(at - 1))->GetWindowText(text);
    return text;
}

class WalkedFieldsInProgram : public MenuDialogsInProgram {
  protected:
    // Chooses the command with the selection; every modal window it opens is walked. A command
    // that opens nothing and sets a mark the selector clears is a tool: a pass along track with
    // it may open one.
    void Discover(UINT command, const std::string& selected) {
        Restore(selected);
        if (!IsEnabled(command))
            return;
        const bool checked = IsChecked(command);
        bool opened = false;
        std::vector<ButtonPress> presses;
        ChooseThen(command, [&](CWnd& modal) {
            opened = true;
            presses = Walk(modal, {command, selected, -1, {}});
        });
        const bool marked = !opened && !checked && IsChecked(command);
        if (marked)
            Command(ID_TOOL_SELECTOR);
        // A tool's mark goes with the selector; a window the command shows beside the plan, or a
        // setting it turns on, goes as it came.
        if (marked && !IsChecked(command))
            tools.push_back({command, selected, 0, {}});
        else if (IsChecked(command) != checked)
            ChooseFromMenu(command);
        DiscoverBehind({command, selected, -1, {}}, presses);
    }
    // Opens the route's dialog afresh and walks it, then every dialog its buttons open; answers
    // whether one opened.
    bool DiscoverRoute(const Route& route) {
        Restore(route.selected);
        bool opened = false;
        std::vector<ButtonPress> presses;
        Open(route, [&](CWnd& modal) {
            opened = true;
            presses = Walk(modal, route);
        });
        DiscoverBehind(route, presses);
        return opened;
    }
    // Tries the tool with each pass until one opens a dialog.
    void DiscoverPasses(Route tool) {
        for (tool.pass = 0; tool.pass < static_cast<int>(kPasses.size()) && !DiscoverRoute(tool);
             ++tool.pass) {
        }
    }
    void DiscoverBehind(const Route& route, const std::vector<ButtonPress>& presses) {
        for (const ButtonPress& press : presses) {
            Route inner = route;
            inner.presses.push_back(press);
            DiscoverRoute(inner);
        }
    }
    // Collects the places of a dialog of fields a command opens, or one reached by a button or a
    // tool not reached before, and answers the buttons that may open another; then closes it.
    std::vector<ButtonPress> Walk(CWnd& modal, const Route& route) {
        std::vector<ButtonPress> presses;
        CString caption;
        modal.GetWindowText(caption);
        const std::pair<UINT, std::string> byCommand{0, caption.c_str()};
        const std::pair<UINT, std::string> byTool{route.pass >= 0 ? route.command : 0, caption.c_str()};
        const bool reached = m_reached.count(byCommand) != 0 || m_reached.count(byTool) != 0;
        m_reached.insert(byTool);
        if (route.pass < 0 && route.presses.empty() && dynamic_cast<CPrintDialog*>(&modal) != nullptr)
            commonCommands.insert(route.command);
        if (IsDialogOfFields(modal) && !(reached && (route.pass >= 0 || !route.presses.empty()))) {
            CollectPlaces(modal, route);
            const CTabCtrl* tabs = TabsOf(modal);
            for (int tab = 0; tab < (tabs ? tabs->GetItemCount() : 1); ++tab) {
                const std::vector<CWnd*> buttons = ButtonsOn(modal, tab);
                for (size_t index = 0; index < buttons.size(); ++index) {
                    if (buttons[index] == ConfirmingButton(modal))
                        continue;
                    CString text;
                    buttons[index]->GetWindowText(text);
                    presses.push_back({tab, index, text});
                }
            }
        }
        modal.EndModalLoop(IDCANCEL);
        return presses;
    }
    // Reaches the route's dialog, whose action then runs.
    void Open(const Route& route, HeadlessHost::ModalAction action) {
        for (auto press = route.presses.rbegin(); press != route.presses.rend(); ++press)
            action = [this, press = *press, inner = std::move(action)](CWnd& dialog) {
                Press(dialog, press, inner);
            };
        if (route.pass >= 0)
            PassAlongTrack(route, action);
        else
            ChooseThen(route.command, action);
    }
    // Presses the button; the dialog it opens runs the action. The dialog pressed in is then
    // confirmed when that one was, else cancelled.
    void Press(CWnd& dialog, const ButtonPress& press, const HeadlessHost::ModalAction& action) {
        const std::vector<CWnd*> buttons = ButtonsOn(dialog, press.tab);
        if (press.index >= buttons.size())
            return;
        bool ran = false;
        bool confirmed = false;
        host.WhenModal("", [&](CWnd& inner) {
            ran = true;
            action(inner);
            host.RunUntilIdle();
            confirmed = !inner.InModalLoop() && inner.ModalResult() == IDOK;
        });
        host.AdvanceClock(kClickPause);
        host.ClickClient(buttons[press.index], CPoint(3, 3));
        if (!ran)
            host.ForgetModalActions();
        if (!dialog.InModalLoop())
            return;
        if (confirmed)
            ClickConfirming(dialog);
        else
            Cancel(dialog);
    }
    // Chooses the tool and makes the pass's strokes along a track piece, the selected one, else
    // the straight, until a window of fields opens and runs the action; a message box before it
    // is answered, and every window after it closed.
    void PassAlongTrack(const Route& route, HeadlessHost::ModalAction action) {
        Command(route.command);
        CParTrack* piece = nullptr;
        for (CPaint* member : Members())
            if (auto* track = dynamic_cast<CParTrack*>(member);
                track && (track->IsSelected() || (!piece && track->GetClassName() == "CTrack")))
                piece = track;
        ASSERT_NE(piece, nullptr);
        const auto along = [&](double share, int beside) {
            const CDoublePoint begin = piece->LocalToWorld(piece->GetEndPoint(0).x, piece->GetEndPoint(0).y);
            const CDoublePoint end = piece->LocalToWorld(piece->GetEndPoint(1).x, piece->GetEndPoint(1).y);
            return ScreenOfPlan({begin.x + share * (end.x - begin.x), begin.y + share * (end.y - begin.y)}) +
                   CSize(0, beside);
        };
        bool opened = false;
        WhenPassOpens([&](CWnd& modal) {
            opened = true;
            action(modal);
        });
        for (const Stroke& stroke : kPasses[static_cast<size_t>(route.pass)]) {
            if (opened)
                break;
            host.AdvanceClock(kClickPause);
            host.MouseMove(along(stroke.from, stroke.beside));
            host.MouseDown(along(stroke.from, stroke.beside));
            host.MouseMove(along((stroke.from + stroke.to) / 2, stroke.beside));
            host.MouseUp(along(stroke.to, stroke.beside));
            host.RunUntilIdle();
        }
        host.ForgetModalActions();
    }
    void WhenPassOpens(const HeadlessHost::ModalAction& action) {
        host.WhenModal("", [this, action](CWnd& modal) {
            if (!IsDialogOfFields(modal)) {
                WhenPassOpens(action);
                modal.EndModalLoop(IDCANCEL);
                return;
            }
            action(modal);
            CloseEvery();
        });
    }
    void CloseEvery() {
        host.WhenModal("", [this](CWnd& modal) {
            CloseEvery();
            modal.EndModalLoop(IDCANCEL);
        });
    }
    void CollectPlaces(CWnd& dialog, const Route& route) {
        CString caption;
        dialog.GetWindowText(caption);
        const CTabCtrl* tabs = TabsOf(dialog);
        for (int tab = 0; tab < (tabs ? tabs->GetItemCount() : 1); ++tab) {
            for (CWnd* field : FieldsOn(dialog, tab)) {
                CString shown;
                field->GetWindowText(shown);
                places.push_back({route, caption, tab, m_indexOnTab++, LabelOf(*field), shown});
            }
            m_indexOnTab = 0;
        }
        dialogPlaces.push_back({route, caption, 0, kWholeDialog, "", ""});
        ++dialogs;
    }
    void ShowTab(CWnd& dialog, int tab) {
        if (auto* sheet = dynamic_cast<CPropertySheet*>(&dialog))
            TurnTo(*sheet, tab);
        else if (CTabCtrl* tabs = TabsOf(dialog))
            DialogInput::ClickTab(host, tabs, tab);
    }
    std::vector<CWnd*> FieldsOn(CWnd& dialog, int tab) {
        ShowTab(dialog, tab);
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
    std::vector<CWnd*> ButtonsOn(CWnd& dialog, int tab) {
        ShowTab(dialog, tab);
        std::vector<CWnd*> buttons;
        CollectButtons(dialog, buttons);
        return buttons;
    }
    // Opens the place's dialog and works its field; a dialog's own place works the dialog.
    void Work(const FieldPlace& place, std::function<void(CWnd& dialog, CWnd& field)> work) {
        bool opened = false;
        CString caption = "none";
        size_t count = 0;
        Open(place.route, [&](CWnd& dialog) {
            dialog.GetWindowText(caption);
            const std::vector<CWnd*> fields = FieldsOn(dialog, place.tab);
            count = fields.size();
            const bool whole = place.index == kWholeDialog;
            opened = caption == place.caption && (whole || place.index < fields.size());
            AnswerEveryBox();
            if (opened)
                work(dialog, whole ? dialog : *fields[place.index]);
            Cancel(dialog);
        });
        if (!opened)
            ADD_FAILURE() << place << ": the dialog or its field does not open again, but " << caption.c_str()
                          << " with " << count << " fields";
    }
    // Types over the field's text and confirms the dialog: the first refusal, or nothing.
    CString Typed(const FieldPlace& place, const CString& text) {
        Restore(place.route.selected);
        const size_t boxes = host.MessageBoxes().size();
        Work(place, [&](CWnd& dialog, CWnd& field) {
            DialogInput::Retype(host, &field, text);
            Confirm(dialog, field);
        });
        return host.MessageBoxes().size() > boxes ? host.MessageBoxes()[boxes].text : CString();
    }
    // What a save writes; after a pass, of the objects only: the tool and selection a pass leaves
    // are the state of the work.
    std::vector<BYTE> Kept(const FieldPlace& place) {
        if (place.route.pass < 0)
            return Stored(Layout());
        std::vector<BYTE> objects;
        for (CPaint* member : Members()) {
            const std::vector<BYTE> bytes = member->StoredBytes();
            objects.insert(objects.end(), bytes.begin(), bytes.end());
        }
        return objects;
    }
    // Cancel, or the window's close where it has none.
    void Cancel(CWnd& dialog) {
        if (dialog.InModalLoop() && dialog.GetDlgItem(IDCANCEL) != nullptr)
            ClickControl(dialog, IDCANCEL);
        else if (dialog.InModalLoop())
            dialog.EndModalLoop(IDCANCEL);
    }
    void ClickConfirming(CWnd& dialog) {
        CWnd* button = ConfirmingButton(dialog);
        ASSERT_NE(button, nullptr) << "a dialog with no button to confirm it";
        host.AdvanceClock(kClickPause);
        host.ClickClient(button, CPoint(3, 3));
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
            ClickConfirming(dialog);
        else
            host.PressKey(VK_RETURN);
    }

    // The dialogs walked, by the tool whose pass opened them (none: a command or a button) and caption.
    std::set<std::pair<UINT, std::string>> m_reached;
    std::vector<FieldPlace> places;
    // A place for each dialog walked, fields or not.
    std::vector<FieldPlace> dialogPlaces;
    // The commands whose dialog is a common one of the system's, the print and print setup dialogs.
    std::set<UINT> commonCommands;
    // The tools, with their selection, whose pass along track the walk tries.
    std::vector<Route> tools;
    size_t dialogs = 0;
    size_t m_indexOnTab = 0;
};
