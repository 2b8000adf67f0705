#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/ctl/CButton.h"
#include "platform/ctl/CMessageBoxWnd.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/WindowManager.h"
#include "tests/support/TestPictures.h"

namespace {
class MessageBoxTest : public ::testing::Test {
  protected:
    void SetUp() override { WindowManager::Instance().Reset(); }
    void TearDown() override {
        EXPECT_TRUE(host.UnansweredModals().empty());
        WindowManager::Instance().Reset();
    }

    // Shows a box of type, lets action work it, and answers what the box answered.
    int Show(const CString& text, UINT type, const std::function<void(CMessageBoxWnd&)>& action) {
        host.WhenModal("", [&](CWnd& box) { action(dynamic_cast<CMessageBoxWnd&>(box)); });
        return AfxMessageBox(text, type);
    }
    static CButton* ButtonOf(CMessageBoxWnd& box, int id) {
        return dynamic_cast<CButton*>(box.GetDlgItem(id));
    }
    // The colour a window shows at one of its window points.
    static COLORREF Shown(CWnd& window, CPoint point) {
        CWnd* top = window.GetTopLevelParent();
        CRect rect;
        CRect topRect;
        window.GetWindowRect(&rect);
        top->GetWindowRect(&topRect);
        const CPoint at = point + (rect.TopLeft() - topRect.TopLeft());
        return ColorFromPixel(top->Surface()->At(at.x, at.y));
    }
    // The colours of the box's icon, counted, with the icon's top-left corner in window coordinates.
    static std::map<COLORREF, int> IconColours(CMessageBoxWnd& box,
                                               std::set<std::pair<int, int>>* inked = nullptr) {
        CPoint corner = box.IconRect().TopLeft();
        CRect window;
        box.GetWindowRect(&window);
        box.ClientToScreen(&corner);
        corner -= window.TopLeft();
        std::map<COLORREF, int> counts;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const COLORREF colour = Shown(box, corner + CPoint(x, y));
                ++counts[colour];
                if (inked && colour == RGB(0, 0, 255))
                    inked->insert({x, y});
            }
        return counts;
    }

    HeadlessHost host;
};
}  // namespace

TEST_F(MessageBoxTest, LongTextIsWrappedToABoxThatFitsTheScreen) {
    CString text;
    while (text.GetLength() < 1200) text += "The layout file could not be read completely. ";
    text = text.Left(1200);
    // Over a small owner near the screen's left edge.
    CWnd owner;
    ASSERT_TRUE(owner.Create(nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 210, 110),
                             nullptr, 0));
    CRect shown;
    Show(text, MB_OK | MB_ICONSTOP, [&](CMessageBoxWnd& box) {
        box.GetWindowRect(&shown);
        box.EndModalLoop(IDOK);
    });
    const CSize screen = host.ScreenSize();
    EXPECT_LE(shown.Width(), screen.cx * 3 / 4);
    EXPECT_GE(shown.left, 0);
    EXPECT_LE(shown.bottom, screen.cy);
    // Every line of the wrapped text has its room: more than a dozen lines of 13 pixels.
    EXPECT_GE(shown.Height(), 12 * 13);
    // A short text keeps a small box.
    Show("Saved.", MB_OK, [&](CMessageBoxWnd& box) {
        box.GetWindowRect(&shown);
        box.EndModalLoop(IDOK);
    });
    EXPECT_LE(shown.Width(), 200);
    EXPECT_NEAR(shown.CenterPoint().x, 110, 1);
    owner.DestroyWindow();
}

TEST_F(MessageBoxTest, TheKeyboardAnswersAsClassicBoxesDo) {
    // Escape: OK in a box with only OK, Cancel where there is one; nothing in a Yes/No box.
    EXPECT_EQ(Show("Done.", MB_OK, [&](CMessageBoxWnd&) { host.PressKey(VK_ESCAPE); }), IDOK);
    EXPECT_EQ(Show("Go on?", MB_OKCANCEL, [&](CMessageBoxWnd&) { host.PressKey(VK_ESCAPE); }), IDCANCEL);
    EXPECT_EQ(Show("Save?", MB_YESNOCANCEL, [&](CMessageBoxWnd&) { host.PressKey(VK_ESCAPE); }), IDCANCEL);
    EXPECT_EQ(Show("Replace it?", MB_YESNO,
                   [&](CMessageBoxWnd& box) {
                       host.PressKey(VK_ESCAPE);
                       EXPECT_TRUE(box.InModalLoop());
                       // The underlined letter presses its button.
                       host.PressKey('N');
                   }),
              IDNO);
    EXPECT_EQ(Show("Save?", MB_YESNOCANCEL,
                   [&](CMessageBoxWnd&) {
                       host.KeyDown(VK_MENU);
                       host.PressKey('Y');
                       host.KeyUp(VK_MENU);
                   }),
              IDYES);
    // Alt+F4 closes as the close box does: Cancel where there is one, nothing in a Yes/No box.
    const auto altF4 = [&] {
        host.KeyDown(VK_MENU);
        host.PressKey(VK_F4);
        host.KeyUp(VK_MENU);
        host.RunUntilIdle();
    };
    EXPECT_EQ(Show("Save?", MB_YESNOCANCEL, [&](CMessageBoxWnd&) { altF4(); }), IDCANCEL);
    EXPECT_EQ(Show("Replace it?", MB_YESNO,
                   [&](CMessageBoxWnd& box) {
                       altF4();
                       EXPECT_TRUE(box.InModalLoop());
                       host.PressKey('N');
                   }),
              IDNO);
    // Alt+Ctrl+F4 is no such key: the box stays.
    EXPECT_EQ(Show("Go on?", MB_OKCANCEL,
                   [&](CMessageBoxWnd& box) {
                       host.KeyDown(VK_CONTROL);
                       altF4();
                       host.KeyUp(VK_CONTROL);
                       EXPECT_TRUE(box.InModalLoop());
                       host.PressKey(VK_RETURN);
                   }),
              IDOK);

    // Tab walks the buttons; Enter presses the one with the focus.
    EXPECT_EQ(Show("Go on?", MB_OKCANCEL,
                   [&](CMessageBoxWnd& box) {
                       EXPECT_EQ(GetFocus(), ButtonOf(box, IDOK));
                       host.PressKey(VK_TAB);
                       EXPECT_EQ(GetFocus(), ButtonOf(box, IDCANCEL));
                       host.PressKey(VK_TAB);
                       EXPECT_EQ(GetFocus(), ButtonOf(box, IDOK));
                       host.KeyDown(VK_SHIFT);
                       host.PressKey(VK_TAB);
                       host.KeyUp(VK_SHIFT);
                       host.PressKey(VK_RETURN);
                   }),
              IDCANCEL);
}

namespace {
// A child window that holds the mouse, as a view drawing a shape does, and counts how often
// its tracking was cancelled.
class TrackingPane : public CWnd {
  public:
    int cancelled = 0;

  protected:
    void OnCancelMode() override {
        ++cancelled;
        CWnd::OnCancelMode();
    }
};
}  // namespace

TEST_F(MessageBoxTest, ABoxTakesTheMouseFromTheWindowThatHeldIt) {
    CWnd owner;
    ASSERT_TRUE(owner.Create(nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 610, 410),
                             nullptr, 0));
    TrackingPane pane;
    ASSERT_TRUE(pane.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 380), &owner, 1));
    pane.SetCapture();
    const int answer = Show("Error.", MB_OK, [&](CMessageBoxWnd& box) {
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        CRect ok;
        ButtonOf(box, IDOK)->GetClientRect(&ok);
        host.ClickClient(ButtonOf(box, IDOK), ok.CenterPoint());
        EXPECT_FALSE(box.InModalLoop());
    });
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(pane.cancelled, 1);
}

TEST_F(MessageBoxTest, TheButtonsArePushButtonsShowingTheDefaultAndTheFocus) {
    Show("Save changes?", MB_YESNOCANCEL, [&](CMessageBoxWnd& box) {
        CButton* yes = ButtonOf(box, IDYES);
        CButton* no = ButtonOf(box, IDNO);
        ASSERT_NE(yes, nullptr);
        ASSERT_NE(no, nullptr);
        ASSERT_NE(ButtonOf(box, IDCANCEL), nullptr);
        EXPECT_EQ(yes->GetButtonStyle(), static_cast<DWORD>(BS_DEFPUSHBUTTON));
        const COLORREF frame = GetSysColor(COLOR_3DDKSHADOW);
        // The default button has the dark outer border and the dotted focus rectangle inside.
        EXPECT_EQ(Shown(*yes, CPoint(0, 0)), frame);
        EXPECT_NE(Shown(*no, CPoint(0, 0)), frame);
        CRect client;
        yes->GetClientRect(&client);
        int dots = 0;
        for (int x = 4; x < client.right - 4; ++x)
            if (Shown(*yes, CPoint(x, 4)) != GetSysColor(COLOR_BTNFACE))
                ++dots;
        EXPECT_GE(dots, (client.Width() - 8) / 3);
        host.PressKey(VK_TAB);
        EXPECT_NE(Shown(*yes, CPoint(0, 0)), frame);
        EXPECT_EQ(Shown(*no, CPoint(0, 0)), frame);
        // A click on a button answers with it.
        host.ClickClient(&box, box.ButtonRect(2).CenterPoint());
    });
    ASSERT_FALSE(host.MessageBoxes().empty());
    EXPECT_EQ(host.MessageBoxes().back().type, static_cast<UINT>(MB_YESNOCANCEL));
}

TEST_F(MessageBoxTest, TheFourIconsAreTheirClassicPictures) {
    const COLORREF red = RGB(255, 0, 0);
    const COLORREF yellow = RGB(255, 255, 0);
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF blue = RGB(0, 0, 255);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    std::map<UINT, std::map<COLORREF, int>> colours;
    std::map<UINT, std::set<std::pair<int, int>>> glyphs;
    for (const UINT icon : {MB_ICONSTOP, MB_ICONEXCLAMATION, MB_ICONQUESTION, MB_ICONINFORMATION})
        Show("Look at the icon.", MB_OK | icon, [&](CMessageBoxWnd& box) {
            colours[icon] = IconColours(box, &glyphs[icon]);
            box.EndModalLoop(IDOK);
        });
    // Stop: a red disc with a white cross.
    EXPECT_GE(colours[MB_ICONSTOP][red], 400);
    EXPECT_GE(colours[MB_ICONSTOP][white], 40);
    // Exclamation: a yellow triangle with a black mark; the corners above it stay the face colour.
    EXPECT_GE(colours[MB_ICONEXCLAMATION][yellow], 200);
    EXPECT_GE(colours[MB_ICONEXCLAMATION][RGB(0, 0, 0)], 60);
    EXPECT_GE(colours[MB_ICONEXCLAMATION][face], 200);
    // Question and information: a white balloon with a blue sign, and the signs differ.
    for (const UINT icon : {MB_ICONQUESTION, MB_ICONINFORMATION}) {
        EXPECT_GE(colours[icon][white], 350) << icon;
        EXPECT_GE(colours[icon][blue], 20) << icon;
        EXPECT_EQ(colours[icon][red], 0) << icon;
    }
    EXPECT_NE(glyphs[MB_ICONQUESTION], glyphs[MB_ICONINFORMATION]);
}

// Writes every kind of box into the test pictures' folder, to be looked at; nothing unless asked.
TEST_F(MessageBoxTest, GalleryWhenAsked) {
    if (TestPicturePath("box").IsEmpty())
        GTEST_SKIP() << "no test pictures asked for";
    int written = 0;
    for (const UINT type : {MB_OK | MB_ICONSTOP, MB_OKCANCEL | MB_ICONEXCLAMATION,
                            MB_YESNOCANCEL | MB_ICONQUESTION, MB_YESNO | MB_ICONINFORMATION})
        Show(
            "Each classic icon beside a message that is long enough to be wrapped onto a second line "
            "of text, and the buttons below it.",
            type, [&](CMessageBoxWnd& box) {
                CString name;
                name.Format("box-%u.png", type);
                if (host.DumpWindow(&box, TestPicturePath(name)))
                    ++written;
                box.EndModalLoop(IDCANCEL);
            });
    EXPECT_EQ(written, 4);
}
