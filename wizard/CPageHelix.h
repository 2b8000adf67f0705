#pragma once

#include "wizard/CPageWizard.h"

// The track wizard's page of the helix; it builds nothing yet.
class CPageHelix : public CPageWizard {
    DECLARE_DYNCREATE(CPageHelix)

  public:
    CPageHelix();
};
