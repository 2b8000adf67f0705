#pragma once

#include "platform/ctl/CDialog.h"

class CCVNDoc;
struct LengthRange;

// The page settings of a layout: document size, the plan window's view scale 1:N, the print
// scale (fitted to the page or 1:N) and the two print marks. The document's Page Setup
// command loads it, runs it and saves it back on OK.
class CDocumentSetupDialog : public CDialog {
    DECLARE_DYNAMIC(CDocumentSetupDialog)
    DECLARE_MESSAGE_MAP()
  public:
    // The page of a layout at a view scale must fit the plan window's coordinates.
    static constexpr double kLargestScaledSide = 32000.0;

    explicit CDocumentSetupDialog(CWnd* parent = nullptr);

    void LoadFromDocument(CCVNDoc* document);
    void SaveToDocument(CCVNDoc* document) const;

    CString m_strWidth;
    CString m_strHeight;
    int m_nPrintScaleMode = 1;
    int m_bShowPageMarkers = 0;
    int m_bShowPageNumbers = 0;
    double m_fPrintScale = 0.0;
    int m_nViewScale = 1;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    void OnViewScaleSelected();
    void OnViewScaleKillFocus();
    void OnSizeKillFocus();
    void OnFitToPage();
    void OnFixedScale();

  private:
    // The side a field gives: the document's own while the field shows it untouched, so that
    // no rounding of the shown text changes it; else the length typed, which the data exchange
    // has taken.
    double PageSide(const CString& text, const CString& shown, double loaded) const;
    LengthRange PageSides() const;
    bool IsSideTooLargeForScale(int id) const;
    void ReadViewScaleText();
    void ShowViewScale();
    // The text of a refusal with the exclamation icon; the focus goes to the control.
    void Refuse(const CString& text, int controlId);
    void EnablePrintScale(bool enable);

    int m_nUnitIndex;
    CString m_strShownWidth;
    CString m_strShownHeight;
    double m_fLoadedWidth = 0.0;
    double m_fLoadedHeight = 0.0;
    double m_fWidth = 0.0;
    double m_fHeight = 0.0;
};
