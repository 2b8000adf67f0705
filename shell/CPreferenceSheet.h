#pragma once

#include "platform/ctl/CButton.h"
#include "platform/ctl/CPropertySheet.h"
#include "shell/C3DViewPage.h"
#include "shell/CDirectoryPage.h"
#include "shell/CMetricPage.h"
#include "shell/COtherPage.h"
#include "shell/CTrainPage.h"

class CCVNDoc;

// The "Preferences" sheet: five pages filled from one document and written back on OK, with
// "Restore" (the factory values of the page on show) and "Save as default" beside OK and
// Cancel. The snap range and handle size go to every open document.
class CPreferenceSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CPreferenceSheet)
    DECLARE_MESSAGE_MAP()
  public:
    static constexpr UINT kRestoreId = 1305;
    static constexpr UINT kSaveAsDefaultId = 1306;

    CPreferenceSheet();

    void LoadFromDocument(CCVNDoc* document);
    // Every page's members take the factory values.
    void RestoreDefaults();
    void ApplyToDocument(CCVNDoc* document);

    CCVNDoc* m_pDocument = nullptr;
    CMetricPage m_metricPage;
    CTrainPage m_trainPage;
    COtherPage m_otherPage;
    CDirectoryPage m_directoryPage;
    C3DViewPage m_3DViewPage;
    CButton m_restoreButton;
    CButton m_saveAsDefaultCheck;
    int m_bSaveAsDefault = 0;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnRestore();
    void OnSaveAsDefault();

  private:
    void LayOutButtons();
    // The controls of the page on show take its restored members.
    void RefillActivePage();
};
