#include "platform/win/NonClientPainter.h"

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CMenu.h"
#include "platform/win/CMenuBarTracker.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/CWnd.h"
#include "platform/win/CaptionGlyphs.h"
#include "platform/win/MenuText.h"
#include "platform/win/NonClientPress.h"
#include "platform/win/ScrollBarGeometry.h"
#include "platform/win/WindowManager.h"

namespace {
constexpr int kCaptionHeight = 18;
constexpr int kMenuBarHeight = 19;
constexpr int kMenuItemPadding = 6;
constexpr int kCornerGrip = 16;

int FrameThickness(DWORD style) {
    if (style & WS_THICKFRAME) return 4;
    if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME)) return 3;
    if (style & WS_BORDER) return 1;
    return 0;
}

bool HasMenuBar(const CWnd& window) { return window.IsTopLevel() && window.GetMenu() != nullptr; }

CRect CaptionRect(const CWnd& window) {
    CRect rect;
    window.GetWindowRect(&rect);
    const int frame = FrameThickness(window.GetStyle());
    return CRect(frame, frame, rect.Width() - frame, frame + kCaptionHeight - 1);
}

CaptionGlyphs::Glyph GlyphOf(const CWnd& window, UINT hit) {
    if (hit == HTCLOSE)
        return CaptionGlyphs::Close;
    if (hit == HTMAXBUTTON)
        return window.IsZoomed() ? CaptionGlyphs::Restore : CaptionGlyphs::Maximise;
    return window.IsIconic() ? CaptionGlyphs::Restore : CaptionGlyphs::Minimise;
}

void DrawCaptionButtons(const CWnd& window, CDC& dc) {
    const UINT pressed = NonClientPress::PressedButton(window);
    for (UINT hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
        const CRect button = NonClientPainter::CaptionButtonRect(window, hit);
        if (!button.IsRectEmpty())
            CaptionGlyphs::DrawButton(dc, button, GlyphOf(window, hit), pressed == hit);
    }
}

// A row of caption buttons ending at right: close, a gap, then maximise with minimise touching
// it, each there when the style asks for it.
CRect ButtonInRow(DWORD style, UINT hit, int right, int top) {
    CRect button(right - CaptionGlyphs::kButtonWidth, top, right, top + CaptionGlyphs::kButtonHeight);
    if (hit == HTCLOSE)
        return button;
    button.OffsetRect(-(CaptionGlyphs::kButtonWidth + 2), 0);
    if (hit == HTMAXBUTTON)
        return (style & WS_MAXIMIZEBOX) ? button : CRect();
    if (hit != HTMINBUTTON || (style & WS_MINIMIZEBOX) == 0)
        return CRect();
    if (style & WS_MAXIMIZEBOX)
        button.OffsetRect(-CaptionGlyphs::kButtonWidth, 0);
    return button;
}

// Frames, the windows with a minimise or maximise box, show the program's icon in their caption.
bool HasSystemIcon(DWORD style) {
    return (style & WS_SYSMENU) && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

// The frame, caption and menu bar: what lies outside the client edge.
CRect FrameInsets(const CWnd& window) {
    const DWORD style = window.GetStyle();
    const int frame = FrameThickness(style);
    CRect insets(frame, frame, frame, frame);
    if ((style & WS_CAPTION) == WS_CAPTION)
        insets.top += kCaptionHeight;
    if (HasMenuBar(window))
        insets.top += kMenuBarHeight;
    return insets;
}

// The sizing border's part under a window point: an edge, or a corner within a grip's reach of it.
UINT BorderHit(const CWnd& window, POINT point) {
    const DWORD style = window.GetStyle();
    if ((style & WS_THICKFRAME) == 0 || window.IsZoomed()) return HTNOWHERE;
    CRect rect;
    window.GetWindowRect(&rect);
    const int frame = FrameThickness(style);
    const int width = rect.Width();
    const int height = rect.Height();
    const bool left = point.x < frame;
    const bool right = point.x >= width - frame;
    const bool top = point.y < frame;
    const bool bottom = point.y >= height - frame;
    if (!left && !right && !top && !bottom) return HTNOWHERE;
    const bool nearLeft = point.x < kCornerGrip;
    const bool nearRight = point.x >= width - kCornerGrip;
    const bool nearTop = point.y < kCornerGrip;
    const bool nearBottom = point.y >= height - kCornerGrip;
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    return top ? HTTOP : HTBOTTOM;
}
}  // namespace

namespace NonClientPainter {

namespace {
// The menu items start after a maximised child's icon.
int MenuItemsLeft(const CWnd& window, const CRect& bar) {
    return bar.left + (window.MenuBarChild() ? CaptionGlyphs::kIconSize + 2 : 0);
}

MenuText::BarItemLook BarItemLookOf(const CWnd& window, int item) {
    if (CMenuPopupWnd::OpenBarItem(&window) == item)
        return MenuText::BarItemLook::kOpen;
    if (CMenuBarTracker::HighlightedTitle(&window) == item)
        return MenuText::BarItemLook::kHighlighted;
    return MenuText::BarItemLook::kPlain;
}

void DrawMenuBarChild(const CWnd& window, CDC& dc) {
    const CWnd* child = window.MenuBarChild();
    if (!child)
        return;
    CaptionGlyphs::DrawSystemIcon(dc, MenuBarIconRect(window).TopLeft());
    const int pressed = NonClientPress::PressedPart(window, HTMENU);
    for (UINT hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
        const CRect button = MenuBarButtonRect(window, hit);
        if (!button.IsRectEmpty())
            CaptionGlyphs::DrawButton(dc, button, GlyphOf(*child, hit), pressed == static_cast<int>(hit));
    }
}
}  // namespace

CRect Insets(const CWnd& window) {
    const DWORD style = window.GetStyle();
    CRect insets = FrameInsets(window);
    if (window.GetExStyle() & WS_EX_CLIENTEDGE)
        insets = CRect(insets.left + 2, insets.top + 2, insets.right + 2, insets.bottom + 2);
    if (style & WS_VSCROLL) insets.right += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
    return insets;
}

CSize IconicSize(const CWnd& window) {
    constexpr int kIconicWidth = 160;
    return CSize(kIconicWidth, kCaptionHeight + 2 * FrameThickness(window.GetStyle()));
}

CRect CaptionButtonRect(const CWnd& window, UINT hit) {
    const DWORD style = window.GetStyle();
    if ((style & WS_CAPTION) != WS_CAPTION || (style & WS_SYSMENU) == 0) return CRect();
    const CRect caption = CaptionRect(window);
    if (hit == HTSYSMENU) {
        if (!HasSystemIcon(style))
            return CRect();
        return CRect(caption.left + 1, caption.top + 1, caption.left + 1 + CaptionGlyphs::kIconSize,
                     caption.top + 1 + CaptionGlyphs::kIconSize);
    }
    return ButtonInRow(style, hit, caption.right - 2, caption.top + 2);
}

CRect MenuBarIconRect(const CWnd& window) {
    const CRect bar = MenuBarRect(window);
    if (!window.MenuBarChild() || bar.IsRectEmpty())
        return CRect();
    const int top = bar.top + (bar.Height() - CaptionGlyphs::kIconSize) / 2;
    return CRect(bar.left + 1, top, bar.left + 1 + CaptionGlyphs::kIconSize, top + CaptionGlyphs::kIconSize);
}

CRect MenuBarButtonRect(const CWnd& window, UINT hit) {
    const CWnd* child = window.MenuBarChild();
    const CRect bar = MenuBarRect(window);
    if (!child || bar.IsRectEmpty())
        return CRect();
    return ButtonInRow(child->GetStyle(), hit, bar.right - 2,
                       bar.top + (bar.Height() - CaptionGlyphs::kButtonHeight) / 2);
}

CRect MenuBarRect(const CWnd& window) {
    if (!HasMenuBar(window)) return CRect();
    CRect rect;
    window.GetWindowRect(&rect);
    const int frame = FrameThickness(window.GetStyle());
    const int top = frame + (((window.GetStyle() & WS_CAPTION) == WS_CAPTION) ? kCaptionHeight : 0);
    return CRect(frame, top, rect.Width() - frame, top + kMenuBarHeight);
}

CRect MenuBarItemRect(const CWnd& window, int item) {
    const CRect bar = MenuBarRect(window);
    CMenu* menu = window.GetMenu();
    if (bar.IsRectEmpty() || item < 0 || item >= menu->GetMenuItemCount()) return CRect();
    int x = MenuItemsLeft(window, bar);
    for (int i = 0; i < item; ++i) x += MenuText::Width(menu->ItemAt(i)->text) + 2 * kMenuItemPadding;
    return CRect(x, bar.top + 1, x + MenuText::Width(menu->ItemAt(item)->text) + 2 * kMenuItemPadding, bar.bottom - 1);
}

int MenuBarItemAt(const CWnd& window, POINT windowPoint, CRect* itemRect) {
    const CRect bar = MenuBarRect(window);
    if (!bar.PtInRect(windowPoint)) return -1;
    CMenu* menu = window.GetMenu();
    int x = MenuItemsLeft(window, bar);
    for (int i = 0; i < menu->GetMenuItemCount(); ++i) {
        const int width = MenuText::Width(menu->ItemAt(i)->text) + 2 * kMenuItemPadding;
        CRect item(x, bar.top + 1, x + width, bar.bottom - 1);
        if (item.PtInRect(windowPoint)) {
            if (itemRect) *itemRect = item;
            return i;
        }
        x += width;
    }
    return -1;
}

UINT HitTest(const CWnd& window, POINT windowPoint) {
    if (const UINT border = BorderHit(window, windowPoint); border != HTNOWHERE) return border;
    for (UINT button : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTSYSMENU})
        if (CaptionButtonRect(window, button).PtInRect(windowPoint)) return button;
    if ((window.GetStyle() & WS_CAPTION) == WS_CAPTION && CaptionRect(window).PtInRect(windowPoint)) return HTCAPTION;
    if (MenuBarRect(window).PtInRect(windowPoint)) return HTMENU;
    if (window.ScrollBarRect(SB_VERT).PtInRect(windowPoint)) return HTVSCROLL;
    if (window.ScrollBarRect(SB_HORZ).PtInRect(windowPoint)) return HTHSCROLL;
    return HTBORDER;
}

void PaintScrollBars(const CWnd& window, CDC& dc) {
    for (int bar : {SB_HORZ, SB_VERT}) {
        const CRect barRect = window.ScrollBarRect(bar);
        if (barRect.IsRectEmpty())
            continue;
        SCROLLINFO info{};
        window.GetScrollInfo(bar, &info);
        const auto pressed = static_cast<ScrollBarGeometry::Part>(
            NonClientPress::PressedPart(window, bar == SB_VERT ? HTVSCROLL : HTHSCROLL));
        ScrollBarGeometry(barRect, bar == SB_VERT, info)
            .Paint(dc, pressed, window.IsWindowEnabled() != FALSE);
    }
    const CRect vertical = window.ScrollBarRect(SB_VERT);
    const CRect horizontal = window.ScrollBarRect(SB_HORZ);
    if (!vertical.IsRectEmpty() && !horizontal.IsRectEmpty())
        dc.FillSolidRect(vertical.left, horizontal.top, vertical.Width(), horizontal.Height(),
                         GetSysColor(COLOR_BTNFACE));
}

void Paint(CWnd& window, CDC& dc) {
    CRect rect;
    window.GetWindowRect(&rect);
    rect.OffsetRect(-rect.left, -rect.top);
    const DWORD style = window.GetStyle();
    const int frame = FrameThickness(style);
    if (frame == 1) {
        dc.Draw3dRect(&rect, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
    } else if (frame > 1) {
        // The raised edge takes the two outer rings; face fills every ring inside it, so nothing
        // of what lay under the window (the MDI client, an old position) shows through the frame.
        CRect edge = rect;
        dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT | BF_ADJUST);
        for (int ring = 2; ring < frame; ++ring) {
            dc.Draw3dRect(&edge, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
            edge.DeflateRect(1, 1);
        }
    }
    if ((style & WS_CAPTION) == WS_CAPTION) {
        const bool active = window.IsCaptionActive();
        CRect caption = CaptionRect(window);
        dc.FillSolidRect(&caption, GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        dc.FillSolidRect(caption.left, caption.bottom, caption.Width(), 1, GetSysColor(COLOR_BTNFACE));
        CString title;
        window.GetWindowText(title);
        CRect text = caption;
        text.left += 4;
        if (const CRect icon = CaptionButtonRect(window, HTSYSMENU); !icon.IsRectEmpty()) {
            CaptionGlyphs::DrawSystemIcon(dc, icon.TopLeft());
            text.left = icon.right + 2;
        }
        for (UINT button : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
            const CRect buttonRect = CaptionButtonRect(window, button);
            if (!buttonRect.IsRectEmpty()) text.right = std::min(text.right, buttonRect.left - 2);
        }
        MenuText::DrawCaption(dc, title, text, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        DrawCaptionButtons(window, dc);
    }
    const CRect bar = MenuBarRect(window);
    if (!bar.IsRectEmpty()) {
        dc.FillSolidRect(&bar, GetSysColor(COLOR_MENU));
        CMenu* menu = window.GetMenu();
        int x = MenuItemsLeft(window, bar);
        for (int i = 0; i < menu->GetMenuItemCount(); ++i) {
            const CMenu::Item* item = menu->ItemAt(i);
            const int width = MenuText::Width(item->text) + 2 * kMenuItemPadding;
            CRect itemRect(x, bar.top, x + width, bar.bottom);
            MenuText::DrawBarItem(dc, item->text, itemRect, (item->flags & MF_GRAYED) != 0,
                                  BarItemLookOf(window, i));
            x += width;
        }
        DrawMenuBarChild(window, dc);
    }
    PaintScrollBars(window, dc);
    if (window.GetExStyle() & WS_EX_CLIENTEDGE) {
        // The sunken edge surrounds the scroll bars as well as the client area.
        const CRect insets = FrameInsets(window);
        CRect edge(insets.left, insets.top, rect.Width() - insets.right, rect.Height() - insets.bottom);
        dc.DrawEdge(&edge, EDGE_SUNKEN, BF_RECT);
    }
}

}  // namespace NonClientPainter
