#include "track/CElevationTool.h"

#include <cmath>

#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/win/CWinApp.h"
#include "track/CElevationsDialog.h"
#include "track/TrackToolMessages.h"

namespace {

constexpr double kShortestSpan = 0.01;

}  // namespace

void CElevationTool::OnMouse(int phase, CGroup* group, const CPose* frame) {
    if (phase == 1)
        Press(group, frame);
    else if (phase == 3)
        Move();
    else
        Release(group, frame);
}

bool CElevationTool::PickEnd(int slot, CGroup* group, const CPose* frame) {
    TrackConnectionState& state = m_tool.m_track;
    TrackPickedEnd& pick = state.picked[slot];
    pick.gauge = -1.0;
    bool hit = false;
    if (group != nullptr)
        for (CPaint* member : group->m_members)
            if (member->HitTestEnd(frame, m_tool.m_fCurrentX, m_tool.m_fCurrentY, 1) >= 0) {
                hit = true;
                break;
            }
    const TrackPickedEnd found = pick;
    pick.gauge = -1.0;
    for (CPaint* object : m_selection)
        if (object->HitTestEnd(nullptr, m_tool.m_fCurrentX, m_tool.m_fCurrentY, 1) >= 0 && pick.gauge >= 0.0)
            return hit;
    // No selected piece has the end: the point found in the group stands, unmarked.
    pick = found;
    pick.gauge = -1.0;
    return hit;
}

void CElevationTool::Press(CGroup* group, const CPose* frame) {
    m_tool.m_track.pickCount = 0;
    m_selection.clear();
    if (m_tool.m_pHost != nullptr)
        CCVNDoc::CollectObjectsByClass(m_selection, m_tool.m_pHost->GetSelection(), FALSE);
    m_bPressFound = PickEnd(0, group, frame);
    if (m_bPressFound) {
        const CPoint start = m_tool.LayoutToDevice(m_tool.m_fPressX, m_tool.m_fPressY, 0);
        m_tool.m_rcConnectLine = DeviceRect{start.x, start.y, start.x, start.y};
    }
    m_tool.m_track.pickCount = m_bPressFound ? 1 : 0;
}

void CElevationTool::InvalidateLine() {
    DeviceRect area = m_tool.m_rcConnectLine;
    area.Normalize();
    area.Inflate(static_cast<int>(std::lround(2.0 * m_tool.m_fHandleSize)));
    m_tool.InvalidateRect(area);
}

void CElevationTool::Move() {
    if (m_tool.m_track.pickCount == 0)
        return;
    InvalidateLine();
    const TrackPickedEnd& a = m_tool.m_track.picked[0];
    const CPoint start = m_tool.LayoutToDevice(a.x, a.y, 0);
    const CPoint end = m_tool.LayoutToDevice(m_tool.m_fCurrentX, m_tool.m_fCurrentY, 0);
    m_tool.m_rcConnectLine = DeviceRect{start.x, start.y, end.x, end.y};
    InvalidateLine();
}

void CElevationTool::Release(CGroup* group, const CPose* frame) {
    InvalidateLine();
    m_tool.m_bRedraw = 1;
    const bool released = m_bPressFound && PickEnd(1, group, frame);
    const TrackPickedEnd& a = m_tool.m_track.picked[0];
    const TrackPickedEnd& b = m_tool.m_track.picked[1];
    if (released && std::hypot(a.x - b.x, a.y - b.y) > kShortestSpan && (a.gauge >= 0.0 || b.gauge >= 0.0)) {
        OpenDialog();
        if (m_tool.ReturnsToSelector())
            m_tool.m_toolMode.Set(0);
    }
    m_tool.m_rcConnectLine.SetEmpty();
    m_tool.m_track.pickCount = 0;
    m_bPressFound = false;
}

void CElevationTool::OpenDialog() {
    const TrackPickedEnd& a = m_tool.m_track.picked[0];
    const TrackPickedEnd& b = m_tool.m_track.picked[1];
    CElevationsDialog dialog(m_tool, AfxGetMainWnd(), a.gauge >= 0.0, b.gauge >= 0.0);
    RunPaused(m_tool, dialog);
}
