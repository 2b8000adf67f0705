#pragma once

#include "wizard/CPageWizard.h"

// The track wizard's page of the single or double slip switch; it builds nothing yet.
class CPageSlipSwitch : public CPageWizard {
    DECLARE_DYNCREATE(CPageSlipSwitch)

  public:
    CPageSlipSwitch();
};
