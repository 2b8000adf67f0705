#include "terrain/CBenchwork.h"

#include <algorithm>
#include <cmath>

#include "drawing/CShapePen.h"
#include "drawing/ShapeSupport.h"
#include "model/AssetLoaders.h"
#include "model/CCVNDoc.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/LayoutFile.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CStringTable.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CRgn.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/Scene.h"
#include "resources/StringTable.h"
#include "terrain/OutlineGeometry.h"
#include "terrain/TerrainSpace.h"

IMPLEMENT_SERIAL(CBenchwork, CPolygon, 4)

namespace {

constexpr int kVersionBenchworkSwitch = 11;
constexpr int kTopFaceTag = 15;
constexpr int kBottomFaceTag = 14;
// A texture repeats at most this often from the 3D origin.
constexpr float kMostRepeats = 32.0f;
constexpr size_t kFewestOutlineVertices = 3;

void AddFacePair(r3d::ClumpBuilder& builder, std::vector<int> numbers, int tag) {
    builder.AddPolygon(numbers, tag);
    std::reverse(numbers.begin(), numbers.end());
    builder.AddPolygon(numbers, tag);
}

}  // namespace

CBenchwork::CBenchwork() {
    InitBenchwork();
    m_strTexture = "rcgrass.bmp";
}

CBenchwork::CBenchwork(int selected, CTool* tool, double x, double y) : CPolygon(selected, tool, x, y) {
    InitBenchwork();
    auto* document = tool != nullptr ? dynamic_cast<CCVNDoc*>(tool->m_pHost) : nullptr;
    m_strTexture = document != nullptr ? document->m_strBenchworkTexture : CString("rcgrass.bmp");
}

void CBenchwork::InitBenchwork() {
    m_strName = CStringTable::Text(IDS_BENCHWORK);
    m_pen.style = PS_DOT;
}

CToolHost* CBenchwork::Host() const {
    return m_pTool != nullptr ? m_pTool->m_pHost : nullptr;
}

// ---- Record ----

void CBenchwork::Serialize(CArchive& ar) {
    CPolygon::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strTexture << m_fElevation << m_fThickness << m_bUncheckedOutline;
        return;
    }
    ar >> m_strTexture >> m_fElevation >> m_fThickness;
    if (!std::isfinite(m_fElevation) || !std::isfinite(m_fThickness))
        FailRead(ar, CArchiveException::badSchema);
    if (GetDocumentFileVersion() >= kVersionBenchworkSwitch)
        ar >> m_bUncheckedOutline;
    else
        m_bUncheckedOutline = 1;
}

void CBenchwork::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CBenchwork*>(other)) {
        m_strTexture = source->m_strTexture;
        m_fElevation = source->m_fElevation;
        m_fThickness = source->m_fThickness;
        m_bUncheckedOutline = source->m_bUncheckedOutline;
    }
    CPolygon::CopyFrom(other);
}

CPaint* CBenchwork::Clone() {
    auto* copy = new CBenchwork;
    copy->CopyFrom(this);
    return copy;
}

void CBenchwork::CompareProperties(CPaint* other) {
    CPaint::CompareProperties(other);
    auto* source = dynamic_cast<CBenchwork*>(other);
    CToolHost* host = Host();
    if (source == nullptr || host == nullptr)
        return;
    PropertyFlags& flags = host->GetPropertyFlags();
    flags[kDiffersTexture] = m_strTexture != source->m_strTexture;
    flags[kDiffersThickness] = m_fThickness != source->m_fThickness;
    flags[kDiffersElevation] = m_fElevation != source->m_fElevation;
}

void CBenchwork::ApplyStyle(const CPose* pose, CPaint* pattern, int) {
    if (auto* source = dynamic_cast<CBenchwork*>(pattern)) {
        m_strTexture = source->m_strTexture;
        m_fElevation = source->m_fElevation;
        m_fThickness = source->m_fThickness;
    }
    CPaint::ApplyStyle(pose, pattern, 1);
}

// ---- Outline ----

BOOL CBenchwork::IsOutlineSimple() {
    return outline::IsSimple(OutlineVertices()) ? TRUE : FALSE;
}

CPaint* CBenchwork::PtInOutline() {
    if (m_pTool == nullptr)
        return nullptr;
    std::vector<POINT> corners;
    for (const CDoublePoint& v : OutlineVertices()) {
        const CDoublePoint world = LocalToWorld(v.x, v.y);
        corners.push_back({TruncateCoordinate(world.x), TruncateCoordinate(world.y)});
    }
    if (corners.size() < 3)
        return nullptr;
    CRgn region;
    region.CreatePolygonRgn(corners.data(), static_cast<int>(corners.size()), WINDING);
    const BOOL inside =
        region.PtInRegion(TruncateCoordinate(m_pTool->m_fProbeX), TruncateCoordinate(m_pTool->m_fProbeY));
    return inside ? this : nullptr;
}

double CBenchwork::GetTopAt(double, double) {
    return m_fElevation;
}

// ---- Plan ----

bool CBenchwork::OutlineOnDevice(const CPose& frame, std::vector<CPoint>& device) const {
    if (!shape::OutlineToDevice(*m_pTool, CPlacement(m_pose, frame), OutlineVertices(), device) ||
        device.size() < 2)
        return false;
    device.push_back(device.front());
    return true;
}

int CBenchwork::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || !IsDrawable())
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    const CPose& frame = FrameOf(parent);
    std::vector<CPoint> path;
    if (dc == nullptr || !OutlineOnDevice(frame, path))
        return 0;
    if (!m_pTool->IsPrinting())
        DrawControlPolygon(parent);
    {
        CShapePen pen(*this, *dc);
        dc->Polyline(path.data(), static_cast<int>(path.size()));
    }
    if (shape::ShowsHandles(*this))
        DrawMarkers(frame);
    return 1;
}

CPaint* CBenchwork::HitTest() {
    if (m_pTool == nullptr || PointCount() < kFirstDrawnPoint + 1)
        return nullptr;
    if (shape::IsBandSet(m_pTool->m_rcRubberBand))
        return m_pTool->IsLayerVisible(m_nLayer) && shape::BandHitsShape(*this, OutlineVertices(), true)
                   ? this
                   : nullptr;
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    return shape::CursorOnOutline(*this, OutlineVertices(), true) ? this : nullptr;
}

// ---- Edits ----

int CBenchwork::FinishCreate(const CPose* pose, int handle) {
    const bool creating = m_pTool != nullptr && m_pTool->m_nMultiPoint != 0;
    return FinishOutline(pose, handle, creating);
}

int CBenchwork::FinishOutline(const CPose* pose, int handle, bool creating) {
    const int result = CPolygon::FinishCreate(pose, handle);
    if (m_pTool != nullptr) {
        m_pTool->m_nDraggedHandle = -1;
        AppendStatusText(m_pTool->m_strStatusText);
    }
    if (TooFewForNewOutline(creating))
        return 0;
    if (IsOutlineSimple()) {
        m_bUncheckedOutline = 0;
        return IsInvalid(0) ? 0 : 1;
    }
    if (m_bUncheckedOutline)
        return result;
    ReportSelfCrossing();
    if (creating || m_pTool == nullptr)
        return 0;
    m_pTool->TakeBackGesture();
    return 1;
}

bool CBenchwork::TooFewForNewOutline(bool creating) const {
    return creating && OutlineVertices().size() < kFewestOutlineVertices;
}

void CBenchwork::ReportSelfCrossing() {
    CToolHost* host = Host();
    Invalidate();
    if (host != nullptr) {
        host->SetModalDialogFlag(TRUE);
        host->ShowMessage(CStringTable::Text(IDS_ERROR_SELF_CROSSING));
        host->SetModalDialogFlag(FALSE);
    }
    Invalidate();
}

int CBenchwork::EditProperties(const CPose* pose) {
    const std::vector<BYTE> storedBefore = StoredBytes();
    const int confirmed = CPaint::EditProperties(pose);
    // A build stores the path its texture was found under, so an untouched OK builds nothing.
    if (StoredBytes() != storedBefore)
        Update3D(pose);
    return confirmed;
}

int CBenchwork::UpdateGeometry(CEditStep* step) {
    const int done = CPolygon::UpdateGeometry(step);
    Update3D(&m_parentPose);
    return done;
}

// ---- Status ----

void CBenchwork::AppendStatusText(CString& text) {
    const int handle = m_pTool != nullptr ? m_pTool->m_nDraggedHandle : -1;
    if (handle < 1 || handle > 4)
        return CPolygon::AppendStatusText(text);
    text = shape::LengthText(m_pTool, std::fabs(m_fCornerX2 - m_fCornerX1)) + "; " +
           shape::LengthText(m_pTool, std::fabs(m_fCornerY1 - m_fCornerY2));
}

void CBenchwork::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr)
        return;
    CPieceStatusText& status = m_pTool->m_status;
    status.m_strName = m_strName;
    status.m_strMeasure[0] = shape::LengthText(m_pTool, m_fPerimeter);
    status.m_strMeasure[1] = shape::LengthText(m_pTool, m_fElevation);
    status.m_fRotation = shape::Degrees(m_pose.angle + FrameOf(pose).angle);
    status.m_nKind = 22;
}

// ---- 3D ----

std::unique_ptr<r3d::Clump> CBenchwork::Build3D(const CPose* pose) {
    CToolHost* host = Host();
    if (host == nullptr || host->Get3DScale() <= 0.0)
        return nullptr;
    host->Refresh3DSearchFolders();
    if (m_fElevation < 0.0)
        m_fElevation = 0.0;
    const std::vector<CDoublePoint> vertices = OutlineVertices();
    const int n = static_cast<int>(vertices.size());
    if (n < 2)
        return nullptr;
    host->BeginWaitCursor();
    const TerrainSpace space(host->Get3DScale());
    r3d::ClumpBuilder builder;
    builder.SetTag(kSlabTag);
    for (const CDoublePoint& v : vertices) {
        const CDoublePoint world = LocalToWorldInFrame(FrameOf(pose), v.x, v.y);
        const r3d::Vec3 top = space.ToWorld(world, m_fElevation);
        const float u = std::min(static_cast<float>(world.x / space.scale), kMostRepeats);
        const float t = std::min(static_cast<float>(-world.y / space.scale), kMostRepeats);
        builder.AddVertex(top, u, t);
        builder.AddVertex({top.x, static_cast<float>((m_fElevation - m_fThickness) / space.scale), top.z}, u,
                          t);
    }
    TerrainSpace::SetTerrainSurface(builder, host->Get3DDrawStyle(), {0.2f, 0.2f, 0.2f}, {0.6f, 0.2f, 0.0f});
    LoadTexture(m_strTexture, builder, TRUE);
    std::vector<int> top, bottom;
    for (int k = 0; k < n; ++k) {
        top.push_back(2 * k + 1);
        bottom.push_back(2 * k + 2);
    }
    AddFacePair(builder, top, kTopFaceTag);
    AddFacePair(builder, bottom, kBottomFaceTag);
    for (int k = 0; k < n; ++k) {
        const int next = (k + 1) % n;
        AddFacePair(builder, {2 * k + 1, 2 * k + 2, 2 * next + 2, 2 * next + 1}, 0);
    }
    host->EndWaitCursor();
    return builder.Finish();
}

int CBenchwork::Update3D(const CPose* pose) {
    CToolHost* host = Host();
    if (host == nullptr || !host->Has3DWindow())
        return 0;
    m_hModel.reset();
    if (!m_pTool->IsLayerVisible(m_nLayer))
        return 0;
    m_hModel = Build3D(pose);
    if (m_hModel == nullptr) {
        host->RefreshGroundPlane();
        return 0;
    }
    if (r3d::Scene* scene = host->GetScene())
        scene->Add(*m_hModel);
    host->RemoveGroundPlane();
    host->RenderActive3DView();
    return 1;
}

int CBenchwork::Remove3D() {
    CToolHost* host = Host();
    if (m_hModel == nullptr || host == nullptr || host->GetScene() == nullptr)
        return 0;
    m_hModel.reset();
    host->RefreshGroundPlane();
    host->UpdateAllViews();
    return 1;
}
