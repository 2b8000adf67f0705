#include "platform/ctl/CMessageBoxWnd.h"

#include <algorithm>

#include "platform/ctl/MessageBoxIcon.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/MenuText.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

namespace {
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMargin = 12;
constexpr UINT kTextFormat = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

std::vector<int> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {IDOK, IDCANCEL};
        case MB_YESNOCANCEL:
            return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO:
            return {IDYES, IDNO};
        default:
            return {IDOK};
    }
}

const char* ButtonLabel(int id) {
    switch (id) {
        case IDOK:
            return "OK";
        case IDCANCEL:
            return "Cancel";
        case IDYES:
            return "&Yes";
        case IDNO:
            return "&No";
        default:
            return "";
    }
}

// The template only names the box and its buttons; OnInitDialog places them in pixels.
DialogTemplate TemplateFor(const CString& caption, const std::vector<int>& buttons) {
    std::vector<DialogItem> items;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const DWORD kind = i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        items.emplace_back(static_cast<UINT>(buttons[i]), WC_BUTTON, ButtonLabel(buttons[i]),
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | kind, CRect(0, 0, 50, 14));
    }
    return DialogTemplate(0, caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                          CRect(0, 0, 100, 50), std::move(items));
}
}  // namespace

CMessageBoxWnd::CMessageBoxWnd(const CString& text, const CString& caption, UINT type, CWnd* owner)
    : m_messageText(text),
      m_type(type),
      m_buttons(ButtonsOf(type)),
      m_template(TemplateFor(caption, m_buttons)) {
    InitModalIndirect(m_template, owner);
}

CRect CMessageBoxWnd::IconRect() const {
    if (!MessageBoxIcon::Shown(m_type))
        return CRect();
    return CRect(kMargin, kMargin, kMargin + MessageBoxIcon::kSize, kMargin + MessageBoxIcon::kSize);
}

CRect CMessageBoxWnd::ButtonRect(int index) const {
    CWnd* button =
        index >= 0 && index < static_cast<int>(m_buttons.size()) ? GetDlgItem(m_buttons[index]) : nullptr;
    if (!button)
        return CRect();
    CRect rect;
    button->GetWindowRect(&rect);
    ScreenToClient(&rect);
    return rect;
}

BOOL CMessageBoxWnd::OnInitDialog() {
    CDialog::OnInitDialog();
    Layout();
    return TRUE;
}

void CMessageBoxWnd::Layout() {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* oldFont = dc.SelectObject(GetFont());
    // The text keeps its own lines while they fit in five eighths of the screen, and wraps beyond.
    const int widest = WindowManager::Instance().ScreenSize().cx * 5 / 8;
    CRect natural(0, 0, 0, 0);
    dc.DrawText(m_messageText, &natural, DT_CALCRECT | DT_NOPREFIX);
    CRect wrapped(0, 0, std::min<int>(natural.Width(), widest), 0);
    dc.DrawText(m_messageText, &wrapped, DT_CALCRECT | kTextFormat);
    dc.SelectObject(oldFont);

    const CRect icon = IconRect();
    const int textLeft = icon.IsRectEmpty() ? kMargin : icon.right + kMargin;
    const int bodyHeight = std::max<int>(icon.Height(), wrapped.Height());
    const int textTop = kMargin + (bodyHeight - wrapped.Height()) / 2;
    m_textRect = CRect(textLeft, textTop, textLeft + wrapped.Width(), textTop + wrapped.Height());

    const int count = static_cast<int>(m_buttons.size());
    const int buttonsWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    const CSize client(std::max(buttonsWidth + 2 * kMargin, m_textRect.right + kMargin),
                       kMargin + bodyHeight + kMargin + kButtonHeight + kMargin);
    const CRect insets = NonClientInsets();
    MoveWindow(0, 0, client.cx + insets.left + insets.right, client.cy + insets.top + insets.bottom);
    CenterWindow();
    KeepOnScreen();
    int left = (client.cx - buttonsWidth) / 2;
    for (const int id : m_buttons) {
        if (CWnd* button = GetDlgItem(id))
            button->MoveWindow(left, client.cy - kMargin - kButtonHeight, kButtonWidth, kButtonHeight);
        left += kButtonWidth + kButtonGap;
    }
}

void CMessageBoxWnd::KeepOnScreen() {
    CRect rect;
    GetWindowRect(&rect);
    const CSize screen = WindowManager::Instance().ScreenSize();
    const int left = std::clamp<int>(rect.left, 0, std::max<int>(0, screen.cx - rect.Width()));
    const int top = std::clamp<int>(rect.top, 0, std::max<int>(0, screen.cy - rect.Height()));
    SetWindowPos(nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMessageBoxWnd::OnPaint() {
    CPaintDC dc(this);
    MessageBoxIcon::Draw(dc, IconRect().TopLeft(), m_type);
    CFont* oldFont = dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    CRect text = m_textRect;
    dc.DrawText(m_messageText, &text, kTextFormat);
    dc.SelectObject(oldFont);
}

int CMessageBoxWnd::ButtonForKey(UINT key) const {
    for (const int id : m_buttons)
        if (static_cast<UINT>(MenuText::AccessKey(ButtonLabel(id))) == key)
            return id;
    return 0;
}

BOOL CMessageBoxWnd::PreTranslateMessage(MSG* msg) {
    const bool key = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    if (key && (GetKeyState(VK_CONTROL) & 0x8000) == 0) {
        if (const int id = ButtonForKey(static_cast<UINT>(msg->wParam))) {
            Answer(id);
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

BOOL CMessageBoxWnd::OnCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) == BN_CLICKED)
        Answer(LOWORD(wParam));
    return TRUE;
}

// Escape and the close box ask for Cancel: a box with only OK takes that as OK, a Yes/No box refuses it.
void CMessageBoxWnd::Answer(int id) {
    if (std::find(m_buttons.begin(), m_buttons.end(), id) != m_buttons.end()) {
        EndDialog(id);
    } else if (id == IDCANCEL && m_buttons == std::vector<int>{IDOK}) {
        EndDialog(IDOK);
    }
}
