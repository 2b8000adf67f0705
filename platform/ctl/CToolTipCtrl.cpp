#include "platform/ctl/CToolTipCtrl.h"

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CControlWnd)

namespace {
constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr int kPadding = 2;
constexpr int kBelowCursor = 20;
}  // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(WS_EX_TOPMOST, nullptr, "", WS_POPUP | style, CRect(0, 0, 1, 1), parent, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* window, LPCTSTR text, const RECT* rect, UINT_PTR id) {
    if (!window)
        return FALSE;
    // Tools move in memory when one is added: forget the ones being shown.
    Pop();
    KillTimer(kShowTimer);
    m_pending = nullptr;
    const bool callback = text == LPSTR_TEXTCALLBACK;
    m_tools.push_back({window, id, rect ? CRect(*rect) : CRect(), rect == nullptr,
                       callback ? CString() : CString(text ? text : ""), callback});
    return TRUE;
}

void CToolTipCtrl::DelTool(CWnd* window, UINT_PTR id) {
    Pop();
    m_pending = nullptr;
    std::erase_if(m_tools, [&](const Tool& tool) { return tool.window == window && tool.id == id; });
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* window, UINT_PTR id) {
    for (Tool& tool : m_tools) {
        if (tool.window != window || tool.id != id)
            continue;
        tool.callback = text == LPSTR_TEXTCALLBACK;
        tool.text = tool.callback ? CString() : CString(text ? text : "");
    }
    if (m_shown)
        Invalidate();
}

void CToolTipCtrl::Activate(BOOL activate) {
    m_active = activate != FALSE;
    if (!m_active)
        Pop();
}

void CToolTipCtrl::SetDelayTime(DWORD which, int milliseconds) {
    if (which == TTDT_INITIAL || which == TTDT_AUTOMATIC)
        m_initialDelay = static_cast<UINT>(std::max(0, milliseconds));
    if (which == TTDT_AUTOPOP)
        m_autoPop = static_cast<UINT>(std::max(0, milliseconds));
}

const CToolTipCtrl::Tool* CToolTipCtrl::ToolAt(CWnd* window, CPoint client) const {
    for (const Tool& tool : m_tools) {
        if (tool.window != window)
            continue;
        CRect area = tool.rect;
        if (tool.wholeWindow)
            window->GetClientRect(&area);
        if (area.PtInRect(client))
            return &tool;
    }
    return nullptr;
}

void CToolTipCtrl::RelayEvent(MSG* msg) {
    if (!msg || !m_hWnd)
        return;
    switch (msg->message) {
        case WM_MOUSEMOVE: {
            const Tool* tool =
                m_active ? ToolAt(msg->hwnd, CPoint(GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)))
                         : nullptr;
            if (tool == m_shown && tool)
                return;
            Pop();
            m_pending = tool;
            if (tool)
                SetTimer(kShowTimer, m_initialDelay);
            break;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MOUSELEAVE:
            m_pending = nullptr;
            KillTimer(kShowTimer);
            Pop();
            break;
        default:
            break;
    }
}

CString CToolTipCtrl::TextOf(const Tool& tool) {
    if (!tool.callback)
        return tool.text;
    TOOLTIPTEXT request{};
    request.hdr.hwndFrom = this;
    request.hdr.idFrom = tool.id ? tool.id : reinterpret_cast<UINT_PTR>(tool.window);
    request.hdr.code = TTN_NEEDTEXT;
    request.uFlags = tool.id ? 0 : TTF_IDISHWND;
    CWnd* asked = tool.window->GetParent() ? tool.window->GetParent() : tool.window;
    asked->SendMessage(WM_NOTIFY, request.hdr.idFrom, reinterpret_cast<LPARAM>(&request));
    return request.lpszText ? CString(request.lpszText) : CString(request.szText);
}

void CToolTipCtrl::Show(const Tool& tool) {
    const CString text = TextOf(tool);
    if (text.IsEmpty())
        return;
    SetWindowText(text);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(GetFont());
    const CSize extent = dc.GetTextExtent(text);
    const CPoint cursor = WindowManager::Instance().CursorPos();
    SetWindowPos(nullptr, cursor.x, cursor.y + kBelowCursor, extent.cx + 2 * kPadding + 4,
                 extent.cy + 2 * kPadding + 2, SWP_NOZORDER | SWP_NOACTIVATE);
    m_shown = &tool;
    ShowWindow(SW_SHOWNA);
    Invalidate();
    if (m_autoPop)
        SetTimer(kPopTimer, m_autoPop);
}

void CToolTipCtrl::Pop() {
    KillTimer(kPopTimer);
    if (!m_shown)
        return;
    m_shown = nullptr;
    ShowWindow(SW_HIDE);
}

CString CToolTipCtrl::ShownText() const {
    CString text;
    if (m_shown && IsWindowVisible())
        GetWindowText(text);
    return text;
}

void CToolTipCtrl::OnTimer(UINT_PTR id) {
    KillTimer(id);
    if (id == kShowTimer && m_pending)
        Show(*m_pending);
    if (id == kPopTimer)
        Pop();
}

void CToolTipCtrl::OnCancelMode() {
    m_pending = nullptr;
    KillTimer(kShowTimer);
    Pop();
}

void CToolTipCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_INFOBK));
    dc.Draw3dRect(&client, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
    CFont* old = dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
    CString text;
    GetWindowText(text);
    CRect area = client;
    area.DeflateRect(kPadding + 1, kPadding);
    dc.DrawText(text, &area, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc.SelectObject(old);
}
