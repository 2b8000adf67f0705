#include <array>

#include "platform/ctl/CButton.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/CListBox.h"
#include "platform/ctl/CSliderCtrl.h"
#include "platform/ctl/CSpinButtonCtrl.h"
#include "platform/ctl/ControlFactory.h"
#include "platform/ctl/ControlPainting.h"
#include "platform/ctl/DialogTemplate.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "tests/ctl/ListControlFixture.h"

namespace {
constexpr UINT kControlId = 601;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

class ControlLookTest : public ListControlTest {
  protected:
    COLORREF Face() const { return GetSysColor(COLOR_BTNFACE); }
    // A window's own pixel, from its top left corner (frame included).
    COLORREF WindowColorAt(CWnd& window, int x, int y) {
        const CRect insets = window.NonClientInsets();
        return ColorAt(window, CPoint(x - insets.left, y - insets.top));
    }
    // Counts the pixels of a colour inside a client rectangle.
    int Count(CWnd& window, const CRect& rect, COLORREF colour) {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                count += ColorAt(window, CPoint(x, y)) == colour ? 1 : 0;
        return count;
    }
};

// The classic radio button, one letter a pixel: g shadow, D dark shadow, w window, W highlight,
// L light, x the dot (window colour when unchecked), . the face around it.
constexpr std::array<const char*, 12> kRadio{
    "....gggg....", "..ggDDDDgg..", ".gDDwwwwDDW.", ".gDwwxxwwLW.", "gDwwxxxxwwLW", "gDwwxxxxwwLW",
    "gDwwxxxxwwLW", "gDwwwxxwwwLW", ".gDwwwwwwLW.", ".gLLwwwwLLW.", "..WWLLLLWW..", "....WWWW....",
};

COLORREF RadioColour(char code, bool checked) {
    switch (code) {
        case 'g':
            return GetSysColor(COLOR_BTNSHADOW);
        case 'D':
            return GetSysColor(COLOR_3DDKSHADOW);
        case 'w':
            return GetSysColor(COLOR_WINDOW);
        case 'W':
            return GetSysColor(COLOR_BTNHIGHLIGHT);
        case 'L':
            return GetSysColor(COLOR_3DLIGHT);
        case 'x':
            return GetSysColor(checked ? COLOR_WINDOWTEXT : COLOR_WINDOW);
        default:
            return GetSysColor(COLOR_BTNFACE);
    }
}
}  // namespace

TEST_F(ControlLookTest, RadioButtonsShowTheClassicRingPixelForPixel) {
    CButton off;
    CButton on;
    ASSERT_TRUE(
        off.Create("&Off", kChild | BS_AUTORADIOBUTTON | WS_GROUP, CRect(10, 10, 110, 30), &parent, 1));
    ASSERT_TRUE(on.Create("O&n", kChild | BS_AUTORADIOBUTTON, CRect(10, 40, 110, 60), &parent, 2));
    on.SetCheck(1);
    for (CButton* radio : {&off, &on}) {
        // The 13-pixel box is centred in the 20-pixel height.
        const CPoint box(0, 3);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                EXPECT_EQ(ColorAt(*radio, box + CPoint(x, y)), RadioColour(kRadio[y][x], radio == &on))
                    << (radio == &on ? "checked" : "unchecked") << " at " << x << "," << y;
    }
}

TEST_F(ControlLookTest, SliderThumbsPointAtTheirTicksAndAreSquareWithTicksOnBothSidesOrNone) {
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF white = GetSysColor(COLOR_BTNHIGHLIGHT);
    struct Case {
        DWORD style;
        bool pointed;
    };
    int top = 10;
    for (const Case& look :
         {Case{0, true}, Case{TBS_TOP, true}, Case{TBS_BOTH, false}, Case{TBS_NOTICKS, false}}) {
        CSliderCtrl slider;
        ASSERT_TRUE(slider.Create(kChild | TBS_AUTOTICKS | look.style, CRect(10, top, 210, top + 32), &parent,
                                  kControlId));
        top += 40;
        CRect thumb;
        slider.GetThumbRect(&thumb);
        const bool up = (look.style & TBS_TOP) != 0;
        const int cornerRow = up ? thumb.top : thumb.bottom - 1;
        // Beside the point the slider's face shows through where a square thumb has its corners.
        if (!up) {
            EXPECT_EQ(ColorAt(slider, CPoint(thumb.CenterPoint().x, cornerRow)), dark);
        }
        EXPECT_EQ(ColorAt(slider, CPoint(thumb.left, cornerRow)) == Face(), look.pointed) << look.style;
        EXPECT_EQ(ColorAt(slider, CPoint(thumb.right - 1, cornerRow)) == Face(), look.pointed) << look.style;
        // The lit slope of a point pointing down: a white line from the left side to the tip.
        if (look.pointed && !up) {
            const int half = thumb.Width() / 2;
            for (int step = 1; step < half - 1; ++step)
                EXPECT_EQ(ColorAt(slider, CPoint(thumb.left + 1 + step, thumb.bottom - 1 - half + step)),
                          white)
                    << step;
        }
        slider.DestroyWindow();
    }
    // A vertical slider with its ticks on the right points right.
    CSliderCtrl vertical;
    ASSERT_TRUE(
        vertical.Create(kChild | TBS_VERT | TBS_AUTOTICKS, CRect(300, 10, 332, 210), &parent, kControlId));
    CRect thumb;
    vertical.GetThumbRect(&thumb);
    EXPECT_EQ(ColorAt(vertical, CPoint(thumb.right - 1, thumb.CenterPoint().y)), dark);
    EXPECT_EQ(ColorAt(vertical, CPoint(thumb.right - 1, thumb.top)), Face());
    EXPECT_EQ(ColorAt(vertical, CPoint(thumb.right - 1, thumb.bottom - 1)), Face());
    EXPECT_EQ(ColorAt(vertical, CPoint(thumb.left, thumb.top)), GetSysColor(COLOR_3DLIGHT));
}

TEST_F(ControlLookTest, SpinArrowsAreTheSameSizeWhenTheButtonsAreNot) {
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    for (int height : {23, 24, 31}) {
        CSpinButtonCtrl spin;
        ASSERT_TRUE(spin.Create(kChild, CRect(10, 10, 27, 10 + height), &parent, kControlId));
        CRect client;
        spin.GetClientRect(&client);
        const int middle = client.Height() / 2;
        // Inside each button's two-pixel frame only the arrow is dark.
        const int upper = Count(spin, CRect(2, 2, client.right - 2, middle - 2), ink);
        const int lower = Count(spin, CRect(2, middle + 2, client.right - 2, client.bottom - 2), ink);
        EXPECT_GT(upper, 3) << height;
        EXPECT_EQ(upper, lower) << height;
        spin.DestroyWindow();
    }
}

TEST_F(ControlLookTest, BorderedListsInDialogsAreSunkenAndListBoxesShowWholeRows) {
    const CRect rect(10, 10, 160, 110);
    CWnd* list = ControlFactory::Create(
        DialogItem(kControlId, WC_LISTBOX, "", kChild | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, CRect()), rect,
        &parent);
    ASSERT_NE(list, nullptr);
    CWnd* files = ControlFactory::Create(
        DialogItem(kControlId + 1, WC_LISTVIEW, "", kChild | WS_BORDER | LVS_REPORT, CRect()),
        CRect(200, 10, 350, 110), &parent);
    ASSERT_NE(files, nullptr);
    for (CWnd* control : {list, files}) {
        EXPECT_EQ(control->GetStyle() & WS_BORDER, 0U);
        EXPECT_NE(control->GetExStyle() & WS_EX_CLIENTEDGE, 0U);
        CRect window;
        control->GetWindowRect(&window);
        // The edit field's sunken edge: grey and black above left, white and light below right.
        EXPECT_EQ(WindowColorAt(*control, 0, 0), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(WindowColorAt(*control, 1, 1), GetSysColor(COLOR_3DDKSHADOW));
        EXPECT_EQ(WindowColorAt(*control, window.Width() - 1, window.Height() - 1),
                  GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(WindowColorAt(*control, window.Width() - 2, window.Height() - 2),
                  GetSysColor(COLOR_3DLIGHT));
    }

    auto* listBox = static_cast<CListBox*>(list);
    for (int i = 0; i < 20; ++i) listBox->AddString("Row");
    CRect client;
    listBox->GetClientRect(&client);
    const int row = listBox->GetItemHeight();
    EXPECT_EQ(client.Height() % row, 0);
    CRect window;
    listBox->GetWindowRect(&window);
    EXPECT_GT(window.Height(), rect.Height() - row);
    EXPECT_LE(window.Height(), rect.Height());
    // The last visible row, selected, reaches the bottom edge whole.
    const int lastVisible = client.Height() / row - 1;
    listBox->SetCurSel(lastVisible);
    EXPECT_EQ(listBox->GetTopIndex(), 0);
    EXPECT_EQ(ColorAt(*listBox, CPoint(client.right - 3, client.bottom - 1)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorAt(*listBox, CPoint(client.right - 3, client.bottom - row)), GetSysColor(COLOR_HIGHLIGHT));

    // Without integral height the list keeps the height it was given.
    CListBox free;
    ASSERT_TRUE(free.Create(kChild | WS_BORDER | LBS_NOINTEGRALHEIGHT, rect + CPoint(0, 200), &parent,
                            kControlId + 2));
    free.GetWindowRect(&window);
    EXPECT_EQ(window.Height(), rect.Height());
    // A list made by code trims itself too, also when it is resized.
    CListBox trimmed;
    ASSERT_TRUE(trimmed.Create(kChild | WS_BORDER, rect + CPoint(200, 200), &parent, kControlId + 3));
    trimmed.GetClientRect(&client);
    EXPECT_EQ(client.Height() % trimmed.GetItemHeight(), 0);
    trimmed.MoveWindow(210, 210, 150, 177);
    trimmed.GetClientRect(&client);
    EXPECT_EQ(client.Height() % trimmed.GetItemHeight(), 0);
    EXPECT_GT(client.Height(), 177 - 2 - trimmed.GetItemHeight());
}

TEST_F(ControlLookTest, APictureButtonShowsItsPictureGreyedWhenDisabled) {
    // A black square on white: its black is the ink, its white corner colour the background.
    PixelSurface surface(12, 12, 0xFFFFFF);
    for (int y = 3; y < 7; ++y)
        for (int x = 3; x < 7; ++x) surface.Set(x, y, 0x000000);
    CBitmap picture;
    ASSERT_TRUE(picture.CreateFromSurface(surface));
    CButton button;
    ASSERT_TRUE(
        button.Create("", kChild | BS_PUSHBUTTON | BS_ICON, CRect(10, 10, 50, 40), &parent, kControlId));
    button.SetIcon(IconFromBitmap(&picture));
    CRect client;
    button.GetClientRect(&client);
    // The picture's origin in the button: centred in the face inside the 3-pixel frame.
    const CPoint origin(3 + (client.Width() - 6 - 12) / 2, 3 + (client.Height() - 6 - 12) / 2);
    const CRect shown(origin, CSize(13, 13));
    const COLORREF black = RGB(0, 0, 0);
    EXPECT_EQ(Count(button, shown, black), 16);
    EXPECT_GT(Count(button, shown, RGB(255, 255, 255)), 100);

    button.EnableWindow(FALSE);
    EXPECT_EQ(Count(button, shown, black), 0);
    EXPECT_EQ(Count(button, shown, RGB(255, 255, 255)), 7);
    for (int y = 3; y < 7; ++y)
        for (int x = 3; x < 7; ++x)
            EXPECT_EQ(ColorAt(button, origin + CPoint(x, y)), GetSysColor(COLOR_3DSHADOW)) << x << "," << y;
    // The highlight shows below and right of the ink; the white background is not drawn.
    EXPECT_EQ(ColorAt(button, origin + CPoint(7, 7)), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(ColorAt(button, origin + CPoint(1, 1)), Face());
}

TEST_F(ControlLookTest, AMultiLineFieldWrapsWordsAtItsRightEdgeUnlessItScrollsSideways) {
    const DWORD multiLine = kChild | WS_BORDER | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    CEdit wrapping;
    CEdit scrolling;
    ASSERT_TRUE(wrapping.Create(multiLine, CRect(10, 10, 100, 110), &parent, kControlId));
    ASSERT_TRUE(
        scrolling.Create(multiLine | ES_AUTOHSCROLL, CRect(110, 10, 200, 110), &parent, kControlId + 1));
    const CString text =
        "The quick brown fox jumps over the lazy dog\r\nAbcdefghijklmnopqrstuvwxyz0123456789";
    wrapping.SetWindowText(text);
    scrolling.SetWindowText(text);
    EXPECT_EQ(scrolling.GetLineCount(), 2);
    ASSERT_GT(wrapping.GetLineCount(), 4);

    // The rows give back the text; the sentence breaks after blanks, the long word inside it.
    CString rows;
    int firstOfLongWord = -1;
    for (int row = 0; row < wrapping.GetLineCount(); ++row) {
        char buffer[100] = {};
        const int length = wrapping.GetLine(row, buffer, sizeof buffer);
        const CString shown(buffer, length);
        const int start = wrapping.LineIndex(row);
        EXPECT_EQ(wrapping.LineLength(row), length);
        if (start < text.Find('A')) {
            const bool lastOfSentence = start + length + 2 == text.Find('A');
            EXPECT_TRUE(lastOfSentence || shown.Right(1) == " ") << row << " \"" << shown.c_str() << "\"";
        } else if (firstOfLongWord < 0) {
            firstOfLongWord = row;
        }
        rows += shown;
        if (start + length < text.GetLength() && text[start + length] == '\r')
            rows += "\r\n";
    }
    EXPECT_EQ(rows, text);
    EXPECT_LT(firstOfLongWord, wrapping.GetLineCount() - 1) << "the long word takes more than one row";

    // Below the two lines, only the wrapping field shows text.
    const CRect belowTwoLines(2, 45, 80, 90);
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_GT(Count(wrapping, belowTwoLines, ink), 10);
    EXPECT_EQ(Count(scrolling, belowTwoLines, ink), 0);

    // Down goes to the next row, End to the end of the row.
    wrapping.SetFocus();
    wrapping.SetSel(0, 0);
    wrapping.SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(wrapping.LineFromChar(-1), 1);
    wrapping.SendMessage(WM_KEYDOWN, VK_END);
    int start = 0;
    int end = 0;
    wrapping.GetSel(start, end);
    EXPECT_EQ(start, wrapping.LineIndex(1) + wrapping.LineLength(1));
}
