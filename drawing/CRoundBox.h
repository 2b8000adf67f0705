#pragma once

#include <array>
#include <vector>

#include "drawing/CBox.h"

// A box whose corners are quarter circles of one radius. The radius holds for the box it was
// set on (the reference box) and scales with the box since; it never exceeds half the
// shorter side. Points 5 to 12 are where the arcs meet the sides; dragging one sets the
// radius. The outline is sampled into 189 points, kept as last drawn on screen for the
// rubber-band test.
class CRoundBox : public CBox {
    DECLARE_SERIAL(CRoundBox)

  public:
    static constexpr int kRoundPointCount = 13;
    static constexpr int kMaxSamples = 370;

    CRoundBox();
    CRoundBox(int selected, CTool* tool, double x, double y);

    // The radius drawn: the set radius scaled from the reference box to the present one.
    double EffectiveRadius() const;

    void Serialize(CArchive& ar) override;
    int ApplyShapeStep(CEditStep* step) override;
    void MeasureShape() override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    void UpdateSizeInfo(const CPose* pose) override;

    int m_nSampleCount = 0;
    std::array<CPoint, kMaxSamples> m_samples{};
    int m_nOrientation = -1;
    double m_fRadius = 0.0;
    double m_fReferenceX1 = 0.0;
    double m_fReferenceY1 = 0.0;
    double m_fReferenceX3 = 0.0;
    double m_fReferenceY3 = 0.0;

  private:
    void PlaceTangentPoints(double r, int orientation);
    std::vector<CDoublePoint> ArcCentres() const;
    // The local outline: the sides' ends and 45 samples of each arc, in drawing order.
    std::vector<CDoublePoint> Outline(double r, int orientation) const;
    void AppendArc(std::vector<CDoublePoint>& outline, CDoublePoint centre, double r, int startDegrees,
                   int orientation) const;
    void SetReferenceToBox();
    bool ScreenOutline(const CPose& frame, double r, int orientation, std::vector<CPoint>& samples) const;
    void DragRadius(int handle, CDoublePoint local);
    void RecordRadius();
    bool CursorHits();
};
