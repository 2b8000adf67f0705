#include "platform/ctl/CSpinButtonCtrl.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ctl/ControlPainting.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CControlWnd)

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatDelay = 500;
constexpr UINT kRepeatInterval = 100;
}  // namespace

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CWnd::Create(UPDOWN_CLASS, "", style, rect, parent, id))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

int CSpinButtonCtrl::OnCreate(CREATESTRUCT*) {
    // An automatic buddy is the window created just before.
    if ((GetStyle() & UDS_AUTOBUDDY) && GetParent()) {
        const std::vector<CWnd*>& siblings = GetParent()->Children();
        const auto self = std::find(siblings.begin(), siblings.end(), this);
        if (self != siblings.begin() && self != siblings.end())
            SetBuddy(*(self - 1));
    }
    return 0;
}

void CSpinButtonCtrl::SetRange32(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
    m_position = std::clamp(m_position, std::min(lower, upper), std::max(lower, upper));
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
    lower = m_lower;
    upper = m_upper;
}

int CSpinButtonCtrl::SetPos(int position) {
    const int old = m_position;
    m_position = std::clamp(position, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
    WriteBuddy();
    return old;
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy) {
    CWnd* old = m_buddy;
    m_buddy = buddy;
    AlignWithBuddy();
    WriteBuddy();
    return old;
}

int CSpinButtonCtrl::SetBase(int base) {
    const int old = m_base;
    if (base == 10 || base == 16)
        m_base = base;
    WriteBuddy();
    return old;
}

BOOL CSpinButtonCtrl::SetAccel(int count, const UDACCEL* accelerations) {
    if (count <= 0 || !accelerations)
        return FALSE;
    m_accel.assign(accelerations, accelerations + count);
    return TRUE;
}

UINT CSpinButtonCtrl::GetAccel(int count, UDACCEL* accelerations) const {
    const int copied = std::min(count, static_cast<int>(m_accel.size()));
    if (accelerations)
        std::copy(m_accel.begin(), m_accel.begin() + std::max(0, copied), accelerations);
    return static_cast<UINT>(m_accel.size());
}

// Sits against the buddy's side, taking its own width from it.
void CSpinButtonCtrl::AlignWithBuddy() {
    if (!m_buddy || !(GetStyle() & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) || m_buddy->GetParent() != GetParent())
        return;
    CRect buddy;
    m_buddy->GetWindowRect(&buddy);
    GetParent()->ScreenToClient(&buddy);
    CRect own;
    GetWindowRect(&own);
    const int width = own.Width();
    if (GetStyle() & UDS_ALIGNRIGHT) {
        buddy.right -= width - 2;
        MoveWindow(buddy.right - 2, buddy.top, width, buddy.Height());
    } else {
        MoveWindow(buddy.left, buddy.top, width, buddy.Height());
        buddy.left += width - 2;
    }
    m_buddy->MoveWindow(&buddy);
}

void CSpinButtonCtrl::ReadBuddy() {
    if (!m_buddy || !(GetStyle() & UDS_SETBUDDYINT))
        return;
    CString text;
    m_buddy->GetWindowText(text);
    text.Remove(',');
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, m_base);
    if (end != text.c_str())
        m_position =
            std::clamp(static_cast<int>(value), std::min(m_lower, m_upper), std::max(m_lower, m_upper));
}

void CSpinButtonCtrl::WriteBuddy() {
    if (!m_buddy || !(GetStyle() & UDS_SETBUDDYINT))
        return;
    CString text;
    if (m_base == 16)
        text.Format("0x%X", static_cast<unsigned>(m_position));
    else
        text.Format("%d", m_position);
    m_buddy->SetWindowText(text);
}

int CSpinButtonCtrl::StepSize() const {
    const DWORD held = (WindowManager::Instance().Now() - m_pressTime) / 1000;
    UINT step = m_accel.front().nInc;
    for (const UDACCEL& accel : m_accel)
        if (held >= accel.nSec)
            step = accel.nInc;
    return static_cast<int>(std::max(1U, step));
}

void CSpinButtonCtrl::Step(bool up) {
    ReadBuddy();
    const int direction = (m_upper >= m_lower) == up ? 1 : -1;
    NMUPDOWN change{{}, m_position, direction * StepSize()};
    if (SendNotify(change.hdr, UDN_DELTAPOS))
        return;
    const int low = std::min(m_lower, m_upper);
    const int high = std::max(m_lower, m_upper);
    int target = m_position + change.iDelta;
    if (GetStyle() & UDS_WRAP) {
        if (target > high)
            target = low;
        if (target < low)
            target = high;
    }
    target = std::clamp(target, low, high);
    if (target == m_position)
        return;
    m_position = target;
    WriteBuddy();
    if (CWnd* parent = GetParent())
        parent->SendMessage(IsHorizontal() ? WM_HSCROLL : WM_VSCROLL,
                            MAKEWPARAM(static_cast<int>(SB_THUMBPOSITION), m_position),
                            reinterpret_cast<LPARAM>(this));
}

CRect CSpinButtonCtrl::ArrowRect(bool up) const {
    CRect client;
    GetClientRect(&client);
    if (IsHorizontal()) {
        const int middle = client.left + client.Width() / 2;
        return up ? CRect(middle, client.top, client.right, client.bottom)
                  : CRect(client.left, client.top, middle, client.bottom);
    }
    const int middle = client.top + client.Height() / 2;
    return up ? CRect(client.left, client.top, client.right, middle)
              : CRect(client.left, middle, client.right, client.bottom);
}

void CSpinButtonCtrl::OnPaint() {
    CPaintDC dc(this);
    // Both arrows the size of the smaller button's, when the buttons differ by a pixel.
    const int arrowSize =
        std::min(ControlPainting::ArrowSize(ArrowRect(true)), ControlPainting::ArrowSize(ArrowRect(false)));
    for (bool up : {true, false}) {
        CRect arrow = ArrowRect(up);
        const bool pressed = m_pressed == (up ? 1 : -1);
        dc.DrawFrameControl(&arrow, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        if (pressed)
            arrow.OffsetRect(1, 1);
        const int direction = IsHorizontal() ? (up ? 3 : 2) : (up ? 0 : 1);
        ControlPainting::DrawArrow(dc, arrow, direction, IsWindowEnabled() != FALSE, arrowSize);
    }
}

void CSpinButtonCtrl::OnLButtonDown(UINT, CPoint point) {
    const bool up = ArrowRect(true).PtInRect(point) != FALSE;
    if (!up && !ArrowRect(false).PtInRect(point))
        return;
    Press(up);
    SetCapture();
    Step(up);
    SetTimer(kRepeatTimer, kFirstRepeatDelay);
}

void CSpinButtonCtrl::OnTimer(UINT_PTR id) {
    if (id != kRepeatTimer || m_pressed == 0)
        return;
    SetTimer(kRepeatTimer, kRepeatInterval);
    Step(m_pressed > 0);
}

void CSpinButtonCtrl::OnLButtonUp(UINT, CPoint) {
    if (GetCapture() == this)
        ReleaseCapture();
}

void CSpinButtonCtrl::OnCaptureChanged(CWnd*) {
    KillTimer(kRepeatTimer);
    Release();
}

// Up and Down come from the buddy (UDS_ARROWKEYS); a held key repeats its key-down.
void CSpinButtonCtrl::OnKeyDown(UINT key, UINT, UINT) {
    if (key != VK_UP && key != VK_DOWN)
        return;
    Press(key == VK_UP);
    Step(key == VK_UP);
}

void CSpinButtonCtrl::OnKeyUp(UINT key, UINT, UINT) {
    if (key == VK_UP || key == VK_DOWN)
        Release();
}

// Shows an arrow held down; the time it went down sets the acceleration.
void CSpinButtonCtrl::Press(bool up) {
    const int pressed = up ? 1 : -1;
    if (m_pressed == pressed)
        return;
    m_pressed = pressed;
    m_pressTime = WindowManager::Instance().Now();
    Invalidate();
}

void CSpinButtonCtrl::Release() {
    if (m_pressed == 0)
        return;
    m_pressed = 0;
    Invalidate();
    if (CWnd* parent = GetParent())
        parent->SendMessage(IsHorizontal() ? WM_HSCROLL : WM_VSCROLL,
                            MAKEWPARAM(static_cast<int>(SB_ENDSCROLL), m_position),
                            reinterpret_cast<LPARAM>(this));
}
