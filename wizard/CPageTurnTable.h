#pragma once

#include "wizard/CPageWizard.h"
#include "wizard/CTrackPreviewWnd.h"

class CArc;
class CSizeLine;
class CTrack;
class CWizardLabel;

// The turntable page: a straight bridge across a circular pit of the same diameter, from one
// typed length, with a dimension line and the label "Length" in the preview.
class CPageTurnTable : public CPageWizard {
    DECLARE_DYNCREATE(CPageTurnTable)
    DECLARE_MESSAGE_MAP()

  public:
    CPageTurnTable();

    void SetDefaults() override;
    void Build() override;

    CTrackPreviewWnd m_wndPreview;
    CString m_strLength = "10";
    double m_dLength = 0.0;
    double m_dPrevLength = 0.0;
    CTrack* m_pBridge = nullptr;
    CSizeLine* m_pDimLine = nullptr;
    CArc* m_pPit = nullptr;
    CWizardLabel* m_pLabel = nullptr;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void TakeTypedFields() override;
    void FormatTexts() override;
    void OnLengthEdited();
};
