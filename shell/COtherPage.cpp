#include "shell/COtherPage.h"

#include "model/Units.h"
#include "platform/ctl/DataExchange.h"
#include "resources/PreferencePagesTemplates.h"
#include "ui/LengthEntry.h"

namespace {
constexpr LengthRange kSnapRanges{0.0, kLargestFieldLength};
constexpr FieldRange kHandleSizes{5.0, 50.0};
}  // namespace

IMPLEMENT_DYNAMIC(COtherPage, CPropertyPage)

COtherPage::COtherPage() : CPropertyPage(OtherPageTemplate()), m_nUnitIndex(kDefaultUnitIndex) {}

void COtherPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    m_snapRange.Exchange(dx, IDC_OTHER_SNAP_RANGE, kSnapRanges, DataExchangeMessages::kEnterNumberBetween);
    m_handleSize.Exchange(dx, IDC_OTHER_HANDLE_SIZE, kHandleSizes, DataExchangeMessages::kEnterNumberBetween);
}

void COtherPage::LoadSnapRange(double length) {
    m_snapRange.Load(CFieldFormat::Lengths(CLengthFormat(m_nUnitIndex)), length);
}

void COtherPage::LoadHandleSize(double size) {
    m_handleSize.Load(CFieldFormat::Numbers(), size);
}

double COtherPage::HandleSize() const {
    return m_handleSize.Value(kHandleSizes);
}

double COtherPage::SnapRange() const {
    return m_snapRange.Value(kSnapRanges);
}

void COtherPage::ShowRestoredValues() {
    SetDlgItemText(IDC_OTHER_SNAP_RANGE, m_snapRange.m_text);
    SetDlgItemText(IDC_OTHER_HANDLE_SIZE, m_handleSize.m_text);
}
