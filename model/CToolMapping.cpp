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
    const bool mapsAnew = numerator != m_fZoomNumerator || denominator != m_fZoomDenominator;
    m_fZoomNumerator = numerator;
    m_fZoomDenominator = denominator;
    m_fZoomRatio = denominator != 0.0 ? numerator / denominator : 0.0;
    if (told)
        RescaleGroupMembers();
    if (mapsAnew)
        UpdateDeviceBounds();
}

// Telling the same zoom again changes nothing; a ratio read from a file that does not match its
// numerator and denominator is still put right.
void CTool::TakeMapping(const CViewMapping& mapping) {
    m_pInputView = mapping.View();
    if (m_fZoomNumerator != mapping.Numerator() || m_fZoomDenominator != mapping.Denominator() ||
        m_fZoomRatio != mapping.Factor())
        SetViewScale(mapping.Numerator(), mapping.Denominator());
}

void CTool::RescaleGroupMembers() {
    for (CPaint* member : CurrentGroupMembers()) member->OnZoomChanged(TruncateCoordinate(m_fZoomNumerator));
}

BOOL CTool::IsPrinting() const {
    return m_pTargetDC != nullptr && m_pTargetDC->IsPrinting();
}

CViewMapping CTool::Mapping() const {
    return m_targetMapping ? *m_targetMapping
                           : CViewMapping(m_fZoomNumerator, m_fZoomDenominator, m_pInputView);
}

double CTool::ZoomFactor() const {
    return Mapping().Factor();
}

double CTool::ZoomRatio() const {
    return m_targetMapping ? m_targetMapping->Factor() : m_fZoomRatio;
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
    const CViewMapping mapping = Mapping();
    const double scale = mapping.Numerator() != 0.0 ? mapping.Denominator() / mapping.Numerator() : 0.0;
    return {x * scale, y * scale};
}

void CTool::LayoutToDevicePoints(POINT* points, int count) const {
    const bool printing = MapsForPrint();
    const CViewMapping mapping = Mapping();
    const double numerator = mapping.Numerator(), denominator = mapping.Denominator();
    for (int i = 0; i < count; ++i) {
        POINT& p = points[i];
        if (printing) {
            const double scale = m_pHost->GetPrintScale();
            p = CPoint(TruncateCoordinate(p.x / scale - m_fPrintOffsetX),
                       TruncateCoordinate(p.y / scale + m_fPrintOffsetY));
        } else if (denominator != 0.0) {
            p = CPoint(TruncateCoordinate(p.x / denominator * numerator),
                       TruncateCoordinate(p.y / denominator * numerator));
        }
    }
}

void CTool::LayoutToDevicePointArray(std::vector<CPoint>& points) const {
    LayoutToDevicePoints(points.data(), static_cast<int>(points.size()));
}

void CTool::SetTargetDC(CDC* dc, CDC* attribDC) {
    m_pTargetDC = dc;
    m_pAttribDC = attribDC != nullptr ? attribDC : dc;
    m_targetMapping.reset();
}

void CTool::SetTargetDC(CDC* dc, CDC* attribDC, const CViewMapping& mapping) {
    SetTargetDC(dc, attribDC);
    if (dc != nullptr)
        m_targetMapping = mapping;
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
    m_nLargestMargin = 0;
    if (m_pHost != nullptr && m_pHost->GetRootGroup() != nullptr)
        m_pHost->GetRootGroup()->RecalcDeviceBounds();
}

bool CTool::MapsAsOwn() const {
    return !m_targetMapping || m_targetMapping->MapsAs(CViewMapping(m_fZoomNumerator, m_fZoomDenominator));
}

// An object drawn for the view meets the update rectangle where its extent, widened by its
// margin, does there; its extent lies within its paint bounds in the own mapping.
DeviceRect CTool::UpdateInBounds() const {
    if (MapsAsOwn() || m_rcUpdate.IsEmpty())
        return m_rcUpdate;
    DeviceRect update = m_rcUpdate;
    update.Inflate(m_nLargestMargin);
    return CLayoutArea::FromDevice(update, *m_targetMapping)
        .In(CViewMapping(m_fZoomNumerator, m_fZoomDenominator));
}

bool CTool::MeetsUpdate(const DeviceRect& bounds, const CLayoutArea& area) const {
    if (MapsAsOwn())
        return bounds.Intersects(m_rcUpdate);
    return area.In(*m_targetMapping).Intersects(m_rcUpdate);
}

void CTool::NoteMargin(int margin) {
    m_nLargestMargin = std::max(m_nLargestMargin, margin);
}

bool CTool::DrawsGestureOverlays() const {
    return m_pGestureView == nullptr || m_pGestureView == Mapping().View();
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
    // Only a lost member takes the extent measured here: the others keep theirs, which their
    // groups' frames and Undo are measured from.
    for (CPaint* member : CurrentGroupMembers()) {
        double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
        member->GetBounds(&pose, minX, minY, maxX, maxY);
        if (!LiesWhollyOffPage(minX, minY, maxX, maxY))
            continue;
        member->m_fMinX = minX;
        member->m_fMinY = minY;
        member->m_fMaxX = maxX;
        member->m_fMaxY = maxY;
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
bool CTool::LiesWhollyOffPage(double minX, double minY, double maxX, double maxY) const {
    const double width = m_pHost->GetPageWidth();
    const double height = m_pHost->GetPageHeight();
    return maxX < 0.0 || minX > width || maxY < -height || minY > 0.0;
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
    const TrackEndCandidate& candidate = m_track.candidate;
    ends.AskNear(m_track.probeX, m_track.probeY, [&](CPaint* object, const CPose& frame) {
        if (OpenToProbe(object, root, mode) && object->ProbeConnection(&frame, mode))
            matched = 1;
        // Only a nearer end replaces the candidate: one met at no distance is kept.
        return matched != 0 && candidate.distance == 0.0;
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
