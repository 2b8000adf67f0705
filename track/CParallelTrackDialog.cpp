#include "track/CParallelTrackDialog.h"

#include <algorithm>

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
    ShowOffset();
    return TRUE;
}

void CParallelTrackDialog::ShowOffset() {
    m_offset.Load(CFieldFormat::Lengths(m_format), m_fValue);
    SetDlgItemText(IDC_PARALLEL_OFFSET, m_offset.m_text);
}

// The prefilled distance stays exact while its text is shown, not as rounded for showing.
BOOL CParallelTrackDialog::ReadOffset() {
    if (!m_offset.Take(*this, IDC_PARALLEL_OFFSET, kOffsets,
                       m_offset.RangeText(DataExchangeMessages::kEnterNumberBetween, kOffsets), m_fValue))
        return FALSE;
    if (!m_offset.IsUntouched()) {
        m_fValue = std::max(m_fValue, kLeast);
        ShowOffset();
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
