#include "ui/CObjectPreviewWnd.h"

#include <algorithm>
#include <cstdlib>

#include "model/CPaint.h"
#include "model/CTool.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CObjectPreviewWnd, CStatic)

namespace {

constexpr int kMargin = 20;
constexpr int kMinimumExtent = 10;

}  // namespace

void CObjectPreviewWnd::OnPaint() {
    CPaintDC dc(this);
    if (m_pObject == nullptr || m_pObject->m_pTool == nullptr)
        return;
    const int wasSelected = m_pObject->IsSelected();
    m_pObject->Deselect();
    const CPose ownPose = m_pObject->m_pose;
    const CPose zero;
    m_pObject->ComputeExtent(&zero);

    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    // Nothing fits inside the margins of a preview this small.
    if (client.Width() > kMargin && client.Height() > kMargin) {
        dc.IntersectClipRect(client.left, client.top, client.right, client.bottom);
        MapExtentToClient(dc, client);
        DrawObject(dc);
    }

    if (wasSelected)
        m_pObject->Select();
    else
        m_pObject->Deselect();
    m_pObject->m_pose = ownPose;
}

// Isotropic mapping that centres the extent with a margin of at least ten pixels a side; y
// grows upward as on the plan.
void CObjectPreviewWnd::MapExtentToClient(CDC& dc, const CRect& client) const {
    const CTool* tool = m_pObject->m_pTool;
    const CPoint p1 = tool->LayoutToDevice(m_pObject->m_fMinX, m_pObject->m_fMinY, 0);
    const CPoint p2 = tool->LayoutToDevice(m_pObject->m_fMaxX, m_pObject->m_fMaxY, 0);
    const int w = std::abs(p2.x - p1.x);
    const int h = std::abs(p2.y - p1.y);
    const int width = client.Width();
    const int height = client.Height();
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(std::max(w, kMinimumExtent), -std::max(h, kMinimumExtent));
    dc.SetViewportExt(width - kMargin, height - kMargin);
    const double scale =
        std::max(static_cast<double>(w) / (width - kMargin), static_cast<double>(h) / (height - kMargin));
    dc.SetWindowOrg(static_cast<int>(p1.x - (width * scale - w) / 2.0),
                    static_cast<int>(p2.y + (height * scale - h) / 2.0));
}

// The engine draws into this DC for the moment; its target and update area are put back
// afterwards so that the plan view keeps drawing where it did.
void CObjectPreviewWnd::DrawObject(CDC& dc) {
    CTool* tool = m_pObject->m_pTool;
    CDC* previousTarget = tool->GetTargetDC();
    CDC* previousAttrib = tool->GetAttribDC();
    const DeviceRect previousUpdate = tool->m_rcUpdate;
    tool->SetTargetDC(&dc, &dc);
    tool->m_track.endLabels = 1;

    const CPoint low = tool->LayoutToDevice(m_pObject->m_fMinX, m_pObject->m_fMinY, 1);
    const CPoint high = tool->LayoutToDevice(m_pObject->m_fMaxX, m_pObject->m_fMaxY, 1);
    DeviceRect update{low.x, low.y, high.x, high.y};
    if (update.left == update.right && update.top != update.bottom)
        ++update.right;
    else if (update.top == update.bottom)
        ++update.bottom;
    tool->m_rcUpdate = update;
    m_pObject->RecalcDeviceBounds();
    const CPose zero;
    m_pObject->Draw(&zero);

    tool->m_track.endLabels = 0;
    tool->m_rcUpdate = previousUpdate;
    tool->SetTargetDC(previousTarget, previousAttrib);
}
