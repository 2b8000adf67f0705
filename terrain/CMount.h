#pragma once

#include <functional>
#include <vector>

#include "model/CTerrainSurface.h"
#include "terrain/CBenchwork.h"
#include "terrain/CGrideMount.h"
#include "terrain/CIntTable.h"
#include "terrain/CTerrainEditList.h"
#include "terrain/TerrainCuts.h"

class CParTrack;
struct TerrainSpace;
namespace r3d {
class ClumpBuilder;
}

// A terrain: a benchwork outline carrying a grid of height knots inside it. The knots are
// rebuilt from the outline at the base elevation (the benchwork's) and shaped by the list of
// edits; the 3D view shows them as a textured mesh, into which track pieces and 3D objects cut
// their beds through cut records that leave the knots themselves alone.
class CMount : public CBenchwork, public CTerrainSurface {
    DECLARE_SERIAL(CMount)

  public:
    static constexpr int kMeshTag = 32002;
    static constexpr double kSmallestSpacing = 150.0;
    static constexpr double kLargestSpacing = 7500.0;
    // Work on a terrain's grid: its positions, the outline edges tested for them, the knot
    // visits of replaying its edits, and the grid steps along the outline that the border
    // strip is stitched over.
    struct GridWork {
        double positions, insideTests, editVisits, borderSteps;
    };
    // The most any grid build takes: beyond its positions, inside tests or border steps no grid
    // is built and the outline's ring stands alone. The edits it replays are not bounded.
    static constexpr GridWork kMostGridWork{4.0e6, 2.0e8, 0.0, 2.0e5};
    // What one open may spend on the terrains it reads, together, so that any layout opens
    // within a second: grid positions, outline edges tested for them, knot visits of the
    // edits replayed, and grid steps along the outlines.
    static constexpr GridWork kMostOpenedWork{5.0e5, 1.0e7, 1.0e7, 5.0e4};
    // The texture repeats, as the 3D mesh is built with them; a file gives no other.
    static constexpr double kLeastTextureScale = 1.0;
    static constexpr double kLargestTextureScale = 32.0;
    // What the release of a knot drag opens: the terrain editor on a knot, with the drag
    // height proposed. Until one is installed the release only ends the drag.
    using KnotEditor = std::function<void(CMount& terrain, int knot, double height, const CPose* pose)>;
    static void InstallKnotEditor(KnotEditor editor);
    static const KnotEditor& InstalledKnotEditor();

    CMount();
    CMount(int selected, CTool* tool, double x, double y);
    ~CMount() override;

    // ---- Grid ----
    virtual void RebuildGrid();
    using CBenchwork::PtInOutline;
    BOOL PtInOutline(double x, double y) override;
    void GetGridRange();
    // Whether a world point lies within 15 device units of an on-screen grid position in x
    // and y, the terrain under the placement.
    BOOL IsNearKnot(const CPose* pose, double x, double y) override;
    // The knot handle (point count + knot index) under a world point, or -1.
    int HitTestKnot(const CPose* pose, double x, double y);
    int NearestKnotInList(double x, double y, const std::vector<int>& list) const;
    // The on-screen grid step in device units.
    double ScreenGridStep() const;
    const CGrideMount& Grid() const { return m_grid; }
    CGrideMount& Grid() { return m_grid; }
    const CIntTable& IndexTable() const { return m_indexTable; }
    // The knots inside the outline: the interior knots, then the bridge knots. The outline
    // knots follow them.
    int InnerKnotCount() const { return m_nInteriorCount + m_nBridgeKnotCount; }
    int KnotHandle(int knot) const { return PointCount() + knot; }

    // ---- Edits ----
    void ApplyTerrainEdits(const CTerrainEditList& list, int reset);
    int DeformElastic(r3d::Clump& clump, int vertex, float x, float y, float z, int group, double elastic,
                      int mode, CTerrainEditList& target, int pushUndo, int world);
    int UndoTerrainEdit(CEditStep* step);
    // The list the layout file stores: the loaded edits merged with the new ones.
    CTerrainEditList EffectiveEdits() const;
    // How many knots replaying the edits on the built grid visits.
    double EditVisits(const CTerrainEditList& edits) const;
    // The outline's length in steps of the spacing: what stitching the border strip walks.
    double BorderSteps() const;
    // The grid cells the last stitch of the border strip searched for links in its way.
    double BorderSearchCells() const { return m_fBorderSearchCells; }
    // The corners and edges the last stitch looked at to cut the strip into triangles, where
    // its zip could not lay it.
    double BorderTriangulationWork() const { return m_fBorderTriangulationWork; }

    // ---- 3D ----
    virtual void UpdateMeshVertices(r3d::Clump& clump, int keepPlan);
    // The terrain editor's wireframe mesh: vertex i + 1 at knot i, centred on the outline
    // centre, in 3D units of the scale; none without a grid.
    std::unique_ptr<r3d::Clump> BuildPreviewMesh(double scale);

    // ---- Editor ----
    // The terrain editor on the centre knot, without a first edit.
    void RunEditor() override;
    // The terrain whose properties dialog is open, while it is.
    static CMount* TerrainInProperties();
    // Makes this working copy of the properties dialog show its knot grid in the dialog's
    // preview, unselected and with no grid of its own: the dots are tested against the outline
    // as the copy shows it. edited is the terrain the dialog edits.
    void PrepareForProperties(CMount* edited);

    // ---- Cuts ----
    double GetHeightAt(double x, double y);
    double GetTopAt(double x, double y) override { return GetHeightAt(x, y); }
    void CutTrackBed(CPaint* piece, int report) override;
    void CutUnderObject(CPaint* object) override;
    int RemoveTrackCut(CPaint* piece) override;
    int RemoveObjectCut(CPaint* object) override;
    CTrackBedCut& GetTrackCut(CPaint* piece);
    CObjectCut& GetObjectCut(CPaint* object);
    void ClearCuts(int flag);
    void ClearCuts() override { ClearCuts(1); }
    void GatherCuts();
    BOOL IsPointOnTerrain(double x, double y);
    void CollectKnotsInQuad(const POINT (&corners)[4], int radius, std::vector<int>& knots);
    void SetRebuild(int rebuild) override { m_bRebuild3D = rebuild; }
    void SetCloneRebuild(int rebuild) override { m_bRebuildOnCopy = rebuild; }

    void Serialize(CArchive& ar) override;
    void AppendStatusText(CString& text) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int handle) override;
    int Rescale(CEditStep* step) override;
    int EditProperties(const CPose* pose) override;
    void ApplyStyle(const CPose* pose, CPaint* pattern, int mode) override;
    int UpdateGeometry(CEditStep* step) override;
    int ApplyEditStep(CEditStep* step) override;
    std::unique_ptr<r3d::Clump> Build3D(const CPose* pose) override;
    int Update3D(const CPose* pose) override;
    int Remove3D() override;
    int MirrorY(double c) override;
    int MirrorX(double c) override;

    double m_fGridSpacing = 500.0;
    double m_fBuiltSpacing = 500.0;
    CTerrainEditList m_newEdits;
    CTerrainEditList m_loadedEdits;
    int m_nOutlineCount = -1;
    std::vector<CDoublePoint> m_outline;
    int m_bRebuild3D = 0;
    int m_bDeferGrid = 0;
    double m_fDragHeight = 18.0;
    double m_fElastic = 0.25;
    int m_nCentreKnot = 0;
    double m_fCentreX = 0.0;
    double m_fCentreY = 0.0;
    // The grid's own knots, scanned row by row inside the outline: the ones the index table
    // reaches.
    int m_nInteriorCount = 0;
    // The knots the border made to bridge separate pieces of the grid into one; they follow
    // the interior knots, lie inside the outline and take the edits as those do.
    int m_nBridgeKnotCount = 0;
    int m_bFixedBorder = 1;
    int m_bBuiltFixedBorder = 1;
    int m_nFalloffMode = 0;
    COLORREF m_crGrid = 0;
    int m_bShowGrid = 0;
    int m_bRebuildOnCopy = 0;
    std::vector<CKnotChange> m_changedKnots;
    std::vector<int> m_hiddenCells;
    std::vector<CTrackBedCut> m_trackCuts;
    std::vector<CObjectCut> m_objectCuts;
    int m_bAllowConform = 1;
    int m_nMinColumn = 0;
    int m_nMinRow = 0;
    int m_nMaxColumn = 0;
    int m_nMaxRow = 0;
    double m_fTextureScale = 20.0;
    // In the properties dialog's working copies: the terrain the dialog edits.
    CMount* m_pEditedTerrain = nullptr;
    // Set on the properties dialog's working copy: it draws its knot dots as a selected
    // terrain does, inside the preview outline (the outline vertices, local).
    int m_bInPropertiesDialog = 0;
    std::vector<CDoublePoint> m_previewOutline;

  private:
    // The grid positions of the outline's box at the spacing; sets the grid range.
    double GridPositions();
    // The stored spacing held to the properties page's range, and widened until the grid and
    // its border fit the work the open has left; whether it changed.
    bool HoldSpacingForOpen(const GridWork& left);
    // The outline's edges, at least one: what each grid position is tested against.
    double OutlineEdges() const;
    // The grid of a record just read, with its edits unless replaying them would take longer
    // than an open may; each change is told once per open.
    void BuildOpenedGrid();
    // An edit on the grid: its centre and radius in grid units, whether it reaches the
    // outline's box, and the grid columns and rows within its radius.
    struct EditReach {
        double cx = 0.0, cy = 0.0, r = 0.0;
        bool touches = false;
        int firstColumn = 1, lastColumn = 0, firstRow = 1, lastRow = 0;
    };
    EditReach ReachOf(const CTerrainEdit& edit) const;
    int InteriorKnotAt(int column, int row) const;
    void RaiseKnotAtPoint(const EditReach& reach, float dz, int considered);
    void RaiseKnotsInReach(const EditReach& reach, const CTerrainEdit& edit, int considered);
    void InitMount();
    // Spacing, elastic, fixed border, allow conform, grid colour and texture scale.
    void CopyTerrainSettings(const CMount& source);
    // The properties that decide a rebuild after the dialog or a style.
    struct Settings {
        double elevation, spacing, textureScale;
        CString texture;
        int fixedBorder;
    };
    Settings CurrentSettings() const;
    void ApplyRebuildRules(const Settings& before, const CPose* pose);
    bool IsCtrlHeld() const;
    bool ShowsGridDots();
    void DrawGridDots(CDC& dc, const CPose& frame);
    bool DotInOutline(CDoublePoint local);
    // A device point of the target DC in layout units, on screen or on the printed page.
    CDoublePoint DeviceToPlan(double x, double y) const;
    // The device point the grid dots count their steps from.
    CPoint DotsOrigin(const CPose& frame) const;
    void DragKnotHeight(const CPose& frame, int handle);
    int FinishKnotDrag(const CPose* pose, int handle);
    // The engine's rubber line from the dragged knot along the drag, local points.
    void ShowRubberLine(const CPose& frame, CDoublePoint from, CDoublePoint to);
    void InvalidateRubberLine();
    void MapOutline();
    void BuildInteriorKnots();
    void StitchOutline();
    // Appends an outline knot at the place (grid units, base height), its first link the knot
    // it is attached to, its second the outline knot before it; either is left out when -1.
    int StitchOutlineKnot(CDoublePoint place, int attach, int previous);
    void UnlinkAcrossOutline(const std::vector<CDoublePoint>& ring);
    // Unlinks two interior knots when their link crosses the outline edge from a to b; whether
    // it did.
    bool UnlinkIfCrossing(int k, int link, CDoublePoint a, CDoublePoint b);
    void MirrorEdits(bool mirrorX);
    void LeaveCutLists();
    void AddKnotVertices(r3d::ClumpBuilder& builder, bool reversed);
    void AddTunnels(r3d::ClumpBuilder& builder, const TerrainSpace& space, const CPose* pose);
    bool ProbeFacesUp(const std::vector<CDoublePoint>& worldOutline) const;
    // The plan point and height of knot i, a changed knot taking the place of the knot.
    CDoublePoint KnotPlace(int i, size_t& nextChange, float& height) const;

    CIntTable m_indexTable;
    CGrideMount m_grid;
    GridWork m_gridLimits = kMostGridWork;
    double m_fBorderSearchCells = 0.0;
    double m_fBorderTriangulationWork = 0.0;
};
