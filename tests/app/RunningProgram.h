#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/CCVNApp.h"
#include "model/CCVNDoc.h"
#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/CEdit.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CDocument.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CMenu.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/CView.h"
#include "platform/win/NonClientPainter.h"
#include "platform/win/WindowManager.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "shell/CMainFrame.h"
#include "shell/CSplashWindow.h"
#include "tests/support/TestFolder.h"
#include "tests/support/WorkingFolderKept.h"

// The program on the headless host, its 3D library opened or refused at will, its program
// folder the test's own so that what it writes there stays out of the build.
class TestApp : public CCVNApp {
  public:
    BOOL m_b3DOpens = TRUE;
    std::filesystem::path m_programFolder;

  protected:
    BOOL Open3DLibrary() override { return m_b3DOpens; }
    CString GetProgramFolder() const override { return CWinPath::FromReal(m_programFolder) + "\\"; }
};

// A test that starts the whole program with a profile and a desktop data folder of its own.
class RunningProgram : public testing::Test {
  protected:
    void SetUp() override {
        WindowManager::Instance().Reset();
        CProfile::Program().SetPath(folder / "corvane.ini");
        setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        // The machine's own default printer must never receive a test's job.
        setenv("CUPS_SERVER", (folder / "no-print-server").c_str(), 1);
    }
    void TearDown() override {
        if (IsWindow(app.m_pMainWnd)) {
            for (CDocTemplate* docTemplate : app.Templates())
                for (CDocument* document : docTemplate->Documents()) document->SetModifiedFlag(FALSE);
            app.m_pMainWnd->SendMessage(WM_CLOSE);
        }
        CProfile::Program().SetPath(CProfile::DefaultPath());
        unsetenv("XDG_DATA_HOME");
        unsetenv("CUPS_SERVER");
        CSplashWindow::EnableSplash(TRUE);
        EXPECT_TRUE(host.UnansweredModals().empty());
    }

    BOOL Start(std::vector<std::string> arguments = {}) { return StartProgram(app, std::move(arguments)); }
    BOOL StartProgram(TestApp& program, std::vector<std::string> arguments) {
        std::vector<char*> argv{const_cast<char*>("corvane")};
        for (std::string& argument : arguments) argv.push_back(argument.data());
        program.SetCommandLine(static_cast<int>(argv.size()), argv.data());
        program.m_programFolder = ProgramFolder();
        std::filesystem::create_directories(program.m_programFolder);
        const BOOL started = program.InitApplication() && program.InitInstance();
        host.RunUntilIdle();
        return started;
    }
    // Starts the program, saves its new layout under name and ends it, so that a second
    // program can be started on that file.
    std::filesystem::path SaveNewLayoutAndQuit(const char* name) {
        const std::filesystem::path layout = folder / name;
        EXPECT_TRUE(Start());
        EXPECT_TRUE(ActiveLayout()->OnSaveDocument(layout.c_str()));
        ActiveLayout()->SetModifiedFlag(FALSE);
        Main().SendMessage(WM_CLOSE);
        host.RunUntilIdle();
        WindowManager::Instance().Reset();
        return layout;
    }
    void Quit(TestApp& program) {
        if (IsWindow(program.m_pMainWnd))
            program.m_pMainWnd->SendMessage(WM_CLOSE);
        host.RunUntilIdle();
    }
    std::filesystem::path ProgramFolder() const { return folder / "program"; }
    CMainFrame& Main() { return *app.MainFrame(); }
    // The active plan window; commands go through the main window and drags through the plan,
    // as a person gives them.
    CCVNView* View() { return dynamic_cast<CCVNView*>(Main().MDIGetActive()->GetActiveView()); }
    void Command(UINT id) {
        Main().SendMessage(WM_COMMAND, id);
        host.RunUntilIdle();
    }
    void Drag(CPoint from, CPoint to) {
        // A press soon after the last one on the same spot would be a double click.
        host.AdvanceClock(1000);
        host.DragClient(View(), from, to, 6);
        host.RunUntilIdle();
    }
    // Clicks the vertices of an outline into the window, too far apart in time for a double
    // click, and double clicks the last.
    void ClickOutline(CWnd* window, const std::vector<CPoint>& vertices) {
        for (size_t i = 0; i + 1 < vertices.size(); ++i) {
            host.AdvanceClock(1000);
            host.ClickClient(window, vertices[i]);
        }
        host.AdvanceClock(1000);
        host.ClickClient(window, vertices.back());
        host.ClickClient(window, vertices.back());
        host.RunUntilIdle();
    }
    // Draws one line in the active plan window with the line tool.
    void DrawLine(CPoint from = CPoint(100, 200), CPoint to = CPoint(250, 260)) {
        Main().SendMessage(WM_COMMAND, ID_TOOL_LINE);
        host.AdvanceClock(1000);
        host.DragClient(Main().MDIGetActive()->GetActiveView(), from, to, 6);
        host.RunUntilIdle();
    }
    // The bytes a save of the layout would write, taken without saving it.
    static std::vector<BYTE> Stored(CCVNDoc& layout) {
        CMemFile memory;
        CArchive archive(&memory, CArchive::store);
        layout.Serialize(archive);
        archive.Close();
        return memory.Detach();
    }
    CCVNDoc* ActiveLayout() {
        CMDIChildWnd* child = Main().MDIGetActive();
        return child != nullptr ? dynamic_cast<CCVNDoc*>(child->GetActiveDocument()) : nullptr;
    }
    // The state the update handlers give the command, as the menu would show it: its flags,
    // whether it is enabled and whether it shows its check or radio mark.
    UINT MenuStateOf(UINT id) {
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, id, "probe");
        CCmdUI state;
        state.m_nID = id;
        state.m_pMenu = &menu;
        state.DoUpdate(&Main(), TRUE);
        return menu.GetMenuState(id, MF_BYCOMMAND);
    }
    bool IsEnabled(UINT id) { return (MenuStateOf(id) & MF_GRAYED) == 0; }
    bool IsChecked(UINT id) { return (MenuStateOf(id) & MF_CHECKED) != 0; }
    // The main window's File menu opens with a click on its title.
    bool MainMenuOpens() {
        bool opened = false;
        host.WhenModal("", [&](CWnd& popup) {
            opened = dynamic_cast<CMenuPopupWnd*>(&popup) != nullptr;
            host.PressKey(VK_ESCAPE);
        });
        CRect window;
        Main().GetWindowRect(&window);
        host.Click(NonClientPainter::MenuBarItemRect(Main(), 0).CenterPoint() + window.TopLeft());
        return opened;
    }
    // Chooses a command as a person does: a click on the title of the main window's menu that
    // holds it, then one on its item; whatever the command opens runs meanwhile.
    void ChooseFromMenu(UINT command) {
        CMenu* bar = Main().GetMenu();
        for (int title = 0; title < bar->GetMenuItemCount(); ++title) {
            const CMenu* menu = bar->GetSubMenu(title);
            for (int item = 0; menu != nullptr && item < menu->GetMenuItemCount(); ++item)
                if (menu->GetMenuItemID(item) == command)
                    return ClickMenuItem(title, item);
        }
        ADD_FAILURE() << "no menu item " << command;
    }
    void ClickMenuItem(int title, int item) {
        host.WhenModal("", [this, item](CWnd& popup) {
            host.AdvanceClock(1000);
            host.ClickClient(&popup, static_cast<CMenuPopupWnd&>(popup).ItemRect(item).CenterPoint());
        });
        CRect window;
        Main().GetWindowRect(&window);
        host.AdvanceClock(1000);
        host.Click(NonClientPainter::MenuBarItemRect(Main(), title).CenterPoint() + window.TopLeft());
        host.RunUntilIdle();
    }
    CString LastBoxText() const {
        return host.MessageBoxes().empty() ? CString() : host.MessageBoxes().back().text;
    }
    // The field of the dialog has the focus, its whole text selected.
    static void ExpectFocusedAndSelected(CWnd& dialog, UINT id) {
        auto* field = dynamic_cast<CEdit*>(dialog.GetDlgItem(static_cast<int>(id)));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(CWnd::GetFocus(), field) << id;
        int start = -1;
        int end = -1;
        field->GetSel(start, end);
        CString text;
        field->GetWindowText(text);
        EXPECT_EQ(start, 0) << id;
        EXPECT_EQ(end, text.GetLength()) << id;
    }

    TestFolder folder;
    WorkingFolderKept workingFolder;
    HeadlessHost host;
    TestApp app;
};
