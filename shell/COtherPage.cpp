#include "shell/COtherPage.h"

#include "platform/ctl/DataExchange.h"
#include "resources/PreferencePagesTemplates.h"

IMPLEMENT_DYNAMIC(COtherPage, CPropertyPage)

COtherPage::COtherPage() : CPropertyPage(OtherPageTemplate()) {}

void COtherPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Text(dx, IDC_OTHER_SNAP_RANGE, m_strSnapRange);
    DDX_Text(dx, IDC_OTHER_HANDLE_SIZE, m_fHandleSize);
    DDV_MinMaxDouble(dx, m_fHandleSize, 5.0, 50.0);
}

void COtherPage::ShowRestoredValues() {
    CString handleSize;
    handleSize.Format("%.0f", m_fHandleSize);
    SetDlgItemText(IDC_OTHER_SNAP_RANGE, m_strSnapRange);
    SetDlgItemText(IDC_OTHER_HANDLE_SIZE, handleSize);
}
