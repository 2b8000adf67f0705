#pragma once

#include "platform/ctl/CDialog.h"

class CPropertySheet;

// One page of a property sheet: a child dialog made the first time it is shown. The sheet asks
// it before leaving (OnKillActive, which validates) and tells it when it is shown again
// (OnSetActive), and delivers OK (OnApply, then OnOK) and Cancel (OnReset, then OnCancel) to
// every page that was made.
class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
  public:
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);
    explicit CPropertyPage(const DialogTemplate& dialogTemplate);

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel() { return TRUE; }
    void OnOK() override {}
    void OnCancel() override {}
    // Enables the sheet's Apply button.
    void SetModified(BOOL changed = TRUE);
    BOOL IsModified() const { return m_modified; }
    CString GetCaption() const;

  private:
    friend class CPropertySheet;
    // Makes the page as a child of the sheet.
    BOOL CreatePage(CPropertySheet* sheet);

    CPropertySheet* m_sheet = nullptr;
    std::unique_ptr<DialogTemplate> m_pageTemplate;
    CString m_caption;
    bool m_firstSetActive = true;
    BOOL m_modified = FALSE;
};
