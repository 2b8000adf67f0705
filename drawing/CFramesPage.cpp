#include "drawing/CFramesPage.h"

#include "model/CPaint.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/ListControlDefs.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "ui/PickButtonColor.h"

IMPLEMENT_DYNAMIC(CFramesPage, CPages)

BEGIN_MESSAGE_MAP(CFramesPage, CPages)
ON_CBN_SELENDOK(IDC_FRAME_STYLE, OnPickerChosen)
ON_CBN_SELENDOK(IDC_FRAME_WIDTH, OnPickerChosen)
ON_BN_CLICKED(IDC_FRAME_COLOR, OnFramesColor)
END_MESSAGE_MAP()

CFramesPage::CFramesPage(CWnd* parent) : CPages(FramesPageTemplate(), parent) {}

void CFramesPage::DoDataExchange(CDataExchange* dx) {
    CPages::DoDataExchange(dx);
    DDX_Control(dx, IDC_FRAME_WIDTH, m_widthCombo);
    DDX_Control(dx, IDC_FRAME_STYLE, m_styleCombo);
    DDX_Control(dx, IDC_FRAME_COLOR, m_colorButton);
}

void CFramesPage::SetObject(CPaint* object) {
    CPages::SetObject(object);
    if (m_pCopy == nullptr)
        return;
    m_widthCombo.SetCurSel(m_pCopy->m_nFrameWidth - 1);
    m_styleCombo.SetCurSel(m_pCopy->m_nFrameStyle);
    m_colorButton.SetColor(m_pCopy->m_crFrame);
    m_colorButton.Invalidate();
}

void CFramesPage::ApplyControls() {
    UpdateData(TRUE);
    if (m_pCopy != nullptr) {
        m_pCopy->m_nFrameStyle = m_styleCombo.GetCurSel();
        m_pCopy->m_nFrameWidth = m_widthCombo.GetCurSel() + 1;
        m_pCopy->m_crFrame = m_colorButton.GetColor();
    }
    PushToDialog();
}

void CFramesPage::OnFramesColor() {
    if (PickButtonColor(m_colorButton, this))
        ApplyControls();
}
