#include <algorithm>
#include <cmath>
#include <memory>

#include "model/CEditStep.h"

#include "model/CGroup.h"
#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CTrackEndIndex.h"
#include "model/Geometry.h"
#include "platform/gdi/CDC.h"

namespace {

constexpr double kScrollLimit = 32000.0;
constexpr double kScrollFloor = 100.0;

}  // namespace

// The members are told only the whole numerator, and only when it changes: every repaint sets
// the scale, and a walk over a large layout that tells nothing new would cost it dearly.
void CTool::SetViewScale(double numerator, double denominator) {
    const bool told = TruncateCoordinate(numerator) != TruncateCoordinate(m_fZoomNumerator);
    m_fZoomNumerator = numerator;
    m_fZoomDenominator = denominator;
    m_fZoomRatio = denominator != 0.0 ? numerator / denominator : 0.0;
    if (told)
        RescaleGroupMembers();
}

void CTool::RescaleGroupMembers() {
    for (CPaint* member : CurrentGroupMembers()) member->OnZoomChanged(TruncateCoordinate(m_fZoomNumerator));
}

BOOL CTool::IsPrinting() const {
    return m_pTargetDC != nullptr && m_pTargetDC->IsPrinting();
}

double CTool::ZoomFactor() const {
    return m_fZoomDenominator != 0.0 ? m_fZoomNumerator / m_fZoomDenominator : 0.0;
}

bool CTool::MapsForPrint() const {
    return IsPrinting() && m_pHost != nullptr;
}

CPoint CTool::LayoutToDevice(double x, double y, int print) const {
    if (print && MapsForPrint()) {
        const double scale = m_pHost->GetPrintScale();
        return CPoint(TruncateCoordinate(x / scale - m_fPrintOffsetX),
                      TruncateCoordinate(y / scale + m_fPrintOffsetY));
    }
    const double zoom = ZoomFactor();
    return CPoint(TruncateCoordinate(x * zoom), TruncateCoordinate(y * zoom));
}

CDoublePoint CTool::DeviceToLayout(double x, double y) const {
    const double scale = m_fZoomNumerator != 0.0 ? m_fZoomDenominator / m_fZoomNumerator : 0.0;
    return {x * scale, y * scale};
}

void CTool::LayoutToDevicePoints(POINT* points, int count) const {
    const bool printing = MapsForPrint();
    for (int i = 0; i < count; ++i) {
        POINT& p = points[i];
        if (printing) {
            const double scale = m_pHost->GetPrintScale();
            p = CPoint(TruncateCoordinate(p.x / scale - m_fPrintOffsetX),
                       TruncateCoordinate(p.y / scale + m_fPrintOffsetY));
        } else if (m_fZoomDenominator != 0.0) {
            p = CPoint(TruncateCoordinate(p.x / m_fZoomDenominator * m_fZoomNumerator),
                       TruncateCoordinate(p.y / m_fZoomDenominator * m_fZoomNumerator));
        }
    }
}

void CTool::LayoutToDevicePointArray(std::vector<CPoint>& points) const {
    LayoutToDevicePoints(points.data(), static_cast<int>(points.size()));
}

void CTool::SetTargetDC(CDC* dc, CDC* attribDC) {
    m_pTargetDC = dc;
    m_pAttribDC = attribDC != nullptr ? attribDC : dc;
}

void CTool::AttachToObjects() {
    if (m_pHost != nullptr && m_pHost->GetRootGroup() != nullptr)
        m_pHost->GetRootGroup()->SetTool(this);
}

int CTool::CanZoomIn() const {
    int width = 0, height = 0;
    if (m_pHost == nullptr || !m_pHost->GetPlanScrollSize(width, height))
        return 1;
    return width * 2.0 < kScrollLimit && height * 2.0 < kScrollLimit ? 1 : 0;
}

int CTool::CanZoomOut() const {
    int width = 0, height = 0;
    if (m_pHost == nullptr || !m_pHost->GetPlanScrollSize(width, height))
        return 1;
    return width / 2.0 > kScrollFloor && height / 2.0 > kScrollFloor ? 1 : 0;
}

void CTool::UpdateDeviceBounds() {
    // What waits to be repainted moves to the new mapping with the bounds.
    m_rcDirty = BoundsToView(m_rcDirty);
    m_rcSecondDirty = BoundsToView(m_rcSecondDirty);
    m_rcDirtyExtent = ExtentToView(m_rcDirtyExtent);
    m_fBoundsNumerator = m_fZoomNumerator;
    m_fBoundsDenominator = m_fZoomDenominator;
    m_nBoundsReach = 0;
    if (m_pHost != nullptr && m_pHost->GetRootGroup() != nullptr)
        m_pHost->GetRootGroup()->RecalcDeviceBounds();
}

int CTool::LayoutToBounds(double value) const {
    if (m_fBoundsDenominator == 0.0)
        return 0;
    return TruncateCoordinate(value * m_fBoundsNumerator / m_fBoundsDenominator);
}

bool CTool::MapsAsBounds() const {
    return m_fZoomNumerator == m_fBoundsNumerator && m_fZoomDenominator == m_fBoundsDenominator;
}

void CTool::MapFor(double numerator, double denominator) {
    m_fZoomNumerator = numerator;
    m_fZoomDenominator = denominator;
    m_fZoomRatio = denominator != 0.0 ? numerator / denominator : 0.0;
}

namespace {

// Whether areas can be carried from one mapping to the other by the factor.
bool IsMappingFactor(double factor) {
    return std::isfinite(factor) && factor > 0.0;
}

// The area times the factor, rounded outward and widened by the margin.
DeviceRect ScaledOutward(const DeviceRect& rect, double factor, int margin) {
    DeviceRect scaled{TruncateCoordinate(std::floor(rect.left * factor)),
                      TruncateCoordinate(std::floor(rect.top * factor)),
                      TruncateCoordinate(std::ceil(rect.right * factor)),
                      TruncateCoordinate(std::ceil(rect.bottom * factor))};
    scaled.Inflate(margin);
    return scaled;
}

// Truncation to whole units at one end moves an edge by up to a unit, which is this many units at
// the other.
int RoundingMargin(double factor) {
    return TruncateCoordinate(std::ceil(factor)) + 1;
}

// Parts of a fixed device size reach as far at every zoom; carried by a factor below 1 they
// shrink, and the area must widen by what they lost.
int ShrunkReach(int reach, double factor) {
    return factor < 1.0 ? TruncateCoordinate(std::ceil(reach * (1.0 - factor))) : 0;
}

// The area both rectangles cover; the first where they do not meet.
DeviceRect Overlap(const DeviceRect& first, const DeviceRect& second) {
    const DeviceRect common{std::max(first.left, second.left), std::max(first.top, second.top),
                            std::min(first.right, second.right), std::min(first.bottom, second.bottom)};
    return common.IsEmpty() ? first : common;
}

}  // namespace

// The bounds hold the extent, mapped, and parts of a fixed device size around it.
DeviceRect CTool::BoundsToView(const DeviceRect& rect) const {
    const double factor =
        (m_fZoomNumerator / m_fZoomDenominator) / (m_fBoundsNumerator / m_fBoundsDenominator);
    if (MapsAsBounds() || rect.IsEmpty() || !IsMappingFactor(factor))
        return rect;
    DeviceRect upright = rect;
    upright.Normalize();
    return ScaledOutward(upright, factor, ShrunkReach(m_nBoundsReach, factor) + RoundingMargin(factor));
}

DeviceRect CTool::ExtentToView(const DeviceRect& rect) const {
    const double factor =
        (m_fZoomNumerator / m_fZoomDenominator) / (m_fBoundsNumerator / m_fBoundsDenominator);
    if (MapsAsBounds() || rect.IsEmpty() || !IsMappingFactor(factor))
        return rect;
    return ScaledOutward(rect, factor, RoundingMargin(factor));
}

bool CTool::ZoomsInFromBounds() const {
    const double factor =
        (m_fZoomNumerator / m_fZoomDenominator) / (m_fBoundsNumerator / m_fBoundsDenominator);
    return !MapsAsBounds() && IsMappingFactor(factor) && factor > 1.0;
}

DeviceRect CTool::ViewToBounds(const DeviceRect& rect) const {
    const double factor =
        (m_fBoundsNumerator / m_fBoundsDenominator) / (m_fZoomNumerator / m_fZoomDenominator);
    if (MapsAsBounds() || rect.IsEmpty() || !IsMappingFactor(factor))
        return rect;
    DeviceRect upright = rect;
    upright.Normalize();
    return ScaledOutward(upright, factor, RoundingMargin(factor));
}

// An object drawn at this zoom reaches past its extent by its fixed-size parts, which its bounds
// hold at their own size: where the bounds mapping is the larger, they fall short by what those
// parts would grow to there.
DeviceRect CTool::UpdateInBounds() const {
    const double factor =
        (m_fBoundsNumerator / m_fBoundsDenominator) / (m_fZoomNumerator / m_fZoomDenominator);
    if (MapsAsBounds() || m_rcUpdate.IsEmpty() || !IsMappingFactor(factor))
        return m_rcUpdate;
    DeviceRect update = ViewToBounds(m_rcUpdate);
    if (factor > 1.0)
        update.Inflate(TruncateCoordinate(std::ceil(m_nBoundsReach * (factor - 1.0))));
    return update;
}

// Carried to a larger zoom, the fixed-size parts held in the dirty area grow with it; the
// extents widened by those parts at their own size may be the tighter bound of what was drawn.
DeviceRect CTool::DirtyAreaInView() const {
    DeviceRect dirty = m_rcDirty;
    dirty.Normalize();
    DeviceRect area = BoundsToView(dirty);
    if (ZoomsInFromBounds() && !m_rcDirtyExtent.IsEmpty()) {
        DeviceRect extents = ExtentToView(m_rcDirtyExtent);
        extents.Inflate(m_nDirtyReach);
        area = Overlap(area, extents);
    }
    DeviceRect previous = m_rcSecondDirty;
    previous.Normalize();
    area.Unite(BoundsToView(previous));
    return area;
}

int CTool::ReachPast(const DeviceRect& extent, const DeviceRect& bounds) {
    return std::max({extent.left - bounds.left, extent.top - bounds.top, bounds.right - extent.right,
                     bounds.bottom - extent.bottom});
}

void CTool::NoteBoundsReach(const DeviceRect& extent, const DeviceRect& bounds) {
    m_nBoundsReach = std::max(m_nBoundsReach, ReachPast(extent, bounds));
}

bool CTool::DrawsGestureOverlays() const {
    return m_pGestureView == nullptr || m_pGestureView == m_pMappedView;
}

void CTool::RepaintAllViews() {
    if (m_pHost != nullptr)
        m_pHost->RepaintDirtyViews();
}

// Walked in place on every mouse event; the loops over it stop at the first change they make.
const CPaintList& CTool::CurrentGroupMembers() const {
    static const CPaintList none;
    if (m_pHost == nullptr || m_pHost->GetCurrentGroup() == nullptr)
        return none;
    return m_pHost->GetGroupMembers(m_pHost->GetCurrentGroup());
}

CPose CTool::GetCurrentGroupPose() const {
    CPaint* group = m_pHost != nullptr ? m_pHost->GetCurrentGroup() : nullptr;
    if (group == nullptr || IsRootGroup(group))
        return CPose();
    return group->m_pose.ComposedWith(group->m_parentPose);
}

void CTool::BringLostObjectsIntoView() {
    int centreX = 0, centreY = 0;
    if (m_pHost == nullptr || !m_pHost->InvalidatePlanView(centreX, centreY))
        return;
    const CDoublePoint centre = DeviceToLayout(centreX, centreY);
    const CPose pose = GetCurrentGroupPose();
    CPaintList lost;
    for (CPaint* member : CurrentGroupMembers()) {
        member->GetBounds(&pose, member->m_fMinX, member->m_fMinY, member->m_fMaxX, member->m_fMaxY);
        if (LiesWhollyOffPage(*member))
            lost.push_back(member);
    }
    // The members' former states put them back exactly; one Undo takes back every move.
    std::vector<std::unique_ptr<CEditStep>> formerStates = FormerStatesOf(lost, 1);
    for (CPaint* member : lost) {
        const double extentX = (member->m_fMinX + member->m_fMaxX) / 2.0;
        const double extentY = (member->m_fMinY + member->m_fMaxY) / 2.0;
        member->MoveFromSavedPose(centre.x - extentX, centre.y - extentY, 0);
        member->Update3D(&pose);
    }
    PushSteps(formerStates);
    if (!IsRootGroup(m_pHost->GetCurrentGroup()))
        m_pHost->RefreshGroupFrame(nullptr);
}

// The page runs from (0, 0) to its width and down to minus its height.
bool CTool::LiesWhollyOffPage(const CPaint& member) const {
    const double width = m_pHost->GetPageWidth();
    const double height = m_pHost->GetPageHeight();
    return member.m_fMaxX < 0.0 || member.m_fMinX > width || member.m_fMaxY < -height || member.m_fMinY > 0.0;
}

int CTool::QueryRootGroup(int mode) {
    CPaint* root = m_pHost != nullptr ? m_pHost->GetRootGroup() : nullptr;
    if (root == nullptr)
        return 0;
    if (m_track.probeEnds != nullptr)
        return QueryNearEnds(*m_track.probeEnds, root, mode);
    const CPose empty;
    return root->ProbeConnection(&empty, mode);
}

int CTool::QueryNearEnds(CTrackEndIndex& ends, CPaint* root, int mode) {
    int matched = 0;
    ends.AskNear(m_track.probeX, m_track.probeY, [&](CPaint* object, const CPose& frame) {
        if (OpenToProbe(object, root, mode) && object->ProbeConnection(&frame, mode))
            matched = 1;
        return false;
    });
    return matched;
}

bool CTool::OpenToProbe(CPaint* object, const CPaint* root, int mode) const {
    // As the walk from the root group does: every group on the way passes its members on
    // only when their layer is shown and they are not held back from the probe.
    for (CPaint* at = object; at != nullptr && at != root; at = at->m_pOwnerGroup) {
        if (!IsLayerVisible(at->m_nLayer))
            return false;
        if (at != object && (mode ? at->m_bChanged != 0 : at->IsSelected() != 0))
            return false;
    }
    return true;
}

void CTool::FindInCurrentGroup(double x, double y, int end) {
    const CPose pose = GetCurrentGroupPose();
    const CPaintList members = CurrentGroupMembers();
    double direction = 0.0;
    int passFlag = 0;
    // The first walk lets the changed piece report its end direction; the second joins the
    // end of a matching piece.
    for (int walk = 0; walk < 2; ++walk)
        for (CPaint* member : members)
            if (member->SnapEndAt(&pose, x, y, direction, passFlag, end))
                return;
}
