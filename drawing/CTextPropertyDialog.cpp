#include "drawing/CTextPropertyDialog.h"

#include "platform/cdlg/CFontDialog.h"
#include "platform/ctl/DataExchange.h"
#include "resources/TextPropertiesTemplate.h"

IMPLEMENT_DYNAMIC(CTextPropertyDialog, CDialog)

BEGIN_MESSAGE_MAP(CTextPropertyDialog, CDialog)
ON_BN_CLICKED(ID_TEXT_FONT, OnFont)
END_MESSAGE_MAP()

CTextPropertyDialog::CTextPropertyDialog(CWnd* parent) : CDialog(TextPropertiesTemplate(), parent) {}

void CTextPropertyDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_TEXT_EDIT, m_strText);
}

void CTextPropertyDialog::OnFont() {
    CFontDialog dialog(&m_font, CF_SCREENFONTS | CF_EFFECTS);
    dialog.m_cf.rgbColors = m_crColor;
    if (dialog.DoModal() != IDOK)
        return;
    dialog.GetCurrentFont(&m_font);
    m_crColor = dialog.GetColor();
}
