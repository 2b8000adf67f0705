#include "platform/ctl/CSelectWindowDialog.h"

#include "platform/ctl/ListControlDefs.h"

IMPLEMENT_DYNAMIC(CSelectWindowDialog, CDialog)
BEGIN_MESSAGE_MAP(CSelectWindowDialog, CDialog)
ON_LBN_DBLCLK(CSelectWindowDialog::kListId, OnDoubleClick)
END_MESSAGE_MAP()

namespace {

DialogTemplate SelectWindowTemplate() {
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    return DialogTemplate(0, "Select Window", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                          CRect(0, 0, 186, 124),
                          {{CSelectWindowDialog::kListId, WC_LISTBOX, "",
                            child | LBS_NOTIFY | WS_VSCROLL | WS_BORDER, CRect(7, 7, 120, 117)},
                           {IDOK, WC_BUTTON, "OK", child | BS_DEFPUSHBUTTON, CRect(129, 7, 179, 21)},
                           {IDCANCEL, WC_BUTTON, "Cancel", child | BS_PUSHBUTTON, CRect(129, 24, 179, 38)}});
}

}  // namespace

CSelectWindowDialog::CSelectWindowDialog(std::vector<CString> titles, int current, CWnd* parent)
    : m_titles(std::move(titles)), m_chosen(current), m_template(SelectWindowTemplate()) {
    InitModalIndirect(m_template, parent);
}

BOOL CSelectWindowDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CListBox* list = List();
    for (const CString& title : m_titles) list->AddString(title);
    list->SetCurSel(m_chosen);
    GotoDlgCtrl(list);
    return FALSE;
}

void CSelectWindowDialog::OnOK() {
    m_chosen = List()->GetCurSel();
    CDialog::OnOK();
}

CListBox* CSelectWindowDialog::List() {
    return static_cast<CListBox*>(GetDlgItem(kListId));
}

void CSelectWindowDialog::OnDoubleClick() {
    OnOK();
}
