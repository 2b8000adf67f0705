#pragma once

#include "wizard/CPageSingleOrDouble.h"

class CCircTrack;
class CTrack;

// The slip switch page: two straights of one length crossing at their middles, joined on one
// side ("Single") or on both ("Double") by slip curves tangent to both, whose radius follows
// from the length and the angle.
class CPageSlipSwitch : public CPageSingleOrDouble {
    DECLARE_DYNCREATE(CPageSlipSwitch)
    DECLARE_MESSAGE_MAP()

  public:
    CPageSlipSwitch();

    void SetDefaults() override;
    void Build() override;
    // A new piece group of the straights and the slip curves, shown in the preview.
    void CreatePieces(BOOL bDouble) override;

    double m_dCrossAngle = 25.0;
    CString m_strLength = "10";
    CTrack* m_pStraight1 = nullptr;
    CTrack* m_pStraight2 = nullptr;
    CCircTrack* m_pCurve1 = nullptr;
    CCircTrack* m_pCurve2 = nullptr;
    double m_dLength = 0.0;
    double m_dHalfAngle = 0.0;
    double m_dPrevLength = 0.0;
    double m_dPrevHalfAngle = 0.0;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void TakeTypedFields() override;
    void FormatTexts() override;
    void OnOK() override;
    void OnLengthEdited();
    void OnAngleEdited();
    void OnSingle();
    void OnDouble();

  private:
    // The half of the crossing angle in radians.
    void TakeAngle();
};
