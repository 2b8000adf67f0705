#pragma once

#include "wizard/CPageWizard.h"
#include "wizard/CTrackPreviewWnd.h"

class CSizeLine;
class CWizardLabel;

// A page whose piece comes in hands chosen by radio buttons (left or right, single or double):
// the preview, the first two dimension lines and labels, and the hand, which rebuilds the page
// when it changes.
class CPageHanded : public CPageWizard {
    DECLARE_DYNAMIC(CPageHanded)

  public:
    CPageHanded(UINT templateId, int hand);

    CTrackPreviewWnd m_wndPreview;
    CSizeLine* m_pDimLine1 = nullptr;
    CSizeLine* m_pDimLine2 = nullptr;
    CWizardLabel* m_pLabel1 = nullptr;
    CWizardLabel* m_pLabel2 = nullptr;
    int m_nHand;

  protected:
    virtual void ChooseHand(int hand);
};
