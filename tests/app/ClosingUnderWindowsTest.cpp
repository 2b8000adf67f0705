#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <initializer_list>

#include "model/CCVNDoc.h"
#include "platform/base/CWinPath.h"
#include "platform/cdlg/CPreviewView.h"
#include "resources/CommandIds.h"
#include "tests/app/PlanInProgram.h"

// A layout closed under a window that shows it or works on it, by Ctrl+F4 and by File > Close,
// in the running program: a window that shows the layout ends before the layout's views go, a
// dialog that works on it keeps the layout open until it ends, and the program answers after.

namespace {

enum class Closing { CtrlF4, FileClose };
constexpr Closing kClosings[] = {Closing::CtrlF4, Closing::FileClose};

const char* NameOf(Closing closing) {
    return closing == Closing::CtrlF4 ? "Ctrl+F4" : "File > Close";
}

// The window and every window in it are to be painted again.
void InvalidateAll(CWnd& window) {
    window.Invalidate();
    for (CWnd* child : window.Children()) InvalidateAll(*child);
}

class ClosingUnderWindows : public PlanInProgram {
  protected:
    void Press(UINT vk, std::initializer_list<UINT> held) {
        for (UINT modifier : held) host.KeyDown(modifier);
        host.PressKey(vk);
        for (UINT modifier : held) host.KeyUp(modifier);
        host.RunUntilIdle();
    }
    void CloseLayout(Closing closing) {
        if (closing == Closing::CtrlF4)
            Press(VK_F4, {VK_CONTROL});
        else
            Command(ID_FILE_CLOSE);
    }
    CPreviewView* Preview() {
        for (CWnd* child : Main().Children())
            if (auto* preview = dynamic_cast<CPreviewView*>(child))
                return preview;
        return nullptr;
    }
    void OpenPreview() {
        View()->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
        host.RunUntilIdle();
    }
    // The layout's 3D window, with its plan window active again in front of it.
    CMDIChildWnd* Open3DBehindThePlan() {
        CMDIChildWnd* planWindow = Main().MDIGetActive();
        Command(ID_SHOW_3D_VIEW);
        CMDIChildWnd* window3D = Main().MDIGetActive();
        Main().MDIActivate(planWindow);
        host.RunUntilIdle();
        return window3D != planWindow ? window3D : nullptr;
    }
    // Escape, a repaint of everything, timer ticks and menu commands all find the program whole,
    // and a new layout opens in its plan window.
    void ExpectTheProgramAnswers() {
        host.PressKey(VK_ESCAPE);
        InvalidateAll(Main());
        host.RunUntilIdle();
        host.AdvanceClock(1000);
        EXPECT_NE(Main().GetMenu(), nullptr);
        EXPECT_TRUE(MainMenuOpens());
        Command(ID_FILE_NEW);
        ASSERT_NE(ActiveLayout(), nullptr);
        EXPECT_NE(View(), nullptr);
        EXPECT_TRUE(Main().GetMainToolBar().IsWindowVisible());
    }
    // The dialog comes over the layout; Ctrl+F4 and a click on the main window's File menu
    // reach neither the layout nor its window while it is up, and its Cancel ends it.
    void ExpectTheDialogKeepsItsLayout(const char* caption, const std::function<void()>& open) {
        CCVNDoc* layout = ActiveLayout();
        const size_t windows = Main().MDIChildren().size();
        bool shown = false;
        host.WhenModal(caption, [&](CWnd& dialog) {
            shown = true;
            Press(VK_F4, {VK_CONTROL});
            CRect frame;
            Main().GetWindowRect(&frame);
            host.Click(NonClientPainter::MenuBarItemRect(Main(), 0).CenterPoint() + frame.TopLeft());
            host.RunUntilIdle();
            EXPECT_TRUE(IsWindow(&dialog) && dialog.InModalLoop());
            EXPECT_EQ(ActiveLayout(), layout);
            EXPECT_EQ(Main().MDIChildren().size(), windows);
            host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3));
        });
        open();
        EXPECT_TRUE(shown);
        EXPECT_EQ(ActiveLayout(), layout);
        EXPECT_EQ(Main().MDIChildren().size(), windows);
        EXPECT_TRUE(MainMenuOpens());
    }
};

}  // namespace

TEST_F(ClosingUnderWindows, APrintPreviewEndsBeforeItsLayoutCloses) {
    for (Closing closing : kClosings) {
        SCOPED_TRACE(NameOf(closing));
        OpenPreview();
        ASSERT_NE(Preview(), nullptr);
        ASSERT_EQ(Main().GetMenu(), nullptr);
        CloseLayout(closing);
        EXPECT_EQ(Preview(), nullptr);
        EXPECT_EQ(ActiveLayout(), nullptr);
        ExpectTheProgramAnswers();
    }

    // With a 3D window on the layout too, Ctrl+F4 closes only the plan window the preview
    // shows: the preview ends with it, the layout stays open in its 3D window.
    ASSERT_NE(Open3DBehindThePlan(), nullptr);
    OpenPreview();
    ASSERT_NE(Preview(), nullptr);
    CloseLayout(Closing::CtrlF4);
    EXPECT_EQ(Preview(), nullptr);
    ASSERT_NE(ActiveLayout(), nullptr);
    EXPECT_EQ(ActiveLayout()->Get3DFrame(), Main().MDIGetActive());
    ExpectTheProgramAnswers();
}

TEST_F(ClosingUnderWindows, ACancelledSaveQuestionLeavesThePreviewAndItsLayout) {
    DrawLine();
    CCVNDoc* layout = ActiveLayout();
    OpenPreview();
    ASSERT_NE(Preview(), nullptr);
    for (Closing closing : kClosings) {
        SCOPED_TRACE(NameOf(closing));
        host.AnswerMessageBox(IDCANCEL);
        CloseLayout(closing);
        EXPECT_EQ(LastBoxText(), "Save changes to Untitled1?");
        EXPECT_EQ(ActiveLayout(), layout);
        ASSERT_NE(Preview(), nullptr);
    }
    // The preview still pages and ends with Escape, back to the plan window.
    Preview()->SendMessage(WM_COMMAND, MAKEWPARAM(AFX_ID_PREVIEW_ZOOMIN, BN_CLICKED));
    host.RunUntilIdle();
    EXPECT_EQ(Preview()->Zoom(), 1);
    host.PressKey(VK_ESCAPE);
    host.RunUntilIdle();
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(View()));
    EXPECT_TRUE(MainMenuOpens());
}

TEST_F(ClosingUnderWindows, TheProgramClosesUnderAPreview) {
    DrawLine();
    OpenPreview();
    ASSERT_NE(Preview(), nullptr);
    host.AnswerMessageBox(IDCANCEL);
    Main().SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    ASSERT_TRUE(IsWindow(app.m_pMainWnd));
    ASSERT_NE(Preview(), nullptr);
    EXPECT_EQ(Preview()->PageCount(), 1);
    host.AnswerMessageBox(IDNO);
    Main().SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(WindowManager::Instance().QuitPosted());
}

TEST_F(ClosingUnderWindows, AThreeDWindowOutlivesItsPlanAndClosesWithItsLayout) {
    for (Closing closing : kClosings) {
        SCOPED_TRACE(NameOf(closing));
        CCVNDoc* layout = ActiveLayout();
        CMDIChildWnd* window3D = Open3DBehindThePlan();
        ASSERT_NE(window3D, nullptr);
        CloseLayout(closing);
        if (closing == Closing::CtrlF4) {
            // The plan window goes; the layout stays in its 3D window, which still draws,
            // drives and closes the layout in turn.
            ASSERT_EQ(ActiveLayout(), layout);
            ASSERT_EQ(Main().MDIGetActive(), window3D);
            InvalidateAll(*window3D);
            host.RunUntilIdle();
            host.PressKey(VK_UP);
            host.AdvanceClock(1000);
            CloseLayout(closing);
        }
        EXPECT_FALSE(IsWindow(window3D));
        EXPECT_EQ(ActiveLayout(), nullptr);
        ExpectTheProgramAnswers();
    }
}

TEST_F(ClosingUnderWindows, TheLayoutStaysOpenUnderItsDialogs) {
    std::ofstream(folder / "parts.cvp", std::ios::binary) << "Track;Acme;HO;S;D;1;1;1.00;N;\r\n";
    ActiveLayout()->m_strPartsPath = CWinPath::FromReal(folder / "parts.cvp");
    ExpectTheDialogKeepsItsLayout("Materials Report", [&] { Command(ID_MATERIALS_REPORT); });
    ExpectTheDialogKeepsItsLayout("Manufacturer Parts List", [&] { Command(ID_PARTS_LIST); });

    // A terrain, left selected as it is drawn.
    host.WhenModal("properties",
                   [&](CWnd& dialog) { host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3)); });
    Command(ID_TOOL_TERRAIN);
    for (CPoint corner : {CPoint(500, 100), CPoint(800, 100), CPoint(800, 300), CPoint(500, 300)}) {
        host.AdvanceClock(1000);
        host.ClickClient(View(), corner);
    }
    host.ClickClient(View(), CPoint(500, 300));
    host.RunUntilIdle();
    Command(ID_TOOL_SELECTOR);
    ASSERT_NE(ActiveLayout()->GetSelectedMount(), nullptr);
    ExpectTheDialogKeepsItsLayout("Terrain Editor", [&] { Command(ID_TERRAIN_EDITOR); });

    // A test train asks for its properties as it is set on a track.
    Command(ID_TOOL_STRAIGHT_TRACK);
    Drag(CPoint(100, 400), CPoint(400, 400));
    Command(ID_TOOL_RUN_TEST_TRAIN);
    ExpectTheDialogKeepsItsLayout("Train properties", [&] { Drag(CPoint(200, 400), CPoint(210, 400)); });
    ExpectTheProgramAnswers();
}
