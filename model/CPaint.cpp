#include "model/CPaint.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "model/CEditStep.h"
#include "model/CMemberIndex.h"
#include "model/CSelectionIndex.h"
#include "model/CSelectionOrder.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CatalogueDefaults.h"
#include "model/Geometry.h"
#include "model/PatternFile.h"
#include "model/Units.h"
#include "platform/r3d/Clump.h"

IMPLEMENT_SERIAL(CPaint, CObject, 1)

namespace {

bool IsOneOf(const CString& name, std::initializer_list<const char*> names) {
    for (const char* candidate : names)
        if (name == candidate)
            return true;
    return false;
}

}  // namespace

CPaint::CPaint() {
    Init();
    m_pTool = nullptr;
    m_bSelected = 0;
    m_brush = BrushRecord{kBrushHatched, 0, kHatchCross};
    m_pen = PenRecord{0, 0, 0, 0};
    m_bFillOn = 0;
    m_bPatternOn = 0;
    m_crFill = 0;
    m_strScale = kDefaultScaleName;
}

CPaint::CPaint(int selected, CTool* tool, double x, double y) {
    Init();
    m_bSelected = selected;
    m_pTool = tool;
    PlaceOrigin(x, y);
    m_strScale = kDefaultScaleName;
    if (tool == nullptr)
        return;
    m_pen = tool->m_penDefault;
    m_brush = tool->m_brushDefault;
    m_bFillOn = tool->m_bFillOnDefault;
    m_bPatternOn = tool->m_bPatternOnDefault;
    m_crFill = tool->m_crFillDefault;
    if (tool->m_pHost == nullptr)
        return;
    const int scale = tool->m_pHost->GetDefaultScaleIndex();
    if (scale >= 0 && scale < kScaleCount)
        m_strScale = ScaleTable[scale].name;
}

void CPaint::Init() {
    m_rcBounds.SetEmpty();
    m_rcPaintBounds.SetEmpty();
    m_nDrawState = 0;
    m_nFrameStyle = 0;
    m_nFrameWidth = 1;
    m_crFrame = 0;
    m_bChanged = 0;
    m_pPatternBitmap.reset();
    m_nLayer = 0;
    m_bLocked = 0;
    m_nPatternKind = 0;
    m_hModel = nullptr;
    m_bConformed = 0;
    SetEditState(-1);
    m_nArrowStyle = 1;
    m_nArrowLength = 1;
    m_nArrowWidth = 1;
    m_strCategory = DefaultCategory();
    m_strManufacturer = DefaultManufacturer();
    m_strType = DefaultType();
    m_strPartNo = "0";
    m_fPrice = 0.0;
    m_bShowInReport = 0;
    m_fQuantity = 1.0;
    m_bScaleWithDocument = 1;
    m_strPatternFile.Empty();
}

CPaint::~CPaint() {
    ReleasePointBlock();
    if (m_pTool != nullptr)
        m_pTool->ForgetObject(this);
}

void CPaint::ReleasePointBlock() {
    m_points.RemoveAll();
}

void CPaint::PlaceOrigin(double x, double y) {
    m_pose.x = x;
    m_pose.y = y;
}

void CPaint::AssertValid() const {}

void CPaint::Dump(CDumpContext&) const {}

void CPaint::SaveUndoCopy(int) {
    // The new object stays in the layout: undo takes it out again.
    if (m_pTool == nullptr)
        return;
    m_pTool->PushUndo(new CEditStep(kStepRemoveObject, this, 0));
}

CPaint* CPaint::Find3DMember() {
    return nullptr;
}

void CPaint::RecreateResources(int recreate) {
    if (recreate)
        ReloadPattern();
    else
        m_pPatternBitmap.reset();
}

void CPaint::ReloadPattern() {
    m_pPatternBitmap.reset();
    // An object whose pattern cannot be read is drawn without one, not with a blank one.
    if (!LoadPatternFile(m_strPatternFile, m_pPatternBitmap, 0))
        m_pPatternBitmap.reset();
}

// A new placement in the layout measures anew what depends on where the object lies.
void CPaint::SetParentPose(const CPose* pose) {
    const CPose parent = pose != nullptr ? *pose : CPose();
    const bool moved = !parent.SameAs(m_parentPose);
    m_parentPose = parent;
    if (moved)
        MeasureShape();
}

void CPaint::SetOwnerGroup(CGroup* group) {
    m_pOwnerGroup = group;
}

int CPaint::ApplyShapeStep(CEditStep*) {
    return 0;
}

int CPaint::HitTestEnd(const CPose*, double, double, int) {
    return -1;
}

int CPaint::DrawIfSelected(const CPose* parent) {
    return IsSelected() ? Draw(parent) : 0;
}

int CPaint::DrawIfUnselected(const CPose* parent) {
    return IsSelected() ? 0 : Draw(parent);
}

bool CPaint::DrawsByBoundsAndSelection() const {
    return true;
}

void CPaint::ResetDrawState() {
    m_nDrawState = 0;
}

void CPaint::RecalcBounds() {
    if (m_pTool == nullptr)
        return;
    const int handle = static_cast<int>(m_pTool->m_fHandleSize);
    const int margin = IsSelected() ? 7 * handle : handle;
    m_rcBounds = ExtentToDevice();
    m_rcBounds.Inflate(margin);
    m_boundsArea = ExtentArea(margin);
}

void CPaint::InvalidateBounds() {
    if (m_pTool == nullptr)
        return;
    m_pTool->InvalidateArea(m_boundsArea);
    m_rcBounds.SetEmpty();
    m_boundsArea.SetEmpty();
}

void CPaint::RecalcDeviceBounds() {
    if (m_pTool == nullptr)
        return;
    const double handle = m_pTool->m_fHandleSize;
    const int margin = IsSelected() ? static_cast<int>(handle * 7.0) : static_cast<int>(handle);
    m_rcPaintBounds = ExtentToDevice();
    m_rcPaintBounds.Inflate(margin);
    m_paintArea = ExtentArea(margin);
    HangFixedSizeParts();
    m_pTool->NoteMargin(m_paintArea.Margin());
    CMemberIndex::NoteBoundsChanged(this);
}

void CPaint::HangFixedSizePart(const CDoublePoint& world, const CPoint& device, const DeviceRect& box) {
    m_rcPaintBounds.Unite(box);
    const int reach =
        std::max({device.x - box.left, device.y - box.top, box.right - device.x, box.bottom - device.y});
    m_paintArea.HangFrom(world.x, world.y, reach);
}

DeviceRect CPaint::ExtentToDevice() const {
    // Asked for several times over for each object a command changes: the mapping is read once.
    const CViewMapping mapping = m_pTool->Mapping();
    DeviceRect rect{mapping.ToDevice(m_fMaxX), mapping.ToDevice(m_fMaxY), mapping.ToDevice(m_fMinX),
                    mapping.ToDevice(m_fMinY)};
    rect.Normalize();
    return rect;
}

CLayoutArea CPaint::ExtentArea(int margin) const {
    return CLayoutArea(m_fMinX, m_fMinY, m_fMaxX, m_fMaxY, margin);
}

void CPaint::GetSnapPoint(double& vectorX, double& vectorY, const CPose*, double, double) {
    vectorX = kNone;
    vectorY = kNone;
}

void CPaint::AppendStatusText(CString&) {}

void CPaint::NearestEndPoint(double& x, double& y, const CPose*) {
    x = kNone;
    y = kNone;
}

CString CPaint::GetCategory() {
    return m_strCategory;
}

CString CPaint::GetManufacturer() {
    return m_strManufacturer;
}

CString CPaint::GetScale() {
    return m_strScale;
}

CString CPaint::GetType() {
    return m_strType;
}

CString CPaint::GetName() {
    return m_strName;
}

CString CPaint::GetPartNo() {
    return m_strPartNo;
}

double CPaint::GetReportPrice(int) {
    return m_bShowInReport ? m_fPrice : 0.0;
}

double CPaint::GetQuantity() {
    return m_fQuantity;
}

CString CPaint::GetNoteText() {
    CString text = m_strNote;
    text.Replace("\r\n", "  ");
    return text;
}

void CPaint::SetScale(const CString& scale) {
    m_strScale = scale;
    RebuildShape();
}

CTool* CPaint::SetTool(CTool* tool) {
    CTool* previous = m_pTool;
    m_pTool = tool;
    return previous;
}

void CPaint::SetEditState(int state) {
    m_nEditState = state;
}

int CPaint::GetEditState() {
    return m_nEditState;
}

void CPaint::ComputeExtent(const CPose* pose) {
    GetBounds(pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
}

void CPaint::OnZoomChanged(int) {}

void CPaint::EnterEdit() {}

int CPaint::IsSelected() {
    if (m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return 0;
    if (CSelectionIndex* index = m_pTool->m_pHost->GetSelectionIndex())
        return index->Holds(m_pTool->m_pHost->GetSelection(), this) ? 1 : 0;
    for (CPaint* object : m_pTool->m_pHost->GetSelection())
        if (object == this)
            return 1;
    return 0;
}

void CPaint::SelectWithUndo(int record, int groupStart) {
    if (IsSelected())
        return;
    CEditStep step(kStepSelect, this, 1);
    if (ApplyEditStep(&step) && record && m_pTool != nullptr)
        m_pTool->PushUndo(new CEditStep(kStepDeselect, this, groupStart));
}

CString CPaint::GetClassName() {
    return CString(GetRuntimeClass()->m_lpszClassName);
}

int CPaint::ProbeConnection(const CPose* pose, int mode) {
    if (mode ? m_bChanged != 0 : IsSelected() != 0)
        return 0;
    return MatchProbe(pose, mode);
}

int CPaint::MatchProbe(const CPose*, int) {
    return 0;
}

int CPaint::FindConnection(const CPose*) {
    return 0;
}

void CPaint::UpdateConnections(const CPose*, int) {}

int CPaint::ReleaseEndAt(double, double, int) {
    return 0;
}

int CPaint::MatchEndAt(const CPose*, double, double, double, double, int&) {
    return 0;
}

int CPaint::JoinEndAt(const CPose*, double, double, double, int, double) {
    return 0;
}

int CPaint::SnapEndAt(const CPose*, double, double, double&, int&, int) {
    return 0;
}

void CPaint::SetChanged(int changed) {
    if (changed == 0)
        m_bChanged = 0;
}

int CPaint::TestConnection(const CPose*, void*, int) {
    return 0;
}

void CPaint::LowerElevations(const CPose*, double) {}

BOOL CPaint::GetLowestElevation(double&) const {
    return FALSE;
}

int CPaint::ChangeEndElevation(int, double, int, int) {
    return 0;
}

int CPaint::ApplyElevationStep(CEditStep*) {
    return 0;
}

int CPaint::DissolveInto(CGroup*) {
    return 0;
}

void CPaint::RecalcFrame() {}

void CPaint::RecalcFrames() {}

void CPaint::GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    GetBounds(pose, minX, minY, maxX, maxY);
}

bool CPaint::GetFrameOutline(std::vector<CDoublePoint>& points) {
    const CPose own = m_pose;
    m_pose = CPose();
    const CPose identity;
    constexpr double kUnset = std::numeric_limits<double>::quiet_NaN();
    double minX = kUnset, minY = kUnset, maxX = kUnset, maxY = kUnset;
    GetFrameBounds(&identity, minX, minY, maxX, maxY);
    m_pose = own;
    points.clear();
    if (!(std::isnan(minX) && std::isnan(minY) && std::isnan(maxX) && std::isnan(maxY)))
        points = {{minX, minY}, {maxX, minY}, {maxX, maxY}, {minX, maxY}};
    return true;
}

bool CPaint::GetOffsetFrameOutlines(std::vector<COffsetOutline>&) {
    return false;
}

void CPaint::GetBounds(const CPose*, double&, double&, double&, double&) {}

void CPaint::MoveOriginTo(const double*) {}

void CPaint::DeselectWithUndo(int record, int groupStart) {
    if (!IsSelected())
        return;
    const int position = SelectionPosition();
    CEditStep step(kStepDeselect, this, 1);
    if (!ApplyEditStep(&step) || !record || m_pTool == nullptr)
        return;
    auto reselect = std::make_unique<CEditStep>(kStepSelect, this, groupStart);
    auto payload = std::make_unique<SelectionPayload>();
    payload->position = position;
    reselect->SetPayload(std::move(payload));
    m_pTool->PushUndo(reselect.release());
}

int CPaint::SelectionPosition() {
    if (m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return 0;
    if (const CSelectionOrder* order = m_pTool->m_pSelectionOrder; order != nullptr)
        if (const int known = order->PositionOf(this); known >= 0)
            return known;
    int position = 0;
    for (CPaint* object : m_pTool->m_pHost->GetSelection()) {
        if (object == this)
            return position;
        ++position;
    }
    return 0;
}

void CPaint::ReleaseData() {
    ReleasePointBlock();
}

void CPaint::CopyFrom(CPaint* other) {
    m_strCategory = other->m_strCategory;
    m_strManufacturer = other->m_strManufacturer;
    m_strType = other->m_strType;
    m_strName = other->m_strName;
    m_strScale = other->m_strScale;
    m_strPartNo = other->m_strPartNo;
    m_fPrice = other->m_fPrice;
    m_bShowInReport = other->m_bShowInReport;
    m_strNote = other->m_strNote;
    m_bScaleWithDocument = other->m_bScaleWithDocument;
    m_bSelected = 0;
    m_pose = other->m_pose;
    m_parentPose = other->m_parentPose;
    m_savedPose = other->m_savedPose;
    m_pOwnerGroup = other->m_pOwnerGroup;
    m_pTool = other->m_pTool;
    m_nLayer = other->m_nLayer;
    m_bLocked = other->m_bLocked;
    m_fCornerX1 = other->m_fCornerX1;
    m_fCornerY1 = other->m_fCornerY1;
    m_fCornerX2 = other->m_fCornerX2;
    m_fCornerY2 = other->m_fCornerY2;
    m_fMinX = other->m_fMinX;
    m_fMinY = other->m_fMinY;
    m_fMaxX = other->m_fMaxX;
    m_fMaxY = other->m_fMaxY;
    m_bFillOn = other->m_bFillOn;
    m_crFill = other->m_crFill;
    m_bPatternOn = other->m_bPatternOn;
    m_nPatternKind = other->m_nPatternKind;
    m_brush = other->m_brush;
    m_pen = other->m_pen;
    m_nArrowStyle = other->m_nArrowStyle;
    m_nArrowLength = other->m_nArrowLength;
    m_nArrowWidth = other->m_nArrowWidth;
    m_nFrameStyle = other->m_nFrameStyle;
    m_nFrameWidth = other->m_nFrameWidth;
    m_crFrame = other->m_crFrame;
    m_strPatternFile = other->m_strPatternFile;
    RecreateResources(1);
    m_points.Copy(other->m_points);
    m_shownRotationHandle = other->m_shownRotationHandle;
}

CPaint* CPaint::Clone() {
    CPaint* copy = new CPaint;
    copy->CopyFrom(this);
    return copy;
}

void CPaint::SavePose() {
    m_savedPose = m_pose;
}

void CPaint::DrawControlPolygon(const CPose*) {}

int CPaint::ChangeGeometry(double x, double y, int handle, int, int record, int groupStart) {
    auto step = std::make_unique<CEditStep>(kStepChangeGeometry, this, groupStart);
    auto payload = std::make_unique<GeometryPayload>();
    payload->x = x;
    payload->y = y;
    payload->handle = handle;
    step->SetPayload(std::move(payload));
    return RecordOrApply(*this, std::move(step), record != 0);
}

CPaint* CPaint::HitTest() {
    if (m_pTool == nullptr || !m_pTool->IsLayerVisible(m_nLayer))
        return nullptr;
    const DeviceRect& band = m_pTool->m_rcRubberBand;
    if (band.left != 0 || band.top != 0 || band.right != 0 || band.bottom != 0)
        return this;
    DeviceRect extent{TruncateCoordinate(m_fMinX), TruncateCoordinate(m_fMinY), TruncateCoordinate(m_fMaxX),
                      TruncateCoordinate(m_fMaxY)};
    extent.Normalize();
    extent.Inflate(TruncateCoordinate(m_pTool->GetHandleTolerance()));
    const int x = TruncateCoordinate(m_pTool->m_fCurrentX);
    const int y = TruncateCoordinate(m_pTool->m_fCurrentY);
    const bool inside = x >= extent.left && x < extent.right && y >= extent.top && y < extent.bottom;
    return inside ? this : nullptr;
}

int CPaint::HitTestRect(int left, int top, int right, int bottom) {
    if (m_pTool == nullptr)
        return 0;
    const DeviceRect saved = m_pTool->m_rcRubberBand;
    m_pTool->m_rcRubberBand = DeviceRect{left, top, right, bottom};
    const int hit = HitTest() != nullptr ? 1 : 0;
    m_pTool->m_rcRubberBand = saved;
    return hit;
}

int CPaint::HitTestEndMarker(const CPose*) {
    return 0;
}

void CPaint::TrackCreate(const CPose*, int) {
    Invalidate();
    RecalcBounds();
}

void CPaint::DragHandle(const CPose* pose, int) {
    GetBounds(pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    Invalidate();
}

int CPaint::FinishCreate(const CPose* pose, int) {
    Invalidate();
    InvalidateBounds();
    Update3D(pose);
    if (m_pTool != nullptr) {
        const bool capsLock = (m_pTool->m_keyState[kCapsLockKey] & 1) != 0;
        if (capsLock || m_pTool->m_toolMode == kToolDragHandle)
            m_pTool->m_toolMode.Set(kToolSelector);
    }
    return IsInvalid(0) ? 0 : 1;
}

int CPaint::Rescale(CEditStep*) {
    return 0;
}

int CPaint::Edit3DProperties(int) {
    return 0;
}

int CPaint::RestoreFromUndo(CEditStep* step) {
    ObjectCopyPayload* saved = step->GetPayload<ObjectCopyPayload>();
    if (saved == nullptr || saved->object == nullptr)
        return 0;
    Invalidate();
    CopyFrom(saved->object);
    ComputeExtent(nullptr);
    Update3D(&m_parentPose);
    Invalidate();
    return 1;
}

void CPaint::MeasureShape() {}

void CPaint::Invalidate() {
    MeasureShape();
    if (m_pTool == nullptr)
        return;
    RecalcDeviceBounds();
    m_pTool->InvalidateArea(m_paintArea);
}

int CPaint::ApplyEditStep(CEditStep* step) {
    const int done = ApplyStepOfKind(step);
    if (done != 0)
        MeasureShape();
    return done;
}

int CPaint::ApplyStepOfKind(CEditStep* step) {
    switch (step->m_nKind) {
        case kStepSelect:
            if (const SelectionPayload* place = step->GetPayload<SelectionPayload>())
                SelectAt(place->position);
            else
                Select();
            // An object on a locked layer refuses the selection.
            return IsSelected() ? 1 : 0;
        case kStepDeselect:
            Deselect();
            return 1;
        case kStepRescale:
            return Rescale(step);
        case kStepChangeGeometry:
            return UpdateGeometry(step);
        case kStepSetHeight:
            return ApplyHeightStep(step);
        case kStepTrackEndElevation:
            return ApplyElevationStep(step);
        case kStepRestoreProperties:
        case kStepRestoreSelectionProperties:
        case kStepRestoreAllProperties:
            return RestoreProperties(step);
        default:
            break;
    }
    if (step->m_nKind >= kStepShapeFirst && step->m_nKind <= kStepShapeLast)
        return ApplyShapeStep(step);
    return 0;
}

int CPaint::RestoreProperties(CEditStep* step) {
    ObjectCopyPayload* saved = step->GetPayload<ObjectCopyPayload>();
    if (saved == nullptr || saved->object == nullptr)
        return 0;
    RestoreFormerState(saved->object);
    return 1;
}

void CPaint::RestoreFormerState(CPaint* former) {
    ComputeExtent(nullptr);
    Invalidate();
    // A properties result replaces the whole object (CopyFrom), so undo puts all of it back.
    const int selected = m_bSelected;
    CopyFrom(former);
    m_bSelected = selected;
    RebuildShape();
    // The rebuild puts the handles where a fresh shape has them, which a turn or mirror of
    // the object's group may have left elsewhere: they go back where they were.
    m_points.Copy(former->m_points);
    ComputeExtent(nullptr);
    Invalidate();
    UpdateSizeInfo(nullptr);
}

void CPaint::UpdateSizeInfo(const CPose*) {
    if (m_pTool == nullptr)
        return;
    m_pTool->m_strStatusText = m_strName;
    m_pTool->m_bStatusRefresh = 1;
}

int CPaint::IsInvalid(int) {
    return std::isnan(m_pose.x) || std::isnan(m_pose.y) || std::isnan(m_pose.angle) ? 1 : 0;
}

void CPaint::SetLayer(int layer) {
    m_nLayer = layer;
}

void CPaint::CutAtToolPoint() {}

void CPaint::RebuildShape() {}

void CPaint::PlaceOnBase() {}

int CPaint::SetHeight(int index, double value, int, int record, int groupStart) {
    if (!IsOneOf(GetClassName(), {"CArcTrack", "CCircTrack", "CSplineTrack", "CTrack", "C3D", "CSprite"}))
        return 0;
    if (index < 0 || index > 2)
        return 0;
    auto step = std::make_unique<CEditStep>(kStepSetHeight, this, groupStart);
    auto payload = std::make_unique<HeightPayload>();
    payload->index = index;
    payload->value = value;
    step->SetPayload(std::move(payload));
    return RecordOrApply(*this, std::move(step), record != 0);
}

int CPaint::ApplyHeightStep(CEditStep*) {
    return 0;
}

void CPaint::ConformToTerrain(int) {}

void CPaint::DetachFromTerrain() {}

CTrackEndSource* CPaint::TrackEndSource() {
    return nullptr;
}

void CPaint::Select() {
    SelectAt(0);
}

void CPaint::SelectAt(int position) {
    if (IsSelected() || m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return;
    if (m_pTool->m_pHost->IsLayerLocked(m_nLayer))
        return;
    m_bSelected = 1;
    CPaintList& selection = m_pTool->m_pHost->GetSelection();
    // Walked from the nearer end: the Undo of a Delete puts each object back near one of them.
    const auto count = static_cast<std::ptrdiff_t>(selection.size());
    const std::ptrdiff_t place = std::clamp<std::ptrdiff_t>(position, 0, count);
    auto at =
        place <= count / 2 ? std::next(selection.begin(), place) : std::prev(selection.end(), count - place);
    at = selection.insert(at, this);
    if (CSelectionIndex* index = m_pTool->m_pHost->GetSelectionIndex())
        index->Inserted(selection, at);
    if (m_pTool->m_pSelectionOrder != nullptr)
        m_pTool->m_pSelectionOrder->Added();
    RecalcBounds();
    Invalidate();
}

void CPaint::Deselect() {
    m_rcBounds.SetEmpty();
    m_boundsArea.SetEmpty();
    Invalidate();
    m_bSelected = 0;
    if (m_pTool != nullptr && m_pTool->m_pHost != nullptr)
        m_pTool->RemoveFromSelection(this);
}
