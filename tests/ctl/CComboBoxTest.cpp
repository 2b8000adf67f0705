#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CEdit.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "tests/ctl/ListControlFixture.h"

namespace {
constexpr UINT kComboId = 1407;

class CComboBoxTest : public ListControlTest {
  protected:
    void Make(DWORD style, CComboBox* combo = nullptr) {
        made.reset(combo ? combo : new CComboBox);
        ASSERT_TRUE(made->Create(WS_CHILD | WS_VISIBLE | style, CRect(20, 20, 180, 150), &parent, kComboId));
    }
    CComboBox& Combo() { return *made; }
    void Fill() {
        for (const char* name : {"Radius", "Angle", "Offset", "Length"}) Combo().AddString(name);
    }
    CPoint ListPoint(int index) {
        CRect item;
        Combo().DropList().GetItemRect(index, &item);
        return item.CenterPoint();
    }
    std::unique_ptr<CComboBox> made;
};

TEST_F(CComboBoxTest, TheWindowShrinksToItsFieldAndDropsItsListBelow) {
    Make(CBS_DROPDOWNLIST);
    Fill();
    CRect window;
    Combo().GetWindowRect(&window);
    EXPECT_EQ(window.Height(), Combo().GetItemHeight(0) + 6);
    Click(Combo(), CPoint(40, 8));
    ASSERT_TRUE(Combo().GetDroppedState());
    CRect drop;
    Combo().DropList().GetWindowRect(&drop);
    EXPECT_EQ(drop.top, window.bottom);
    EXPECT_EQ(drop.left, window.left);
    EXPECT_TRUE(Combo().DropList().IsWindowVisible());
    EXPECT_EQ(parent.Codes(), (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN}));
}

TEST_F(CComboBoxTest, ATemplatesScrollBarGoesToTheListNotTheField) {
    Make(CBS_DROPDOWNLIST | WS_VSCROLL);
    EXPECT_EQ(Combo().GetStyle() & WS_VSCROLL, 0u);
    CRect window, client;
    Combo().GetWindowRect(&window);
    Combo().GetClientRect(&client);
    EXPECT_GT(client.Width(), window.Width() - 8);  // no scroll bar eats the field
}

TEST_F(CComboBoxTest, ChoosingFromTheDroppedListConfirmsTheSelection) {
    Make(CBS_DROPDOWNLIST);
    Fill();
    Combo().SetCurSel(0);
    Click(Combo(), CPoint(40, 8));
    parent.notes.clear();
    Click(Combo().DropList(), ListPoint(2));
    EXPECT_FALSE(Combo().GetDroppedState());
    EXPECT_FALSE(Combo().DropList().IsWindowVisible());
    EXPECT_EQ(Combo().GetCurSel(), 2);
    CString text;
    Combo().GetWindowText(text);
    EXPECT_EQ(text, "Offset");
    EXPECT_EQ(parent.Codes(), (std::vector<UINT>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
    EXPECT_EQ(parent.notes[0].id, kComboId);
}

TEST_F(CComboBoxTest, EscapeOrAClickElsewhereCancels) {
    Make(CBS_DROPDOWNLIST);
    Fill();
    Combo().SetCurSel(1);
    Click(Combo(), CPoint(40, 8));
    Press(VK_DOWN);
    EXPECT_EQ(Combo().GetCurSel(), 2);
    parent.notes.clear();
    Press(VK_ESCAPE);
    EXPECT_EQ(Combo().GetCurSel(), 1);
    EXPECT_EQ(parent.Codes(), (std::vector<UINT>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
    Click(Combo(), CPoint(40, 8));
    Click(parent, CPoint(400, 300));
    EXPECT_FALSE(Combo().GetDroppedState());
    Click(Combo(), CPoint(40, 8));
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_EQ(Combo().GetCurSel(), 2);
    EXPECT_EQ(parent.notes.back().code, CBN_SELCHANGE);
}

TEST_F(CComboBoxTest, KeysOnAClosedListChangeTheSelection) {
    Make(CBS_DROPDOWNLIST | CBS_SORT);
    Fill();
    Combo().SetFocus();
    Press(VK_DOWN);
    EXPECT_EQ(Combo().GetCurSel(), 0);
    Type('r');
    CString text;
    Combo().GetWindowText(text);
    EXPECT_EQ(text, "Radius");
    EXPECT_EQ(parent.Count(CBN_SELCHANGE), 2);
    Combo().DeleteString(static_cast<UINT>(Combo().GetCurSel()));
    EXPECT_EQ(Combo().GetCurSel(), CB_ERR);
    EXPECT_EQ(Combo().SelectString(-1, "off"), 2);
    EXPECT_EQ(Combo().SelectString(-1, "none"), CB_ERR);
    EXPECT_EQ(Combo().GetCurSel(), 2);
    EXPECT_EQ(Combo().FindStringExact(-1, "angle"), 0);
    EXPECT_EQ(Combo().SetCurSel(7), CB_ERR);
    EXPECT_EQ(Combo().GetCurSel(), CB_ERR);
}

TEST_F(CComboBoxTest, TheEditFieldTakesTypedTextAndReportsFocusLoss) {
    Make(CBS_DROPDOWN);
    Fill();
    Combo().SetCurSel(3);
    Combo().SetFocus();
    EXPECT_EQ(Combo().GetEditSel(), static_cast<DWORD>(MAKELONG(0, 6)));
    Type('H');
    Type('O');
    Type('X');
    Press(VK_BACK);
    CString text;
    Combo().GetWindowText(text);
    EXPECT_EQ(text, "HO");
    EXPECT_EQ(parent.Count(CBN_EDITCHANGE), 4);
    parent.SetFocus();
    EXPECT_EQ(parent.notes.back().code, CBN_KILLFOCUS);
    Click(Combo(), CPoint(150, 8));  // the arrow button
    EXPECT_TRUE(Combo().GetDroppedState());
    // The edit field greys out and takes no clicks with the combo.
    Combo().EnableWindow(FALSE);
    Click(Combo(), CPoint(20, 8));
    EXPECT_NE(CWnd::GetFocus(), &Combo());
    EXPECT_FALSE(Combo().ChildWindowFromPoint(CPoint(20, 8))->IsWindowEnabled());
}

// What a person does in a text field: keys (held with Shift or Ctrl, pressed some times), typed
// text, or the mouse at character places (the same place twice: a double click there).
struct Stroke {
    UINT key = 0;
    UINT held = 0;
    int times = 1;
    const char* typed = nullptr;
    int from = -1;
    int to = -1;
};
Stroke Key(UINT key, int times = 1) {
    return {key, 0, times};
}
Stroke Shift(UINT key, int times = 1) {
    return {key, VK_SHIFT, times};
}
Stroke Ctrl(UINT key) {
    return {key, VK_CONTROL};
}
Stroke Typed(const char* text) {
    return {0, 0, 1, text};
}
Stroke Mouse(int from, int to) {
    return {0, 0, 1, nullptr, from, to};
}

class FieldEditingTest : public CComboBoxTest {
  protected:
    // The window the text shows in: the edit part of a combo, or the edit itself.
    static CWnd& TextWindow(CWnd& field) {
        CRect client;
        field.GetClientRect(&client);
        CWnd* part = field.ChildWindowFromPoint(client.CenterPoint());
        return part ? *part : field;
    }
    static CPoint PlaceIn(CWnd& shown, int place) {
        CString text;
        shown.GetWindowText(text);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(CControlWnd::DefaultFont());
        CRect client;
        shown.GetClientRect(&client);
        constexpr int kMargin = 2;
        return CPoint(kMargin + dc.GetTextExtent(text.Left(place)).cx, client.CenterPoint().y);
    }
    void Apply(CWnd& field, const Stroke& stroke) {
        for (const char* ch = stroke.typed; ch && *ch; ++ch) Type(*ch);
        CWnd& shown = TextWindow(field);
        if (stroke.from == stroke.to && stroke.from >= 0)
            DoubleClick(shown, PlaceIn(shown, stroke.from));
        else if (stroke.from >= 0)
            Drag(shown, PlaceIn(shown, stroke.from), PlaceIn(shown, stroke.to));
        if (stroke.key == 0)
            return;
        if (stroke.held)
            manager.KeyInput(stroke.held, true);
        for (int press = 0; press < stroke.times; ++press) Press(stroke.key);
        if (stroke.held)
            manager.KeyInput(stroke.held, false);
    }
    static DWORD Selection(CWnd& field) {
        if (auto* combo = dynamic_cast<CComboBox*>(&field))
            return combo->GetEditSel();
        return static_cast<CEdit&>(field).GetSel();
    }
    // Focused with its whole text selected, as Tab leaves a field.
    static void Start(CWnd& field, const char* text) {
        field.SetWindowText(text);
        field.SetFocus();
        if (auto* combo = dynamic_cast<CComboBox*>(&field))
            combo->SetEditSel(0, -1);
        else
            static_cast<CEdit&>(field).SetSel(0, -1);
    }
};

TEST_F(FieldEditingTest, AComboEditsAsAnEditFieldDoes) {
    struct Sequence {
        const char* text;
        std::vector<Stroke> strokes;
        const char* edited;
        int start;
        int end;
    };
    const Sequence sequences[] = {
        {"12100", {Key(VK_END), Key(VK_BACK, 8), Typed("0")}, "0", 1, 1},
        {"scale 20", {Key(VK_END), Shift(VK_HOME)}, "scale 20", 0, 8},
        {"12100", {Key(VK_HOME), Key(VK_RIGHT), Shift(VK_RIGHT, 3), Shift(VK_LEFT)}, "12100", 1, 3},
        {"12100", {Key(VK_HOME), Key(VK_RIGHT, 2), Shift(VK_END)}, "12100", 2, 5},
        {"12100", {Key(VK_HOME), Key(VK_DELETE, 2)}, "100", 0, 0},
        {"12100", {Key(VK_HOME), Shift(VK_RIGHT, 2), Typed("9")}, "9100", 1, 1},
        {"12100", {Ctrl('A'), Key(VK_LEFT)}, "12100", 0, 0},
        {"12 100 scale", {Mouse(4, 4)}, "12 100 scale", 3, 6},
        {"12100", {Mouse(1, 4), Key(VK_DELETE)}, "10", 1, 1},
        {"12100", {Key(VK_END), Ctrl('A')}, "12100", 0, 5},
        {"20", {Ctrl('A'), Ctrl('C'), Key(VK_END), Ctrl('V')}, "2020", 4, 4},
        {"12100", {Ctrl('A'), Ctrl('X'), Typed("5"), Ctrl('V')}, "512100", 6, 6},
    };
    CEdit plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(20, 200, 180, 222),
                             &parent, kComboId + 1));
    Make(CBS_DROPDOWN);
    Fill();
    for (CWnd* field : {static_cast<CWnd*>(&plain), static_cast<CWnd*>(&Combo())}) {
        for (const Sequence& sequence : sequences) {
            Start(*field, sequence.text);
            for (const Stroke& stroke : sequence.strokes) Apply(*field, stroke);
            CString text;
            field->GetWindowText(text);
            SCOPED_TRACE(::testing::Message()
                         << field->GetRuntimeClass()->m_lpszClassName << " from " << sequence.text);
            EXPECT_EQ(text, CString(sequence.edited));
            EXPECT_EQ(Selection(*field), static_cast<DWORD>(MAKELONG(sequence.start, sequence.end)));
        }
    }
}

// An owner-drawn picker without strings, as the style pickers are.
class PickerCombo : public CComboBox {
  public:
    std::vector<DRAWITEMSTRUCT> drawn;
    void DrawItem(DRAWITEMSTRUCT* item) override {
        drawn.push_back(*item);
        const bool selected = (item->itemState & ODS_SELECTED) != 0;
        item->hDC->FillSolidRect(&item->rcItem,
                                 selected ? GetSysColor(COLOR_ACTIVECAPTION) : GetSysColor(COLOR_WINDOW));
        if (item->itemID != static_cast<UINT>(-1))
            item->hDC->FillSolidRect(item->rcItem.left + 10, (item->rcItem.top + item->rcItem.bottom) / 2,
                                     item->rcItem.right - item->rcItem.left - 20,
                                     static_cast<int>(item->itemData) + 1, RGB(0, 0, 0));
    }
    void MeasureItem(MEASUREITEMSTRUCT* item) override { item->itemHeight = 20; }
};

TEST_F(CComboBoxTest, OwnerDrawnItemsWithoutStringsCarryTheirValues) {
    auto* picker = new PickerCombo;
    Make(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, picker);
    for (int width = 0; width < 5; ++width)
        picker->AddString(reinterpret_cast<LPCTSTR>(static_cast<std::uintptr_t>(width)));
    picker->SetCurSel(0);
    EXPECT_EQ(picker->GetItemHeight(0), 20);
    EXPECT_EQ(picker->GetItemData(3), 3u);
    manager.RunUntilIdle();
    ASSERT_FALSE(picker->drawn.empty());
    const DRAWITEMSTRUCT field = picker->drawn.back();
    EXPECT_EQ(field.CtlType, ODT_COMBOBOX);
    EXPECT_EQ(field.CtlID, kComboId);
    EXPECT_NE(field.itemState & ODS_COMBOBOXEDIT, 0u);
    EXPECT_EQ(field.itemID, 0u);
    picker->drawn.clear();
    Click(*picker, CPoint(40, 8));
    MouseAt(WM_MOUSEMOVE, picker->DropList(), ListPoint(2));
    bool highlighted = false;
    for (const DRAWITEMSTRUCT& item : picker->drawn)
        highlighted |=
            item.itemID == 2 && (item.itemState & ODS_SELECTED) && !(item.itemState & ODS_COMBOBOXEDIT);
    EXPECT_TRUE(highlighted);
    EXPECT_EQ(picker->GetCurSel(), 2);
    picker->SetCurSel(9);
    EXPECT_EQ(picker->GetCurSel(), CB_ERR);
}
}  // namespace
