#include "platform/win/CMenuPopupWnd.h"

#include <algorithm>
#include <cctype>
#include <functional>

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CMenu.h"
#include "platform/win/CMenuBarTracker.h"
#include "platform/win/MenuText.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

namespace {
constexpr int kItemHeight = 18;
constexpr int kSeparatorHeight = 9;
constexpr int kTextLeft = 20;
constexpr int kMarkCentre = 9;
constexpr int kArrowRight = 8;
constexpr int kMinimumWidth = 80;
CMenuPopupWnd* g_current = nullptr;

using MarkPainter = void (*)(CDC& dc, CPoint centre, COLORREF color);

// A tick: a short stroke down to the bottom, a long one up to the right, three pixels thick.
void DrawCheck(CDC& dc, CPoint centre, COLORREF color) {
    for (int step = 0; step < 7; ++step)
        dc.FillSolidRect(centre.x - 3 + step, centre.y + (step < 3 ? step - 1 : 3 - step), 1, 3, color);
}

// A round bullet seven pixels across.
void DrawBullet(CDC& dc, CPoint centre, COLORREF color) {
    static constexpr int kHalfWidths[] = {1, 2, 3, 3, 3, 2, 1};
    for (int row = 0; row < 7; ++row)
        dc.FillSolidRect(centre.x - kHalfWidths[row], centre.y - 3 + row, 2 * kHalfWidths[row] + 1, 1, color);
}

// A solid triangle pointing right, its tip at centre.
void DrawArrow(CDC& dc, CPoint tip, COLORREF color) {
    for (int column = 0; column < 4; ++column)
        dc.FillSolidRect(tip.x - column, tip.y - column, 1, 2 * column + 1, color);
}

// Marks of greyed items are embossed as greyed text is: a white copy a pixel down and right under grey.
void DrawMark(CDC& dc, MarkPainter draw, CPoint at, bool grayed, bool highlighted) {
    if (grayed) {
        draw(dc, CPoint(at.x + 1, at.y + 1), GetSysColor(COLOR_BTNHIGHLIGHT));
        draw(dc, at, GetSysColor(COLOR_GRAYTEXT));
        return;
    }
    draw(dc, at, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
}
}  // namespace

CMenuPopupWnd* CMenuPopupWnd::Current() {
    return g_current;
}

int CMenuPopupWnd::OpenBarItem(const CWnd* window) {
    CMenuPopupWnd* root = g_current;
    while (root && root->m_parent) root = root->m_parent;
    return root && root->m_menuOwner == window ? root->m_barItem : -1;
}

void CMenuPopupWnd::CancelMenus(const CWnd* window) {
    CMenuPopupWnd* root = g_current;
    while (root && root->m_parent) root = root->m_parent;
    CWnd* owner = root ? root->m_menuOwner : nullptr;
    if (owner && (owner == window || window->IsChild(owner)))
        g_current->CloseAll();
    CMenuBarTracker::Leave(window);
}

void CMenuPopupWnd::CancelAllMenus() {
    if (g_current)
        g_current->CloseAll();
    CMenuBarTracker::Leave(nullptr);
}

UINT CMenuPopupWnd::Track(CMenu* menu, CPoint screen, CWnd* owner, BarStep* step, int barItem,
                          bool highlightFirst) {
    CMenuPopupWnd popup(menu);
    popup.m_step = step;
    if (step)
        *step = BarStep::kNone;
    popup.m_barItem = barItem;
    return popup.Run(screen, owner, highlightFirst);
}

UINT CMenuPopupWnd::TrackBeside(CMenu* menu, const CRect& clear, CWnd* owner) {
    const int height = CMenuPopupWnd(menu).Measure().cy;
    const bool roomBelow = clear.bottom + height <= WindowManager::Instance().ScreenSize().cy;
    return Track(menu, CPoint(clear.left, roomBelow ? clear.bottom : clear.top - height), owner);
}

UINT CMenuPopupWnd::Run(CPoint screen, CWnd* owner, bool highlightFirst) {
    if (!m_menuShown || m_menuShown->GetMenuItemCount() == 0)
        return 0;
    if (owner)
        owner->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m_menuShown), 0);
    m_menuOwner = owner;
    const CSize size = Measure();
    const CSize area = WindowManager::Instance().ScreenSize();
    const int x = std::clamp<int>(screen.x, 0, std::max(0, area.cx - size.cx));
    const int y = std::clamp<int>(screen.y, 0, std::max(0, area.cy - size.cy));
    if (!CreateEx(WS_EX_TOPMOST, nullptr, "", WS_POPUP | WS_DLGFRAME, CRect(CPoint(x, y), size), owner, 0))
        return 0;
    ShowWindow(SW_SHOWNA);
    if (highlightFirst)
        MoveHighlight(1);
    m_outerPopup = g_current;
    g_current = this;
    SetCapture();
    WindowManager& manager = WindowManager::Instance();
    m_outerGrab = manager.KeyboardGrab();
    manager.SetKeyboardGrab(this);
    if (m_barItem >= 0 && owner)
        owner->DrawMenuBar();
    const int chosen = RunModalLoop();
    if (g_current == this) {
        manager.SetKeyboardGrab(m_outerGrab);
        g_current = m_outerPopup;
    }
    if (!m_parent && IsWindow(owner))
        owner->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    if (GetCapture() == this)
        ReleaseCapture();
    DestroyWindow();
    if (m_barItem >= 0 && IsWindow(owner))
        owner->DrawMenuBar();
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
        if (i == index)
            return CRect(0, top, client.Width(), top + height);
        top += height;
    }
    return CRect();
}

CPoint CMenuPopupWnd::CheckMarkCentre(int index) const {
    const CRect rect = ItemRect(index);
    return CPoint(rect.left + kMarkCentre, rect.top + rect.Height() / 2);
}

int CMenuPopupWnd::FindItem(const CString& text) const {
    for (int i = 0; i < m_menuShown->GetMenuItemCount(); ++i)
        if (MenuText::Plain(m_menuShown->ItemAt(i)->text) == MenuText::Plain(text))
            return i;
    return -1;
}

int CMenuPopupWnd::ItemAt(CPoint point) const {
    for (int i = 0; i < m_menuShown->GetMenuItemCount(); ++i)
        if (ItemRect(i).PtInRect(point))
            return i;
    return -1;
}

bool CMenuPopupWnd::Selectable(int index) const {
    const CMenu::Item* item = m_menuShown->ItemAt(index);
    return item && (item->flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) == 0;
}

bool CMenuPopupWnd::HasSubmenu(int index) const {
    return Selectable(index) && m_menuShown->GetSubMenu(index);
}

void CMenuPopupWnd::Choose(int index, bool byKeyboard) {
    if (!Selectable(index))
        return;
    if (HasSubmenu(index)) {
        OpenSubmenu(index, byKeyboard);
        return;
    }
    EndModalLoop(static_cast<int>(m_menuShown->ItemAt(index)->id));
}

void CMenuPopupWnd::Close(Closing closing) {
    m_closing = closing;
    EndModalLoop(0);
}

void CMenuPopupWnd::CloseAll() {
    WindowManager& manager = WindowManager::Instance();
    for (CMenuPopupWnd* popup = this; popup; popup = popup->m_parent) {
        popup->Close(Closing::kAll);
        popup->ShowWindow(SW_HIDE);
        if (manager.GetCapture() == popup)
            manager.ReleaseCapture();
        manager.SetKeyboardGrab(popup->m_outerGrab);
        g_current = popup->m_outerPopup;
        if (popup->m_barItem >= 0 && IsWindow(popup->m_menuOwner))
            popup->m_menuOwner->DrawMenuBar();
    }
}

void CMenuPopupWnd::OpenSubmenu(int index, bool highlightFirst) {
    // A submenu the mouse left for another item of this menu may hand over to that item's submenu.
    for (int next = index; next >= 0 && InModalLoop(); highlightFirst = false) {
        Highlight(next);
        const Closing closing = RunSubmenu(next, highlightFirst);
        next = -1;
        if (!IsWindow(this) || !InModalLoop())
            return;
        if (closing == Closing::kAll)
            Close(Closing::kAll);
        if (closing == Closing::kByMouse)
            next = FollowMouse(WindowManager::Instance().CursorPos());
    }
}

CMenuPopupWnd::Closing CMenuPopupWnd::RunSubmenu(int index, bool highlightFirst) {
    CMenuPopupWnd submenu(m_menuShown->GetSubMenu(index), this);
    submenu.m_step = m_step;
    const UINT chosen = submenu.Run(SubmenuPosition(index, submenu.Measure()), m_menuOwner, highlightFirst);
    if (!IsWindow(this))
        return Closing::kAll;
    if (chosen)
        EndModalLoop(static_cast<int>(chosen));
    if (InModalLoop())
        SetCapture();
    return submenu.m_closing;
}

CPoint CMenuPopupWnd::SubmenuPosition(int index, CSize size) const {
    CRect window;
    GetWindowRect(&window);
    CRect item = ItemRect(index);
    ClientToScreen(&item);
    // The submenu's frame overlaps this one's, so its first item is level with the item that opened it.
    CPoint origin;
    ClientToScreen(&origin);
    const int frame = origin.y - window.top;
    int x = window.right - frame;
    if (x + size.cx > WindowManager::Instance().ScreenSize().cx)
        x = window.left - size.cx + frame;
    return CPoint(x, item.top - frame);
}

bool CMenuPopupWnd::OverParents(CPoint screen) const {
    for (const CMenuPopupWnd* parent = m_parent; parent; parent = parent->m_parent) {
        CRect rect;
        parent->GetWindowRect(&rect);
        if (rect.PtInRect(screen))
            return true;
    }
    return false;
}

bool CMenuPopupWnd::OverOpener(CPoint screen) const {
    if (!m_parent)
        return false;
    CRect opener = m_parent->ItemRect(m_parent->m_highlight);
    m_parent->ClientToScreen(&opener);
    return opener.PtInRect(screen);
}

int CMenuPopupWnd::FollowMouse(CPoint screen) {
    CRect window;
    GetWindowRect(&window);
    if (m_parent && !window.PtInRect(screen) && OverParents(screen) && !OverOpener(screen)) {
        Close(Closing::kByMouse);
        return -1;
    }
    CPoint client = screen;
    ScreenToClient(&client);
    const int index = ItemAt(client);
    if (index == m_highlight)
        return -1;
    Highlight(index);
    return HasSubmenu(index) ? index : -1;
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
        if (item->flags & MF_CHECKED)
            DrawMark(dc, (item->flags & MFT_RADIOCHECK) ? DrawBullet : DrawCheck, CheckMarkCentre(i), grayed,
                     highlighted);
        if (item->popup)
            DrawMark(dc, DrawArrow, CPoint(rect.right - kArrowRight, rect.top + rect.Height() / 2), grayed,
                     highlighted);
        CRect text(rect.left + kTextLeft, rect.top, rect.right - 8, rect.bottom);
        MenuText::Draw(dc, item->text, text, grayed, DT_LEFT, highlighted);
    }
}

void CMenuPopupWnd::OnLButtonDown(UINT, CPoint point) {
    if (!InModalLoop())
        return;
    CRect client;
    GetClientRect(&client);
    CPoint screen = point;
    ClientToScreen(&screen);
    if (!client.PtInRect(point) && !OverParents(screen))
        Close(Closing::kAll);
}

void CMenuPopupWnd::OnLButtonUp(UINT, CPoint point) {
    if (!InModalLoop())
        return;
    const int index = ItemAt(point);
    if (index >= 0)
        Choose(index, false);
}

void CMenuPopupWnd::OnMouseMove(UINT, CPoint point) {
    if (!InModalLoop())
        return;
    ClientToScreen(&point);
    const int submenu = FollowMouse(point);
    if (submenu >= 0)
        OpenSubmenu(submenu, false);
}

void CMenuPopupWnd::NotifySelection() {
    const CMenu::Item* item = m_menuShown->ItemAt(m_highlight);
    CWnd* owner = GetOwner();
    if (!IsWindow(owner))
        return;
    const UINT id = item && !item->popup && (item->flags & MF_SEPARATOR) == 0 ? item->id : 0;
    owner->SendMessage(WM_MENUSELECT,
                       MAKEWPARAM(static_cast<int>(id), static_cast<int>(item ? item->flags : 0)),
                       reinterpret_cast<LPARAM>(m_menuShown));
}

void CMenuPopupWnd::Highlight(int index) {
    if (index == m_highlight)
        return;
    m_highlight = index;
    Invalidate(FALSE);
    NotifySelection();
}

void CMenuPopupWnd::MoveHighlight(int step) {
    const int count = m_menuShown->GetMenuItemCount();
    // With nothing highlighted yet, Down starts at the first item and Up at the last.
    HighlightFrom(m_highlight >= 0 ? m_highlight : (step > 0 ? -1 : count), step);
}

void CMenuPopupWnd::HighlightFrom(int from, int step) {
    const int index = NextItem(from, step, [this](int at) { return Selectable(at); });
    if (index >= 0)
        Highlight(index);
}

int CMenuPopupWnd::NextItem(int from, int step, const std::function<bool(int)>& matches) const {
    const int count = m_menuShown->GetMenuItemCount();
    for (int tries = 0, at = from; tries < count; ++tries) {
        at = ((at + step) % count + count) % count;
        if (matches(at))
            return at;
    }
    return -1;
}

// A letter chooses the one item whose access letter it is, and moves among several; items that
// have no access letter answer to their first letter, which only moves the highlight, so that a
// letter shared by many of them never runs a command unasked.
void CMenuPopupWnd::TakeLetter(char typed) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(typed)));
    if (letter == ' ')
        return;
    const auto accessLetter = [&](int at) {
        return Selectable(at) && MenuText::AccessKey(m_menuShown->ItemAt(at)->text) == letter;
    };
    const int first = NextItem(-1, 1, accessLetter);
    if (first >= 0 && NextItem(first, 1, accessLetter) == first) {
        Highlight(first);
        Choose(first, true);
        return;
    }
    const auto initial = [&](int at) {
        const CString& text = m_menuShown->ItemAt(at)->text;
        const CString shown = MenuText::Plain(text);
        return Selectable(at) && MenuText::AccessKey(text) == 0 && !shown.IsEmpty() &&
               std::toupper(static_cast<unsigned char>(shown[0])) == letter;
    };
    const int next = NextItem(m_highlight, 1, first >= 0 ? std::function<bool(int)>(accessLetter) : initial);
    if (next >= 0)
        Highlight(next);
}

void CMenuPopupWnd::StepAlongBar(BarStep step) {
    if (!m_step)
        return;
    *m_step = step;
    Close(Closing::kAll);
}

void CMenuPopupWnd::CloseOwnerByKey(const MSG& msg) {
    CWnd* owner = m_menuOwner;
    CloseAll();
    if (IsWindow(owner))
        owner->GetTopLevelParent()->SendMessage(msg.message, msg.wParam, msg.lParam);
}

BOOL CMenuPopupWnd::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN && msg->message != WM_CHAR)
        return FALSE;
    if (msg->message == WM_CHAR) {
        TakeLetter(static_cast<char>(msg->wParam));
        return TRUE;
    }
    switch (msg->wParam) {
        case VK_ESCAPE:
            if (m_parent)
                Close(Closing::kByKeyboard);
            else if (m_step)
                StepAlongBar(BarStep::kTitle);
            else
                Close(Closing::kAll);
            break;
        case VK_F4:
            if (msg->message == WM_SYSKEYDOWN)
                CloseOwnerByKey(*msg);
            break;
        case VK_F10:
            Close(Closing::kAll);
            break;
        case VK_DOWN:
            MoveHighlight(1);
            break;
        case VK_UP:
            MoveHighlight(-1);
            break;
        case VK_HOME:
            HighlightFrom(-1, 1);
            break;
        case VK_END:
            HighlightFrom(m_menuShown->GetMenuItemCount(), -1);
            break;
        case VK_RETURN:
            Choose(m_highlight, true);
            break;
        case VK_RIGHT:
            if (HasSubmenu(m_highlight)) {
                OpenSubmenu(m_highlight, true);
            } else {
                StepAlongBar(BarStep::kNext);
            }
            break;
        case VK_LEFT:
            if (m_parent) {
                Close(Closing::kByKeyboard);
            } else {
                StepAlongBar(BarStep::kPrevious);
            }
            break;
        default:
            break;
    }
    return TRUE;
}
