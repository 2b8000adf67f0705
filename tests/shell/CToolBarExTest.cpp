#include <gtest/gtest.h>

#include "platform/ctl/CEdit.h"
#include "platform/ctl/CStatic.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/SystemColors.h"
#include "resources/BitmapIds.h"
#include "resources/CommandIds.h"
#include "shell/CommandIcons.h"
#include "shell/ToolBarButtons.h"
#include "shell/ToolBarPictures.h"
#include "tests/shell/ToolBarFixture.h"

namespace {
constexpr UINT kHotOrPressed = CToolBarEx::kHot | CToolBarEx::kPressed;

int ButtonCount(CToolBarEx& bar) {
    int buttons = 0;
    for (int slot = 0; slot < bar.GetCount(); ++slot)
        buttons += (bar.GetButtonStyle(slot) & CToolBarEx::kButton) ? 1 : 0;
    return buttons;
}
}  // namespace

TEST_F(ToolBarTest, ThreeBarsLaySlotsOutInARowWithTheLayerSelectorInSlot32) {
    EXPECT_EQ(mainBar.GetCount(), 33);
    EXPECT_EQ(toolsBar.GetCount(), 37);
    EXPECT_EQ(cameraBar.GetCount(), 24);
    EXPECT_EQ(mainBar.GetImageList().GetImageCount(), ButtonCount(mainBar));
    EXPECT_EQ(toolsBar.GetImageList().GetImageCount(), ButtonCount(toolsBar));
    EXPECT_EQ(cameraBar.GetImageList().GetImageCount(), 21);
    EXPECT_EQ(mainBar.Thickness(), 27);

    // Buttons 22 wide from the left indent, separators 8, the row 22 high from y 2.
    CRect item;
    mainBar.GetItemRect(0, &item);
    EXPECT_EQ(item, CRect(10, 2, 32, 24));
    mainBar.GetItemRect(5, &item);
    EXPECT_EQ(item, CRect(120, 2, 128, 24));
    EXPECT_EQ(mainBar.GetButtonStyle(5), CToolBarEx::kSeparator);
    mainBar.GetItemRect(6, &item);
    EXPECT_EQ(item.left, 128);

    // The layer selector fills slot 32, a separator 80 wide, centred in the row.
    EXPECT_EQ(mainBar.GetItemID(kLayerSelectorSlot), static_cast<UINT>(ID_CHOOSE_ACTIVE_LAYER));
    mainBar.GetItemRect(kLayerSelectorSlot, &item);
    EXPECT_EQ(item.Width(), 80);
    ASSERT_NE(layerSelector, nullptr);
    CRect combo;
    layerSelector->GetWindowRect(&combo);
    mainBar.ScreenToClient(&combo);
    EXPECT_EQ(combo.TopLeft(), CPoint(item.left, item.top + 2));
    EXPECT_EQ(layerSelector->GetCount(), 8);
    EXPECT_EQ(layerSelector->GetCurSel(), 0);
    CString first;
    layerSelector->GetLBText(0, first);
    EXPECT_EQ(first, "Layer 0");

    // Hit tests: the row only, separators give the button after them.
    EXPECT_EQ(mainBar.HitTest(CPoint(15, 1)), -1);
    EXPECT_EQ(mainBar.HitTest(CPoint(15, 2)), 0);
    EXPECT_EQ(mainBar.HitTest(CPoint(15, 23)), 0);
    EXPECT_EQ(mainBar.HitTest(CPoint(15, 24)), -1);
    EXPECT_EQ(mainBar.HitTest(CPoint(31, 10)), 0);
    EXPECT_EQ(mainBar.HitTest(CPoint(32, 10)), 1);
    EXPECT_EQ(mainBar.HitTest(CPoint(122, 10)), 6);
    EXPECT_EQ(mainBar.HitTest(CPoint(item.left + 5, 10)), -1);

    // The tools bar's three drop-down buttons are 37 wide.
    int dropDowns = 0;
    for (int slot = 0; slot < toolsBar.GetCount(); ++slot) dropDowns += toolsBar.IsDropDown(slot) ? 1 : 0;
    EXPECT_EQ(dropDowns, 3);
    const int library = toolsBar.CommandToIndex(ID_LIBRARY_GET_OBJECT);
    EXPECT_EQ(library, 36);
    EXPECT_TRUE(toolsBar.IsDropDown(library));
    toolsBar.GetItemRect(library, &item);
    EXPECT_EQ(item.Width(), 37);
    EXPECT_EQ(toolsBar.HitTest(CPoint(item.right - 1, 10)), library);
    EXPECT_EQ(toolsBar.HitTest(CPoint(item.right, 10)), -1);
}

TEST_F(ToolBarTest, TheButtonUnderTheMouseIsHotUnlessDisabled) {
    host.MouseMove(OnBar(mainBar, SlotCentre(mainBar, 1)));
    EXPECT_TRUE(mainBar.GetButtonStyle(1) & CToolBarEx::kHot);
    CRect item;
    mainBar.GetItemRect(1, &item);
    EXPECT_EQ(PixelOf(mainBar, item.TopLeft()), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelOf(mainBar, CPoint(item.right - 1, item.bottom - 1)), GetSysColor(COLOR_BTNSHADOW));

    host.MouseMove(OnBar(mainBar, SlotCentre(mainBar, 2)));
    EXPECT_FALSE(mainBar.GetButtonStyle(1) & CToolBarEx::kHot);
    EXPECT_TRUE(mainBar.GetButtonStyle(2) & CToolBarEx::kHot);
    EXPECT_EQ(PixelOf(mainBar, item.TopLeft()), GetSysColor(COLOR_BTNFACE));

    frame->disabled.insert(ID_FILE_NEW);
    frame->UpdateControlBars();
    EXPECT_TRUE(mainBar.GetButtonStyle(0) & CToolBarEx::kDisabled);
    host.MouseMove(OnBar(mainBar, SlotCentre(mainBar, 0)));
    EXPECT_FALSE(mainBar.GetButtonStyle(0) & CToolBarEx::kHot);
    EXPECT_FALSE(mainBar.GetButtonStyle(2) & CToolBarEx::kHot);
    Click(mainBar, SlotCentre(mainBar, 0));
    EXPECT_TRUE(frame->commands.empty());

    // A disabled picture keeps only the face, highlight and shadow colours.
    mainBar.GetItemRect(0, &item);
    for (int y = item.top; y < item.bottom; ++y)
        for (int x = item.left; x < item.right; ++x) {
            const COLORREF colour = PixelOf(mainBar, CPoint(x, y));
            EXPECT_TRUE(colour == GetSysColor(COLOR_BTNFACE) || colour == GetSysColor(COLOR_BTNHIGHLIGHT) ||
                        colour == GetSysColor(COLOR_BTNSHADOW));
        }

    host.MouseMove(OnBar(mainBar, CPoint(500, 100)));
    mainBar.SendMessage(WM_MOUSELEAVE);
    for (int slot = 0; slot < mainBar.GetCount(); ++slot)
        EXPECT_FALSE(mainBar.GetButtonStyle(slot) & CToolBarEx::kHot);
}

// "Save" is the third button of the main bar and so shows the third picture of its strip, three
// pixels in from the button's corner (22 - 15) / 2 = 3 down, its light grey letting the face show.
// Disabled, every pixel of the 22 x 22 square that is not face becomes shadow, with a highlight
// copy one pixel right and down where the shadow leaves room.
TEST_F(ToolBarTest, AButtonShowsItsPictureThreePixelsInAndDisabledItIsEmbossed) {
    host.MouseMove(OnBar(mainBar, CPoint(900, 100)));
    ASSERT_EQ(mainBar.GetItemID(2), static_cast<UINT>(ID_FILE_SAVE));
    ASSERT_FALSE(mainBar.GetButtonStyle(2) & kHotOrPressed);
    CBitmap strip;
    ASSERT_TRUE(LoadToolBarPicture(IDB_MAIN_TOOLBAR, strip));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    CRect item;
    mainBar.GetItemRect(2, &item);
    std::vector<std::vector<bool>> inked(22, std::vector<bool>(22, false));
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 22; ++x) {
            COLORREF expected = face;
            if (x >= 3 && x < 3 + kIconWidth && y >= 3 && y < 3 + kIconHeight) {
                const COLORREF picture = ColorFromPixel(strip.Surface()->At(2 * kIconWidth + x - 3, y - 3));
                if (picture != RGB(192, 192, 192))
                    expected = picture;
            }
            inked[y][x] = expected != face;
            EXPECT_EQ(PixelOf(mainBar, CPoint(item.left + x, item.top + y)), expected) << x << "," << y;
        }

    frame->disabled.insert(ID_FILE_SAVE);
    frame->UpdateControlBars();
    host.RunUntilIdle();
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 22; ++x) {
            COLORREF expected = face;
            if (inked[y][x])
                expected = GetSysColor(COLOR_BTNSHADOW);
            else if (x > 0 && y > 0 && inked[y - 1][x - 1])
                expected = GetSysColor(COLOR_BTNHIGHLIGHT);
            EXPECT_EQ(PixelOf(mainBar, CPoint(item.left + x, item.top + y)), expected) << x << "," << y;
        }
}

TEST_F(ToolBarTest, ACommandGoesOnlyWhenTheReleaseIsOverThePressedButton) {
    const CPoint save = SlotCentre(mainBar, 2);
    const CPoint print = SlotCentre(mainBar, 4);
    Press(mainBar, save);
    EXPECT_TRUE(mainBar.GetButtonStyle(2) & CToolBarEx::kPressed);
    EXPECT_EQ(PixelOf(mainBar, CPoint(save.x - 11, save.y - 11)), GetSysColor(COLOR_BTNSHADOW));
    ASSERT_FALSE(frame->prompts.empty());
    EXPECT_EQ(frame->prompts.back(), ID_FILE_SAVE);
    Release(mainBar, print);
    EXPECT_TRUE(frame->commands.empty());
    EXPECT_FALSE(mainBar.GetButtonStyle(2) & CToolBarEx::kPressed);

    // Off and back on before the release: the command goes, once.
    Press(mainBar, save);
    host.MouseMove(OnBar(mainBar, print));
    EXPECT_FALSE(mainBar.GetButtonStyle(2) & CToolBarEx::kPressed);
    host.MouseMove(OnBar(mainBar, save));
    EXPECT_TRUE(mainBar.GetButtonStyle(2) & CToolBarEx::kPressed);
    host.MouseUp(OnBar(mainBar, save));
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_FILE_SAVE});
    EXPECT_EQ(frame->prompts.back(), static_cast<WPARAM>(AFX_IDS_IDLEMESSAGE));
    EXPECT_FALSE(mainBar.GetButtonStyle(2) & kHotOrPressed);

    // A double click sends the command once: the second press is ignored.
    frame->commands.clear();
    Click(mainBar, save);
    host.MouseDown(OnBar(mainBar, save));
    host.MouseUp(OnBar(mainBar, save));
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_FILE_SAVE});
}

TEST_F(ToolBarTest, AHeldCameraButtonRepeatsEvery100MillisecondsUntilReleasedOrCancelled) {
    const int forward = cameraBar.CommandToIndex(ID_CAMERA_MOVE_FORWARD);
    const CPoint centre = SlotCentre(cameraBar, forward);
    const std::vector<UINT> once{ID_CAMERA_MOVE_FORWARD};
    Press(cameraBar, centre);
    EXPECT_EQ(frame->commands, once);
    host.AdvanceClock(99);
    EXPECT_EQ(frame->commands.size(), 1u);
    host.AdvanceClock(1);
    EXPECT_EQ(frame->commands.size(), 2u);
    host.AdvanceClock(300);
    EXPECT_EQ(frame->commands.size(), 5u);
    host.MouseUp(OnBar(cameraBar, centre));
    host.AdvanceClock(500);
    EXPECT_EQ(frame->commands.size(), 5u);

    // Cancel mode (a dialog coming up) stops the repetition.
    frame->commands.clear();
    Press(cameraBar, centre);
    cameraBar.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(cameraBar.GetButtonStyle(forward) & CToolBarEx::kPressed);
    host.AdvanceClock(500);
    EXPECT_EQ(frame->commands, once);

    // So does losing the mouse to another window.
    frame->commands.clear();
    Press(cameraBar, centre);
    frame->SetCapture();
    host.AdvanceClock(500);
    EXPECT_EQ(frame->commands, once);
    ReleaseCapture();

    // Commands that do not repeat go at the release only.
    frame->commands.clear();
    const CPoint reset = SlotCentre(cameraBar, cameraBar.CommandToIndex(ID_CAMERA_RESET));
    Press(cameraBar, reset);
    host.AdvanceClock(300);
    EXPECT_TRUE(frame->commands.empty());
    host.MouseUp(OnBar(cameraBar, reset));
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_CAMERA_RESET});
}

TEST_F(ToolBarTest, ResttingOnAButtonShowsItsToolTip) {
    host.MouseMove(OnBar(mainBar, SlotCentre(mainBar, mainBar.CommandToIndex(ID_TOOL_ZOOM_IN))));
    EXPECT_EQ(mainBar.GetToolTips().ShownText(), "");
    host.AdvanceClock(600);
    EXPECT_EQ(mainBar.GetToolTips().ShownText(), "Zoom In");
    host.MouseMove(OnBar(toolsBar, SlotCentre(toolsBar, toolsBar.CommandToIndex(ID_TOOL_DIMENSION_LINE))));
    host.AdvanceClock(600);
    EXPECT_EQ(toolsBar.GetToolTips().ShownText(), "Draw Dimension Line");
}

// Fly-by status text: the owner is given the prompt of the button the mouse rests on, disabled
// or not, once per button, and the idle text once the mouse is off the buttons.
TEST_F(ToolBarTest, RestingOnAButtonGivesItsPromptToTheOwnerAndLeavingGivesTheIdleText) {
    constexpr WPARAM idle = AFX_IDS_IDLEMESSAGE;
    const CPoint save = SlotCentre(mainBar, mainBar.CommandToIndex(ID_FILE_SAVE));
    const CPoint print = SlotCentre(mainBar, mainBar.CommandToIndex(ID_FILE_PRINT));
    const CPoint line = SlotCentre(toolsBar, toolsBar.CommandToIndex(ID_TOOL_LINE));
    frame->disabled.insert(ID_FILE_PRINT);
    frame->UpdateControlBars();
    frame->prompts.clear();

    host.MouseMove(OnBar(mainBar, save));
    host.MouseMove(OnBar(mainBar, save + CPoint(4, 3)));
    host.MouseMove(OnBar(mainBar, print));
    host.MouseMove(OnBar(mainBar, CPoint(print.x, 25)));
    host.MouseMove(OnBar(toolsBar, line));
    CPoint pane = frame->PaneRect().CenterPoint();
    frame->ClientToScreen(&pane);
    host.MouseMove(pane);
    EXPECT_EQ(frame->prompts, (std::vector<WPARAM>{ID_FILE_SAVE, ID_FILE_PRINT, idle, ID_TOOL_LINE, idle}));

    // Coming, pressed and released: the prompt comes again with the next move over the button.
    frame->prompts.clear();
    Click(mainBar, save);
    host.MouseMove(OnBar(mainBar, save + CPoint(1, 1)));
    EXPECT_EQ(frame->prompts, (std::vector<WPARAM>{ID_FILE_SAVE, ID_FILE_SAVE, idle, ID_FILE_SAVE}));

    // A bar without the fly-by style gives prompts only while a button is held.
    frame->prompts.clear();
    toolsBar.SetBarStyle(toolsBar.GetBarStyle() & ~CBRS_FLYBY);
    host.MouseMove(OnBar(toolsBar, line));
    host.MouseMove(pane);
    EXPECT_EQ(frame->prompts, (std::vector<WPARAM>{idle}));
}

TEST_F(ToolBarTest, TheLeftStripCollapsesTheBarAndHidesItsControls) {
    CRect before;
    toolsBar.GetWindowRect(&before);
    Click(mainBar, CPoint(5, 10));
    EXPECT_TRUE(mainBar.IsCollapsed());
    EXPECT_EQ(mainBar.Thickness(), 10);
    EXPECT_FALSE(layerSelector->IsWindowVisible());
    CRect bar, after;
    mainBar.GetWindowRect(&bar);
    EXPECT_EQ(bar.Height(), 10);
    toolsBar.GetWindowRect(&after);
    EXPECT_EQ(after.top, before.top - 17);
    // Nothing of the collapsed bar reacts but the strip, now 30 wide.
    Click(mainBar, CPoint(40, 5));
    EXPECT_TRUE(frame->commands.empty());
    Click(mainBar, CPoint(25, 5));
    EXPECT_FALSE(mainBar.IsCollapsed());
    EXPECT_EQ(mainBar.Thickness(), 27);
    EXPECT_TRUE(layerSelector->IsWindowVisible());
    Click(mainBar, CPoint(12, 10));
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_FILE_NEW});
}

TEST_F(ToolBarTest, ControlsOfEveryKindSitInTheirSlots) {
    CToolBarEx bar;
    ASSERT_TRUE(bar.Create(frame));
    const UINT ids[] = {ID_FILE_NEW, 0, 0, 0, ID_FILE_OPEN};
    ASSERT_TRUE(bar.LoadBitmap(IDB_MAIN_TOOLBAR));
    ASSERT_TRUE(bar.SetButtons(ids, 5));
    CWnd* edit = bar.AddControl(RUNTIME_CLASS(CEdit), "", CRect(0, 0, 60, 30), 1, 501, WS_BORDER);
    CWnd* label = bar.AddControl(RUNTIME_CLASS(CStatic), "Scale", CRect(0, 0, 40, 14), 2, 502, 0);
    ASSERT_TRUE(dynamic_cast<CEdit*>(edit));
    ASSERT_TRUE(dynamic_cast<CStatic*>(label));
    CString text;
    label->GetWindowText(text);
    EXPECT_EQ(text, "Scale");
    // Centred on at most 18 pixels of their height: the edit at the row top + 2, the label + 4.
    CRect item, placed;
    bar.GetItemRect(1, &item);
    edit->GetWindowRect(&placed);
    bar.ScreenToClient(&placed);
    EXPECT_EQ(placed, CRect(item.left, item.top + 2, item.left + 60, item.top + 32));
    bar.GetItemRect(2, &item);
    EXPECT_EQ(item.left, 10 + 22 + 60);
    label->GetWindowRect(&placed);
    bar.ScreenToClient(&placed);
    EXPECT_EQ(placed.TopLeft(), CPoint(item.left, item.top + 4));
    // A class that is no window makes nothing; its slot is still a separator of the width.
    EXPECT_EQ(bar.AddControl(RUNTIME_CLASS(CObject), "", CRect(0, 0, 30, 10), 3, 503, 0), nullptr);
    bar.GetItemRect(3, &item);
    EXPECT_EQ(item.Width(), 30);
    EXPECT_EQ(bar.GetButtonStyle(3), CToolBarEx::kSeparator);
    EXPECT_EQ(bar.AddControl(RUNTIME_CLASS(CEdit), "", CRect(0, 0, 30, 10), 9, 504, 0), nullptr);
    bar.DestroyWindow();
}
