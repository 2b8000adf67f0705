#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <vector>

#include "platform/win/Accelerators.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/NonClientPainter.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"
#include "tests/app/PlanInProgram.h"
#include "tests/support/PixelDigest.h"

// Each key of the main window's key table, pressed on a layout, leaves the main window (the plan
// window in it, the tool bars and the status bar) exactly as its menu entry leaves the same layout,
// and both leave what a fresh paint of the window and the layout's own status would show.

namespace {

// Keys whose commands open a dialog, and its caption: the dialog is closed with Escape both times.
const std::map<UINT, CString> kDialogs{{ID_FILE_OPEN, "Open"}, {ID_FILE_PRINT, "Print"}};

// Commands whose work on the opened layout shows on the screen.
const std::set<UINT> kVisible{ID_EDIT_SELECT_ALL,
                              ID_CREATE_PARALLEL_TRACK,
                              ID_EDIT_DUPLICATE,
                              ID_EDIT_ENTER_GROUP,
                              ID_GROUP,
                              ID_FLIP_2D_HORIZONTAL,
                              ID_EDIT_EXIT_GROUP,
                              ID_FLIP_2D_VERTICAL,
                              ID_UNGROUP,
                              ID_EDIT_PASTE,
                              ID_EDIT_CUT,
                              ID_EDIT_UNDO,
                              ID_EDIT_DELETE,
                              ID_ZOOM_IN,
                              ID_ZOOM_OUT,
                              ID_CAMERA_MOVE_FORWARD,
                              ID_CAMERA_MOVE_BACKWARD,
                              ID_CAMERA_TURN_LEFT,
                              ID_CAMERA_TURN_RIGHT};

// Client points of the layout's objects in the plan window.
const CPoint kOnGroup(175, 230);
const CPoint kOnStraight(550, 141);

// The screen a command left: the main window's pixels and the status panes' texts.
struct Shown {
    std::uint64_t picture = 0;
    std::vector<CString> panes;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
    *out << "picture " << std::hex << shown.picture << std::dec << ", status";
    for (const CString& pane : shown.panes) *out << " \"" << pane.c_str() << "\"";
}

enum class Route { kKey, kMenu };

class AcceleratorScreen : public PlanInProgram {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlanInProgram::SetUp());
        DrawLayout();
    }
    CView* Plan() { return Main().MDIGetActive()->GetActiveView(); }
    void Drag(UINT tool, CPoint from, CPoint to) {
        Command(tool);
        host.AdvanceClock(1000);
        host.DragClient(Plan(), from, to, 6);
        host.RunUntilIdle();
    }
    void Click(CPoint client) {
        host.AdvanceClock(1000);
        host.ClickClient(Plan(), client);
        host.AdvanceClock(1000);
    }
    // A group of two lines, a box and a straight, stored in a file each run opens a copy of.
    void DrawLayout() {
        Drag(ID_TOOL_LINE, CPoint(100, 200), CPoint(250, 260));
        Drag(ID_TOOL_LINE, CPoint(100, 300), CPoint(250, 320));
        Command(ID_TOOL_SELECTOR);
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_GROUP);
        Drag(ID_TOOL_BOX, CPoint(300, 100), CPoint(400, 200));
        Drag(ID_TOOL_STRAIGHT_TRACK, CPoint(450, 122), CPoint(650, 160));
        m_drawn = folder / "drawn.cvn";
        ASSERT_TRUE(ActiveLayout()->OnSaveDocument(m_drawn.c_str()));
        ActiveLayout()->SetModifiedFlag(FALSE);
        CloseLayouts();
    }
    void CloseLayouts() {
        for (CDocTemplate* docTemplate : app.Templates())
            for (CDocument* document : docTemplate->Documents()) document->SetModifiedFlag(FALSE);
        app.CloseAllDocuments(FALSE);
        host.RunUntilIdle();
    }
    // The layout opened, with the selection the command works on, shown as a fresh paint shows it.
    // Each run opens a fresh copy of the stored layout, as Save writes the opened one again.
    void OpenLayout(UINT command) {
        CloseLayouts();
        const std::filesystem::path opened = folder / "keys.cvn";
        std::filesystem::copy_file(m_drawn, opened, std::filesystem::copy_options::overwrite_existing);
        ASSERT_NE(app.OpenDocumentFile(opened.c_str()), nullptr);
        host.RunUntilIdle();
        Command(ID_TOOL_SELECTOR);
        // Every run starts with the group on the clipboard, whatever the runs before put there.
        Click(kOnGroup);
        Command(ID_EDIT_COPY);
        if (command == ID_CREATE_PARALLEL_TRACK)
            Click(kOnStraight);
        if (command == ID_GROUP)
            Command(ID_EDIT_SELECT_ALL);
        if (command == ID_EDIT_EXIT_GROUP)
            Command(ID_EDIT_ENTER_GROUP);
        PaintAfresh();
        ActiveLayout()->m_tool.UpdateStatus();
        host.RunUntilIdle();
    }
    void PaintAfresh() {
        Main().SendMessage(WM_SETREDRAW, FALSE);
        Main().SendMessage(WM_SETREDRAW, TRUE);
        host.RunUntilIdle();
    }
    Shown Screen() {
        Shown shown{PixelDigest(*Main().Surface()), {}};
        for (int pane = 0; pane < CMainFrame::kStatusPaneCount; ++pane)
            shown.panes.push_back(Main().GetStatusBar().GetPaneText(pane));
        return shown;
    }
    // What the window shows after a fresh paint, the status panes refilled from the layout.
    Shown ScreenAfresh() {
        PaintAfresh();
        if (ActiveLayout() != nullptr)
            ActiveLayout()->m_tool.UpdateStatus();
        host.RunUntilIdle();
        return Screen();
    }
    void Press(const ACCEL& key) {
        std::vector<UINT> held;
        if (key.fVirt & FCONTROL)
            held.push_back(VK_CONTROL);
        if (key.fVirt & FSHIFT)
            held.push_back(VK_SHIFT);
        if (key.fVirt & FALT)
            held.push_back(VK_MENU);
        for (UINT modifier : held) host.KeyDown(modifier);
        host.PressKey(key.key);
        for (UINT modifier : held) host.KeyUp(modifier);
    }
    // Opens the menu of the bar that holds the command and clicks its item. A command no menu
    // holds is posted to the main window as a menu posts it.
    void ChooseFromMenu(UINT command) {
        CMenu* bar = Main().GetMenu();
        for (int title = 0; title < bar->GetMenuItemCount(); ++title) {
            CMenu* popup = bar->GetSubMenu(title);
            for (int item = 0; popup != nullptr && item < popup->GetMenuItemCount(); ++item) {
                if (popup->GetMenuItemID(item) != command)
                    continue;
                host.WhenModal("", [this, item](CWnd& window) {
                    auto& shown = dynamic_cast<CMenuPopupWnd&>(window);
                    host.ClickClient(&shown, shown.ItemRect(item).CenterPoint());
                });
                CRect frame;
                Main().GetWindowRect(&frame);
                host.Click(NonClientPainter::MenuBarItemRect(Main(), title).CenterPoint() + frame.TopLeft());
                return;
            }
        }
        Main().PostMessage(WM_COMMAND, command);
    }
    // Runs the command on the opened layout by one route; a greyed command is not run by the
    // menu, and the key must then change nothing.
    Shown Run(const ACCEL& key, Route route) {
        OpenLayout(key.cmd);
        const bool enabled = IsEnabled(key.cmd);
        const auto dialog = kDialogs.find(key.cmd);
        bool answered = false;
        if (dialog != kDialogs.end())
            host.WhenModal(dialog->second, [this, &answered](CWnd&) {
                answered = true;
                host.PressKey(VK_ESCAPE);
            });
        if (route == Route::kKey)
            Press(key);
        else if (enabled)
            ChooseFromMenu(key.cmd);
        host.RunUntilIdle();
        EXPECT_EQ(answered, dialog != kDialogs.end()) << Name(key);
        const Shown shown = Screen();
        EXPECT_EQ(shown, ScreenAfresh()) << Name(key) << (route == Route::kKey ? " by key" : " by menu");
        return shown;
    }
    static CString Name(const ACCEL& key) {
        CString name;
        name.Format("key %#x flags %#x command %u", key.key, key.fVirt, key.cmd);
        return name;
    }

    std::filesystem::path m_drawn;
};

}  // namespace

TEST_F(AcceleratorScreen, EachKeyShowsWhatItsMenuEntryShows) {
    const HACCEL table = LoadAccelerators(IDR_MAINFRAME);
    ASSERT_NE(table, nullptr);
    for (const ACCEL& key : table->entries) {
        // Each new layout's title counts up, so no two runs of New show the same window.
        if (key.cmd == ID_FILE_NEW)
            continue;
        // Shift+F1 waits for a click that names a thing; no menu entry carries it.
        if (key.cmd == ID_CONTEXT_HELP)
            continue;
        OpenLayout(key.cmd);
        const Shown before = Screen();
        const Shown byKey = Run(key, Route::kKey);
        const Shown byMenu = Run(key, Route::kMenu);
        EXPECT_EQ(byKey, byMenu) << Name(key);
        if (kVisible.count(key.cmd) != 0) {
            EXPECT_NE(byKey, before) << Name(key);
        }
    }
}

// Ctrl+A shows every object's handles and counts them in the status bar at once.
TEST_F(AcceleratorScreen, CtrlAShowsTheHandlesAndTheCountOfEveryObject) {
    OpenLayout(ID_EDIT_SELECT_ALL);
    const Shown before = Screen();
    Press({FVIRTKEY | FCONTROL, 'A', ID_EDIT_SELECT_ALL});
    const Shown selected = Screen();
    EXPECT_NE(selected.picture, before.picture);
    EXPECT_EQ(selected.panes.front(), "3 objects selected.");
    EXPECT_EQ(selected, ScreenAfresh());
}

// The editing engine's Select All repaints every view of the layout itself, whoever runs it.
TEST_F(AcceleratorScreen, SelectAllRepaintsTheLayoutsViewsItself) {
    OpenLayout(ID_EDIT_SELECT_ALL);
    const std::uint64_t before = PixelDigest(*Main().Surface());
    ActiveLayout()->m_tool.SelectAll(1);
    host.RunUntilIdle();
    const std::uint64_t selected = PixelDigest(*Main().Surface());
    EXPECT_NE(selected, before);
    PaintAfresh();
    EXPECT_EQ(PixelDigest(*Main().Surface()), selected);
}
