#pragma once

#include "platform/ctl/CDialog.h"

class CPaint;
struct DialogTemplate;

// A page of a properties dialog's tab control. It edits its own clone of the dialog's working
// copy and, after every change, pushes that clone into the dialog and repaints its preview.
class CPages : public CDialog {
    DECLARE_DYNAMIC(CPages)
  public:
    CPages(const DialogTemplate& pageTemplate, CWnd* parent);
    ~CPages() override;

    // Creates the page hidden as a child of the dialog's tab control.
    BOOL CreatePage(CWnd* tabControl);

    virtual CPaint* GetObject() { return m_pCopy; }
    virtual void CopyTo(CPaint* target);
    // Replaces the working copy with a clone of the object (none for null).
    virtual void SetObject(CPaint* object);
    virtual void ApplyControls() {}
    virtual BOOL Validate() { return UpdateData(TRUE); }

  protected:
    // Enter and Escape inside a page do not close it.
    void OnOK() override {}
    void OnCancel() override {}
    void PushToDialog();

    CPaint* m_pCopy = nullptr;

  private:
    void ReleaseCopy();

    const DialogTemplate& m_template;
};
