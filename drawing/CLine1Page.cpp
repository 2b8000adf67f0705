#include "drawing/CLine1Page.h"

#include "drawing/PropertiesClassSteps.h"
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
ON_BN_CLICKED(IDC_POINTS_COLOR, OnPointsColor)
ON_BN_CLICKED(IDC_FILL_COLOR, OnFillColor)
ON_BN_CLICKED(IDC_FILL_ON, OnFill)
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
    COLORREF* points = PointsColorOfCopy();
    if (points == nullptr)
        return;
    m_pointsColorButton.SetColor(*points);
    m_bFillOn = m_pCopy->m_bFillOn;
    m_fillColorButton.SetColor(m_pCopy->m_crFill);
    UpdateData(FALSE);
}

COLORREF* CLine1Page::PointsColorOfCopy() {
    const PropertiesClassSteps* steps =
        m_pCopy != nullptr ? FindPropertiesClassSteps(m_pCopy->GetClassName()) : nullptr;
    return steps != nullptr && steps->pointsColor ? steps->pointsColor(*m_pCopy) : nullptr;
}

void CLine1Page::ShowInsideControls() {
    for (int id : {IDC_POINTS_COLOR, IDC_POINTS_COLOR_LABEL, IDC_FILL_COLOR_LABEL, IDC_INSIDE_GROUP,
                   IDC_FILL_ON, IDC_FILL_COLOR})
        GetDlgItem(id)->ShowWindow(SW_SHOW);
    EnableFillColor();
}

void CLine1Page::EnableFillColor() {
    GetDlgItem(IDC_FILL_COLOR)->EnableWindow(m_bFillOn ? TRUE : FALSE);
    GetDlgItem(IDC_FILL_COLOR_LABEL)->EnableWindow(m_bFillOn ? TRUE : FALSE);
}

void CLine1Page::ApplyControls() {
    UpdateData(TRUE);
    if (m_pCopy != nullptr) {
        TakePen(m_styleCombo, m_widthCombo, m_lineColorButton);
        TakeInside();
    }
    PushToDialog();
}

void CLine1Page::TakeInside() {
    COLORREF* points = PointsColorOfCopy();
    if (points == nullptr)
        return;
    *points = m_pointsColorButton.GetColor();
    m_pCopy->m_bFillOn = m_bFillOn;
    m_pCopy->m_crFill = m_fillColorButton.GetColor();
    m_pCopy->m_brush.color = m_fillColorButton.GetColor();
}

void CLine1Page::OnFill() {
    ApplyControls();
    EnableFillColor();
}

void CLine1Page::OnPointsColor() {
    if (PickButtonColor(m_pointsColorButton, this))
        ApplyControls();
}

void CLine1Page::OnFillColor() {
    if (PickButtonColor(m_fillColorButton, this))
        ApplyControls();
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
