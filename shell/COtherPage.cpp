#include "shell/COtherPage.h"

#include "model/Units.h"
#include "platform/ctl/DataExchange.h"
#include "resources/PreferencePagesTemplates.h"
#include "ui/LengthEntry.h"

namespace {
constexpr LengthRange kSnapRanges{0.0, kLargestFieldLength};
}  // namespace

IMPLEMENT_DYNAMIC(COtherPage, CPropertyPage)

COtherPage::COtherPage() : CPropertyPage(OtherPageTemplate()), m_nUnitIndex(kDefaultUnitIndex) {}

void COtherPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    m_snapRange.Exchange(dx, IDC_OTHER_SNAP_RANGE, CLengthFormat(m_nUnitIndex), kSnapRanges,
                         DataExchangeMessages::kEnterNumberBetween);
    m_handleSize.Exchange(dx, IDC_OTHER_HANDLE_SIZE, 5.0, 50.0);
}

void COtherPage::LoadSnapRange(double length) {
    m_snapRange.Load(CLengthFormat(m_nUnitIndex), length);
}

double COtherPage::SnapRange() const {
    return m_snapRange.Length(CLengthFormat(m_nUnitIndex), kSnapRanges);
}

void COtherPage::ShowRestoredValues() {
    SetDlgItemText(IDC_OTHER_SNAP_RANGE, m_snapRange.m_text);
    SetDlgItemText(IDC_OTHER_HANDLE_SIZE, m_handleSize.m_text);
}
