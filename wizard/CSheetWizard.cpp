#include "wizard/CSheetWizard.h"

#include "model/CCVNDoc.h"
#include "platform/ctl/BasicControlDefs.h"
#include "wizard/CPageWizard.h"

IMPLEMENT_DYNCREATE(CSheetWizard, CPropertySheet)

namespace {

constexpr int kButtonGap = 12;

}  // namespace

CSheetWizard::CSheetWizard() : CPropertySheet("Track wizard") {}

BOOL CSheetWizard::OnInitDialog() {
    KeepEditedGroup();
    ArrangeButtons();
    return CPropertySheet::OnInitDialog();
}

BOOL CSheetWizard::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && reinterpret_cast<CWnd*>(lParam) == &m_btnDefault) {
        m_btnDefault.OnClicked();
        return TRUE;
    }
    return CPropertySheet::OnCommand(wParam, lParam);
}

// The pages build in the frame of the group being edited, which stands at the zero placement
// until the sheet ends.
void CSheetWizard::KeepEditedGroup() {
    CCVNDoc* document = CPageWizard::ActiveDocument();
    if (document == nullptr || document->m_groupEditStack.empty())
        return;
    m_pEditEntry = &document->m_groupEditStack.front();
    CGroup* group = m_pEditEntry->m_pGroup;
    if (group == nullptr)
        return;
    if (group->m_bBeingEdited) {
        group->RecalcFrame();
        group->ComputeExtent(nullptr);
        m_rcSavedExtent = {group->m_fMinX, group->m_fMinY, group->m_fMaxX, group->m_fMaxY};
    }
    m_poseSaved = group->m_pose;
    group->m_pose = CPose();
}

// "Close" at the right, "Place" and "Default" to its left, all of Cancel's size.
void CSheetWizard::ArrangeButtons() {
    for (int hidden : {IDHELP, static_cast<int>(ID_APPLY_NOW)})
        if (CWnd* button = GetDlgItem(hidden))
            button->ShowWindow(SW_HIDE);
    CWnd* cancel = GetDlgItem(IDCANCEL);
    CWnd* ok = GetDlgItem(IDOK);
    if (cancel == nullptr || ok == nullptr)
        return;
    CRect button;
    cancel->GetWindowRect(&button);
    ScreenToClient(&button);
    CRect client;
    GetClientRect(&client);
    const int w = button.Width();
    const int h = button.Height();
    int left = client.Width() - w - kButtonGap;
    cancel->MoveWindow(left, button.top, w, h);
    cancel->SetWindowText("Close");
    left -= w + kButtonGap;
    ok->MoveWindow(left, button.top, w, h);
    ok->SetWindowText("Place");
    left -= w + kButtonGap;
    m_btnDefault.Create("Default", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), this, 0);
    m_btnDefault.MoveWindow(left, button.top, w, h);
    m_btnDefault.SetFont(cancel->GetFont());
}
