#include "platform/ctl/CDataExchange.h"

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/CDialog.h"
#include "platform/win/MessageBoxes.h"

namespace {
// How many refusals are under way.
int g_refusals = 0;
}  // namespace

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

CWnd* CDataExchange::PrepareCtrl(int id) {
    m_lastControlId = id;
    m_lastIsEdit = false;
    return m_pDlgWnd->GetDlgItem(id);
}

CWnd* CDataExchange::PrepareEditCtrl(int id) {
    CWnd* control = PrepareCtrl(id);
    m_lastIsEdit = true;
    return control;
}

bool CDataExchange::IsRefusing() {
    return g_refusals > 0;
}

void CDataExchange::Refuse(const CString& message) {
    ++g_refusals;
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    --g_refusals;
    Fail();
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate) {
        ++g_refusals;
        ReturnFocusToRefusedControl();
        --g_refusals;
    }
    throw CUserException();
}

void CDataExchange::ReturnFocusToRefusedControl() {
    CWnd* control = m_pDlgWnd->GetDlgItem(m_lastControlId);
    if (!control)
        return;
    if (auto* dialog = dynamic_cast<CDialog*>(m_pDlgWnd))
        dialog->GotoDlgCtrl(control);
    else
        control->SetFocus();
    if (m_lastIsEdit)
        control->SendMessage(EM_SETSEL, 0, -1);
}
