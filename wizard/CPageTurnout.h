#pragma once

#include "wizard/CPageHanded.h"

class CCircTrack;
class CSizeAngle;
class CSizeLine;
class CTrack;
class CWizardLabel;

// The turnout page: an optional entry straight, the straight through route and the diverging
// curve of parameter set 2, to the left or to the right, with three dimension lines, a
// dimension angle and four labels in the preview.
class CPageTurnout : public CPageHanded {
    DECLARE_DYNCREATE(CPageTurnout)
    DECLARE_MESSAGE_MAP()

  public:
    CPageTurnout();

    void SetDefaults() override;
    void Build() override;

    CTrack* m_pEntryTrack = nullptr;
    CTrack* m_pThrough = nullptr;
    CCircTrack* m_pCurve = nullptr;
    CSizeLine* m_pDimLine3 = nullptr;
    CSizeAngle* m_pSizeAngle = nullptr;
    CWizardLabel* m_pLabel3 = nullptr;
    CWizardLabel* m_pLabel4 = nullptr;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void TakeTypedFields() override;
    void FormatTexts() override;
    void OnOK() override;
    void OnLeft();
    void OnRight();
    void OnThroughLengthEdited();

  private:
    bool MakeObjects() override;
    void ShapeEntryAndThrough();
    void BuildLeft();
    void BuildRight();
};
