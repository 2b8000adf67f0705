#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/Geometry.h"
#include "model/Units.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"

namespace {

constexpr COLORREF kSelectedWhileEditingColor = 0xA41CFF;
constexpr COLORREF kGroupEditFrameColor = 0x0000FF;
constexpr int kEditFramePenWidth = 2;
// Smaller groups are drawn by walking their members.
constexpr std::size_t kIndexedMembers = 64;
// A refit agrees with the frame it finds to rounding when they differ by at most this part of
// the largest coordinate measured: far above the rounding of a thousand nested turns (some
// 1e-13), far below any distance drawn.
constexpr double kRounding = 1e-9;

// Widens the box by another one.
void Widen(double& minX, double& minY, double& maxX, double& maxY, double x0, double y0, double x1,
           double y1) {
    minX = std::min(minX, x0);
    minY = std::min(minY, y0);
    maxX = std::max(maxX, x1);
    maxY = std::max(maxY, y1);
}

// The head member fills the box, every later member widens it; an empty list leaves it as it
// was. The head is asked once: asking it again would widen the box by itself, and a head that
// is a group would be measured twice at every level of nesting.
template <class Ask>
void MembersBox(const CPaintList& members, double& minX, double& minY, double& maxX, double& maxY, Ask ask) {
    if (members.empty())
        return;
    ask(members.front(), minX, minY, maxX, maxY);
    for (auto member = std::next(members.begin()); member != members.end(); ++member) {
        double x0 = minX, y0 = minY, x1 = maxX, y1 = maxY;
        ask(*member, x0, y0, x1, y1);
        Widen(minX, minY, maxX, maxY, x0, y0, x1, y1);
    }
}

}  // namespace

CDoublePoint CGroup::FrameCorner(int index) const {
    switch (index) {
        case 1:
            return {m_fFrameWidth, 0.0};
        case 2:
            return {m_fFrameWidth, m_fFrameHeight};
        case 3:
            return {0.0, m_fFrameHeight};
        default:
            return {0.0, 0.0};
    }
}

// ---- Frame and extent ----

void CGroup::GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    const CPose world = WorldPose(pose);
    MembersBox(m_members, minX, minY, maxX, maxY,
               [&world](CPaint* member, double& x0, double& y0, double& x1, double& y1) {
                   member->GetFrameBounds(&world, x0, y0, x1, y1);
               });
}

void CGroup::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    const CPose world = WorldPose(pose);
    MembersBox(m_members, minX, minY, maxX, maxY,
               [&world](CPaint* member, double& x0, double& y0, double& x1, double& y1) {
                   member->GetBounds(&world, x0, y0, x1, y1);
               });
}

void CGroup::MoveOriginTo(const double* point) {
    const double dx = point[0] - m_pose.x;
    const double dy = point[1] - m_pose.y;
    const CDoublePoint origin = RotatePoint(m_pose.x, m_pose.y, m_pose.angle, point[0], point[1]);
    m_pose.x = origin.x;
    m_pose.y = origin.y;
    for (CPaint* member : m_members) {
        member->m_pose.x -= dx;
        member->m_pose.y -= dy;
    }
}

void CGroup::RecalcFrame() {
    FitFrameToMembers(false, false);
    HandDownParentPose();
}

// Fits every frame of the subtree, members before their group, and hands the placements down
// once at the end: handing them down at every level would walk each level's whole subtree
// again. Fitting reads only the placements it passes along, so the result is the same.
void CGroup::RecalcFrames() {
    FitFramesBottomUp(false);
    HandDownParentPose();
}

// Each member group keeps its contents only until this group has taken them in.
void CGroup::FitFramesBottomUp(bool keepContents) {
    for (CPaint* member : m_members)
        if (auto* group = dynamic_cast<CGroup*>(member))
            group->FitFramesBottomUp(true);
    FitFrameToMembers(true, keepContents);
    for (CPaint* member : m_members)
        if (auto* group = dynamic_cast<CGroup*>(member))
            group->m_contents = CGroupContents();
}

void CGroup::HandDownParentPose() {
    const CPose parent = m_parentPose;
    SetParentPose(&parent);
}

void CGroup::FitFrameToMembers(bool membersFitted, bool keepContents) {
    const double angle = m_pose.angle;
    m_pose.angle = 0.0;
    const CPose identity;
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    CGroupContents contents;
    if (membersFitted) {
        contents = MeasureFittedMembers(WorldPose(&identity));
        contents.Answer(minX, minY, maxX, maxY);
    } else {
        GetFrameBounds(&identity, minX, minY, maxX, maxY);
    }
    m_pose.angle = angle;
    const CDoublePoint corner = FitFrameToBox(minX, minY, maxX, maxY);
    if (!keepContents)
        return;
    contents.MoveOriginTo(corner.x, corner.y);
    contents.KeepHullOnly();
    m_contents = std::move(contents);
}

// The arithmetic of a refit does not come back to the frame it started from, so a refit that
// agrees with the frame found to rounding keeps it: a layout opened and saved again without a
// change is then the same to the byte.
CDoublePoint CGroup::FitFrameToBox(double minX, double minY, double maxX, double maxY) {
    const double magnitude = std::max({std::abs(minX), std::abs(minY), std::abs(maxX), std::abs(maxY)});
    const auto kept = [magnitude](double fitted, double found) {
        return std::abs(fitted - found) <= kRounding * magnitude ? found : fitted;
    };
    const double corner[2] = {kept(minX, m_pose.x), kept(minY, m_pose.y)};
    if (corner[0] != m_pose.x || corner[1] != m_pose.y)
        MoveOriginTo(corner);
    m_fFrameWidth = kept(maxX - corner[0], m_fFrameWidth);
    m_fFrameHeight = kept(maxY - corner[1], m_fFrameHeight);
    return {corner[0], corner[1]};
}

// A member group stands for its contents by those its own fit kept, so that a deep subtree is
// not walked again at every level above it.
CGroupContents CGroup::MeasureFittedMembers(const CPose& world) const {
    CGroupContents contents;
    for (CPaint* member : m_members) {
        const bool head = member == m_members.front();
        if (const auto* group = dynamic_cast<const CGroup*>(member))
            contents.AddGroup(group->m_contents, group->m_pose, world, head);
        else
            contents.AddObject(*member, world, head);
    }
    return contents;
}

// The whole subtree is invalidated once before and once after: the group's paint bounds take
// in every member's, so invalidating each nested group as well would walk each level's subtree
// again.
void CGroup::ComputeExtent(const CPose* pose) {
    Invalidate();
    ComputeSubtreeExtent(pose);
    Invalidate();
}

void CGroup::ComputeSubtreeExtent(const CPose* pose) {
    const CPose parent = FrameOf(pose);
    double gauge = ScaleTable[kDefaultScaleIndex].gauge;
    if (m_pTool != nullptr && m_pTool->m_pHost != nullptr) {
        const int scale = m_pTool->m_pHost->GetDefaultScaleIndex();
        if (scale >= 0 && scale < kScaleCount)
            gauge = ScaleTable[scale].gauge;
    }
    const double m = gauge * kExtentMarginFactor;
    const CDoublePoint corners[] = {
        {-m, -m}, {m_fFrameWidth + m, -m}, {m_fFrameWidth + m, m_fFrameHeight + m}, {-m, m_fFrameHeight + m}};
    for (int i = 0; i < 4; ++i) {
        const CDoublePoint world = LocalToWorldInFrame(parent, corners[i].x, corners[i].y);
        m_fMinX = i == 0 ? world.x : std::min(m_fMinX, world.x);
        m_fMinY = i == 0 ? world.y : std::min(m_fMinY, world.y);
        m_fMaxX = i == 0 ? world.x : std::max(m_fMaxX, world.x);
        m_fMaxY = i == 0 ? world.y : std::max(m_fMaxY, world.y);
    }
    const CPose world = m_pose.ComposedWith(parent);
    for (CPaint* member : m_members) {
        if (auto* group = dynamic_cast<CGroup*>(member))
            group->ComputeSubtreeExtent(&world);
        else
            member->ComputeExtent(&world);
    }
}

// ---- Drawing ----

void CGroup::DrawFrame(const CPose& parent) {
    CDC* dc = m_pTool->GetTargetDC();
    for (int i = 0; i <= 4; ++i) {
        const CDoublePoint corner = FrameCorner(i % 4);
        const CDoublePoint world = LocalToWorldInFrame(parent, corner.x, corner.y);
        const CPoint device = m_pTool->LayoutToDevice(world.x, world.y, 1);
        if (i == 0)
            dc->MoveTo(device);
        else
            dc->LineTo(device);
    }
}

void CGroup::DrawEditFrame(const CPose& parent, int penStyle) {
    CDC* dc = m_pTool->GetTargetDC();
    CPen pen(penStyle, kEditFramePenWidth, kGroupEditFrameColor);
    CPen* previous = dc->SelectObject(&pen);
    DrawFrame(parent);
    for (int i = 0; i < 4; ++i) {
        const CDoublePoint corner = FrameCorner(i);
        const CDoublePoint world = LocalToWorldInFrame(parent, corner.x, corner.y);
        const CPoint device = m_pTool->LayoutToDevice(world.x, world.y, 1);
        DrawXMarker(device.x, device.y);
    }
    dc->SelectObject(previous);
}

bool CGroup::DrawsByBoundsAndSelection() const {
    return false;
}

bool CGroup::DrawsThroughIndex() const {
    return CMemberIndex::Enabled() && m_members.size() >= kIndexedMembers && m_pTool != nullptr &&
           m_pTool->m_pHost != nullptr && !m_pTool->IsPrinting();
}

// A printed page asks every member, as it decides by the page rather than the update rectangle.
template <class Visit>
void CGroup::ForMembersInUpdate(Visit visit) {
    if (DrawsThroughIndex()) {
        for (CPaint* member : m_memberIndex.MembersMeeting(m_members, m_pTool->UpdateInBounds()))
            visit(member);
        return;
    }
    for (auto member = m_members.rbegin(); member != m_members.rend(); ++member) visit(*member);
}

CDoublePoint CGroup::RotationHandleAtZoom() const {
    const double s = m_pTool->GetHandleTolerance();
    return {-2.0 * s, -2.0 * s};
}

int CGroup::Draw(const CPose* parent) {
    const CPose& frame = FrameOf(parent);
    const CPose world = WorldPose(parent);
    int drawn = 0;
    ForMembersInUpdate([&](CPaint* member) {
        if (member->Draw(&world))
            drawn = 1;
    });
    CDC* dc = m_pTool != nullptr ? m_pTool->GetTargetDC() : nullptr;
    if (dc == nullptr)
        return drawn;
    if (m_pTool->IsPrinting())
        return 1;
    if (!drawn)
        return 0;
    if (IsSelected()) {
        const COLORREF color = GetEditState() != -1 ? kSelectedWhileEditingColor : m_pen.color;
        CPen pen(m_pen.style, m_pen.widthX, color);
        CPen* previous = dc->SelectObject(&pen);
        if (m_bUseBorder)
            DrawFrame(frame);
        if (!(m_pTool->m_bButtonDown && m_pTool->m_bMoved)) {
            const CDoublePoint rotationHandle = RotationHandleAtZoom();
            ShowRotationHandleAt(rotationHandle);
            const CDoublePoint corner = LocalToWorldInFrame(frame, m_fFrameWidth, m_fFrameHeight);
            const CPoint handle = m_pTool->LayoutToDevice(corner.x, corner.y, 1);
            DrawHollowHandle(handle.x, handle.y);
            dc->SelectObject(previous);
            const CDoublePoint anchor = LocalToWorldInFrame(frame, rotationHandle.x, rotationHandle.y);
            const CPoint cross = m_pTool->LayoutToDevice(anchor.x, anchor.y, 1);
            DrawCrossMarker(cross.x, cross.y);
        }
        dc->SelectObject(previous);
    }
    if (m_bBeingEdited)
        DrawEditFrame(frame, PS_DOT);
    return 1;
}

// Only the selected members, and the member groups that may hold some, can draw here.
int CGroup::DrawIfSelected(const CPose* parent) {
    if (IsSelected())
        return Draw(parent);
    const CPose world = WorldPose(parent);
    int drawn = 0;
    const auto visit = [&](CPaint* member) {
        if (member->DrawIfSelected(&world))
            drawn = 1;
    };
    if (DrawsThroughIndex()) {
        for (CPaint* member : m_memberIndex.MembersAmong(m_members, m_pTool->m_pHost->GetSelection()))
            visit(member);
    } else {
        for (auto member = m_members.rbegin(); member != m_members.rend(); ++member) visit(*member);
    }
    return drawn;
}

int CGroup::DrawIfUnselected(const CPose* parent) {
    if (IsSelected())
        return 0;
    const CPose world = WorldPose(parent);
    ForMembersInUpdate([&world](CPaint* member) { member->DrawIfUnselected(&world); });
    if (m_bBeingEdited && m_pTool != nullptr && m_pTool->GetTargetDC() != nullptr)
        DrawEditFrame(FrameOf(parent), PS_SOLID);
    return 1;
}

// ---- Hit testing ----

int CGroup::HitTestFrame() {
    for (int i = 0; i < 4; ++i) {
        const CDoublePoint a = FrameCorner(i);
        const CDoublePoint b = FrameCorner((i + 1) % 4);
        if (HitTestSegment(&m_parentPose, a.x, a.y, b.x, b.y))
            return 1;
    }
    return 0;
}

CPaint* CGroup::HitTest() {
    if (m_bUseBorder && IsSelected() && HitTestFrame())
        return this;
    for (CPaint* member : m_members)
        if (CPaint* hit = member->HitTest())
            return hit;
    return nullptr;
}

int CGroup::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected())
        return -1;
    const CPose& frame = FrameOf(pose);
    const int px = TruncateCoordinate(x);
    const int py = TruncateCoordinate(y);
    const double s = m_pTool->GetHandleTolerance();
    struct Handle {
        int answer;
        CDoublePoint local;
    };
    const Handle handles[] = {{1, {0.0, 0.0}},
                              {2, {0.0, m_fFrameHeight}},
                              {3, {m_fFrameWidth, m_fFrameHeight}},
                              {4, {m_fFrameWidth, 0.0}},
                              {0, m_points.GetSize() > 0 ? HandlePoint(0) : CDoublePoint{}}};
    for (const Handle& handle : handles) {
        const CDoublePoint c = LocalToWorldInFrame(frame, handle.local.x, handle.local.y);
        if (px >= TruncateCoordinate(c.x - s) && px < TruncateCoordinate(c.x + s) &&
            py >= TruncateCoordinate(c.y - s) && py < TruncateCoordinate(c.y + s))
            return handle.answer;
    }
    return -1;
}

// ---- Status texts ----

void CGroup::AppendStatusText(CString& text) {
    if (m_pTool == nullptr || m_pTool->m_nDraggedHandle != 3)
        return;
    const CLengthFormat format(m_pTool->m_pHost != nullptr ? m_pTool->m_pHost->GetUnitIndex()
                                                           : kDefaultUnitIndex);
    CString width, height;
    format.FormatLength(width, m_fFrameWidth);
    format.FormatLength(height, m_fFrameHeight);
    text = width + "; " + height;
}

void CGroup::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr)
        return;
    CPieceStatusText& status = m_pTool->m_status;
    double angle = m_pose.angle + FrameOf(pose).angle;
    if (angle < 0.0)
        angle += 2.0 * kPi;
    status.m_fRotation = angle / kPi * 180.0;
    const CLengthFormat format(m_pTool->m_pHost != nullptr ? m_pTool->m_pHost->GetUnitIndex()
                                                           : kDefaultUnitIndex);
    format.FormatLength(status.m_strMeasure[2], m_fFrameHeight);
    format.FormatLength(status.m_strMeasure[3], m_fFrameWidth);
    status.m_strMeasure[8] = m_strCategory;
    status.m_nKind = kStatusKind;
}
