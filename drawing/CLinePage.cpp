#include "drawing/CLinePage.h"

#include "model/CPaint.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/ListControlDefs.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "ui/PickButtonColor.h"

IMPLEMENT_DYNAMIC(CLinePage, CPages)

BEGIN_MESSAGE_MAP(CLinePage, CPages)
ON_CBN_SELENDOK(IDC_LINE_STYLE, OnPickerChosen)
ON_CBN_SELENDOK(IDC_LINE_WIDTH, OnPickerChosen)
ON_CBN_SELENDOK(IDC_ARROW_STYLE, OnPickerChosen)
ON_CBN_SELENDOK(IDC_ARROW_LENGTH, OnPickerChosen)
ON_CBN_SELENDOK(IDC_ARROW_WIDTH, OnPickerChosen)
ON_BN_CLICKED(IDC_LINE_COLOR, OnLineColor)
END_MESSAGE_MAP()

CLinePage::CLinePage(CWnd* parent) : CPages(LinePageTemplate(), parent) {}

void CLinePage::DoDataExchange(CDataExchange* dx) {
    CPages::DoDataExchange(dx);
    DDX_Control(dx, IDC_LINE_COLOR, m_lineColorButton);
    DDX_Control(dx, IDC_LINE_WIDTH, m_widthCombo);
    DDX_Control(dx, IDC_LINE_STYLE, m_styleCombo);
    DDX_Control(dx, IDC_ARROW_WIDTH, m_arrowWidthCombo);
    DDX_Control(dx, IDC_ARROW_STYLE, m_arrowStyleCombo);
    DDX_Control(dx, IDC_ARROW_LENGTH, m_arrowLengthCombo);
}

void CLinePage::SetObject(CPaint* object) {
    CPages::SetObject(object);
    if (m_pCopy == nullptr)
        return;
    m_arrowStyleCombo.SetCurSel(m_pCopy->m_nArrowStyle);
    m_arrowLengthCombo.SetCurSel(m_pCopy->m_nArrowLength);
    m_arrowWidthCombo.SetCurSel(m_pCopy->m_nArrowWidth);
    ShowPen(m_styleCombo, m_widthCombo, m_lineColorButton);
    UpdateData(FALSE);
}

void CLinePage::ApplyControls() {
    UpdateData(TRUE);
    if (m_pCopy != nullptr) {
        m_pCopy->m_nArrowStyle = m_arrowStyleCombo.GetCurSel();
        m_pCopy->m_nArrowLength = m_arrowLengthCombo.GetCurSel();
        m_pCopy->m_nArrowWidth = m_arrowWidthCombo.GetCurSel();
        TakePen(m_styleCombo, m_widthCombo, m_lineColorButton);
    }
    PushToDialog();
}

// This colour dialog always starts with nothing preselected.
void CLinePage::OnLineColor() {
    const COLORREF shown = m_lineColorButton.GetColor();
    m_lineColorButton.SetColor(RGB(0, 0, 0));
    if (PickButtonColor(m_lineColorButton, this))
        ApplyControls();
    else
        m_lineColorButton.SetColor(shown);
}
