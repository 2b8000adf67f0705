#include <initializer_list>
#include <iostream>

#include "platform/ctl/DialogNavigation.h"
#include "tests/app/MenuDialogsInProgram.h"

// Every dialog the menus open that shows tabs turns them by keyboard alone: Ctrl+Tab from the
// tab it opens on reaches every tab and comes back round, Ctrl+Shift+Tab walks them back, and
// Ctrl+PgDn and Ctrl+PgUp step either way; the focus stays where the keyboard can go on.

namespace {

class TabbedDialogsKeyboard : public MenuDialogsInProgram {
  protected:
    void Chord(std::initializer_list<UINT> held, UINT key) {
        for (UINT modifier : held) host.KeyDown(modifier);
        host.PressKey(key);
        for (UINT modifier : held) host.KeyUp(modifier);
    }
    // Presses the keys and checks the tab they turn to, step tabs on from where it was.
    void ExpectTurn(CWnd& dialog, CTabCtrl& tabs, std::initializer_list<UINT> held, UINT key, int step) {
        const int count = tabs.GetItemCount();
        const int wanted = ((tabs.GetCurSel() + step) % count + count) % count;
        Chord(held, key);
        CString caption;
        dialog.GetWindowText(caption);
        EXPECT_EQ(tabs.GetCurSel(), wanted) << caption.c_str() << " after a key from tab " << wanted - step;
        CWnd* focus = CWnd::GetFocus();
        EXPECT_TRUE(dialog.IsChild(focus) && DialogNavigation::CanFocus(focus))
            << caption.c_str() << ": the focus is left where the keyboard cannot go on";
    }
};

}  // namespace

TEST_F(TabbedDialogsKeyboard, ControlTabReachesEveryTabOfEveryTabbedDialogAndComesBackRound) {
    int tabbed = 0;
    WalkMenuDialogs([&](CWnd& dialog, UINT, const std::string&) {
        CTabCtrl* tabs = TabsOf(dialog);
        if (tabs == nullptr || !DialogNavigation::CanFocus(tabs))
            return;
        ++tabbed;
        const int first = tabs->GetCurSel();
        for (int turn = 0; turn < tabs->GetItemCount(); ++turn)
            ExpectTurn(dialog, *tabs, {VK_CONTROL}, VK_TAB, 1);
        EXPECT_EQ(tabs->GetCurSel(), first);
        for (int turn = 0; turn < tabs->GetItemCount(); ++turn)
            ExpectTurn(dialog, *tabs, {VK_CONTROL, VK_SHIFT}, VK_TAB, -1);
        ExpectTurn(dialog, *tabs, {VK_CONTROL}, VK_NEXT, 1);
        ExpectTurn(dialog, *tabs, {VK_CONTROL}, VK_PRIOR, -1);
    });
    std::cout << tabbed << " tabbed dialogs\n";
    EXPECT_GT(tabbed, 0);
    Restore("");
}
