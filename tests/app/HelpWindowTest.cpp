#include <algorithm>
#include <set>

#include "platform/ctl/CDialog.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/Cursors.h"
#include "platform/win/NonClientPainter.h"
#include "resources/CommandIds.h"
#include "shell/CHelpWindow.h"
#include "shell/ContextHelpCursor.h"
#include "tests/app/RunningProgram.h"

namespace {

class HelpWindow : public RunningProgram {
  protected:
    CHelpWindow* Help() { return Main().GetHelpWindow(); }
    CString TopicShown() { return Help() ? Help()->CurrentTopic() : CString("(no help window)"); }
    // The topic the help window shows after F1 in the dialog a command opens.
    CString TopicOfF1In(UINT command, const char* caption) {
        bool opened = false;
        host.WhenModal(caption, [&](CWnd& modal) {
            opened = true;
            host.PressKey(VK_F1);
            host.RunUntilIdle();
            modal.SendMessage(WM_COMMAND, IDCANCEL);
        });
        Main().SendMessage(WM_COMMAND, command);
        host.RunUntilIdle();
        EXPECT_TRUE(opened) << caption;
        return TopicShown();
    }
    CPoint ToolBarButtonCentre(CToolBarEx& bar, UINT command) {
        CRect item;
        bar.GetItemRect(bar.CommandToIndex(command), &item);
        CPoint centre = item.CenterPoint();
        bar.ClientToScreen(&centre);
        return centre;
    }
    void PressShiftF1() {
        host.KeyDown(VK_SHIFT);
        host.PressKey(VK_F1);
        host.KeyUp(VK_SHIFT);
        host.RunUntilIdle();
    }
    // The screen point of the middle of a laid-out word of the topic view.
    CPoint WordCentre(const CHelpTopicView::Word& word) {
        CPoint centre = word.rect.CenterPoint();
        centre.y -= Help()->TopicView().ScrollOffset();
        Help()->TopicView().ClientToScreen(&centre);
        return centre;
    }
};

}  // namespace

TEST_F(HelpWindow, HelpTopicsAndF1OpenTheContentsAndAClickedLinkOpensItsTopic) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(IsEnabled(ID_HELP_FINDER));
    EXPECT_EQ(Help(), nullptr);
    host.PressKey(VK_F1);
    host.RunUntilIdle();
    ASSERT_NE(Help(), nullptr);
    EXPECT_TRUE(Help()->IsWindowVisible());
    EXPECT_EQ(TopicShown(), "start");
    // The contents: a chapter per menu, the topics under them, the shown one selected.
    CTreeCtrl& contents = Help()->Contents();
    EXPECT_EQ(contents.GetItemText(contents.GetRootItem()), "Getting started");
    EXPECT_EQ(contents.GetItemText(contents.GetSelectedItem()), "Welcome to Corvane");
    EXPECT_GT(contents.GetCount(), 150U);

    const std::vector<CHelpTopicView::Word>& words = Help()->TopicView().Words();
    const auto link = std::find_if(words.begin(), words.end(),
                                   [](const auto& word) { return word.link == "first-layout"; });
    ASSERT_NE(link, words.end());
    EXPECT_EQ(link->text, "Your");
    host.Click(WordCentre(*link));
    host.RunUntilIdle();
    EXPECT_EQ(TopicShown(), "first-layout");
    EXPECT_EQ(contents.GetItemText(contents.GetSelectedItem()), "Your first layout");

    // Choosing a topic in the contents shows it; closing hides the window, Help Topics brings it back.
    CTreeCtrl& tree = contents;
    HTREEITEM chapter = tree.GetNextSiblingItem(tree.GetRootItem());
    tree.SelectItem(tree.GetChildItem(chapter));
    host.RunUntilIdle();
    EXPECT_EQ(TopicShown(), "main-window");
    Help()->SendMessage(WM_CLOSE);
    EXPECT_FALSE(Help()->IsWindowVisible());
    Main().SendMessage(WM_COMMAND, ID_HELP_FINDER);
    EXPECT_TRUE(Help()->IsWindowVisible());
}

TEST_F(HelpWindow, EscapeAndAltF4CloseItFromTheContentsAndTheTopic) {
    ASSERT_TRUE(Start());
    for (const bool altF4 : {false, true})
        for (CWnd* (*focus)(CHelpWindow&) : {+[](CHelpWindow& help) -> CWnd* { return &help.Contents(); },
                                            +[](CHelpWindow& help) -> CWnd* { return &help.TopicView(); }}) {
            host.PressKey(VK_F1);
            host.RunUntilIdle();
            ASSERT_TRUE(Help() && Help()->IsWindowVisible());
            focus(*Help())->SetFocus();
            if (altF4)
                host.KeyDown(VK_MENU);
            host.PressKey(altF4 ? VK_F4 : VK_ESCAPE);
            if (altF4)
                host.KeyUp(VK_MENU);
            host.RunUntilIdle();
            EXPECT_FALSE(Help()->IsWindowVisible()) << (altF4 ? "Alt+F4" : "Escape");
            EXPECT_EQ(WindowManager::Instance().GetActiveWindow(), &Main());
            EXPECT_EQ(CMenuPopupWnd::Current(), nullptr);
        }
}

TEST_F(HelpWindow, F1InADialogOpensThatDialogsTopic) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(TopicOfF1In(ID_DOCUMENT_SETUP, "Document setup"), "document-setup");
    EXPECT_EQ(TopicOfF1In(ID_LAYERS, "Layer properties"), "layers");
    // In a sheet of pages, the page shown answers.
    EXPECT_EQ(TopicOfF1In(ID_PREFERENCES, "Preferences"), "preferences-units");
}

TEST_F(HelpWindow, F1InACommonDialogOpensTheTopicOfTheCommandThatOpenedIt) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(TopicOfF1In(ID_FILE_PRINT_SETUP, "Print Setup"), "print-setup");
    EXPECT_EQ(TopicOfF1In(ID_FILE_PRINT, "Print"), "file-print");
}

// A close request from the desktop or a close box asks about changes as the command it stands for
// does, and F1 in the question opens that command's topic.
TEST_F(HelpWindow, F1InTheQuestionOfACloseRequestOpensTheTopicOfItsCommand) {
    ASSERT_TRUE(Start());
    for (const bool program : {false, true}) {
        ActiveLayout()->SetModifiedFlag(TRUE);
        host.WhenModal("", [&](CWnd& question) {
            host.PressKey(VK_F1);
            question.SendMessage(WM_COMMAND, IDCANCEL);
        });
        CWnd& closed = program ? static_cast<CWnd&>(Main()) : *Main().MDIGetActive();
        closed.PostMessage(WM_CLOSE);
        host.RunUntilIdle();
        EXPECT_EQ(TopicShown(), program ? "exit" : "file-close");
        ASSERT_TRUE(IsWindow(&Main()));
        Help()->SendMessage(WM_CLOSE);
    }
}

// The help asked for in a dialog closes by Escape and by its close box; each time the dialog has
// the keyboard again (its Escape cancels it), and the window behind it never had it.
TEST_F(HelpWindow, ClosingTheHelpOpenedFromADialogGivesTheKeyboardBackToTheDialog) {
    ASSERT_TRUE(Start());
    for (const bool byEscape : {true, false})
        for (const UINT command : std::initializer_list<UINT>{ID_DOCUMENT_SETUP, ID_FILE_PRINT_SETUP}) {
            bool cancelled = false;
            host.WhenModal("", [&](CWnd& modal) {
                host.PressKey(VK_F1);
                ASSERT_TRUE(Help() && Help()->IsWindowVisible());
                EXPECT_EQ(WindowManager::Instance().GetActiveWindow(), Help());
                if (byEscape)
                    host.PressKey(VK_ESCAPE);
                else
                    Help()->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
                host.RunUntilIdle();
                EXPECT_FALSE(Help()->IsWindowVisible());
                EXPECT_EQ(WindowManager::Instance().GetActiveWindow(), &modal);
                EXPECT_TRUE(modal.IsChild(GetFocus())) << (byEscape ? "Escape" : "close box");
                // The window behind the dialog takes neither activation nor the keys.
                Main().SetActiveWindow();
                Main().SetFocus();
                EXPECT_EQ(WindowManager::Instance().GetActiveWindow(), &modal);
                EXPECT_TRUE(modal.IsChild(GetFocus()));
                host.PressKey(VK_ESCAPE);
                cancelled = !modal.InModalLoop();
            });
            Main().SendMessage(WM_COMMAND, command);
            host.RunUntilIdle();
            EXPECT_TRUE(cancelled) << "Escape did not reach the dialog of command " << command;
            EXPECT_EQ(WindowManager::Instance().GetActiveWindow(), &Main());
        }
}

TEST_F(HelpWindow, ShiftF1ThenAClickOnAToolBarButtonOpensItsTopicInsteadOfRunningIt) {
    ASSERT_TRUE(Start());
    const CPoint zoomIn = ToolBarButtonCentre(Main().GetMainToolBar(), ID_TOOL_ZOOM_IN);
    const CPoint line = ToolBarButtonCentre(Main().GetToolsToolBar(), ID_TOOL_LINE);
    PressShiftF1();
    EXPECT_TRUE(Main().IsInContextHelp());
    EXPECT_EQ(host.ShownCursor(), LoadContextHelpCursor());
    host.MouseMove(line);
    EXPECT_EQ(host.ShownCursor(), LoadContextHelpCursor());
    host.Click(line);
    host.RunUntilIdle();
    EXPECT_FALSE(Main().IsInContextHelp());
    EXPECT_EQ(TopicShown(), "tool-line");
    EXPECT_FALSE(IsChecked(ID_TOOL_LINE));

    // Esc gives up: nothing opens, and the next click is an ordinary one.
    Help()->SendMessage(WM_CLOSE);
    PressShiftF1();
    host.PressKey(VK_ESCAPE);
    EXPECT_FALSE(Main().IsInContextHelp());
    EXPECT_NE(host.ShownCursor(), LoadContextHelpCursor());
    host.AdvanceClock(1000);
    host.Click(line);
    host.RunUntilIdle();
    EXPECT_FALSE(Help()->IsWindowVisible());
    EXPECT_TRUE(IsChecked(ID_TOOL_LINE));

    // A click on the plan window names the window.
    PressShiftF1();
    host.ClickClient(Main().MDIGetActive()->GetActiveView(), CPoint(200, 200));
    host.RunUntilIdle();
    EXPECT_EQ(TopicShown(), "plan-window");
    Help()->SendMessage(WM_CLOSE);
    PressShiftF1();
    host.Click(zoomIn);
    EXPECT_EQ(TopicShown(), "tool-zoom");
}

TEST_F(HelpWindow, ShiftF1ThenAMenuEntryOpensItsTopicEvenWhenTheEntryIsGreyed) {
    ASSERT_TRUE(Start());
    ASSERT_FALSE(IsEnabled(ID_EDIT_UNDO));
    const int undo = 0;
    // A greyed entry takes no click, unless the menu was opened for help.
    host.WhenModal("", [&](CWnd& window) {
        auto& popup = dynamic_cast<CMenuPopupWnd&>(window);
        host.ClickClient(&popup, popup.ItemRect(undo).CenterPoint());
    });
    PressShiftF1();
    CRect frame;
    Main().GetWindowRect(&frame);
    const int editMenu = 1;
    host.Click(NonClientPainter::MenuBarItemRect(Main(), editMenu).CenterPoint() + frame.TopLeft());
    host.RunUntilIdle();
    EXPECT_EQ(TopicShown(), "undo");
    EXPECT_FALSE(Main().IsInContextHelp());

    // A menu closed without a choice ends the mode too.
    Help()->SendMessage(WM_CLOSE);
    host.WhenModal("", [&](CWnd& window) { window.EndModalLoop(0); });
    PressShiftF1();
    host.Click(NonClientPainter::MenuBarItemRect(Main(), editMenu).CenterPoint() + frame.TopLeft());
    host.RunUntilIdle();
    EXPECT_FALSE(Main().IsInContextHelp());
    EXPECT_FALSE(Help()->IsWindowVisible());
    EXPECT_FALSE(IsEnabled(ID_EDIT_UNDO));
}

TEST_F(HelpWindow, TheTopicIsDrawnAsHeadingsWrappedParagraphsAndUnderlinedLinks) {
    ASSERT_TRUE(Start());
    Main().ShowHelpTopic("start");
    host.RunUntilIdle();
    CHelpTopicView& view = Help()->TopicView();
    CRect client;
    view.GetClientRect(&client);
    const std::vector<CHelpTopicView::Word>& words = view.Words();
    ASSERT_FALSE(words.empty());
    std::set<int> paragraphLines;
    for (const CHelpTopicView::Word& word : words) {
        EXPECT_LE(word.rect.right, client.right) << word.text.c_str();
        if (word.style == CHelpTopicView::Word::Style::Heading)
            break;
        if (word.style != CHelpTopicView::Word::Style::Title)
            paragraphLines.insert(word.rect.top);
    }
    // The first paragraph is longer than the view is wide: it wraps onto more lines.
    EXPECT_GE(paragraphLines.size(), 2U);

    const PixelSurface& pixels = *Help()->Surface();
    CRect window;
    Help()->GetWindowRect(&window);
    auto count = [&](const CHelpTopicView::Word& word, auto matches) {
        CRect rect = word.rect - CPoint(0, view.ScrollOffset());
        view.ClientToScreen(&rect);
        rect.OffsetRect(-window.left, -window.top);
        int found = 0;
        for (int y = rect.top; y < rect.bottom + 2; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                if (pixels.Contains(x, y) && matches(pixels.At(x, y)))
                    ++found;
        return found;
    };
    const auto style = [&](CHelpTopicView::Word::Style wanted) {
        return *std::find_if(words.begin(), words.end(),
                             [&](const auto& word) { return word.style == wanted; });
    };
    const std::uint32_t link = PixelFromColor(RGB(0, 0, 255));
    const std::uint32_t heading = PixelFromColor(RGB(0, 0, 128));
    const std::uint32_t ink = PixelFromColor(RGB(0, 0, 0));
    const auto& linkWord = style(CHelpTopicView::Word::Style::Link);
    // The underline of a link runs the width of the word in the link's blue.
    EXPECT_GE(count(linkWord, [&](std::uint32_t p) { return p == link; }), linkWord.rect.Width());
    EXPECT_GT(count(style(CHelpTopicView::Word::Style::Title), [&](std::uint32_t p) { return p == heading; }),
              20);
    EXPECT_GT(
        count(style(CHelpTopicView::Word::Style::Heading), [&](std::uint32_t p) { return p == heading; }),
        10);
    EXPECT_GT(count(style(CHelpTopicView::Word::Style::Body), [&](std::uint32_t p) { return p == ink; }), 10);
}

// Opened by F1, the help gives the keys to the contents, where Down goes to the next topic;
// Tab takes them to the text and back.
TEST_F(HelpWindow, TheContentsHaveTheKeysFirstAndTabGoesToTheText) {
    ASSERT_TRUE(Start());
    host.PressKey(VK_F1);
    ASSERT_NE(Help(), nullptr);
    EXPECT_EQ(TopicShown(), "start");
    host.PressKey(VK_DOWN);
    EXPECT_EQ(TopicShown(), "first-layout");
    host.PressKey(VK_TAB);
    EXPECT_EQ(CWnd::GetFocus(), &Help()->TopicView());
    host.PressKey(VK_TAB);
    EXPECT_EQ(CWnd::GetFocus(), &Help()->Contents());
}

// The topic's text scrolls by the keys a reader uses and by the wheel over it, even while the
// contents have the keys.
TEST_F(HelpWindow, TheTopicScrollsByItsKeysAndByTheWheelOverIt) {
    ASSERT_TRUE(Start());
    Main().ShowHelpTopic("first-layout");
    host.RunUntilIdle();
    host.PressKey(VK_TAB);
    CHelpTopicView& text = Help()->TopicView();
    const auto scrolledBy = [&](UINT key) {
        host.PressKey(key);
        return text.ScrollOffset();
    };
    const int end = scrolledBy(VK_END);
    EXPECT_GT(end, 0);
    EXPECT_EQ(scrolledBy(VK_HOME), 0);
    EXPECT_EQ(scrolledBy(VK_DOWN), 20);
    EXPECT_EQ(scrolledBy(VK_UP), 0);
    EXPECT_GT(scrolledBy(VK_NEXT), 20);
    EXPECT_EQ(scrolledBy(VK_PRIOR), 0);
    Help()->Contents().SetFocus();
    CRect area;
    text.GetWindowRect(&area);
    WindowManager::Instance().WheelInput(-120, area.CenterPoint());
    EXPECT_EQ(text.ScrollOffset(), 60);
}
