#pragma once

#include <array>

#include "model/CPointArray.h"
#include "wizard/CPageHanded.h"

class CSplineTrack;

// The spiral easement page: a cubic spiral whose curvature grows from nothing at its start to
// that of the typed radius at its end, over the typed length, bending left or right. It is
// sampled into seven Bezier segments of one spline piece; the end offset is shown read-only.
class CPageSpiral : public CPageHanded {
    DECLARE_DYNCREATE(CPageSpiral)
    DECLARE_MESSAGE_MAP()

  public:
    // The control points of the seven segments: three per segment and the last end.
    static constexpr int kControlPoints = 22;
    // The shortest length and the smallest radius, whatever the scale.
    static constexpr double kSmallest = 762.0;

    CPageSpiral();

    void SetDefaults() override;
    void Build() override;
    // The spiral's control points for the length, end radius and side (+1 left, -1 right).
    static CPointArray ControlPoints(double length, double radius, double side);
    // The length or radius that follows a typed radius or length into half to twice it, no
    // longer than a field takes.
    static double Follow(double value, double typed);

    CString m_strLength = "15";
    CString m_strRadius = "12";
    CString m_strOffset = "2";
    CSplineTrack* m_pSpline = nullptr;
    double m_dLength = 0.0;
    double m_dOffset = 0.0;
    double m_dPrevLength = 0.0;
    double m_dRadius = 0.0;
    double m_dPrevRadius = 0.0;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void TakeTypedFields() override;
    void FormatTexts() override;
    void OnLengthEdited();
    void OnRadiusEdited();
    void OnLeft();
    void OnRight();

  private:
    void ShapeAnnotations(const CDoublePoint& start, const CDoublePoint& end);
};
