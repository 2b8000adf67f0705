#pragma once

#include "platform/ctl/CDialog.h"
#include "ui/CTypedField.h"

class CCVNDoc;

// The page settings of a layout: document size, the plan window's view scale 1:N, the print
// scale (fitted to the page or 1:N) and the two print marks. The document's Page Setup
// command loads it, runs it and saves it back on OK.
class CDocumentSetupDialog : public CDialog {
    DECLARE_DYNAMIC(CDocumentSetupDialog)
    DECLARE_MESSAGE_MAP()
  public:
    explicit CDocumentSetupDialog(CWnd* parent = nullptr);

    void LoadFromDocument(CCVNDoc* document);
    void SaveToDocument(CCVNDoc* document) const;

    // The view scale the field stands for: a file's scale that is no whole number while the
    // field shows it whole.
    double ViewScale() const;

    CTypedField m_width;
    CTypedField m_height;
    int m_nPrintScaleMode = 1;
    int m_bShowPageMarkers = 0;
    int m_bShowPageNumbers = 0;
    double m_fPrintScale = 0.0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    void OnSizeKillFocus();
    void OnFitToPage();
    void OnFixedScale();

  private:
    FieldRange PageSides() const;
    bool IsSideTooLargeForScale(int id) const;
    void ShowViewScale();
    // The text of a refusal with the exclamation icon; the focus goes to the control.
    void Refuse(const CString& text, int controlId);
    void EnablePrintScale(bool enable);

    int m_nUnitIndex;
    CTypedField m_viewScale;
    CTypedField m_printScale;
    double m_fWidth = 0.0;
    double m_fHeight = 0.0;
};
