#pragma once

#include "drawing/CSketch.h"

// A chain of vertices placed by clicks and ended by a double click, drawn open and filled
// closed. The vertices are the sketch's drawn points, stored in its reference box; the handle
// index of a vertex is its point index. Benchwork and terrain build on it.
class CPolygon : public CSketch {
    DECLARE_SERIAL(CPolygon)

  public:
    CPolygon();
    CPolygon(int selected, CTool* tool, double x, double y);

    // Fits the reference box to the vertices and the local box with it, the shape unchanged.
    void Normalize(const CPose& frame);

    void Serialize(CArchive& ar) override;
    void GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) override;
    void AppendStatusText(CString& text) override;
    void NearestEndPoint(double& x, double& y, const CPose* pose) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    void DrawControlPolygon(const CPose* parent) override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int handle) override;
    int UpdateGeometry(CEditStep* step) override;
    void MeasureShape() override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;

    double m_fPerimeter = 0.0;

  protected:
    bool IsDrawable() const override;
    void DrawMarkers(const CPose& frame) override;

  private:
    bool IsPointEntryTool() const;
    bool IsVertex(int handle) const;
    void AddVertex(const CPose* pose);
    void DragRubberBandVertex(const CPose& frame, int handle);
    void DragFinishedVertex(const CPose& frame, int handle);
    // The length of the open chain through points, and their bounding box.
    static double ChainLength(const std::vector<CDoublePoint>& points);
    // Corners, reference box and extent from a local box of the vertices while drawing.
    void FitBoxWhileDrawing(const CPose& frame, int lastVertex);
};
