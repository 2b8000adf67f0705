#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <typeinfo>

#include "platform/base/CProfile.h"
#include "platform/base/WholeFile.h"

#include "platform/base/CStringTable.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CMenu.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/CMultiDocTemplate.h"
#include "platform/win/CNewTypeDlg.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/CaptionGlyphs.h"
#include "platform/win/NonClientPainter.h"
#include "tests/gdi/Canvas.h"
#include "tests/host/SampleMdiApp.h"
#include "tests/support/TestFolder.h"
#include "tests/support/TestPictures.h"

using namespace sample;

namespace {
class SampleMdiAppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WindowManager::Instance().Reset();
        RouteLog().clear();
        CProfile::Program().SetPath(folder / "corvane.ini");
        ASSERT_TRUE(app.InitInstance());
        host.RunUntilIdle();
    }
    void TearDown() override {
        if (IsWindow(app.m_pMainWnd)) {
            // Whatever is still modified is thrown away.
            for (CDocTemplate* docTemplate : app.Templates())
                for (CDocument* document : docTemplate->Documents()) document->SetModifiedFlag(FALSE);
            app.m_pMainWnd->SendMessage(WM_CLOSE);
        }
        AfxSetFilePrompt(nullptr);
        CProfile::Program().SetPath(CProfile::DefaultPath());
        EXPECT_TRUE(host.UnansweredModals().empty());
    }

    MainFrame& Main() { return *app.Main(); }
    SketchView* ActiveView() { return dynamic_cast<SketchView*>(Main().GetActiveFrame()->GetActiveView()); }
    void Command(UINT id) {
        Main().PostMessage(WM_COMMAND, id);
        host.RunUntilIdle();
    }
    // Opens the menu-bar popup at position and lets action see it.
    void WithMenu(int position, std::function<void(CMenuPopupWnd&)> action) {
        host.WhenModal("", [action](CWnd& popup) { action(dynamic_cast<CMenuPopupWnd&>(popup)); });
        CRect window;
        Main().GetWindowRect(&window);
        CRect bar = NonClientPainter::MenuBarRect(Main());
        int x = bar.left + 2;
        for (int i = 0; i < position; ++i) {
            CRect item;
            while (NonClientPainter::MenuBarItemAt(Main(), CPoint(x, bar.top + 5), &item) == i)
                x = item.right + 1;
        }
        host.Click(CPoint(window.left + x + 2, window.top + bar.top + 5));
    }
    UINT StateOf(CMenuPopupWnd& popup, UINT id) { return popup.MenuShown()->GetMenuState(id, MF_BYCOMMAND); }
    void Choose(CMenuPopupWnd& popup, const char* text) {
        host.ClickClient(&popup, popup.ItemRect(popup.FindItem(text)).CenterPoint());
    }

    HeadlessHost host;
    SampleApp app;
    TestFolder folder;
};
}  // namespace

TEST_F(SampleMdiAppTest, CommandsRouteFromTheViewToTheApplication) {
    Command(ID_EDIT_ROUTE);
    EXPECT_EQ(RouteLog(), (std::vector<std::string>{"main frame", "application"}));

    RouteLog().clear();
    Command(ID_FILE_NEW);
    ASSERT_NE(ActiveView(), nullptr);
    Command(ID_EDIT_ROUTE);
    EXPECT_EQ(RouteLog(),
              (std::vector<std::string>{"view", "document", "child frame", "main frame", "application"}));
}

TEST_F(SampleMdiAppTest, MenusAndBarsShowTheStatesTheTargetsGive) {
    // Without a document only the main frame's menu exists, and Save has nobody to run it.
    UINT save = 0;
    WithMenu(0, [&](CMenuPopupWnd& popup) {
        EXPECT_EQ(popup.FindItem("&Save"), -1);
        Choose(popup, "&New");
    });
    ASSERT_NE(ActiveView(), nullptr);
    EXPECT_TRUE(Main().toolStrip.Buttons()[1].enabled);
    EXPECT_FALSE(Main().toolStrip.Buttons()[2].checked);

    WithMenu(1, [&](CMenuPopupWnd& popup) { Choose(popup, "&Grid"); });
    EXPECT_TRUE(ActiveView()->GetDocument()->grid);
    EXPECT_TRUE(Main().toolStrip.Buttons()[2].checked);

    UINT grid = 0;
    WithMenu(1, [&](CMenuPopupWnd& popup) {
        grid = StateOf(popup, ID_EDIT_GRID);
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(grid & MF_CHECKED, MF_CHECKED);
    WithMenu(0, [&](CMenuPopupWnd& popup) {
        save = StateOf(popup, ID_FILE_SAVE);
        // Print preview has no handler anywhere: greyed, and a click on it does nothing.
        EXPECT_EQ(StateOf(popup, ID_FILE_PRINT_PREVIEW) & MF_GRAYED, MF_GRAYED);
        EXPECT_EQ(StateOf(popup, ID_FILE_PRINT) & MF_GRAYED, 0u);
        Choose(popup, "Print Pre&view");
        EXPECT_TRUE(popup.InModalLoop());
        host.MouseMove(CPoint(5, 5));
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(save & MF_GRAYED, 0u);
    // Escape left the title highlighted; a second one lets the bar go.
    host.PressKey(VK_ESCAPE);

    // Ctrl+G gives the grid command through the accelerators.
    host.KeyDown(VK_CONTROL);
    host.PressKey('G');
    host.KeyUp(VK_CONTROL);
    EXPECT_FALSE(ActiveView()->GetDocument()->grid);
}

TEST_F(SampleMdiAppTest, TwoChildWindowsTakeTurnsAndDragsDrawInTheActiveOne) {
    Command(ID_FILE_NEW);
    SketchView* first = ActiveView();
    Command(ID_FILE_NEW);
    SketchView* second = ActiveView();
    ASSERT_NE(first, second);
    EXPECT_EQ(first->GetDocument()->GetTitle(), "Sketch1");
    EXPECT_EQ(second->GetDocument()->GetTitle(), "Sketch2");
    CString title;
    Main().GetWindowText(title);
    EXPECT_EQ(title, "Sample - Sketch2");

    Command(ID_WINDOW_TILE_HORZ);
    host.DragClient(first, CPoint(10, 10), CPoint(110, 60), 5);
    EXPECT_EQ(ActiveView(), first);
    Main().GetWindowText(title);
    EXPECT_EQ(title, "Sample - Sketch1");
    EXPECT_EQ(first->GetDocument()->points.size(), 6u);
    EXPECT_EQ(first->GetDocument()->points.back(), CPoint(110, 60));
    EXPECT_TRUE(first->GetDocument()->IsModified());
    EXPECT_TRUE(second->GetDocument()->points.empty());

    host.AdvanceClock(1000);
    EXPECT_EQ(first->blinks, (std::vector<DWORD>{500, 1000}));
    EXPECT_EQ(second->blinks, (std::vector<DWORD>{500, 1000}));

    Main().statusBar.SetPaneText(0, "Two sketches");
    host.RunUntilIdle();
    if (const CString png = TestPicturePath("host-sample-mdi.png"); !png.IsEmpty()) {
        EXPECT_TRUE(host.DumpScreen(png));
    }
}

TEST_F(SampleMdiAppTest, SaveAndOpenGoThroughTheFrameworksCommands) {
    const CString path = (folder.Path() / "strokes.skt").c_str();
    AfxSetFilePrompt([&](CString& name, BOOL open, CDocTemplate*) {
        EXPECT_EQ(name, open ? "" : "Sketch1.skt");
        name = path;
        return TRUE;
    });
    Command(ID_FILE_NEW);
    host.DragClient(ActiveView(), CPoint(5, 5), CPoint(45, 25), 2);
    const std::vector<CPoint> drawn = ActiveView()->GetDocument()->points;
    Command(ID_FILE_SAVE);
    EXPECT_FALSE(ActiveView()->GetDocument()->IsModified());
    EXPECT_EQ(ActiveView()->GetDocument()->GetTitle(), "strokes.skt");
    EXPECT_EQ(app.RecentFiles(), (std::vector<CString>{path}));

    Command(ID_FILE_CLOSE);
    EXPECT_EQ(Main().MDIGetActive(), nullptr);
    Command(ID_FILE_OPEN);
    ASSERT_NE(ActiveView(), nullptr);
    EXPECT_EQ(ActiveView()->GetDocument()->points, drawn);
    EXPECT_EQ(ActiveView()->GetDocument()->GetPathName(), path);
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(SampleMdiAppTest, ClosingAModifiedDocumentAsksToSaveIt) {
    Command(ID_FILE_NEW);
    host.DragClient(ActiveView(), CPoint(5, 5), CPoint(25, 25), 1);
    CMDIChildWnd* child = Main().MDIGetActive();

    host.AnswerMessageBox(IDCANCEL);
    child->PostMessage(WM_CLOSE);
    host.RunUntilIdle();
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Save changes to Sketch1?");
    EXPECT_EQ(host.MessageBoxes()[0].type, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    EXPECT_TRUE(IsWindow(child));

    host.AnswerMessageBox(IDNO);
    child->PostMessage(WM_CLOSE);
    host.RunUntilIdle();
    EXPECT_FALSE(IsWindow(child));
    EXPECT_TRUE(app.Templates().front()->Documents().empty());

    // Exiting with a modified document asks too; No lets the program end.
    Command(ID_FILE_NEW);
    ActiveView()->GetDocument()->SetModifiedFlag();
    host.AnswerMessageBox(IDNO);
    Command(ID_APP_EXIT);
    EXPECT_EQ(host.MessageBoxes().size(), 3u);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(WindowManager::Instance().QuitPosted());
}

TEST_F(SampleMdiAppTest, AFileThatIsNotASketchIsRefusedWithTheFileName) {
    const CString path = (folder.Path() / "bad.skt").c_str();
    std::ofstream(path.c_str(), std::ios::binary) << "\xFF\xFF\xFF\x7F";
    host.AnswerMessageBox(IDOK);
    EXPECT_EQ(app.OpenDocumentFile(path), nullptr);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_NE(host.MessageBoxes()[0].text.Find("bad.skt"), -1);
    EXPECT_TRUE(app.Templates().front()->Documents().empty());
    EXPECT_EQ(Main().MDIGetActive(), nullptr);
}

TEST_F(SampleMdiAppTest, PrintingRunsTheViewsHooksIntoThePrinter) {
    const CString pdf = (folder.Path() / "printed.pdf").c_str();
    int prompts = 0;
    AfxSetPrintPrompt([&](CPrintInfo& info) {
        ++prompts;
        info.m_strOutput = pdf;
        info.m_nDpi = 100;
        return TRUE;
    });
    Command(ID_FILE_NEW);
    host.DragClient(ActiveView(), CPoint(5, 5), CPoint(200, 100), 3);
    ActiveView()->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    AfxSetPrintPrompt(nullptr);
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(ActiveView()->printedPages, (std::vector<UINT>{1, 2}));
    std::ifstream printed(pdf.c_str(), std::ios::binary);
    std::string head(5, '\0');
    printed.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
}

TEST_F(SampleMdiAppTest, TheKeyboardOpensMenusAndTheStatusBarShowsPrompts) {
    Command(ID_FILE_NEW);
    // F10 opens the first menu, Right the next one, a letter chooses.
    host.WhenModal("", [&](CWnd&) { host.PressKey(VK_RIGHT); });
    host.WhenModal("", [&](CWnd& popup) {
        EXPECT_NE(dynamic_cast<CMenuPopupWnd&>(popup).FindItem("&Grid"), -1);
        host.Type("g");
    });
    host.PressKey(VK_F10);
    EXPECT_TRUE(ActiveView()->GetDocument()->grid);

    // Alt and the underlined letter open that menu directly.
    CString prompt;
    host.WhenModal("", [&](CWnd& window) {
        auto& popup = dynamic_cast<CMenuPopupWnd&>(window);
        host.MouseMove(CPoint(0, 0));
        CPoint over = popup.ItemRect(popup.FindItem("&Route")).CenterPoint();
        popup.ClientToScreen(&over);
        host.MouseMove(over);
        prompt = Main().statusBar.GetPaneText(0);
        host.PressKey(VK_ESCAPE);
    });
    host.KeyDown(VK_MENU);
    host.PressKey('E');
    host.KeyUp(VK_MENU);
    EXPECT_EQ(prompt, "Routes a command through every target");
    EXPECT_EQ(Main().statusBar.GetPaneText(0), "Ready");

    // Alt let go while its chord's menu is open leaves that menu open and opens no other, also
    // when the desktop reports Alt up and down again as the menu takes the keyboard.
    bool stillOpen = false;
    host.WhenModal("", [&](CWnd& window) {
        host.KeyUp(VK_MENU);
        host.KeyDown(VK_MENU);
        host.KeyUp(VK_MENU);
        stillOpen = IsWindow(&window) && window.InModalLoop();
        host.PressKey(VK_ESCAPE);
    });
    const size_t unanswered = host.UnansweredModals().size();
    host.KeyDown(VK_MENU);
    host.PressKey('E');
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(host.UnansweredModals().size(), unanswered);

    // Alt alone, pressed and released, highlights the first title; Down opens its menu.
    host.PressKey(VK_ESCAPE);
    bool opened = false;
    host.WhenModal("", [&](CWnd& window) {
        opened = dynamic_cast<CMenuPopupWnd&>(window).FindItem("&New") != -1;
        host.PressKey(VK_ESCAPE);
    });
    host.PressKey(VK_MENU);
    EXPECT_FALSE(opened);
    host.PressKey(VK_DOWN);
    EXPECT_TRUE(opened);
}

TEST_F(SampleMdiAppTest, ARightClickOpensTheViewsContextMenu) {
    Command(ID_FILE_NEW);
    CPoint shownAt;
    host.WhenModal("", [&](CWnd& window) {
        auto& popup = dynamic_cast<CMenuPopupWnd&>(window);
        CRect rect;
        popup.GetWindowRect(&rect);
        shownAt = rect.TopLeft();
        host.ClickClient(&popup, popup.ItemRect(popup.FindItem("&Route")).CenterPoint());
    });
    host.ClickClient(ActiveView(), CPoint(30, 40), true);
    CPoint expected(30, 40);
    ActiveView()->ClientToScreen(&expected);
    EXPECT_EQ(shownAt, expected);
    EXPECT_EQ(RouteLog(),
              (std::vector<std::string>{"view", "document", "child frame", "main frame", "application"}));
}

TEST_F(SampleMdiAppTest, TheRecentFilesLiveInTheProfileAndInTheFileMenu) {
    // With no recent files the File menu holds the greyed placeholder.
    WithMenu(0, [&](CMenuPopupWnd& popup) {
        EXPECT_NE(popup.FindItem("Recent File"), -1);
        EXPECT_EQ(StateOf(popup, ID_FILE_MRU_FILE1) & MF_GRAYED, MF_GRAYED);
        host.PressKey(VK_ESCAPE);
    });

    // The list a previous run left in the profile is read at start.
    const CString kept = (folder.Path() / "kept.skt").c_str();
    std::ofstream(kept.c_str(), std::ios::binary) << std::string(4, '\0');
    const CString gone = (folder.Path() / "gone.skt").c_str();
    ASSERT_TRUE(CProfile::Program().WriteProfileString("Recent File List", "File1", gone));
    ASSERT_TRUE(CProfile::Program().WriteProfileString("Recent File List", "File2", kept));
    app.LoadStdProfileSettings(4);
    EXPECT_EQ(app.RecentFiles(), (std::vector<CString>{gone, kept}));

    // Five files opened one after another keep the newest four, written back at once.
    std::vector<CString> names;
    for (int i = 0; i < 5; ++i)
        names.push_back("/layouts/plan" + CString(static_cast<char>('1' + i)) + ".skt");
    for (const CString& name : names) app.AddToRecentFileList(name);
    app.AddToRecentFileList("/LAYOUTS/PLAN3.SKT");
    const std::vector<CString> newest{"/LAYOUTS/PLAN3.SKT", names[4], names[3], names[1]};
    EXPECT_EQ(app.RecentFiles(), newest);
    std::string profile;
    ASSERT_TRUE(ReadWholeFile(folder / "corvane.ini", profile));
    EXPECT_NE(profile.find("[Recent File List]"), std::string::npos);
    EXPECT_NE(profile.find("File1=/LAYOUTS/PLAN3.SKT"), std::string::npos);
    EXPECT_NE(profile.find("File4=/layouts/plan2.skt"), std::string::npos);
    EXPECT_EQ(profile.find("File5"), std::string::npos);
    app.LoadStdProfileSettings(4);
    EXPECT_EQ(app.RecentFiles(), newest);

    // The menu shows them numbered, long names shortened; a file that cannot be opened leaves the list.
    app.AddToRecentFileList(gone);
    app.AddToRecentFileList("/home/someone/model railways/club layouts/the long one.skt");
    WithMenu(0, [&](CMenuPopupWnd& popup) {
        EXPECT_EQ(popup.FindItem("Recent File"), -1);
        EXPECT_NE(popup.FindItem("&1 /home/.../the long one.skt"), -1);
        CString second;
        popup.MenuShown()->GetMenuString(ID_FILE_MRU_FILE2, second, MF_BYCOMMAND);
        EXPECT_EQ(second.Left(3), "&2 ");
        EXPECT_EQ(second.Right(9), "/gone.skt");
        EXPECT_LE(second.GetLength(), 33);
        EXPECT_NE(popup.FindItem("&3 /LAYOUTS/PLAN3.SKT"), -1);
        EXPECT_NE(popup.FindItem("&4 /layouts/plan5.skt"), -1);
        EXPECT_EQ(StateOf(popup, ID_FILE_MRU_FILE4) & MF_GRAYED, 0u);
        host.AnswerMessageBox(IDOK);
        Choose(popup, second);
    });
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(app.RecentFiles().size(), 3u);
    EXPECT_EQ(app.RecentFiles()[1], "/LAYOUTS/PLAN3.SKT");
}

TEST_F(SampleMdiAppTest, FileNewAsksWhichKindWhenThereAreSeveral) {
    static const CStringTable::Entry strings[] = {
        {IDR_SKETCHTYPE + 10, "\nNote\nNote\nNote Files (*.not)\n.not\nNote.Document\nNote Document"},
    };
    CStringTable::Register(strings);
    app.AddDocTemplate(new CMultiDocTemplate(IDR_SKETCHTYPE + 10, RUNTIME_CLASS(SketchDoc),
                                             RUNTIME_CLASS(SketchChild), RUNTIME_CLASS(SketchView)));
    std::vector<CString> offered;
    host.WhenModal("New", [&](CWnd& window) {
        auto& chooser = dynamic_cast<CNewTypeDlg&>(window);
        for (int i = 0; i < chooser.GetCount(); ++i) offered.push_back(chooser.Name(i));
        EXPECT_EQ(chooser.GetCurSel(), 0);
        host.ClickClient(&chooser, chooser.ItemRect(1).CenterPoint());
        EXPECT_EQ(chooser.GetCurSel(), 1);
        host.ClickClient(&chooser, chooser.ButtonRect(IDOK).CenterPoint());
    });
    Command(ID_FILE_NEW);
    EXPECT_EQ(offered, (std::vector<CString>{"Sketch", "Note"}));
    ASSERT_NE(ActiveView(), nullptr);
    EXPECT_EQ(ActiveView()->GetDocument()->GetTitle(), "Note1");

    // Cancel makes nothing; Down and Enter choose by the keyboard.
    host.WhenModal("New", [&](CWnd&) { host.PressKey(VK_ESCAPE); });
    Command(ID_FILE_NEW);
    EXPECT_EQ(app.Templates()[0]->Documents().size(), 0u);
    host.WhenModal("New", [&](CWnd&) {
        host.PressKey(VK_DOWN);
        host.PressKey(VK_UP);
        host.PressKey(VK_RETURN);
    });
    Command(ID_FILE_NEW);
    EXPECT_EQ(ActiveView()->GetDocument()->GetTitle(), "Sketch1");
}

TEST_F(SampleMdiAppTest, CaptionButtonsMaximiseRestoreAndCloseAChild) {
    Command(ID_FILE_NEW);
    CMDIChildWnd* child = Main().MDIGetActive();
    ASSERT_NE(child, nullptr);
    const auto buttonCentre = [&](UINT hit) {
        CRect window;
        child->GetWindowRect(&window);
        const CPoint centre = NonClientPainter::CaptionButtonRect(*child, hit).CenterPoint();
        return CPoint(window.left + centre.x, window.top + centre.y);
    };
    const auto fillsTheClient = [&] {
        CRect area;
        Main().GetMDIClient()->GetClientRect(&area);
        CRect rect;
        child->GetWindowRect(&rect);
        Main().GetMDIClient()->ScreenToClient(&rect);
        return rect == area;
    };
    CRect before;
    child->GetWindowRect(&before);
    host.Click(buttonCentre(HTMAXBUTTON));
    EXPECT_TRUE(child->IsZoomed());
    EXPECT_TRUE(fillsTheClient());
    // A maximised child follows the frame's size.
    Main().MoveWindow(40, 30, 700, 500);
    host.RunUntilIdle();
    EXPECT_TRUE(fillsTheClient());

    // Maximised, its buttons are on the frame's menu bar.
    const CRect restore = NonClientPainter::MenuBarButtonRect(Main(), HTMAXBUTTON);
    CRect frame;
    Main().GetWindowRect(&frame);
    host.Click(CPoint(frame.left + restore.CenterPoint().x, frame.top + restore.CenterPoint().y));
    EXPECT_FALSE(child->IsZoomed());
    CRect after;
    child->GetWindowRect(&after);
    EXPECT_EQ(after, before);

    host.Click(buttonCentre(HTCLOSE));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_TRUE(host.MessageBoxes().empty());
}

// Each child's frame is its own: the raised edge, then face on every ring inside it, so the MDI
// client's dark grey and the pixels of a child's old place never show in it.
TEST_F(SampleMdiAppTest, ChildFramesPaintEveryRingOfTheirBorder) {
    Command(ID_FILE_NEW);
    Command(ID_FILE_NEW);
    const std::vector<CWnd*> children = Main().GetMDIClient()->Children();
    ASSERT_EQ(children.size(), 2u);
    // Moved off the place they opened at, the top one over the upper right of the other.
    children[0]->MoveWindow(10, 60, 200, 150);
    children[1]->MoveWindow(100, 10, 200, 100);
    host.RunUntilIdle();

    const std::map<char, std::uint32_t> colours{{'L', PixelFromColor(GetSysColor(COLOR_3DLIGHT))},
                                                {'W', PixelFromColor(GetSysColor(COLOR_3DHIGHLIGHT))},
                                                {'D', PixelFromColor(GetSysColor(COLOR_3DSHADOW))},
                                                {'K', PixelFromColor(GetSysColor(COLOR_3DDKSHADOW))},
                                                {'.', PixelFromColor(GetSysColor(COLOR_BTNFACE))}};
    CRect frame;
    Main().GetWindowRect(&frame);
    const PixelSurface& pixels = *Main().Surface();
    const auto placeOf = [&](CWnd* child) {
        CRect rect;
        child->GetWindowRect(&rect);
        rect.OffsetRect(-frame.left, -frame.top);
        return rect;
    };
    const CRect topChild = placeOf(children[1]);
    for (CWnd* child : children) {
        const CRect rect = placeOf(child);
        // Face, where the pixel is this child's to show.
        const auto face = [&](int x, int y) {
            const bool hidden = child == children[0] && topChild.PtInRect(CPoint(x, y));
            return hidden || pixels.At(x, y) == colours.at('.');
        };
        // The four rows of each lower corner, top row first, as seen on the screen.
        const auto corner = [&](int left) {
            std::string seen;
            for (int y = rect.bottom - 4; y < rect.bottom; ++y)
                for (int x = left; x < left + 4; ++x) {
                    const auto found = std::find_if(colours.begin(), colours.end(), [&](const auto& each) {
                        return each.second == pixels.At(x, y);
                    });
                    seen += found == colours.end() ? '?' : found->first;
                }
            return seen;
        };
        EXPECT_EQ(corner(rect.left), "LW..LW..LDDDKKKK");
        EXPECT_EQ(corner(rect.right - 4), "..DK..DKDDDKKKKK");
        for (int ring = 2; ring < 4; ++ring) {
            const CRect inner(rect.left + ring, rect.top + ring, rect.right - ring, rect.bottom - ring);
            for (int x = inner.left; x < inner.right; ++x) {
                EXPECT_TRUE(face(x, inner.top)) << x;
                EXPECT_TRUE(face(x, inner.bottom - 1)) << x;
            }
            for (int y = inner.top; y < inner.bottom; ++y) {
                EXPECT_TRUE(face(inner.left, y)) << y;
                EXPECT_TRUE(face(inner.right - 1, y)) << y;
            }
        }
    }
}

// Each new child opens one caption's step further down and right than the one before, and its
// view has the sunken client edge.
TEST_F(SampleMdiAppTest, NewChildrenOpenAtTheNextCascadePlaceWithSunkenViews) {
    for (int i = 0; i < 3; ++i) Command(ID_FILE_NEW);
    const std::vector<CMDIChildWnd*> children = Main().MDIChildren();
    ASSERT_EQ(children.size(), 3u);
    CRect area;
    Main().GetMDIClient()->GetClientRect(&area);
    for (int i = 0; i < 3; ++i) {
        CRect rect;
        children[i]->GetWindowRect(&rect);
        Main().GetMDIClient()->ScreenToClient(&rect);
        EXPECT_EQ(rect.TopLeft(), CPoint(22 * i, 22 * i)) << i;
        EXPECT_EQ(rect.Size(), CSize(area.Width() * 3 / 4, area.Height() * 3 / 4)) << i;
    }

    SketchView* view = ActiveView();
    EXPECT_TRUE(view->GetExStyle() & WS_EX_CLIENTEDGE);
    CRect frame;
    Main().GetWindowRect(&frame);
    CRect edge;
    view->GetWindowRect(&edge);
    edge.OffsetRect(-frame.left, -frame.top);
    const PixelSurface& pixels = *Main().Surface();
    const int middle = edge.CenterPoint().y;
    EXPECT_EQ(pixels.At(edge.left, middle), PixelFromColor(GetSysColor(COLOR_3DSHADOW)));
    EXPECT_EQ(pixels.At(edge.left + 1, middle), PixelFromColor(GetSysColor(COLOR_3DDKSHADOW)));
    EXPECT_EQ(pixels.At(edge.right - 1, middle), PixelFromColor(GetSysColor(COLOR_3DHIGHLIGHT)));
    EXPECT_EQ(pixels.At(edge.right - 2, middle), PixelFromColor(GetSysColor(COLOR_3DLIGHT)));
    EXPECT_EQ(pixels.At(edge.left + 2, middle), PixelFromColor(RGB(255, 255, 255)));
}

TEST_F(SampleMdiAppTest, TheWindowMenuListsTheOpenWindowsAndActivatesTheChosenOne) {
    for (int i = 0; i < 3; ++i) Command(ID_FILE_NEW);
    const std::vector<CMDIChildWnd*> children = Main().MDIChildren();
    ASSERT_EQ(children.size(), 3u);
    const auto listed = [&](CMenuPopupWnd& popup) {
        std::vector<std::string> items;
        for (int i = 0; i < popup.MenuShown()->GetMenuItemCount(); ++i) {
            const UINT id = popup.MenuShown()->GetMenuItemID(i);
            const UINT state = popup.MenuShown()->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION);
            std::string item = id == 0 ? "-" : static_cast<const char*>(popup.MenuShown()->ItemAt(i)->text);
            if (state & MF_CHECKED)
                item += " (checked)";
            if (state & MF_GRAYED)
                item += " (greyed)";
            items.push_back(item);
        }
        return items;
    };
    const std::vector<std::string> commands{"&New Window", "&Cascade", "&Tile", "-"};
    std::vector<std::string> seen;
    WithMenu(2, [&](CMenuPopupWnd& popup) {
        seen = listed(popup);
        Choose(popup, "&1 Sketch1");
    });
    std::vector<std::string> expected = commands;
    for (const char* item : {"&1 Sketch1", "&2 Sketch2", "&3 Sketch3 (checked)"}) expected.push_back(item);
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(Main().MDIGetActive(), children[0]);

    // Opened again, the list is not doubled and the check follows the active window.
    WithMenu(2, [&](CMenuPopupWnd& popup) {
        seen = listed(popup);
        host.PressKey(VK_ESCAPE);
    });
    expected = commands;
    for (const char* item : {"&1 Sketch1 (checked)", "&2 Sketch2", "&3 Sketch3"}) expected.push_back(item);
    EXPECT_EQ(seen, expected);

    // A closed window leaves the list and the others move up.
    children[1]->SendMessage(WM_CLOSE);
    host.RunUntilIdle();
    WithMenu(2, [&](CMenuPopupWnd& popup) {
        seen = listed(popup);
        Choose(popup, "&2 Sketch3");
    });
    expected = commands;
    for (const char* item : {"&1 Sketch1 (checked)", "&2 Sketch3"}) expected.push_back(item);
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(Main().MDIGetActive(), children[2]);
}

// A maximised child has no caption of its own: its icon goes to the left end of the frame's menu
// bar and its minimise, restore and close buttons to the right end.
TEST_F(SampleMdiAppTest, AMaximisedChildMergesIntoTheFramesMenuBar) {
    Command(ID_FILE_NEW);
    Command(ID_FILE_NEW);
    CMDIChildWnd* second = Main().MDIGetActive();
    CMDIChildWnd* first = Main().MDIChildren().front();
    const CRect bar = NonClientPainter::MenuBarRect(Main());
    const int fileLeft = NonClientPainter::MenuBarItemRect(Main(), 0).left;
    EXPECT_TRUE(NonClientPainter::MenuBarButtonRect(Main(), HTCLOSE).IsRectEmpty());
    Main().MDIMaximize(second);
    host.RunUntilIdle();
    ASSERT_TRUE(second->IsZoomed());

    // The child's client area is the whole MDI client; no caption colour shows in it.
    CRect client;
    second->GetClientRect(&client);
    second->ClientToScreen(&client);
    CRect area;
    Main().GetMDIClient()->GetClientRect(&area);
    Main().GetMDIClient()->ClientToScreen(&area);
    EXPECT_EQ(client, area);
    CRect frame;
    Main().GetWindowRect(&frame);
    const PixelSurface& pixels = *Main().Surface();
    const std::uint32_t captionBlue = PixelFromColor(GetSysColor(COLOR_ACTIVECAPTION));
    int blue = 0;
    for (int y = area.top; y < area.top + 20; ++y)
        for (int x = area.left; x < area.right; ++x)
            blue += pixels.At(x - frame.left, y - frame.top) == captionBlue;
    EXPECT_EQ(blue, 0);

    // The icon before "File", the three buttons at the right end of the bar.
    // The 16-pixel icon stands one pixel in, and "File" moves over by the icon and a pixel on
    // either side of it; the icon's pixels are those of the system icon on the menu's grey.
    EXPECT_EQ(NonClientPainter::MenuBarItemRect(Main(), 0).left, fileLeft + 18);
    const std::uint32_t menuGrey = PixelFromColor(GetSysColor(COLOR_MENU));
    int iconPixels = 0;
    for (int y = bar.top; y < bar.bottom; ++y)
        for (int x = bar.left; x < bar.left + 18; ++x) iconPixels += pixels.At(x, y) != menuGrey;
    EXPECT_GT(iconPixels, 100);
    const CRect icon = NonClientPainter::MenuBarIconRect(Main());
    EXPECT_EQ(icon.TopLeft(), CPoint(bar.left + 1, bar.top + (bar.Height() - CaptionGlyphs::kIconSize) / 2));
    Canvas own(CaptionGlyphs::kIconSize, CaptionGlyphs::kIconSize, GetSysColor(COLOR_MENU));
    CaptionGlyphs::DrawSystemIcon(own.dc, CPoint(0, 0));
    for (int y = 0; y < CaptionGlyphs::kIconSize; ++y)
        for (int x = 0; x < CaptionGlyphs::kIconSize; ++x)
            EXPECT_EQ(ColorFromPixel(pixels.At(icon.left + x, icon.top + y)), own.At(x, y)) << x << "," << y;
    const CRect close = NonClientPainter::MenuBarButtonRect(Main(), HTCLOSE);
    const CRect restore = NonClientPainter::MenuBarButtonRect(Main(), HTMAXBUTTON);
    const CRect minimise = NonClientPainter::MenuBarButtonRect(Main(), HTMINBUTTON);
    EXPECT_EQ(close.right, bar.right - 2);
    EXPECT_EQ(restore.right, close.left - 2);
    EXPECT_EQ(minimise.right, restore.left);
    for (const CRect& button : {close, restore, minimise}) {
        EXPECT_EQ(button.Size(), CSize(16, 14));
        EXPECT_EQ(pixels.At(button.left, button.top), PixelFromColor(GetSysColor(COLOR_3DLIGHT)));
        EXPECT_EQ(pixels.At(button.right - 1, button.bottom - 1),
                  PixelFromColor(GetSysColor(COLOR_3DDKSHADOW)));
    }

    // Restore acts on release over it and looks pushed in while held.
    const CPoint restoreAt(frame.left + restore.CenterPoint().x, frame.top + restore.CenterPoint().y);
    host.MouseDown(restoreAt);
    host.RunUntilIdle();
    EXPECT_TRUE(second->IsZoomed());
    EXPECT_EQ(pixels.At(restore.left, restore.top), PixelFromColor(GetSysColor(COLOR_3DDKSHADOW)));
    host.MouseUp(restoreAt);
    host.RunUntilIdle();
    EXPECT_FALSE(second->IsZoomed());
    EXPECT_TRUE(NonClientPainter::MenuBarButtonRect(Main(), HTCLOSE).IsRectEmpty());
    EXPECT_EQ(NonClientPainter::MenuBarItemRect(Main(), 0).left, fileLeft);

    // Another child activated while one is maximised takes the maximised place.
    Main().MDIMaximize(second);
    Main().MDIActivate(first);
    host.RunUntilIdle();
    EXPECT_TRUE(first->IsZoomed());
    EXPECT_FALSE(second->IsZoomed());

    // The menu bar's close button closes the maximised child.
    const CRect closeNow = NonClientPainter::MenuBarButtonRect(Main(), HTCLOSE);
    host.Click(CPoint(frame.left + closeNow.CenterPoint().x, frame.top + closeNow.CenterPoint().y));
    host.RunUntilIdle();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(Main().MDIGetActive(), second);
}

// Minimised, a child shrinks to its caption at the foot of the MDI client, each in the next
// free place, and comes back to where it was.
TEST_F(SampleMdiAppTest, MinimisedChildrenLieAlongTheFootOfTheClient) {
    Command(ID_FILE_NEW);
    Command(ID_FILE_NEW);
    const std::vector<CMDIChildWnd*> children = Main().MDIChildren();
    ASSERT_EQ(children.size(), 2u);
    const auto placeOf = [&](CWnd* child) {
        CRect rect;
        child->GetWindowRect(&rect);
        Main().GetMDIClient()->ScreenToClient(&rect);
        return rect;
    };
    const auto clickButton = [&](CWnd* child, UINT hit) {
        CRect window;
        child->GetWindowRect(&window);
        const CPoint centre = NonClientPainter::CaptionButtonRect(*child, hit).CenterPoint();
        host.Click(CPoint(window.left + centre.x, window.top + centre.y));
        host.RunUntilIdle();
    };
    CRect area;
    Main().GetMDIClient()->GetClientRect(&area);
    const CRect before = placeOf(children[1]);
    clickButton(children[1], HTMINBUTTON);
    ASSERT_TRUE(children[1]->IsIconic());
    const CSize iconic = NonClientPainter::IconicSize(*children[1]);
    EXPECT_EQ(iconic, CSize(160, 26));
    EXPECT_EQ(placeOf(children[1]), CRect(CPoint(0, area.bottom - 26), iconic));
    clickButton(children[0], HTMINBUTTON);
    EXPECT_EQ(placeOf(children[0]), CRect(CPoint(160, area.bottom - 26), iconic));

    // The minimise button of an iconic child restores it.
    clickButton(children[1], HTMINBUTTON);
    EXPECT_FALSE(children[1]->IsIconic());
    EXPECT_EQ(placeOf(children[1]), before);

    // Minimised from the menu bar while maximised, the bar gives its buttons back.
    Main().MDIMaximize(children[1]);
    host.RunUntilIdle();
    CRect frame;
    Main().GetWindowRect(&frame);
    const CPoint minimise = NonClientPainter::MenuBarButtonRect(Main(), HTMINBUTTON).CenterPoint();
    host.Click(CPoint(frame.left + minimise.x, frame.top + minimise.y));
    host.RunUntilIdle();
    EXPECT_TRUE(children[1]->IsIconic());
    EXPECT_FALSE(children[1]->IsZoomed());
    EXPECT_TRUE(NonClientPainter::MenuBarButtonRect(Main(), HTCLOSE).IsRectEmpty());
    EXPECT_EQ(placeOf(children[1]), CRect(CPoint(0, area.bottom - 26), iconic));

    // Cascading and tiling leave the minimised ones where they lie.
    Command(ID_WINDOW_CASCADE);
    Command(ID_WINDOW_TILE_HORZ);
    EXPECT_TRUE(children[0]->IsIconic());
    EXPECT_EQ(placeOf(children[0]), CRect(CPoint(160, area.bottom - 26), iconic));
}

// The system icon opens the window's system menu; its commands act on the window the icon
// stands for, also from the menu bar of a maximised child.
TEST_F(SampleMdiAppTest, TheSystemIconOpensTheSystemMenu) {
    Command(ID_FILE_NEW);
    CMDIChildWnd* child = Main().MDIGetActive();
    const auto states = [&](CMenuPopupWnd& popup) {
        std::string seen;
        for (const char* item : {"&Restore", "Mi&nimize", "Ma&ximize", "&Close"}) {
            const int index = popup.FindItem(item);
            if (index < 0)
                return std::string("missing ") + item;
            const bool greyed =
                popup.MenuShown()->GetMenuState(static_cast<UINT>(index), MF_BYPOSITION) & MF_GRAYED;
            seen += greyed ? '-' : '+';
        }
        return seen;
    };
    std::string seen;
    host.WhenModal("", [&](CWnd& popup) {
        seen = states(dynamic_cast<CMenuPopupWnd&>(popup));
        Choose(dynamic_cast<CMenuPopupWnd&>(popup), "Ma&ximize");
    });
    CRect window;
    child->GetWindowRect(&window);
    const CPoint icon = NonClientPainter::CaptionButtonRect(*child, HTSYSMENU).CenterPoint();
    host.Click(CPoint(window.left + icon.x, window.top + icon.y));
    host.RunUntilIdle();
    EXPECT_EQ(seen, "-+++");
    ASSERT_TRUE(child->IsZoomed());

    host.WhenModal("", [&](CWnd& popup) {
        seen = states(dynamic_cast<CMenuPopupWnd&>(popup));
        Choose(dynamic_cast<CMenuPopupWnd&>(popup), "&Restore");
    });
    CRect frame;
    Main().GetWindowRect(&frame);
    const CPoint barIcon = NonClientPainter::MenuBarIconRect(Main()).CenterPoint();
    host.Click(CPoint(frame.left + barIcon.x, frame.top + barIcon.y));
    host.RunUntilIdle();
    EXPECT_EQ(seen, "++-+");
    EXPECT_FALSE(child->IsZoomed());
    EXPECT_TRUE(IsWindow(child));
}

TEST_F(SampleMdiAppTest, ADocumentGoesWithTheLastWindowShowingIt) {
    Command(ID_FILE_NEW);
    CMDIChildWnd* first = Main().MDIGetActive();
    CDocument* document = ActiveView()->GetDocument();
    Command(ID_WINDOW_NEW);
    CMDIChildWnd* second = Main().MDIGetActive();
    ASSERT_NE(first, second);

    // Destroying a window without asking leaves the document while another window shows it.
    first->DestroyWindow();
    host.RunUntilIdle();
    ASSERT_EQ(app.Templates().front()->Documents().size(), 1u);
    EXPECT_EQ(app.Templates().front()->Documents().front(), document);
    EXPECT_EQ(document->Views().size(), 1u);

    second->DestroyWindow();
    host.RunUntilIdle();
    EXPECT_TRUE(app.Templates().front()->Documents().empty());
}

// Each window of the program takes a press, and the keyboard moves to another before the release.
TEST_F(SampleMdiAppTest, AKeyReleaseGoesOnlyToTheWindowThatTookItsPressWhileThatWindowLives) {
    Command(ID_FILE_NEW);
    std::vector<CWnd*> windows{&Main()};
    for (size_t each = 0; each < windows.size(); ++each)
        for (CWnd* child : windows[each]->Children()) windows.push_back(child);
    for (CWnd* window : windows) {
        window->SetFocus();
        CWnd* pressedIn = GetFocus();
        host.KeyDown(VK_DOWN);
        for (auto other = windows.begin(); other != windows.end() && GetFocus() == pressedIn; ++other)
            (*other)->SetFocus();
        Main().keyReleases.clear();
        host.KeyUp(VK_DOWN);
        EXPECT_EQ(Main().keyReleases, std::vector<CWnd*>{pressedIn}) << typeid(*window).name();
    }
    // Ctrl+F4 closes the child window that took both keys; the last release had no press at all.
    ActiveView()->SetFocus();
    host.KeyDown(VK_CONTROL);
    host.KeyDown(VK_F4);
    Main().keyReleases.clear();
    for (UINT key : {VK_F4, VK_CONTROL, VK_RIGHT}) host.KeyUp(key);
    EXPECT_TRUE(Main().keyReleases.empty());
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
}

// The frame told that the keyboard left the program (or came back) shows it in its own caption
// and in its active child's; the other child's stays inactive throughout.
TEST_F(SampleMdiAppTest, TheActiveChildsCaptionFollowsTheFrames) {
    Command(ID_FILE_NEW);
    Command(ID_FILE_NEW);
    CRect frame;
    Main().GetWindowRect(&frame);
    // A caption's colour just left of its minimise button, where no title reaches.
    const auto caption = [&](const CWnd& window) {
        CRect place;
        window.GetWindowRect(&place);
        const CRect minimise = NonClientPainter::CaptionButtonRect(window, HTMINBUTTON);
        return ColorFromPixel(Main().Surface()->At(place.left - frame.left + minimise.left - 4,
                                                   place.top - frame.top + minimise.CenterPoint().y));
    };
    const std::vector<CMDIChildWnd*> children = Main().MDIChildren();
    ASSERT_EQ(children.size(), 2u);
    const COLORREF active = GetSysColor(COLOR_ACTIVECAPTION), inactive = GetSysColor(COLOR_INACTIVECAPTION);
    for (const BOOL keyboardIn : {FALSE, TRUE, FALSE, TRUE}) {
        Main().SendMessage(WM_NCACTIVATE, keyboardIn);
        const COLORREF expected = keyboardIn ? active : inactive;
        EXPECT_EQ(caption(Main()), expected);
        EXPECT_EQ(caption(*Main().MDIGetActive()), expected);
        EXPECT_EQ(caption(*children.front()), inactive);
    }
}
