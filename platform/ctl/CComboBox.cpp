#include "platform/ctl/CComboBox.h"

#include <algorithm>

#include "platform/ctl/CEdit.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

namespace {
constexpr int kEdge = 2;
constexpr int kTextInset = 2;
constexpr UINT kListId = 1000;
constexpr UINT kEditId = 1001;
constexpr UINT kF4Key = 0x73;
}  // namespace

CComboBox::CComboBox() : m_list(std::make_unique<CListBox>()) {}

CComboBox::~CComboBox() {
    if (m_list->GetSafeHwnd())
        m_list->DestroyWindow();
    if (m_edit && m_edit->GetSafeHwnd())
        m_edit->DestroyWindow();
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(nullptr, "", style, rect, parent, id);
}

BOOL CComboBox::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style &= ~static_cast<LONG>(WS_VSCROLL | WS_HSCROLL);
    return CWnd::PreCreateWindow(cs);
}

int CComboBox::OnCreate(CREATESTRUCT* cs) {
    const DWORD style = static_cast<DWORD>(cs->style);
    m_list->ServeCombo(this, (style & CBS_OWNERDRAWFIXED) != 0, (style & CBS_SORT) != 0,
                       (style & CBS_OWNERDRAWFIXED) == 0 || (style & CBS_HASSTRINGS) != 0);
    m_dropHeight = std::max(0, cs->cy - FieldHeight());
    if (!m_list->CreateEx(WS_EX_TOPMOST, nullptr, "", WS_POPUP | WS_BORDER | WS_VSCROLL,
                          CRect(cs->x, cs->y, cs->x + cs->cx, cs->y + std::max(cs->cy, 20)), this, kListId))
        return -1;
    FitToField();
    if (HasEdit())
        CreateEdit(style);
    return CWnd::OnCreate(cs);
}

void CComboBox::CreateEdit(DWORD style) {
    m_edit = std::make_unique<CEdit>();
    m_edit->Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | (style & WS_DISABLED), TextRect(), this, kEditId);
    m_edit->ServeCombo(this);
}

void CComboBox::OnSize(UINT, int, int) {
    if (m_edit && m_edit->GetSafeHwnd())
        m_edit->MoveWindow(TextRect());
}

void CComboBox::OnDestroy() {
    m_dropped = false;
    if (m_list->GetSafeHwnd())
        m_list->DestroyWindow();
    CWnd::OnDestroy();
}

// --- Items and selection ------------------------------------------------------------------------

int CComboBox::AddString(LPCTSTR text) {
    return m_list->AddString(text);
}
int CComboBox::InsertString(int index, LPCTSTR text) {
    return m_list->InsertString(index, text);
}

int CComboBox::DeleteString(UINT index) {
    const bool wasCurrent = static_cast<int>(index) == GetCurSel();
    const int left = m_list->DeleteString(index);
    if (wasCurrent)
        SetCurSel(CB_ERR);
    return left;
}

void CComboBox::ResetContent() {
    m_list->ResetContent();
    if (!HasEdit())
        ShowSelectionText();
    Invalidate();
}

int CComboBox::SetCurSel(int index) {
    const int result = m_list->SetCurSel(index);
    ShowSelectionText();
    return result;
}

int CComboBox::SelectString(int start, LPCTSTR text) {
    const int found = FindString(start, text);
    if (found != CB_ERR)
        SetCurSel(found);
    return found;
}

void CComboBox::ShowSelectionText() {
    CString text;
    if (GetCurSel() != CB_ERR)
        GetLBText(GetCurSel(), text);
    SetWindowText(text);
    Invalidate();
}

// A key on the closed field chooses at once, as a choice from the dropped list does.
void CComboBox::ChangeSelection(int index) {
    index = std::clamp(index, 0, GetCount() - 1);
    if (GetCount() == 0 || index == GetCurSel())
        return;
    SetCurSel(index);
    Notify(CBN_SELENDOK);
    Notify(CBN_SELCHANGE);
}

LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CWnd::DefWindowProc(message, wParam, lParam);
    if (message == WM_SETTEXT) {
        if (m_edit)
            ShowTextInEdit();
        Invalidate();
    }
    return result;
}

// A text set from outside is no edit of the person's: the owner hears of no change.
void CComboBox::ShowTextInEdit() {
    CString text;
    GetWindowText(text);
    m_showingText = true;
    m_edit->SetWindowText(text);
    m_showingText = false;
    m_edit->SetSel(0, -1);
}

void CComboBox::TakeEditChange(UINT code) {
    if (m_showingText || (code != EN_UPDATE && code != EN_CHANGE))
        return;
    CString text;
    m_edit->GetWindowText(text);
    CWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Notify(code == EN_UPDATE ? CBN_EDITUPDATE : CBN_EDITCHANGE);
}

// --- Geometry -----------------------------------------------------------------------------------

int CComboBox::GetItemHeight(int) const {
    return m_list->GetItemHeight();
}

int CComboBox::SetItemHeight(int, UINT height) {
    if (m_list->SetItemHeight(0, height) == LB_ERR)
        return CB_ERR;
    FitToField();
    return 0;
}

int CComboBox::FieldHeight() const {
    return GetItemHeight(0) + 2 * kEdge + 2;
}

void CComboBox::FitToField() {
    if (!m_hWnd)
        return;
    CRect window;
    GetWindowRect(&window);
    if (!IsTopLevel())
        GetParent()->ScreenToClient(&window);
    if (window.Height() != FieldHeight())
        MoveWindow(window.left, window.top, window.Width(), FieldHeight());
}

CRect CComboBox::ButtonRect() const {
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(kEdge, kEdge);
    return CRect(client.right - GetSystemMetrics(SM_CXVSCROLL), client.top, client.right, client.bottom);
}

CRect CComboBox::TextRect() const {
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(kEdge + 1, kEdge + 1);
    client.right = ButtonRect().left - 1;
    return client;
}

void CComboBox::GetDroppedControlRect(RECT* rect) const {
    if (!rect)
        return;
    CRect window;
    GetWindowRect(&window);
    *rect = CRect(window.left, window.bottom, window.right, window.bottom + m_dropHeight);
}

CPoint CComboBox::ToList(CPoint clientPoint) const {
    ClientToScreen(&clientPoint);
    m_list->ScreenToClient(&clientPoint);
    return clientPoint;
}

bool CComboBox::InList(CPoint clientPoint) const {
    if (!m_dropped)
        return false;
    CRect client;
    m_list->GetClientRect(&client);
    return client.PtInRect(ToList(clientPoint)) != FALSE;
}

// --- Dropping down ------------------------------------------------------------------------------

void CComboBox::ShowDropDown(BOOL show) {
    if (!show) {
        CloseUp(true);
        return;
    }
    if (m_dropped || !m_hWnd)
        return;
    Notify(CBN_DROPDOWN);
    if (!m_hWnd)
        return;
    m_selectionAtDrop = GetCurSel();
    CRect window;
    GetWindowRect(&window);
    const int rows = std::max(1, GetCount());
    const int height = std::min(std::max(m_dropHeight, GetItemHeight(0) + 2), rows * GetItemHeight(0) + 2);
    CRect drop(window.left, window.bottom, window.right, window.bottom + height);
    if (drop.bottom > WindowManager::Instance().ScreenSize().cy)
        drop.OffsetRect(0, window.top - drop.bottom);
    m_list->MoveWindow(&drop);
    m_list->SetTopIndex(std::max(0, GetCurSel()));
    // Over every window, a top-most dialog made after the list included.
    m_list->BringWindowToTop();
    m_list->ShowWindow(SW_SHOWNA);
    m_dropped = true;
    SetCapture();
    Invalidate();
}

void CComboBox::CloseUp(bool accept) {
    if (!m_dropped)
        return;
    m_dropped = false;
    m_buttonDown = false;
    m_list->ShowWindow(SW_HIDE);
    if (GetCapture() == this)
        ReleaseCapture();
    Invalidate();
    if (!accept)
        m_list->SetCurSel(m_selectionAtDrop);
    const bool changed = accept && GetCurSel() != m_selectionAtDrop;
    if (changed || !HasEdit())
        ShowSelectionText();
    Notify(accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
    Notify(CBN_CLOSEUP);
    if (changed)
        Notify(CBN_SELCHANGE);
}

BOOL CComboBox::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kListId) {
        // The list was clicked while it had the mouse to itself (after its scroll bar was used).
        if (HIWORD(wParam) == LBN_DBLCLK)
            CloseUp(true);
        return TRUE;
    }
    if (LOWORD(wParam) == kEditId && m_edit) {
        TakeEditChange(HIWORD(wParam));
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

// --- Mouse --------------------------------------------------------------------------------------

void CComboBox::OnLButtonDown(UINT, CPoint point) {
    if (m_dropped) {
        if (InList(point))
            return;
        CRect listWindow;
        m_list->GetWindowRect(&listWindow);
        CPoint screen = point;
        ClientToScreen(&screen);
        if (listWindow.PtInRect(screen)) {
            // On the list's own scroll bar.
            m_list->SendMessage(WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(screen.x, screen.y));
            if (m_dropped && GetCapture() != this)
                SetCapture();
            return;
        }
        CloseUp(false);
        return;
    }
    SetFocus();
    // The edit field takes its own clicks; the frame round it only focuses.
    if (!HasEdit() || ButtonRect().PtInRect(point)) {
        m_buttonDown = true;
        ShowDropDown(TRUE);
    }
}

void CComboBox::OnLButtonDblClk(UINT flags, CPoint point) {
    OnLButtonDown(flags, point);
}

void CComboBox::OnMouseMove(UINT, CPoint point) {
    if (!m_dropped || !InList(point))
        return;
    BOOL outside = FALSE;
    const UINT index = m_list->ItemFromPoint(ToList(point), outside);
    if (!outside)
        m_list->SetHighlight(static_cast<int>(index));
}

void CComboBox::OnLButtonUp(UINT, CPoint point) {
    m_buttonDown = false;
    Invalidate();
    if (!m_dropped || !InList(point))
        return;
    BOOL outside = FALSE;
    const UINT index = m_list->ItemFromPoint(ToList(point), outside);
    if (outside)
        return;
    m_list->SetHighlight(static_cast<int>(index));
    CloseUp(true);
}

// --- Keys ---------------------------------------------------------------------------------------

BOOL CComboBox::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_ENABLE && m_edit)
        m_edit->EnableWindow(static_cast<BOOL>(wParam));
    if (message != WM_GETDLGCODE)
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    *result = OnGetDlgCode();
    if (m_dropped && (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_TAB))
        *result |= DLGC_WANTALLKEYS;
    return TRUE;
}

void CComboBox::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key == kF4Key) {
        m_dropped ? CloseUp(true) : ShowDropDown(TRUE);
        return;
    }
    if (m_dropped) {
        const int current = GetCurSel();
        switch (key) {
            case VK_UP:
                m_list->SetHighlight(std::max(0, current - 1));
                break;
            case VK_DOWN:
                m_list->SetHighlight(std::min(GetCount() - 1, current + 1));
                break;
            case VK_HOME:
                m_list->SetHighlight(0);
                break;
            case VK_END:
                m_list->SetHighlight(GetCount() - 1);
                break;
            case VK_RETURN:
                CloseUp(true);
                break;
            case VK_ESCAPE:
                CloseUp(false);
                break;
            case VK_TAB:
                TakeRowAndTabOn();
                break;
            default:
                break;
        }
        return;
    }
    const int current = GetCurSel();
    switch (key) {
        case VK_UP:
            ChangeSelection(current == CB_ERR ? 0 : current - 1);
            return;
        case VK_DOWN:
            ChangeSelection(current == CB_ERR ? 0 : current + 1);
            return;
        default:
            break;
    }
    if (HasEdit()) {
        PassToEdit(WM_KEYDOWN, key, repeat, flags);
        return;
    }
    if (key == VK_HOME)
        ChangeSelection(0);
    if (key == VK_END)
        ChangeSelection(GetCount() - 1);
}

void CComboBox::PassToEdit(UINT message, WPARAM wParam, UINT repeat, UINT flags) {
    m_edit->SendMessage(message, wParam, MAKELPARAM(repeat, flags));
}

// Tab takes the highlighted row as Return does, then goes on as a Tab does with the list closed.
void CComboBox::TakeRowAndTabOn() {
    CloseUp(true);
    MSG tab{};
    tab.hwnd = this;
    tab.message = WM_KEYDOWN;
    tab.wParam = VK_TAB;
    WindowManager::Instance().Deliver(tab);
}

void CComboBox::OnSysKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key == VK_DOWN || key == VK_UP) {
        m_dropped ? CloseUp(true) : ShowDropDown(TRUE);
        return;
    }
    CWnd::OnSysKeyDown(key, repeat, flags);
}

void CComboBox::OnChar(UINT ch, UINT repeat, UINT flags) {
    if (HasEdit()) {
        PassToEdit(WM_CHAR, ch, repeat, flags);
        return;
    }
    if (ch <= ' ' || (OwnerDrawn() && (GetStyle() & CBS_HASSTRINGS) == 0))
        return;
    const char prefix[2] = {static_cast<char>(ch), '\0'};
    const int found = FindString(GetCurSel(), prefix);
    if (found == CB_ERR)
        return;
    if (m_dropped)
        m_list->SetHighlight(found);
    else
        ChangeSelection(found);
}

DWORD CComboBox::GetEditSel() const {
    return m_edit ? m_edit->GetSel() : 0;
}

BOOL CComboBox::SetEditSel(int start, int end) {
    if (!m_edit)
        return CB_ERR;
    m_edit->SetSel(start, end);
    return TRUE;
}

void CComboBox::OnSetFocus(CWnd*) {
    if (m_edit) {
        SetEditSel(0, -1);
        m_edit->Invalidate();
    }
    Invalidate();
    Notify(CBN_SETFOCUS);
}

void CComboBox::OnCancelMode() {
    CloseUp(false);
    CWnd::OnCancelMode();
}

void CComboBox::OnKillFocus(CWnd*) {
    CloseUp(false);
    if (m_edit)
        m_edit->Invalidate();
    Invalidate();
    Notify(CBN_KILLFOCUS);
}

// --- Painting -----------------------------------------------------------------------------------

BOOL CComboBox::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CComboBox::OnPaint() {
    CPaintDC dc(this);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
    dc.DrawEdge(&client, EDGE_SUNKEN, BF_RECT);
    PaintButton(dc);
    PaintField(dc);
}

void CComboBox::PaintButton(CDC& dc) {
    CRect button = ButtonRect();
    const bool pressed = m_buttonDown && m_dropped;
    dc.FillSolidRect(&button, GetSysColor(COLOR_BTNFACE));
    if (pressed)
        dc.Draw3dRect(&button, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    else
        dc.DrawEdge(&button, EDGE_RAISED, BF_RECT);
    const CPoint centre = button.CenterPoint() + CPoint(pressed ? 1 : 0, pressed ? 1 : 0);
    const COLORREF arrow = GetSysColor(IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int row = 0; row < 4; ++row)
        dc.FillSolidRect(centre.x - 3 + row, centre.y - 1 + row, 7 - 2 * row, 1, arrow);
}

void CComboBox::PaintField(CDC& dc) {
    const CRect area = TextRect();
    const bool focused = GetFocus() == this && !m_dropped;
    // The edit field paints itself.
    if (HasEdit())
        return;
    const int current = GetCurSel();
    if (OwnerDrawn()) {
        DRAWITEMSTRUCT draw{ODT_COMBOBOX,
                            static_cast<UINT>(GetDlgCtrlID()),
                            static_cast<UINT>(current),
                            ODA_DRAWENTIRE,
                            ODS_COMBOBOXEDIT | (focused ? ODS_SELECTED | ODS_FOCUS : 0u) |
                                (IsWindowEnabled() ? 0u : ODS_DISABLED),
                            this,
                            &dc,
                            area,
                            current == CB_ERR ? 0 : GetItemData(current)};
        const int saved = dc.SaveDC();
        if (CWnd* owner = GetOwner())
            owner->SendMessage(WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        dc.RestoreDC(saved);
        return;
    }
    if (focused)
        dc.FillSolidRect(&area, GetSysColor(COLOR_HIGHLIGHT));
    CString text;
    GetWindowText(text);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(!IsWindowEnabled() ? COLOR_GRAYTEXT
                                : focused          ? COLOR_HIGHLIGHTTEXT
                                                   : COLOR_WINDOWTEXT));
    CRect textArea = area;
    textArea.left += kTextInset;
    dc.DrawText(text, &textArea, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (focused)
        dc.DrawFocusRect(&area);
}

void CComboBox::DrawItem(DRAWITEMSTRUCT*) {}
void CComboBox::MeasureItem(MEASUREITEMSTRUCT*) {}
