#pragma once

#include "wizard/CPageSingleOrDouble.h"

class CCircTrack;
class CTrack;

// The crossover page: two parallel straights and a reverse curve of two equal arcs from one
// to the other, leaning left or right, or both reverse curves at once (a scissors crossover).
// The length and the separation are typed; the curves' radius and angle follow.
class CPageCrossover : public CPageSingleOrDouble {
    DECLARE_DYNCREATE(CPageCrossover)
    DECLARE_MESSAGE_MAP()

  public:
    CPageCrossover();

    void SetDefaults() override;
    void Build() override;
    // The radius and angle of the two arcs that shift by the separation over the length.
    void DeriveCurve();
    // A new piece group of the two straights and the reverse curves, shown in the preview.
    void CreatePieces(BOOL bDouble) override;

    CString m_strLength = "10";
    CString m_strSeparation = "5";
    CString m_strCurveRadius;
    double m_dCurveAngle = 0.0;
    CTrack* m_pStraight1 = nullptr;
    CTrack* m_pStraight2 = nullptr;
    CCircTrack* m_pCurve1 = nullptr;
    CCircTrack* m_pCurve2 = nullptr;
    CCircTrack* m_pCurve3 = nullptr;
    CCircTrack* m_pCurve4 = nullptr;
    double m_dLength = 0.0;
    double m_dSeparation = 0.0;
    double m_dPrevLength = 0.0;
    double m_dPrevSeparation = 0.0;
    double m_dCurveAngleRad = 0.0;
    double m_dCurveRadius = 0.0;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void TakeTypedFields() override;
    void FormatTexts() override;
    void OnOK() override;
    void OnLengthEdited();
    void OnSeparationEdited();
    void OnLeft();
    void OnRight();
    void OnDouble();

  private:
    void MarkOuterEndsConnected();
};
