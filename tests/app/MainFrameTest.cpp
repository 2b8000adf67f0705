#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "model/CDataFolders.h"
#include "model/CPaint.h"
#include "model/CRunningTrain.h"
#include "platform/base/CWinPath.h"
#include "platform/cdlg/CPrintDialog.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CListBox.h"
#include "platform/ctl/CSelectWindowDialog.h"
#include "platform/ctl/CStatic.h"
#include "platform/ctl/ListControlDefs.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CMenuPopupWnd.h"
#include "resources/CommandIds.h"
#include "tests/app/RunningProgram.h"

namespace {

// A test train that counts the steps the timer gives it.
class CountingTrain : public CPaint, public CRunningTrain {
  public:
    explicit CountingTrain(int& steps) : m_steps(steps) {}
    void StepTrain(int ticks) override { m_steps += ticks; }

  private:
    int& m_steps;
};

class MainFrame : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
        ActiveLayout()->m_testTrains.push_back(new CountingTrain(steps));
    }
    void Tick() { Main().SendMessage(WM_TIMER, CMainFrame::kTrainTimerId); }

    int steps = 0;
};

}  // namespace

TEST_F(MainFrame, TrainTicksCountWholeTwentyMillisecondStepsSinceTheLastTick) {
    Main().StartTrainTimer();
    Main().StopTrainTimer();
    // The first tick after the start only takes the time.
    Tick();
    EXPECT_EQ(steps, 0);
    host.AdvanceClock(45);
    Tick();
    EXPECT_EQ(steps, 2);
    // The 5 ms left over count towards the next tick: a timer that fires early or late
    // neither slows nor stalls the trains.
    host.AdvanceClock(15);
    Tick();
    EXPECT_EQ(steps, 3);
    host.AdvanceClock(19);
    Tick();
    EXPECT_EQ(steps, 3);
    host.AdvanceClock(1);
    Tick();
    EXPECT_EQ(steps, 4);
}

TEST_F(MainFrame, PausedTimeNeverMovesTheTrains) {
    Main().StartTrainTimer();
    EXPECT_EQ(Main().GetTrainTimerId(), CMainFrame::kTrainTimerId);
    host.AdvanceClock(20);
    host.AdvanceClock(40);
    EXPECT_EQ(steps, 2);

    // A modal dialog for a minute: nothing moves, and afterwards the first tick moves one
    // step's worth, not the minute's.
    Main().SetTrainPause(TRUE);
    host.AdvanceClock(60000);
    EXPECT_EQ(steps, 2);
    Main().SetTrainPause(FALSE);
    host.AdvanceClock(20);
    EXPECT_EQ(steps, 3);
    host.AdvanceClock(20);
    EXPECT_EQ(steps, 4);

    // Stopped and started again later: the time in between does not count either.
    Main().StopTrainTimer();
    host.AdvanceClock(1000);
    Main().StartTrainTimer();
    host.AdvanceClock(20);
    EXPECT_EQ(steps, 4);
    host.AdvanceClock(60);
    EXPECT_EQ(steps, 7);
}

TEST_F(MainFrame, PrinterMarginsAndPrintableSizeComeFromTheDefaultPrinter) {
    CPrintDialog printer(FALSE);
    ASSERT_TRUE(printer.GetDefaults());
    CDC* dc = printer.CreatePrinterDC();
    ASSERT_NE(dc, nullptr);
    const int dpi = dc->GetDeviceCaps(LOGPIXELSX);
    const int physical = dc->GetDeviceCaps(PHYSICALWIDTH);
    const int offset = dc->GetDeviceCaps(PHYSICALOFFSETX);
    const int printable = dc->GetDeviceCaps(HORZRES);
    const int right = static_cast<int>(double(physical - printable - offset) / dpi * 254.0);

    int width = 0;
    int height = 0;
    Main().GetPrintableSize(width, height);
    EXPECT_EQ(Main().GetPrinterMargins().left, static_cast<int>(double(offset) / dpi * 254.0));
    EXPECT_EQ(Main().GetPrinterMargins().right, right);
    EXPECT_EQ(width, static_cast<int>(double(physical - offset) / dpi * 254.0 - right));
    const int dpiY = dc->GetDeviceCaps(LOGPIXELSY);
    const int physicalY = dc->GetDeviceCaps(PHYSICALHEIGHT);
    const int offsetY = dc->GetDeviceCaps(PHYSICALOFFSETY);
    const int bottom =
        static_cast<int>(double(physicalY - dc->GetDeviceCaps(VERTRES) - offsetY) / dpiY * 254.0);
    EXPECT_EQ(Main().GetPrinterMargins().top, static_cast<int>(double(offsetY) / dpiY * 254.0));
    EXPECT_EQ(Main().GetPrinterMargins().bottom, bottom);
    EXPECT_EQ(height, static_cast<int>(double(physicalY - offsetY) / dpiY * 254.0 - bottom));
    // The layout reaches the same numbers through the main window's services.
    int layoutWidth = 0;
    int layoutHeight = 0;
    ActiveLayout()->GetPrintableSize(layoutWidth, layoutHeight);
    EXPECT_EQ(layoutWidth, width);
    EXPECT_EQ(layoutHeight, height);
}

TEST_F(MainFrame, TheClipboardListIsSharedByEveryLayout) {
    ASSERT_EQ(ActiveLayout()->GetClipboard(), Main().GetClipboardList());
    Main().SendMessage(WM_COMMAND, ID_FILE_NEW);
    host.RunUntilIdle();
    EXPECT_EQ(ActiveLayout()->GetClipboard(), Main().GetClipboardList());
    EXPECT_EQ(ActiveLayout()->GetTitle(), "Untitled2");
}

TEST_F(MainFrame, TheLayerSelectorMakesTheChosenLayerActiveShownAndUnlocked) {
    CComboBox* selector = Main().GetLayerCombo();
    ASSERT_NE(selector, nullptr);
    ASSERT_EQ(selector->GetCount(), 8);
    EXPECT_EQ(selector->GetCurSel(), 0);
    CCVNDoc* layout = ActiveLayout();
    DrawLine();
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    const CPaint* line = layout->m_rootGroup.m_members.front();
    const double lineY = line->m_pose.y;
    for (int layer : {3, 4, 5}) {
        layout->SetLayerVisible(layer, FALSE);
        layout->m_tool.m_bLayerLocked[layer] = TRUE;
    }
    CRect field;
    selector->GetClientRect(&field);
    const CPoint arrow(field.right - 6, field.CenterPoint().y);
    host.AdvanceClock(1000);
    host.ClickClient(selector, arrow);
    ASSERT_TRUE(selector->GetDroppedState());
    CRect item;
    selector->DropList().GetItemRect(3, &item);
    host.ClickClient(&selector->DropList(), item.CenterPoint());
    EXPECT_EQ(layout->GetActiveLayer(), 3);
    EXPECT_EQ(layout->m_tool.m_bLayerShown[3], 1);
    EXPECT_EQ(layout->m_tool.m_bLayerLocked[3], 0);
    EXPECT_EQ(selector->GetCurSel(), 3);

    // The choice gave the keys back to the plan: Down nudges the selection.
    EXPECT_EQ(CWnd::GetFocus(), Main().MDIGetActive()->GetActiveView());
    host.PressKey(VK_DOWN);
    EXPECT_NE(line->m_pose.y, lineY);
    EXPECT_EQ(layout->GetActiveLayer(), 3);

    // Passed over on the way to a choice by the keys, or to none, a layer stays as it was.
    for (UINT end : {VK_ESCAPE, VK_RETURN}) {
        host.AdvanceClock(1000);
        host.ClickClient(selector, arrow);
        for (int press = 0; press < 3; ++press) host.PressKey(VK_DOWN);
        host.PressKey(end);
        EXPECT_FALSE(selector->GetDroppedState());
        EXPECT_EQ(layout->GetActiveLayer(), end == VK_RETURN ? 6 : 3);
        EXPECT_EQ(CWnd::GetFocus(), Main().MDIGetActive()->GetActiveView());
        for (int layer : {4, 5}) {
            EXPECT_EQ(layout->m_tool.m_bLayerShown[layer], 0) << layer;
            EXPECT_EQ(layout->m_tool.m_bLayerLocked[layer], 1) << layer;
        }
    }

    // Given the keys back closed (after a dialog opened over its list), the selector drops its
    // list before it steps.
    host.AdvanceClock(1000);
    host.ClickClient(selector, arrow);
    host.WhenModal("Open", [&](CWnd&) { host.PressKey(VK_ESCAPE); });
    host.KeyDown(VK_CONTROL);
    host.PressKey('O');
    host.KeyUp(VK_CONTROL);
    ASSERT_EQ(CWnd::GetFocus(), selector);
    ASSERT_FALSE(selector->GetDroppedState());
    host.PressKey(VK_UP);
    EXPECT_TRUE(selector->GetDroppedState());
    EXPECT_EQ(layout->GetActiveLayer(), 6);
    host.PressKey(VK_RETURN);
    EXPECT_EQ(layout->GetActiveLayer(), 5);

    // The layer shown follows the active layout's layer.
    layout->SetActiveLayer(2);
    layout->OnActiveLayerChanged();
    EXPECT_EQ(selector->GetCurSel(), 2);
}

TEST_F(MainFrame, APlanWindowShowsTheToolsBarAndPutsTheCameraBarAway) {
    EXPECT_TRUE(Main().GetMainToolBar().IsWindowVisible());
    EXPECT_TRUE(Main().GetToolsToolBar().IsWindowVisible());
    EXPECT_FALSE(Main().GetCameraToolBar().IsWindowVisible());
}

TEST_F(MainFrame, TheAboutBoxPausesTheTrainsWhileItIsUp) {
    bool pausedMeanwhile = false;
    bool pictureShown = false;
    host.WhenModal("About", [&](CWnd& about) {
        pausedMeanwhile = Main().IsTrainPaused();
        auto* picture = dynamic_cast<CStatic*>(about.GetDlgItem(1000));
        pictureShown = picture != nullptr && picture->GetBitmap() != nullptr;
        about.SendMessage(WM_COMMAND, IDOK);
    });
    Main().SendMessage(WM_COMMAND, ID_APP_ABOUT);
    host.RunUntilIdle();
    EXPECT_TRUE(pausedMeanwhile);
    EXPECT_TRUE(pictureShown);
    EXPECT_FALSE(Main().IsTrainPaused());

    // Without a credits file the command gives the file error and no dialog.
    const CString previousBase = CDataFolders::GetBaseFolder();
    CDataFolders::SetBaseFolder(CWinPath::FromReal(folder.Path()) + "\\");
    host.AnswerMessageBox(IDOK);
    Main().SendMessage(WM_COMMAND, ID_APP_CREDITS);
    host.RunUntilIdle();
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes().back().text,
              "The file \"" + CString((folder / "CREDITS.DAT").c_str()) + "\" was not found.");

    // The credits leave the trains running.
    std::ofstream(folder / "CREDITS.DAT") << "^Corvane\n";
    bool creditsPaused = true;
    host.WhenModal("Credits", [&](CWnd& credits) {
        creditsPaused = Main().IsTrainPaused();
        credits.SendMessage(WM_COMMAND, IDOK);
    });
    Main().SendMessage(WM_COMMAND, ID_APP_CREDITS);
    host.RunUntilIdle();
    EXPECT_FALSE(creditsPaused);
    EXPECT_EQ(host.MessageBoxes().size(), 1u);
    CDataFolders::SetBaseFolder(previousBase);
}

TEST_F(MainFrame, ToolParametersShowsAndHidesTheDialogWhileALayoutIsOpen) {
    CToolParametersDialog& dialog = Main().GetToolParametersDialog();
    ASSERT_TRUE(IsWindow(&dialog));
    EXPECT_FALSE(dialog.IsWindowVisible());
    Main().SendMessage(WM_COMMAND, ID_TOOL_PARAMETERS);
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_EQ(dialog.m_bShown, 1);
    Main().SendMessage(WM_COMMAND, ID_TOOL_PARAMETERS);
    EXPECT_FALSE(dialog.IsWindowVisible());
    Main().SendMessage(WM_COMMAND, ID_TOOL_PARAMETERS);
    ASSERT_TRUE(dialog.IsWindowVisible());

    // With the last layout closed, the update of the command puts the dialog away.
    ActiveLayout()->SetModifiedFlag(FALSE);
    Main().MDIGetActive()->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    EXPECT_TRUE(IsEnabled(ID_FILE_NEW));
    EXPECT_FALSE(IsEnabled(ID_TOOL_PARAMETERS));
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_EQ(dialog.m_bShown, 0);
}

TEST_F(MainFrame, AltAndTheUnderlinedDigitOpenThe3DMenu) {
    bool opened = false;
    host.WhenModal("", [&](CWnd& window) {
        opened = dynamic_cast<CMenuPopupWnd&>(window).FindItem("3D Object") != -1;
        host.PressKey(VK_ESCAPE);
    });
    host.KeyDown(VK_MENU);
    host.PressKey('3');
    host.KeyUp(VK_MENU);
    EXPECT_TRUE(opened);
}

// The Window menu lists nine windows; "More Windows..." reaches every one past them.
TEST_F(MainFrame, MoreWindowsReachesEveryWindowPastTheNinth) {
    auto windowMenu = [&] {
        auto menu = std::make_unique<CMenu>();
        menu->CreatePopupMenu();
        menu->AppendMenu(MF_STRING, ID_WINDOW_NEW, "&New Window");
        Main().SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.get()), 0);
        return menu;
    };
    EXPECT_EQ(windowMenu()->GetMenuState(AFX_IDM_MORE_WINDOWS, MF_BYCOMMAND), UINT(-1));
    CMDIChildWnd* first = Main().MDIGetActive();
    for (int opened = 1; opened < 13; ++opened) Command(ID_WINDOW_NEW);
    CMDIChildWnd* last = Main().MDIGetActive();
    ASSERT_NE(last, first);
    ASSERT_EQ(Main().OpenWindows().size(), 13U);
    const std::unique_ptr<CMenu> menu = windowMenu();
    EXPECT_NE(menu->GetMenuState(AFX_IDM_LAST_MDICHILD, MF_BYCOMMAND), UINT(-1));
    ASSERT_NE(menu->GetMenuState(AFX_IDM_MORE_WINDOWS, MF_BYCOMMAND), UINT(-1));
    EXPECT_TRUE(IsEnabled(AFX_IDM_MORE_WINDOWS));

    int rows = 0;
    host.WhenModal("Select Window", [&](CWnd& dialog) {
        auto* list = static_cast<CListBox*>(dialog.GetDlgItem(CSelectWindowDialog::kListId));
        rows = list->GetCount();
        EXPECT_EQ(list->GetCurSel(), 12);
        list->SetCurSel(0);
        host.PressKey(VK_RETURN);
    });
    Command(AFX_IDM_MORE_WINDOWS);
    EXPECT_EQ(rows, 13);
    EXPECT_EQ(Main().MDIGetActive(), first);
}
