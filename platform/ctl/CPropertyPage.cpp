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
    // A page shown again by another sheet starts from its own earlier copy, so the copy is
    // made before the old one goes.
    auto pageTemplate = std::make_unique<DialogTemplate>(*source);
    pageTemplate->style =
        (source->style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE)) | WS_CHILD;
    pageTemplate->rect.OffsetRect(-pageTemplate->rect.left, -pageTemplate->rect.top);
    m_pageTemplate = std::move(pageTemplate);
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
