#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/ShellRegistration.h"
#include "model/CCVNDoc.h"
#include "platform/base/CProfile.h"
#include "platform/base/ModuleFolder.h"
#include "platform/base/ProgramName.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CDocument.h"
#include "platform/win/CMenu.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/CSplashWindow.h"
#include "tests/app/RunningProgram.h"
#include "tests/support/TestFolder.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

using ProgramStart = RunningProgram;

}  // namespace

TEST_F(ProgramStart, FirstRunWritesTheDataFoldersOnceByInstallType) {
    CProfile profile(folder / "first.ini");
    CCVNApp::WriteFirstRunPaths(profile);
    EXPECT_EQ(
        ReadFile(folder / "first.ini"),
        "[Paths]\nBackdrops=.\\BACKDROPS\\\nDatabases=.\\DATABASES\\\nLibraries=.\\LIBRARIES\\\n"
        "Patterns=.\\PATTERNS\\\nBitmaps=.\\BITMAPS\\\n3DBitmaps=.\\3DBITMAPS\\\nTextures=.\\TEXTURES\\\n"
        "3DTextures=.\\3DTEXTURES\\\nScripts=.\\SCRIPTS\\\nTrains=.\\TRAINS\\\n[Install]\nInstallType=2\n");
    const std::string afterFirst = ReadFile(folder / "first.ini");
    profile.WriteProfileString("Paths", "Backdrops", "D:\\MINE\\");
    CCVNApp::WriteFirstRunPaths(profile);
    EXPECT_EQ(profile.GetProfileString("Paths", "Backdrops"), "D:\\MINE\\");

    CProfile folderInstall(folder / "second.ini");
    folderInstall.WriteProfileInt("Install", "InstallType", 1);
    CCVNApp::WriteFirstRunPaths(folderInstall);
    EXPECT_EQ(folderInstall.GetProfileString("Paths", "Backdrops"), "Corvane\\BACKDROPS\\");
    EXPECT_EQ(folderInstall.GetProfileString("Paths", "Trains"), "Corvane\\TRAINS\\");
    EXPECT_EQ(folderInstall.GetProfileInt("Install", "InstallType", 0), 2u);

    CProfile other(folder / "third.ini");
    other.WriteProfileInt("Install", "InstallType", 5);
    const std::string before = ReadFile(folder / "third.ini");
    CCVNApp::WriteFirstRunPaths(other);
    EXPECT_EQ(ReadFile(folder / "third.ini"), before);
}

TEST_F(ProgramStart, StartsMaximisedWithANewLayoutInAPlanWindowWithRulers) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Main().IsZoomed());
    EXPECT_EQ(Main().GetStatusBar().GetCount(), CMainFrame::kStatusPaneCount);
    auto* child = dynamic_cast<CChildFrame*>(Main().MDIGetActive());
    ASSERT_NE(child, nullptr);
    EXPECT_NE(dynamic_cast<CCVNView*>(child->GetActiveView()), nullptr);
    EXPECT_TRUE(child->TopRuler().IsWindowVisible());
    EXPECT_TRUE(child->LeftRuler().IsWindowVisible());
    // The first plan window takes three quarters of the maximised workspace, in its corner, as
    // the workspace was when the window was made: the camera toolbar (27 pixels) still stood
    // above it then, until the plan view's activation hid it.
    CRect workspace, plan;
    Main().GetMDIClient()->GetClientRect(&workspace);
    child->GetWindowRect(&plan);
    Main().GetMDIClient()->ScreenToClient(&plan);
    EXPECT_FALSE(Main().GetCameraToolBar().IsWindowVisible());
    EXPECT_EQ(plan, CRect(0, 0, workspace.Width() * 3 / 4, (workspace.Height() - 27) * 3 / 4));
    ASSERT_NE(ActiveLayout(), nullptr);
    EXPECT_EQ(ActiveLayout()->GetTitle(), "Untitled1");
    EXPECT_EQ(app.m_nFileVersion, 17);
    // The default settings a first start writes go into the program folder.
    EXPECT_TRUE(std::filesystem::exists(ProgramFolder() / "DefPref.Dat"));
    // The program's name, given to the platform, names the folders the platform keeps for it.
    EXPECT_EQ(ProgramFolderName(), "corvane");

    // The splash stays four seconds, whatever happens meanwhile.
    ASSERT_NE(CSplashWindow::Current(), nullptr);
    host.AdvanceClock(3990);
    EXPECT_NE(CSplashWindow::Current(), nullptr);
    host.AdvanceClock(10);
    EXPECT_EQ(CSplashWindow::Current(), nullptr);

    EXPECT_EQ(app.ExitInstance(), 0);
}

TEST_F(ProgramStart, OpensTheLayoutNamedOnTheCommandLineByItsFullPath) {
    const std::filesystem::path layout = SaveNewLayoutAndQuit("oval.cvn");
    TestApp second;
    ASSERT_TRUE(StartProgram(second, {layout.string()}));
    auto* main = second.MainFrame();
    ASSERT_NE(main, nullptr);
    auto* opened = dynamic_cast<CCVNDoc*>(main->MDIGetActive()->GetActiveDocument());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->GetTitle(), "oval.cvn");
    EXPECT_TRUE(main->IsZoomed());
    Quit(second);
}

TEST_F(ProgramStart, WorksInItsOwnFolderAndStillOpensALayoutNamedRelativeToWhereItWasStarted) {
    const std::filesystem::path layout = SaveNewLayoutAndQuit("oval.cvn");
    std::filesystem::create_directory(folder / "sub");
    std::filesystem::current_path(folder / "sub");
    TestApp second;
    ASSERT_TRUE(StartProgram(second, {"../oval.cvn"}));
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), ProgramFolder()));
    auto* opened = dynamic_cast<CCVNDoc*>(second.MainFrame()->MDIGetActive()->GetActiveDocument());
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(std::filesystem::equivalent(opened->GetPathName().c_str(), layout));
    // Saved again, it goes back where it came from, not into the program folder.
    ASSERT_TRUE(opened->OnSaveDocument(opened->GetPathName()));
    EXPECT_FALSE(std::filesystem::exists(ProgramFolder() / "oval.cvn"));
    Quit(second);
}

TEST_F(ProgramStart, PrintsTheLayoutNamedAfterPAndEnds) {
    const std::filesystem::path layout = SaveNewLayoutAndQuit("yard.cvn");
    TestApp printing;
    EXPECT_FALSE(StartProgram(printing, {"/p", layout.string()}));
    EXPECT_EQ(CSplashWindow::Current(), nullptr);
    EXPECT_EQ(ReadFile(folder / "yard.pdf").substr(0, 5), "%PDF-");
    Quit(printing);
}

TEST_F(ProgramStart, StopsWithTheMessageWhenThe3DLibraryCannotBeOpened) {
    app.m_b3DOpens = FALSE;
    host.AnswerMessageBox(IDOK);
    EXPECT_FALSE(Start());
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "RenderWare could not be opened");
    EXPECT_EQ(host.MessageBoxes()[0].type & MB_ICONSTOP, MB_ICONSTOP);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(ProgramStart, RegistersTheLayoutTypeSoTheFileManagerOpensTheFile) {
    ASSERT_TRUE(Start());
    const std::string entry = ReadFile(folder / "data" / "applications" / "corvane.desktop");
    EXPECT_NE(entry.find("\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("MimeType=application/x-corvane;\n"), std::string::npos);
    const std::string mime = ReadFile(folder / "data" / "mime" / "packages" / "corvane.xml");
    EXPECT_NE(mime.find("<comment>Corvane Document</comment>"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.cvn\"/>"), std::string::npos);

    EXPECT_EQ(QuoteDesktopExec("/opt/my rail/corvane"), "\"/opt/my rail/corvane\"");
    EXPECT_EQ(QuoteDesktopExec("/a\"b$c`d\\e%f"), "\"/a\\\"b\\$c\\`d\\\\e%%f\"");
}

TEST_F(ProgramStart, EveryCommandWorksOrIsGreyedUntilItsPartArrives) {
    ASSERT_TRUE(Start());
    for (UINT working : std::initializer_list<UINT>{ID_FILE_NEW,
                                                    ID_FILE_OPEN,
                                                    ID_FILE_SAVE,
                                                    ID_APP_ABOUT,
                                                    ID_APP_CREDITS,
                                                    ID_TOOL_SELECTOR,
                                                    ID_TOOL_STRAIGHT_TRACK,
                                                    ID_LAYER_SHOW_HIDE_0,
                                                    ID_WINDOW_NEW,
                                                    ID_TOOL_PARAMETERS,
                                                    ID_GROUP,
                                                    ID_ZOOM_IN,
                                                    ID_LAYERS,
                                                    ID_PREFERENCES,
                                                    ID_DOCUMENT_SETUP,
                                                    ID_SHOW_3D_VIEW,
                                                    ID_MATERIALS_REPORT,
                                                    ID_PARTS_LIST,
                                                    ID_LIBRARY_GET_OBJECT,
                                                    ID_TOOL_RUN_TEST_TRAIN,
                                                    ID_STOP_TEST_TRAIN,
                                                    ID_TOOL_BENCHWORK,
                                                    ID_TOOL_TERRAIN,
                                                    ID_TRACK_WIZARD,
                                                    ID_TOOL_3D_OBJECT,
                                                    ID_TOOL_3D_BITMAP,
                                                    ID_TOOL_CAMERA})
        EXPECT_TRUE(IsEnabled(working)) << working;
    for (UINT annotation : {ID_TOOL_TEXT, ID_TOOL_DIMENSION_LINE, ID_TOOL_DIMENSION_ANGLE,
                            ID_TOOL_MEASURE_LINE, ID_TOOL_MEASURE_BOX, ID_TOOL_BITMAP_PICTURE})
        EXPECT_TRUE(IsEnabled(annotation)) << annotation;
    for (UINT waiting : std::initializer_list<UINT>{ID_EDIT_UNDO, ID_LIGHTEN})
        EXPECT_FALSE(IsEnabled(waiting)) << waiting;
}

TEST_F(ProgramStart, TheRulersLineUpTheirZeroTickWithTheStartOfTheLayout) {
    ASSERT_TRUE(Start());
    auto* child = dynamic_cast<CChildFrame*>(Main().MDIGetActive());
    ASSERT_NE(child, nullptr);
    CRulerBar& top = child->TopRuler();
    CRulerBar& left = child->LeftRuler();
    top.UpdateWindow();
    left.UpdateWindow();
    const CRect topArea = top.TickArea();
    const CRect leftArea = left.TickArea();
    CClientDC topDc(&top);
    CClientDC leftDc(&left);
    // The labelled tick of value 0 runs 20 logical units (7 pixels) up from the plan's edge;
    // the next minor tick, a tenth of an inch step further, is only 5 units (2 pixels) long.
    const COLORREF black = RGB(0, 0, 0);
    EXPECT_EQ(topDc.GetPixel(topArea.left, topArea.bottom - 6), black);
    EXPECT_NE(topDc.GetPixel(topArea.left + 3, topArea.bottom - 6), black);
    EXPECT_EQ(leftDc.GetPixel(leftArea.right - 6, leftArea.top), black);
    // The corner shows the unit, inches.
    bool cornerText = false;
    for (int x = 2; x < CRulerBar::kThickness - 2; ++x)
        for (int y = topArea.top + 2; y < topArea.bottom - 2; ++y)
            cornerText = cornerText || topDc.GetPixel(topArea.left - CRulerBar::kThickness + x, y) == black;
    EXPECT_TRUE(cornerText);
}
