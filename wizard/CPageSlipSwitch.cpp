#include "wizard/CPageSlipSwitch.h"

#include "resources/WizardPageTemplates.h"

IMPLEMENT_DYNCREATE(CPageSlipSwitch, CPageWizard)

CPageSlipSwitch::CPageSlipSwitch() : CPageWizard(IDD_WIZARD_SLIP_SWITCH) {}
