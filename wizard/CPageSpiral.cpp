#include "wizard/CPageSpiral.h"

#include "resources/WizardPageTemplates.h"

IMPLEMENT_DYNCREATE(CPageSpiral, CPageWizard)

CPageSpiral::CPageSpiral() : CPageWizard(IDD_WIZARD_SPIRAL) {}
