#include "wizard/CTrackPreviewWnd.h"

#include <algorithm>
#include <cmath>

#include "model/CPaint.h"
#include "model/CTool.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CTrackPreviewWnd, CStatic)

namespace {

// The share of the window the drawing may fill in each direction.
constexpr double kFill = 0.8;

struct Extent {
    double minX, minY, maxX, maxY;
};

Extent UnionOfExtents(CPaint& a, CPaint& b) {
    const CPose zero;
    a.ComputeExtent(&zero);
    b.ComputeExtent(&zero);
    return {std::min(a.m_fMinX, b.m_fMinX), std::min(a.m_fMinY, b.m_fMinY), std::max(a.m_fMaxX, b.m_fMaxX),
            std::max(a.m_fMaxY, b.m_fMaxY)};
}

}  // namespace

void CTrackPreviewWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    dc.IntersectClipRect(client.left, client.top, client.right, client.bottom);
    dc.SetMapMode(MM_LOMETRIC);
    if (m_pPiece == nullptr || m_pLabels == nullptr || m_pPiece->m_pTool == nullptr)
        return;
    CRect logical = client;
    dc.DPtoLP(&logical);
    logical.NormalizeRect();
    const Extent u = UnionOfExtents(*m_pPiece, *m_pLabels);
    const double w = std::trunc(std::fabs(u.maxX - u.minX));
    const double h = std::trunc(std::fabs(u.maxY - u.minY));
    const double cw = std::abs(logical.Width());
    const double ch = std::abs(logical.Height());
    double scale = std::max(h / (kFill * ch), w / (kFill * cw));
    if (!(scale > 0.0) || !std::isfinite(scale))
        scale = 1.0;
    const double dx = (scale * cw - w) * 0.5 - u.minX;
    const double dy = (scale * ch - h) * 0.5 - ch * scale - u.minY;
    for (CPaint* object : {m_pPiece, m_pLabels}) {
        object->SavePose();
        object->MoveFromSavedPose(dx, dy, 1);
    }
    DrawScaled(dc, scale);
    for (CPaint* object : {m_pPiece, m_pLabels}) object->MoveFromSavedPose(0.0, 0.0, 1);
}

// The engine maps and draws into this DC for the moment; its zoom, target and update area
// are put back afterwards, so that the plan view keeps drawing as it did.
void CTrackPreviewWnd::DrawScaled(CDC& dc, double scale) {
    CTool* tool = m_pPiece->m_pTool;
    const double numerator = tool->m_fZoomNumerator;
    const double denominator = tool->m_fZoomDenominator;
    const double ratio = tool->m_fZoomRatio;
    CDC* previousTarget = tool->GetTargetDC();
    CDC* previousAttrib = tool->GetAttribDC();
    const DeviceRect previousUpdate = tool->m_rcUpdate;
    tool->m_fZoomNumerator = 1.0;
    tool->m_fZoomDenominator = scale;
    tool->m_fZoomRatio = 1.0 / scale;
    tool->SetTargetDC(&dc, &dc);
    const CPoint low = tool->LayoutToDevice(m_pPiece->m_fMinX, m_pPiece->m_fMinY, 1);
    const CPoint high = tool->LayoutToDevice(m_pPiece->m_fMaxX, m_pPiece->m_fMaxY, 1);
    tool->m_rcUpdate = DeviceRect{low.x, high.y, high.x, low.y};
    tool->m_rcUpdate.Normalize();
    const CPose zero;
    for (CPaint* object : {m_pPiece, m_pLabels}) object->RecalcDeviceBounds();
    for (CPaint* object : {m_pPiece, m_pLabels}) object->Draw(&zero);
    tool->m_fZoomNumerator = numerator;
    tool->m_fZoomDenominator = denominator;
    tool->m_fZoomRatio = ratio;
    tool->m_rcUpdate = previousUpdate;
    tool->SetTargetDC(previousTarget, previousAttrib);
}
