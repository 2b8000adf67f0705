#pragma once

#include "wizard/CPageWizard.h"
#include "wizard/CTrackPreviewWnd.h"

class CCircTrack;
class CSizeLine;
class CTrack;
class CWizardLabel;

// The 3-way turnout page: an optional entry straight, the straight through route, a curve to
// the left (parameter set 1) and a curve to the right (set 2), each set edited through the one
// "Editable fields" choice, with three dimension lines and three labels in the preview.
class CPage3Way : public CPageWizard {
    DECLARE_DYNCREATE(CPage3Way)
    DECLARE_MESSAGE_MAP()

  public:
    CPage3Way();

    void SetDefaults() override;
    void Build() override;

    CTrackPreviewWnd m_wndPreview;
    CString m_strLength3 = "20";
    CTrack* m_pThrough = nullptr;
    CTrack* m_pEntryTrack = nullptr;
    CCircTrack* m_pCurve1 = nullptr;
    CCircTrack* m_pCurve2 = nullptr;
    CSizeLine* m_pDimLine1 = nullptr;
    CSizeLine* m_pDimLine2 = nullptr;
    CSizeLine* m_pDimLine3 = nullptr;
    CWizardLabel* m_pLabel1 = nullptr;
    CWizardLabel* m_pLabel2 = nullptr;
    CWizardLabel* m_pLabel3 = nullptr;
    double m_dLength3 = 0.0;
    double m_dPrevLength3 = 0.0;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void TakeTypedFields() override;
    void FormatTexts() override;
    void OnOK() override;
    void OnLength3Edited();

  private:
    bool MakeObjects() override;
    void RefreshAll();
};
