#include <functional>
#include <utility>
#include <vector>

#include "tests/wizard/WizardFixture.h"

// A properties dialog confirmed with OK untouched, by keyboard, leaves the saved layout as it was
// and marks no change, whatever is selected.

namespace {

using Selection = std::pair<const char*, std::function<void()>>;

class UntouchedOk : public WizardInProgram {
  protected:
    void PressWith(UINT modifier, UINT key) {
        host.KeyDown(modifier);
        host.PressKey(key);
        host.KeyUp(modifier);
        host.RunUntilIdle();
    }
    void Draw(UINT tool, CPoint from, CPoint to) {
        Command(tool);
        Drag(from, to);
    }
    void SelectAll() { PressWith(VK_CONTROL, 'A'); }
    // The layout read from its file, the selection made and saved with Ctrl+S; then Edit >
    // Properties (the menu's last item) and Return in the dialog, all by keyboard.
    void ConfirmUntouched(const Selection& selection, const char* caption) {
        SCOPED_TRACE(selection.first);
        const std::filesystem::path file = folder / "untouched.cvn";
        ASSERT_TRUE(layout->OnSaveDocument(file.c_str()));
        ASSERT_TRUE(layout->OnOpenDocument(file.c_str()));
        layout->SetPathName(file.c_str());
        Command(ID_TOOL_SELECTOR);
        selection.second();
        PressWith(VK_CONTROL, 'S');
        const std::vector<BYTE> saved = Stored(*layout);
        bool opened = false;
        host.WhenModal("", [&](CWnd&) {
            host.WhenModal(caption, [&](CWnd&) {
                opened = true;
                host.PressKey(VK_RETURN);
            });
            host.KeyUp('E');
            host.KeyUp(VK_MENU);
            host.PressKey(VK_END);
            host.PressKey(VK_RETURN);
        });
        View()->SetFocus();
        host.KeyDown(VK_MENU);
        host.KeyDown('E');
        host.RunUntilIdle();
        EXPECT_TRUE(opened);
        EXPECT_EQ(Stored(*layout), saved);
        EXPECT_FALSE(layout->IsModified());
    }
};

}  // namespace

TEST_F(UntouchedOk, GroupPropertiesOfEverySelectionChangeNothing) {
    for (int turnout = 0; turnout < 3; ++turnout)
        RunWizard([&](CSheetWizard& sheet) {
            sheet.SetActivePage(kTurnoutPage);
            sheet.PressButton(PSBTN_OK);
        });
    for (const Selection& selection :
         {Selection{"all", [&] { SelectAll(); }},
          Selection{"one", [&] { layout->m_rootGroup.m_members.front()->SelectWithUndo(0, 0); }}})
        ConfirmUntouched(selection, "Group properties");
}

TEST_F(UntouchedOk, ObjectPropertiesOfEverySelectionChangeNothing) {
    Draw(ID_TOOL_LINE, CPoint(100, 400), CPoint(250, 430));
    Draw(ID_TOOL_BOX, CPoint(320, 400), CPoint(420, 480));
    SelectAll();
    Command(ID_GROUP);
    Draw(ID_TOOL_OVAL_TRACK, CPoint(100, 100), CPoint(300, 220));
    Draw(ID_TOOL_LINE, CPoint(100, 300), CPoint(250, 330));
    Draw(ID_TOOL_BOX, CPoint(320, 300), CPoint(420, 380));
    const auto insideGroup = [&] {
        layout->m_rootGroup.m_members.back()->SelectWithUndo(0, 0);
        Command(ID_EDIT_ENTER_GROUP);
        SelectAll();
    };
    for (const Selection& selection :
         {Selection{"all", [&] { SelectAll(); }}, Selection{"inside a group", insideGroup}})
        ConfirmUntouched(selection, "2D Object properties");
    Command(ID_EDIT_EXIT_GROUP);
    Draw(ID_TOOL_OVAL_TRACK, CPoint(400, 100), CPoint(600, 220));
    ConfirmUntouched({"all, a track piece first", [&] { SelectAll(); }}, "Track properties");
}
