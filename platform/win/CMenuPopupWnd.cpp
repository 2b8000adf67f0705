#include "platform/win/CMenuPopupWnd.h"

#include <algorithm>
#include <cctype>

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CMenu.h"
#include "platform/win/MenuText.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

namespace {
constexpr int kItemHeight = 18;
constexpr int kSeparatorHeight = 9;
constexpr int kTextLeft = 20;
constexpr int kMinimumWidth = 80;
CMenuPopupWnd* g_current = nullptr;

CString Plain(const CString& text) {
    CString plain = text.Find('\t') >= 0 ? text.Left(text.Find('\t')) : text;
    plain.Remove('&');
    return plain;
}
}  // namespace

CMenuPopupWnd* CMenuPopupWnd::Current() { return g_current; }

UINT CMenuPopupWnd::Track(CMenu* menu, CPoint screen, CWnd* owner, int* step) {
    if (!menu || menu->GetMenuItemCount() == 0) return 0;
    if (owner) owner->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    CMenuPopupWnd popup(menu);
    const CSize size = popup.Measure();
    const CSize area = WindowManager::Instance().ScreenSize();
    const int x = std::clamp<int>(screen.x, 0, std::max(0, area.cx - size.cx));
    const int y = std::clamp<int>(screen.y, 0, std::max(0, area.cy - size.cy));
    if (!popup.CreateEx(WS_EX_TOPMOST, nullptr, "", WS_POPUP | WS_DLGFRAME, CRect(CPoint(x, y), size), owner, 0))
        return 0;
    popup.m_step = step;
    if (step) *step = 0;
    popup.ShowWindow(SW_SHOWNA);
    CMenuPopupWnd* outer = g_current;
    g_current = &popup;
    popup.SetCapture();
    WindowManager& manager = WindowManager::Instance();
    CWnd* outerGrab = manager.KeyboardGrab();
    manager.SetKeyboardGrab(&popup);
    const int chosen = popup.RunModalLoop();
    manager.SetKeyboardGrab(outerGrab);
    g_current = outer;
    if (IsWindow(owner)) owner->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    if (GetCapture() == &popup) ReleaseCapture();
    popup.DestroyWindow();
    return chosen > 0 ? static_cast<UINT>(chosen) : 0;
}

CSize CMenuPopupWnd::Measure() const {
    int width = kMinimumWidth;
    int height = 0;
    for (int i = 0; i < m_menuShown->GetMenuItemCount(); ++i) {
        const CMenu::Item* item = m_menuShown->ItemAt(i);
        if (item->flags & MF_SEPARATOR) {
            height += kSeparatorHeight;
            continue;
        }
        width = std::max(width, MenuText::Width(item->text) + kTextLeft + 40);
        height += kItemHeight;
    }
    return CSize(width + 6, height + 6);
}

CRect CMenuPopupWnd::ItemRect(int index) const {
    CRect client;
    GetClientRect(&client);
    int top = 0;
    for (int i = 0; i < m_menuShown->GetMenuItemCount(); ++i) {
        const int height = (m_menuShown->ItemAt(i)->flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
        if (i == index) return CRect(0, top, client.Width(), top + height);
        top += height;
    }
    return CRect();
}

int CMenuPopupWnd::FindItem(const CString& text) const {
    for (int i = 0; i < m_menuShown->GetMenuItemCount(); ++i)
        if (Plain(m_menuShown->ItemAt(i)->text) == Plain(text)) return i;
    return -1;
}

int CMenuPopupWnd::ItemAt(CPoint point) const {
    for (int i = 0; i < m_menuShown->GetMenuItemCount(); ++i)
        if (ItemRect(i).PtInRect(point)) return i;
    return -1;
}

bool CMenuPopupWnd::Choosable(int index) const {
    const CMenu::Item* item = m_menuShown->ItemAt(index);
    return item && (item->flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) == 0 && !item->popup;
}

void CMenuPopupWnd::Choose(int index) {
    if (Choosable(index)) EndModalLoop(static_cast<int>(m_menuShown->ItemAt(index)->id));
}

BOOL CMenuPopupWnd::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_MENU));
    return TRUE;
}

void CMenuPopupWnd::OnPaint() {
    CPaintDC dc(this);
    for (int i = 0; i < m_menuShown->GetMenuItemCount(); ++i) {
        const CMenu::Item* item = m_menuShown->ItemAt(i);
        const CRect rect = ItemRect(i);
        if (item->flags & MF_SEPARATOR) {
            const int middle = rect.top + rect.Height() / 2;
            dc.Draw3dRect(rect.left + 1, middle - 1, rect.Width() - 2, 2, GetSysColor(COLOR_BTNSHADOW),
                          GetSysColor(COLOR_BTNHIGHLIGHT));
            continue;
        }
        const bool grayed = (item->flags & (MF_GRAYED | MF_DISABLED)) != 0;
        const bool highlighted = i == m_highlight && !grayed;
        dc.FillSolidRect(&rect, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_MENU));
        if (item->flags & MF_CHECKED) {
            const CPoint centre(rect.left + 9, rect.top + rect.Height() / 2);
            const COLORREF mark = GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
            if (item->flags & MFT_RADIOCHECK) {
                dc.FillSolidRect(centre.x - 2, centre.y - 2, 5, 5, mark);
            } else {
                for (int step = 0; step < 7; ++step)
                    dc.FillSolidRect(centre.x - 3 + step, centre.y + (step < 3 ? step - 1 : 3 - step) , 1, 3, mark);
            }
        }
        CRect text(rect.left + kTextLeft, rect.top, rect.right - 8, rect.bottom);
        MenuText::Draw(dc, item->text, text, grayed, DT_LEFT, highlighted);
    }
}

void CMenuPopupWnd::OnLButtonDown(UINT, CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) EndModalLoop(0);
}

void CMenuPopupWnd::OnLButtonUp(UINT, CPoint point) {
    const int index = ItemAt(point);
    if (index >= 0) Choose(index);
}

void CMenuPopupWnd::OnMouseMove(UINT, CPoint point) {
    const int index = ItemAt(point);
    if (index != m_highlight) {
        m_highlight = index;
        Invalidate(FALSE);
        NotifySelection();
    }
}

void CMenuPopupWnd::NotifySelection() {
    const CMenu::Item* item = m_menuShown->ItemAt(m_highlight);
    CWnd* owner = GetOwner();
    if (!IsWindow(owner)) return;
    const UINT id = item && !item->popup && (item->flags & MF_SEPARATOR) == 0 ? item->id : 0;
    owner->SendMessage(WM_MENUSELECT, MAKEWPARAM(static_cast<int>(id), static_cast<int>(item ? item->flags : 0)),
                       reinterpret_cast<LPARAM>(m_menuShown));
}

void CMenuPopupWnd::MoveHighlight(int step) {
    const int count = m_menuShown->GetMenuItemCount();
    for (int tries = 0, at = m_highlight; tries < count; ++tries) {
        at = (at + step + count) % count;
        if (Choosable(at)) {
            m_highlight = at;
            Invalidate(FALSE);
            NotifySelection();
            return;
        }
    }
}

BOOL CMenuPopupWnd::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN && msg->message != WM_CHAR) return FALSE;
    if (msg->message == WM_CHAR) {
        for (int i = 0; i < m_menuShown->GetMenuItemCount(); ++i)
            if (MenuText::AccessKey(m_menuShown->ItemAt(i)->text) == std::toupper(static_cast<int>(msg->wParam)))
                Choose(i);
        return TRUE;
    }
    switch (msg->wParam) {
    case VK_ESCAPE:
    case VK_F10: EndModalLoop(0); break;
    case VK_DOWN: MoveHighlight(1); break;
    case VK_UP: MoveHighlight(-1); break;
    case VK_RETURN: Choose(m_highlight); break;
    case VK_LEFT:
    case VK_RIGHT:
        if (m_step) {
            *m_step = msg->wParam == VK_LEFT ? -1 : 1;
            EndModalLoop(0);
        }
        break;
    default: break;
    }
    return TRUE;
}
