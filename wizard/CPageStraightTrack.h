#pragma once

#include "wizard/CPageWizard.h"
#include "wizard/CTrackPreviewWnd.h"

class CSizeLine;
class CTrack;
class CWizardLabel;

// The first page of the track wizard: one straight track of a typed length, shown with a
// dimension line and the label "Length".
class CPageStraightTrack : public CPageWizard {
    DECLARE_DYNCREATE(CPageStraightTrack)
    DECLARE_MESSAGE_MAP()

  public:
    CPageStraightTrack();

    void SetDefaults() override;
    void Build() override;

    CTrackPreviewWnd m_wndPreview;
    CString m_strLength = "0";
    int m_nLength = 0;
    int m_nPrevLength = 0;
    CTrack* m_pTrack = nullptr;
    CSizeLine* m_pDimLine = nullptr;
    CWizardLabel* m_pLabel = nullptr;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void TakeTypedFields() override;
    void FormatTexts() override;
    void OnLengthEdited();
};
