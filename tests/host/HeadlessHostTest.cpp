#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/TickCount.h"
#include "platform/ctl/CMessageBoxWnd.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CMenu.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/DropFiles.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"
#include "tests/host/DropTarget.h"
#include "tests/support/TestFolder.h"

namespace {
constexpr UINT ID_SKETCH_CLEAR = 300;
constexpr UINT ID_SKETCH_GRID = 301;
constexpr UINT ID_SKETCH_PRINT = 302;

// A small drawing program: a frame with a menu and one view you draw lines into by dragging.
class SketchView : public CWnd {
public:
    std::vector<CPoint> stroke;

protected:
    void OnLButtonDown(UINT, CPoint point) override {
        SetCapture();
        stroke = {point};
    }
    void OnMouseMove(UINT flags, CPoint point) override {
        if (GetCapture() != this || (flags & MK_LBUTTON) == 0) return;
        stroke.push_back(point);
        Invalidate(FALSE);
    }
    void OnLButtonUp(UINT, CPoint point) override {
        if (GetCapture() == this) ReleaseCapture();
        stroke.push_back(point);
        Invalidate(FALSE);
    }
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, RGB(255, 255, 255));
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* old = dc.SelectObject(&pen);
        for (std::size_t i = 0; i < stroke.size(); ++i) {
            if (i == 0) {
                dc.MoveTo(stroke[i]);
            } else {
                dc.LineTo(stroke[i]);
            }
        }
        dc.SelectObject(old);
    }
};

class SketchFrame : public CWnd {
    DECLARE_MESSAGE_MAP()
public:
    SketchView view;
    std::vector<std::string> log;
    bool grid = false;

    void OnClear() {
        log.push_back("clear");
        view.stroke.clear();
        view.Invalidate();
    }
    void OnGrid() { grid = !grid; }
    void OnUpdateGrid(CCmdUI* cmdUI) { cmdUI->SetCheck(grid ? 1 : 0); }
    void OnUpdatePrint(CCmdUI* cmdUI) { cmdUI->Enable(FALSE); }

protected:
    int OnCreate(CREATESTRUCT*) override {
        auto* popup = new CMenu;
        popup->CreatePopupMenu();
        popup->AppendMenu(MF_STRING, ID_SKETCH_CLEAR, "&Clear\tCtrl+L");
        popup->AppendMenu(MF_STRING, ID_SKETCH_GRID, "&Grid");
        popup->AppendMenu(MF_STRING, ID_SKETCH_PRINT, "&Print...");
        m_bar.CreateMenu();
        m_bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&File");
        SetMenu(&m_bar);
        CRect client;
        GetClientRect(&client);
        return view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, this, 1) ? 0 : -1;
    }

private:
    CMenu m_bar;
};

BEGIN_MESSAGE_MAP(SketchFrame, CWnd)
    ON_COMMAND(ID_SKETCH_CLEAR, OnClear)
    ON_COMMAND(ID_SKETCH_GRID, OnGrid)
    ON_UPDATE_COMMAND_UI(ID_SKETCH_GRID, OnUpdateGrid)
    ON_UPDATE_COMMAND_UI(ID_SKETCH_PRINT, OnUpdatePrint)
END_MESSAGE_MAP()

class HeadlessHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        WindowManager::Instance().Reset();
        ASSERT_TRUE(frame.Create(nullptr, "Sketch", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 500, 400), nullptr, 0));
        host.RunUntilIdle();
    }
    void TearDown() override { EXPECT_TRUE(host.UnansweredModals().empty()); }

    // Opens the File menu with a click on the menu bar and lets action see the open popup.
    void WithFileMenu(std::function<void(CMenuPopupWnd&)> action) {
        host.WhenModal("", [action](CWnd& popup) { action(dynamic_cast<CMenuPopupWnd&>(popup)); });
        CRect window;
        frame.GetWindowRect(&window);
        host.Click(CPoint(window.left + 4 + 10, window.top + 4 + 18 + 9));
    }
    void ChooseItem(CMenuPopupWnd& popup, const char* text) {
        const CRect item = popup.ItemRect(popup.FindItem(text));
        host.ClickClient(&popup, item.CenterPoint());
    }

    HeadlessHost host;
    SketchFrame frame;
};
}  // namespace

TEST_F(HeadlessHostTest, MenuClicksRunCommandsAndShowUpdateStates) {
    UINT gridState = 0;
    UINT printState = 0;
    WithFileMenu([&](CMenuPopupWnd& popup) {
        gridState = popup.MenuShown()->GetMenuState(ID_SKETCH_GRID, MF_BYCOMMAND);
        printState = popup.MenuShown()->GetMenuState(ID_SKETCH_PRINT, MF_BYCOMMAND);
        ChooseItem(popup, "&Grid");
    });
    EXPECT_EQ(gridState & MF_CHECKED, 0u);
    EXPECT_EQ(printState & MF_GRAYED, MF_GRAYED);
    EXPECT_TRUE(frame.grid);

    WithFileMenu([&](CMenuPopupWnd& popup) {
        gridState = popup.MenuShown()->GetMenuState(ID_SKETCH_GRID, MF_BYCOMMAND);
        // A greyed item does nothing; the menu stays open until Escape.
        ChooseItem(popup, "&Print...");
        EXPECT_TRUE(popup.InModalLoop());
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(gridState & MF_CHECKED, MF_CHECKED);

    WithFileMenu([&](CMenuPopupWnd& popup) { ChooseItem(popup, "&Clear"); });
    EXPECT_EQ(frame.log, (std::vector<std::string>{"clear"}));
}

TEST_F(HeadlessHostTest, DraggingKeepsTheMouseAndPaintsTheStroke) {
    host.DragClient(&frame.view, CPoint(20, 20), CPoint(120, 20), 4);
    EXPECT_EQ(frame.view.stroke,
              (std::vector<CPoint>{{20, 20}, {45, 20}, {70, 20}, {95, 20}, {120, 20}, {120, 20}}));
    EXPECT_EQ(GetCapture(), nullptr);
    CPoint onLine(60, 20);
    frame.view.ClientToScreen(&onLine);
    CRect window;
    frame.GetWindowRect(&window);
    EXPECT_EQ(frame.Surface()->At(onLine.x - window.left, onLine.y - window.top), 0x000000u);
    EXPECT_EQ(frame.Surface()->At(onLine.x - window.left, onLine.y + 5 - window.top), 0xFFFFFFu);

    TestFolder folder;
    const CString picture = (folder.Path() / "sketch.png").c_str();
    EXPECT_TRUE(host.DumpScreen((folder.Path() / "screen.png").c_str()));
    EXPECT_TRUE(host.DumpWindow(&frame, picture));
}

TEST_F(HeadlessHostTest, MessageBoxesAreAnsweredAndRecorded) {
    host.AnswerMessageBox(IDNO);
    EXPECT_EQ(AfxMessageBox("Save changes to Untitled?", MB_YESNOCANCEL | MB_ICONEXCLAMATION), IDNO);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Save changes to Untitled?");
    EXPECT_EQ(host.MessageBoxes()[0].caption, "Corvane");
    EXPECT_EQ(host.MessageBoxes()[0].type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    EXPECT_TRUE(frame.IsWindowEnabled());

    // A click on the box's own button answers it too.
    host.WhenModal("Corvane", [this](CWnd& box) {
        auto& messageBox = dynamic_cast<CMessageBoxWnd&>(box);
        host.ClickClient(&box, messageBox.ButtonRect(0).CenterPoint());
    });
    EXPECT_EQ(AfxMessageBox("Failed to create status bar", MB_OK | MB_ICONSTOP), IDOK);
}

TEST_F(HeadlessHostTest, AModalWithNoAnswerIsClosedAndNamed) {
    EXPECT_EQ(AfxMessageBox("Nobody answers this"), IDCANCEL);
    ASSERT_EQ(host.UnansweredModals().size(), 1u);
    EXPECT_EQ(host.UnansweredModals()[0], "Corvane");
    const_cast<std::vector<CString>&>(host.UnansweredModals()).clear();
}

TEST_F(HeadlessHostTest, TheVirtualClockDrivesTimers) {
    struct Ticker : CWnd {
        std::vector<DWORD> ticks;
        void OnTimer(UINT_PTR) override { ticks.push_back(GetTickCount()); }
    } ticker;
    ASSERT_TRUE(ticker.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &frame, 2));
    ticker.SetTimer(1, 20);
    host.AdvanceClock(50);
    EXPECT_EQ(ticker.ticks, (std::vector<DWORD>{20, 40}));
    host.AdvanceClock(10);
    EXPECT_EQ(ticker.ticks, (std::vector<DWORD>{20, 40, 60}));
}

TEST_F(HeadlessHostTest, DroppedFilesReachTheWindowThatAcceptsThem) {
    DropTarget target;
    ASSERT_TRUE(target.Create(nullptr, "Drop", WS_OVERLAPPED | WS_VISIBLE, CRect(600, 100, 800, 300), nullptr, 0));
    host.DropFiles({"layouts/a.cvn", "layouts/b.cvn"}, CPoint(650, 150));
    EXPECT_TRUE(target.names.empty());
    target.DragAcceptFiles();
    host.DropFiles({"layouts/a.cvn", "layouts/b.cvn"}, CPoint(650, 150));
    EXPECT_EQ(target.names, (std::vector<CString>{"layouts/a.cvn", "layouts/b.cvn"}));
    EXPECT_EQ(target.at, CPoint(50, 50));

    // Behind a modal window it takes no drop, as it takes no click.
    target.EnableWindow(FALSE);
    host.DropFiles({"layouts/c.cvn"}, CPoint(650, 150));
    EXPECT_EQ(target.names.size(), 2u);
}

// A long session asks for many cursors: the host counts them all but keeps only the last few,
// and answers those shown after a mark in turn.
TEST(HeadlessHostCursors, KeepsTheLastCursorsShownAndCountsAll) {
    HeadlessHost host;
    auto cursor = [](std::size_t number) { return reinterpret_cast<HCURSOR>(number + 1); };
    const std::size_t shown = 10 * HeadlessHost::kCursorsKept;
    for (std::size_t number = 0; number < shown; ++number) host.CursorChanged(cursor(number));
    EXPECT_EQ(host.CursorChanges(), shown);
    EXPECT_EQ(host.ShownCursor(), cursor(shown - 1));
    EXPECT_EQ(host.CursorsShownSince(shown - 2),
              (std::vector<HCURSOR>{cursor(shown - 2), cursor(shown - 1)}));
    EXPECT_TRUE(host.CursorsShownSince(shown).empty());
    const std::vector<HCURSOR> kept = host.CursorsShownSince(0);
    ASSERT_EQ(kept.size(), HeadlessHost::kCursorsKept);
    EXPECT_EQ(kept.front(), cursor(shown - HeadlessHost::kCursorsKept));
    EXPECT_EQ(kept.back(), cursor(shown - 1));
}
