#pragma once

#include "model/CPose.h"
#include "platform/ctl/CPropertySheet.h"
#include "wizard/CWizardDefaultButton.h"

class CGroupEditEntry;

// The modal "Track wizard" sheet with its eleven pages and the buttons "Default", "Place"
// and "Close". While it is open the group being edited stands at the zero placement, so
// that the pages build in its own frame; both ways of ending give it its placement back.
class CSheetWizard : public CPropertySheet {
    DECLARE_DYNCREATE(CSheetWizard)

  public:
    CSheetWizard();

    // The world extent of a group opened by Edit Group, as it was when the sheet opened.
    struct Extent {
        double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    };

    CWizardDefaultButton m_btnDefault;
    CGroupEditEntry* m_pEditEntry = nullptr;
    CPose m_poseSaved;
    Extent m_rcSavedExtent;

  protected:
    BOOL OnInitDialog() override;
    // The "Default" button's click goes back to the button.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    void KeepEditedGroup();
    void ArrangeButtons();
};
