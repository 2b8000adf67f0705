#include "shell/CRulerBar.h"

#include "model/CCVNDoc.h"
#include "model/Units.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CScrollView.h"
#include "platform/win/WindowDCs.h"
#include "shell/RulerTicks.h"

IMPLEMENT_DYNAMIC(CRulerBar, CControlBar)

namespace {

constexpr COLORREF kTickAreaColour = RGB(220, 220, 220);
constexpr int kFontHeight = -35;
constexpr int kCornerFontHeight = -10;
constexpr BYTE kCyrillicCharset = 204;
constexpr int kLabelGap = 5;
constexpr int kAreaInset = 3;
constexpr BYTE kStrokePrecision = 3;
constexpr BYTE kDraftQuality = 1;

// One unit of the document in the view's logical units at the engine's zoom.
double UnitLength(const CCVNDoc& doc) {
    return SizeOfUnit(doc.GetUnitIndex()) / doc.m_tool.m_fZoomDenominator * doc.m_tool.m_fZoomNumerator;
}

const char* UnitAbbreviation(const CCVNDoc& doc) {
    const int unit = doc.GetUnitIndex();
    return unit >= 0 && unit < kUnitCount ? UnitTable[unit].rulerAbbreviation : "";
}

}  // namespace

BOOL CRulerBar::Create(CWnd* parent, BOOL horizontal, UINT id) {
    m_bHorizontal = horizontal;
    m_dwBarStyle = horizontal ? CBRS_TOP : CBRS_ALIGN_TOP;
    return CWnd::Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), parent, id);
}

int CRulerBar::OnCreate(CREATESTRUCT* cs) {
    if (CControlBar::OnCreate(cs) == -1)
        return -1;
    CreateFonts();
    CreatePens();
    CClientDC dc(this);
    m_offscreen.CreateCompatibleBitmap(&dc, 10, 10);
    return 0;
}

void CRulerBar::CreateFonts() {
    m_cornerFont.CreateFont(kCornerFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0, 0, 0, 0, 0, 0,
                            "Times New Roman");
    const int escapement = m_bHorizontal ? 0 : -900;
    m_font.CreateFont(kFontHeight, 0, escapement, escapement, FW_NORMAL, FALSE, FALSE, FALSE,
                      kCyrillicCharset, kStrokePrecision, CLIP_DEFAULT_PRECIS, kDraftQuality,
                      VARIABLE_PITCH | FF_SWISS, "Arial");
}

void CRulerBar::CreatePens() {
    m_highlightPen.DeleteObject();
    m_shadowPen.DeleteObject();
    m_highlightPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    m_shadowPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
}

void CRulerBar::OnSysColorChange() {
    CreatePens();
    Invalidate();
}

void CRulerBar::OnSize(UINT type, int cx, int cy) {
    CControlBar::OnSize(type, cx, cy);
    CRect client;
    GetClientRect(&client);
    if (client != m_rcClient && client.Width() > 0 && client.Height() > 0) {
        m_offscreen.DeleteObject();
        CClientDC dc(this);
        m_offscreen.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    }
    m_rcClient = client;
    m_nMouseX = m_nMouseY = -1;
}

CScrollView* CRulerBar::ActiveView() const {
    auto* frame = dynamic_cast<CFrameWnd*>(GetParent());
    return frame != nullptr ? dynamic_cast<CScrollView*>(frame->GetActiveView()) : nullptr;
}

CCVNDoc* CRulerBar::ActiveLayout() const {
    CScrollView* view = ActiveView();
    return view != nullptr ? dynamic_cast<CCVNDoc*>(view->GetDocument()) : nullptr;
}

CRect CRulerBar::TickArea() const {
    CScrollView* view = ActiveView();
    CRect client;
    GetClientRect(&client);
    if (view == nullptr)
        return client;
    CRect pane;
    view->GetClientRect(&pane);
    view->ClientToScreen(&pane);
    ScreenToClient(&pane);
    if (m_bHorizontal)
        return CRect(pane.left, client.top + kAreaInset, pane.right, client.bottom - kAreaInset);
    return CRect(client.left + kAreaInset, pane.top, client.right - kAreaInset, pane.bottom);
}

std::optional<CRulerBar::Mapping> CRulerBar::CurrentMapping() const {
    CCVNDoc* doc = ActiveLayout();
    CScrollView* view = ActiveView();
    if (doc == nullptr || view == nullptr)
        return std::nullopt;
    const CPoint scroll = view->GetScrollPosition();
    return Mapping{UnitLength(*doc), doc->GetUnitIndex(), m_bHorizontal ? scroll.x : scroll.y};
}

void CRulerBar::FollowView() {
    // The tick area changes too when the plan's scroll bars come or go.
    if (IsWindow(this) && (!m_painted || CurrentMapping() != m_painted || TickArea() != m_rcTickArea))
        Invalidate();
}

void CRulerBar::OnPaint() {
    CPaintDC paint(this);
    CCVNDoc* doc = ActiveLayout();
    CScrollView* view = ActiveView();
    m_painted.reset();
    if (doc == nullptr || !doc->IsPaintable() || view == nullptr || m_rcClient.IsRectEmpty())
        return;
    m_painted = CurrentMapping();
    CDC dc;
    dc.CreateCompatibleDC(&paint);
    CBitmap* old = dc.SelectObject(&m_offscreen);
    dc.FillSolidRect(&m_rcClient, GetSysColor(COLOR_BTNFACE));
    const CRect area = TickArea();
    DrawFrame(dc, area, *doc);
    DrawTicks(dc, area, *doc, *view);
    paint.BitBlt(0, 0, m_rcClient.Width(), m_rcClient.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(old);
    m_rcTickArea = area;
    ShowMousePosition(m_nMouseX, m_nMouseY, TRUE);
}

void CRulerBar::DrawFrame(CDC& dc, const CRect& area, const CCVNDoc& doc) {
    if (m_bHorizontal && area.left >= kThickness) {
        CRect corner(area.left - kThickness, area.top, area.left, area.bottom);
        CFont* old = dc.SelectObject(&m_cornerFont);
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText(UnitAbbreviation(doc), &corner, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc.SelectObject(old);
    }
    dc.Draw3dRect(&area, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_WINDOWTEXT));
    CPen* oldPen = dc.SelectObject(&m_highlightPen);
    const int first = m_bHorizontal ? area.top + 1 : area.left + 1;
    if (m_bHorizontal) {
        dc.MoveTo(area.left + 1, first);
        dc.LineTo(area.right - 1, first);
        dc.SelectObject(&m_shadowPen);
        dc.MoveTo(area.left + 1, first + 1);
        dc.LineTo(area.right - 1, first + 1);
    } else {
        dc.MoveTo(first, area.top + 1);
        dc.LineTo(first, area.bottom - 1);
        dc.SelectObject(&m_shadowPen);
        dc.MoveTo(first + 1, area.top + 1);
        dc.LineTo(first + 1, area.bottom - 1);
    }
    dc.SelectObject(oldPen);
    CRect inside = area;
    inside.DeflateRect(2, 2);
    dc.FillSolidRect(&inside, kTickAreaColour);
}

void CRulerBar::DrawTicks(CDC& dc, const CRect& area, const CCVNDoc& doc, CScrollView& view) {
    const int saved = dc.SaveDC();
    CRgn clip;
    clip.CreateRectRgnIndirect(&area);
    dc.SelectClipRgn(&clip);
    dc.SetMapMode(MM_LOMETRIC);
    dc.SetViewportOrg(area.left, area.top);
    CRect logical(0, 0, area.Width(), area.Height());
    dc.DPtoLP(&logical);
    CFont* oldFont = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    const CPoint scroll = view.GetScrollPosition();
    const double unit = UnitLength(doc);
    const double offset = m_bHorizontal ? -scroll.x : scroll.y;
    const int extent = m_bHorizontal ? logical.Width() : -logical.Height();
    const int labelReach = kLabelGap + dc.GetTextExtent(LongestRulerLabel(unit, offset, extent)).cx;
    std::vector<RulerTick> ticks = MakeRulerTicks(unit, offset, extent, labelReach);
    DropCrowdedLabels(ticks, [&dc](const CString& label) { return static_cast<int>(dc.GetTextExtent(label).cx); });
    if (m_bHorizontal) {
        for (const RulerTick& tick : ticks) {
            dc.MoveTo(tick.position, logical.bottom);
            dc.LineTo(tick.position, logical.bottom + tick.length);
            if (!tick.label.IsEmpty())
                dc.TextOut(tick.position - kLabelGap - dc.GetTextExtent(tick.label).cx, 0, tick.label);
        }
    } else {
        for (const RulerTick& tick : ticks) {
            dc.MoveTo(logical.right, -tick.position);
            dc.LineTo(logical.right - tick.length, -tick.position);
            if (!tick.label.IsEmpty())
                // Turned text lies to the left of its start point: start one text height in.
                dc.TextOut(-kFontHeight, -tick.position + kLabelGap + dc.GetTextExtent(tick.label).cx,
                           tick.label);
        }
    }
    dc.SelectObject(oldFont);
    dc.RestoreDC(saved);
}

void CRulerBar::ShowMousePosition(int x, int y, BOOL keepOld) {
    if (!IsWindow(this))
        return;
    if (!keepOld && MarkerStaysAt(x, y)) {
        m_nMouseX = x;
        m_nMouseY = y;
        return;
    }
    CClientDC dc(this);
    dc.EnableTrace(m_bTraceMarker);
    if (!keepOld && m_nMouseX >= 0)
        DrawMarker(dc, m_nMouseX, m_nMouseY);
    if (x >= 0)
        DrawMarker(dc, x, y);
    m_nMouseX = x;
    m_nMouseY = y;
    m_markerTrace.insert(m_markerTrace.end(), dc.GetTrace().begin(), dc.GetTrace().end());
}

// The top ruler marks the mouse's x only, the left ruler its y only.
bool CRulerBar::MarkerStaysAt(int x, int y) const {
    if ((x >= 0) != (m_nMouseX >= 0))
        return false;
    return x < 0 || (m_bHorizontal ? x == m_nMouseX : y == m_nMouseY);
}

void CRulerBar::TraceMarker(bool on) {
    m_bTraceMarker = on;
    m_markerTrace.clear();
}

// The marker is drawn in the ticks' own mapping, so it stands at the tick of the mouse's place:
// x counts from the view's left edge, y is the view's own, scrolled along with the plan.
void CRulerBar::DrawMarker(CDC& dc, int x, int y) {
    CScrollView* view = ActiveView();
    if (view == nullptr || m_rcTickArea.IsRectEmpty())
        return;
    const int saved = dc.SaveDC();
    dc.SetMapMode(MM_LOMETRIC);
    dc.SetViewportOrg(m_rcTickArea.left, m_rcTickArea.top);
    CRect logical(0, 0, m_rcTickArea.Width(), m_rcTickArea.Height());
    dc.DPtoLP(&logical);
    dc.SetROP2(R2_NOT);
    dc.SetBkMode(TRANSPARENT);
    if (m_bHorizontal) {
        dc.MoveTo(x, logical.top);
        dc.LineTo(x, logical.bottom);
    } else {
        const int along = y - view->GetScrollPosition().y;
        dc.MoveTo(logical.left, along);
        dc.LineTo(logical.right, along);
    }
    dc.RestoreDC(saved);
}
