#include "track/CParallelTrackDialog.h"

#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "resources/TrackToolTemplates.h"
#include "ui/LengthEntry.h"

namespace {
constexpr LengthRange kOffsets{0.0, kLargestFieldLength};
}  // namespace

IMPLEMENT_DYNAMIC(CParallelTrackDialog, CDialog)

BEGIN_MESSAGE_MAP(CParallelTrackDialog, CDialog)
ON_EN_KILLFOCUS(IDC_PARALLEL_OFFSET, OnKillFocusOffset)
END_MESSAGE_MAP()

CParallelTrackDialog::CParallelTrackDialog(int unitIndex, double value, CWnd* parent)
    : CDialog(ParallelTrackTemplate(), parent), m_fValue(value), m_format(unitIndex) {}

BOOL CParallelTrackDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CString text;
    m_format.FormatLength(text, m_fValue);
    SetDlgItemText(IDC_PARALLEL_OFFSET, text);
    return TRUE;
}

// Only a typed distance is read: the prefilled one stays exact, not as rounded for showing.
BOOL CParallelTrackDialog::ReadOffset() {
    auto* edit = dynamic_cast<CEdit*>(GetDlgItem(IDC_PARALLEL_OFFSET));
    if (edit == nullptr || !edit->GetModify())
        return TRUE;
    const CString refusal = LengthRangeText(DataExchangeMessages::kEnterNumberBetween, m_format, kOffsets);
    if (!TakeLengthField(*this, IDC_PARALLEL_OFFSET, m_format, kOffsets, refusal, m_fValue))
        return FALSE;
    edit->SetModify(FALSE);
    if (m_fValue < kLeast) {
        m_fValue = kLeast;
        CString text;
        m_format.FormatLength(text, m_fValue);
        SetDlgItemText(IDC_PARALLEL_OFFSET, text);
    }
    return TRUE;
}

void CParallelTrackDialog::OnKillFocusOffset() {
    if (!IsLeftForCancel(*this))
        ReadOffset();
}

// Enter right after typing leaves the field without its focus being lost: the text is read
// here too, so that OK never takes the prefilled distance or an unclamped one.
void CParallelTrackDialog::OnOK() {
    if (ReadOffset())
        EndDialog(IDOK);
}
