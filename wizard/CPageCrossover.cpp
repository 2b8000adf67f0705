#include "wizard/CPageCrossover.h"

#include "resources/WizardPageTemplates.h"

IMPLEMENT_DYNCREATE(CPageCrossover, CPageWizard)

CPageCrossover::CPageCrossover() : CPageWizard(IDD_WIZARD_CROSSOVER) {}
