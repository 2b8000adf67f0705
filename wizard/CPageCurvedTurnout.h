#pragma once

#include "wizard/CPageWizard.h"
#include "wizard/CTrackPreviewWnd.h"

class CCircTrack;
class CSizeLine;
class CTrack;
class CWizardLabel;

// The curved turnout page: two curves leaving one point, bending the same way ("Left",
// "Right") or opposite ways ("Wye"); curve 1 (set 1) follows an optional entry straight,
// curve 2 (set 2) starts at the origin. Two dimension lines and two labels in the preview.
class CPageCurvedTurnout : public CPageWizard {
    DECLARE_DYNCREATE(CPageCurvedTurnout)
    DECLARE_MESSAGE_MAP()

  public:
    CPageCurvedTurnout();

    void SetDefaults() override;
    void Build() override;

    CTrackPreviewWnd m_wndPreview;
    CCircTrack* m_pCurve1 = nullptr;
    CCircTrack* m_pCurve2 = nullptr;
    CTrack* m_pEntryTrack = nullptr;
    CSizeLine* m_pDimLine1 = nullptr;
    CSizeLine* m_pDimLine2 = nullptr;
    CWizardLabel* m_pLabel1 = nullptr;
    CWizardLabel* m_pLabel2 = nullptr;
    int m_nHand;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnLeft();
    void OnRight();
    void OnWye();

  private:
    bool MakeObjects() override;
    void ChooseHand(int hand);
    void ShapePieces();
    void ShapeAnnotations();
};
