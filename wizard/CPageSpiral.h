#pragma once

#include "wizard/CPageWizard.h"

// The track wizard's page of the spiral easement; it builds nothing yet.
class CPageSpiral : public CPageWizard {
    DECLARE_DYNCREATE(CPageSpiral)

  public:
    CPageSpiral();
};
