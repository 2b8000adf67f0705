#include "wizard/CPageCrossing.h"

#include "resources/WizardPageTemplates.h"

IMPLEMENT_DYNCREATE(CPageCrossing, CPageWizard)

CPageCrossing::CPageCrossing() : CPageWizard(IDD_WIZARD_CROSSING) {}
