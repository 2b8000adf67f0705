#include "wizard/CTrackPreviewWnd.h"

#include <algorithm>
#include <cmath>

#include "model/CGroup.h"
#include "model/CPaint.h"
#include "model/CTool.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"
#include "wizard/CWizardLabel.h"

IMPLEMENT_DYNAMIC(CTrackPreviewWnd, CStatic)

namespace {

// The share of the window the drawing may fill in each direction.
constexpr double kFill = 0.8;
// Rounds of fitting the scale to the labels' text, which grows with the scale.
constexpr int kFitRounds = 8;

CTrackPreviewWnd::Box UnionOfExtents(CPaint& a, CPaint& b) {
    const CPose zero;
    a.ComputeExtent(&zero);
    b.ComputeExtent(&zero);
    return {std::min(a.m_fMinX, b.m_fMinX), std::min(a.m_fMinY, b.m_fMinY), std::max(a.m_fMaxX, b.m_fMaxX),
            std::max(a.m_fMaxY, b.m_fMaxY)};
}

double ScaleToFill(const CTrackPreviewWnd::Box& u, double cw, double ch) {
    const double w = std::trunc(std::fabs(u.maxX - u.minX));
    const double h = std::trunc(std::fabs(u.maxY - u.minY));
    const double scale = std::max(h / (kFill * ch), w / (kFill * cw));
    return scale > 0.0 && std::isfinite(scale) ? scale : 1.0;
}

}  // namespace

void CTrackPreviewWnd::SetObjects(CPaint* piece, CPaint* labels) {
    m_pPiece = piece;
    m_pLabels = labels;
    m_fit.reset();
}

void CTrackPreviewWnd::Refit() {
    m_fit.reset();
    Invalidate(TRUE);
}

void CTrackPreviewWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    dc.IntersectClipRect(client.left, client.top, client.right, client.bottom);
    dc.SetMapMode(MM_LOMETRIC);
    if (m_pPiece == nullptr || m_pLabels == nullptr || m_pPiece->m_pTool == nullptr)
        return;
    const Fit fit = KeptFit(dc);
    const double w = std::trunc(std::fabs(fit.extent.maxX - fit.extent.minX));
    const double h = std::trunc(std::fabs(fit.extent.maxY - fit.extent.minY));
    const double dx = (fit.scale * fit.cw - w) * 0.5 - fit.extent.minX;
    const double dy = (fit.scale * fit.ch - h) * 0.5 - fit.ch * fit.scale - fit.extent.minY;
    for (CPaint* object : {m_pPiece, m_pLabels}) {
        object->SavePose();
        object->MoveFromSavedPose(dx, dy, 1);
    }
    DrawScaled(dc, fit.scale);
    for (CPaint* object : {m_pPiece, m_pLabels}) object->MoveFromSavedPose(0.0, 0.0, 1);
}

double CTrackPreviewWnd::FitScale() {
    if (m_pPiece == nullptr || m_pLabels == nullptr || !IsWindow(this))
        return 0.0;
    CClientDC dc(this);
    dc.SetMapMode(MM_LOMETRIC);
    return FitInto(dc).scale;
}

// Measuring the labels' text is slow: a repaint of the same objects at the same size keeps
// the fit.
const CTrackPreviewWnd::Fit& CTrackPreviewWnd::KeptFit(CDC& dc) {
    CRect logical;
    GetClientRect(&logical);
    dc.DPtoLP(&logical);
    const bool sameSize =
        m_fit && m_fit->cw == std::abs(logical.Width()) && m_fit->ch == std::abs(logical.Height());
    if (!sameSize) {
        m_fit = FitInto(dc);
        ++m_nFits;
    }
    return *m_fit;
}

// The labels' text keeps its size in the window while the scale changes what it covers of the
// plan, so the fit is found again until it settles.
CTrackPreviewWnd::Fit CTrackPreviewWnd::FitInto(CDC& dc) {
    CRect logical;
    GetClientRect(&logical);
    dc.DPtoLP(&logical);
    logical.NormalizeRect();
    Fit fit{};
    fit.cw = std::abs(logical.Width());
    fit.ch = std::abs(logical.Height());
    const Box objects = UnionOfExtents(*m_pPiece, *m_pLabels);
    fit.extent = objects;
    fit.scale = ScaleToFill(objects, fit.cw, fit.ch);
    for (int round = 0; round < kFitRounds; ++round) {
        fit.extent = WithLabelText(objects, dc, fit.scale);
        const double scale = ScaleToFill(fit.extent, fit.cw, fit.ch);
        const bool settled = std::fabs(scale - fit.scale) <= fit.scale * 1e-3;
        fit.scale = scale;
        if (settled)
            break;
    }
    return fit;
}

CTrackPreviewWnd::Box CTrackPreviewWnd::WithLabelText(Box u, CDC& dc, double scale) const {
    auto* group = dynamic_cast<CGroup*>(m_pLabels);
    if (group == nullptr)
        return u;
    const CPose zero;
    const CPose frame = group->WorldPose(&zero);
    for (CPaint* member : group->m_members)
        if (auto* label = dynamic_cast<CWizardLabel*>(member))
            label->AddTextBounds(dc, &frame, scale, u.minX, u.minY, u.maxX, u.maxY);
    return u;
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
