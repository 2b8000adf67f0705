#include "terrain/CMount.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/CConformingObject.h"
#include "model/CDataFileOperation.h"
#include "model/CMissingFileReport.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/LayoutFile.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CStringTable.h"
#include "resources/StringTable.h"
#include "track/CParTrack.h"

IMPLEMENT_SERIAL(CMount, CBenchwork, 4)

namespace {

constexpr int kVersionTextureScale = 9;
constexpr int kVersionAllowConform = 10;
constexpr int kVersionFixedBorder = 11;

struct OpenedWork {
    CMount::GridWork left = CMount::kMostOpenedWork;
};

// The work the running open has left for the terrains it has still to read; each terrain
// read outside an open has the whole of it.
CMount::GridWork& OpenedWorkLeft() {
    return CDataFileOperation::KeptByOperation<OpenedWork>().left;
}

bool IsFiniteAll(std::initializer_list<double> values) {
    for (double value : values)
        if (!std::isfinite(value))
            return false;
    return true;
}

}  // namespace

namespace {

CMount::KnotEditor& KnotEditorSlot() {
    static CMount::KnotEditor editor;
    return editor;
}

}  // namespace

void CMount::InstallKnotEditor(KnotEditor editor) {
    KnotEditorSlot() = std::move(editor);
}

const CMount::KnotEditor& CMount::InstalledKnotEditor() {
    return KnotEditorSlot();
}

namespace {

CMount*& TerrainInPropertiesSlot() {
    static CMount* terrain = nullptr;
    return terrain;
}

}  // namespace

CMount* CMount::TerrainInProperties() {
    return TerrainInPropertiesSlot();
}

void CMount::PrepareForProperties(CMount* edited) {
    m_bInPropertiesDialog = 1;
    m_previewOutline = OutlineVertices();
    m_pEditedTerrain = edited;
}

CMount::CMount() {
    InitMount();
}

CMount::CMount(int selected, CTool* tool, double x, double y) : CBenchwork(selected, tool, x, y) {
    InitMount();
}

void CMount::InitMount() {
    m_strName = CStringTable::Text(IDS_TERRAIN);
    m_fElevation = 18.0;
    m_crFill = m_brush.color;
    m_bConformed = 1;
}

CMount::~CMount() {
    LeaveCutLists();
}

// ---- Record ----

void CMount::Serialize(CArchive& ar) {
    CBenchwork::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_fGridSpacing << m_fElastic << m_nFalloffMode << static_cast<int>(m_crGrid) << m_fTextureScale
           << m_bAllowConform << m_bFixedBorder;
        EffectiveEdits().Store(ar);
        return;
    }
    const int version = GetDocumentFileVersion();
    int grid = 0;
    ar >> m_fGridSpacing >> m_fElastic >> m_nFalloffMode >> grid;
    m_crGrid = static_cast<COLORREF>(grid);
    if (version >= kVersionTextureScale)
        ar >> m_fTextureScale;
    if (version >= kVersionAllowConform)
        ar >> m_bAllowConform;
    if (version >= kVersionFixedBorder)
        ar >> m_bFixedBorder;
    if (!IsFiniteAll({m_fGridSpacing, m_fElastic, m_fTextureScale}) || !(m_fGridSpacing > 0.0))
        FailRead(ar, CArchiveException::badSchema);
    m_fTextureScale = std::clamp(m_fTextureScale, kLeastTextureScale, kLargestTextureScale);
    m_loadedEdits.Load(ar);
    BuildOpenedGrid();
}

double CMount::GridPositions() {
    GetGridRange();
    return std::max(0.0, static_cast<double>(m_nMaxColumn) - m_nMinColumn + 1.0) *
           std::max(0.0, static_cast<double>(m_nMaxRow) - m_nMinRow + 1.0);
}

bool CMount::HoldSpacingForOpen(const GridWork& left) {
    const double stored = m_fGridSpacing;
    m_fGridSpacing = std::clamp(m_fGridSpacing, kSmallestSpacing, kLargestSpacing);
    const double most = std::min(left.positions, left.insideTests / OutlineEdges());
    const double positions = GridPositions();
    if (positions > most)
        m_fGridSpacing =
            std::min(m_fGridSpacing * std::sqrt(positions / std::max(most, 1.0)), kLargestSpacing);
    while (m_fGridSpacing < kLargestSpacing && GridPositions() > most)
        m_fGridSpacing = std::min(m_fGridSpacing * 1.01, kLargestSpacing);
    const double steps = BorderSteps();
    if (steps > left.borderSteps)
        m_fGridSpacing = std::min(m_fGridSpacing * steps / std::max(left.borderSteps, 1.0), kLargestSpacing);
    return m_fGridSpacing != stored;
}

double CMount::OutlineEdges() const {
    return std::max<double>(1.0, static_cast<double>(OutlineVertices().size()));
}

double CMount::BorderSteps() const {
    const std::vector<CDoublePoint> outline = OutlineVertices();
    double length = 0.0;
    for (size_t i = 0; i < outline.size(); ++i) {
        const CDoublePoint a = outline[i], b = outline[(i + 1) % outline.size()];
        length += std::hypot(b.x - a.x, b.y - a.y);
    }
    return length / m_fGridSpacing;
}

void CMount::BuildOpenedGrid() {
    GridWork& left = OpenedWorkLeft();
    if (HoldSpacingForOpen(left))
        CMissingFileReport::Show(CStringTable::Text(IDS_TERRAIN_SPACING_HELD), CString());
    CTerrainEditList stored;
    CTerrainEditList::Merge(m_loadedEdits, stored, m_newEdits);
    const CTerrainEditList loaded = std::exchange(m_loadedEdits, CTerrainEditList());
    m_gridLimits = {std::min(left.positions, kMostGridWork.positions),
                    std::min(left.insideTests, kMostGridWork.insideTests), 0.0,
                    std::min(left.borderSteps, kMostGridWork.borderSteps)};
    RebuildGrid();
    m_gridLimits = kMostGridWork;
    const double built = m_nInteriorCount > 0 ? GridPositions() : 0.0;
    left.positions -= built;
    left.insideTests -= built * OutlineEdges();
    left.borderSteps -= built > 0.0 ? BorderSteps() : 0.0;
    const double visits = EditVisits(stored);
    if (visits > left.editVisits) {
        CMissingFileReport::Show(CStringTable::Text(IDS_TERRAIN_EDITS_LEFT_OUT), CString());
        return;
    }
    left.editVisits -= visits;
    m_loadedEdits = loaded;
    ApplyTerrainEdits(m_newEdits, 1);
}

void CMount::CopyFrom(CPaint* other) {
    CBenchwork::CopyFrom(other);
    auto* source = dynamic_cast<CMount*>(other);
    if (source == nullptr)
        return;
    CopyTerrainSettings(*source);
    m_nCentreKnot = source->m_nCentreKnot;
}

void CMount::CopyTerrainSettings(const CMount& source) {
    m_fGridSpacing = source.m_fGridSpacing;
    m_fElastic = source.m_fElastic;
    m_bFixedBorder = source.m_bFixedBorder;
    m_bAllowConform = source.m_bAllowConform;
    m_crGrid = source.m_crGrid;
    m_fTextureScale = source.m_fTextureScale;
}

CPaint* CMount::Clone() {
    auto* copy = new CMount;
    copy->CopyFrom(this);
    copy->m_newEdits = m_newEdits;
    copy->m_loadedEdits = m_loadedEdits;
    copy->m_pEditedTerrain = m_pEditedTerrain;
    if (m_bRebuildOnCopy) {
        copy->RebuildGrid();
        m_bRebuildOnCopy = 0;
    }
    return copy;
}

// ---- Settings and their rebuild ----

CMount::Settings CMount::CurrentSettings() const {
    return {m_fElevation, m_fBuiltSpacing, m_fTextureScale, m_strTexture, m_bBuiltFixedBorder};
}

void CMount::ApplyRebuildRules(const Settings& before, const CPose* pose) {
    const bool elevation = std::fabs(m_fElevation - before.elevation) > 0.4;
    const bool spacing = std::fabs(m_fGridSpacing - m_fBuiltSpacing) > 0.4;
    const bool texture =
        m_strTexture != before.texture || std::fabs(m_fTextureScale - before.textureScale) > 0.1;
    const bool border = m_bFixedBorder != m_bBuiltFixedBorder;
    if (!elevation && !spacing && !texture && !border)
        return;
    if (spacing) {
        RebuildGrid();
    } else if (border) {
        m_bBuiltFixedBorder = m_bFixedBorder;
        ApplyTerrainEdits(m_newEdits, 1);
    } else if (elevation) {
        m_grid.RaiseAll(m_fElevation - before.elevation);
    }
    if (texture)
        m_bRebuild3D = 1;
    Update3D(pose);
}

int CMount::EditProperties(const CPose* pose) {
    const Settings before = CurrentSettings();
    const double spacing = m_fGridSpacing;
    const int fixedBorder = m_bFixedBorder;
    CMount* const outer = std::exchange(TerrainInPropertiesSlot(), this);
    const int changed = CPaint::EditProperties(pose);
    TerrainInPropertiesSlot() = outer;
    if (changed) {
        ApplyRebuildRules(before, pose);
    } else if (m_fGridSpacing != spacing || m_bFixedBorder != fixedBorder) {
        // The page's terrain editor took the spacing and border ahead of the dialog's OK.
        m_fGridSpacing = spacing;
        m_bFixedBorder = m_bBuiltFixedBorder = fixedBorder;
        RebuildGrid();
        Update3D(pose);
    }
    return changed;
}

void CMount::ApplyStyle(const CPose* pose, CPaint* pattern, int mode) {
    const Settings before = CurrentSettings();
    if (auto* source = dynamic_cast<CMount*>(pattern))
        CopyTerrainSettings(*source);
    CBenchwork::ApplyStyle(pose, pattern, mode);
    ApplyRebuildRules(before, pose);
}

// ---- Geometry ----

int CMount::UpdateGeometry(CEditStep* step) {
    const int done = CPolygon::UpdateGeometry(step);
    if (!m_bDeferGrid) {
        RebuildGrid();
        Update3D(&m_parentPose);
    }
    return done;
}

int CMount::Rescale(CEditStep* step) {
    m_bDeferGrid = 1;
    return CPolygon::Rescale(step);
}

void CMount::MirrorEdits(bool mirrorX) {
    for (CTerrainEditList* list : {&m_newEdits, &m_loadedEdits})
        for (int i = 0; i < list->GetCount(); ++i) {
            CTerrainEdit& edit = (*list)[i];
            (mirrorX ? edit.x : edit.y) = -(mirrorX ? edit.x : edit.y);
        }
}

int CMount::MirrorY(double c) {
    const int done = CSketch::MirrorY(c);
    MirrorEdits(false);
    RebuildGrid();
    return done;
}

int CMount::MirrorX(double c) {
    const int done = CSketch::MirrorX(c);
    MirrorEdits(true);
    RebuildGrid();
    return done;
}

void CMount::AppendStatusText(CString& text) {
    if (m_pTool != nullptr && m_pTool->m_nDraggedHandle >= PointCount())
        return;
    CPolygon::AppendStatusText(text);
}

// ---- Cut lists ----

void CMount::LeaveCutLists() {
    for (CTrackBedCut& cut : m_trackCuts)
        if (auto* piece = dynamic_cast<CParTrack*>(cut.piece))
            std::erase(piece->m_cutTerrain, static_cast<CPaint*>(this));
    for (CObjectCut& cut : m_objectCuts)
        if (auto* object = dynamic_cast<CConformingObject*>(cut.object))
            std::erase(object->GetCutTerrains(), static_cast<CPaint*>(this));
}
