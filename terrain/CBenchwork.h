#pragma once

#include <memory>
#include <vector>

#include "drawing/CPolygon.h"
#include "model/CGroundSurface.h"

class CToolHost;

// A piece of benchwork: a closed outline on the plan that stands in 3D as a flat slab whose
// top lies at its elevation. Track and 3D objects placed over it take their height from its
// top; while any benchwork has a model the document shows no ground plane. The terrain builds
// on it.
class CBenchwork : public CPolygon, public CGroundSurface {
    DECLARE_SERIAL(CBenchwork)

  public:
    // The model tag of a slab, by which the document knows that benchwork stands.
    static constexpr int kSlabTag = 105;
    // The property-differs flags of the benchwork's own fields.
    static constexpr int kDiffersElevation = 29;
    static constexpr int kDiffersThickness = 30;
    static constexpr int kDiffersTexture = 31;

    CBenchwork();
    CBenchwork(int selected, CTool* tool, double x, double y);

    // The outline vertices in the object's own frame, closed implicitly.
    std::vector<CDoublePoint> OutlineVertices() const { return MappedPoints(); }
    virtual BOOL IsOutlineSimple();
    BOOL HasSelfCrossing() { return !IsOutlineSimple(); }

    CPaint* PtInOutline() override;
    double GetTopAt(double x, double y) override;

    void Serialize(CArchive& ar) override;
    void CompareProperties(CPaint* other) override;
    void AppendStatusText(CString& text) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    int FinishCreate(const CPose* pose, int handle) override;
    int EditProperties(const CPose* pose) override;
    void ApplyStyle(const CPose* pose, CPaint* pattern, int mode) override;
    int UpdateGeometry(CEditStep* step) override;
    std::unique_ptr<r3d::Clump> Build3D(const CPose* pose) override;
    int Update3D(const CPose* pose) override;
    int Remove3D() override;
    void UpdateSizeInfo(const CPose* pose) override;

    CString m_strTexture;
    double m_fElevation = 0.0;
    double m_fThickness = 100.0;
    // Set for outlines of files older than version 11: a self-crossing edit passes silently.
    int m_bUncheckedOutline = 0;

  protected:
    // The closed outline on the device, or false when it cannot be drawn.
    bool OutlineOnDevice(const CPose& frame, std::vector<CPoint>& device) const;
    // A new outline closes only around three clicked vertices or more.
    bool TooFewForNewOutline(bool creating) const;
    // The self-crossing message, with the trains paused and the object redrawn around it.
    void ReportSelfCrossing();
    // The outline's end of an edit: the polygon's, then the self-crossing rule; creating tells
    // whether the engine was making the object.
    int FinishOutline(const CPose* pose, int handle, bool creating);
    CToolHost* Host() const;

  private:
    void InitBenchwork();
};
