#include "platform/win/CWnd.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/CDC.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CMenu.h"
#include "platform/win/CMenuBarTracker.h"
#include "platform/win/NonClientPainter.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {
WindowManager& Manager() { return WindowManager::Instance(); }
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

RectRegion Subtract(const RectRegion& region, const CRect& rect) {
    return RectRegion::Combine(region, RectRegion(rect), RGN_DIFF);
}
RectRegion Intersect(const RectRegion& region, const CRect& rect) {
    return RectRegion::Combine(region, RectRegion(rect), RGN_AND);
}
}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hWnd) DestroyWindow();
}

// --- Creation -------------------------------------------------------------------------------

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  void* createParams) {
    return CreateEx(0, className, windowName, style, rect, parent, id, createParams);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, void* createParams) {
    if (m_hWnd) return FALSE;
    CREATESTRUCT cs{createParams,  nullptr,   parent,    rect.bottom - rect.top, rect.right - rect.left,
                    rect.top,      rect.left, static_cast<LONG>(style), windowName, className,
                    exStyle};
    if (!PreCreateWindow(cs)) return FALSE;
    if (cs.x == CW_USEDEFAULT) cs.x = cs.y = 0;
    if (cs.cx == CW_USEDEFAULT || cs.cx <= 0) cs.cx = kDefaultWidth, cs.cy = kDefaultHeight;
    m_class = FindWindowClass(cs.lpszClass);
    if (!m_class) m_class = DefaultWindowClass();
    m_style = static_cast<DWORD>(cs.style) & ~WS_VISIBLE;
    m_exStyle = cs.dwExStyle;
    m_text = cs.lpszName ? cs.lpszName : "";
    m_id = id;
    m_rect = CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
    if (cs.hMenu) m_menu = cs.hMenu;
    m_hWnd = this;
    Attach(cs.hwndParent);
    Manager().Register(this);
    if (IsTopLevel()) ResizeSurface();
    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if (!IsWindow(this)) return FALSE;
    CRect client;
    GetClientRect(&client);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    if (static_cast<DWORD>(cs.style) & WS_VISIBLE) ShowWindow((cs.style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    return IsWindow(this);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

void CWnd::Attach(CWnd* parent) {
    if ((m_style & WS_CHILD) && parent) {
        m_parent = parent;
        parent->m_children.push_back(this);
    } else {
        m_owner = parent;
    }
}

void CWnd::ExposePlace(const CRect& place) {
    m_parent->InvalidateRect(&place, TRUE);
    if (IsTopLevel())
        return;
    // Siblings it covered show again, frames and all.
    for (CWnd* sibling : m_parent->m_children) {
        CRect overlap;
        if (sibling != this && overlap.IntersectRect(&sibling->m_rect, &place))
            sibling->InvalidateTree();
    }
}

void CWnd::Detach() {
    if (m_parent) {
        std::erase(m_parent->m_children, this);
        ExposePlace(m_rect);
    }
    m_parent = nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd || m_destroying) return FALSE;
    m_destroying = true;
    if (Manager().GetCapture() == this) Manager().ReleaseCapture();
    if (m_modal) EndModalLoop(IDCANCEL);
    if (IsTopLevel()) CMenuBarTracker::Leave(this);
    // The focus leaves before anything goes, so that the control losing it still finds its
    // siblings (a field read as it is left would find the others gone and read them as empty).
    CWnd* focus = Manager().GetFocus();
    if (focus == this || IsChild(focus)) Manager().SetFocus(nullptr);
    const bool wasVisible = IsWindowVisible();
    SendMessage(WM_DESTROY);
    DestroyChildren();
    if (wasVisible && m_parent)
        ExposePlace(m_rect);
    Detach();
    Manager().Unregister(this);
    m_dcs.clear();
    m_surface.reset();
    m_hWnd = nullptr;
    m_destroying = false;
    OnNcDestroy();
    return TRUE;
}

void CWnd::DestroyChildren() {
    while (!m_children.empty()) {
        CWnd* child = m_children.back();
        if (!child->DestroyWindow()) std::erase(m_children, child);
    }
}

void CWnd::OnNcDestroy() { PostNcDestroy(); }
void CWnd::PostNcDestroy() {}

// --- Tree -----------------------------------------------------------------------------------

CWnd* CWnd::GetTopLevelParent() const {
    const CWnd* window = this;
    while (!window->IsTopLevel()) window = window->m_parent;
    return const_cast<CWnd*>(window);
}

CWnd* CWnd::GetParentFrame() const {
    for (CWnd* window = m_parent; window; window = window->m_parent)
        if (window->IsFrameWindow()) return window;
    return nullptr;
}

bool CWnd::IsCaptionActive() const {
    return m_captionActive;
}

CWnd* CWnd::GetDlgItem(int id) const {
    for (CWnd* child : m_children)
        if (child->m_id == static_cast<UINT>(id)) return child;
    return nullptr;
}

BOOL CWnd::IsChild(const CWnd* window) const {
    for (const CWnd* each = window ? window->m_parent : nullptr; each; each = each->m_parent)
        if (each == this) return TRUE;
    return FALSE;
}

CWnd* CWnd::ChildWindowFromPoint(POINT clientPoint) const {
    for (auto child = m_children.rbegin(); child != m_children.rend(); ++child)
        if ((*child)->IsWindowVisible() && (*child)->m_rect.PtInRect(clientPoint)) return *child;
    return nullptr;
}

// --- Rectangles -----------------------------------------------------------------------------

CRect CWnd::NonClientInsets() const { return NonClientPainter::Insets(*this); }

void CWnd::GetWindowRect(RECT* rect) const {
    CRect screen = m_rect;
    if (!IsTopLevel()) {
        CPoint origin;
        m_parent->ClientToScreen(&origin);
        screen.OffsetRect(origin);
    }
    *rect = screen;
}

void CWnd::GetClientRect(RECT* rect) const {
    const CRect insets = NonClientInsets();
    *rect = CRect(0, 0, std::max(0, m_rect.Width() - insets.left - insets.right),
                  std::max(0, m_rect.Height() - insets.top - insets.bottom));
}

void CWnd::ClientToScreen(POINT* point) const {
    CRect window;
    GetWindowRect(&window);
    const CRect insets = NonClientInsets();
    point->x += window.left + insets.left;
    point->y += window.top + insets.top;
}

void CWnd::ClientToScreen(RECT* rect) const {
    ClientToScreen(reinterpret_cast<POINT*>(rect));
    ClientToScreen(reinterpret_cast<POINT*>(rect) + 1);
}

void CWnd::ScreenToClient(POINT* point) const {
    CPoint origin;
    ClientToScreen(&origin);
    point->x -= origin.x;
    point->y -= origin.y;
}

void CWnd::ScreenToClient(RECT* rect) const {
    ScreenToClient(reinterpret_cast<POINT*>(rect));
    ScreenToClient(reinterpret_cast<POINT*>(rect) + 1);
}

void CWnd::MapWindowPoints(CWnd* to, POINT* points, int count) const {
    for (int i = 0; i < count; ++i) {
        ClientToScreen(&points[i]);
        if (to) to->ScreenToClient(&points[i]);
    }
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL) {
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::MoveWindow(const RECT* rect, BOOL repaint) {
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    if (!m_hWnd) return FALSE;
    WINDOWPOS position{m_hWnd, const_cast<CWnd*>(insertAfter), x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) position.x = m_rect.left, position.y = m_rect.top;
    if (flags & SWP_NOSIZE) position.cx = m_rect.Width(), position.cy = m_rect.Height();
    SendMessage(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    // The window may have changed the place or refused the move or the size.
    flags = position.flags;
    if (flags & SWP_NOMOVE) position.x = m_rect.left, position.y = m_rect.top;
    if (flags & SWP_NOSIZE) position.cx = m_rect.Width(), position.cy = m_rect.Height();
    if ((flags & SWP_NOZORDER) == 0 && insertAfter == HWND_BOTTOM) {
        SendToBottom();
    } else if ((flags & SWP_NOZORDER) == 0 && insertAfter && insertAfter != HWND_TOPMOST &&
               insertAfter != HWND_NOTOPMOST) {
        PlaceAfter(insertAfter);
    } else if ((flags & SWP_NOZORDER) == 0) {
        if (insertAfter == HWND_TOPMOST) m_exStyle |= WS_EX_TOPMOST;
        if (insertAfter == HWND_NOTOPMOST) m_exStyle &= ~WS_EX_TOPMOST;
        BringWindowToTop();
    }
    SetWindowRect(CRect(position.x, position.y, position.x + position.cx, position.y + position.cy));
    if (flags & SWP_SHOWWINDOW) ShowWindow((flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(SW_HIDE);
    if (IsWindow(this)) SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    return TRUE;
}

void CWnd::SetWindowRect(const CRect& rect) {
    if (rect == m_rect) return;
    const CRect old = m_rect;
    const bool moved = old.TopLeft() != rect.TopLeft();
    const bool sized = old.Size() != rect.Size();
    if (m_parent && IsWindowVisible())
        ExposePlace(old);
    m_rect = rect;
    if (IsTopLevel() && sized) ResizeSurface();
    if (IsTopLevel()) Manager().TopLevelChanged(this);
    // A child that moved left its own children's pixels behind at the old place.
    if (moved && !IsTopLevel()) {
        InvalidateTree();
    } else {
        m_ncDirty = true;
        Invalidate(TRUE);
    }
    if (moved) {
        CPoint topLeft = rect.TopLeft();
        SendMessage(WM_MOVE, 0, MAKELPARAM(topLeft.x, topLeft.y));
    }
    if (sized && IsWindow(this)) {
        CRect client;
        GetClientRect(&client);
        SendMessage(WM_SIZE, SizeType(), MAKELPARAM(client.Width(), client.Height()));
    }
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    CRect area;
    CWnd* around = alternateOwner ? alternateOwner : GetOwner();
    if (around && IsWindow(around) && around->IsWindowVisible()) {
        around->GetWindowRect(&area);
    } else {
        const CSize screen = Manager().ScreenSize();
        area = CRect(0, 0, screen.cx, screen.cy);
    }
    if (!IsTopLevel()) m_parent->ScreenToClient(&area);
    const int x = area.left + (area.Width() - m_rect.Width()) / 2;
    const int y = area.top + (area.Height() - m_rect.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- State ----------------------------------------------------------------------------------

BOOL CWnd::ShowWindow(int command) {
    if (!m_hWnd) return FALSE;
    const BOOL wasVisible = (m_style & WS_VISIBLE) ? TRUE : FALSE;
    if (command == SW_HIDE) {
        if (!wasVisible) return FALSE;
        SendMessage(WM_SHOWWINDOW, FALSE, 0);
        m_style &= ~WS_VISIBLE;
        if (m_parent)
            ExposePlace(m_rect);
        if (IsChild(Manager().GetFocus()) || Manager().GetFocus() == this) Manager().SetFocus(m_parent);
        if (IsTopLevel()) {
            Manager().ActivateAfter(this);
            Manager().TopLevelChanged(this);
        }
        return TRUE;
    }
    if (!wasVisible) SendMessage(WM_SHOWWINDOW, TRUE, 0);
    m_style |= WS_VISIBLE;
    if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED)
        Minimise();
    if ((command == SW_RESTORE || command == SW_SHOWNORMAL) && (IsZoomed() || IsIconic())) {
        m_style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
        SetWindowRect(m_restoreRect);
    }
    if (command == SW_SHOWMAXIMIZED && !IsZoomed()) {
        // A minimised window keeps the place it had before.
        if (!IsIconic())
            m_restoreRect = m_rect;
        m_style = (m_style & ~WS_MINIMIZE) | WS_MAXIMIZE;
        CRect area;
        if (IsTopLevel()) {
            const CSize screen = Manager().ScreenSize();
            area = CRect(0, 0, screen.cx, screen.cy);
        } else {
            m_parent->GetClientRect(&area);
        }
        SetWindowRect(area);
    }
    // A window that was hidden left its children's pixels to whatever lay under it.
    if (wasVisible) {
        m_ncDirty = true;
        Invalidate(TRUE);
    } else {
        InvalidateTree();
    }
    if (IsTopLevel()) {
        Manager().TopLevelChanged(this);
        if (command != SW_SHOWNA && command != SW_SHOWNOACTIVATE) Manager().Activate(this);
    }
    return wasVisible;
}

UINT CWnd::SizeType() const {
    if (IsIconic())
        return SIZE_MINIMIZED;
    return IsZoomed() ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

void CWnd::Minimise() {
    if (IsIconic())
        return;
    if (!IsZoomed())
        m_restoreRect = m_rect;
    m_style = (m_style & ~WS_MAXIMIZE) | WS_MINIMIZE;
    // The desktop takes a top-level window away; a child shrinks to its caption at the foot of
    // its parent.
    if (!IsTopLevel())
        SetWindowRect(IconicPlace());
}

CRect CWnd::IconicPlace() const {
    CRect area;
    m_parent->GetClientRect(&area);
    const CSize size = NonClientPainter::IconicSize(*this);
    for (int x = area.left;; x += size.cx) {
        const CRect place(x, area.bottom - size.cy, x + size.cx, area.bottom);
        const bool taken =
            std::any_of(m_parent->m_children.begin(), m_parent->m_children.end(), [&](CWnd* sibling) {
                return sibling != this && sibling->IsIconic() && sibling->m_rect == place;
            });
        if (!taken || place.right + size.cx > area.right)
            return place;
    }
}

BOOL CWnd::IsWindowVisible() const {
    for (const CWnd* window = this; window; window = window->IsTopLevel() ? nullptr : window->m_parent)
        if (!window->m_hWnd || (window->m_style & WS_VISIBLE) == 0) return FALSE;
    return TRUE;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    const BOOL wasDisabled = IsWindowEnabled() ? FALSE : TRUE;
    if (enable) {
        m_style &= ~WS_DISABLED;
    } else {
        m_style |= WS_DISABLED;
        if (Manager().GetCapture() == this) Manager().ReleaseCapture();
        if (Manager().GetFocus() == this) Manager().SetFocus(nullptr);
    }
    if (wasDisabled != (enable ? FALSE : TRUE)) {
        // Whatever the window was tracking ends, menus opened from it among them.
        if (!enable)
            SendMessage(WM_CANCELMODE);
        SendMessage(WM_ENABLE, enable ? TRUE : FALSE);
        // Its scroll bars grey out or come back with it.
        m_ncDirty = true;
        Invalidate(TRUE);
    }
    return wasDisabled;
}

void CWnd::SetWindowText(LPCTSTR text) { SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")); }

int CWnd::GetWindowText(LPTSTR buffer, int maxCount) const {
    if (!buffer || maxCount <= 0) return 0;
    const int count = std::min(maxCount - 1, m_text.GetLength());
    std::memcpy(buffer, m_text.c_str(), static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return count;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
    const DWORD old = m_style;
    m_style = (m_style & ~remove) | add;
    if (old != m_style) m_ncDirty = true;
    return old != m_style ? TRUE : FALSE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT) {
    const DWORD old = m_exStyle;
    m_exStyle = (m_exStyle & ~remove) | add;
    if (old != m_exStyle) m_ncDirty = true;
    return old != m_exStyle ? TRUE : FALSE;
}

// --- Painting -------------------------------------------------------------------------------

void CWnd::ResizeSurface() {
    m_surface = std::make_shared<PixelSurface>(std::max(1, m_rect.Width()), std::max(1, m_rect.Height()),
                                               PixelFromColor(GetSysColor(COLOR_BTNFACE)));
    std::vector<CWnd*> pending{this};
    while (!pending.empty()) {
        CWnd* window = pending.back();
        pending.pop_back();
        window->m_ncDirty = true;
        window->Invalidate(TRUE);
        pending.insert(pending.end(), window->m_children.begin(), window->m_children.end());
    }
}

CRect CWnd::WindowRectInSurface() const {
    CRect rect;
    GetWindowRect(&rect);
    CRect top;
    GetTopLevelParent()->GetWindowRect(&top);
    rect.OffsetRect(-top.left, -top.top);
    return rect;
}

CPoint CWnd::SurfaceOrigin() const {
    const CRect insets = NonClientInsets();
    return WindowRectInSurface().TopLeft() + CPoint(insets.left, insets.top);
}

CRect CWnd::ClientRectInSurface() const {
    CRect client;
    GetClientRect(&client);
    client.OffsetRect(SurfaceOrigin());
    return client;
}

RectRegion CWnd::ClippedByAncestorsAndWindowsAbove(RectRegion region) const {
    for (const CWnd* window = this; !window->IsTopLevel(); window = window->m_parent) {
        const CWnd* parent = window->m_parent;
        region = Intersect(region, parent->ClientRectInSurface());
        auto self = std::find(parent->m_children.begin(), parent->m_children.end(), window);
        for (auto above = self + 1; above < parent->m_children.end(); ++above)
            if ((*above)->IsWindowVisible()) region = Subtract(region, (*above)->WindowRectInSurface());
    }
    return region;
}

RectRegion CWnd::VisibleClientRegionInSurface() const {
    if (!IsWindowVisible()) return RectRegion();
    RectRegion region = ClippedByAncestorsAndWindowsAbove(RectRegion(ClientRectInSurface()));
    for (const CWnd* child : m_children)
        if (child->IsWindowVisible()) region = Subtract(region, child->WindowRectInSurface());
    return region;
}

RectRegion CWnd::VisibleClientRegion() const {
    RectRegion region = VisibleClientRegionInSurface();
    const CPoint origin = SurfaceOrigin();
    region.Offset(-origin.x, -origin.y);
    return region;
}

void CWnd::AttachClientDC(CDC& dc, const RectRegion* limit) const {
    const CWnd* top = GetTopLevelParent();
    if (!top->m_surface) return;
    const CPoint origin = SurfaceOrigin();
    RectRegion visible = VisibleClientRegion();
    if (limit) visible = RectRegion::Combine(visible, *limit, RGN_AND);
    CRect client;
    GetClientRect(&client);
    dc.AttachSurface(top->m_surface, origin, client);
    CRgn clip;
    clip.SetRegion(visible);
    dc.SelectClipRgn(&clip);
}

// The frame of a window under a sibling (a plan window under a 3D window) stays hidden.
void CWnd::AttachWindowDC(CDC& dc) const {
    const CWnd* top = GetTopLevelParent();
    if (!top->m_surface) return;
    const CRect window = WindowRectInSurface();
    dc.AttachSurface(top->m_surface, window.TopLeft(), CRect(0, 0, window.Width(), window.Height()));
    if (IsTopLevel()) return;
    RectRegion visible = ClippedByAncestorsAndWindowsAbove(RectRegion(window));
    visible.Offset(-window.left, -window.top);
    CRgn clip;
    clip.SetRegion(visible);
    dc.SelectClipRgn(&clip);
}

void CWnd::Invalidate(BOOL erase) { InvalidateRect(nullptr, erase); }

void CWnd::InvalidateRect(const RECT* rect, BOOL erase) {
    CRect client;
    GetClientRect(&client);
    CRect area = rect ? CRect(*rect) & client : client;
    if (area.IsRectEmpty()) return;
    InvalidateRgn(RectRegion(area), erase);
}

void CWnd::InvalidateRgn(const RectRegion& region, BOOL erase) {
    if (region.IsEmpty()) return;
    m_update = RectRegion::Combine(m_update, region, RGN_OR);
    if (erase) m_erase = true;
}

void CWnd::ValidateRect(const RECT* rect) {
    m_update = rect ? RectRegion::Combine(m_update, RectRegion(CRect(*rect)), RGN_DIFF) : RectRegion();
    if (m_update.IsEmpty()) m_erase = false;
}

BOOL CWnd::GetUpdateRect(RECT* rect, BOOL) const {
    if (rect) *rect = m_update.Bounds();
    return m_update.IsEmpty() ? FALSE : TRUE;
}

void CWnd::SetRedraw(BOOL redraw) { SendMessage(WM_SETREDRAW, redraw); }

bool CWnd::IsRedrawFrozen() const {
    for (const CWnd* window = this; window; window = window->IsTopLevel() ? nullptr : window->m_parent)
        if (window->m_redrawFrozen) return true;
    return false;
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

CFont* CWnd::GetFont() const {
    return reinterpret_cast<CFont*>(const_cast<CWnd*>(this)->SendMessage(WM_GETFONT));
}

void CWnd::UpdateWindow() {
    if (m_hWnd && IsWindowVisible() && !m_update.IsEmpty() && !IsRedrawFrozen()) {
        Caret& caret = Manager().GetCaret();
        caret.Lift(GetTopLevelParent());
        DispatchPaint();
        caret.Restore();
        Manager().TopLevelChanged(GetTopLevelParent());
    }
}

void CWnd::DispatchPaint() {
    SendMessage(WM_PAINT);
    // A handler that did not paint still leaves the window valid, as the system's would.
    if (IsWindow(this)) ValidateRect(nullptr);
}

bool CWnd::PaintTree() {
    if (!IsWindowVisible() || m_redrawFrozen) return false;
    bool painted = false;
    if (m_ncDirty) {
        m_ncDirty = false;
        SendMessage(WM_NCPAINT);
        painted = true;
    }
    if (!m_update.IsEmpty()) {
        DispatchPaint();
        painted = true;
    }
    const std::vector<CWnd*> children = m_children;
    for (CWnd* child : children)
        if (IsWindow(child) && child->PaintTree()) painted = true;
    return painted;
}

void CWnd::BeginPaintInto(CDC& dc, PAINTSTRUCT* paint) {
    const RectRegion update = m_update;
    const bool erase = m_erase;
    m_update = RectRegion();
    m_erase = false;
    AttachClientDC(dc, &update);
    paint->hdc = &dc;
    paint->fErase = erase ? TRUE : FALSE;
    paint->rcPaint = update.Bounds();
    if (erase) paint->fErase = SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc)) ? FALSE : TRUE;
}

CDC* CWnd::BeginPaint(PAINTSTRUCT* paint) {
    auto dc = std::make_unique<CWindowBoundDC>();
    dc->m_hWnd = this;
    BeginPaintInto(*dc, paint);
    m_dcs.push_back(std::move(dc));
    return m_dcs.back().get();
}

void CWnd::EndPaint(PAINTSTRUCT* paint) {
    if (!paint) return;
    std::erase_if(m_dcs, [paint](const std::unique_ptr<CDC>& dc) { return dc.get() == paint->hdc; });
}

CDC* CWnd::GetDC() {
    m_dcs.push_back(std::make_unique<CClientDC>(this));
    return m_dcs.back().get();
}

CDC* CWnd::GetWindowDC() {
    m_dcs.push_back(std::make_unique<CWindowDC>(this));
    return m_dcs.back().get();
}

int CWnd::ReleaseDC(CDC* dc) {
    const auto removed = std::erase_if(m_dcs, [dc](const std::unique_ptr<CDC>& each) { return each.get() == dc; });
    return removed ? 1 : 0;
}

void CWnd::ScrollWindow(int dx, int dy, const RECT* scrollRect, const RECT* clipRect) {
    CRect area;
    GetClientRect(&area);
    if (scrollRect) area &= *scrollRect;
    if (clipRect) area &= *clipRect;
    if (area.IsRectEmpty() || (dx == 0 && dy == 0)) return;
    Caret& caret = Manager().GetCaret();
    caret.Lift(GetTopLevelParent());
    MovePixels(area, dx, dy);
    caret.Restore();
    // What scrolled in from outside is painted afresh.
    RectRegion exposed(area);
    CRect kept = area;
    kept.OffsetRect(dx, dy);
    exposed = RectRegion::Combine(exposed, RectRegion(kept & area), RGN_DIFF);
    InvalidateRgn(exposed, TRUE);
    if (scrollRect) return;
    for (CWnd* child : m_children) {
        CRect moved = child->m_rect;
        moved.OffsetRect(dx, dy);
        child->SetWindowRect(moved);
    }
}

void CWnd::MovePixels(const CRect& area, int dx, int dy) {
    const std::shared_ptr<PixelSurface>& surface = GetTopLevelParent()->m_surface;
    if (!surface) return;
    const CPoint origin = SurfaceOrigin();
    CRect source = area;
    source.OffsetRect(origin);
    source &= CRect(0, 0, surface->Width(), surface->Height());
    std::vector<std::uint32_t> copy;
    copy.reserve(static_cast<std::size_t>(std::max(0, source.Width() * source.Height())));
    for (int y = source.top; y < source.bottom; ++y)
        for (int x = source.left; x < source.right; ++x) copy.push_back(surface->At(x, y));
    CRect limit = area;
    limit.OffsetRect(origin);
    std::size_t index = 0;
    for (int y = source.top; y < source.bottom; ++y) {
        for (int x = source.left; x < source.right; ++x, ++index) {
            const CPoint to(x + dx, y + dy);
            if (limit.PtInRect(to) && surface->Contains(to.x, to.y)) surface->Set(to.x, to.y, copy[index]);
        }
    }
}

void CWnd::DrawItem(DRAWITEMSTRUCT*) {}
void CWnd::MeasureItem(MEASUREITEMSTRUCT*) {}

// --- Input ----------------------------------------------------------------------------------

CWnd* CWnd::SetFocus() { return Manager().SetFocus(this); }

void CWnd::RestoreFocus() {
    CWnd* kept = Manager().FocusLeftIn(this);
    if (!kept || !IsChild(kept))
        kept = this;
    // A child hidden or disabled meanwhile, or inside one that is, takes no keys.
    for (CWnd* each = kept; each != this; each = each->GetParent())
        if (!each->IsWindowVisible() || !each->IsWindowEnabled())
            kept = this;
    kept->SetFocus();
}
CWnd* CWnd::GetFocus() { return Manager().GetFocus(); }
CWnd* CWnd::SetCapture() { return Manager().SetCapture(this); }
CWnd* CWnd::GetCapture() { return Manager().GetCapture(); }
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void*) { return Manager().SetTimer(this, id, elapse); }
BOOL CWnd::KillTimer(UINT_PTR id) { return Manager().KillTimer(this, id); }
CWnd* CWnd::GetActiveWindow() { return Manager().GetActiveWindow(); }

CWnd* CWnd::SetActiveWindow() {
    CWnd* old = Manager().GetActiveWindow();
    Manager().Activate(GetTopLevelParent());
    return old;
}

void CWnd::BringWindowToTop() {
    if (IsTopLevel()) {
        Manager().BringToTop(this);
        return;
    }
    const bool wasCovered = IsCoveredBySiblingAbove();
    auto& siblings = m_parent->m_children;
    std::erase(siblings, this);
    siblings.push_back(this);
    // What the siblings hid, frame and children included, is painted over them now.
    if (wasCovered)
        InvalidateTree();
}

bool CWnd::IsCoveredBySiblingAbove() const {
    const auto& siblings = m_parent->m_children;
    auto self = std::find(siblings.begin(), siblings.end(), this);
    return std::any_of(self + 1, siblings.end(), [this](const CWnd* above) {
        CRect overlap;
        return above->IsWindowVisible() && overlap.IntersectRect(&above->m_rect, &m_rect);
    });
}

void CWnd::PlaceAfter(const CWnd* sibling) {
    if (IsTopLevel() || sibling == this || sibling->m_parent != m_parent) return;
    auto& siblings = m_parent->m_children;
    std::erase(siblings, this);
    siblings.insert(std::find(siblings.begin(), siblings.end(), sibling) + 1, this);
    // Siblings may now lie over it where they lay under it, or the other way round.
    ExposePlace(m_rect);
    InvalidateTree();
}

// Only child windows are stacked below their siblings; the screen keeps top-level windows.
void CWnd::SendToBottom() {
    if (IsTopLevel()) return;
    auto& siblings = m_parent->m_children;
    std::erase(siblings, this);
    siblings.insert(siblings.begin(), this);
    ExposePlace(m_rect);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::CreateSolidCaret(int width, int height) {
    if (m_hWnd) Manager().GetCaret().Create(this, CSize(std::max(1, width), std::max(1, height)));
}
void CWnd::ShowCaret() { Manager().GetCaret().Show(this); }
void CWnd::HideCaret() { Manager().GetCaret().Hide(this); }
void CWnd::SetCaretPos(POINT point) { ::SetCaretPos(point.x, point.y); }
CPoint CWnd::GetCaretPos() { return Manager().GetCaret().Pos(); }

// --- Modal loops ----------------------------------------------------------------------------

int CWnd::RunModalLoop() {
    CancelCaptureOutside();
    m_modal = true;
    m_modalResult = IDCANCEL;
    Manager().RunModalLoop(this);
    m_modal = false;
    return m_modalResult;
}

// A window outside the modal one that still holds the mouse would take every click meant for
// it: its tracking ends first, as on a desktop.
void CWnd::CancelCaptureOutside() {
    CWnd* holder = Manager().GetCapture();
    if (holder == nullptr || holder == this || IsChild(holder))
        return;
    holder->SendMessage(WM_CANCELMODE);
    if (Manager().GetCapture() == holder)
        Manager().ReleaseCapture();
}

void CWnd::EndModalLoop(int result) {
    m_modalResult = result;
    m_modal = false;
}

// --- Menus ----------------------------------------------------------------------------------

BOOL CWnd::SetMenu(CMenu* menu) {
    m_menu = menu;
    DrawMenuBar();
    if (m_hWnd) {
        CRect client;
        GetClientRect(&client);
        SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
        Invalidate(TRUE);
    }
    return TRUE;
}

void CWnd::DrawMenuBar() { m_ncDirty = true; }
