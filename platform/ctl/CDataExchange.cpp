#include "platform/ctl/CDataExchange.h"

#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/CDialog.h"

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

void CDataExchange::Fail() {
    if (m_bSaveAndValidate) {
        CWnd* control = m_pDlgWnd->GetDlgItem(m_lastControlId);
        if (control) {
            if (auto* dialog = dynamic_cast<CDialog*>(m_pDlgWnd))
                dialog->GotoDlgCtrl(control);
            else
                control->SetFocus();
            if (m_lastIsEdit)
                control->SendMessage(EM_SETSEL, 0, -1);
        }
    }
    throw CUserException();
}
