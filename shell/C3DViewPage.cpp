#include "shell/C3DViewPage.h"

#include "platform/cdlg/CColorDialog.h"
#include "platform/ctl/DataExchange.h"
#include "resources/PreferencePagesTemplates.h"

IMPLEMENT_DYNAMIC(C3DViewPage, CPropertyPage)

BEGIN_MESSAGE_MAP(C3DViewPage, CPropertyPage)
ON_BN_CLICKED(IDC_3D_BACKGROUND, OnBackground)
END_MESSAGE_MAP()

C3DViewPage::C3DViewPage() : CPropertyPage(View3DPageTemplate()) {}

void C3DViewPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Text(dx, IDC_3D_BACKDROP, m_strBackdrop);
    DDX_Text(dx, IDC_3D_TEXTURE, m_strTexture);
    DDX_Check(dx, IDC_3D_USE_BACKDROP, m_bUseBackdrop);
    DDX_Control(dx, IDC_3D_BACKGROUND, m_backgroundButton);
}

void C3DViewPage::RefillControls() {
    UpdateData(FALSE);
    m_backgroundButton.Invalidate();
}

void C3DViewPage::OnBackground() {
    CColorDialog dialog(m_backgroundButton.GetColor(), CC_RGBINIT, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_backgroundButton.SetColor(dialog.GetColor());
    m_backgroundButton.Invalidate();
}
