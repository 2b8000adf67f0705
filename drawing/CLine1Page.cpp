#include "drawing/CLine1Page.h"

#include "model/CPaint.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/ListControlDefs.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "ui/PickButtonColor.h"

IMPLEMENT_DYNAMIC(CLine1Page, CPages)

BEGIN_MESSAGE_MAP(CLine1Page, CPages)
ON_CBN_SELENDOK(IDC_LINE_STYLE, OnStyleChosen)
ON_CBN_SELENDOK(IDC_LINE_WIDTH, OnWidthChosen)
ON_BN_CLICKED(IDC_LINE_COLOR, OnLineColor)
END_MESSAGE_MAP()

CLine1Page::CLine1Page(CWnd* parent) : CPages(Line1PageTemplate(), parent) {}

void CLine1Page::DoDataExchange(CDataExchange* dx) {
    CPages::DoDataExchange(dx);
    DDX_Control(dx, IDC_FILL_COLOR, m_fillColorButton);
    DDX_Control(dx, IDC_POINTS_COLOR, m_pointsColorButton);
    DDX_Control(dx, IDC_LINE_WIDTH, m_widthCombo);
    DDX_Control(dx, IDC_LINE_STYLE, m_styleCombo);
    DDX_Control(dx, IDC_LINE_COLOR, m_lineColorButton);
    DDX_Check(dx, IDC_FILL_ON, m_bFillOn);
}

void CLine1Page::SetObject(CPaint* object) {
    CPages::SetObject(object);
    if (m_pCopy == nullptr)
        return;
    ShowPen(m_styleCombo, m_widthCombo, m_lineColorButton);
}

void CLine1Page::ApplyControls() {
    UpdateData(TRUE);
    if (m_pCopy != nullptr) {
        TakePen(m_styleCombo, m_widthCombo, m_lineColorButton);
    }
    PushToDialog();
}

void CLine1Page::OnStyleChosen() {
    if (m_styleCombo.GetCurSel() != 0)
        m_widthCombo.SetCurSel(0);
    ApplyControls();
}

void CLine1Page::OnWidthChosen() {
    if (m_widthCombo.GetCurSel() != 0)
        m_styleCombo.SetCurSel(0);
    ApplyControls();
}

void CLine1Page::OnLineColor() {
    if (PickButtonColor(m_lineColorButton, this))
        ApplyControls();
}
