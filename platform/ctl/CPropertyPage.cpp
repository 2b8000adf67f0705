#include "platform/ctl/CPropertyPage.h"

#include "platform/ctl/CPropertySheet.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId) {
    if (captionId)
        m_caption.LoadString(captionId);
}

CPropertyPage::CPropertyPage(const DialogTemplate& dialogTemplate) : CDialog(dialogTemplate) {}

CString CPropertyPage::GetCaption() const {
    if (!m_caption.IsEmpty())
        return m_caption;
    const DialogTemplate* source = GetTemplate() ? GetTemplate() : FindDialogTemplate(GetTemplateId());
    return source ? source->caption : CString();
}

BOOL CPropertyPage::CreatePage(CPropertySheet* sheet) {
    const DialogTemplate* source = GetTemplate() ? GetTemplate() : FindDialogTemplate(GetTemplateId());
    if (!source)
        return FALSE;
    m_sheet = sheet;
    m_pageTemplate = std::make_unique<DialogTemplate>(*source);
    m_pageTemplate->style =
        (source->style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE)) | WS_CHILD;
    m_pageTemplate->rect.OffsetRect(-m_pageTemplate->rect.left, -m_pageTemplate->rect.top);
    return CreateIndirect(*m_pageTemplate, sheet);
}

BOOL CPropertyPage::OnSetActive() {
    if (m_firstSetActive)
        m_firstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply() {
    OnOK();
    m_modified = FALSE;
    return TRUE;
}

void CPropertyPage::OnReset() {
    OnCancel();
}

void CPropertyPage::SetModified(BOOL changed) {
    m_modified = changed;
    if (m_sheet && changed)
        m_sheet->EnableApply(true);
}
