#include "wizard/CWizardDefaultButton.h"

#include "platform/ctl/CPropertySheet.h"
#include "wizard/CPageWizard.h"

IMPLEMENT_DYNAMIC(CWizardDefaultButton, CButton)

void CWizardDefaultButton::OnClicked() {
    auto* sheet = dynamic_cast<CPropertySheet*>(GetParent());
    auto* page = sheet != nullptr ? dynamic_cast<CPageWizard*>(sheet->GetActivePage()) : nullptr;
    if (page == nullptr)
        return;
    page->SetDefaults();
    page->Build();
}
