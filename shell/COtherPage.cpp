#include "shell/COtherPage.h"

#include "model/Units.h"
#include "platform/ctl/DataExchange.h"
#include "resources/PreferencePagesTemplates.h"
#include "ui/LengthEntry.h"

IMPLEMENT_DYNAMIC(COtherPage, CPropertyPage)

COtherPage::COtherPage() : CPropertyPage(OtherPageTemplate()), m_nUnitIndex(kDefaultUnitIndex) {}

void COtherPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_LengthText(dx, IDC_OTHER_SNAP_RANGE, m_strSnapRange, CLengthFormat(m_nUnitIndex),
                   LengthRange{0.0, kLargestFieldLength}, DataExchangeMessages::kEnterNumberBetween);
    DDX_Text(dx, IDC_OTHER_HANDLE_SIZE, m_fHandleSize);
    DDV_MinMaxDouble(dx, m_fHandleSize, 5.0, 50.0);
}

void COtherPage::ShowRestoredValues() {
    CString handleSize;
    handleSize.Format("%.0f", m_fHandleSize);
    SetDlgItemText(IDC_OTHER_SNAP_RANGE, m_strSnapRange);
    SetDlgItemText(IDC_OTHER_HANDLE_SIZE, handleSize);
}
