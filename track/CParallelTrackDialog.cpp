#include "track/CParallelTrackDialog.h"

#include "platform/ctl/CEdit.h"
#include "resources/TrackToolTemplates.h"

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
void CParallelTrackDialog::ReadOffset() {
    auto* edit = dynamic_cast<CEdit*>(GetDlgItem(IDC_PARALLEL_OFFSET));
    if (edit == nullptr || !edit->GetModify())
        return;
    edit->SetModify(FALSE);
    CString text;
    GetDlgItemText(IDC_PARALLEL_OFFSET, text);
    m_fValue = m_format.ParseLength(text);
    if (m_fValue < kLeast) {
        m_fValue = kLeast;
        m_format.FormatLength(text, m_fValue);
        SetDlgItemText(IDC_PARALLEL_OFFSET, text);
    }
}

void CParallelTrackDialog::OnKillFocusOffset() {
    ReadOffset();
}

// Enter right after typing leaves the field without its focus being lost: the text is read
// here too, so that OK never takes the prefilled distance or an unclamped one.
void CParallelTrackDialog::OnOK() {
    ReadOffset();
    EndDialog(IDOK);
}
