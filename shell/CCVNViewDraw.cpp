#include <algorithm>
#include <cmath>

#include "model/CCVNDoc.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"
#include "shell/CCVNView.h"
#include "shell/CMainFrame.h"

// The plan is drawn only off screen: the draw buffer holds background, grid and layout; the
// overlay buffer a copy of it with the selection marks, rubber bands and hint laid over.

namespace {

constexpr int kEmptyBufferSide = 10;

int Truncate(double value) {
    return static_cast<int>(value);
}

// Grid lines closer than one logical unit would only fill the area: such an axis is left
// out, so the lines drawn never outnumber the units the area spans.
bool IsGridStep(double step) {
    return step >= 1.0;
}

// How many lines, step apart, lie from low up to high.
long GridLineCount(double low, double high, double step) {
    if (!IsGridStep(step) || !(low <= high))
        return 0;
    return static_cast<long>((high - low) / step) + 1;
}

COLORREF Workspace() {
    return GetSysColor(COLOR_APPWORKSPACE);
}

DeviceRect ToDeviceRect(const CRect& rect) {
    return DeviceRect{rect.left, rect.top, rect.right, rect.bottom};
}

CRect ToRect(const DeviceRect& rect) {
    return CRect(rect.left, rect.top, rect.right, rect.bottom);
}

}  // namespace

// Copies a rectangle between two contexts at the same logical coordinates.
void CCVNView::CopyArea(CDC& target, CDC& source, const CRect& area) {
    CRect upright = area;
    upright.NormalizeRect();
    target.BitBlt(upright.left, upright.bottom, upright.Width(), -upright.Height(), &source, upright.left,
                  upright.bottom, SRCCOPY);
}

namespace {

void Fill(CDC& dc, int left, int top, int right, int bottom, COLORREF colour) {
    CRect area(left, top, right, bottom);
    area.NormalizeRect();
    dc.FillSolidRect(&area, colour);
}

}  // namespace

// ---- Buffers ----

void CCVNView::CreateBuffers() {
    CRect client;
    GetClientRect(&client);
    CClientDC screen(this);
    m_overlayDC.CreateCompatibleDC(&screen);
    m_drawDC.CreateCompatibleDC(&screen);
    const int width = client.Width() != 0 ? std::abs(client.Width()) : kEmptyBufferSide;
    const int height = client.Height() != 0 ? std::abs(client.Height()) : kEmptyBufferSide;
    m_overlayBitmap.CreateCompatibleBitmap(&screen, width, height);
    m_drawBitmap.CreateCompatibleBitmap(&screen, width, height);
    m_pOldOverlayBitmap = m_overlayDC.SelectObject(&m_overlayBitmap);
    m_pOldDrawBitmap = m_drawDC.SelectObject(&m_drawBitmap);
}

// The buffers only grow: a smaller window keeps the larger pictures.
void CCVNView::GrowBuffers() {
    if (m_drawDC.GetSafeHdc() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    BITMAP size{};
    m_drawBitmap.GetBitmap(&size);
    const int width = std::abs(client.Width());
    const int height = std::abs(client.Height());
    if (width <= size.bmWidth && height <= size.bmHeight)
        return;
    m_drawDC.SelectObject(m_pOldDrawBitmap);
    m_overlayDC.SelectObject(m_pOldOverlayBitmap);
    m_drawBitmap.DeleteObject();
    m_overlayBitmap.DeleteObject();
    CClientDC screen(this);
    m_drawBitmap.CreateCompatibleBitmap(&screen, width, height);
    m_overlayBitmap.CreateCompatibleBitmap(&screen, width, height);
    m_drawDC.SelectObject(&m_drawBitmap);
    m_overlayDC.SelectObject(&m_overlayBitmap);
}

BOOL CCVNView::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CCVNView::InvalidateAll() {
    Invalidate(FALSE);
}

void CCVNView::SetUpdateRect(const CRect& rect) {
    CRect upright = rect;
    upright.NormalizeRect();
    Tool().m_rcUpdate = ToDeviceRect(upright);
}

// ---- Full repaint ----

void CCVNView::FillBackground(CDC& dc, const CRect& area) {
    const CSize e = PageExtent();
    const COLORREF background = GetDocument()->m_crBackground;
    if (area.Width() > e.cx || area.top - area.bottom > e.cy) {
        Fill(dc, area.left, area.top, area.right, area.bottom, Workspace());
        Fill(dc, 0, 0, e.cx, -e.cy, background);
    } else {
        Fill(dc, area.left, area.top, area.right, area.bottom, background);
    }
}

void CCVNView::OnDraw(CDC* dc) {
    CCVNDoc* doc = GetDocument();
    CTool& tool = Tool();
    if (dc->IsPrinting()) {
        DrawPrinted(dc);
        return;
    }
    OnPrepareDC(&m_drawDC);
    const CRect area = LogicalClientRect(m_drawDC, false);
    if (!doc->IsPaintable()) {
        CopyArea(*dc, m_drawDC, area);
        return;
    }
    FillBackground(m_drawDC, area);
    TellEngineScale(doc->m_fViewScale);
    UpdateRulersAfterDraw();
    if (doc->m_bGridShown)
        DrawGrid(&m_drawDC, area.left, area.top, area.right, area.bottom, doc->m_nGridWidth,
                 doc->m_nGridHeight);
    tool.SetTargetDC(&m_drawDC, dc);
    SetUpdateRect(area);
    if (!m_bDragBackground) {
        tool.DrawSelection();
        tool.DrawLayout();
        CopyArea(*dc, m_drawDC, area);
        tool.SetTargetDC(dc, dc);
        tool.DrawTrains();
    } else {
        const CPose identity;
        doc->m_rootGroup.DrawIfUnselected(&identity);
        OnPrepareDC(&m_overlayDC);
        tool.SetTargetDC(&m_overlayDC, &m_overlayDC);
        CopyArea(m_overlayDC, m_drawDC, area);
        tool.DrawSelection();
        CopyArea(*dc, m_overlayDC, area);
        m_bDragBackground = 0;
    }
    tool.SetTargetDC(nullptr, nullptr);
    RefreshStatusPanes();
}

// The layout keeps the scale and unit the rulers were last brought up to.
void CCVNView::UpdateRulersAfterDraw() {
    CCVNDoc* doc = GetDocument();
    FollowRulers();
    doc->m_fViewScaleCopy = doc->m_fViewScale;
    doc->m_nUnitIndexCopy = doc->m_nUnitIndex;
}

void CCVNView::RefreshStatusPanes() {
    if (CMainFrame* main = MainFrame())
        main->UpdateStatusPanes();
}

// ---- Partial repaint ----

void CCVNView::RepaintDirty() {
    if (CCVNDoc* doc = GetDocument())
        doc->RepaintDirtyViews();
}

bool CCVNView::RepaintMarkedArea() {
    if (m_bDragBackground)
        return false;
    if (GetDocument() == nullptr || !GetDocument()->IsPaintable() || !IsWindow(this))
        return true;
    const DeviceRect dirty = Tool().DirtyArea().In(Mapping());
    if (!dirty.IsEmpty())
        RepaintArea(dirty);
    return true;
}

void CCVNView::RepaintArea(DeviceRect dirty) {
    CTool& tool = Tool();
    const CViewMapping mapping = Mapping();
    CClientDC dc(this);
    OnPrepareDC(&dc);
    tool.SetTargetDC(&dc, &dc, mapping);
    dirty.Inflate(1);
    if (tool.DrawsGestureOverlays())
        DrawHintArea(dc, dirty);
    CRect area = ToRect(dirty);
    area.IntersectRect(&area, LogicalClientRect(dc, true));
    SetUpdateRect(area);
    if (!tool.m_bRedraw) {
        OnPrepareDC(&m_overlayDC);
        tool.SetTargetDC(&m_overlayDC, &m_overlayDC, mapping);
        RestoreFromBuffer(1, &m_overlayDC);
        DrawOverlayByDragState(true);
        tool.DrawTrains();
        CopyArea(dc, m_overlayDC, area);
    } else {
        OnPrepareDC(&m_drawDC);
        FillPartialBackground(m_drawDC, area);
        tool.SetTargetDC(&m_drawDC, &m_drawDC, mapping);
        // No drawing pass sets an object's draw state, so every one is still 0: the layout is
        // not walked to clear them, which on a large layout cost more than the area's drawing.
        CRect clip = area;
        m_drawDC.LPtoDP(&clip);
        clip.NormalizeRect();
        CRgn region;
        region.CreateRectRgnIndirect(&clip);
        m_drawDC.SelectClipRgn(&region);
        if (GetDocument()->m_bGridShown)
            DrawGrid(&m_drawDC, area.left, area.bottom, area.right, area.top, GetDocument()->m_nGridWidth,
                     GetDocument()->m_nGridHeight);
        tool.DrawLayout();
        m_drawDC.SelectClipRgn(nullptr);
        CopyArea(dc, m_drawDC, area);
        tool.SetTargetDC(&dc, &dc, mapping);
        tool.DrawTrains();
        // A handle drag redraws the layout at every step, so no overlay pass lays the hint
        // over it: the hint goes straight onto the window.
        tool.DrawHint();
    }
    tool.SetTargetDC(nullptr, nullptr);
}

// The hint box follows the mouse: its old and new places join the repaint.
void CCVNView::DrawHintArea(CDC& dc, DeviceRect& dirty) {
    CTool& tool = Tool();
    CHint& hint = tool.m_hint;
    if (!hint.m_bShown)
        return;
    if (!hint.m_rect.IsEmpty()) {
        dirty.Unite(hint.m_rect);
        hint.m_rect.SetEmpty();
    }
    if (hint.m_strText.GetLength() <= 1)
        return;
    CFont* old = dc.SelectObject(&hint.m_font);
    int width = 0;
    for (int i = 0; i < hint.m_strText.GetLength(); ++i) {
        int charWidth = 0;
        const UINT ch = static_cast<unsigned char>(hint.m_strText[i]);
        dc.GetCharWidth(ch, ch, &charWidth);
        width += charWidth;
    }
    const bool anchored = tool.m_toolMode == kToolDragHandle;
    const CPoint position = anchored ? tool.LayoutToDevice(tool.m_fHintX, tool.m_fHintY, 1)
                                     : tool.LayoutToDevice(tool.m_fCurrentX, tool.m_fCurrentY, 1);
    const int height = std::abs(static_cast<int>(hint.m_font.LogFont().lfHeight));
    DeviceRect box{position.x + 20, position.y + 45, position.x + 20 + width, position.y + 45 - height - 5};
    box.Normalize();
    box.Inflate(3);
    hint.m_rect = box;
    dc.SelectObject(old);
    dirty.Unite(box);
}

void CCVNView::DrawOverlayByDragState(bool withMarksForLine) {
    CTool& tool = Tool();
    switch (tool.m_nDragState) {
        case 0:
        case 1:
        case 2:
            tool.DrawSelection();
            break;
        case 5:
        case 6:
        case 7:
            if (withMarksForLine)
                tool.DrawSelection();
            tool.DrawRubberLine();
            break;
        case 8:
            tool.DrawRubberRect();
            break;
        default:
            break;
    }
}

void CCVNView::FillPartialBackground(CDC& dc, const CRect& dirty) {
    const CCVNDoc* doc = GetDocument();
    const double pageX = ZoomedPageWidth();
    const double pageY = ZoomedPageHeight();
    const COLORREF background = doc->m_crBackground;
    CRect d = dirty;
    d.NormalizeRect();
    // In logical units the lower edge is the smaller y.
    const int lower = d.top;
    const int higher = d.bottom;
    if (d.right < pageX && lower > -pageY) {
        Fill(dc, d.left, lower, d.right, higher, background);
        return;
    }
    if (d.left > pageX || higher < -pageY) {
        Fill(dc, d.left, lower, d.right, higher, Workspace());
        return;
    }
    if (pageX < d.right)
        Fill(dc, Truncate(pageX), lower, d.right, higher, Workspace());
    if (lower < -pageY)
        Fill(dc, d.left, lower, d.right, Truncate(-pageY), Workspace());
    Fill(dc, d.left, std::max<int>(lower, Truncate(-pageY)), std::min<int>(d.right, Truncate(pageX)), higher,
         background);
}

// ---- Scroll repair ----

void CCVNView::FillWorkspaceSplit(CDC& dc, const CRect& strip, bool horizontalScroll) {
    const CCVNDoc* doc = GetDocument();
    const COLORREF background = doc->m_crBackground;
    if (horizontalScroll) {
        const int pageBottom = -Truncate(ZoomedPageHeight());
        if (-strip.bottom < ZoomedPageHeight()) {
            Fill(dc, strip.left, strip.top, strip.right, strip.bottom, background);
            return;
        }
        Fill(dc, strip.left, strip.top, strip.right, pageBottom, background);
        Fill(dc, strip.left, pageBottom, strip.right, strip.bottom, Workspace());
        return;
    }
    const int pageRight = Truncate(ZoomedPageWidth());
    if (strip.right < ZoomedPageWidth()) {
        Fill(dc, strip.left, strip.top, strip.right, strip.bottom, background);
        return;
    }
    Fill(dc, strip.left, strip.top, pageRight, strip.bottom, background);
    Fill(dc, pageRight, strip.top, strip.right, strip.bottom, Workspace());
}

// Fills the strips a scroll uncovered into the target and copies what the draw buffer still
// holds; answers the strip last filled (top the higher edge).
CRect CCVNView::ScrollRepair(CDC& target, CDC& window, bool) {
    const CRect now = LogicalClientRect(window, false);
    const CRect held = LogicalClientRect(m_drawDC, false);
    CRect strip;
    if (held.left != now.left) {
        strip = held.left < now.left ? CRect(held.right, now.top, now.right, now.bottom)
                                     : CRect(now.left, now.top, held.left, now.bottom);
        FillWorkspaceSplit(target, strip, true);
    }
    if (held.top != now.top) {
        strip = held.top > now.top ? CRect(now.left, held.bottom, now.right, now.bottom)
                                   : CRect(now.left, now.top, now.right, held.top);
        if (strip.top < strip.bottom)
            std::swap(strip.top, strip.bottom);
        FillWorkspaceSplit(target, strip, false);
    }
    CRect a = held, b = now, overlap;
    a.NormalizeRect();
    b.NormalizeRect();
    if (held != now && overlap.IntersectRect(&a, &b))
        CopyArea(target, m_drawDC, overlap);
    return strip;
}

void CCVNView::RestoreFromBuffer(int mode, CDC* target) {
    if (mode == 1) {
        OnPrepareDC(&m_drawDC);
        CopyArea(*target, m_drawDC, ToRect(Tool().m_rcUpdate));
        return;
    }
    CClientDC dc(this);
    OnPrepareDC(&dc);
    ScrollRepair(dc, dc, true);
}

// ---- Grid ----

void CCVNView::DrawGrid(CDC* dc, int left, int top, int right, int bottom, double gridWidth,
                        double gridHeight) {
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    CPen pen(PS_SOLID, 0, GetDocument()->m_crGrid);
    CPen* oldPen = dc->SelectObject(&pen);
    const CTool& tool = Tool();
    double sx = 0.0, sy = 0.0, firstX = 0.0, firstY = 0.0;
    if (dc->IsPrinting()) {
        const double scale = GetDocument()->m_fPrintScale;
        sx = gridWidth / scale;
        sy = gridHeight / scale;
        const double ox = tool.m_fPrintOffsetX, oy = tool.m_fPrintOffsetY;
        if (IsGridStep(sx))
            firstX = sx - (ox - Truncate(ox / sx) * sx);
        if (IsGridStep(sy))
            firstY = (oy - Truncate(oy / sy) * sy) - sy;
    } else {
        const CViewMapping mapping = Mapping();
        const double factor = mapping.Numerator() / mapping.Denominator();
        sx = gridWidth * factor;
        sy = gridHeight * factor;
        if (IsGridStep(sx))
            firstX = Truncate(left / sx) * sx;
        if (IsGridStep(sy))
            firstY = Truncate(top / sy) * sy;
    }
    const long columns = GridLineCount(firstX, right, sx);
    for (long i = 0; i < columns; ++i) {
        const int x = Truncate(firstX + static_cast<double>(i) * sx);
        dc->MoveTo(x, top);
        dc->LineTo(x, bottom);
    }
    const long rows = GridLineCount(bottom, firstY, sy);
    for (long i = 0; i < rows; ++i) {
        const int y = Truncate(firstY - static_cast<double>(i) * sy);
        dc->MoveTo(left, y);
        dc->LineTo(right, y);
    }
    dc->SelectObject(oldPen);
    dc->SetBkMode(oldMode);
}
