#include "drawing/CPages.h"

#include "drawing/CPagesOwner.h"
#include "model/CPaint.h"
#include "ui/CColorButton.h"
#include "ui/CLineStyleCombo.h"
#include "ui/CLineWidthCombo.h"

IMPLEMENT_DYNAMIC(CPages, CDialog)

CPages::CPages(const DialogTemplate& pageTemplate, CWnd* parent)
    : CDialog(pageTemplate, parent), m_template(pageTemplate) {}

CPages::~CPages() {
    ReleaseCopy();
}

BOOL CPages::CreatePage(CWnd* tabControl) {
    return CreateIndirect(m_template, tabControl);
}

void CPages::CopyTo(CPaint* target) {
    if (target != nullptr && m_pCopy != nullptr)
        target->CopyFrom(m_pCopy);
}

void CPages::SetObject(CPaint* object) {
    ReleaseCopy();
    if (object != nullptr)
        m_pCopy = object->Clone();
}

void CPages::ReleaseCopy() {
    if (m_pCopy == nullptr)
        return;
    m_pCopy->ReleaseData();
    delete m_pCopy;
    m_pCopy = nullptr;
}

// The page's parent is the tab control; the tab control's parent is the dialog.
void CPages::PushToDialog() {
    CWnd* tabControl = GetParent();
    auto* owner = dynamic_cast<CPagesOwner*>(tabControl != nullptr ? tabControl->GetParent() : nullptr);
    if (owner == nullptr || m_pCopy == nullptr)
        return;
    CopyTo(owner->GetWorkingCopy());
    owner->RepaintPreview();
}

void CPages::ShowPen(CLineStyleCombo& style, CLineWidthCombo& width, CColorButton& color) {
    width.SetCurSel(m_pCopy->m_pen.widthX - 1);
    style.SetCurSel(m_pCopy->m_pen.style);
    color.SetColor(m_pCopy->m_pen.color);
    color.Invalidate();
}

void CPages::TakePen(CLineStyleCombo& style, CLineWidthCombo& width, CColorButton& color) {
    m_pCopy->m_pen.style = style.GetCurSel();
    // The pen keeps its second width (0 in the tool's default pen) until its width changes.
    const int chosenWidth = width.GetCurSel() + 1;
    if (chosenWidth != m_pCopy->m_pen.widthX)
        m_pCopy->m_pen.widthX = m_pCopy->m_pen.widthY = chosenWidth;
    m_pCopy->m_pen.color = color.GetColor();
}
