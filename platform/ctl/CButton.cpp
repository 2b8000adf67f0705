#include "platform/ctl/CButton.h"

#include "platform/ctl/ControlPainting.h"
#include "platform/ctl/DialogNavigation.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CButton, CControlWnd)

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
constexpr int kBoxSize = 13;
constexpr int kBoxGap = 4;
}  // namespace

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CWnd::Create(WC_BUTTON, caption, style, rect, parent, id))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

bool CButton::IsPushButton() const {
    const DWORD type = GetButtonStyle();
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

bool CButton::IsRadioButton() const {
    const DWORD type = GetButtonStyle();
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

void CButton::SetButtonStyle(UINT style, BOOL redraw) {
    ModifyStyle(BS_TYPEMASK, style & BS_TYPEMASK);
    if (redraw)
        Invalidate();
}

void CButton::SetCheck(int check) {
    if (check == m_check)
        return;
    m_check = check;
    Invalidate();
}

UINT CButton::GetState() const {
    UINT state = static_cast<UINT>(m_check);
    if (m_pushed)
        state |= BST_PUSHED;
    if (GetFocus() == this)
        state |= BST_FOCUS;
    return state;
}

void CButton::SetState(BOOL highlight) {
    SetPushed(highlight != FALSE);
}

CBitmap* CButton::SetBitmap(CBitmap* bitmap) {
    return ReplaceShownPicture(m_bitmap, bitmap);
}

HICON CButton::SetIcon(HICON icon) {
    return ReplaceShownPicture(m_icon, icon);
}

void CButton::SetPushed(bool pushed) {
    if (pushed == m_pushed)
        return;
    m_pushed = pushed;
    Invalidate();
}

void CButton::Click() {
    switch (GetButtonStyle()) {
        case BS_AUTOCHECKBOX:
            SetCheck(m_check ? 0 : 1);
            break;
        case BS_AUTO3STATE:
            SetCheck((m_check + 1) % 3);
            break;
        case BS_AUTORADIOBUTTON:
            for (CWnd* other : DialogNavigation::GroupOf(this)) {
                auto* radio = dynamic_cast<CButton*>(other);
                if (radio && radio != this && radio->GetButtonStyle() == BS_AUTORADIOBUTTON)
                    radio->SetCheck(0);
            }
            SetCheck(1);
            break;
        default:
            break;
    }
    NotifyParent(BN_CLICKED);
}

bool CButton::ShowsAsDefault() const {
    if (!IsPushButton() || GetButtonStyle() == BS_OWNERDRAW)
        return false;
    CWnd* focus = GetFocus();
    if (focus == this)
        return true;
    if (GetButtonStyle() != BS_DEFPUSHBUTTON)
        return false;
    const bool focusOnButton =
        IsWindow(focus) && focus->GetTopLevelParent() == GetTopLevelParent() &&
        (focus->SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
    return !focusOnButton;
}

// --- Painting -------------------------------------------------------------------------------

BOOL CButton::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CButton::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CFont* oldFont = PrepareText(dc);
    const DWORD type = GetButtonStyle();
    if (type == BS_OWNERDRAW) {
        PaintOwnerDrawn(dc, client);
    } else if (type == BS_GROUPBOX) {
        CString text;
        GetWindowText(text);
        ControlPainting::DrawGroupBox(dc, client, text, IsWindowEnabled() != FALSE);
    } else if (IsPushButton() || (GetStyle() & BS_PUSHLIKE)) {
        PaintPushButton(dc, client);
    } else {
        PaintCheckOrRadio(dc, client);
    }
    dc.SelectObject(oldFont);
}

void CButton::PaintPushButton(CDC& dc, const CRect& client) {
    CRect face = client;
    dc.FillSolidRect(&face, GetSysColor(COLOR_BTNFACE));
    if (ShowsAsDefault()) {
        dc.Draw3dRect(&face, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DDKSHADOW));
        face.DeflateRect(1, 1);
    }
    const bool down = m_pushed || ((GetStyle() & BS_PUSHLIKE) && m_check);
    dc.DrawFrameControl(&face, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    CRect content = face;
    content.DeflateRect(3, 3);
    if (down)
        content.OffsetRect(1, 1);
    CBitmap* picture = nullptr;
    if ((GetStyle() & BS_BITMAP) && m_bitmap)
        picture = m_bitmap;
    else if ((GetStyle() & BS_ICON) && m_icon)
        picture = IconBitmap(m_icon);
    if (picture && IsWindowEnabled()) {
        ControlPainting::DrawBitmapCentred(dc, *picture, content);
    } else if (picture) {
        ControlPainting::DrawBitmapDisabled(dc, *picture, content);
    } else {
        CString text;
        GetWindowText(text);
        const UINT format =
            DT_CENTER | ((GetStyle() & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
        ControlPainting::DrawLabel(dc, text, content, format, IsWindowEnabled() != FALSE);
    }
    if (GetFocus() == this) {
        CRect focus = face;
        focus.DeflateRect(3, 3);
        dc.DrawFocusRect(&focus);
    }
}

CRect CButton::CheckBoxRect() const {
    CRect client;
    GetClientRect(&client);
    const int boxLeft = (GetStyle() & BS_LEFTTEXT) ? client.right - kBoxSize : client.left;
    const int boxTop = client.top + (client.Height() - kBoxSize) / 2;
    return CRect(boxLeft, boxTop, boxLeft + kBoxSize, boxTop + kBoxSize);
}

CRect CButton::LabelRect() const {
    CRect label;
    GetClientRect(&label);
    const CRect box = CheckBoxRect();
    if (GetStyle() & BS_LEFTTEXT)
        label.right = box.left - kBoxGap;
    else
        label.left = box.right + kBoxGap;
    return label;
}

void CButton::PaintCheckOrRadio(CDC& dc, const CRect& client) {
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    const CRect box = CheckBoxRect();
    const bool enabled = IsWindowEnabled() != FALSE;
    if (IsRadioButton())
        ControlPainting::DrawRadio(dc, box, m_check != 0, enabled, m_pushed);
    else
        ControlPainting::DrawCheckBox(dc, box, m_check, enabled, m_pushed);
    CString text;
    GetWindowText(text);
    const CRect label = LabelRect();
    ControlPainting::DrawLabel(dc, text, label, DT_LEFT | DT_SINGLELINE | DT_VCENTER, enabled);
    if (GetFocus() == this)
        DrawCheckOrRadioFocus(dc, client, text);
}

// Around the label; a button without one (a picture beside it says what it is) around its box.
void CButton::DrawCheckOrRadioFocus(CDC& dc, const CRect& client, const CString& text) {
    CRect focus = CheckBoxRect();
    focus.InflateRect(1, 1);
    if (!text.IsEmpty()) {
        CString shown = text;
        shown.Remove('&');
        const CSize extent = dc.GetTextExtent(shown);
        const CRect label = LabelRect();
        focus = CRect(label.left - 1, label.CenterPoint().y - extent.cy / 2 - 1, label.left + extent.cx + 1,
                      label.CenterPoint().y + extent.cy / 2 + 2);
    }
    focus &= client;
    dc.DrawFocusRect(&focus);
}

void CButton::PaintOwnerDrawn(CDC& dc, const CRect& client) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID());
    item.itemAction = ODA_DRAWENTIRE;
    if (m_pushed)
        item.itemState |= ODS_SELECTED;
    if (!IsWindowEnabled())
        item.itemState |= ODS_DISABLED;
    if (GetFocus() == this)
        item.itemState |= ODS_FOCUS;
    item.hwndItem = this;
    item.hDC = &dc;
    item.rcItem = client;
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    else
        DrawItem(&item);
}

// --- Input ----------------------------------------------------------------------------------

void CButton::OnLButtonDown(UINT, CPoint) {
    if (GetButtonStyle() == BS_GROUPBOX)
        return;
    // Captured first: a refusal that takes the focus while the button takes it ends the press.
    SetCapture();
    if (GetFocus() != this)
        SetFocus();
    if (GetCapture() != this)
        return;
    SetPushed(true);
    if (m_repeatInterval) {
        NotifyParent(BN_CLICKED);
        SetTimer(kRepeatTimer, m_repeatInterval);
    }
}

void CButton::OnLButtonDblClk(UINT flags, CPoint point) {
    if (GetStyle() & BS_NOTIFY)
        NotifyParent(BN_DOUBLECLICKED);
    OnLButtonDown(flags, point);
}

void CButton::OnMouseMove(UINT, CPoint point) {
    if (GetCapture() != this)
        return;
    CRect client;
    GetClientRect(&client);
    SetPushed(client.PtInRect(point) != FALSE);
}

void CButton::OnLButtonUp(UINT, CPoint point) {
    if (GetCapture() != this)
        return;
    CRect client;
    GetClientRect(&client);
    const bool inside = client.PtInRect(point) != FALSE;
    ReleaseCapture();
    SetPushed(false);
    if (inside && !m_repeatInterval)
        Click();
}

void CButton::OnCaptureChanged(CWnd*) {
    KillTimer(kRepeatTimer);
    SetPushed(false);
}

void CButton::OnTimer(UINT_PTR id) {
    if (id == kRepeatTimer && m_pushed)
        NotifyParent(BN_CLICKED);
}

void CButton::OnKeyDown(UINT key, UINT, UINT) {
    if (key != VK_SPACE || GetButtonStyle() == BS_GROUPBOX)
        return;
    m_spaceDown = true;
    SetPushed(true);
}

void CButton::OnKeyUp(UINT key, UINT, UINT) {
    if (key != VK_SPACE || !m_spaceDown)
        return;
    m_spaceDown = false;
    SetPushed(false);
    Click();
}

void CButton::OnSetFocus(CWnd*) {
    Invalidate();
    InvalidateDialogDefault();
    if (GetStyle() & BS_NOTIFY)
        NotifyParent(BN_SETFOCUS);
}

void CButton::OnKillFocus(CWnd*) {
    if (GetCapture() == this)
        ReleaseCapture();
    m_spaceDown = false;
    SetPushed(false);
    Invalidate();
    InvalidateDialogDefault();
    if (GetStyle() & BS_NOTIFY)
        NotifyParent(BN_KILLFOCUS);
}

void CButton::InvalidateDialogDefault() {
    for (CWnd* button : DialogNavigation::Descendants(GetTopLevelParent()))
        if (auto* push = dynamic_cast<CButton*>(button); push && push->IsPushButton())
            push->Invalidate();
}

UINT CButton::OnGetDlgCode() {
    switch (GetButtonStyle()) {
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON:
        case BS_OWNERDRAW:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
    }
}

BOOL CButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case BM_GETCHECK:
            *result = m_check;
            return TRUE;
        case BM_SETCHECK:
            SetCheck(static_cast<int>(wParam));
            *result = 0;
            return TRUE;
        case BM_GETSTATE:
            *result = GetState();
            return TRUE;
        case BM_SETSTATE:
            SetState(static_cast<BOOL>(wParam));
            *result = 0;
            return TRUE;
        case BM_SETSTYLE:
            SetButtonStyle(static_cast<UINT>(wParam), static_cast<BOOL>(lParam));
            *result = 0;
            return TRUE;
        case BM_CLICK:
            Click();
            *result = 0;
            return TRUE;
        case WM_SETTEXT: {
            const BOOL handled = CControlWnd::OnWndMsg(message, wParam, lParam, result);
            Invalidate();
            return handled;
        }
        default:
            return CControlWnd::OnWndMsg(message, wParam, lParam, result);
    }
}
