#include <cmath>
#include <cstdlib>
#include <utility>

#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CTrackTools.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"

namespace {

constexpr COLORREF kGuideRed = 0x0000FF;
constexpr int kGuideWidth = 4;
constexpr int kGuideCircleRadius = 10;
constexpr COLORREF kMarkerColor = 0xC9AD0E;
constexpr COLORREF kRubberLineGreen = 0x008000;
constexpr COLORREF kRubberLineEnd = 0xFF00FF;
constexpr int kHintMargin = 3;

bool IsAllZero(const DeviceRect& rect) {
    return rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0;
}

// The whole circle's outline, leaving the inside as it is.
void DrawCircle(CDC& dc, CPoint centre, int radius) {
    dc.Arc(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius, centre.x + radius,
           centre.y, centre.x + radius, centre.y);
}

// Whether the DC's logical y grows up the screen, as the plan view's mapping makes it.
bool YRunsUp(CDC& dc) {
    POINT points[2] = {{0, 0}, {0, 1000}};
    dc.LPtoDP(points, 2);
    return points[1].y < points[0].y;
}

// Restores every object and attribute the overlay changed.
class DCStateGuard {
  public:
    explicit DCStateGuard(CDC& dc) : m_dc(dc), m_saved(dc.SaveDC()) {}
    DCStateGuard(const DCStateGuard&) = delete;
    DCStateGuard& operator=(const DCStateGuard&) = delete;
    ~DCStateGuard() { m_dc.RestoreDC(m_saved); }

  private:
    CDC& m_dc;
    int m_saved;
};

}  // namespace

void CTool::DrawLayout() {
    CPaint* root = m_pHost != nullptr ? m_pHost->GetRootGroup() : nullptr;
    const CPose empty;
    if (root != nullptr)
        root->Draw(&empty);
    if (m_pTrackTools != nullptr && !IsPrinting())
        m_pTrackTools->DrawPreview();
}

void CTool::DrawUnselectedObjects() {
    CPaint* root = m_pHost != nullptr ? m_pHost->GetRootGroup() : nullptr;
    const CPose empty;
    if (root != nullptr)
        root->DrawIfUnselected(&empty);
}

void CTool::DrawSelection() {
    CPaint* root = m_pHost != nullptr ? m_pHost->GetRootGroup() : nullptr;
    const CPose empty;
    if (root != nullptr)
        root->DrawIfSelected(&empty);
    DrawHint();
    DrawPivotIfRotating();
}

void CTool::DrawHint() {
    if (m_pTargetDC != nullptr && m_hint.m_bShown && !m_hint.m_strText.IsEmpty() && DrawsGestureOverlays())
        DrawHintBox(*m_pTargetDC);
}

void CTool::DrawHintBox(CDC& dc) {
    DCStateGuard guard(dc);
    CPen border(PS_SOLID, 1, GetSysColor(COLOR_INFOTEXT));
    dc.SelectObject(GetSysColorBrush(COLOR_INFOBK));
    dc.SelectObject(&border);
    CRect box(m_hint.m_rect.left, m_hint.m_rect.top, m_hint.m_rect.right, m_hint.m_rect.bottom);
    dc.Rectangle(&box);
    CPen guide(PS_SOLID, kGuideWidth, kGuideRed);
    if (m_toolMode == kToolDragHandle) {
        dc.SelectObject(&guide);
        const CPoint anchor = LayoutToDevice(m_fHintX, m_fHintY, 1);
        if (m_fHintX == m_fGuideX && m_fHintY == m_fGuideY) {
            dc.Ellipse(anchor.x - kGuideCircleRadius, anchor.y - kGuideCircleRadius,
                       anchor.x + kGuideCircleRadius, anchor.y + kGuideCircleRadius);
        } else {
            dc.MoveTo(anchor);
            dc.LineTo(LayoutToDevice(m_fGuideX, m_fGuideY, 1));
        }
    }
    // The text and its background stay inside the border. The box's width is the sum of rounded
    // character widths, which can fall short of the drawn text, so across it the text may use
    // the margin too.
    CRect textBox = box;
    textBox.DeflateRect(1, kHintMargin);
    // The text runs down the screen from the box's top: with y growing upward that is the
    // larger y, which the normalised box keeps as its bottom.
    if (YRunsUp(dc))
        std::swap(textBox.top, textBox.bottom);
    dc.SelectObject(&m_hint.m_font);
    dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
    dc.SetBkColor(GetSysColor(COLOR_INFOBK));
    dc.DrawText(m_hint.m_strText, &textBox, DT_CENTER | DT_VCENTER);
}

void CTool::DrawPivotIfRotating() {
    if (!DrawsGestureOverlays())
        return;
    const bool rotating = m_toolMode == kToolRotateAroundOrigin || m_toolMode.m_bFlag == 0;
    if (rotating && m_bButtonDown) {
        m_bMarkerShown = 1;
        m_ptMarker = LayoutToDevice(m_fPivotX, m_fPivotY, 1);
        DrawRotationMarker();
    }
    if (m_toolMode != kToolRotateAroundOrigin)
        m_bMarkerShown = 0;
}

void CTool::DrawRotationMarker() {
    if (!m_bMarkerShown || m_pTargetDC == nullptr)
        return;
    CDC& dc = *m_pTargetDC;
    DCStateGuard guard(dc);
    CPen pen(PS_SOLID, 1, kMarkerColor);
    dc.SelectObject(&pen);
    dc.SetROP2(R2_COPYPEN);
    const int size = m_nPivotMarkSize;
    DrawCircle(dc, m_ptMarker, size);
    dc.MoveTo(m_ptMarker.x, m_ptMarker.y - size);
    dc.LineTo(m_ptMarker.x, m_ptMarker.y + size);
    dc.MoveTo(m_ptMarker.x - size, m_ptMarker.y);
    dc.LineTo(m_ptMarker.x + size, m_ptMarker.y);
}

void CTool::DrawRubberLine() {
    if (IsAllZero(m_rcConnectLine) || m_pTargetDC == nullptr || !DrawsGestureOverlays())
        return;
    CDC& dc = *m_pTargetDC;
    DCStateGuard guard(dc);
    CPen pen(PS_DOT, 1, kRubberLineGreen);
    dc.SelectObject(&pen);
    dc.SetBkMode(TRANSPARENT);
    dc.SetROP2(R2_COPYPEN);
    const CPoint start(m_rcConnectLine.left, m_rcConnectLine.top);
    const CPoint end(m_rcConnectLine.right, m_rcConnectLine.bottom);
    dc.MoveTo(start);
    dc.LineTo(end);
    const int h = static_cast<int>(m_fHandleSize);
    dc.FillSolidRect(start.x - h, start.y - h, 2 * h, 2 * h, kRubberLineEnd);
    if (m_bSecondPoint)
        dc.FillSolidRect(end.x - h, end.y - h, 2 * h, 2 * h, kRubberLineEnd);
}

void CTool::DrawRubberRect() {
    if (IsAllZero(m_rcRubberBand) || m_pTargetDC == nullptr || !DrawsGestureOverlays())
        return;
    CDC& dc = *m_pTargetDC;
    DCStateGuard guard(dc);
    CPen pen(PS_DOT, 1, kMarkerColor);
    dc.SelectObject(&pen);
    dc.SetBkMode(TRANSPARENT);
    dc.SetROP2(R2_COPYPEN);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(m_rcRubberBand.left, m_rcRubberBand.top, m_rcRubberBand.right, m_rcRubberBand.bottom);
}

void CTool::DrawTrains() {
    if (m_pHost == nullptr)
        return;
    const CPose empty;
    for (CPaint* train : m_pHost->GetTestTrains()) train->Draw(&empty);
}

void CTool::UpdateHintRect() {
    const int h = static_cast<int>(m_hint.m_font.LogFont().lfHeight);
    const int x = static_cast<int>(m_fHintX);
    const int y = static_cast<int>(m_fHintY);
    const int width = std::abs(m_hint.m_strText.GetLength() * h);
    DeviceRect area{x, y, x + width, y - std::abs(h)};
    InvalidateOverlay(area);
}
