#pragma once

#include "platform/ctl/CDialog.h"

class CColorButton;
class CLineStyleCombo;
class CLineWidthCombo;
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
    // The working copy's pen in the pickers and colour button, and back: widths 1 to 5 are
    // items 0 to 4, and both width members are written.
    void ShowPen(CLineStyleCombo& style, CLineWidthCombo& width, CColorButton& color);
    void TakePen(CLineStyleCombo& style, CLineWidthCombo& width, CColorButton& color);

    CPaint* m_pCopy = nullptr;

  private:
    void ReleaseCopy();

    const DialogTemplate& m_template;
};
