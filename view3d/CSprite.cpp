#include "view3d/CSprite.h"

#include <algorithm>
#include <cmath>

#include "drawing/AnnotationSupport.h"
#include "drawing/CShapePen.h"
#include "drawing/ShapeSupport.h"
#include "model/AssetLoaders.h"
#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CToolMode.h"
#include "platform/base/CArchive.h"
#include "platform/base/CStringTable.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Scene.h"
#include "platform/r3d/Texture.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/WinDefs.h"
#include "resources/StringTable.h"
#include "ui/LoadBitmapFile.h"
#include "view3d/C3D.h"
#include "view3d/CSpritePropertyDialog.h"
#include "view3d/CSpriteTextures.h"
#include "view3d/CreationDialog.h"
#include "view3d/CrossBox.h"
#include "view3d/HeightDrag.h"
#include "view3d/Object3DSupport.h"

IMPLEMENT_SERIAL(CSprite, CBMP, 1)

namespace {

constexpr int kStoredOrder[] = {4, 1, 2, 3, 0};
// The plan's origin lies at this corner of the 3D world.
constexpr double kWorldOffset = 8.0;
constexpr const char* kProfileKey = "3DBitmaps";
// The transfer that keeps the destination only where the source is black.
constexpr DWORD kMaskOut = 0x00220326;
constexpr const char* kDataFolder = "3DBITMAPS\\";

float Extent(float low, float high) {
    const float extent = std::fabs(high - low);
    return extent > 0.0f ? extent : 1.0f;
}

}  // namespace

CSprite::CSprite() {
    m_bShowInReport = 1;
    m_bScaleWithDocument = 1;
}

CSprite::CSprite(int selected, CTool* tool, double x, double y) : CBMP(selected, tool, x, y) {
    m_strName = CStringTable::Text(IDS_3D_BITMAP);
    m_bShowInReport = 1;
    m_bScaleWithDocument = 1;
}

CSprite::~CSprite() = default;

double CSprite::Scale3D() const {
    return object3d::Scale3D(*this);
}

CDoublePoint CSprite::PictureCentre() const {
    return {(m_points[1].x + m_points[3].x) / 2.0, (m_points[1].y + m_points[3].y) / 2.0};
}

// ---- Pictures ----

void CSprite::SetImage(const CString& name) {
    m_strImage = name;
    m_strMask = MaskFileName(name);
}

// A picture missing is reported once per opening; a mask need not exist.
void CSprite::LoadBitmaps() {
    CString image = m_strImage;
    m_pImage =
        image.IsEmpty() ? nullptr : LoadBitmapFile(image, kProfileKey, kDataFolder, !m_bMissingReported);
    if (m_pImage == nullptr && !image.IsEmpty())
        m_bMissingReported = 1;
    CString mask = m_strMask;
    m_pMask = mask.IsEmpty() ? nullptr : LoadBitmapFile(mask, kProfileKey, kDataFolder, false);
}

void CSprite::RecreateResources(int recreate) {
    if (recreate)
        LoadBitmaps();
    else {
        m_pImage.reset();
        m_pMask.reset();
    }
}

void CSprite::ReleaseData() {
    m_pImage.reset();
    m_pMask.reset();
    CBMP::ReleaseData();
}

// ---- Record and copies ----

void CSprite::RefreshElevationFromModel() {
    object3d::RefreshElevationFromModel(*this, m_fElevation);
}

void CSprite::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    if (ar.IsStoring()) {
        RefreshElevationFromModel();
        ar << m_strImage << m_strMask << m_fElevation;
        for (int i : kStoredOrder) ar << m_points[i].x << m_points[i].y;
        ar << m_bShowOn2DPlan << m_bShowBoxWhenGrouped << m_bGrouped;
        return;
    }
    const int version = GetDocumentFileVersion();
    annotation::PrepareOutlinePoints(m_points, version, kPointCount);
    ar >> m_strImage >> m_strMask >> m_fElevation;
    for (int i : kStoredOrder) ar >> m_points[i].x >> m_points[i].y;
    if (version != 0)
        ar >> m_bShowOn2DPlan >> m_bShowBoxWhenGrouped >> m_bGrouped;
    m_bRebuild3D = 1;
    LoadBitmaps();
}

void CSprite::CopyFrom(CPaint* other) {
    if (auto* source = dynamic_cast<CSprite*>(other)) {
        for (int i = 0; i < kPointCount && i < source->m_points.GetSize() && i < m_points.GetSize(); ++i)
            m_points[i] = source->m_points[i];
        m_bShowOn2DPlan = source->m_bShowOn2DPlan;
        m_bShowBoxWhenGrouped = source->m_bShowBoxWhenGrouped;
        m_strImage = source->m_strImage;
        m_strMask = source->m_strMask;
        m_fElevation = source->m_fElevation;
        m_bGrouped = source->m_bGrouped;
        m_bMissingReported = source->m_bMissingReported;
        LoadBitmaps();
        m_bRebuild3D = 1;
    }
    CPaint::CopyFrom(other);
}

void CSprite::RestoreFormerState(CPaint* former) {
    CBMP::RestoreFormerState(former);
    object3d::RefitModel(*this);
}

CPaint* CSprite::Clone() {
    RefreshElevationFromModel();
    auto* copy = new CSprite;
    copy->m_pTool = m_pTool;
    copy->CopyFrom(this);
    return copy;
}

void CSprite::ApplyStyle(const CPose* pose, CPaint* pattern, int) {
    if (auto* source = dynamic_cast<CSprite*>(pattern)) {
        m_bGrouped = source->m_bGrouped;
        m_fElevation = source->m_fElevation;
        m_bShowOn2DPlan = source->m_bShowOn2DPlan;
        m_bShowBoxWhenGrouped = source->m_bShowBoxWhenGrouped;
        m_bRebuild3D = 1;
    } else if (auto* shape = dynamic_cast<C3D*>(pattern)) {
        m_bShowOn2DPlan = shape->m_bShowOn2DPlan;
    }
    CPaint::ApplyStyle(pose, pattern, 1);
}

// ---- Plan ----

int CSprite::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || m_points.GetSize() < kPointCount || m_pTool->GetTargetDC() == nullptr)
        return 0;
    const CPose& frame = FrameOf(parent);
    if (m_bShowOn2DPlan && m_pImage != nullptr && m_pMask != nullptr && GetEditState() == -1)
        DrawMaskedPicture(parent);
    else if (m_bShowBoxWhenGrouped || !m_bGrouped) {
        CShapePen pen(*this, *m_pTool->GetTargetDC());
        DrawCrossBox(*m_pTool, CPlacement(m_pose, frame), Corners());
    }
    if (shape::ShowsHandles(*this))
        shape::DrawBoxHandles(*this, frame);
    return 1;
}

// The mask, black where the picture is transparent as in 3D, clears the picture's shape out of
// the plan (destination and not mask); the picture, black around its shape, is then added in.
void CSprite::DrawMaskedPicture(const CPose* parent) {
    const int selected = m_bSelected;
    m_bSelected = 0;
    const DWORD rop = m_dwRop;
    std::unique_ptr<CBitmap> former = SwapPicture(std::move(m_pMask));
    m_dwRop = kMaskOut;
    CBMP::Draw(parent);
    m_pMask = SwapPicture(std::move(m_pImage));
    m_dwRop = SRCPAINT;
    CBMP::Draw(parent);
    m_pImage = SwapPicture(std::move(former));
    m_dwRop = rop;
    m_bSelected = selected;
}

void CSprite::TrackCreate(const CPose* pose, int handle) {
    // The press that starts a new box belongs to its placement step: the picture's corner step
    // would make one Undo of the creation only fold the box back to its press point.
    if (m_pTool != nullptr && m_pTool->m_toolMode == kTool3DBitmap) {
        Invalidate();
        GetBounds(pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
        Invalidate();
        return;
    }
    CBMP::TrackCreate(pose, handle);
    if (m_pTool == nullptr || handle < 1 || handle > 4 || (m_pTool->m_nMouseFlags & MK_CONTROL) == 0)
        return;
    m_pTool->m_toolMode.Set(kToolDragHandle);
    m_fSavedElevation = m_fElevation;
    SetEditState(3);
}

void CSprite::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || GetEditState() != 3 || handle < 1 || handle > 4) {
        CBMP::DragHandle(pose, handle);
        return;
    }
    if (!m_bScaleWithDocument)
        return;
    constexpr int kOpposite[] = {0, 3, 4, 1, 2};
    const CPose& frame = FrameOf(pose);
    const CDoublePoint cursor = WorldToLocalInFrame(frame, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    const CDoublePoint grabbed = m_points[handle], reference = m_points[kOpposite[handle]];
    double along = 0.0;
    if (height_drag::DistanceAlong(cursor, grabbed, reference, height_drag::DeadZone(*m_pTool), along))
        m_fElevation = m_fSavedElevation + along;
    m_fElevation = std::max(m_fElevation, 0.0);
    height_drag::ShowHeightHint(*m_pTool, m_fElevation, LocalToWorldInFrame(frame, grabbed.x, grabbed.y),
                                LocalToWorldInFrame(frame, reference.x, reference.y));
}

int CSprite::FinishCreate(const CPose* pose, int flag) {
    const bool valid = !IsInvalid(0);
    if (m_pTool == nullptr || m_pTool->m_toolMode != kTool3DBitmap) {
        const int heightDrag = GetEditState() == 3;
        const int result = CPaint::FinishCreate(pose, flag);
        if (heightDrag)
            Update3D(pose);
        SetEditState(-1);
        Invalidate();
        return result;
    }
    RunCreationDialog(*m_pTool, [&] {
        if (valid)
            EditProperties(pose);
    });
    SetEditState(-1);
    Invalidate();
    return valid ? 1 : 0;
}

// ---- Height ----

void CSprite::PlaceOnBase() {
    CGroup* group = m_pTool != nullptr ? m_pTool->GetCurrentGroup() : nullptr;
    if (group == nullptr || m_points.GetSize() < kPointCount)
        return;
    const CDoublePoint centre = PictureCentre();
    const CDoublePoint world = LocalToWorld(centre.x, centre.y);
    object3d::PlaceOnBaseAt(*this, world, m_fElevation);
}

int CSprite::ApplyHeightStep(CEditStep* step) {
    return object3d::ApplyElevationStep(*this, step, m_fElevation);
}

void CSprite::LowerElevations(const CPose*, double by) {
    m_fElevation -= by;
}

BOOL CSprite::GetLowestElevation(double& elevation) const {
    elevation = m_fElevation;
    return TRUE;
}

// ---- 3D ----

std::unique_ptr<r3d::Clump> CSprite::Build3D(const CPose*) {
    CToolHost* host = m_pTool != nullptr ? m_pTool->m_pHost : nullptr;
    if (host != nullptr)
        host->Refresh3DSearchFolders();
    if (m_strImage.IsEmpty())
        return nullptr;
    std::shared_ptr<r3d::Texture> texture = Texture();
    if (texture == nullptr) {
        m_bMissingReported = 1;
        return nullptr;
    }
    std::unique_ptr<r3d::Clump> sprite = r3d::Clump::MakeSprite(texture);
    sprite->SetTag(kSpriteTag);
    return sprite;
}

// The picture loaded, as the plan shows it; only a picture not loaded is looked for in the files.
std::shared_ptr<r3d::Texture> CSprite::Texture() {
    if (m_pImage != nullptr)
        return CSpriteTextures::Of(*m_pImage, m_pMask.get());
    CString image = m_strImage;
    std::shared_ptr<r3d::Texture> texture = LoadTextureFile(image, !m_bMissingReported);
    CString mask = m_strMask;
    if (texture != nullptr)
        if (std::shared_ptr<r3d::Raster> raster = Load3DBitmapRaster(mask))
            texture->SetMask(*raster);
    return texture;
}

int CSprite::Update3D(const CPose* pose) {
    CToolHost* host = m_pTool != nullptr ? m_pTool->m_pHost : nullptr;
    if (host == nullptr || !host->Has3DWindow() || m_points.GetSize() < kPointCount)
        return 0;
    if (!object3d::ReadyModel(*this, pose, m_bRebuild3D, host->GetScene(), false))
        return 0;
    FitSprite(FrameOf(pose));
    host->RenderActive3DView();
    return 1;
}

// The sprite keeps the picture's width and height at its elevation over the box centre; it
// turns to face the camera by itself.
void CSprite::FitSprite(const CPose& frame) {
    const double scale = Scale3D();
    if (scale <= 0.0)
        return;
    r3d::Clump& sprite = *m_hModel;
    sprite.ResetTransform();
    const r3d::Box bounds = sprite.Bounds();
    const double width = std::fabs(m_points[1].x - m_points[3].x);
    const double height = std::fabs(m_points[1].y - m_points[3].y);
    const r3d::Vec3 factors{static_cast<float>(width / scale / Extent(bounds.min.x, bounds.max.x)),
                            static_cast<float>(height / scale / Extent(bounds.min.y, bounds.max.y)), 1.0f};
    sprite.Transform(r3d::Matrix::Scaling(factors), r3d::Combine::Replace);
    const CDoublePoint centre = PictureCentre();
    const CDoublePoint world = LocalToWorldInFrame(frame, centre.x, centre.y);
    Translate3D(static_cast<float>(world.x / scale - kWorldOffset), static_cast<float>(m_fElevation / scale),
                static_cast<float>(-(world.y / scale) - kWorldOffset));
}

// ---- Status ----

void CSprite::UpdateSizeInfo(const CPose* pose) {
    CBMP::UpdateSizeInfo(pose);
    if (m_pTool == nullptr)
        return;
    m_pTool->m_status.m_nKind = 21;
    m_pTool->m_status.m_strMeasure[11] = shape::LengthText(m_pTool, m_fElevation);
}

void CSprite::AppendStatusText(CString& text) {
    CBMP::AppendStatusText(text);
}

// ---- Properties ----

int CSprite::EditProperties(const CPose* pose) {
    return RunDialog(pose, true);
}

// From the group dialog: no undo step.
int CSprite::Edit3DProperties(int) {
    return RunDialog(nullptr, false);
}

int CSprite::RunDialog(const CPose* pose, bool record) {
    CSpritePropertyDialog dialog;
    const BOOL multiple = m_pTool != nullptr && m_pTool->GetSelectedCount() > 1;
    dialog.SetObject(this, multiple, pose);
    if (dialog.DoModal() != IDOK)
        return 0;
    Invalidate();
    CSprite* result = nullptr;
    int mode = 0;
    if (dialog.GetResult(result, mode) && !DropsUntouchedResult(result, mode, pose, multiple))
        ApplyDialogResult(pose, result, mode, record);
    return 1;
}

void CSprite::ApplyDialogResult(const CPose* pose, CSprite* result, int mode, bool record) {
    if (record) {
        ApplyPropertiesResult(pose, result, mode);
    } else if (mode == 0) {
        const int selected = m_bSelected;
        CopyFrom(result);
        m_bSelected = selected;
    } else if (m_pTool != nullptr && m_pTool->m_pHost != nullptr &&
               m_pTool->m_pHost->GetCurrentGroup() != nullptr) {
        const CPose zero;
        m_pTool->m_pHost->GetCurrentGroup()->ApplyStyle(&zero, result, mode);
    }
    m_bRebuild3D = 1;
    // From the group dialog, without a placement, the sprite takes its own frame.
    Update3D(pose);
    Invalidate();
    result->ReleaseData();
    delete result;
}
