#include "view3d/C3D.h"

#include <algorithm>
#include <cmath>

#include "drawing/AnnotationSupport.h"
#include "drawing/ShapeSupport.h"
#include "model/CEditStep.h"
#include "model/CGroundSurface.h"
#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/base/CArchive.h"
#include "platform/base/CStringTable.h"
#include "platform/r3d/Clump.h"
#include "resources/StringTable.h"
#include "view3d/Object3DSupport.h"

IMPLEMENT_SERIAL(C3D, CPaint, 1)

namespace {

// Version from which the record carries the exclude-from-conforming switch.
constexpr int kExcludeVersion = 17;
// Before version 7 the four corners stood at points 5 to 8.
constexpr int kOutlinePointsVersion = 7;

}  // namespace

C3D::C3D() {
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
    std::copy_n(m_orientation.Data(), 16, m_elements.begin());
}

C3D::C3D(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y) {
    InitShape();
    const double h = tool != nullptr ? tool->m_fHandleSize : 0.0;
    for (int i = 0; i < kPointCount; ++i) m_points.Add(2.0 * h, -2.0 * h);
    m_fHeight = Scale3D();
    std::copy_n(m_orientation.Data(), 16, m_elements.begin());
}

C3D::~C3D() {
    // The terrains must not keep a cut that names an object gone.
    const std::vector<CPaint*> terrains = std::move(m_mounts);
    m_mounts.clear();
    for (CPaint* terrain : terrains)
        if (auto* ground = dynamic_cast<CGroundSurface*>(terrain))
            ground->RemoveObjectCut(this);
}

void C3D::InitShape() {
    m_strName = CStringTable::Text(IDS_3D_SHAPE);
    m_bShowInReport = 1;
    m_bScaleWithDocument = 1;
}

double C3D::Scale3D() const {
    return object3d::Scale3D(*this);
}

void C3D::SetOrientation(const r3d::Matrix& orientation) {
    m_orientation = orientation;
    std::copy_n(m_orientation.Data(), 16, m_elements.begin());
}

// ---- Terrains ----

void C3D::AddMount(CPaint* terrain) {
    if (std::find(m_mounts.begin(), m_mounts.end(), terrain) == m_mounts.end())
        m_mounts.push_back(terrain);
}

void C3D::RemoveMount(CPaint* terrain) {
    std::erase(m_mounts, terrain);
}

void C3D::DetachFromTerrain() {
    // The list empties first, so that a shape brought back by Undo is cut anew.
    const std::vector<CPaint*> terrains = std::move(m_mounts);
    m_mounts.clear();
    for (CPaint* terrain : terrains)
        if (auto* ground = dynamic_cast<CGroundSurface*>(terrain))
            ground->RemoveObjectCut(this);
}

void C3D::ConformToTerrain(int) {
    CGroup* group = m_pTool != nullptr ? m_pTool->GetCurrentGroup() : nullptr;
    if (group == nullptr || m_pTool->m_pHost == nullptr || !m_pTool->m_pHost->Has3DWindow() ||
        !m_pTool->IsLayerVisible(m_nLayer) || !HasPoints())
        return;
    const CDoublePoint centre = BoxCentre();
    const CDoublePoint world = LocalToWorld(centre.x, centre.y);
    m_pTool->m_fCurrentX = world.x;
    m_pTool->m_fCurrentY = world.y;
    for (CPaint* terrain : m_pTool->CurrentTerrains())
        dynamic_cast<CGroundSurface*>(terrain)->CutUnderObject(this);
}

void C3D::PlaceOnBase() {
    if (m_pTool == nullptr || !HasPoints())
        return;
    const CDoublePoint centre = BoxCentre();
    const CDoublePoint world = LocalToWorld(centre.x, centre.y);
    object3d::PlaceOnBaseAt(*this, world, m_fElevation);
    ConformToTerrain(1);
}

int C3D::ApplyHeightStep(CEditStep* step) {
    return object3d::ApplyElevationStep(*this, step, m_fElevation);
}

void C3D::LowerElevations(const CPose*, double by) {
    m_fElevation -= by;
}

BOOL C3D::GetLowestElevation(double& elevation) const {
    elevation = m_fElevation;
    return TRUE;
}

// ---- Record ----

void C3D::RefreshElevationFromModel() {
    object3d::RefreshElevationFromModel(*this, m_fElevation);
}

void C3D::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    if (ar.IsStoring()) {
        RefreshElevationFromModel();
        std::copy_n(m_orientation.Data(), 16, m_elements.begin());
        ar << m_strModelFile << m_strTexture << m_fHeight << m_fElevation << m_bShowOn2DPlan
           << m_bShowBoxWhenGrouped << m_bGrouped;
        for (float element : m_elements) ar << element;
        ar << m_bExcludeFromConforming;
        return;
    }
    const int version = GetDocumentFileVersion();
    // The record repeats no outline points, so nothing is added to an older array: its corners
    // move to where this version keeps them.
    if (version < kOutlinePointsVersion && m_points.GetSize() >= 9)
        for (int i = 1; i <= 4; ++i) m_points[i] = m_points[i + 4];
    if (m_points.GetSize() < kPointCount)
        m_points.SetSize(kPointCount);
    ar >> m_strModelFile >> m_strTexture >> m_fHeight >> m_fElevation >> m_bShowOn2DPlan >>
        m_bShowBoxWhenGrouped >> m_bGrouped;
    for (float& element : m_elements) ar >> element;
    std::copy_n(m_elements.begin(), 16, &m_orientation.m[0][0]);
    if (version >= kExcludeVersion)
        ar >> m_bExcludeFromConforming;
    m_bNeedsRebuild = 1;
}

void C3D::CopyFrom(CPaint* other) {
    CPaint::CopyFrom(other);
    auto* source = dynamic_cast<C3D*>(other);
    if (source == nullptr)
        return;
    m_strModelFile = source->m_strModelFile;
    m_strTexture = source->m_strTexture;
    m_fHeight = source->m_fHeight;
    m_fElevation = source->m_fElevation;
    m_bShowOn2DPlan = source->m_bShowOn2DPlan;
    m_bShowBoxWhenGrouped = source->m_bShowBoxWhenGrouped;
    m_bGrouped = source->m_bGrouped;
    m_bExcludeFromConforming = source->m_bExcludeFromConforming;
    m_orientation = source->m_orientation;
    m_elements = source->m_elements;
    m_bNeedsRebuild = 1;
}

CPaint* C3D::Clone() {
    RefreshElevationFromModel();
    auto* copy = new C3D;
    copy->m_pTool = m_pTool;
    copy->CopyFrom(this);
    return copy;
}

void C3D::ApplyStyle(const CPose* pose, CPaint* pattern, int mode) {
    if (auto* source = dynamic_cast<C3D*>(pattern)) {
        m_bNeedsRebuild = 1;
        m_bScaleWithDocument = source->m_bScaleWithDocument;
        m_bShowOn2DPlan = source->m_bShowOn2DPlan;
        m_bShowBoxWhenGrouped = source->m_bShowBoxWhenGrouped;
    }
    CPaint::ApplyStyle(pose, pattern, 1);
    (void)mode;
}

// ---- Geometry ----

std::vector<CDoublePoint> C3D::Corners() const {
    const CDoublePoint &a = m_points[1], &b = m_points[3];
    return {{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}};
}

CDoublePoint C3D::BoxCentre() const {
    return {(m_points[1].x + m_points[3].x) / 2.0, (m_points[1].y + m_points[3].y) / 2.0};
}

int C3D::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused) || !HasPoints())
        return 1;
    return m_points[1].x == m_points[3].x || m_points[1].y == m_points[3].y ? 1 : 0;
}

void C3D::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    if (HasPoints())
        shape::WorldBounds(CPlacement(m_pose, FrameOf(pose)), Corners(), minX, minY, maxX, maxY);
}

void C3D::GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) {
    if (HasPoints())
        annotation::SnapToNearestCorner(*this, FrameOf(pose), Corners(), x, y, vectorX, vectorY);
}

void C3D::NearestEndPoint(double& x, double& y, const CPose* pose) {
    if (HasPoints())
        annotation::SmallestCornerCorrection(*this, FrameOf(pose), Corners(), x, y);
}

int C3D::MirrorY(double c) {
    const int done = CPaint::MirrorY(c);
    if (!m_strModelFile.IsEmpty() && m_pTool != nullptr)
        m_pTool->m_bFlipRefused = 1;
    return done;
}

int C3D::MirrorX(double c) {
    const int done = CPaint::MirrorX(c);
    if (!m_strModelFile.IsEmpty() && m_pTool != nullptr)
        m_pTool->m_bFlipRefused = 1;
    return done;
}

// Corner 1 stays, corner 3 moves; corners 2 and 4 follow.
int C3D::Rescale(CEditStep* step) {
    if (!IsResizeable())
        return 0;
    const int done = annotation::RescaleBoxCorner(*this, step, 3, 1);
    const RescalePayload* rescale = step != nullptr ? step->GetPayload<RescalePayload>() : nullptr;
    if (done && rescale != nullptr)
        m_fHeight = m_fSavedHeight * rescale->factor;
    return done;
}

// ---- Status ----

void C3D::AppendStatusText(CString& text) {
    if (m_pTool == nullptr)
        return;
    // A height drag's label comes first.
    text += (text.IsEmpty() ? "" : "; ") + m_pTool->m_status.m_strMeasure[3] + "; " +
            m_pTool->m_status.m_strMeasure[2];
}

void C3D::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr || !HasPoints())
        return;
    CPieceStatusText& status = m_pTool->m_status;
    const double width = std::fabs(m_points[1].x - m_points[3].x);
    const double depth = std::fabs(m_points[1].y - m_points[3].y);
    status.m_nKind = 1;
    status.m_strMeasure[9] = m_strCategory;
    status.m_strMeasure[2] = shape::LengthText(m_pTool, depth);
    status.m_strMeasure[3] = shape::LengthText(m_pTool, width);
    const double unit = shape::UnitSize(m_pTool);
    auto rounded = [](double v) {
        const double thousandths = v * 1000.0;
        return (static_cast<long long>(std::floor(v * 10000.0)) % 10 >= 5 ? std::ceil(thousandths)
                                                                          : std::floor(thousandths)) /
               1000.0;
    };
    status.m_strMeasure[4].Format("%.2f", rounded(depth / unit) * rounded(width / unit));
    status.m_strMeasure[10] = shape::LengthText(m_pTool, m_fHeight);
    status.m_strMeasure[11] = shape::LengthText(m_pTool, m_fElevation);
    status.m_fRotation = shape::Degrees(m_pose.angle + FrameOf(pose).angle);
    status.m_strMeasure[8].Format("%.2f\xB0", status.m_fRotation);
    m_pTool->m_bStatusRefresh = 1;
}
