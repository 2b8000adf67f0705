#pragma once

#include "wizard/CPageWizard.h"
#include "wizard/CTrackPreviewWnd.h"

class CSizeAngle;
class CSizeLine;
class CTrack;
class CWizardLabel;

// The crossing page: two straights of typed lengths crossing at their midpoints under a typed
// angle, with a dimension line along each, a dimension angle between them and three labels.
class CPageCrossing : public CPageWizard {
    DECLARE_DYNCREATE(CPageCrossing)
    DECLARE_MESSAGE_MAP()

  public:
    CPageCrossing();

    void SetDefaults() override;
    void Build() override;

    CTrackPreviewWnd m_wndPreview;
    double m_dCrossAngle = 45.0;
    CString m_strLengthA = "10";
    CString m_strLengthB = "10";
    CTrack* m_pStraight1 = nullptr;
    CTrack* m_pStraight2 = nullptr;
    CSizeLine* m_pDimLine1 = nullptr;
    CSizeLine* m_pDimLine2 = nullptr;
    CSizeAngle* m_pDimAngle = nullptr;
    CWizardLabel* m_pLabel1 = nullptr;
    CWizardLabel* m_pLabel2 = nullptr;
    CWizardLabel* m_pLabel3 = nullptr;
    double m_dLengthA = 0.0;
    double m_dLengthB = 0.0;
    double m_dHalfAngle = 0.0;
    double m_dPrevLengthA = 0.0;
    double m_dPrevLengthB = 0.0;
    double m_dPrevHalfAngle = 0.0;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void TakeTypedFields() override;
    void FormatTexts() override;
    void OnLengthAEdited();
    void OnLengthBEdited();
    void OnAngleEdited();

  private:
    // The half of the crossing angle in radians.
    void TakeAngle();
};
