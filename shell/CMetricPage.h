#pragma once

#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CPropertyPage.h"
#include "ui/CColorButton.h"
#include "ui/CTypedField.h"

class CCVNDoc;

// The "Metrics && Grid" page of the preferences: the document's unit, its default train
// scale, the plan's background colour and the grid. The grid spacing is kept as length fields
// in the page's unit; changing the unit rewrites them in the new one.
class CMetricPage : public CPropertyPage {
    DECLARE_DYNAMIC(CMetricPage)
    DECLARE_MESSAGE_MAP()
  public:
    CMetricPage();

    // The grid texts as lengths in the page's unit; each stands for its length exactly until
    // it is typed in.
    void SetGridSize(double width, double height);
    double GridWidth() const;
    double GridHeight() const;

    int m_nUnitIndex;
    int m_nDefaultScaleIndex;
    COLORREF m_crGrid;
    COLORREF m_crBackground = 0;
    CCVNDoc* m_pDocument = nullptr;
    CColorButton m_backColorButton;
    CComboBox m_scaleList;
    CComboBox m_unitList;
    int m_bGridShown = 0;
    CColorButton m_gridColorButton;

    // Shows the members in the controls of a page that exists.
    void RefillControls();

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    void OnShowClicked();
    void OnUnitSelected();
    void OnGridWidthChanged();
    void OnGridHeightChanged();
    void OnGridColor();
    void OnBackColor();

  private:
    void EnableGridControls();
    void ExchangeGridStep(CDataExchange* dx, int id, CTypedField& step);
    void PickColour(CColorButton& button, COLORREF& colour);

    CTypedField m_gridWidth;
    CTypedField m_gridHeight;
};
