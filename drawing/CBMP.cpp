#include "drawing/CBMP.h"

#include <cmath>

#include "drawing/AnnotationSupport.h"
#include "drawing/CPicturePropertyDialog.h"
#include "drawing/ShapeSupport.h"
#include "model/CEditStep.h"
#include "model/CMissingFileReport.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CToolMode.h"
#include "model/CatalogueDefaults.h"
#include "platform/base/CArchive.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "platform/gdi/CBitmap.h"
#include "resources/StringTable.h"
#include "ui/LoadBitmapFile.h"

IMPLEMENT_SERIAL(CBMP, CPaint, 2)

namespace {

constexpr int kStoredOrder[] = {4, 1, 2, 3, 0};

}  // namespace

CBMP::CBMP() : m_dwRop(SRCPAINT) {
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
}

CBMP::CBMP(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y), m_dwRop(SRCPAINT) {
    m_strName = CStringTable::Text(IDS_BITMAP);
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
    const double h = tool != nullptr ? tool->GetHandleTolerance() : 0.0;
    m_points[0] = {m_points[3].x + 2.0 * h, m_points[3].y - 2.0 * h};
}

CBMP::~CBMP() = default;

std::vector<CDoublePoint> CBMP::Corners() const {
    return {m_points[4], m_points[1], m_points[2], m_points[3]};
}

int CBMP::IsInvalid(int unused) {
    if (CPaint::IsInvalid(unused))
        return 1;
    return !HasPoints() || m_points[4].x == m_points[2].x || m_points[4].y == m_points[2].y ? 1 : 0;
}

// ---- Picture ----

CBitmap* CBMP::LoadPicture(bool report) {
    if (m_strFile.IsEmpty())
        return nullptr;
    const bool own = GetRuntimeClass() == RUNTIME_CLASS(CBMP);
    std::unique_ptr<CBitmap> picture =
        LoadBitmapFile(m_strFile, own ? "Bitmaps" : "3DBitmaps", own ? "BITMAPS\\" : "3DBITMAPS\\", report);
    if (picture == nullptr) {
        if (report)
            CMissingFileReport::ShowFile(CStringTable::Text(IDS_COULD_NOT_CREATE_FILE),
                                         CWinPath::Native(m_strFile));
        return nullptr;
    }
    m_pPicture = std::move(picture);
    return m_pPicture.get();
}

void CBMP::RecreateResources(int recreate) {
    if (recreate == 0)
        m_pPicture.reset();
    else if (!m_bCopyingPicture)
        LoadPicture();
}

void CBMP::ReleaseData() {
    m_pPicture.reset();
    CPaint::ReleaseData();
}

// ---- Record ----

void CBMP::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    if (ar.IsStoring())
        ar << m_strFile;
    else
        ar >> m_strFile;
    annotation::SerializeOutlinePoints(ar, m_points, GetDocumentFileVersion(), kStoredOrder, kPointCount);
    if (ar.IsLoading())
        LoadPicture();
}

// The loaded picture is shared, not read again, so a missing file is reported once and the
// copy costs no second picture.
void CBMP::CopyFrom(CPaint* other) {
    auto* source = dynamic_cast<CBMP*>(other);
    if (source != nullptr) {
        m_strFile = source->m_strFile;
        m_pPicture.reset();
        if (source->m_pPicture != nullptr && source->m_pPicture->Surface() != nullptr) {
            m_pPicture = std::make_unique<CBitmap>();
            m_pPicture->ShareSurface(source->m_pPicture->Surface(), source->m_pPicture->IsMonochrome());
        }
    }
    m_bCopyingPicture = source != nullptr;
    CPaint::CopyFrom(other);
    m_bCopyingPicture = false;
}

CPaint* CBMP::Clone() {
    auto* copy = new CBMP;
    copy->CopyFrom(this);
    return copy;
}

// ---- Geometry ----

void CBMP::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    if (HasPoints())
        shape::WorldBounds(CPlacement(m_pose, FrameOf(pose)), Corners(), minX, minY, maxX, maxY);
}

bool CBMP::GetFrameOutline(std::vector<CDoublePoint>& points) {
    points.clear();
    if (HasPoints())
        points = Corners();
    return true;
}

void CBMP::GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) {
    if (HasPoints())
        annotation::SnapToNearestCorner(*this, FrameOf(pose), Corners(), x, y, vectorX, vectorY);
}

void CBMP::NearestEndPoint(double& x, double& y, const CPose* pose) {
    if (HasPoints())
        annotation::SmallestCornerCorrection(*this, FrameOf(pose), Corners(), x, y);
}

// Corner 4 stays, corner 2 moves.
int CBMP::Rescale(CEditStep* step) {
    return annotation::RescaleBoxCorner(*this, step, 2, 4);
}

// ---- Hit test ----

CPaint* CBMP::HitTest() {
    if (m_pTool == nullptr || !HasPoints())
        return nullptr;
    if (shape::IsBandSet(m_pTool->m_rcRubberBand))
        return shape::BandHitsShape(*this, Corners(), true) ? this : nullptr;
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    const bool inside = annotation::CursorInsideBox(*this, m_points[2], m_points[4]);
    return inside || shape::CursorOnOutline(*this, Corners(), true) ? this : nullptr;
}

// ---- Mouse ----

void CBMP::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    const bool creating = m_pTool->m_toolMode == kToolBitmapPicture;
    if (creating)
        Invalidate();
    else if (handle <= 0)
        CPaint::TrackCreate(pose, handle);
    const CPose& frame = FrameOf(pose);
    if (handle == 0) {
        annotation::BeginBoxRotation(*this, frame, 4, 2);
    } else if (handle == -1) {
        annotation::SaveRescaleReferences(*this, 2, 4);
    } else if (handle >= 1 && handle <= 4 && !creating && IsResizeable()) {
        annotation::PushCornerUndo(*this, frame, handle);
    }
    GetBounds(pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    Invalidate();
}

void CBMP::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints() || !IsResizeable())
        return;
    annotation::DragBoxCorner(*this, pose, FrameOf(pose), handle);
}

int CBMP::FinishCreate(const CPose* pose, int handle) {
    const bool valid = !IsInvalid(0);
    CToolHost* host = m_pTool != nullptr ? m_pTool->m_pHost : nullptr;
    if (m_pTool != nullptr && m_pTool->m_toolMode == kToolBitmapPicture && valid) {
        if (host != nullptr)
            host->SetModalDialogFlag(TRUE);
        EditProperties(pose);
        if (host != nullptr)
            host->SetModalDialogFlag(FALSE);
        m_pTool->m_bStatusRefresh = 1;
    } else {
        CPaint::FinishCreate(pose, handle);
    }
    if (m_pTool != nullptr && (m_pTool->m_keyState[kCapsLockKey] & 1) != 0)
        m_pTool->m_toolMode.Set(kToolSelector);
    SetEditState(-1);
    Invalidate();
    return valid ? 1 : 0;
}

// ---- Properties ----

int CBMP::EditProperties(const CPose* pose) {
    CPicturePropertyDialog dialog;
    const BOOL multiple = m_pTool != nullptr && m_pTool->GetSelectedCount() > 1;
    dialog.SetObject(this, multiple, pose);
    const std::vector<BYTE> storedBefore = StoredBytes();
    if (dialog.DoModal() != IDOK)
        return 0;
    Invalidate();
    CPaint* result = nullptr;
    int mode = 0;
    if (!dialog.GetResult(result, mode))
        return 1;
    if (DropsUntouchedResult(result, mode, pose, multiple))
        return 1;
    ApplyDialogResult(pose, result, mode);
    if (mode == 0)
        MarkChangedSince(storedBefore);
    else if (m_pTool != nullptr)
        m_pTool->MarkChangedOutsideUndo();
    return 1;
}

void CBMP::ApplyDialogResult(const CPose* pose, CPaint* result, int mode) {
    CompareProperties(result);
    Invalidate();
    const int selected = m_bSelected;
    CopyFrom(result);
    m_bSelected = selected;
    if (pose != nullptr) {
        ComputeExtent(pose);
        Invalidate();
    }
    CPaint* root =
        m_pTool != nullptr && m_pTool->m_pHost != nullptr ? m_pTool->m_pHost->GetRootGroup() : nullptr;
    if ((mode == 1 || mode == 2) && root != nullptr) {
        const CPose zero;
        root->ApplyStyle(&zero, result, mode);
    }
    result->ReleaseData();
    delete result;
}

// ---- Status ----

void CBMP::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr || !HasPoints())
        return;
    const CDoublePoint &p2 = m_points[2], &p4 = m_points[4];
    annotation::ShowBoxStatus(*this, FrameOf(pose), p4, p2, std::fabs(p4.y - p2.y), std::fabs(p4.x - p2.x),
                              2);
}

void CBMP::AppendStatusText(CString& text) {
    if (m_pTool != nullptr)
        text = m_pTool->m_status.m_strMeasure[3] + "; " + m_pTool->m_status.m_strMeasure[2];
}
