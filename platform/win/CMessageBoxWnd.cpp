#include "platform/win/CMessageBoxWnd.h"

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/MenuText.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

namespace {
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMargin = 12;
constexpr int kIconSize = 32;

std::vector<int> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    default: return {IDOK};
    }
}

const char* ButtonLabel(int id) {
    switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDYES: return "&Yes";
    case IDNO: return "&No";
    default: return "";
    }
}

COLORREF IconColor(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP: return RGB(255, 0, 0);
    case MB_ICONEXCLAMATION: return RGB(255, 255, 0);
    case MB_ICONINFORMATION:
    case MB_ICONQUESTION: return RGB(0, 0, 255);
    default: return CLR_INVALID;
    }
}

CString& AppName() {
    static CString name = "Corvane";
    return name;
}
}  // namespace

void AfxSetAppName(const CString& name) { AppName() = name; }
const CString& AfxGetAppName() { return AppName(); }

CMessageBoxWnd::CMessageBoxWnd(const CString& text, const CString& caption, UINT type)
    : m_messageText(text), m_caption(caption), m_type(type), m_buttons(ButtonsOf(type)) {}

CSize CMessageBoxWnd::ClientSize() const {
    int textWidth = 0;
    int lines = 0;
    for (const CString& line : SplitLines(m_messageText)) {
        textWidth = std::max(textWidth, MenuText::Width(line));
        ++lines;
    }
    const int buttons = static_cast<int>(m_buttons.size()) * (kButtonWidth + 6);
    const int width = std::max(buttons, kIconSize + kMargin + textWidth) + 2 * kMargin;
    const int textHeight = std::max(kIconSize, lines * (MenuText::Height() + 3));
    return CSize(width, kMargin + textHeight + kMargin + kButtonHeight + kMargin);
}

CRect CMessageBoxWnd::TextRect() const {
    CRect client(CPoint(), ClientSize());
    const int left = kMargin + ((IconColor(m_type) != CLR_INVALID) ? kIconSize + kMargin : 0);
    return CRect(left, kMargin, client.right - kMargin, client.bottom - 2 * kMargin - kButtonHeight);
}

CRect CMessageBoxWnd::ButtonRect(int index) const {
    CRect client;
    GetClientRect(&client);
    const int count = static_cast<int>(m_buttons.size());
    const int total = count * kButtonWidth + (count - 1) * 6;
    const int left = (client.Width() - total) / 2 + index * (kButtonWidth + 6);
    const int top = client.bottom - kMargin - kButtonHeight;
    return CRect(left, top, left + kButtonWidth, top + kButtonHeight);
}

int CMessageBoxWnd::DoModal(CWnd* owner) {
    const CSize client = ClientSize();
    const CRect frame(0, 0, client.cx + 6, client.cy + 6 + 18);
    if (!CreateEx(WS_EX_TOPMOST, nullptr, m_caption, WS_POPUP | WS_CAPTION | WS_SYSMENU, frame, owner, 0))
        return IDCANCEL;
    CenterWindow(owner);
    CWnd* focus = GetFocus();
    if (owner) owner->EnableWindow(FALSE);
    ShowWindow(SW_SHOW);
    const int result = RunModalLoop();
    if (owner && IsWindow(owner)) owner->EnableWindow(TRUE);
    DestroyWindow();
    if (IsWindow(focus)) focus->SetFocus();
    return result;
}

void CMessageBoxWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    const COLORREF icon = IconColor(m_type);
    if (icon != CLR_INVALID) {
        CBrush brush(icon);
        CBrush* old = dc.SelectObject(&brush);
        dc.Ellipse(kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize);
        dc.SelectObject(old);
    }
    CRect text = TextRect();
    for (const CString& line : SplitLines(m_messageText)) {
        CRect lineRect(text.left, text.top, text.right, text.top + MenuText::Height() + 3);
        MenuText::Draw(dc, line, lineRect, false, DT_LEFT | DT_NOPREFIX);
        text.top += MenuText::Height() + 3;
    }
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        CRect button = ButtonRect(static_cast<int>(i));
        dc.DrawFrameControl(&button, DFC_BUTTON, DFCS_BUTTONPUSH);
        MenuText::Draw(dc, ButtonLabel(m_buttons[i]), button, false, DT_CENTER);
    }
}

void CMessageBoxWnd::OnLButtonUp(UINT, CPoint point) {
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        if (ButtonRect(static_cast<int>(i)).PtInRect(point)) EndModalLoop(m_buttons[i]);
}

void CMessageBoxWnd::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_RETURN) EndModalLoop(m_buttons.front());
    if (key == VK_ESCAPE && std::find(m_buttons.begin(), m_buttons.end(), IDCANCEL) != m_buttons.end())
        EndModalLoop(IDCANCEL);
}

void CMessageBoxWnd::OnClose() { EndModalLoop(IDCANCEL); }

std::vector<CString> CMessageBoxWnd::SplitLines(const CString& text) {
    std::vector<CString> lines;
    int start = 0;
    for (int at = text.Find('\n'); at >= 0; at = text.Find('\n', start)) {
        lines.push_back(text.Mid(start, at - start));
        start = at + 1;
    }
    lines.push_back(text.Mid(start));
    return lines;
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT) {
    CMessageBoxWnd box(text ? text : "", AfxGetAppName(), type);
    return box.DoModal(WindowManager::Instance().GetActiveWindow());
}

BOOL CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
    CMessageBoxWnd box(text ? text : "", caption ? CString(caption) : AfxGetAppName(), type);
    return box.DoModal(this);
}
