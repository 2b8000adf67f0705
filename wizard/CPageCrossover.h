#pragma once

#include "wizard/CPageWizard.h"

// The track wizard's page of the crossover between two parallel tracks; it builds nothing yet.
class CPageCrossover : public CPageWizard {
    DECLARE_DYNCREATE(CPageCrossover)

  public:
    CPageCrossover();
};
