#include "catalog/CLibraryNoticeDialog.h"

#include "resources/CatalogTemplates.h"

IMPLEMENT_DYNAMIC(CLibraryNoticeDialog, CDialog)

CLibraryNoticeDialog::CLibraryNoticeDialog(CWnd* parent) : CDialog(LibraryNoticeTemplate(), parent) {}

int CLibraryNoticeDialog::OnCreate(CREATESTRUCT* cs) {
    const int result = CDialog::OnCreate(cs);
    m_nTicks = 0;
    m_nTimer = SetTimer(kTimerId, kTickPeriod);
    return result;
}

void CLibraryNoticeDialog::OnTimer(UINT_PTR id) {
    if (id != kTimerId)
        return;
    if (++m_nTicks == kTicksShown)
        EndDialog(IDOK);
}

void CLibraryNoticeDialog::OnDestroy() {
    if (m_nTimer != 0)
        KillTimer(m_nTimer);
    m_nTimer = 0;
    CDialog::OnDestroy();
}
