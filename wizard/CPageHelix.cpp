#include "wizard/CPageHelix.h"

#include "resources/WizardPageTemplates.h"

IMPLEMENT_DYNCREATE(CPageHelix, CPageWizard)

CPageHelix::CPageHelix() : CPageWizard(IDD_WIZARD_HELIX) {}
