#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CMenu.h"
#include "platform/win/CMenuBarTracker.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/NonClientPainter.h"
#include "platform/win/WindowManager.h"
#include "tests/support/TestPictures.h"

namespace {
constexpr UINT ID_NEW = 100;
constexpr UINT ID_ONE = 101;
constexpr UINT ID_TWO = 102;
constexpr UINT ID_EXIT = 103;
constexpr UINT ID_GRID = 104;

CMenu* Popup(std::initializer_list<std::pair<UINT, const char*>> items) {
    auto* popup = new CMenu;
    popup->CreatePopupMenu();
    for (const auto& [id, text] : items) popup->AppendMenu(MF_STRING, id, text);
    return popup;
}

// A frame with File (New, Recent > One / Two, Exit) and View (Grid); it logs the commands it gets
// and leaves the items' states as the menu holds them.
class MenuFrame : public CWnd {
  public:
    std::vector<UINT> commands;
    int closeRequests = 0;
    int clicks = 0;

  protected:
    int OnCreate(CREATESTRUCT*) override {
        CMenu* file = Popup({{ID_NEW, "&New"}});
        file->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(Popup({{ID_ONE, "&One"}, {ID_TWO, "&Two"}})),
                         "&Recent");
        file->AppendMenu(MF_STRING, ID_EXIT, "E&xit");
        m_bar.CreateMenu();
        m_bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        m_bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(Popup({{ID_GRID, "&Grid"}})), "&View");
        SetMenu(&m_bar);
        return 0;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        commands.push_back(LOWORD(wParam));
        return TRUE;
    }
    void OnInitMenuPopup(CMenu*, UINT, BOOL) override {}
    void OnClose() override { ++closeRequests; }
    void OnLButtonDown(UINT, CPoint) override { ++clicks; }

  private:
    CMenu m_bar;
};

class MenuTest : public ::testing::Test {
  protected:
    using PopupAction = std::function<void(CMenuPopupWnd&)>;

    void SetUp() override {
        WindowManager::Instance().Reset();
        ASSERT_TRUE(frame.Create(nullptr, "Menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 CRect(100, 100, 500, 400), nullptr, 0));
        host.RunUntilIdle();
    }
    void TearDown() override { EXPECT_TRUE(host.UnansweredModals().empty()); }

    // The next popup that opens runs action.
    void WhenPopup(PopupAction action) {
        host.WhenModal("", [action](CWnd& popup) { action(dynamic_cast<CMenuPopupWnd&>(popup)); });
    }
    // Opens the File menu with a click on its title and lets action see it.
    void WithFileMenu(PopupAction action) {
        WhenPopup(std::move(action));
        host.Click(BarItemCentre(0));
    }
    void AltChord(UINT key) {
        host.KeyDown(VK_MENU);
        host.PressKey(key);
        host.KeyUp(VK_MENU);
    }
    // A context menu of one item, as a right click opens it.
    void OpenContextMenu() {
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, ID_GRID, "&Grid");
        menu.TrackPopupMenu(0, 150, 150, &frame);
    }
    int Title() const { return CMenuBarTracker::HighlightedTitle(&frame); }
    CPoint BarItemCentre(int item) const {
        CRect window;
        frame.GetWindowRect(&window);
        return NonClientPainter::MenuBarItemRect(frame, item).CenterPoint() + window.TopLeft();
    }
    static CPoint ItemCentre(CMenuPopupWnd& popup, const char* text) {
        CPoint centre = popup.ItemRect(popup.FindItem(text)).CenterPoint();
        popup.ClientToScreen(&centre);
        return centre;
    }
    // The colour shown at a window's point (window coordinates).
    static COLORREF Shown(CWnd& window, int x, int y) { return ColorFromPixel(window.Surface()->At(x, y)); }
    // The colour shown at a client point of a popup.
    static COLORREF ShownInClient(CWnd& popup, CPoint client) {
        CRect window;
        popup.GetWindowRect(&window);
        popup.ClientToScreen(&client);
        return Shown(popup, client.x - window.left, client.y - window.top);
    }

    HeadlessHost host;
    MenuFrame frame;
};
}  // namespace

TEST_F(MenuTest, ASubmenuOpensWhenTheMouseRestsOnItsItemAndClosesWhenTheMouseMovesOn) {
    WithFileMenu([&](CMenuPopupWnd& file) {
        const int recent = file.FindItem("&Recent");
        // The item of a submenu carries an arrow at its right end.
        const CRect item = file.ItemRect(recent);
        int arrow = 0;
        for (int x = item.right - 16; x < item.right; ++x)
            for (int y = item.top; y < item.bottom; ++y)
                if (ShownInClient(file, CPoint(x, y)) == GetSysColor(COLOR_MENUTEXT))
                    ++arrow;
        EXPECT_GE(arrow, 10);

        WhenPopup([&](CMenuPopupWnd& submenu) {
            EXPECT_EQ(submenu.MenuShown(), file.MenuShown()->GetSubMenu(recent));
            CRect fileRect;
            CRect subRect;
            file.GetWindowRect(&fileRect);
            submenu.GetWindowRect(&subRect);
            // Beside the File menu, its first item level with the item that opened it.
            EXPECT_GE(subRect.left, fileRect.right - 4);
            CPoint first = submenu.ItemRect(0).TopLeft();
            CPoint opener = item.TopLeft();
            submenu.ClientToScreen(&first);
            file.ClientToScreen(&opener);
            EXPECT_EQ(first.y, opener.y);
            host.MouseMove(ItemCentre(file, "&New"));
            EXPECT_FALSE(submenu.InModalLoop());
        });
        host.MouseMove(ItemCentre(file, "&Recent"));
        EXPECT_EQ(CMenuPopupWnd::Current(), &file);
        EXPECT_EQ(file.Highlighted(), file.FindItem("&New"));

        WhenPopup([&](CMenuPopupWnd& submenu) { host.Click(ItemCentre(submenu, "&Two")); });
        host.MouseMove(ItemCentre(file, "&Recent"));
    });
    EXPECT_EQ(frame.commands, (std::vector<UINT>{ID_TWO}));
}

TEST_F(MenuTest, TheArrowKeysOpenAndCloseASubmenu) {
    WithFileMenu([&](CMenuPopupWnd& file) {
        host.PressKey(VK_DOWN);
        host.PressKey(VK_DOWN);
        ASSERT_EQ(file.Highlighted(), file.FindItem("&Recent"));
        // Right opens it with its first item highlighted; Left closes it again.
        WhenPopup([&](CMenuPopupWnd& submenu) {
            EXPECT_EQ(submenu.Highlighted(), 0);
            host.PressKey(VK_LEFT);
        });
        host.PressKey(VK_RIGHT);
        EXPECT_TRUE(file.InModalLoop());
        EXPECT_EQ(CMenuPopupWnd::Current(), &file);
        // Escape closes only the submenu.
        WhenPopup([&](CMenuPopupWnd&) { host.PressKey(VK_ESCAPE); });
        host.PressKey(VK_RIGHT);
        EXPECT_TRUE(file.InModalLoop());
        EXPECT_EQ(file.Highlighted(), file.FindItem("&Recent"));
        // Enter opens it too, and chooses in it.
        WhenPopup([&](CMenuPopupWnd&) {
            host.PressKey(VK_DOWN);
            host.PressKey(VK_RETURN);
        });
        host.PressKey(VK_RETURN);
    });
    EXPECT_EQ(frame.commands, (std::vector<UINT>{ID_TWO}));

    // Right on an item without a submenu goes on to the next menu of the bar.
    WithFileMenu([&](CMenuPopupWnd&) {
        WhenPopup([&](CMenuPopupWnd&) {
            WhenPopup([&](CMenuPopupWnd& view) {
                EXPECT_EQ(view.FindItem("&Grid"), 0);
                host.Type("g");
            });
            host.PressKey(VK_RIGHT);
        });
        host.Type("r");
    });
    EXPECT_EQ(frame.commands, (std::vector<UINT>{ID_TWO, ID_GRID}));
}

TEST_F(MenuTest, AltAndALetterOpenTheMenuWithItsFirstItemHighlighted) {
    WhenPopup([&](CMenuPopupWnd& file) {
        EXPECT_EQ(file.Highlighted(), file.FindItem("&New"));
        host.PressKey(VK_RETURN);
    });
    AltChord('F');
    EXPECT_EQ(frame.commands, (std::vector<UINT>{ID_NEW}));
}

TEST_F(MenuTest, UpAndDownWrapRoundAndUpFromNothingHighlightedGoesToTheLastItem) {
    WithFileMenu([&](CMenuPopupWnd& file) {
        host.PressKey(VK_UP);
        EXPECT_EQ(file.Highlighted(), file.FindItem("E&xit"));
        host.PressKey(VK_DOWN);
        EXPECT_EQ(file.Highlighted(), file.FindItem("&New"));
        host.PressKey(VK_UP);
        EXPECT_EQ(file.Highlighted(), file.FindItem("E&xit"));
        host.PressKey(VK_ESCAPE);
    });
}

// Pressed while its menu is open, raised while only highlighted after Escape, flat once the bar
// is let go.
TEST_F(MenuTest, TheMenuBarTitleLooksPressedWhileItsMenuIsOpenAndRaisedWhileHighlighted) {
    const CRect title = NonClientPainter::MenuBarItemRect(frame, 0);
    const COLORREF menu = GetSysColor(COLOR_MENU);
    EXPECT_EQ(Shown(frame, title.left, title.top), menu);
    WithFileMenu([&](CMenuPopupWnd&) {
        EXPECT_EQ(Shown(frame, title.left, title.top), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(Shown(frame, title.right - 1, title.bottom - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
        // The other title stays flat.
        const CRect view = NonClientPainter::MenuBarItemRect(frame, 1);
        EXPECT_EQ(Shown(frame, view.left, view.top), menu);
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(Shown(frame, title.left, title.top), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(Shown(frame, title.right - 1, title.bottom - 1), GetSysColor(COLOR_BTNSHADOW));
    host.PressKey(VK_ESCAPE);
    EXPECT_EQ(Shown(frame, title.left, title.top), menu);
    EXPECT_EQ(Shown(frame, title.right - 1, title.bottom - 1), menu);
}

// Keys typed in an open menu whose texts mix access letters, shared access letters and none.
TEST_F(MenuTest, HomeEndAndLettersMoveTheHighlightOrChooseTheItemOfTheAccessLetter) {
    struct Row {
        std::vector<const char*> keys;
        UINT chosen;
        const char* highlighted;  // when nothing was chosen
    };
    const Row rows[] = {
        {{"End"}, 0, "&Properties"},
        {{"Down", "Down", "Home"}, 0, "Straight Track"},
        {{"End", "Return"}, 107, nullptr},
        {{"Home", "Return"}, 100, nullptr},
        // No access letter: the letter only moves, round the items that begin with it.
        {{"s"}, 0, "Straight Track"},
        {{"s", "s"}, 0, "Spline Track"},
        {{"s", "s", "s"}, 0, "Straight Track"},
        {{"u"}, 0, nullptr},
        // An access letter chooses, even where items without one begin with it.
        {{"i"}, 102, nullptr},
        {{"C"}, 104, nullptr},
        // A shared access letter moves between its items.
        {{"p", "p"}, 0, "&Properties"},
        {{"p", "p", "p", "Return"}, 106, nullptr},
    };
    CMenu menu;
    menu.CreatePopupMenu();
    for (const auto& [id, text] :
         std::initializer_list<std::pair<UINT, const char*>>{{100, "Straight Track"},
                                                             {101, "Spline Track"},
                                                             {102, "Select Track Cha&in"},
                                                             {0, nullptr},
                                                             {103, "Cut Track"},
                                                             {104, "&Copy"},
                                                             {105, "Curve Track"},
                                                             {106, "&Paste"},
                                                             {107, "&Properties"}})
        menu.AppendMenu(id ? MF_STRING : MF_SEPARATOR, id, text);
    const std::map<std::string, UINT> named{
        {"Home", VK_HOME}, {"End", VK_END}, {"Down", VK_DOWN}, {"Return", VK_RETURN}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.keys.size() > 1 ? std::string(row.keys[0]) + "..." + row.keys.back() : row.keys[0]);
        CString highlighted;
        WhenPopup([&](CMenuPopupWnd& popup) {
            for (const char* key : row.keys) named.count(key) ? host.PressKey(named.at(key)) : host.Type(key);
            if (!popup.InModalLoop())
                return;
            if (const CMenu::Item* item = popup.MenuShown()->ItemAt(popup.Highlighted()))
                highlighted = item->text;
            host.PressKey(VK_ESCAPE);
        });
        EXPECT_EQ(static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD, 150, 150, &frame)), row.chosen);
        EXPECT_EQ(highlighted, CString(row.highlighted ? row.highlighted : ""));
    }
}

// Escape in a menu dropped from the bar, however it dropped, goes back to its title, and a second
// Escape lets the bar go; a context menu and the system menu have no title to go back to. Either
// way the window keeps the keys.
TEST_F(MenuTest, EscapeStepsBackToTheTitleOfEveryMenuDroppedFromTheBar) {
    const struct {
        const char* how;
        std::function<void()> open;
        int title;
    } rows[] = {
        {"a click on View", [&] { host.Click(BarItemCentre(1)); }, 1},
        {"Alt+V", [&] { AltChord('V'); }, 1},
        {"F10", [&] { host.PressKey(VK_F10); }, 0},
        {"Alt, then Down", [&] { host.PressKey(VK_MENU), host.PressKey(VK_DOWN); }, 0},
        {"a context menu", [&] { OpenContextMenu(); }, -1},
        {"the system menu", [&] { AltChord(VK_SPACE); }, -1},
    };
    frame.SetFocus();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        bool opened = false;
        WhenPopup([&](CMenuPopupWnd&) { opened = true, host.PressKey(VK_ESCAPE); });
        row.open();
        EXPECT_TRUE(opened && !CMenuPopupWnd::Current());
        EXPECT_EQ(Title(), row.title);
        host.PressKey(VK_ESCAPE);
        EXPECT_EQ(Title(), -1);
        EXPECT_EQ(CWnd::GetFocus(), &frame);
        EXPECT_EQ(WindowManager::Instance().KeyboardGrab(), nullptr);
    }
    EXPECT_TRUE(frame.commands.empty());
}

// Alt alone highlights the first title and drops nothing; the arrows walk the bar, Down or a
// title's letter drops its menu, and Escape, F10, Alt or a click let the bar go, the click
// going on to the window.
TEST_F(MenuTest, AltAloneHighlightsTheFirstTitleAndTheKeysWalkTheBar) {
    std::vector<int> titles;
    for (const UINT key : {VK_MENU, VK_RIGHT, VK_RIGHT, VK_LEFT})
        host.PressKey(key), titles.push_back(Title());
    EXPECT_EQ(titles, (std::vector<int>{0, 1, 0, 1}));
    int highlighted = -1;
    WhenPopup([&](CMenuPopupWnd& view) { highlighted = view.Highlighted(), host.PressKey(VK_ESCAPE); });
    host.PressKey(VK_DOWN);
    EXPECT_EQ(highlighted, 0);
    EXPECT_EQ(Title(), 1);
    WhenPopup([&](CMenuPopupWnd&) { host.Type("n"); });
    host.PressKey('F');
    EXPECT_EQ(Title(), -1);

    const std::function<void()> exits[] = {[&] { host.PressKey(VK_ESCAPE); }, [&] { host.PressKey(VK_F10); },
                                           [&] { host.PressKey(VK_MENU); },
                                           [&] { host.ClickClient(&frame, CPoint(50, 50)); }};
    for (const auto& leave : exits) {
        host.PressKey(VK_MENU);
        ASSERT_EQ(Title(), 0);
        leave();
        EXPECT_EQ(Title(), -1);
        EXPECT_TRUE(!WindowManager::Instance().KeyboardGrab() && !CWnd::GetCapture());
    }
    EXPECT_EQ(frame.clicks, 1);
    EXPECT_EQ(frame.commands, (std::vector<UINT>{ID_NEW}));
}

// With Ctrl held a letter is no access letter: after Alt+F and Escape the title stays
// highlighted, and Ctrl+V drops no View menu.
TEST_F(MenuTest, ALetterWithCtrlHeldDropsNoMenuFromAHighlightedTitle) {
    frame.SetFocus();
    WhenPopup([&](CMenuPopupWnd&) { host.PressKey(VK_ESCAPE); });
    AltChord('F');
    ASSERT_EQ(Title(), 0);
    host.KeyDown(VK_CONTROL);
    host.PressKey('V');
    host.KeyUp(VK_CONTROL);
    EXPECT_EQ(Title(), 0);
    host.PressKey(VK_ESCAPE);
    EXPECT_TRUE(frame.commands.empty());
}

// Alt+F4 closes the window as it does with no menu open, wherever the keys are: the menu, a
// submenu, the system menu, a context menu or a highlighted title.
TEST_F(MenuTest, AltF4ClosesTheWindowFromEveryOpenMenu) {
    const auto altF4 = [&](CMenuPopupWnd&) { AltChord(VK_F4); };
    const struct {
        const char* where;
        std::function<void()> open;
    } rows[] = {
        {"File", [&] { WithFileMenu(altF4); }},
        {"File > Recent", [&] { WithFileMenu([&](CMenuPopupWnd&) { WhenPopup(altF4), host.Type("r"); }); }},
        {"the system menu", [&] { WhenPopup(altF4), AltChord(VK_SPACE); }},
        {"a context menu", [&] { WhenPopup(altF4), OpenContextMenu(); }},
        {"a highlighted title", [&] { host.PressKey(VK_MENU), AltChord(VK_F4); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.where);
        const int before = frame.closeRequests;
        row.open();
        host.RunUntilIdle();
        EXPECT_EQ(frame.closeRequests, before + 1);
        EXPECT_TRUE(!CMenuPopupWnd::Current() && Title() == -1);
    }
    EXPECT_TRUE(frame.commands.empty());
}

// Writes the screen with File > Recent open into the test pictures' folder, to be looked at;
// nothing unless asked.
TEST_F(MenuTest, GalleryWhenAsked) {
    const CString picture = TestPicturePath("menus.png");
    if (picture.IsEmpty())
        GTEST_SKIP() << "no test pictures asked for";
    CMenu* file = frame.GetMenu()->GetSubMenu(0);
    file->CheckMenuItem(ID_NEW, MF_CHECKED);
    file->EnableMenuItem(ID_EXIT, MF_GRAYED);
    file->CheckMenuItem(ID_EXIT, MF_CHECKED);
    file->GetSubMenu(1)->CheckMenuRadioItem(ID_ONE, ID_TWO, ID_TWO, MF_BYCOMMAND);
    bool written = false;
    WithFileMenu([&](CMenuPopupWnd& popup) {
        WhenPopup([&](CMenuPopupWnd& submenu) {
            host.MouseMove(ItemCentre(submenu, "&One"));
            written = host.DumpScreen(picture);
            host.PressKey(VK_ESCAPE);
        });
        host.MouseMove(ItemCentre(popup, "&Recent"));
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_TRUE(written);
}
