#pragma once

#include <array>
#include <memory>
#include <vector>

#include "model/CConformingObject.h"
#include "model/CInGroupMark.h"
#include "model/CPaint.h"
#include "platform/r3d/Matrix.h"

namespace r3d {
struct Polygon;
}

// A model from a .3ds, .rwx or .dxf file standing on the plan. Points 1 and 3 are opposite
// corners of its box (2 and 4 follow them), point 0 the turn handle. In 3D the model, turned
// by its orientation, fills the box and its height, its lowest point at its elevation, and
// turns with the object. The plan shows the box with both diagonals or, when asked, the
// model seen from above.
class C3D : public CPaint, public CConformingObject, public CInGroupMark {
    DECLARE_SERIAL(C3D)

  public:
    static constexpr int kModelTag = 101;
    static constexpr int kPointCount = 5;
    // The pen colour while the shape is edited.
    static constexpr COLORREF kEditColor = 0xA41CFF;

    C3D();
    C3D(int selected, CTool* tool, double x, double y);
    ~C3D() override;

    // What a terrain sees of the object.
    double GetStandingElevation() override { return m_fElevation; }
    BOOL IsExcludedFromConforming() override { return m_bExcludeFromConforming; }
    std::vector<CPaint*>& GetCutTerrains() override { return m_mounts; }
    void SetInGroup(int inGroup) override { m_bGrouped = inGroup; }
    void AddMount(CPaint* terrain);
    void RemoveMount(CPaint* terrain);

    void Serialize(CArchive& ar) override;
    void GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) override;
    void NearestEndPoint(double& x, double& y, const CPose* pose) override;
    void AppendStatusText(CString& text) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int flag) override;
    int Rescale(CEditStep* step) override;
    int Edit3DProperties(int flag) override;
    int EditProperties(const CPose* pose) override;
    void ApplyStyle(const CPose* pose, CPaint* pattern, int mode) override;
    std::unique_ptr<r3d::Clump> Build3D(const CPose* pose) override;
    int Update3D(const CPose* pose) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;
    int MirrorY(double c) override;
    int MirrorX(double c) override;
    void RebuildShape() override {}
    void PlaceOnBase() override;
    int ApplyHeightStep(CEditStep* step) override;
    BOOL GetLowestElevation(double& elevation) const override;
    void LowerElevations(const CPose* pose, double by) override;
    void ConformToTerrain(int flag) override;
    void DetachFromTerrain() override;

    // The model seen from above, as world points of the plan, one per model vertex.
    void ComputeFootprint(const CPose* pose);
    // Draws one model polygon on the plan from the footprint.
    void DrawFootprintPolygon(const r3d::Polygon& polygon);
    // The Ctrl drag of a corner along the box diagonal that raises or lowers the height.
    void DragHeight(const CPose* pose, CDoublePoint cursor, int grabbed, int opposite);
    // The elevation of the model's lowest point in plan units; the stored one without a model.
    void RefreshElevationFromModel();
    // The plan units per 3D unit of the document; 0 without one.
    double Scale3D() const;
    // Takes the stored matrix elements into the orientation, and back.
    void SetOrientation(const r3d::Matrix& orientation);
    const r3d::Matrix& GetOrientation() const { return m_orientation; }

    CString m_strModelFile;
    CString m_strTexture;
    double m_fHeight = 0.0;
    double m_fElevation = 0.0;
    double m_fSavedHeight = 0.0;
    std::vector<CDoublePoint> m_footprint;
    int m_bShowOn2DPlan = 0;
    int m_bShowBoxWhenGrouped = 0;
    int m_bGrouped = 0;
    int m_bExcludeFromConforming = 0;
    int m_bNeedsRebuild = 1;
    // Set once a missing model was reported, so that it is reported once per opening.
    int m_bMissingReported = 0;
    int m_bTextureReported = 0;

  private:
    bool HasPoints() const { return m_points.GetSize() >= kPointCount; }
    bool IsResizeable() const { return m_bScaleWithDocument != 0; }
    std::vector<CDoublePoint> Corners() const;
    CDoublePoint BoxCentre() const;
    void InitShape();
    void FitModelToBox(const CPose& frame);
    int RunDialog(const CPose* pose, bool creating);
    void ApplyDialogResult(const CPose* pose, C3D* result, int mode);

    std::vector<CPaint*> m_mounts;
    r3d::Matrix m_orientation;
    std::array<float, 16> m_elements{};
};
